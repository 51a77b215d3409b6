#include "game/hud_texts.h"

#include "game/score.h"

#include <charconv>
#include <cmath>

namespace coilrun {

std::string clockText(int minutes, int seconds, int hundredths) {
    const std::string h2 = (hundredths > 9 ? ":" : ":0") + std::to_string(hundredths);
    if (minutes == 0) return std::to_string(seconds) + h2;
    const std::string s2 = (seconds > 9 ? ":" : ":0") + std::to_string(seconds);
    return std::to_string(minutes) + s2 + h2;
}

std::string progressText(int snakeLength, int targetLength) {
    const double percent = 100.0 / (targetLength - 2) * (snakeLength - 2);
    return std::to_string(roundHalfEven(percent)) + "% DONE";
}

std::string framesPerSecondText(double fps) {
    const double rounded = std::round(fps * 100.0) / 100.0;
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, rounded);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

std::string statusLine(int musicClock, int snakeLength, double lightAttenuation, double fps) {
    return "Musictime = " + std::to_string(musicClock) +
           "        SnakeLength = " + std::to_string(snakeLength) +
           "        light = " + std::to_string(roundHalfEven(lightAttenuation)) +
           "      fps = " + framesPerSecondText(fps);
}

std::string levelTitle(int level) {
    return "Level " + std::to_string(level);
}

int levelNumberAfterPrefix(const std::string& text) {
    if (text.size() <= 6) return 0;
    const std::string digits = text.substr(6, 3);
    int value = 0;
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    while (first != last && *first == ' ')
        ++first; // leading blanks convert, as integers read
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) return 0;
    return value;
}

} // namespace coilrun
