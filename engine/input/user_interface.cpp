#include "engine/input/user_interface.h"

#include <algorithm>

namespace coilrun::engine {

TGLUserInterface::TGLUserInterface(platform::Cursor& cursor, platform::Screen& screen)
    : cursor_(cursor), screen_(screen) {
    computeCentre();
    cursorPos_ = centre_;
}

TGLUserInterface::~TGLUserInterface() {
    MouseLookDeactivate();
    setGLNavigator(nullptr);
    setGLVertNavigator(nullptr);
}

void TGLUserInterface::computeCentre() {
    centre_ = {screen_.width() / 2, screen_.height() / 2};
}

void TGLUserInterface::setGLNavigator(TGLNavigator* navigator) {
    link(navigator_, navigator);
}
void TGLUserInterface::setGLVertNavigator(TGLNavigator* navigator) {
    link(vertNavigator_, navigator);
}

void TGLUserInterface::link(TGLNavigator*& slot, TGLNavigator* navigator) {
    if (slot == navigator) return;
    TGLNavigator* old = slot;
    slot = navigator;
    unlinkIfUnused(old);
    if (navigator && std::find(navigator->users_.begin(), navigator->users_.end(), this) ==
                         navigator->users_.end())
        navigator->users_.push_back(this);
}

void TGLUserInterface::unlinkIfUnused(TGLNavigator* navigator) {
    if (navigator && navigator != navigator_ && navigator != vertNavigator_)
        std::erase(navigator->users_, this);
}

void TGLUserInterface::navigatorDestroyed(TGLNavigator& navigator) {
    if (navigator_ == &navigator) navigator_ = nullptr;
    if (vertNavigator_ == &navigator) vertNavigator_ = nullptr;
    std::erase(navigator.users_, this);
}

void TGLUserInterface::putBack() {
    cursor_.setPosition(centre_);
    putBackSinceReading_ = true;
}

void TGLUserInterface::MouseLookCenter() {
    computeCentre();
    cursorPos_ = centre_;
    readingUsed_ = false;
    putBack();
}

void TGLUserInterface::MouseLookActivate() {
    if (active_) return;
    active_ = true;
    MouseLookCenter();
    cursor_.showCursor(false);
}

void TGLUserInterface::MouseLookDeactivate() {
    if (!active_) return;
    active_ = false;
    cursor_.showCursor(true);
}

void TGLUserInterface::MouseLookActiveToggle() {
    if (active_)
        MouseLookDeactivate();
    else
        MouseLookActivate();
}

void TGLUserInterface::takeReading(platform::Point travel) {
    reading_ = travel;
    putBackSinceReading_ = false;
}

void TGLUserInterface::MouseUpdate() {
    if (!active_) return;
    // The pointer put back in this frame has not travelled since.
    cursorPos_ = putBackSinceReading_
                     ? centre_
                     : platform::Point{centre_.x + reading_.x, centre_.y + reading_.y};
    readingUsed_ = false;
}

bool TGLUserInterface::MouseLook() {
    // A reading turns once: the pointer has been put back since.
    if (!active_ || !navigator_ || readingUsed_) return false;
    readingUsed_ = true;
    const bool turned =
        turnByTravel(float(cursorPos_.x - centre_.x), float(cursorPos_.y - centre_.y));
    if (cursorPos_ != centre_) putBack();
    return turned;
}

bool TGLUserInterface::turnByTravel(float x, float y) {
    const float dx = x * mouseSpeed_;
    float dy = -y * mouseSpeed_;
    if (invertMouse_) dy = -dy;
    if (dx != 0) TurnHorizontal(dx * 0.01);
    if (dy != 0) TurnVertical(dy * 0.01);
    return dx != 0 || dy != 0;
}

void TGLUserInterface::TurnHorizontal(double degrees) {
    if (navigator_) navigator_->TurnHorizontal(float(degrees));
}

void TGLUserInterface::TurnVertical(double degrees) {
    if (auto* n = vertNavigator_ ? vertNavigator_ : navigator_) n->TurnVertical(float(degrees));
}

} // namespace coilrun::engine
