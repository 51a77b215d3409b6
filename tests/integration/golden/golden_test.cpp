// Fixed moments of a run drawn offscreen (EGL, no window system) in virtual time and
// compared pixel by pixel with the pictures stored beside this file, so that work on
// the renderer never changes what the player sees. A pixel matches when no colour
// channel differs by more than kChannelTolerance; a picture matches when at most
// kStrayShare of its pixels do not (rounding along edges differs between CPUs).
// On a mismatch the drawn picture and a map of the differing pixels are written to
// the temporary folder. To store new pictures, on purpose, run
//     COILRUN_GOLDEN_WRITE=1 build/integration_golden
#include "tests/offscreen/offscreen_game.h"

#include <QGuiApplication>
#include <QImage>
#include <QStandardPaths>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace coilrun {
namespace {

constexpr int kWidth = 640, kHeight = 360;
constexpr int kChannelTolerance = 12;
constexpr double kStrayShare = 0.002;

QImage toQImage(const platform::Image& image) {
    QImage out(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            out.setPixel(x, y, image.at(x, y) | 0xff000000u);
    return out;
}

std::string storedPath(const std::string& name) {
    return std::string(COILRUN_GOLDEN_DIR) + "/" + name + ".png";
}

// Compares with the stored picture (or stores it); failures name the moment.
void expectLooksAsStored(const std::string& name, const platform::Image& drawn) {
    ASSERT_EQ(drawn.width, kWidth) << name << ": nothing was drawn";
    const QImage picture = toQImage(drawn);
    if (std::getenv("COILRUN_GOLDEN_WRITE")) {
        ASSERT_TRUE(picture.save(QString::fromStdString(storedPath(name)), "PNG")) << name;
        return;
    }
    const QImage stored =
        QImage(QString::fromStdString(storedPath(name))).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(stored.isNull()) << "no stored picture " << storedPath(name);
    ASSERT_EQ(stored.size(), picture.size()) << name;
    QImage differences(picture.size(), QImage::Format_RGB32);
    differences.fill(Qt::black);
    long stray = 0;
    int worst = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb a = picture.pixel(x, y), b = stored.pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b))});
            worst = std::max(worst, d);
            if (d > kChannelTolerance) {
                ++stray;
                differences.setPixel(x, y, qRgb(255, 255, 255));
            }
        }
    const double share = double(stray) / (double(kWidth) * kHeight);
    if (share > kStrayShare) {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
        const QString base = dir + "/coilrun-golden-" + QString::fromStdString(name);
        picture.save(base + "-drawn.png");
        differences.save(base + "-differences.png");
        ADD_FAILURE() << name << ": " << stray << " pixels (" << 100 * share
                      << " %) differ from the stored picture by more than " << kChannelTolerance
                      << " (worst " << worst << "); drawn picture and differences in "
                      << base.toStdString() << "-*.png";
    }
}

class GoldenTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = std::make_unique<offscreen::OffscreenGame>(kWidth, kHeight, storedLevel());
        if (!game->ready()) GTEST_SKIP() << "no GL context through EGL";
    }
    virtual int storedLevel() const { return 0; }
    std::unique_ptr<offscreen::OffscreenGame> game;
};

TEST_F(GoldenTest, RunOfLevelOneLooksAsStored) {
    game->toMenuFlight();
    expectLooksAsStored("menu_flight", game->picture());
    game->toMainMenu();
    expectLooksAsStored("main_menu", game->picture());
    game->toLightIntro();
    expectLooksAsStored("light_intro", game->picture());
    game->toPlay(5);
    ASSERT_FALSE(game->state().levelOver);
    expectLooksAsStored("play_level1", game->picture());
    game->toPause();
    expectLooksAsStored("pause", game->picture());
    game->toLevelOver();
    ASSERT_TRUE(game->state().levelOver);
    expectLooksAsStored("level_over", game->picture());
}

class GoldenLevelThreeTest : public GoldenTest {
    int storedLevel() const override { return 3; }
};

TEST_F(GoldenLevelThreeTest, LongSnakeOnLevelThreeLooksAsStored) {
    game->toMainMenu();
    game->toLightIntro();
    game->toPlay(24);
    ASSERT_EQ(game->state().level, 3);
    ASSERT_FALSE(game->state().levelOver);
    expectLooksAsStored("play_level3", game->picture());
}

} // namespace
} // namespace coilrun

int main(int argc, char** argv) {
    // Fonts are all the test asks of Qt: no window system.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
