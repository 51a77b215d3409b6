#include "game/screen_layout.h"

#include <cmath>

namespace coilrun {

int pointsToPixels(int points, int dpi) {
    return int(std::lround(points * double(dpi) / 72.0));
}
int pixelsToPoints(int pixels, int dpi) {
    return dpi > 0 ? int(std::lround(pixels * 72.0 / dpi)) : pixels;
}

int hudFontPoints(int windowHeight) {
    return int(std::lround(windowHeight * 4 / 100.0));
}

MainMenuPlacement mainMenuPlacement(int w, int h, int fontPoints) {
    MainMenuPlacement p;
    p.lowerBlock = {w * 2.0 / 3.0, h * 7.0 / 10.0};
    p.title = {w / 3.0, h * 11.0 / 20.0};
    const int gap = 6 * fontPoints > 178 ? 6 * fontPoints : 190;
    p.upperBlock = {p.title.x, p.title.y + gap};
    return p;
}

PixelPoint resultMenuPosition(int w, int h, double a) {
    return {(1 - a) * 20 + w * 3.0 / 4.0, (1 - a) * 5 + h * 7.0 / 12.0};
}

SpriteBox howToPageBox(int w, int h) {
    const double height = h / 2.0;
    return {w / 2.0, h / 2.1, height * 1.5, height};
}

} // namespace coilrun
