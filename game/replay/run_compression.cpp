#include "game/replay/run_compression.h"

#include "game/replay/byte_stream.h"

#include <algorithm>
#include <array>

namespace coilrun::replay {

namespace {

// A token byte below 0x80 starts a run of (byte + 1) literal bytes; from 0x80 up it
// copies (byte - 0x80 + kMinMatch) bytes from a distance written after it.
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 0x7f + kMinMatch;
constexpr std::size_t kMaxLiterals = 0x80;
constexpr int kHashBits = 14;

std::uint32_t hash3(const std::uint8_t* p) {
    const std::uint32_t v =
        std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
    return (v * 2654435761u) >> (32 - kHashBits);
}

} // namespace

std::vector<std::uint8_t> compress(const std::vector<std::uint8_t>& data) {
    ByteWriter out;
    std::vector<std::int64_t> last(std::size_t(1) << kHashBits, -1);
    std::size_t literalStart = 0;
    auto flushLiterals = [&](std::size_t end) {
        while (literalStart < end) {
            const std::size_t n = std::min(kMaxLiterals, end - literalStart);
            out.u8(std::uint8_t(n - 1));
            out.bytes.insert(out.bytes.end(), data.begin() + std::ptrdiff_t(literalStart),
                             data.begin() + std::ptrdiff_t(literalStart + n));
            literalStart += n;
        }
    };
    std::size_t i = 0;
    while (i + kMinMatch <= data.size()) {
        const std::uint32_t h = hash3(&data[i]);
        const std::int64_t candidate = last[h];
        last[h] = std::int64_t(i);
        std::size_t length = 0;
        if (candidate >= 0) {
            const std::size_t from = std::size_t(candidate);
            const std::size_t limit = std::min(kMaxMatch, data.size() - i);
            while (length < limit && data[from + length] == data[i + length])
                ++length;
        }
        if (length < kMinMatch) {
            ++i;
            continue;
        }
        flushLiterals(i);
        out.u8(std::uint8_t(0x80 + length - kMinMatch));
        out.varint(i - std::size_t(candidate));
        // Later matches may start inside this one.
        for (std::size_t k = i + 1; k < i + length && k + kMinMatch <= data.size(); ++k)
            last[hash3(&data[k])] = std::int64_t(k);
        i += length;
        literalStart = i;
    }
    flushLiterals(data.size());
    return std::move(out.bytes);
}

std::vector<std::uint8_t> decompress(const std::uint8_t* data, std::size_t length,
                                     std::size_t size) {
    ByteReader in(data, length, "packed data");
    std::vector<std::uint8_t> out;
    out.reserve(size);
    while (!in.atEnd()) {
        const std::uint8_t token = in.u8();
        if (token < 0x80) {
            const std::size_t n = std::size_t(token) + 1;
            if (n > in.left()) in.fail("cut short");
            if (out.size() + n > size) in.fail("more data than the header says");
            for (std::size_t k = 0; k < n; ++k)
                out.push_back(in.u8());
            continue;
        }
        const std::size_t n = std::size_t(token - 0x80) + kMinMatch;
        const std::uint64_t distance = in.varint();
        if (distance == 0 || distance > out.size()) in.fail("a reference before the start");
        if (out.size() + n > size) in.fail("more data than the header says");
        const std::size_t from = out.size() - std::size_t(distance);
        for (std::size_t k = 0; k < n; ++k)
            out.push_back(out[from + k]); // may overlap what it writes: runs repeat
    }
    if (out.size() != size) in.fail("less data than the header says");
    return out;
}

} // namespace coilrun::replay
