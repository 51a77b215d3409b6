#include "engine/sound/wav_file.h"

#include <algorithm>
#include <cstring>

namespace coilrun::engine {

std::span<const std::uint8_t> ByteStream::take(std::size_t n) {
    if (n > remaining()) return {};
    auto out = bytes_.subspan(pos_, n);
    pos_ += n;
    return out;
}

bool ByteStream::readU16(std::uint16_t& v) {
    auto b = take(2);
    if (b.empty()) return false;
    v = std::uint16_t(b[0] | (b[1] << 8));
    return true;
}

bool ByteStream::readU32(std::uint32_t& v) {
    auto b = take(4);
    if (b.empty()) return false;
    v = std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
        (std::uint32_t(b[3]) << 24);
    return true;
}

namespace {

bool isId(std::span<const std::uint8_t> b, const char* id) {
    return b.size() == 4 && std::memcmp(b.data(), id, 4) == 0;
}

std::uint16_t u16At(std::span<const std::uint8_t> b, std::size_t at) {
    return at + 2 <= b.size() ? std::uint16_t(b[at] | (b[at + 1] << 8)) : 0;
}

std::uint32_t u32At(std::span<const std::uint8_t> b, std::size_t at) {
    return at + 4 <= b.size()
               ? std::uint32_t(u16At(b, at)) | (std::uint32_t(u16At(b, at + 2)) << 16)
               : 0;
}

} // namespace

void TGLWAVFile::LoadFromStream(ByteStream& stream) {
    const std::size_t p0 = stream.position();
    auto riff = stream.take(4);
    std::uint32_t riffSize = 0;
    if (!isId(riff, "RIFF") || !stream.readU32(riffSize)) {
        stream.seek(p0);
        throw WavFileError("RIFF required");
    }
    // 64 bits: a RIFF size near 4 GiB must not wrap around to a small image.
    const std::uint64_t total = std::uint64_t(riffSize) + 8;
    if (!isId(stream.take(4), "WAVE")) {
        stream.seek(p0);
        throw WavFileError("RIFF-WAVE required");
    }

    WaveFormat format;
    bool haveFormat = false;
    std::uint32_t fact = 0;
    bool haveFact = false;
    std::size_t dataOffset = 0;
    std::uint64_t dataLength = 0;
    bool haveData = false;
    auto fail = [&](const std::string& why) {
        stream.seek(p0);
        throw WavFileError(why);
    };

    bool ended = false; // the stream ran out before a whole chunk header
    while (stream.position() - p0 < chunkWalkLimit) {
        auto id = stream.take(4);
        std::uint32_t size = 0;
        if (id.empty() || !stream.readU32(size)) {
            ended = true;
            break;
        }
        if (isId(id, "data")) {
            dataOffset = stream.position() - p0;
            dataLength = size;
            haveData = true;
            break;
        }
        std::uint64_t rest = size;
        if (isId(id, "fmt ") && !haveFormat) {
            const std::size_t n = std::min<std::uint32_t>(size, 18);
            auto rec = stream.take(n);
            if (rec.size() != n) fail("RIFF-WAVE truncated in its \"fmt \" chunk");
            format.formatTag = u16At(rec, 0);
            format.channels = u16At(rec, 2);
            format.samplesPerSec = u32At(rec, 4);
            format.avgBytesPerSec = u32At(rec, 8);
            format.blockAlign = u16At(rec, 12);
            format.bitsPerSample = u16At(rec, 14);
            format.extraSize = u16At(rec, 16);
            haveFormat = true;
            rest -= n;
        } else if (isId(id, "fact") && format.formatTag == 2 && !haveFact && size >= 4) {
            if (!stream.readU32(fact)) fail("RIFF-WAVE truncated in its \"fact\" chunk");
            haveFact = true;
            rest -= 4;
        }
        // Chunks are word-aligned: an odd-sized chunk is followed by a pad byte.
        stream.skip(rest + (size & 1u));
    }

    if (!haveData) {
        fail(ended || stream.remaining() == 0
                 ? "RIFF-WAVE ends before its \"data\" chunk"
                 : "RIFF-WAVE without a \"data\" chunk in its first 2048 bytes");
    }
    if (!haveFormat) fail("RIFF-WAVE without a \"fmt \" chunk before its \"data\" chunk");
    if (dataOffset + dataLength > total) fail("RIFF-WAVE \"data\" chunk runs past the RIFF size");

    stream.seek(p0);
    if (total > stream.remaining())
        fail("RIFF-WAVE truncated: the stream is shorter than its RIFF size");
    auto whole = stream.take(std::size_t(total));

    image_.assign(whole.begin(), whole.end());
    format_ = format;
    fact_ = fact;
    dataOffset_ = dataOffset;
    dataLength_ = std::size_t(dataLength);
    sampling_.Frequency = int(format.samplesPerSec);
    sampling_.NbChannels = format.channels;
    sampling_.BitsPerSample = format.bitsPerSample;
}

double TGLWAVFile::lengthInSeconds() const {
    return format_.avgBytesPerSec ? double(dataLength_) / format_.avgBytesPerSec : 0.0;
}

} // namespace coilrun::engine
