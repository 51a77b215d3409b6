#pragma once
#include "engine/objects/behaviour.h"
#include "engine/objects/component.h"
#include "engine/objects/coordinates.h"
#include "engine/objects/vector_math.h"
#include "engine/render/gl_objects.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace coilrun::engine {

class GeometrySink;
class RenderContext;
class TGLMaterial;
class TGLScene;

enum class TGLObjectsSorting {
    osInherited,
    osNone,
    osRenderFarthestFirst,
    osRenderBlendedLast,
    osRenderNearestFirst
};
enum class TGLVisibilityCulling { vcInherited, vcNone, vcObjectBased, vcHierarchical };

// Change flags: which cached matrices must be recomputed.
enum TGLObjectChange : unsigned {
    ocLocalMatrix = 1u << 0,
    ocAbsoluteMatrix = 1u << 1,
    ocInverseMatrix = 1u << 2,
};

// A node of the scene tree: transform, children (owned), visibility,
// behaviours and effects. Setters ignore unchanged values; real changes mark
// cached matrices stale and tell the scene, so that the viewer draws again.
// Scene objects cannot be copied.
class TGLBaseSceneObject : public TGLComponent, public UpdateOwner {
public:
    using ProgressEvent =
        std::function<void(TGLBaseSceneObject& sender, double deltaTime, double newTime)>;

    TGLBaseSceneObject();
    ~TGLBaseSceneObject() override;
    std::string className() const override { return "TGLBaseSceneObject"; }

    // --- tree ---------------------------------------------------------------
    TGLBaseSceneObject* parent() const { return parent_; }
    // The scene this object is part of, or null while it is not in one.
    TGLScene* scene() const { return scene_; }
    std::size_t count() const { return children_.size(); }
    TGLBaseSceneObject& child(std::size_t index) const { return *children_[index]; }
    const std::vector<std::unique_ptr<TGLBaseSceneObject>>& children() const { return children_; }
    // Takes ownership; the child is appended, so it is drawn after its siblings.
    TGLBaseSceneObject& addChild(std::unique_ptr<TGLBaseSceneObject> child);
    TGLBaseSceneObject& insertChild(std::size_t index, std::unique_ptr<TGLBaseSceneObject> child);
    template <class T, class... Args> T& addNewChild(Args&&... args) {
        return static_cast<T&>(addChild(std::make_unique<T>(std::forward<Args>(args)...)));
    }
    // Hands the child back to the caller (null if it is not a child of this object).
    std::unique_ptr<TGLBaseSceneObject> removeChild(TGLBaseSceneObject& child);
    void deleteChildren();
    int indexOfChild(const TGLBaseSceneObject* child) const;
    // Depth-first search of the subtree (this object excluded); null if absent.
    TGLBaseSceneObject* findChild(const std::string& name, bool ownChildrenOnly = false) const;
    template <class T> T* findChildAs(const std::string& name) const {
        return dynamic_cast<T*>(findChild(name));
    }
    bool isAncestorOf(const TGLBaseSceneObject* other) const;
    // The invisible root that holds a scene's top-level objects.
    bool isSceneRoot() const { return sceneRoot_; }

    // --- transform ----------------------------------------------------------
    // Setting a component notifies this object: Position and Scale mark the
    // matrices stale; Direction and Up re-orthonormalise the pair first.
    TGLCoordinates3& position() { return position_; }
    TGLCoordinates3& direction() { return direction_; }
    TGLCoordinates3& up() { return up_; }
    TGLCoordinates3& scale() { return scale_; }
    const TGLCoordinates3& position() const { return position_; }
    const TGLCoordinates3& direction() const { return direction_; }
    const TGLCoordinates3& up() const { return up_; }
    const TGLCoordinates3& scale() const { return scale_; }

    void setPosition(const Vec3& p) { position_.setVector(p); }
    void setPosition(float x, float y, float z) { position_.setVector(x, y, z); }
    // Copies the other object's whole Position (its own frame, not its absolute one).
    void setPosition(const TGLBaseSceneObject& other) { position_.assign(other.position_); }
    void setDirection(const Vec3& d) { direction_.setVector(d); }
    void setUp(const Vec3& u) { up_.setVector(u); }
    void setScale(const Vec3& s) { scale_.setVector(s); }

    // Relative rotations in degrees: about Up (turn), Direction (roll) and the
    // local X axis (pitch).
    void turn(float angleDeg);
    void roll(float angleDeg);
    void pitch(float angleDeg);
    // Absolute angles as last set (or as left by turn/roll), degrees -180..180.
    float pitchAngle() const { return pitchAngle_; }
    float turnAngle() const { return turnAngle_; }
    float rollAngle() const { return rollAngle_; }
    // Rotate the frame by (stored - value); while loading they only store the value.
    void setPitchAngle(float value);
    void setTurnAngle(float value);
    void setRollAngle(float value);

    // The local X axis (Up x Direction), unit length.
    Vec3 rightVector() const;

    // Cached, recomputed lazily when stale.
    const Mat4& localMatrix() const;
    const Mat4& absoluteMatrix() const;
    const Mat4& invAbsoluteMatrix() const;
    Vec3 absolutePosition() const { return absoluteMatrix().row3(3); }
    // Direction and Up in scene coordinates, unit length.
    Vec3 absoluteDirection() const;
    Vec3 absoluteUp() const;
    // Stale flags (TGLObjectChange bits).
    unsigned changes() const { return changes_; }

    // --- appearance ---------------------------------------------------------
    bool visible() const { return visible_; }
    virtual void setVisible(bool visible);
    // Visible, and so is every parent up to the scene's root: drawn with the scene.
    bool isShown() const;
    bool showAxes() const { return showAxes_; }
    void setShowAxes(bool show);
    // Drawn with depth testing off (HUD-like objects inside the 3D pass).
    bool ignoreDepthBuffer() const { return ignoreDepthBuffer_; }
    void setIgnoreDepthBuffer(bool ignore);
    TGLObjectsSorting objectsSorting() const { return objectsSorting_; }
    void setObjectsSorting(TGLObjectsSorting sorting);
    // The sorting that applies to this object's children (inherited ones resolved).
    TGLObjectsSorting effectiveObjectsSorting() const;
    TGLVisibilityCulling visibilityCulling() const { return visibilityCulling_; }
    // Throws std::invalid_argument("Unknown visibility culling option") for a value
    // outside the enumeration.
    void setVisibilityCulling(TGLVisibilityCulling culling);
    TGLVisibilityCulling effectiveVisibilityCulling() const;

    float tagFloat() const { return tagFloat_; }
    void setTagFloat(float v) { tagFloat_ = v; }

    // --- behaviours, effects, progress ---------------------------------------
    ProgressEvent onProgress;
    TGLBaseBehaviour& addBehaviour(std::unique_ptr<TGLBehaviour> behaviour);
    TGLBaseBehaviour& addEffect(std::unique_ptr<TGLEffect> effect);
    // Takes the behaviour off Behaviours and hands it back with its owner cleared;
    // null when this object does not hold it (an effect, another object's). Safe
    // from within doProgress, the behaviour's own included: the walk goes on with
    // the behaviour that followed it, and the caller decides when it dies.
    std::unique_ptr<TGLBehaviour> removeBehaviour(const TGLBaseBehaviour& behaviour);
    const std::vector<std::unique_ptr<TGLBehaviour>>& behaviours() const { return behaviours_; }
    const std::vector<std::unique_ptr<TGLEffect>>& effects() const { return effects_; }
    // Calls OnProgress, then the behaviours and effects, then the children's progress.
    // Behaviours and children may be added during the call.
    virtual void doProgress(const TGLProgressTimes& times);

    // --- updates and loading -------------------------------------------------
    // Between beginUpdate and endUpdate no change reaches the scene; endUpdate
    // sends one. endUpdate without beginUpdate throws
    // std::logic_error("Unbalanced Begin/EndUpdate").
    void beginUpdate() { ++updateCount_; }
    void endUpdate();
    bool isUpdating() const { return updateCount_ > 0; }
    // While loading, the absolute angle setters only store the angle (the loaded
    // Direction and Up already include it). endLoading forces Position.W to 1.
    void beginLoading() { loading_ = true; }
    void endLoading();
    bool isLoading() const { return loading_; }

    // --- rendering (see engine/render/render_context.h) ----------------------
    // Whether the object is drawn with blending (sorted and drawn last).
    virtual bool blended() const { return false; }
    // Whether the object has geometry of its own to draw.
    virtual bool hasGeometry() const { return false; }
    // Emits the geometry in the local frame.
    virtual void buildList(GeometrySink& sink) { (void)sink; }
    // Whether the geometry is compiled once into a display list (rebuilt after a
    // structural change) rather than emitted every frame.
    virtual bool cachesGeometry() const { return true; }
    // The material the object's geometry is drawn with, or null (drawn in the
    // colours already set).
    virtual const TGLMaterial* renderMaterial() const { return nullptr; }
    // Draws in the overlay pass after every 3D object, in pixel space (origin at
    // the top left, y down), with the modelview reset to identity for it:
    // HUD texts, sprites and menus. Found in drawing order and drawn in that order.
    virtual bool drawsInOverlayPass() const { return false; }
    // Draws this object's own geometry and/or its children; the local matrix is
    // already applied.
    virtual void doRender(RenderContext& ctx, bool renderSelf, bool renderChildren);
    // Draws children first..last (inclusive) by the drawing rules.
    virtual void renderChildren(int first, int last, RenderContext& ctx);

    // What the renderer keys the object's compiled geometry by, in every context.
    const GlObjectOwner& glObjectOwner() const { return glOwner_; }
    // Grows with every structural change (radius, size, parts): the display list
    // compiled for an older version is discarded.
    std::uint64_t structureVersion() const { return structureVersion_; }

    // Something the picture depends on changed: tells the scene (unless updating).
    void notifyRedraw();
    // A parameter of the shape changed: discard compiled geometry and redraw.
    void structureChanged();
    // The transform changed: mark this object's and its descendants' matrices stale.
    void transformationChanged();

    void notifyChange(const void* sender) override;

protected:
    // For setters of shape parameters: stores a changed value and discards the
    // compiled geometry. Returns whether it changed.
    template <class T> bool setStructural(T& field, const T& value) {
        if (field == value) return false;
        field = value;
        structureChanged();
        return true;
    }
    // For setters of what is drawn but not compiled: stores and asks for a redraw.
    template <class T> bool setAndRedraw(T& field, const T& value) {
        if (field == value) return false;
        field = value;
        notifyRedraw();
        return true;
    }

    // One of Position, Direction, Up, Scale was set.
    virtual void coordinateChanged(const TGLCoordinates3& which);
    // For the scene root.
    void attachToScene(TGLScene* scene);
    void markAsSceneRoot() { sceneRoot_ = true; }

private:
    void orthonormalizeFromDirection();
    void orthonormalizeFromUp();
    void markDescendantsAbsoluteStale();
    void rotateFrame(const Vec3& axis, float angleDeg);
    void updateTurnAngleFromDirection();
    void updateRollAngleFromRight();

    TGLBaseSceneObject* parent_ = nullptr;
    TGLScene* scene_ = nullptr;
    std::vector<std::unique_ptr<TGLBaseSceneObject>> children_;

    TGLCoordinates3 position_;
    TGLCoordinates3 direction_;
    TGLCoordinates3 up_;
    TGLCoordinates3 scale_;
    float pitchAngle_ = 0, turnAngle_ = 0, rollAngle_ = 0;

    mutable unsigned changes_ = ocLocalMatrix | ocAbsoluteMatrix | ocInverseMatrix;
    mutable Mat4 localMatrix_ = Mat4::identity();
    mutable Mat4 absoluteMatrix_ = Mat4::identity();
    mutable Mat4 invAbsoluteMatrix_ = Mat4::identity();

    bool visible_ = true;
    bool showAxes_ = false;
    bool ignoreDepthBuffer_ = false;
    bool loading_ = false;
    bool sceneRoot_ = false;
    TGLObjectsSorting objectsSorting_ = TGLObjectsSorting::osInherited;
    TGLVisibilityCulling visibilityCulling_ = TGLVisibilityCulling::vcInherited;
    float tagFloat_ = 0;
    int updateCount_ = 0;

    std::vector<std::unique_ptr<TGLBehaviour>> behaviours_;
    std::vector<std::unique_ptr<TGLEffect>> effects_;
    // While doProgress walks the behaviours: the index of the next one to call.
    std::size_t* behaviourWalk_ = nullptr;

    GlObjectOwner glOwner_;
    std::uint64_t structureVersion_ = 1;
};

} // namespace coilrun::engine
