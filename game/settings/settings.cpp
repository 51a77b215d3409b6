#include "game/settings/settings.h"

#include "game/settings/registry.h"

namespace coilrun::settings {
namespace {

// What "Creator" is set to once the game has been won or closed on this machine.
constexpr const char* kCreatorMark = "Velmora";

} // namespace

int readMaxLevel(platform::SettingsStore& store) {
    TRegistry reg(store);
    if (!reg.OpenKey(kKeyPath, true))
        throw ERegistryException("Failed to create key " + std::string(kKeyPath));
    if (!reg.ValueExists(kLevel)) return 1;
    try {
        const int level = reg.ReadInteger(kLevel);
        return level != 0 ? level : 1;
    } catch (const ERegistryException&) {
        // A hand-edited or damaged value must not keep the game from starting.
        return 1;
    }
}

void storeMaxLevel(platform::SettingsStore& store, int maxLevel) {
    TRegistry reg(store);
    if (!reg.OpenKey(kKeyPath, true))
        throw ERegistryException("Failed to create key " + std::string(kKeyPath));
    reg.WriteInteger(kLevel, maxLevel);
    reg.WriteString(kCreator, kCreatorMark);
}

void markCreatorIfMissing(platform::SettingsStore& store) {
    TRegistry reg(store);
    if (!reg.OpenKey(kKeyPath, true))
        throw ERegistryException("Failed to create key " + std::string(kKeyPath));
    if (!reg.ValueExists(kCreator)) reg.WriteString(kCreator, kCreatorMark);
}

std::string readNewFlag(platform::SettingsStore& store) {
    TRegistry reg(store);
    if (!reg.OpenKey(kKeyPath, true))
        throw ERegistryException("Failed to create key " + std::string(kKeyPath));
    if (!reg.ValueExists(kCreator)) return "TRUE";
    return reg.ReadString(kCreator) == "me" ? "ME" : "FALSE";
}

} // namespace coilrun::settings

namespace coilrun {

std::string GetUserN(const platform::UserIdentity& user) {
    std::string name = user.userName();
    if (name.size() > 252) return {}; // the system call fails on a buffer too small
    return name;
}

} // namespace coilrun
