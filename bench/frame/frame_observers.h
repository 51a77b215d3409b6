#pragma once
// What the frame benchmark learns while the engine draws: the fragments each object
// and pass produces (occlusion queries), and the frame's GL commands recorded into
// display lists, one list for each stretch between object boundaries, so that a
// plain loop can send the very same commands again without the engine.
#include "engine/render/render_context.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace coilrun::bench {

// Counts the samples that pass every test (GL_SAMPLES_PASSED) for each object's own
// drawing; a child's fragments are its own, not its parent's.
class FragmentMeter : public engine::RenderObserver {
public:
    FragmentMeter();
    ~FragmentMeter() override;
    bool available() const { return available_; }

    void frameBegins() override;
    void frameEnds() override;
    void objectBegins(const engine::TGLBaseSceneObject& object, bool overlayPass) override;
    void objectEnds(const engine::TGLBaseSceneObject& object) override;

    struct Entry {
        std::string name; // "snake3 (TGLSphere)"
        bool overlay = false;
        std::uint64_t fragments = 0;
    };
    // The last frame's objects with their fragments, most first.
    std::vector<Entry> results() const;

private:
    struct Open {
        const engine::TGLBaseSceneObject* object;
        bool overlay;
    };
    void startQuery();
    void stopQuery();
    bool available_ = false;
    std::vector<unsigned> queries_;
    std::vector<Open> owners_; // the object each used query belongs to
    std::vector<Open> stack_;
    std::size_t used_ = 0;
    bool running_ = false;
};

// Records one frame into display lists while it is drawn (compiled and executed).
class FrameRecorder : public engine::RenderObserver {
public:
    ~FrameRecorder() override;
    void frameBegins() override { cut(); }
    void frameEnds() override;
    void objectBegins(const engine::TGLBaseSceneObject&, bool) override { cut(); }
    void objectEnds(const engine::TGLBaseSceneObject&) override { cut(); }

    // Sends the recorded frame again: one glCallList a stretch.
    void replay() const;
    std::size_t lists() const { return lists_.size(); }
    // Frees the lists (context current).
    void release();

private:
    void cut();
    std::vector<unsigned> lists_;
    bool open_ = false;
};

} // namespace coilrun::bench
