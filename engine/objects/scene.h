#pragma once
#include "engine/objects/base_scene_object.h"
#include "engine/time/progress_target.h"

#include <functional>
#include <map>

namespace coilrun::engine {

class TGLScene;

// The invisible root of a scene: its children are the top-level objects, and
// its sorting and culling are the scene's.
class TGLSceneRootObject : public TGLBaseSceneObject {
public:
    explicit TGLSceneRootObject(TGLScene& scene);
    std::string className() const override { return "TGLSceneRootObject"; }
};

// A scene: the tree of objects under one root, the per-tick progress of every
// object, which the cadencers linked to it drive, and the change notification that
// viewers listen to.
class TGLScene : public TGLComponent, public engine::ProgressTarget {
public:
    using ChangeListener = std::function<void()>;

    TGLScene();
    ~TGLScene() override;
    std::string className() const override { return "TGLScene"; }

    TGLBaseSceneObject& objects() { return *root_; }
    const TGLBaseSceneObject& objects() const { return *root_; }
    // Searches the whole tree; null if no object has that name.
    TGLBaseSceneObject* findSceneObject(const std::string& name) const;
    template <class T> T* findSceneObjectAs(const std::string& name) const {
        return dynamic_cast<T*>(findSceneObject(name));
    }

    // [osRenderBlendedLast]
    TGLObjectsSorting objectsSorting() const { return root_->objectsSorting(); }
    void setObjectsSorting(TGLObjectsSorting s) { root_->setObjectsSorting(s); }
    // [vcNone]; throws std::invalid_argument("Unknown visibility culling option").
    TGLVisibilityCulling visibilityCulling() const { return root_->visibilityCulling(); }
    void setVisibilityCulling(TGLVisibilityCulling c) { root_->setVisibilityCulling(c); }

    // One tick: every object's OnProgress, behaviours and effects, in tree order
    // (hidden objects included: visibility is about drawing only).
    void progress(double deltaTime, double newTime);
    void doProgress(double deltaTime, double newTime) override { progress(deltaTime, newTime); }

    // Listeners run after every change that the picture depends on (not while
    // the scene is updating). The id removes the listener again.
    int addChangeListener(ChangeListener listener);
    void removeChangeListener(int id);
    // Between beginUpdate and endUpdate changes are collected; endUpdate sends one
    // if there were any. endUpdate without beginUpdate throws
    // std::logic_error("Unbalanced Begin/EndUpdate").
    void beginUpdate() { ++updateCount_; }
    void endUpdate();
    bool isUpdating() const { return updateCount_ > 0; }

    // Called by objects; counts changes (for tests and the viewer).
    void notifyChange(TGLBaseSceneObject& sender);
    std::uint64_t changeCount() const { return changeCount_; }

private:
    void fire();

    std::unique_ptr<TGLSceneRootObject> root_;
    std::map<int, ChangeListener> listeners_;
    int nextListenerId_ = 1;
    int updateCount_ = 0;
    bool pendingChange_ = false;
    bool destroying_ = false;
    std::uint64_t changeCount_ = 0;
};

} // namespace coilrun::engine
