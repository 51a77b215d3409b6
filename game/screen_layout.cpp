#include "game/screen_layout.h"

#include <algorithm>
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

namespace {

// Division rounding down, for room that may be negative.
int floorDiv(int a, int b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

} // namespace

OverlayListFit overlayListFit(int windowHeight, double centreY, int lineHeight, int marginVert,
                              int spacing, int lines) {
    const int room = windowHeight - 2 * marginVert;
    auto boxHeight = [&](int gap, int count) {
        return count * lineHeight + (count - 1) * gap + 2 * marginVert;
    };
    // The largest spacing up to the list's own at which count lines fill the room.
    auto spacingFor = [&](int count) {
        return count > 1 ? std::min(spacing, floorDiv(room - count * lineHeight, count - 1))
                         : spacing;
    };
    OverlayListFit fit{spacing, lines, centreY};
    const int closest = std::min(spacing, -(lineHeight / 6));
    if (lines < 1 || lineHeight + closest <= 0) return fit;
    if (boxHeight(spacing, lines) > windowHeight) {
        fit.spacing = std::max(closest, spacingFor(lines));
        if (boxHeight(fit.spacing, lines) > windowHeight) {
            fit.lines = std::max(1, floorDiv(room + closest, lineHeight + closest));
            fit.spacing = std::max(closest, spacingFor(fit.lines));
        }
    }
    const double half = boxHeight(fit.spacing, fit.lines) / 2.0;
    fit.centreY = 2 * half > windowHeight ? windowHeight / 2.0
                                          : std::clamp(centreY, half, windowHeight - half);
    return fit;
}

} // namespace coilrun
