#pragma once
#include "engine/objects/camera.h"
#include "engine/objects/scene.h"

namespace coilrun {

// A small scene of every primitive under two coloured lights, turning slowly: what
// the renderer's frame rate is measured on.
// Returns the camera to view it through (owned by the scene).
engine::TGLCamera* buildDemoScene(engine::TGLScene& scene);

} // namespace coilrun
