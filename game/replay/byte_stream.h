#pragma once
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace coilrun::replay {

// What a run file reader throws: says what is wrong with the bytes, in words a
// player can be shown after the file's name.
class RunFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Little-endian bytes, written as a run file stores them. Variable-length integers
// take 7 bits a byte, so the small numbers a run is mostly made of take one.
class ByteWriter {
public:
    void u8(std::uint8_t v) { bytes.push_back(v); }
    void u16(std::uint16_t v) { fixed(v, 2); }
    void u32(std::uint32_t v) { fixed(v, 4); }
    void u64(std::uint64_t v) { fixed(v, 8); }
    void varint(std::uint64_t v) {
        while (v >= 0x80) {
            bytes.push_back(std::uint8_t(v | 0x80));
            v >>= 7;
        }
        bytes.push_back(std::uint8_t(v));
    }
    void svarint(std::int64_t v) { varint((std::uint64_t(v) << 1) ^ std::uint64_t(v >> 63)); }
    void f32(float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, 4);
        u32(bits);
    }
    void f64(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        u64(bits);
    }
    void str(const std::string& s) {
        varint(s.size());
        bytes.insert(bytes.end(), s.begin(), s.end());
    }
    void raw(const std::vector<std::uint8_t>& b) { bytes.insert(bytes.end(), b.begin(), b.end()); }

    std::vector<std::uint8_t> bytes;

private:
    void fixed(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i)
            bytes.push_back(std::uint8_t(v >> (8 * i)));
    }
};

// Reads what ByteWriter wrote; every read past the end, or of a number too long,
// throws RunFileError naming the part being read.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size, const char* part)
        : p_(data), end_(data + size), part_(part) {}
    explicit ByteReader(const std::vector<std::uint8_t>& b, const char* part)
        : ByteReader(b.data(), b.size(), part) {}

    bool atEnd() const { return p_ == end_; }
    std::size_t left() const { return std::size_t(end_ - p_); }
    std::uint8_t u8() {
        need(1);
        return *p_++;
    }
    std::uint16_t u16() { return std::uint16_t(fixed(2)); }
    std::uint32_t u32() { return std::uint32_t(fixed(4)); }
    std::uint64_t u64() { return fixed(8); }
    std::uint64_t varint() {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const std::uint8_t b = u8();
            v |= std::uint64_t(b & 0x7f) << shift;
            if (!(b & 0x80)) return v;
        }
        fail("a number that does not end");
    }
    // A count that must fit in what is left (each item at least minBytes long).
    std::size_t count(std::size_t minBytes = 1) {
        const std::uint64_t n = varint();
        if (minBytes && n > left() / minBytes) fail("a count larger than the data");
        return std::size_t(n);
    }
    std::int64_t svarint() {
        const std::uint64_t v = varint();
        return std::int64_t(v >> 1) ^ -std::int64_t(v & 1);
    }
    float f32() {
        const std::uint32_t bits = u32();
        float v;
        std::memcpy(&v, &bits, 4);
        return v;
    }
    double f64() {
        const std::uint64_t bits = u64();
        double v;
        std::memcpy(&v, &bits, 8);
        return v;
    }
    std::string str() {
        const std::size_t n = count(0);
        need(n);
        std::string s(reinterpret_cast<const char*>(p_), n);
        p_ += n;
        return s;
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw RunFileError(std::string(part_) + ": " + what);
    }

private:
    void need(std::size_t n) const {
        if (left() < n) fail("cut short");
    }
    std::uint64_t fixed(int n) {
        need(std::size_t(n));
        std::uint64_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= std::uint64_t(p_[i]) << (8 * i);
        p_ += n;
        return v;
    }
    const std::uint8_t* p_;
    const std::uint8_t* end_;
    const char* part_;
};

} // namespace coilrun::replay
