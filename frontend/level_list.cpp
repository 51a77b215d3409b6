#include "frontend/level_list.h"

namespace coilrun {
namespace {

void addLevels(std::vector<std::string>& items, int listTop, int maxLevel) {
    for (int k = listTop; k < listTop + 3 && k <= maxLevel; ++k)
        items.push_back("Level " + std::to_string(k));
}

} // namespace

LevelListPage firstLevelListPage(int maxLevel) {
    LevelListPage page;
    if (maxLevel > 5) {
        page.items.push_back(" ");
        addLevels(page.items, 1, maxLevel);
        page.items.push_back("v");
        page.listTop = 1;
    } else {
        for (int k = 1; k <= maxLevel; ++k)
            page.items.push_back("Level " + std::to_string(k));
    }
    return page;
}

LevelListPage levelListScrolledUp(int listTop, int maxLevel) {
    LevelListPage page;
    page.listTop = listTop - 1;
    page.items.push_back(listTop == 2 ? " " : "^");
    addLevels(page.items, page.listTop, maxLevel);
    page.items.push_back("v");
    return page;
}

LevelListPage levelListScrolledDown(int listTop, int maxLevel) {
    LevelListPage page;
    page.listTop = listTop + 1;
    page.items.push_back("^");
    addLevels(page.items, page.listTop, maxLevel);
    page.items.push_back(page.listTop + 2 == maxLevel ? " " : "v");
    return page;
}

} // namespace coilrun
