#pragma once
#include "engine/input/navigator.h"
#include "engine/platform/input.h"
#include "engine/platform/window.h"

namespace coilrun::engine {

// Mouse look: while active the pointer is hidden and kept at the screen centre, and
// every pixel it travels from there turns the navigator's object by MouseSpeed x 0.01
// degrees (right turns right, up turns up unless InvertMouse).
class TGLUserInterface {
public:
    TGLUserInterface(platform::Cursor& cursor, platform::Screen& screen);
    // Shows the pointer again when mouse look is still active.
    ~TGLUserInterface();
    TGLUserInterface(const TGLUserInterface&) = delete;
    TGLUserInterface& operator=(const TGLUserInterface&) = delete;

    bool invertMouse() const { return invertMouse_; }
    void setInvertMouse(bool invert) { invertMouse_ = invert; }
    float mouseSpeed() const { return mouseSpeed_; }
    void setMouseSpeed(float speed) { mouseSpeed_ = speed; }
    TGLNavigator* glNavigator() const { return navigator_; }
    void setGLNavigator(TGLNavigator* navigator);
    TGLNavigator* glVertNavigator() const { return vertNavigator_; }
    void setGLVertNavigator(TGLNavigator* navigator);

    void MouseLookActivate();
    void MouseLookDeactivate();
    void MouseLookActiveToggle();
    void MouseLookCenter();
    // The pointer's travel from the screen centre as this frame's controls read it at
    // the frame's start (Y down).
    void takeReading(platform::Point travel);
    // Takes the pointer's position (while active) for the next MouseLook: where the
    // frame's reading found it, or the centre when it has been put back since.
    void MouseUpdate();
    // Turns by the travel taken at the last MouseUpdate and recentres the pointer;
    // true when it turned anything.
    bool MouseLook();
    // Turns as a pointer travel of so many pixels would (Y down), without the pointer.
    bool turnByTravel(float dx, float dy);
    void TurnHorizontal(double degrees);
    void TurnVertical(double degrees);

    bool mouseLookActive() const { return active_; }
    platform::Point cursorPos() const { return cursorPos_; }
    platform::Point screenCentre() const { return centre_; }

private:
    friend class TGLNavigator;
    void navigatorDestroyed(TGLNavigator& navigator);
    void link(TGLNavigator*& slot, TGLNavigator* navigator);
    void unlinkIfUnused(TGLNavigator* navigator);
    void computeCentre();
    void putBack();

    platform::Cursor& cursor_;
    platform::Screen& screen_;
    bool invertMouse_ = false;
    float mouseSpeed_ = 0;
    TGLNavigator* navigator_ = nullptr;
    TGLNavigator* vertNavigator_ = nullptr;
    platform::Point cursorPos_;
    platform::Point centre_;
    bool active_ = false;
    bool readingUsed_ = false;
    platform::Point reading_;
    bool putBackSinceReading_ = false;
};

} // namespace coilrun::engine
