#include "engine/input/user_interface.h"

#include <algorithm>

namespace coilrun {

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

void TGLUserInterface::MouseLookCenter() {
    computeCentre();
    cursorPos_ = centre_;
    readingUsed_ = false;
    cursor_.setPosition(centre_);
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

void TGLUserInterface::MouseUpdate() {
    if (!active_) return;
    cursorPos_ = cursor_.position();
    readingUsed_ = false;
}

bool TGLUserInterface::MouseLook() {
    // A reading turns once: the pointer has been put back since.
    if (!active_ || !navigator_ || readingUsed_) return false;
    readingUsed_ = true;
    const float dx = float(cursorPos_.x - centre_.x) * mouseSpeed_;
    float dy = -float(cursorPos_.y - centre_.y) * mouseSpeed_;
    if (invertMouse_) dy = -dy;
    bool turned = false;
    if (dx != 0) {
        TurnHorizontal(dx * 0.01);
        turned = true;
    }
    if (dy != 0) {
        TurnVertical(dy * 0.01);
        turned = true;
    }
    if (cursorPos_ != centre_) cursor_.setPosition(centre_);
    return turned;
}

void TGLUserInterface::TurnHorizontal(double degrees) {
    if (navigator_) navigator_->TurnHorizontal(float(degrees));
}

void TGLUserInterface::TurnVertical(double degrees) {
    if (auto* n = vertNavigator_ ? vertNavigator_ : navigator_) n->TurnVertical(float(degrees));
}

} // namespace coilrun
