#include "engine/input/navigator.h"

#include "engine/input/user_interface.h"

#include <algorithm>
#include <cmath>

namespace coilrun::engine {

using engine::Vec3;

NavigableObject::~NavigableObject() {
    for (auto* n : std::vector<TGLNavigator*>(navigators_))
        n->setMovingObject(nullptr);
}

TGLNavigator::~TGLNavigator() {
    setMovingObject(nullptr);
    for (auto* ui : std::vector<TGLUserInterface*>(users_))
        ui->navigatorDestroyed(*this);
}

void TGLNavigator::setMovingObject(NavigableObject* object) {
    if (object == movingObject_) return;
    if (movingObject_) std::erase(movingObject_->navigators_, this);
    movingObject_ = object;
    if (movingObject_) movingObject_->navigators_.push_back(this);
    if (useVirtualUp_) updateVirtualRight();
}

void TGLNavigator::setVirtualUp(const Vec3& up) {
    virtualUp_ = up;
    updateVirtualRight();
}

void TGLNavigator::setUseVirtualUp(bool use) {
    if (use == useVirtualUp_) return;
    useVirtualUp_ = use;
    if (use) updateVirtualRight();
}

void TGLNavigator::updateVirtualRight() {
    if (const auto right = CalcRight()) virtualRight_ = *right;
}

std::optional<Vec3> TGLNavigator::CalcRight() const {
    if (!movingObject_) return std::nullopt;
    const Vec3 d = movingObject_->direction();
    if (useVirtualUp_) return engine::normalized(engine::cross(d, virtualUp_));
    return engine::cross(d, movingObject_->up());
}

void TGLNavigator::TurnHorizontal(float degrees) {
    if (!movingObject_) return;
    float a = degrees;
    if (invertWhenUpsideDown_ && (currentVAngle_ < -90 || currentVAngle_ > 90)) a = -a;
    currentHAngle_ -= a;
    if (currentHAngle_ < 0 || currentHAngle_ > 360) {
        const float q = currentHAngle_ / 360;
        currentHAngle_ = (q - std::floor(q)) * 360;
    }
    if (useVirtualUp_) {
        // The same sense as below: a positive angle takes Direction towards the right.
        const Vec3 axis = engine::normalized(virtualUp_);
        movingObject_->setUp(engine::rotated(movingObject_->up(), axis, -a));
        movingObject_->setDirection(engine::rotated(movingObject_->direction(), axis, -a));
    } else {
        const float r = a * engine::kDegToRad;
        const Vec3 d = movingObject_->direction();
        const Vec3 right = *CalcRight();
        movingObject_->setDirection(d * std::cos(r) + right * std::sin(r));
    }
}

void TGLNavigator::TurnVertical(float degrees) {
    if (!movingObject_) return;
    float a = degrees;
    float expected = currentVAngle_ + a;
    if (angleLock_) {
        if (expected > maxAngle_) {
            if (currentVAngle_ == maxAngle_) return;
            expected = maxAngle_;
            a = maxAngle_ - currentVAngle_;
        } else if (expected < minAngle_) {
            if (currentVAngle_ == minAngle_) return;
            expected = minAngle_;
            a = minAngle_ - currentVAngle_;
        }
    }
    currentVAngle_ = expected;
    if (currentVAngle_ < -180 || currentVAngle_ > 180) {
        const float q = (currentVAngle_ + 180) / 360;
        currentVAngle_ = (q - std::floor(q)) * 360 - 180;
    }
    const float r = a * engine::kDegToRad;
    const Vec3 u = movingObject_->up();
    const Vec3 d = movingObject_->direction();
    movingObject_->setUp(u * std::cos(r) - d * std::sin(r));
    movingObject_->setDirection(d * std::cos(r) + u * std::sin(r));
}

} // namespace coilrun::engine
