#pragma once
#include "engine/objects/component.h"
#include "engine/objects/vector_math.h"

namespace coilrun::engine {

// Red, green, blue, alpha as singles 0..1; new colours are opaque black.
// A store of the value already held does nothing; any other store notifies the owner.
class TGLColor {
public:
    explicit TGLColor(UpdateOwner* owner = nullptr, const Vec4& initial = {0, 0, 0, 1})
        : owner_(owner), c_(initial) {}
    TGLColor(const TGLColor&) = delete;
    TGLColor& operator=(const TGLColor&) = delete;

    float red() const { return c_.x; }
    float green() const { return c_.y; }
    float blue() const { return c_.z; }
    float alpha() const { return c_.w; }
    float operator[](int i) const { return c_[i]; }
    const Vec4& color() const { return c_; }
    // Four floats for glMaterialfv / glColor4fv.
    const float* data() const { return &c_.x; }

    void setRed(float v) { setComponent(0, v); }
    void setGreen(float v) { setComponent(1, v); }
    void setBlue(float v) { setComponent(2, v); }
    void setAlpha(float v) { setComponent(3, v); }
    // index 0..3 = red, green, blue, alpha; other indices are ignored.
    void setComponent(int index, float value);
    void setColor(const Vec4& c);
    void setColor(float r, float g, float b, float a = 1) { setColor(Vec4{r, g, b, a}); }
    void assign(const TGLColor& other) { setColor(other.c_); }

private:
    UpdateOwner* owner_;
    Vec4 c_;
};

} // namespace coilrun::engine
