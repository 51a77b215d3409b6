#include "frontend/level_list.h"

#include <gtest/gtest.h>

namespace coilrun {
namespace {

using Items = std::vector<std::string>;

TEST(LevelList, FiveLevelsWithoutArrows) {
    EXPECT_EQ(firstLevelListPage(5).items,
              (Items{"Level 1", "Level 2", "Level 3", "Level 4", "Level 5"}));
    EXPECT_EQ(firstLevelListPage(1).items, (Items{"Level 1"}));
}

TEST(LevelList, SevenLevelsScrollDownAndBackUp) {
    LevelListPage page = firstLevelListPage(7);
    EXPECT_EQ(page, (LevelListPage{{" ", "Level 1", "Level 2", "Level 3", "v"}, 1}));
    page = levelListScrolledDown(page.listTop, 7);
    EXPECT_EQ(page, (LevelListPage{{"^", "Level 2", "Level 3", "Level 4", "v"}, 2}));
    page = levelListScrolledDown(page.listTop, 7);
    page = levelListScrolledDown(page.listTop, 7);
    page = levelListScrolledDown(page.listTop, 7);
    EXPECT_EQ(page, (LevelListPage{{"^", "Level 5", "Level 6", "Level 7", " "}, 5}))
        << "the last page offers no further scroll";
    page = levelListScrolledUp(page.listTop, 7);
    EXPECT_EQ(page, (LevelListPage{{"^", "Level 4", "Level 5", "Level 6", "v"}, 4}));
    page = levelListScrolledUp(3, 7);
    EXPECT_EQ(page, (LevelListPage{{"^", "Level 2", "Level 3", "Level 4", "v"}, 2}));
    page = levelListScrolledUp(2, 7);
    EXPECT_EQ(page, (LevelListPage{{" ", "Level 1", "Level 2", "Level 3", "v"}, 1}))
        << "back at the top: no arrow up";
}

} // namespace
} // namespace coilrun
