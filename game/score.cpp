#include "game/score.h"

#include <cfenv>
#include <cmath>

namespace coilrun {

long roundHalfEven(double value) {
    // nearbyint follows the rounding mode, which is to nearest-even unless someone
    // changed it; make that explicit rather than trusting it.
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    if (mode != FE_TONEAREST) std::fesetround(mode);
    return long(r);
}

int levelFactorFor(int advancedLevel) {
    return advancedLevel >= 11 ? 1 : 10 - advancedLevel;
}

int levelScore(int targetLength, int levelFactor, int minutes, int seconds, int hundredths,
               int advancedLevel) {
    constexpr double smallestClockStep = 0.00001;
    double divisor = levelFactor + minutes * 0.1 + seconds * 0.001 + hundredths * 0.00001;
    if (divisor < smallestClockStep) divisor = smallestClockStep;
    long score = roundHalfEven(targetLength / 20.0 / divisor * 500.0);
    if (advancedLevel == 2) score = roundHalfEven(score / 2.0);
    return int(score);
}

} // namespace coilrun
