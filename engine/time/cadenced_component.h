#pragma once
#include <vector>

namespace coilrun::engine {

class TGLCadencer;

// The times of one cadencer step.
struct ProgressTimes {
    double deltaTime = 0;
    double newTime = 0;
};

// A component a cadencer advances in step with its scene once it has subscribed.
// Destroying it takes it off every cadencer's list.
class TGLCadenceAbleComponent {
public:
    TGLCadenceAbleComponent() = default;
    TGLCadenceAbleComponent(const TGLCadenceAbleComponent&) = delete;
    TGLCadenceAbleComponent& operator=(const TGLCadenceAbleComponent&) = delete;
    virtual ~TGLCadenceAbleComponent();

    virtual void doProgress(const ProgressTimes& times) { (void)times; }

protected:
    // cadencer is being destroyed; this component is already off its list.
    virtual void cadencerDestroyed(TGLCadencer& cadencer) { (void)cadencer; }

private:
    friend class TGLCadencer;
    std::vector<TGLCadencer*> subscribedTo_;
};

// A cadence-able component with one Cadencer that it follows: setting it moves the
// subscription; it is cleared when either side is destroyed.
class TGLCustomCadencedComponent : public TGLCadenceAbleComponent {
public:
    ~TGLCustomCadencedComponent() override;

protected:
    TGLCadencer* cadencer() const { return cadencer_; }
    void setCadencer(TGLCadencer* cadencer);
    void cadencerDestroyed(TGLCadencer& cadencer) override;

private:
    TGLCadencer* cadencer_ = nullptr;
};

// The same with Cadencer published.
class TGLCadencedComponent : public TGLCustomCadencedComponent {
public:
    using TGLCustomCadencedComponent::cadencer;
    using TGLCustomCadencedComponent::setCadencer;
};

} // namespace coilrun::engine
