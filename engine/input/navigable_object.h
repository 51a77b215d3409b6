#pragma once
#include "engine/objects/vector_math.h"

#include <vector>

namespace coilrun::engine {

class TGLNavigator;

// What a navigator turns: an object with a direction and an up vector whose setters
// keep the pair orthonormal. When it goes away, the navigators moving it let go.
class NavigableObject {
public:
    NavigableObject(const NavigableObject&) = delete;
    NavigableObject& operator=(const NavigableObject&) = delete;

    virtual engine::Vec3 direction() const = 0;
    virtual engine::Vec3 up() const = 0;
    virtual void setDirection(const engine::Vec3& d) = 0;
    virtual void setUp(const engine::Vec3& u) = 0;

protected:
    NavigableObject() = default;
    ~NavigableObject();

private:
    friend class TGLNavigator;
    std::vector<TGLNavigator*> navigators_;
};

} // namespace coilrun::engine
