#pragma once
#include <vector>

namespace coilrun::engine {

class TGLCadencer;

// What a cadencer advances at every step: the scene. A cadencer links to it; when
// the target goes away, every cadencer that uses it loses its Scene and stops being
// pumped.
class ProgressTarget {
public:
    ProgressTarget(const ProgressTarget&) = delete;
    ProgressTarget& operator=(const ProgressTarget&) = delete;

    // One step of deltaTime seconds, reaching cadencer time newTime.
    virtual void doProgress(double deltaTime, double newTime) = 0;

protected:
    ProgressTarget() = default;
    ~ProgressTarget();

private:
    friend class TGLCadencer;
    std::vector<TGLCadencer*> cadencers_;
};

} // namespace coilrun::engine
