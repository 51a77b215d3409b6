#pragma once
#include <string>
#include <vector>

namespace coilrun {

// The level list the main menu's lower block shows in place of its items: every
// level up to the highest unlocked, three at a time with "^" and "v" to scroll
// when there are more than five.
struct LevelListPage {
    std::vector<std::string> items;
    int listTop = 0; // the first level shown (0 when the list does not scroll)
    bool operator==(const LevelListPage&) const = default;
};

LevelListPage firstLevelListPage(int maxLevel);
// One level up or down from the page that starts at listTop.
LevelListPage levelListScrolledUp(int listTop, int maxLevel);
LevelListPage levelListScrolledDown(int listTop, int maxLevel);

} // namespace coilrun
