// Whatever is stored under the game's key, starting the game reads a usable
// level from it, reads it without changing it, and can store a new level over it.
// Input: one flag byte (bit 0: "level" stored, bit 1: "Creator" stored), then the
// stored "level" text, a zero byte, and the stored "Creator" text.
#include "game/settings/settings.h"
#include "tests/sim/sim_settings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace coilrun;
    if (size == 0) return 0;
    const unsigned flags = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = rest.find('\0');
    const std::string levelText(rest.substr(0, cut));
    const std::string creatorText(cut == rest.npos ? std::string_view{} : rest.substr(cut + 1));

    sim::SimSettingsStore store;
    auto& values = store.keys[settings::kKeyPath];
    if (flags & 1u) values[settings::kLevel] = levelText;
    if (flags & 2u) values[settings::kCreator] = creatorText;
    const auto stored = values;

    // Nothing may escape: the key opens in the simulated store, and a damaged
    // value is read as absent, not reported.
    const int level = settings::readMaxLevel(store);
    require(level != 0);
    const std::string flag = settings::readNewFlag(store);
    require(flag == ((flags & 2u) ? (creatorText == "me" ? "ME" : "FALSE") : "TRUE"));
    require(store.keys[settings::kKeyPath] == stored); // reading changes nothing

    settings::markCreatorIfMissing(store);
    if (flags & 2u) require(values[settings::kCreator] == creatorText);

    settings::storeMaxLevel(store, level);
    require(settings::readMaxLevel(store) == level);
    require(values[settings::kCreator] == "Velmora");
    require(store.opened == store.released);
    return 0;
}
