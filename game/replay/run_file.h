#pragma once
#include "game/replay/run_record.h"

#include <cstdint>
#include <vector>

namespace coilrun::replay {

// The stored form of a run: the magic "COILRUN" 0x1a, a version, a CRC-32 of what
// follows it, the summary and start, then the packed start state and events.
constexpr std::uint16_t kRunFileVersion = 1;
// Larger files are refused before they are read: an hour of play is far below it.
constexpr std::size_t kMaxRunFileBytes = 8u << 20;

std::vector<std::uint8_t> writeRunFile(const RunRecord& record);

// The CRC-32 a file stores of everything after its checksum field.
std::uint32_t runFileChecksum(const std::uint8_t* data, std::size_t size);
// Where that field lies in a file: after the magic and the version.
constexpr std::size_t kRunFileChecksumAt = 10;

// Throws RunFileError saying what is wrong: not a run file, a newer version,
// damaged (the checksum), cut short, or parts that do not fit together.
RunRecord readRunFile(const std::vector<std::uint8_t>& bytes);

} // namespace coilrun::replay
