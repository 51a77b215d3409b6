#include "game/level_table.h"

#include <array>

namespace coilrun {

LevelParameters levelParameters(int level) {
    static constexpr std::array<LevelParameters, 10> table{{
        {8, 3.0, false, true},
        {5, 3.0, false},
        {7, 3.0, true},
        {9, 4.0, false},
        {12, 4.0, true},
        {15, 5.0, false},
        {18, 5.0, true},
        {21, 6.0, false},
        {24, 6.0, true},
        {30, 7.0, false},
    }};
    if (level >= 1 && level <= 10) return table[level - 1];
    return {38, level / 2.0 + 2.0, true};
}

} // namespace coilrun
