#include "engine/sound/wav_file.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using coilrun::engine::ByteStream;
using coilrun::engine::TGLWAVFile;
using coilrun::engine::WavFileError;
using Bytes = std::vector<std::uint8_t>;

void u16(Bytes& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void u32(Bytes& b, std::uint32_t v) {
    u16(b, v & 0xffff);
    u16(b, v >> 16);
}
void text(Bytes& b, const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
}

void chunk(Bytes& b, const std::string& id, const Bytes& body, std::uint32_t size = ~0u) {
    text(b, id);
    u32(b, size == ~0u ? std::uint32_t(body.size()) : size);
    b.insert(b.end(), body.begin(), body.end());
}

Bytes fmtBody(std::uint16_t tag, std::uint32_t rate, std::uint16_t bits, std::size_t size = 18) {
    Bytes f;
    u16(f, tag);
    u16(f, 1);
    u32(f, rate);
    u32(f, rate * bits / 8);
    u16(f, bits / 8);
    u16(f, bits);
    u16(f, 0);
    f.resize(size, 0xee); // whatever follows the record in a larger chunk
    return f;
}

// A RIFF image from its chunks; riffSize overrides the header's size field.
Bytes riff(const Bytes& chunks, std::int64_t riffSize = -1) {
    Bytes b;
    text(b, "RIFF");
    u32(b, riffSize >= 0 ? std::uint32_t(riffSize) : std::uint32_t(chunks.size() + 4));
    text(b, "WAVE");
    b.insert(b.end(), chunks.begin(), chunks.end());
    return b;
}

std::string loadError(const Bytes& bytes) {
    TGLWAVFile wav;
    ByteStream s(bytes);
    try {
        wav.LoadFromStream(s);
    } catch (const WavFileError& e) {
        EXPECT_EQ(s.position(), 0u) << "a failed load leaves the stream where it was";
        EXPECT_TRUE(wav.image().empty());
        return e.what();
    }
    return "";
}

TEST(WavFile, ReadsFormatAndLocatesTheAudio) {
    Bytes c;
    chunk(c, "fmt ", fmtBody(1, 16000, 16));
    chunk(c, "data", Bytes(100, 7));
    Bytes stream = riff(c);
    const std::size_t imageSize = stream.size();
    text(stream, "next asset"); // the stream goes on after the image

    TGLWAVFile wav;
    ByteStream s(stream);
    wav.LoadFromStream(s);
    EXPECT_EQ(s.position(), imageSize);
    EXPECT_EQ(wav.image().size(), imageSize);
    EXPECT_EQ(wav.format().formatTag, 1);
    EXPECT_EQ(wav.format().samplesPerSec, 16000u);
    EXPECT_EQ(wav.format().bitsPerSample, 16);
    EXPECT_EQ(wav.dataOffset(), 12u + 26u + 8u);
    EXPECT_EQ(wav.dataLength(), 100u);
    EXPECT_EQ(wav.pcmData()[0], 7);
    EXPECT_EQ(wav.Sampling().Frequency, 16000);
    EXPECT_EQ(wav.Sampling().NbChannels, 1);
    EXPECT_EQ(wav.Sampling().BitsPerSample, 16);
    EXPECT_DOUBLE_EQ(wav.lengthInSeconds(), 100.0 / 32000);
}

TEST(WavFile, SamplingDefaults) {
    const coilrun::engine::TGLSoundSampling s;
    EXPECT_EQ(s.Frequency, 22050);
    EXPECT_EQ(s.NbChannels, 1);
    EXPECT_EQ(s.BitsPerSample, 8);
}

TEST(WavFile, RejectsWhatIsNotRiffWave) {
    EXPECT_EQ(loadError({}), "RIFF required");
    EXPECT_EQ(loadError({'R', 'I', 'F'}), "RIFF required");
    Bytes rifx = riff({});
    rifx[3] = 'X';
    EXPECT_EQ(loadError(rifx), "RIFF required");
    Bytes avi = riff({});
    avi[8] = 'A';
    EXPECT_EQ(loadError(avi), "RIFF-WAVE required");
    const Bytes header = riff({});
    EXPECT_EQ(loadError(Bytes(header.begin(), header.begin() + 10)), "RIFF-WAVE required");
}

TEST(WavFile, ReadsOnly18BytesOfALargerFormatChunk) {
    Bytes c;
    Bytes fmt = fmtBody(1, 8000, 8, 40);
    fmt[16] = 3; // the extra size, the last field read
    chunk(c, "fmt ", fmt);
    chunk(c, "data", Bytes(10, 128));
    Bytes image = riff(c);
    TGLWAVFile wav;
    ByteStream s(image);
    wav.LoadFromStream(s);
    EXPECT_EQ(wav.format().extraSize, 3);
    EXPECT_EQ(wav.dataOffset(), 12u + 48u + 8u) << "the rest of the chunk is skipped";
    EXPECT_EQ(wav.dataLength(), 10u);
}

TEST(WavFile, ShortFormatChunkAndLaterFormatChunksAreHarmless) {
    Bytes c;
    chunk(c, "fmt ", fmtBody(1, 11025, 16, 16));
    chunk(c, "fmt ", fmtBody(1, 44100, 8)); // only the first one counts
    chunk(c, "data", Bytes(4, 0));
    Bytes image = riff(c);
    TGLWAVFile wav;
    ByteStream s(image);
    wav.LoadFromStream(s);
    EXPECT_EQ(wav.Sampling().Frequency, 11025);
    EXPECT_EQ(wav.format().extraSize, 0);
}

TEST(WavFile, NeverExaminesChunksAfterData) {
    Bytes c;
    chunk(c, "fmt ", fmtBody(1, 8000, 8));
    chunk(c, "data", Bytes(6, 128));
    // An editor chunk that claims far more than there is, and then garbage.
    chunk(c, "_PMX", Bytes(3, 'x'), 0x7fffffff);
    text(c, "\xff\xff");
    Bytes image = riff(c);
    TGLWAVFile wav;
    ByteStream s(image);
    wav.LoadFromStream(s);
    EXPECT_EQ(wav.dataLength(), 6u);
    EXPECT_EQ(wav.image(), image);
}

TEST(WavFile, SkipsUnknownChunksIncludingTheirPadByte) {
    Bytes c;
    chunk(c, "LIST", Bytes{'a', 'b', 'c', 'd', 'e'});
    c.push_back(0); // pad to a word
    chunk(c, "fmt ", fmtBody(1, 8000, 8));
    chunk(c, "data", Bytes(2, 128));
    Bytes image = riff(c);
    TGLWAVFile wav;
    ByteStream s(image);
    wav.LoadFromStream(s);
    EXPECT_EQ(wav.dataLength(), 2u);
}

TEST(WavFile, FactIsReadForAdpcmOnly) {
    for (std::uint16_t tag : {1, 2}) {
        Bytes c, fact;
        u32(fact, 4321);
        chunk(c, "fmt ", fmtBody(tag, 8000, 4));
        chunk(c, "fact", fact);
        chunk(c, "data", Bytes(2, 0));
        Bytes image = riff(c);
        TGLWAVFile wav;
        ByteStream s(image);
        wav.LoadFromStream(s);
        EXPECT_EQ(wav.factValue(), tag == 2 ? 4321u : 0u);
        EXPECT_EQ(wav.dataLength(), 2u);
    }
}

TEST(WavFile, AStreamThatEndsBeforeDataIsRejectedWithoutReadingPastIt) {
    Bytes c;
    chunk(c, "fmt ", fmtBody(1, 8000, 8));
    const Bytes noData = riff(c);
    EXPECT_EQ(loadError(noData), "RIFF-WAVE ends before its \"data\" chunk");
    // Cut inside the next chunk header, inside the format record, and a chunk
    // that claims to run past the end.
    Bytes halfHeader = noData;
    text(halfHeader, "da");
    EXPECT_EQ(loadError(halfHeader), "RIFF-WAVE ends before its \"data\" chunk");
    EXPECT_NE(loadError(Bytes(noData.begin(), noData.begin() + 30)).find("truncated"),
              std::string::npos);
    Bytes longChunk = noData;
    chunk(longChunk, "LIST", Bytes(8, 0), 5000);
    EXPECT_EQ(loadError(longChunk), "RIFF-WAVE ends before its \"data\" chunk");
}

TEST(WavFile, RejectsImagesLargerThanTheStreamOrDataLargerThanTheImage) {
    Bytes c;
    chunk(c, "fmt ", fmtBody(1, 8000, 8));
    chunk(c, "data", Bytes(8, 128));
    EXPECT_NE(loadError(riff(c, std::int64_t(c.size()) + 100)).find("shorter than its RIFF size"),
              std::string::npos);
    EXPECT_NE(loadError(riff(c, 0xffffffff)).find("RIFF size"), std::string::npos);
    Bytes big;
    chunk(big, "fmt ", fmtBody(1, 8000, 8));
    chunk(big, "data", Bytes(8, 128), 9);
    EXPECT_NE(loadError(riff(big)).find("past the RIFF size"), std::string::npos);
}

TEST(WavFile, GivesUpLookingForDataAfter2048Bytes) {
    Bytes c;
    chunk(c, "fmt ", fmtBody(1, 8000, 8));
    chunk(c, "LIST", Bytes(2100, 0));
    chunk(c, "data", Bytes(8, 128));
    EXPECT_EQ(loadError(riff(c)), "RIFF-WAVE without a \"data\" chunk in its first 2048 bytes");

    Bytes near;
    chunk(near, "fmt ", fmtBody(1, 8000, 8));
    chunk(near, "LIST", Bytes(1900, 0)); // data starts before 2048: still found
    chunk(near, "data", Bytes(8, 128));
    Bytes image = riff(near);
    TGLWAVFile wav;
    ByteStream s(image);
    wav.LoadFromStream(s);
    EXPECT_EQ(wav.dataLength(), 8u);
}

TEST(WavFile, DataWithoutFormatIsRejected) {
    Bytes c;
    chunk(c, "data", Bytes(8, 128));
    EXPECT_NE(loadError(riff(c)).find("\"fmt \""), std::string::npos);
}

} // namespace
