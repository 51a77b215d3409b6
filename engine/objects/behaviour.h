#pragma once
#include <string>

namespace coilrun::engine {

class TGLBaseSceneObject;

// Time of one cadencer tick, in seconds.
struct TGLProgressTimes {
    double deltaTime = 0;
    double newTime = 0;
};

// Something attached to a scene object that acts each tick (a sound emitter,
// a movement). The object owns it; owner() is set when it is attached.
class TGLBaseBehaviour {
public:
    TGLBaseBehaviour() = default;
    TGLBaseBehaviour(const TGLBaseBehaviour&) = delete;
    TGLBaseBehaviour& operator=(const TGLBaseBehaviour&) = delete;
    virtual ~TGLBaseBehaviour() = default;

    virtual std::string className() const = 0;
    virtual void doProgress(const TGLProgressTimes& times) = 0;

    TGLBaseSceneObject* owner() const { return owner_; }
    const std::string& name() const { return name_; }
    void setName(const std::string& name) { name_ = name; }

private:
    friend class TGLBaseSceneObject;
    TGLBaseSceneObject* owner_ = nullptr;
    std::string name_;
};

// Behaviours proper (Behaviours collection).
class TGLBehaviour : public TGLBaseBehaviour {};

// Effects (Effects collection): behaviours that may also add to the picture.
class TGLEffect : public TGLBaseBehaviour {};

} // namespace coilrun::engine
