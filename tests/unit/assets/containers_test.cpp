#include "scene/assets/asset_error.h"
#include "scene/assets/bmp_file.h"
#include "scene/assets/icon_file.h"
#include "scene/assets/picture_container.h"
#include "scene/assets/sample_container.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using namespace coilrun;
using Bytes = std::vector<std::uint8_t>;

platform::Image pattern(int w, int h, bool withAlpha = false) {
    platform::Image img;
    img.width = w;
    img.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t a = withAlpha ? std::uint32_t((x * 37 + y) & 0xff) : 0xffu;
            img.pixels.push_back((a << 24) | (std::uint32_t(x * 7 & 0xff) << 16) |
                                 (std::uint32_t(y * 5 & 0xff) << 8) |
                                 std::uint32_t((x ^ y) & 0xff));
        }
    return img;
}

std::uint32_t u32At(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

template <class F> std::string errorOf(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

TEST(PictureContainer, RoundTripsWithTheStoredByteCounts) {
    // The texture sizes of the game: 30 x 30 and 733 x 496 (rows padded to 4 bytes).
    for (auto [w, h, count] : {std::tuple{30, 30, 2814u}, std::tuple{733, 496, 1091254u},
                               std::tuple{853, 648, 1658934u}, std::tuple{1, 1, 58u}}) {
        const platform::Image img = pattern(w, h);
        const Bytes stored = scene::writePictureContainer(img);
        ASSERT_EQ(stored[0], 7);
        EXPECT_EQ(std::string(stored.begin() + 1, stored.begin() + 8), "TBitmap");
        EXPECT_EQ(u32At(stored, 8), count);
        EXPECT_EQ(u32At(stored, 12 + 2), count) << "the count equals the bitmap's own size field";
        EXPECT_EQ(stored.size(), 12 + count);
        EXPECT_EQ(scene::bmp24FileSize(w, h), count);

        Bytes stream = stored;
        stream.push_back(0x42); // the next thing in the scene
        engine::ByteStream s(stream);
        const platform::Image back = scene::readPictureContainer(s);
        EXPECT_EQ(s.position(), stored.size());
        EXPECT_EQ(back.width, w);
        EXPECT_EQ(back.height, h);
        EXPECT_EQ(back.pixels, img.pixels);
    }
}

TEST(PictureContainer, StoresBottomUpAndDropsAlpha) {
    platform::Image img = pattern(2, 2, true);
    const Bytes bmp = scene::encodeBmp24(img);
    // The first stored row is the bottom one: pixel (0, 1), as B, G, R.
    EXPECT_EQ(bmp[54], std::uint8_t(img.at(0, 1)));
    EXPECT_EQ(bmp[56], std::uint8_t(img.at(0, 1) >> 16));
    const platform::Image back = scene::decodeBmp(bmp);
    for (std::size_t i = 0; i < img.pixels.size(); ++i)
        EXPECT_EQ(back.pixels[i], img.pixels[i] | 0xff000000u);
}

TEST(PictureContainer, DecodesTopDownAnd32BitBitmaps) {
    Bytes bmp = scene::encodeBmp24(pattern(3, 2));
    const std::int32_t minus2 = -2;
    for (int i = 0; i < 4; ++i)
        bmp[22 + i] = std::uint8_t(std::uint32_t(minus2) >> (8 * i));
    const platform::Image flipped = scene::decodeBmp(bmp);
    EXPECT_EQ(flipped.at(0, 0), pattern(3, 2).at(0, 1));

    Bytes b32 = scene::encodeBmp24(pattern(1, 1)); // 1 pixel: 3 bytes + 1 pad = 4 bytes
    b32[28] = 32;
    b32[57] = 0x80; // the fourth byte is alpha
    EXPECT_EQ(platform::alpha(scene::decodeBmp(b32).at(0, 0)), 0x80);
}

TEST(PictureContainer, ReportsUnknownClassesAndDamage) {
    Bytes stored = scene::writePictureContainer(pattern(4, 4));
    Bytes jpeg = stored;
    jpeg.erase(jpeg.begin() + 1, jpeg.begin() + 8);
    const std::string name = "TJPEGImage";
    jpeg[0] = std::uint8_t(name.size());
    jpeg.insert(jpeg.begin() + 1, name.begin(), name.end());
    EXPECT_EQ(errorOf([&] { scene::readPictureContainer(jpeg); }),
              "unknown picture class \"TJPEGImage\"");
    EXPECT_THROW(scene::readPictureContainer(jpeg), scene::AssetError);

    for (std::size_t cut : {std::size_t(0), std::size_t(5), std::size_t(10), stored.size() - 1})
        EXPECT_NE(errorOf([&] {
                      scene::readPictureContainer(Bytes(stored.begin(), stored.begin() + cut));
                  }).find("truncated"),
                  std::string::npos)
            << cut;

    Bytes bmp = scene::encodeBmp24(pattern(4, 4));
    Bytes eightBit = bmp;
    eightBit[28] = 8;
    EXPECT_THROW(scene::decodeBmp(eightBit), scene::AssetError);
    Bytes huge = bmp;
    huge[18 + 2] = 0x7f; // width far beyond the pixels there are
    EXPECT_THROW(scene::decodeBmp(huge), scene::AssetError);
    Bytes tall = bmp;
    tall[22] = 5; // one row more than stored
    EXPECT_NE(errorOf([&] { scene::decodeBmp(tall); }).find("past its end"), std::string::npos);
    EXPECT_THROW(scene::decodeBmp(Bytes{'B', 'M'}), scene::AssetError);
    // A header that claims nearly 4 GiB cannot end before pixels 54 bytes in.
    Bytes hugeHeader = bmp;
    for (int i = 0; i < 4; ++i)
        hugeHeader[14 + i] = std::uint8_t((0xfffffff2u >> (8 * i)) & 0xff);
    EXPECT_NE(errorOf([&] { scene::decodeBmp(hugeHeader); }).find("past its end"),
              std::string::npos);
}

TEST(SampleContainer, RoundTripsARiffWaveWithTrailingChunks) {
    const Bytes pcm{1, 2, 3, 4, 5, 6};
    std::vector<scene::RiffChunk> extra(2);
    extra[0].id = {'_', 'P', 'M', 'X'};
    extra[0].body = {'<', 'x', '/', '>', '!'}; // odd: padded
    extra[1].id = {'L', 'I', 'S', 'T'};
    extra[1].body = {'I', 'N', 'F', 'O'};
    const Bytes wave = scene::makeRiffWave(11025, 16, pcm, extra);
    EXPECT_EQ(u32At(wave, 4) + 8, wave.size());
    EXPECT_EQ(u32At(wave, 16), 18u) << "an 18-byte format chunk";
    const Bytes stored = scene::writeSampleContainer(wave);
    EXPECT_EQ(u32At(stored, 0), 10u);
    EXPECT_EQ(std::string(stored.begin() + 4, stored.begin() + 14), "TGLWAVFile");
    EXPECT_EQ(stored.size(), 14 + wave.size());

    Bytes stream = stored;
    stream.push_back(9);
    engine::ByteStream s(stream);
    auto wav = scene::readSampleContainer(s);
    EXPECT_EQ(s.position(), stored.size());
    EXPECT_EQ(wav->image(), wave);
    EXPECT_EQ(Bytes(wav->pcmData().begin(), wav->pcmData().end()), pcm);
    EXPECT_EQ(wav->Sampling().Frequency, 11025);
    EXPECT_EQ(wav->format().blockAlign, 2);
    EXPECT_EQ(wav->format().avgBytesPerSec, 22050u);
}

TEST(SampleContainer, ReportsUnknownClassesAndDamage) {
    const Bytes wave = scene::makeRiffWave(8000, 8, Bytes(4, 128));
    Bytes mp3;
    const std::string name = "TGLMP3File";
    mp3.insert(mp3.end(), {10, 0, 0, 0});
    mp3.insert(mp3.end(), name.begin(), name.end());
    mp3.insert(mp3.end(), wave.begin(), wave.end());
    EXPECT_EQ(errorOf([&] { scene::readSampleContainer(mp3); }),
              "unknown sound-file class \"TGLMP3File\"");
    EXPECT_THROW(scene::readSampleContainer(mp3), scene::AssetError);

    const Bytes stored = scene::writeSampleContainer(wave);
    EXPECT_THROW(scene::readSampleContainer(Bytes(stored.begin(), stored.begin() + 2)),
                 scene::AssetError);
    EXPECT_THROW(scene::readSampleContainer(Bytes(stored.begin(), stored.begin() + 9)),
                 scene::AssetError);
    EXPECT_THROW(scene::readSampleContainer(Bytes(stored.begin(), stored.end() - 1)),
                 engine::WavFileError);
    Bytes notRiff = stored;
    notRiff[14] = 'X';
    EXPECT_EQ(errorOf([&] { scene::readSampleContainer(notRiff); }), "RIFF required");
}

TEST(IconFile, RoundTripsSquareImagesWithAlpha) {
    std::vector<platform::Image> images{pattern(48, 48, true), pattern(16, 16, true),
                                        pattern(256, 256, true)};
    const Bytes ico = scene::encodeIcon(images);
    const std::vector<platform::Image> back = scene::decodeIcon(ico);
    ASSERT_EQ(back.size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(back[i].width, images[i].width);
        EXPECT_EQ(back[i].pixels, images[i].pixels);
    }
    EXPECT_EQ(ico[6 + 2 * 16], 0) << "256 is written as 0 in the directory";
    EXPECT_THROW(scene::encodeIcon(std::vector{pattern(3, 2)}), scene::AssetError);
}

TEST(IconFile, RejectsDamagedFiles) {
    const Bytes ico = scene::encodeIcon(std::vector{pattern(16, 16, true)});
    EXPECT_THROW(scene::decodeIcon(Bytes(ico.begin(), ico.begin() + 4)), scene::AssetError);
    EXPECT_THROW(scene::decodeIcon(Bytes(ico.begin(), ico.begin() + 20)), scene::AssetError);
    EXPECT_THROW(scene::decodeIcon(Bytes(ico.begin(), ico.end() - 1)), scene::AssetError);
    Bytes png = ico;
    png[22 + 14] = 24; // not a 32-bit image
    EXPECT_THROW(scene::decodeIcon(png), scene::AssetError);
}

TEST(IconFile, RefusesEntriesThatShareOneImage) {
    // Two directory entries pointing at the same image: each would be decoded in
    // full, so a directory of thousands of them would blow a small file up.
    Bytes ico = scene::encodeIcon(std::vector{pattern(16, 16, true), pattern(16, 16, true)});
    ASSERT_EQ(scene::decodeIcon(ico).size(), 2u);
    const std::uint32_t second = u32At(ico, 6 + 16 + 12);
    for (int i = 0; i < 4; ++i)
        ico[6 + 16 + 12 + i] = ico[6 + 12 + i]; // second entry's offset := first one's
    ico.resize(second);                         // and the second image gone
    EXPECT_NE(errorOf([&] { scene::decodeIcon(ico); }).find("shares its bytes"), std::string::npos);
}

} // namespace
