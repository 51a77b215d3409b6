#pragma once
// A player at the keyboard of the whole program on the simulated platform: starts
// it, waits for the menu, starts a game, and steers the snake to its specks with
// the arrow keys, all in virtual time.
#include "app/coilrun_app.h"
#include "game/occupancy_grid.h"
#include "tests/sim/sim_platform.h"

#include <functional>
#include <memory>
#include <string>

namespace coilrun::scenario {

class GameDriver {
public:
    // maxLevel: the "level" stored from an earlier run (0: none stored); the score
    // list the splash reads from the score page's title; the screen's height.
    explicit GameDriver(int storedLevel = 0, const std::string& scoreList = kScoreList,
                        int screenHeight = 1024);
    // prepare sets up the platform (its screen, its fonts) before the program starts.
    GameDriver(int storedLevel, const std::function<void(sim::SimPlatform&)>& prepare);
    static constexpr const char* kScoreList = "alice  1234+bob  99+";
    ~GameDriver();

    sim::SimPlatform platform;
    std::unique_ptr<CoilrunApp> app;

    TForm1& form() { return app->mainForm(); }
    GameState& state() { return form().state(); }
    const SceneLinks& links() { return form().links(); }
    sim::SimWindow& mainWindow() { return *platform.windows.at(1); }
    sim::SimWindow& splashWindow() { return *platform.windows.at(0); }

    // Virtual time; after every handled event the game is checked: never two of
    // its cadencers enabled at once.
    void run(double seconds);
    bool runUntil(const std::function<bool()>& done, double maxSeconds);
    int cadencerOverlaps() const { return overlaps_; }

    void press(int vk) { platform.keyboardImpl.press(vk); }
    void release(int vk) { platform.keyboardImpl.release(vk); }
    void releaseAll() { platform.keyboardImpl.releaseAll(); }
    // Holds a key for a moment, then lets go.
    void tap(int vk, double seconds = 0.05);
    // Presses and lets go at once, between two frames, as a remote desktop or a
    // key-repeat burst sends a key.
    void tapBetweenFrames(int vk) { press(vk), release(vk); }

    // Runs until the main menu has faded in.
    void toMainMenu();
    // Space at the menu, then waits until the light intro is over and the
    // controls are live.
    void startGame();
    // Waits until a level has been set up and its controls are live.
    bool untilControlsLive(double maxSeconds = 10);

    // The cell the head is heading for (or is in, between steps).
    Cell headingCell();
    // Presses the one key that steers toward this world direction now ("d", "up",
    // ...); false when the view does not allow it at the moment.
    bool steerToward(const std::string& direction);
    // Steers toward the speck, cell by cell, avoiding the body, the walls and
    // reversals, until done() holds or the time is up.
    bool chaseSpecks(const std::function<bool()>& done, double maxSeconds);
    // Steps along these world directions one cell each, turning the rig for left
    // and right as needed, until done() holds or the time is up.
    bool follow(const std::vector<std::string>& directions, const std::function<bool()>& done,
                double maxSeconds);
    // Holds an arrow key until the head leaves the box and the level is over.
    bool leaveTheBox(int key);
    // From start-up through the menu into level 1 and out of its box; true once the
    // result screen has had a second to fade in.
    bool toResultScreen();

    // The pointer, as the viewer reports it. Menus are laid out as a drawn frame
    // would (a hidden one keeps the box of its last drawing).
    void layoutMenus();
    void movePointer(int x, int y);
    void pressPointer(int button = 0);
    // The middle of a line of a menu, on the box it was last laid out with.
    platform::Point pointOn(const engine::TGLGameMenu& menu, int line);
    // Moves the pointer onto a line of a shown menu and clicks it.
    void click(engine::TGLGameMenu& menu, int line);
    // Moves the pointer there and clicks, with the menus as they were last drawn.
    void clickAt(platform::Point p);

    // Sample names whose playback started, in order, recognised by their data.
    std::vector<std::string> samplesPlayed();
    bool won();
    bool lost();

private:
    void start(int storedLevel, const std::string& scoreList);
    void chooseDirection();
    std::string planStep(Cell here, bool flat, bool haveSpeck);
    void steerPlan();
    // Lets go of the arrow keys and of the mouse.
    void letGo();
    std::string plan_;
    int overlaps_ = 0;
    std::string lastSituation_;
    platform::Point pointer_;
};

} // namespace coilrun::scenario
