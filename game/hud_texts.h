#pragma once
#include <string>

namespace coilrun {

// The level clock as the HUD shows it: "7:05" (7 s, 5 hundredths) without minutes,
// "1:07:45" with them. The hundredths are ticks of a 10 ms timer reset each second.
std::string clockText(int minutes, int seconds, int hundredths);

// Progress toward the level's target: "0% DONE" ... "100% DONE", the percentage
// rounded to the nearest integer with halves to even.
std::string progressText(int snakeLength, int targetLength);

// The main window's caption while the game runs:
// "Musictime = 4        SnakeLength = 2        light = 1      fps = 59.5"
std::string statusLine(int musicClock, int snakeLength, double lightAttenuation, double fps);

// fps rounded to two decimals in the shortest decimal form: 60, 59.5, 33.33.
std::string framesPerSecondText(double fps);

// "Level " + n, the title shown at the start of a level.
std::string levelTitle(int level);

// The level number written after a prefix of six characters ("LEVEL 12",
// "Level 7"): the characters 7 to 9 as an integer, 0 when they are not one.
int levelNumberAfterPrefix(const std::string& text);

} // namespace coilrun
