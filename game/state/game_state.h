#pragma once
#include "game/occupancy_grid.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace coilrun {

// What a line of the open overlay list leads to.
enum class OverlayLink { none, goBack, quitGame, kestrinPage, velmoraPage };

// The game's shared state: one record that the game frame driver, the timers, the
// menus and the windows read and write. It is owned by the game window and passed
// by reference, so that two games can run side by side in one test.
struct GameState {
    // Steering and stepping.
    std::string requestedDirection; // "", "w", "a", "s", "d", "up", "down"
    std::string stepDirection;
    char keyUp = 'w', keyLeft = 'a', keyDown = 's', keyRight = 'd', keyUpAlt = '+',
         keyDownAlt = '-';
    bool stepping = false;
    bool levelOver = false;
    bool controlsActive = false;
    bool musicDue = false;
    bool fullCube = false;
    bool soundOn = true;
    bool restartRequested = false;
    bool startRequested = false;
    double stepDistance = 0;
    double snakeSpeed = 0;
    double rigSpin = 0;
    double turnRate = 0;
    double headDistY = 0, headDistX = 0, headDistZ = 0;
    double toneHigh = 0, toneMid = 0, toneLow = 0;

    // Clocks: seconds since the last level set-up, of the music, and the level clock.
    int playSeconds = 0;
    int musicClock = 0;
    int clockMinutes = 0, clockSeconds = 0, clockHundredths = 0;

    // Scoring and progress.
    int levelFactor = 0;
    int score = 0;
    int bestScore = 0;
    double rigTurn = 0;
    int snakeLength = 0;
    int lastStepLength = 0;
    int level = 1;
    int maxLevel = 1;
    int targetLength = 0;
    Cell speckCell;
    Cell eatenCell;
    OccupancyGrid occupancy;

    // Sound selection: what should be playing, and what the driver last started.
    std::string soundName;
    std::string playingSound;

    // The level title, the count-down and the game camera's zoom.
    int titleTicks = 0;
    int countdown = 0;
    double cameraFocal = 0;

    // The menus.
    bool levelListMode = false;
    bool levelPicked = false;
    bool overlayOpen = false;
    int listTop = 0;
    double menuFade = 0;
    int menuMusicTicks = 0;
    int howToPage = 0;
    // The open overlay list's links, line by line, fixed by whoever made the list: a
    // line's text may be a name from the score server, so it never picks an action.
    std::vector<OverlayLink> overlayLinks;
    // The overlay list's authored line spacing, kept while a short window draws the
    // lines closer.
    std::optional<int> overlaySpacing;
    // The menu line the game controller has selected: which menus were on the screen
    // then (a bit for each, 0 for none) and the line's place among their lines.
    int padMenus = 0;
    int padLine = -1;

    // The speck's dice: seeded from the clock at every level set-up (and StartGame),
    // so that a run's specks follow from its seed. Fields are listed for storing and
    // comparing in game_state_fields.h.
    std::uint32_t diceSeed = 0;
    std::mt19937 speckDice;
};

} // namespace coilrun
