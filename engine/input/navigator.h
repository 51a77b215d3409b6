#pragma once
#include "engine/input/navigable_object.h"

#include <optional>
#include <vector>

namespace coilrun::engine {

class TGLUserInterface;

// Turns its MovingObject by angles in degrees: horizontally about the object's up
// (or a fixed VirtualUp), vertically about its right axis, keeping count of the
// angles turned so that vertical turns can be limited.
class TGLNavigator {
public:
    TGLNavigator() = default;
    ~TGLNavigator();
    TGLNavigator(const TGLNavigator&) = delete;
    TGLNavigator& operator=(const TGLNavigator&) = delete;

    NavigableObject* movingObject() const { return movingObject_; }
    void setMovingObject(NavigableObject* object);
    const engine::Vec3& virtualUp() const { return virtualUp_; }
    void setVirtualUp(const engine::Vec3& up);
    bool useVirtualUp() const { return useVirtualUp_; }
    void setUseVirtualUp(bool use);
    float maxAngle() const { return maxAngle_; }
    void setMaxAngle(float degrees) { maxAngle_ = degrees; }
    float minAngle() const { return minAngle_; }
    void setMinAngle(float degrees) { minAngle_ = degrees; }
    bool angleLock() const { return angleLock_; }
    void setAngleLock(bool lock) { angleLock_ = lock; }
    bool invertHorizontalSteeringWhenUpsideDown() const { return invertWhenUpsideDown_; }
    void setInvertHorizontalSteeringWhenUpsideDown(bool invert) { invertWhenUpsideDown_ = invert; }

    // Positive turns right. Without a moving object nothing happens.
    void TurnHorizontal(float degrees);
    // Positive pitches up. Without a moving object nothing happens.
    void TurnVertical(float degrees);
    // The moving object's right axis; nothing without a moving object.
    std::optional<engine::Vec3> CalcRight() const;

    // Degrees turned so far, wrapped to 0..360 and -180..180.
    float currentHAngle() const { return currentHAngle_; }
    float currentVAngle() const { return currentVAngle_; }
    const engine::Vec3& virtualRight() const { return virtualRight_; }

private:
    friend class NavigableObject;
    friend class TGLUserInterface;
    void updateVirtualRight();

    NavigableObject* movingObject_ = nullptr;
    engine::Vec3 virtualUp_{0, 0, 1};
    bool useVirtualUp_ = false;
    float maxAngle_ = 0;
    float minAngle_ = 0;
    bool angleLock_ = false;
    bool invertWhenUpsideDown_ = false;
    float currentHAngle_ = 0;
    float currentVAngle_ = 0;
    engine::Vec3 virtualRight_{};
    std::vector<TGLUserInterface*> users_;
};

} // namespace coilrun::engine
