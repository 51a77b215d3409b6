#pragma once

namespace coilrun {

// Pixel positions of the window layout, as plain arithmetic on its size.

struct PixelPoint {
    double x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Font sizes are given in points, as desktop toolkits measure them; the bitmap
// font is rasterised in pixels of a screen with this many dots per inch.
int pointsToPixels(int points, int dpi);
int pixelsToPoints(int pixels, int dpi);

// The HUD font's size in points for a window this high: 4 % of the height, rounded
// (below 800 pixels; taller windows keep the authored size).
int hudFontPoints(int windowHeight);

// The main menu: the lower block at two thirds of the width and seven tenths of
// the height, the title at one third and eleven twentieths, and the upper block
// below the title by six times the font size (at least 178, else 190).
struct MainMenuPlacement {
    PixelPoint lowerBlock; // menuMain2
    PixelPoint title;      // TextMain1
    PixelPoint upperBlock; // menuMain1
    bool operator==(const MainMenuPlacement&) const = default;
};
MainMenuPlacement mainMenuPlacement(int windowWidth, int windowHeight, int fontPoints);

// The result menu slides in from the lower right as it fades in (alpha 0 .. 1).
PixelPoint resultMenuPosition(int windowWidth, int windowHeight, double alpha);

// The how-to page: half the screen high, 1.5 times that wide, centred across and
// at height / 2.1 from the top.
struct SpriteBox {
    double x = 0, y = 0, width = 0, height = 0;
    bool operator==(const SpriteBox&) const = default;
};
SpriteBox howToPageBox(int screenWidth, int screenHeight);

// An overlay list of this many lines, lineHeight apart plus spacing, in a box with
// marginVert above and below, centred at centreY in a window this high. Where the box
// fits as it is nothing changes. Otherwise it moves within the window, then its lines
// close up (overlapping by at most a sixth of their height), and only then are lines
// left out: the box always fits, so every line shown can be clicked.
struct OverlayListFit {
    int spacing = 0;
    int lines = 0; // how many of the lines are shown
    double centreY = 0;
    bool operator==(const OverlayListFit&) const = default;
};
OverlayListFit overlayListFit(int windowHeight, double centreY, int lineHeight, int marginVert,
                              int spacing, int lines);

} // namespace coilrun
