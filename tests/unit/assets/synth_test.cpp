#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace coilrun::assetgen;

float peakOf(const std::vector<float>& x) {
    float p = 0;
    for (float v : x)
        p = std::max(p, std::fabs(v));
    return p;
}

TEST(Synth, LimiterHoldsTheCeilingEvenOnHarshSignals) {
    Noise n(3);
    std::vector<float> x(20000);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = n.next() * (i % 5000 < 50 ? 8.0f : 0.3f);
    MasterSettings m;
    m.peakDb = -1;
    master(x, 11025, m);
    EXPECT_LE(peakOf(x), std::pow(10.0f, -1.0f / 20) + 1e-6f);
    EXPECT_EQ(x.front(), 0.0f);
    EXPECT_EQ(x.back(), 0.0f);
}

TEST(Synth, LoopedPiecesWrapTheirTailsIntoTheStart) {
    Score s;
    s.bpm = 60;
    s.add(Instrument::Pad, 0.9, 1.0, 60); // starts 0.1 s before the end and rings on
    MasterSettings m;
    m.loop = true;
    const std::vector<float> x = render(s, 8000, 8000, m);
    float head = 0;
    for (std::size_t i = 0; i < 2000; ++i)
        head = std::max(head, std::fabs(x[i]));
    EXPECT_GT(head, 0.1f) << "the note sounds on at the start";

    m.loop = false;
    const std::vector<float> once = render(s, 8000, 8000, m);
    float early = 0;
    for (std::size_t i = 0; i < 2000; ++i)
        early = std::max(early, std::fabs(once[i]));
    EXPECT_LT(early, 1e-3f);
}

TEST(Synth, QuantisesWithExactSilence) {
    const std::vector<float> x{0.0f, 0.5f, -0.5f, 0.0f, 0.0f};
    const auto pcm8 = toPcm(x, 8, 1);
    EXPECT_EQ(pcm8.front(), 128);
    EXPECT_EQ(pcm8.back(), 128);
    EXPECT_NEAR(int(pcm8[1]) - 128, 64, 1);
    const auto pcm16 = toPcm(x, 16, 1);
    ASSERT_EQ(pcm16.size(), 10u);
    EXPECT_EQ(pcm16[8] | pcm16[9] << 8, 0);
    EXPECT_EQ(toPcm(x, 16, 1), pcm16) << "the same seed gives the same bytes";
}

TEST(Synth, ParsesNoteNamesAndMelodies) {
    EXPECT_EQ(midiOf("C4"), 60);
    EXPECT_EQ(midiOf("A4"), 69);
    EXPECT_EQ(midiOf("F#3"), 54);
    EXPECT_EQ(midiOf("Bb5"), 82);
    EXPECT_THROW(midiOf("H2"), std::invalid_argument);
    Score s;
    EXPECT_DOUBLE_EQ(s.melody(Instrument::Pluck, 4, "C5:1 r:0.5 E5+G5:2"), 7.5);
    ASSERT_EQ(s.notes.size(), 3u);
    EXPECT_DOUBLE_EQ(s.notes[1].beat, 5.5);
    EXPECT_EQ(s.notes[2].midi, 79);
}

} // namespace
