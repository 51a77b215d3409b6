#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Little-endian fields of the stored containers and file formats.
namespace coilrun::scene::bytes {

inline void putU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putU16(out, v & 0xffffu);
    putU16(out, v >> 16);
}

inline void putText(std::vector<std::uint8_t>& out, std::string_view s) {
    for (char c : s)
        out.push_back(std::uint8_t(c));
}

// Callers check the bounds first.
inline std::uint32_t u16At(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8);
}

inline std::uint32_t u32At(std::span<const std::uint8_t> b, std::size_t at) {
    return u16At(b, at) | (u16At(b, at + 2) << 16);
}

} // namespace coilrun::scene::bytes
