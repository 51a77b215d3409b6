#include "platform/qt/sdl_gamepad.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <iterator>

namespace coilrun::qt {
namespace {

using platform::PadButton;

// SDL's buttons by the names the game knows them by.
constexpr struct {
    SDL_GameControllerButton sdl;
    PadButton button;
} kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, PadButton::A},
    {SDL_CONTROLLER_BUTTON_B, PadButton::B},
    {SDL_CONTROLLER_BUTTON_X, PadButton::X},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::Y},
    {SDL_CONTROLLER_BUTTON_BACK, PadButton::Back},
    {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::DpadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::DpadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::DpadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::DpadRight},
};

} // namespace

SdlGamepad::SdlGamepad() {
    // The program's own handling of SIGINT and SIGTERM stays as it is.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    ready_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (ready_) openFirst();
}

SdlGamepad::~SdlGamepad() {
    if (!ready_) return;
    close();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlGamepad::openFirst() {
    for (int i = 0; i < SDL_NumJoysticks() && !pad_; ++i) {
        if (!SDL_IsGameController(i)) continue;
        pad_ = SDL_GameControllerOpen(i);
        if (pad_) id_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad_));
    }
}

void SdlGamepad::close() {
    if (pad_) SDL_GameControllerClose(pad_);
    pad_ = nullptr;
    id_ = -1;
    buttons_.releaseAll();
}

void SdlGamepad::take(const SDL_Event& e) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        if (!pad_) openFirst();
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (e.cdevice.which == id_) {
            close();
            openFirst();
        }
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (e.cbutton.which != id_) break;
        for (const auto& b : kButtons)
            if (b.sdl == e.cbutton.button) {
                if (e.type == SDL_CONTROLLERBUTTONDOWN)
                    buttons_.press(int(b.button));
                else
                    buttons_.release(int(b.button));
            }
        break;
    default:
        break;
    }
}

void SdlGamepad::beginPoll() {
    if (!ready_) return;
    SDL_PumpEvents();
    SDL_Event events[32];
    int n;
    while ((n = SDL_PeepEvents(events, int(std::size(events)), SDL_GETEVENT, SDL_FIRSTEVENT,
                               SDL_LASTEVENT)) > 0)
        for (int i = 0; i < n; ++i)
            take(events[i]);
    // A pad may also go without a word, as a suspended one does.
    if (pad_ && !SDL_GameControllerGetAttached(pad_)) {
        close();
        openFirst();
    }
    buttons_.beginPoll();

    state_ = {};
    if (!pad_) return;
    state_.connected = true;
    for (const auto& b : kButtons)
        state_.set(b.button, buttons_.isDown(int(b.button)));
    state_.leftX = SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_LEFTX);
    state_.leftY = SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_LEFTY);
    state_.rightX = SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_RIGHTX);
    state_.rightY = SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_RIGHTY);
}

} // namespace coilrun::qt
