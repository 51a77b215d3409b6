#include "scene/assets/asset_error.h"
#include "scene/assets/embedded_assets.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace coilrun;

struct Shipped {
    const char* name;
    int rate, bits;
    std::size_t dataBytes;
};

// The sound library's samples, as the game stores them.
const Shipped samples[] = {
    {"speck", 8000, 8, 4960},          {"Thema", 16000, 16, 1713996},  {"start", 16000, 16, 58316},
    {"Game_Over", 11025, 16, 1755374}, {"red", 8000, 8, 1278},         {"win", 11025, 16, 75332},
    {"MainMenu", 11025, 8, 855644},    {"WinMenu", 11025, 16, 591364},
};

// Sample values as fractions of full scale.
std::vector<double> levels(const engine::TGLWAVFile& wav) {
    std::vector<double> out;
    auto pcm = wav.pcmData();
    if (wav.Sampling().BitsPerSample == 8) {
        for (std::uint8_t v : pcm)
            out.push_back((int(v) - 128) / 128.0);
    } else {
        for (std::size_t i = 0; i + 1 < pcm.size(); i += 2)
            out.push_back(std::int16_t(pcm[i] | (pcm[i + 1] << 8)) / 32768.0);
    }
    return out;
}

TEST(EmbeddedAssets, EverySampleHasTheStoredFormat) {
    for (const Shipped& s : samples) {
        SCOPED_TRACE(s.name);
        auto stored = scene::embeddedAsset(std::string("sound/") + s.name);
        ASSERT_FALSE(stored.empty());
        auto wav = scene::embeddedSample(s.name);
        EXPECT_EQ(wav->Sampling().Frequency, s.rate);
        EXPECT_EQ(wav->Sampling().BitsPerSample, s.bits);
        EXPECT_EQ(wav->Sampling().NbChannels, 1);
        EXPECT_EQ(wav->dataLength(), s.dataBytes);
        EXPECT_EQ(wav->format().formatTag, 1);
        EXPECT_EQ(wav->format().blockAlign, s.bits / 8);
        // An 18-byte "fmt " chunk, and chunks that carry no audio after "data".
        EXPECT_EQ(wav->image()[16], 18);
        EXPECT_GT(wav->image().size(), wav->dataOffset() + wav->dataLength());
        EXPECT_EQ(stored.size(), 14 + wav->image().size())
            << "the container holds the RIFF file whole";
    }
}

TEST(EmbeddedAssets, SamplesAreComposedNotClippedAndEndQuietly) {
    for (const Shipped& s : samples) {
        SCOPED_TRACE(s.name);
        const std::vector<double> x = levels(*scene::embeddedSample(s.name));
        double peak = 0, sum = 0, sumSq = 0;
        for (double v : x) {
            peak = std::max(peak, std::abs(v));
            sum += v;
            sumSq += v * v;
        }
        const double rms = std::sqrt(sumSq / double(x.size()));
        EXPECT_LT(peak, 0.95) << "peaks stay below full scale";
        EXPECT_GT(rms, 0.03) << "not silence";
        EXPECT_LT(std::abs(sum / double(x.size())), 0.01) << "no DC offset";
        if (std::string(s.name) == "Thema") {
            // The piece loops: its end runs into its start without a step.
            const double join = std::abs(x.front() - x.back());
            double typical = 0;
            for (std::size_t i = 1; i < 2000; ++i)
                typical = std::max(typical, std::abs(x[i] - x[i - 1]));
            EXPECT_LE(join, typical);
        } else {
            const double lsb = s.bits == 8 ? 1.0 / 128 : 1.0 / 32768;
            EXPECT_LE(std::abs(x.front()), lsb);
            EXPECT_LE(std::abs(x.back()), lsb);
        }
    }
}

TEST(EmbeddedAssets, TexturesSplashAndIconHaveTheirSizes) {
    for (const char* t : {"sound_on", "mude", "HT0", "HT1", "HT2", "HT3", "HT4"}) {
        SCOPED_TRACE(t);
        const std::string name = std::string("texture/") + t;
        const bool page = t[0] == 'H';
        const platform::Image img = scene::embeddedPicture(name);
        EXPECT_EQ(img.width, page ? 733 : 30);
        EXPECT_EQ(img.height, page ? 496 : 30);
        EXPECT_EQ(scene::embeddedAsset(name).size(), 12u + (page ? 1091254u : 2814u));
        // Drawn on black: additive blending shows black as see-through.
        EXPECT_EQ(img.at(0, 0) & 0xffffffu, 0u);
        EXPECT_EQ(img.at(img.width - 1, img.height - 1) & 0xffffffu, 0u);
        const auto lit = std::count_if(img.pixels.begin(), img.pixels.end(),
                                       [](std::uint32_t p) { return (p & 0xffffffu) != 0; });
        EXPECT_GT(lit, std::ptrdiff_t(img.pixels.size() / 50)) << "something is drawn";
    }
    const platform::Image splash = scene::embeddedPicture("splash");
    EXPECT_EQ(splash.width, 853);
    EXPECT_EQ(splash.height, 648);

    const std::vector<platform::Image> icons = scene::embeddedIconImages();
    ASSERT_EQ(icons.size(), 6u);
    const int sides[] = {96, 64, 48, 32, 24, 16};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        EXPECT_EQ(icons[i].width, sides[i]);
        EXPECT_EQ(platform::alpha(icons[i].at(0, 0)), 0) << "the corners are transparent";
        EXPECT_EQ(platform::alpha(icons[i].at(sides[i] / 2, sides[i] / 4)), 255) << sides[i];
    }
}

TEST(EmbeddedAssets, NamesAreListedAndLookedUpExactly) {
    const std::vector<std::string_view> names = scene::embeddedAssetNames();
    EXPECT_EQ(names.size(), 17u);
    for (std::string_view n : names)
        EXPECT_FALSE(scene::embeddedAsset(n).empty()) << n;
    EXPECT_TRUE(scene::embeddedAsset("sound/thema").empty());
    EXPECT_TRUE(scene::embeddedAsset("").empty());
    EXPECT_THROW(scene::embeddedSample("Nothing"), scene::AssetError);
    EXPECT_THROW(scene::embeddedPicture("texture/HT5"), scene::AssetError);
}

} // namespace
