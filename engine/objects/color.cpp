#include "engine/objects/color.h"

namespace coilrun::engine {

void TGLColor::setComponent(int index, float value) {
    if (index < 0 || index > 3 || c_[index] == value) return;
    c_[index] = value;
    if (owner_) owner_->notifyChange(this);
}

void TGLColor::setColor(const Vec4& c) {
    if (c_ == c) return;
    c_ = c;
    if (owner_) owner_->notifyChange(this);
}

} // namespace coilrun::engine
