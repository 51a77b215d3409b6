#include "engine/objects/base_scene_object.h"

#include "engine/objects/scene.h"
#include "engine/render/render_context.h"

#include <algorithm>
#include <stdexcept>

namespace coilrun::engine {

namespace {
// Below this a cross product counts as zero: the two vectors are parallel.
constexpr float kParallelEpsilon = 0.00001f;

float normalizedAngle(float deg) {
    while (deg > 180)
        deg -= 360;
    while (deg < -180)
        deg += 360;
    return deg;
}

// The angle the turn/roll readouts derive from a unit vector v: its angle
// from the X axis, folded so that vectors pointing back along -X read near 0.
float readoutAngle(const Vec3& v) {
    float a = -std::atan2(std::sqrt(v.y * v.y + v.z * v.z), v.x) * kRadToDeg;
    if (v.x < 0) a = (v.y >= 0 ? -180.0f : 180.0f) - a;
    return a;
}

// right = d x u with the fallback axes for d parallel to u.
Vec3 rightOf(const Vec3& d, const Vec3& u) {
    Vec3 right = cross(d, u);
    if (length(right) < kParallelEpsilon) {
        right = cross(Vec3{0, 0, 1}, u);
        if (length(right) < kParallelEpsilon) right = cross(Vec3{1, 0, 0}, u);
    }
    return right;
}
} // namespace

TGLBaseSceneObject::TGLBaseSceneObject()
    : position_(this, {0, 0, 0, 1}), direction_(this, {0, 0, 1, 0}), up_(this, {0, 1, 0, 0}),
      scale_(this, {1, 1, 1, 0}) {}

TGLBaseSceneObject::~TGLBaseSceneObject() {
    // Children go first, while this object is still whole for their notifications.
    while (!children_.empty())
        children_.pop_back();
}

// --- tree -------------------------------------------------------------------

TGLBaseSceneObject& TGLBaseSceneObject::addChild(std::unique_ptr<TGLBaseSceneObject> child) {
    return insertChild(children_.size(), std::move(child));
}

TGLBaseSceneObject& TGLBaseSceneObject::insertChild(std::size_t index,
                                                    std::unique_ptr<TGLBaseSceneObject> child) {
    if (!child) throw std::invalid_argument("insertChild: no object");
    if (child.get() == this || child->isAncestorOf(this))
        throw std::invalid_argument("insertChild: an object cannot contain itself");
    if (index > children_.size()) index = children_.size();
    TGLBaseSceneObject& c = *child;
    c.parent_ = this;
    children_.insert(children_.begin() + std::ptrdiff_t(index), std::move(child));
    c.attachToScene(scene_);
    c.transformationChanged();
    structureChanged();
    return c;
}

std::unique_ptr<TGLBaseSceneObject> TGLBaseSceneObject::removeChild(TGLBaseSceneObject& child) {
    const int i = indexOfChild(&child);
    if (i < 0) return nullptr;
    std::unique_ptr<TGLBaseSceneObject> owned = std::move(children_[std::size_t(i)]);
    children_.erase(children_.begin() + i);
    owned->parent_ = nullptr;
    owned->attachToScene(nullptr);
    owned->transformationChanged();
    structureChanged();
    return owned;
}

void TGLBaseSceneObject::deleteChildren() {
    if (children_.empty()) return;
    while (!children_.empty())
        children_.pop_back();
    structureChanged();
}

int TGLBaseSceneObject::indexOfChild(const TGLBaseSceneObject* child) const {
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (children_[i].get() == child) return int(i);
    return -1;
}

TGLBaseSceneObject* TGLBaseSceneObject::findChild(const std::string& name,
                                                  bool ownChildrenOnly) const {
    for (const auto& c : children_)
        if (c->name() == name) return c.get();
    if (ownChildrenOnly) return nullptr;
    for (const auto& c : children_)
        if (TGLBaseSceneObject* found = c->findChild(name, false)) return found;
    return nullptr;
}

bool TGLBaseSceneObject::isAncestorOf(const TGLBaseSceneObject* other) const {
    for (const TGLBaseSceneObject* p = other ? other->parent_ : nullptr; p; p = p->parent_)
        if (p == this) return true;
    return false;
}

void TGLBaseSceneObject::attachToScene(TGLScene* scene) {
    scene_ = scene;
    for (auto& c : children_)
        c->attachToScene(scene);
}

// --- transform --------------------------------------------------------------

void TGLBaseSceneObject::notifyChange(const void* sender) {
    if (sender == &position_ || sender == &direction_ || sender == &up_ || sender == &scale_)
        coordinateChanged(*static_cast<const TGLCoordinates3*>(sender));
    else
        notifyRedraw();
}

void TGLBaseSceneObject::coordinateChanged(const TGLCoordinates3& which) {
    if (&which == &direction_)
        orthonormalizeFromDirection();
    else if (&which == &up_)
        orthonormalizeFromUp();
    transformationChanged();
}

// The corrections below store with setDirect, so they never come back here.
void TGLBaseSceneObject::orthonormalizeFromDirection() {
    Vec3 d = direction_.asAffine();
    if (length(d) == 0) d = {0, 0, 1};
    d = normalized(d);
    const Vec3 u = up_.asAffine();
    const Vec3 right = rightOf(d, u);
    direction_.setDirect(d);
    up_.setDirect(normalized(cross(right, d)));
}

void TGLBaseSceneObject::orthonormalizeFromUp() {
    Vec3 u = up_.asAffine();
    if (length(u) == 0) u = {0, 1, 0};
    u = normalized(u);
    const Vec3 right = rightOf(direction_.asAffine(), u);
    up_.setDirect(u);
    direction_.setDirect(normalized(cross(u, right)));
}

void TGLBaseSceneObject::transformationChanged() {
    changes_ |= ocLocalMatrix | ocAbsoluteMatrix | ocInverseMatrix;
    markDescendantsAbsoluteStale();
    notifyRedraw();
}

void TGLBaseSceneObject::markDescendantsAbsoluteStale() {
    // A stale object's descendants are stale already (an absolute matrix is only
    // computed after its parent's), so the walk stops there.
    for (auto& c : children_) {
        if ((c->changes_ & ocAbsoluteMatrix) && (c->changes_ & ocInverseMatrix)) continue;
        c->changes_ |= ocAbsoluteMatrix | ocInverseMatrix;
        c->markDescendantsAbsoluteStale();
    }
}

const Mat4& TGLBaseSceneObject::localMatrix() const {
    if (changes_ & ocLocalMatrix) {
        const Vec3 d = direction_.asAffine();
        const Vec3 u = up_.asAffine();
        const Vec3 x = cross(u, d);
        Mat4& m = localMatrix_;
        m.m[0] = {x.x * scale_.x(), x.y * scale_.x(), x.z * scale_.x(), 0};
        m.m[1] = {u.x * scale_.y(), u.y * scale_.y(), u.z * scale_.y(), 0};
        m.m[2] = {d.x * scale_.z(), d.y * scale_.z(), d.z * scale_.z(), 0};
        m.m[3] = {position_.x(), position_.y(), position_.z(), 1};
        changes_ &= ~ocLocalMatrix;
    }
    return localMatrix_;
}

const Mat4& TGLBaseSceneObject::absoluteMatrix() const {
    if (changes_ & ocAbsoluteMatrix) {
        if (parent_ && !parent_->isSceneRoot())
            absoluteMatrix_ = localMatrix() * parent_->absoluteMatrix();
        else
            absoluteMatrix_ = localMatrix();
        changes_ &= ~ocAbsoluteMatrix;
    }
    return absoluteMatrix_;
}

const Mat4& TGLBaseSceneObject::invAbsoluteMatrix() const {
    if (changes_ & (ocInverseMatrix | ocAbsoluteMatrix)) {
        invAbsoluteMatrix_ = inverted(absoluteMatrix());
        changes_ &= ~ocInverseMatrix;
    }
    return invAbsoluteMatrix_;
}

Vec3 TGLBaseSceneObject::absoluteDirection() const {
    return normalized(absoluteMatrix().transformVector({0, 0, 1}));
}

Vec3 TGLBaseSceneObject::absoluteUp() const {
    return normalized(absoluteMatrix().transformVector({0, 1, 0}));
}

Vec3 TGLBaseSceneObject::rightVector() const {
    return normalized(cross(up_.asAffine(), direction_.asAffine()));
}

void TGLBaseSceneObject::rotateFrame(const Vec3& axis, float angleDeg) {
    const Vec3 a = normalized(axis);
    Vec3 d = normalized(rotated(direction_.asAffine(), a, angleDeg));
    Vec3 u = rotated(up_.asAffine(), a, angleDeg);
    // Re-square the frame so that many small rotations do not drift apart.
    u = normalized(u - d * dot(u, d));
    direction_.setDirect(d);
    up_.setDirect(u);
}

void TGLBaseSceneObject::updateTurnAngleFromDirection() {
    turnAngle_ = readoutAngle(direction_.asAffine());
}

void TGLBaseSceneObject::updateRollAngleFromRight() {
    rollAngle_ = readoutAngle(rightVector());
}

void TGLBaseSceneObject::turn(float angleDeg) {
    if (angleDeg == 0) return;
    rotateFrame(up_.asAffine(), angleDeg);
    updateTurnAngleFromDirection();
    transformationChanged();
}

void TGLBaseSceneObject::roll(float angleDeg) {
    if (angleDeg == 0) return;
    rotateFrame(direction_.asAffine(), angleDeg);
    updateRollAngleFromRight();
    transformationChanged();
}

void TGLBaseSceneObject::pitch(float angleDeg) {
    if (angleDeg == 0) return;
    rotateFrame(rightVector(), angleDeg);
    pitchAngle_ = normalizedAngle(pitchAngle_ + angleDeg);
    transformationChanged();
}

void TGLBaseSceneObject::setPitchAngle(float value) {
    if (value == pitchAngle_) return;
    if (!loading_) {
        rotateFrame(rightVector(), pitchAngle_ - value);
        transformationChanged();
    }
    pitchAngle_ = normalizedAngle(value);
}

void TGLBaseSceneObject::setTurnAngle(float value) {
    if (value == turnAngle_) return;
    if (!loading_) {
        rotateFrame(up_.asAffine(), turnAngle_ - value);
        transformationChanged();
    }
    turnAngle_ = normalizedAngle(value);
}

void TGLBaseSceneObject::setRollAngle(float value) {
    if (value == rollAngle_) return;
    if (!loading_) {
        rotateFrame(direction_.asAffine(), rollAngle_ - value);
        transformationChanged();
    }
    rollAngle_ = normalizedAngle(value);
}

// --- appearance -------------------------------------------------------------

void TGLBaseSceneObject::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    notifyRedraw();
}

bool TGLBaseSceneObject::isShown() const {
    for (const TGLBaseSceneObject* o = this; o && !o->isSceneRoot(); o = o->parent())
        if (!o->visible()) return false;
    return true;
}

void TGLBaseSceneObject::setShowAxes(bool show) {
    if (showAxes_ == show) return;
    showAxes_ = show;
    notifyRedraw();
}

void TGLBaseSceneObject::setIgnoreDepthBuffer(bool ignore) {
    if (ignoreDepthBuffer_ == ignore) return;
    ignoreDepthBuffer_ = ignore;
    notifyRedraw();
}

void TGLBaseSceneObject::setObjectsSorting(TGLObjectsSorting sorting) {
    if (objectsSorting_ == sorting) return;
    objectsSorting_ = sorting;
    notifyRedraw();
}

TGLObjectsSorting TGLBaseSceneObject::effectiveObjectsSorting() const {
    for (const TGLBaseSceneObject* o = this; o; o = o->parent_)
        if (o->objectsSorting_ != TGLObjectsSorting::osInherited) return o->objectsSorting_;
    return TGLObjectsSorting::osRenderBlendedLast;
}

void TGLBaseSceneObject::setVisibilityCulling(TGLVisibilityCulling culling) {
    const int v = int(culling);
    if (v < int(TGLVisibilityCulling::vcInherited) || v > int(TGLVisibilityCulling::vcHierarchical))
        throw std::invalid_argument("Unknown visibility culling option");
    if (visibilityCulling_ == culling) return;
    visibilityCulling_ = culling;
    notifyRedraw();
}

TGLVisibilityCulling TGLBaseSceneObject::effectiveVisibilityCulling() const {
    for (const TGLBaseSceneObject* o = this; o; o = o->parent_)
        if (o->visibilityCulling_ != TGLVisibilityCulling::vcInherited)
            return o->visibilityCulling_;
    return TGLVisibilityCulling::vcNone;
}

// --- behaviours and progress ------------------------------------------------

TGLBaseBehaviour& TGLBaseSceneObject::addBehaviour(std::unique_ptr<TGLBehaviour> behaviour) {
    if (!behaviour) throw std::invalid_argument("addBehaviour: no behaviour");
    behaviour->owner_ = this;
    behaviours_.push_back(std::move(behaviour));
    return *behaviours_.back();
}

TGLBaseBehaviour& TGLBaseSceneObject::addEffect(std::unique_ptr<TGLEffect> effect) {
    if (!effect) throw std::invalid_argument("addEffect: no effect");
    effect->owner_ = this;
    effects_.push_back(std::move(effect));
    return *effects_.back();
}

std::unique_ptr<TGLBehaviour>
TGLBaseSceneObject::removeBehaviour(const TGLBaseBehaviour& behaviour) {
    const auto it = std::find_if(behaviours_.begin(), behaviours_.end(),
                                 [&](const auto& b) { return b.get() == &behaviour; });
    if (it == behaviours_.end()) return nullptr;
    const auto index = std::size_t(it - behaviours_.begin());
    if (behaviourWalk_ && index < *behaviourWalk_) --*behaviourWalk_;
    std::unique_ptr<TGLBehaviour> out = std::move(*it);
    behaviours_.erase(it);
    out->owner_ = nullptr;
    return out;
}

void TGLBaseSceneObject::doProgress(const TGLProgressTimes& times) {
    if (onProgress) onProgress(*this, times.deltaTime, times.newTime);
    // Indexes, not iterators: a handler may attach behaviours or children, and a
    // behaviour may be removed (removeBehaviour keeps `next` on the one to call).
    {
        std::size_t next = 0;
        struct Walk {
            std::size_t*& slot;
            std::size_t* outer;
            ~Walk() { slot = outer; }
        } walk{behaviourWalk_, behaviourWalk_};
        behaviourWalk_ = &next;
        while (next < behaviours_.size())
            behaviours_[next++]->doProgress(times);
    }
    for (std::size_t i = 0; i < effects_.size(); ++i)
        effects_[i]->doProgress(times);
    for (std::size_t i = 0; i < children_.size(); ++i)
        children_[i]->doProgress(times);
}

// --- updates and loading ----------------------------------------------------

void TGLBaseSceneObject::endUpdate() {
    if (updateCount_ <= 0) throw std::logic_error("Unbalanced Begin/EndUpdate");
    if (--updateCount_ == 0) notifyRedraw();
}

void TGLBaseSceneObject::endLoading() {
    loading_ = false;
    position_.setDirect(Vec4(position_.asAffine(), 1));
    transformationChanged();
}

void TGLBaseSceneObject::notifyRedraw() {
    if (updateCount_ > 0) return;
    if (scene_) scene_->notifyChange(*this);
}

void TGLBaseSceneObject::structureChanged() {
    ++structureVersion_;
    notifyRedraw();
}

// --- rendering --------------------------------------------------------------

void TGLBaseSceneObject::doRender(RenderContext& ctx, bool renderSelf, bool renderChildren) {
    if (renderSelf && hasGeometry()) ctx.drawSelf(*this);
    if (renderChildren && !children_.empty())
        this->renderChildren(0, int(children_.size()) - 1, ctx);
}

void TGLBaseSceneObject::renderChildren(int first, int last, RenderContext& ctx) {
    ctx.renderChildren(*this, first, last);
}

} // namespace coilrun::engine
