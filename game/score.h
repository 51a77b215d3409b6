#pragma once

namespace coilrun {

// The first term of the score divisor, from the level already advanced past the
// one just won: 10 - level below 11, else 1. Winning level 9 gives 0, which makes
// its score about ten times that of level 8.
int levelFactorFor(int advancedLevel);

// The score of a won level: targetLength / 20 / divisor x 500, rounded to the
// nearest integer (halves to even), where the divisor is levelFactor plus the
// level clock (minutes x 0.1 + seconds x 0.001 + hundredths x 0.00001). A
// divisor below the clock's smallest step (0.00001) counts as that step, so a
// level won with factor 0 before the clock moved still has a finite score.
// Winning level 1 (advancedLevel 2) halves the score, rounded the same way.
int levelScore(int targetLength, int levelFactor, int minutes, int seconds, int hundredths,
               int advancedLevel);

// Rounds to the nearest integer, halves to the even neighbour.
long roundHalfEven(double value);

} // namespace coilrun
