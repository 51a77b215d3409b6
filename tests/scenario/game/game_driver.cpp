#include "tests/scenario/game/game_driver.h"

#include "engine/platform/virtual_keys.h"
#include "engine/sound/sound_library.h"
#include "game/cadencer_handover.h"
#include "game/specks.h"
#include "game/steering.h"
#include "tests/scenario/game/speck_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace coilrun::scenario {

GameDriver::GameDriver(int storedLevel, const std::string& scoreList, int screenHeight) {
    platform.screenImpl.h = screenHeight;
    start(storedLevel, scoreList);
}

GameDriver::GameDriver(int storedLevel, const std::function<void(sim::SimPlatform&)>& prepare) {
    prepare(platform);
    start(storedLevel, kScoreList);
}

void GameDriver::start(int storedLevel, const std::string& scoreList) {
    if (storedLevel > 0)
        platform.settingsImpl.keys["Software\\Quorvex\\Coilrun"]["level"] =
            std::to_string(storedLevel);
    platform.web.answer = [scoreList](const std::string&) {
        return sim::SimPage{sim::SimPage::Outcome::Title, scoreList, 200};
    };
    app = std::make_unique<CoilrunApp>(platform);
}

GameDriver::~GameDriver() = default;

bool GameDriver::runUntil(const std::function<bool()>& done, double maxSeconds) {
    return platform.loopImpl.runUntil(
        [&] {
            if (enabledCadencers(links()) > 1) ++overlaps_;
            return done();
        },
        maxSeconds);
}

void GameDriver::run(double seconds) {
    runUntil([] { return false; }, seconds);
}

void GameDriver::tap(int vk, double seconds) {
    press(vk);
    run(seconds);
    release(vk);
}

void GameDriver::toMainMenu() {
    runUntil([&] { return links().TextMain1->visible() && !links().asynctmrTimerMenu1->enabled(); },
             60);
}

void GameDriver::startGame() {
    press(vk::space);
    runUntil([&] { return !links().CadencerMenu->enabled(); }, 5);
    release(vk::space);
    untilControlsLive();
}

bool GameDriver::untilControlsLive(double maxSeconds) {
    return runUntil([&] { return state().controlsActive && !state().levelOver; }, maxSeconds);
}

Cell GameDriver::headingCell() {
    const auto& p = links().jumperball->position();
    return cellAt(p.x(), p.y(), p.z());
}

bool GameDriver::steerToward(const std::string& direction) {
    for (int key : {vk::up, vk::down, vk::left, vk::right})
        release(key);
    const int key = keyToward(links(), direction);
    if (key != 0) press(key);
    return key != 0;
}

void GameDriver::chooseDirection() {
    GameState& s = state();
    const Cell here = headingCell();
    const bool flat = s.level == 1;
    const bool haveSpeck = !speckLifted(links());
    // Plan again only when something that matters has changed.
    const std::string situation = chaseSituation(s, here, haveSpeck);
    if (situation != lastSituation_) {
        lastSituation_ = situation;
        plan_ = planStep(here, flat, haveSpeck);
    }
    steerPlan();
}

std::string GameDriver::planStep(Cell here, bool flat, bool haveSpeck) {
    return planSpeckStep(state(), here, flat, haveSpeck);
}

void GameDriver::steerPlan() {
    GameState& s = state();
    const engine::Vec3 d = links().Dummy2->direction().asAffine();
    const double heading = std::atan2(d.x, d.z) * 180 / std::numbers::pi; // Dummy2.turn(+a) adds a
    const int axis = axisOf(plan_);
    // Left and right steer along X while the rig faces along Z, and along Z while it
    // faces along X: turn the rig to the nearest such heading the plan needs, or, for
    // up and down, keep it square to whatever it faces.
    bool wantsX = std::abs(d.x) <= 0.7f;
    if (axis == 0) wantsX = true;
    if (axis == 2) wantsX = false;
    double target = 0, bestGap = 1e9;
    for (double candidate :
         wantsX ? std::vector<double>{0, 180, -180} : std::vector<double>{90, -90}) {
        const double gap = std::abs(std::remainder(candidate - heading, 360.0));
        if (gap < bestGap) bestGap = gap, target = candidate;
    }
    const double off = std::remainder(target - heading, 360.0);
    if (s.level > 1) {
        // A rig turn of r degrees a frame comes from a mouse move of asin(-r / 100)
        // degrees (4 hundredths of a degree a pixel); staying below 7 keeps the rig
        // from taking on momentum.
        const double r = std::clamp(off * 0.3, -5.0, 5.0);
        const double degrees = std::asin(-r / 100) * 180 / std::numbers::pi;
        const int dx = int(std::lround(degrees / 0.04));
        const platform::Point centre = links().GLUserInterface1->screenCentre();
        platform.cursorImpl.moveTo({centre.x + dx, centre.y});
    }
    if (plan_.empty()) {
        for (int key : {vk::up, vk::down, vk::left, vk::right})
            release(key);
        return;
    }
    // Square enough to trust left and right with the plan; otherwise go on as before.
    const bool square = std::abs(off) < 25;
    if (axis == 1 || (square && steerToward(plan_))) {
        steerToward(plan_);
        return;
    }
    for (int key : {vk::up, vk::down, vk::left, vk::right})
        release(key);
}

bool GameDriver::chaseSpecks(const std::function<bool()>& done, double maxSeconds) {
    const bool ok = runUntil(
        [&] {
            if (done()) return true;
            if (state().controlsActive && !state().levelOver) chooseDirection();
            return false;
        },
        maxSeconds);
    letGo();
    return ok;
}

bool GameDriver::follow(const std::vector<std::string>& directions,
                        const std::function<bool()>& done, double maxSeconds) {
    std::size_t next = 0;
    Cell heading = headingCell();
    plan_ = directions.at(0);
    const bool ok = runUntil(
        [&] {
            if (done()) return true;
            if (!(headingCell() == heading)) {
                heading = headingCell();
                if (next + 1 < directions.size()) plan_ = directions[++next];
            }
            steerPlan();
            return false;
        },
        maxSeconds);
    letGo();
    return ok;
}

void GameDriver::letGo() {
    for (int key : {vk::up, vk::down, vk::left, vk::right})
        release(key);
    platform.cursorImpl.moveTo(links().GLUserInterface1->screenCentre());
}

bool GameDriver::leaveTheBox(int key) {
    press(key);
    const bool over = runUntil([&] { return state().levelOver; }, 10);
    release(key);
    return over;
}

bool GameDriver::toResultScreen() {
    toMainMenu();
    startGame();
    if (!leaveTheBox(vk::left)) return false;
    run(1);
    return true;
}

void GameDriver::layoutMenus() {
    const SceneLinks& l = links();
    for (engine::TGLGameMenu* menu :
         {l.menuPause, l.menuLevel, l.menuMain1, l.menuMain2, l.menuhighscore})
        if (menu->isShown()) menu->layoutMenu();
}

void GameDriver::movePointer(int x, int y) {
    layoutMenus();
    pointer_ = {x, y};
    platform.glSurfaces.at(0)->onMouseMove(x, y);
}

void GameDriver::pressPointer(int button) {
    platform.glSurfaces.at(0)->onMouseDown(button, pointer_.x, pointer_.y);
}

platform::Point GameDriver::pointOn(const engine::TGLGameMenu& menu, int line) {
    const int row = menu.font()->charHeight() + menu.spacing();
    return {(menu.boxLeft() + menu.boxRight()) / 2, menu.menuTop() + line * row + row / 2};
}

void GameDriver::click(engine::TGLGameMenu& menu, int line) {
    layoutMenus();
    clickAt(pointOn(menu, line));
}

void GameDriver::clickAt(platform::Point p) {
    movePointer(p.x, p.y);
    pressPointer();
    run(0.02);
}

std::vector<std::string> GameDriver::samplesPlayed() {
    std::vector<std::string> names;
    const auto& samples = links().SoundLibary1->samples();
    for (const auto& played : platform.audioImpl.played) {
        std::string name = "?";
        for (std::size_t i = 0; i < samples.count(); ++i) {
            const auto& sample = samples.item(i);
            if (sample.data() && sample.data()->pcmData().size() == played.bytes &&
                sample.data()->Sampling().Frequency == played.format.sampleRate)
                name = sample.name();
        }
        names.push_back(name);
    }
    return names;
}

bool GameDriver::won() {
    return links().stagetext1->text() == "  YOU WIN!";
}
bool GameDriver::lost() {
    return links().stagetextA->text() == " TRY AGAIN";
}

} // namespace coilrun::scenario
