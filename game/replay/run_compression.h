#pragma once
#include <cstdint>
#include <vector>

namespace coilrun::replay {

// A small LZ coder for run files. A run is quasi-periodic (the same timers tick
// around the same frames again and again), so back-references to earlier bytes
// take most of it; no library is needed on any system the game builds for.
std::vector<std::uint8_t> compress(const std::vector<std::uint8_t>& data);

// Rebuilds exactly `size` bytes; throws RunFileError when the data does not make
// them (cut short, a reference before the start, more or fewer bytes).
std::vector<std::uint8_t> decompress(const std::uint8_t* data, std::size_t length,
                                     std::size_t size);

} // namespace coilrun::replay
