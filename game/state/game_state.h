#pragma once
#include <array>
#include <string>

namespace coilrun {

// The game's shared state: one record that the game frame driver, the menus and
// the windows read and write. It is owned by the game window and passed by
// reference, so that two games can run side by side in one test.
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

    // Clocks, seconds since the last level set-up and of the music.
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
    std::array<int, 3> speckCell{};
    std::array<int, 3> eatenCell{};
    // The playfield grid, indexed [x + 3][y + 3][z + 3].
    std::array<std::array<std::array<int, 7>, 7>, 7> occupancy{};

    // Sound selection.
    std::string soundName;
    std::string playingSound;

    // Game-side values the menus also touch.
    double cameraFocal = 0;
    int countdown = 0;
};

} // namespace coilrun
