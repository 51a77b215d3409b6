#include "game/hud_texts.h"

#include <gtest/gtest.h>

namespace coilrun {
namespace {

TEST(StatusLine, LabelsAndBlanksAreExact) {
    EXPECT_EQ(statusLine(1, 2, 1.0, 0.0),
              "Musictime = 1        SnakeLength = 2        light = 1      fps = 0");
}

TEST(StatusLine, FramesPerSecondRoundedToTwoDecimalsShortestForm) {
    EXPECT_EQ(framesPerSecondText(60.0), "60");
    EXPECT_EQ(framesPerSecondText(59.999), "60");
    EXPECT_EQ(framesPerSecondText(59.5), "59.5");
    EXPECT_EQ(framesPerSecondText(33.3333), "33.33");
    EXPECT_EQ(framesPerSecondText(0.004), "0");
    EXPECT_EQ(framesPerSecondText(120.456), "120.46");
}

TEST(StatusLine, LightAttenuationRoundsHalfToEven) {
    EXPECT_NE(statusLine(0, 0, 2.5, 0).find("light = 2 "), std::string::npos);
    EXPECT_NE(statusLine(0, 0, 3.5, 0).find("light = 4 "), std::string::npos);
    EXPECT_NE(statusLine(0, 0, 99.6, 0).find("light = 100 "), std::string::npos);
}

} // namespace
} // namespace coilrun
