// The game's plain rules: steering, the level table, scores, progress and clock
// texts, the grid, speck placement, the level maps and the window layout.
#include "game/hud_texts.h"
#include "game/level_map.h"
#include "game/level_table.h"
#include "game/occupancy_grid.h"
#include "game/scene_links.h"
#include "game/score.h"
#include "game/screen_layout.h"
#include "game/specks.h"
#include "game/steering.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace coilrun {
namespace {

SteeringKeys keys(bool up, bool down, bool left, bool right) {
    return {up, down, left, right};
}

TEST(Steering, LeftAndRightFollowTheRigWhileUpAndDownAreWorldAxes) {
    const engine::Vec3 facingPlusZ{0, 0, 1}, facingMinusZ{0, 0, -1};
    EXPECT_EQ(steer(keys(0, 0, 0, 1), facingPlusZ, ""), "d");
    EXPECT_EQ(steer(keys(0, 0, 1, 0), facingPlusZ, ""), "a");
    EXPECT_EQ(steer(keys(0, 0, 0, 1), facingMinusZ, ""), "a");
    EXPECT_EQ(steer(keys(0, 0, 1, 0), facingMinusZ, ""), "d");
    EXPECT_EQ(steer(keys(0, 0, 0, 1), {0.8f, 0, 0.6f}, ""), "w") << "rig turned past 0.7 in X";
    EXPECT_EQ(steer(keys(0, 0, 1, 0), {0.8f, 0, 0.6f}, ""), "s");
    EXPECT_EQ(steer(keys(0, 0, 0, 1), {-0.8f, 0, 0.6f}, ""), "s");
    EXPECT_EQ(steer(keys(0, 0, 1, 0), {-0.8f, 0, 0.6f}, ""), "w");
    EXPECT_EQ(steer(keys(1, 0, 0, 0), {-0.8f, 0, 0.6f}, "d"), "up");
    EXPECT_EQ(steer(keys(0, 1, 0, 0), facingPlusZ, "up"), "down");
    EXPECT_EQ(steer(keys(0, 0, 0, 0), facingPlusZ, "s"), "s") << "no key keeps the request";
}

TEST(Steering, LaterRulesWinAndTheBoundariesOfTheRig) {
    const engine::Vec3 facingPlusZ{0, 0, 1};
    EXPECT_EQ(steer(keys(1, 0, 0, 1), facingPlusZ, ""), "d") << "up and right: right wins";
    EXPECT_EQ(steer(keys(1, 1, 0, 0), facingPlusZ, ""), "down");
    EXPECT_EQ(steer(keys(0, 0, 1, 1), facingPlusZ, ""), "a") << "left is tested last";
    // Exactly 0.7 still maps to X; exactly -0.7 maps to nothing (the request stays).
    EXPECT_EQ(steer(keys(0, 0, 0, 1), {0.7f, 0, 0.71f}, ""), "d");
    EXPECT_EQ(steer(keys(0, 0, 0, 1), {-0.7f, 0, 0.71f}, "up"), "up");
    EXPECT_EQ(steer(keys(1, 0, 0, 1), {-0.7f, 0, 0.71f}, ""), "up");
}

TEST(Steering, AReversalGoesStraightOn) {
    for (auto [request, step] : std::map<std::string, std::string>{
             {"w", "s"}, {"s", "w"}, {"a", "d"}, {"d", "a"}, {"up", "down"}, {"down", "up"}})
        EXPECT_EQ(withoutReversal(request, step), step) << request;
    EXPECT_EQ(withoutReversal("up", "d"), "up");
    EXPECT_EQ(withoutReversal("d", ""), "d");
    EXPECT_EQ(withoutReversal("", "d"), "");
}

TEST(LevelTable, LevelsAboveTenAskForEveryBodySphereAndSpeedUp) {
    EXPECT_EQ(levelParameters(1), (LevelParameters{8, 3.0, false, true})) << "played in one plane";
    EXPECT_EQ(levelParameters(2), (LevelParameters{5, 3.0, false}));
    EXPECT_EQ(levelParameters(9), (LevelParameters{24, 6.0, true}));
    EXPECT_EQ(levelParameters(10), (LevelParameters{30, 7.0, false}));
    EXPECT_EQ(levelParameters(11), (LevelParameters{38, 7.5, true}));
    EXPECT_EQ(levelParameters(12), (LevelParameters{38, 8.0, true}));
    EXPECT_EQ(levelParameters(40).targetLength, SceneLinks::kSegments - 1);
}

TEST(Score, LevelFactorAndTheClockMakeTheDivisor) {
    EXPECT_EQ(levelFactorFor(9), 1);
    EXPECT_EQ(levelFactorFor(10), 0) << "winning level 9";
    EXPECT_EQ(levelFactorFor(11), 1) << "winning level 10";
    EXPECT_EQ(levelFactorFor(25), 1);
    // Level 8 won in 1:00:00: 21 / 20 / (2 + 0.1) * 500 = 250.
    EXPECT_EQ(levelScore(21, 2, 1, 0, 0, 9), 250);
    // Level 9 won in the same time: its factor is 0, so the clock alone divides.
    EXPECT_EQ(levelScore(24, 0, 1, 0, 0, 10), 6000);
    // Level 1 (advanced to 2) is halved: 8 / 20 / (8 + 0.030) * 500 = 24.907 -> 25 -> 12.5 -> 12.
    EXPECT_EQ(levelScore(8, 8, 0, 30, 0, 2), 12);
    EXPECT_EQ(levelScore(8, 8, 0, 30, 0, 3), 25);
}

TEST(Score, ADivisorOfZeroIsTheSmallestClockStep) {
    const int score = levelScore(24, 0, 0, 0, 0, 10);
    EXPECT_EQ(score, 60000000) << "24 / 20 / 0.00001 * 500";
    EXPECT_EQ(levelScore(24, 0, 0, 0, 1, 10), 60000000);
}

TEST(Score, HalvesRoundToEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
}

TEST(HudTexts, ProgressOfLevelOneAndTwo) {
    std::vector<std::string> level1;
    for (int length = 3; length <= 8; ++length)
        level1.push_back(progressText(length, 8));
    EXPECT_EQ(level1, (std::vector<std::string>{"17% DONE", "33% DONE", "50% DONE", "67% DONE",
                                                "83% DONE", "100% DONE"}));
    EXPECT_EQ(progressText(2, 8), "0% DONE");
    EXPECT_EQ(progressText(3, 5), "33% DONE") << "first speck of level 2";
    EXPECT_EQ(progressText(4, 18), "12% DONE") << "12.5 rounds to even";
    EXPECT_EQ(progressText(8, 18), "38% DONE") << "37.5 rounds to even";
}

TEST(HudTexts, ClockTextHasThreeFieldsOnceAMinuteHasPassed) {
    EXPECT_EQ(clockText(0, 7, 5), "7:05");
    EXPECT_EQ(clockText(0, 0, 0), "0:00");
    EXPECT_EQ(clockText(0, 59, 99), "59:99");
    EXPECT_EQ(clockText(1, 0, 5), "1:00:05");
    EXPECT_EQ(clockText(1, 7, 45), "1:07:45");
    EXPECT_EQ(clockText(12, 10, 10), "12:10:10");
}

TEST(HudTexts, LevelNumberAfterItsPrefix) {
    EXPECT_EQ(levelNumberAfterPrefix("LEVEL 1"), 1);
    EXPECT_EQ(levelNumberAfterPrefix("LEVEL 12"), 12);
    EXPECT_EQ(levelNumberAfterPrefix("Level 7"), 7);
    EXPECT_EQ(levelNumberAfterPrefix("LEVEL 1234"), 123) << "three characters at most";
    EXPECT_EQ(levelNumberAfterPrefix("LEVEL "), 0);
    EXPECT_EQ(levelNumberAfterPrefix("LEVEL x"), 0);
}

TEST(OccupancyGrid, IndexOutsideCellsAndCountDown) {
    EXPECT_EQ(OccupancyGrid::indexOf({-3, -3, -3}), 0);
    EXPECT_EQ(OccupancyGrid::indexOf({3, 3, 3}), 342);
    EXPECT_EQ(OccupancyGrid::indexOf({0, 0, 0}), 171);
    EXPECT_EQ(OccupancyGrid::indexOf({1, -3, 0}), 199);
    EXPECT_EQ(cellAt(4, -2, 0), (Cell{2, -1, 0}));
    EXPECT_EQ(cellAt(8, 0, 0), (Cell{4, 0, 0}));

    OccupancyGrid grid;
    grid.set({0, 4, 0}, 5); // the head stepping out of the box above cell (0, 3, 0)
    EXPECT_EQ(grid.at({0, 4, 0}), 0) << "outside the box reads free";
    EXPECT_EQ(grid.at({1, -3, 0}), 0) << "and lands in no other cell's slot";
    EXPECT_EQ(grid.freeCount(), 343);

    grid.set({0, 0, 1}, 1);
    grid.set({0, 0, 2}, 2);
    grid.set({0, 0, 3}, 3);
    grid.extendBody();
    EXPECT_EQ(grid.at({0, 0, 1}), 1) << "the tail's cell is vacated as planned";
    EXPECT_EQ(grid.at({0, 0, 2}), 3);
    EXPECT_EQ(grid.at({0, 0, 3}), 4);
    grid.countDown();
    EXPECT_EQ(grid.at({0, 0, 1}), 0);
    EXPECT_EQ(grid.at({0, 0, 3}), 3);
}

TEST(Specks, PlacedOnlyInFreeCellsOfTheLevelsRange) {
    std::mt19937 dice(7);
    OccupancyGrid empty;
    std::set<std::tuple<int, int, int>> seenLevel1, seenInner;
    for (int i = 0; i < 3000; ++i) {
        const Cell c = *pickSpeckCell(empty, false, 1, dice);
        EXPECT_EQ(c.z, 0);
        EXPECT_LE(std::abs(c.x), 2);
        EXPECT_LE(std::abs(c.y), 2);
        seenLevel1.insert({c.x, c.y, c.z});
        const Cell inner = *pickSpeckCell(empty, false, 4, dice);
        EXPECT_LE(std::max({std::abs(inner.x), std::abs(inner.y), std::abs(inner.z)}), 2);
        seenInner.insert({inner.x, inner.y, inner.z});
    }
    EXPECT_EQ(seenLevel1.size(), 25u) << "every cell of the plane is reachable";
    EXPECT_EQ(seenInner.size(), 125u);

    std::set<std::tuple<int, int, int>> seenFull;
    for (int i = 0; i < 20000; ++i) {
        const Cell c = *pickSpeckCell(empty, true, 5, dice);
        seenFull.insert({c.x, c.y, c.z});
    }
    EXPECT_EQ(seenFull.size(), 343u) << "a full cube reaches the outer layer";
}

TEST(Specks, NeverOnTheSnakeAndNowhereWhenTheRangeIsFull) {
    std::mt19937 dice(3);
    OccupancyGrid grid;
    for (int x = -2; x <= 2; ++x)
        for (int y = -2; y <= 2; ++y)
            if (!(x == 1 && y == -1)) grid.set({x, y, 0}, 2);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(*pickSpeckCell(grid, false, 1, dice), (Cell{1, -1, 0}));
    grid.set({1, -1, 0}, 1);
    EXPECT_FALSE(pickSpeckCell(grid, false, 1, dice)) << "the speck waits instead of looping";
}

TEST(Specks, UniformAmongFreeCells) {
    std::mt19937 dice(11);
    OccupancyGrid grid;
    grid.set({0, 0, 0}, 3);
    std::map<std::pair<int, int>, int> counts;
    const int draws = 24000;
    for (int i = 0; i < draws; ++i) {
        const Cell c = *pickSpeckCell(grid, false, 1, dice);
        ++counts[{c.x, c.y}];
    }
    EXPECT_EQ(counts.size(), 24u);
    for (const auto& [cell, n] : counts)
        EXPECT_NEAR(n, draws / 24, 150);
}

TEST(LevelMap, ColumnsWithTwoOrMoreShowAndAVerticalRunIsOneCube) {
    OccupancyGrid grid;
    for (int y = -1; y <= 2; ++y)
        grid.set({1, y, -2}, 3 + y); // a vertical run
    grid.set({-3, 0, 3}, 1);         // only the tail: about to go
    const auto shown = mapColumns(grid);
    int count = 0;
    for (const auto& row : shown)
        for (bool b : row)
            count += b;
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(shown[1 + 3][-2 + 3]);
    EXPECT_FALSE(shown[-3 + 3][3 + 3]);
}

TEST(LevelMap, TheTwoNamingRules) {
    EXPECT_EQ(groundMapCubeName(0, 3), "mapCube03");
    EXPECT_EQ(groundMapCubeName(0, -1), "mapCube0n1");
    EXPECT_EQ(groundMapCubeName(-2, 3), "mapCuben23");
    EXPECT_EQ(groundMapCubeName(-3, -3), "mapCuben3n3");
    EXPECT_EQ(skyMapCubeName(0, 3), "mapCube1");
    EXPECT_EQ(skyMapCubeName(0, -3), "mapCube7");
    EXPECT_EQ(skyMapCubeName(1, 3), "mapCube8");
    EXPECT_EQ(skyMapCubeName(1, 1), "mapCube14") << "10 to 13 are not used";
    EXPECT_EQ(skyMapCubeName(3, 3), "mapCube34");
    EXPECT_EQ(skyMapCubeName(-1, 3), "mapCube41");
    EXPECT_EQ(skyMapCubeName(-3, -3), "mapCube61");
    std::set<std::string> names;
    for (int x = -3; x <= 3; ++x)
        for (int z = -3; z <= 3; ++z)
            names.insert(skyMapCubeName(x, z));
    EXPECT_EQ(names.size(), 49u);
}

TEST(ScreenLayout, FontSizesInPointsAndTheMainMenu) {
    EXPECT_EQ(pointsToPixels(32, 96), 43);
    EXPECT_EQ(pointsToPixels(36, 96), 48);
    EXPECT_EQ(pixelsToPoints(48, 96), 36);
    EXPECT_EQ(hudFontPoints(720), 29);
    EXPECT_EQ(hudFontPoints(500), 20);

    const MainMenuPlacement small = mainMenuPlacement(1200, 600, 29); // 6 x 29 = 174: 190
    EXPECT_EQ(small.lowerBlock, (PixelPoint{800, 420}));
    EXPECT_EQ(small.title, (PixelPoint{400, 330}));
    EXPECT_EQ(small.upperBlock, (PixelPoint{400, 520}));
    EXPECT_EQ(mainMenuPlacement(1200, 600, 30).upperBlock.y, 330 + 180);
    EXPECT_EQ(resultMenuPosition(1200, 600, 1), (PixelPoint{900, 350}));
    EXPECT_EQ(resultMenuPosition(1200, 600, 0), (PixelPoint{920, 355}));
    EXPECT_EQ(howToPageBox(1280, 800), (SpriteBox{640, 800 / 2.1, 600, 400}));
}

TEST(ScreenLayout, AnOverlayListAlwaysFitsTheWindowHeight) {
    // 14 lines of 48 px, 16 apart, margins of 16: a box 912 high.
    EXPECT_EQ(overlayListFit(1024, 512, 48, 16, 16, 14), (OverlayListFit{16, 14, 512}))
        << "room enough: as authored";
    EXPECT_EQ(overlayListFit(1024, 300, 48, 16, 16, 14), (OverlayListFit{16, 14, 456}))
        << "moved down, no further than the box must";
    EXPECT_EQ(overlayListFit(800, 400, 48, 16, 16, 14), (OverlayListFit{7, 14, 400}));
    EXPECT_EQ(overlayListFit(500, 250, 48, 16, 16, 14), (OverlayListFit{-6, 11, 250}))
        << "closed up to an overlap of a sixth of a line, then cut";
    EXPECT_EQ(overlayListFit(60, 30, 48, 16, 16, 14).lines, 1) << "at least the way back";
    EXPECT_EQ(overlayListFit(500, 250, 48, 16, -20, 14).spacing, -20)
        << "never drawn wider than authored";
    EXPECT_EQ(overlayListFit(800, 400, 48, 16, 16, 0).lines, 0);
}

} // namespace
} // namespace coilrun
