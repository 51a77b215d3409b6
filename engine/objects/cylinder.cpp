#include "engine/objects/cylinder.h"

namespace coilrun::engine {

void TGLCylinder::buildList(GeometrySink& sink) {
    if (slices() < 1 || stacks() < 1 || loops() < 1) return;
    const QuadricStyle style = quadricStyle();
    QuadricStyle reversed = style;
    reversed.inside = !style.inside;
    const float h = height();

    sink.pushMatrix();
    // GLU builds along +Z from z = 0; turn that onto local +Y.
    sink.rotate(-90, {1, 0, 0});
    if (alignment_ == TGLCylinderAlignment::caCenter)
        sink.translate({0, 0, -h * 0.5f});
    else if (alignment_ == TGLCylinderAlignment::caTop)
        sink.translate({0, 0, -h});
    if (parts_.cySides) sink.cylinder(style, bottomRadius(), topRadius_, h, slices(), stacks());
    if (parts_.cyTop) {
        sink.pushMatrix();
        sink.translate({0, 0, h});
        sink.disk(style, 0, topRadius_, slices(), loops());
        sink.popMatrix();
    }
    // The bottom disc faces down the axis: GLU's disc faces +Z, so turn it round.
    if (parts_.cyBottom) sink.disk(reversed, 0, bottomRadius(), slices(), loops());
    sink.popMatrix();
}

} // namespace coilrun::engine
