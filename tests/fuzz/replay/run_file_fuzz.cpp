// Whatever bytes a run file holds, reading it either gives a run whose events and
// start state read through to their ends, or refuses it with a RunFileError.
// Input: a flag byte, then the file. With bit 0 of the flag set the checksum is put
// right first, so that the fuzzer gets past it to the parts inside.
#include "game/replay/run_events.h"
#include "game/replay/run_file.h"
#include "game/replay/state_snapshot.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace coilrun::replay;
    if (size == 0) return 0;
    std::vector<std::uint8_t> file(data + 1, data + size);
    const std::size_t body = kRunFileChecksumAt + 4;
    if ((data[0] & 1) && file.size() >= body) {
        const std::uint32_t crc = runFileChecksum(file.data() + body, file.size() - body);
        for (int i = 0; i < 4; ++i)
            file[kRunFileChecksumAt + std::size_t(i)] = std::uint8_t(crc >> (8 * i));
    }
    try {
        const RunRecord run = readRunFile(file);
        EventReader events(run.events);
        while (!events.atEnd())
            events.next();
        ByteReader start(run.startState, "start");
        coilrun::GameState state;
        readGameState(start, state);
    } catch (const RunFileError&) {
    }
    return 0;
}
