#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace coilrun::engine {

// A read position over bytes that someone else owns (an embedded asset, a test
// buffer). Nothing is ever read past the end: a read that would is refused whole.
class ByteStream {
public:
    explicit ByteStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t position() const { return pos_; }
    std::size_t size() const { return bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    // Positions beyond the end are clamped to the end.
    void seek(std::size_t pos) { pos_ = pos < bytes_.size() ? pos : bytes_.size(); }
    // Skips n bytes, or to the end when fewer remain.
    void skip(std::uint64_t n) { seek(n < remaining() ? pos_ + std::size_t(n) : bytes_.size()); }
    // The next n bytes, consumed; empty (and nothing consumed) when fewer than n remain.
    std::span<const std::uint8_t> take(std::size_t n);
    // Little-endian integers; false (nothing consumed) when the stream is too short.
    bool readU16(std::uint16_t& v);
    bool readU32(std::uint32_t& v);

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// How a sound file's samples are to be played back.
struct TGLSoundSampling {
    int Frequency = 22050; // Hz
    int NbChannels = 1;
    int BitsPerSample = 8;
};

// The first 18 bytes of a "fmt " chunk; fields a shorter chunk lacks stay 0.
struct WaveFormat {
    std::uint16_t formatTag = 0; // 1 = PCM, 2 = ADPCM
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
};

// A sound file that cannot be used; what() says why ("RIFF required", ...).
class WavFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A RIFF WAVE sound file held whole in memory. The chunk walk only looks for the
// format and the start of the audio: whatever follows the "data" chunk (editor
// chunks, cue lists) is kept in the image but never examined.
class TGLWAVFile {
public:
    // Reads one RIFF image from the stream's position and leaves the position
    // just after it. Throws WavFileError ("RIFF required", "RIFF-WAVE required",
    // or a message naming what is missing or truncated); the stream is never read
    // past its end and the object is unchanged when it throws.
    void LoadFromStream(ByteStream& stream);

    // The whole RIFF image, header included (RIFF size + 8 bytes).
    const std::vector<std::uint8_t>& image() const { return image_; }
    const WaveFormat& format() const { return format_; }
    // The value of a "fact" chunk; read for format tag 2 only, 0 otherwise.
    std::uint32_t factValue() const { return fact_; }
    // Where the audio lies in image(): offset of the "data" contents, and their size.
    std::size_t dataOffset() const { return dataOffset_; }
    std::size_t dataLength() const { return dataLength_; }
    std::span<const std::uint8_t> pcmData() const {
        return std::span(image_).subspan(dataOffset_, dataLength_);
    }
    const TGLSoundSampling& Sampling() const { return sampling_; }
    // Playback length in seconds (0 when the format gives no byte rate).
    double lengthInSeconds() const;

    // The walk gives up once it is this far into the image without having met "data".
    static constexpr std::size_t chunkWalkLimit = 2048;

private:
    std::vector<std::uint8_t> image_;
    WaveFormat format_;
    std::uint32_t fact_ = 0;
    std::size_t dataOffset_ = 0;
    std::size_t dataLength_ = 0;
    TGLSoundSampling sampling_;
};

} // namespace coilrun::engine
