#pragma once
#include "engine/platform/audio.h"
#include "engine/platform/fonts.h"
#include "engine/platform/gl_surface.h"
#include "engine/platform/message_boxes.h"

#include <string>
#include <vector>

namespace coilrun::sim {

class SimMessageBoxes : public platform::MessageBoxes {
public:
    void show(const std::string& text, platform::MessageKind kind) override {
        shown.push_back({text, kind});
    }
    struct Shown {
        std::string text;
        platform::MessageKind kind;
    };
    std::vector<Shown> shown;
};

// A GL surface without GL: it counts what it is asked to do.
class SimGlSurface : public platform::GlSurface {
public:
    void show() override { visible = true; }
    void hide() override { visible = false; }
    bool isVisible() const override { return visible; }
    void setGeometry(const platform::Rect& r) override { rect = r; }
    platform::Rect geometry() const override { return rect; }
    void requestFrame() override { ++framesRequested; }
    std::uint64_t framesPainted() const override { return 0; }

    bool visible = true;
    platform::Rect rect;
    int framesRequested = 0;
};

} // namespace coilrun::sim
