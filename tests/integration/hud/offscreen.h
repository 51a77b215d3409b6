#pragma once
#include "engine/platform/gl_surface.h"

#include <memory>

namespace coilrun::hudtest {

// The offscreen GL surface the pictures of these tests are drawn on; null without GL.
std::unique_ptr<platform::OffscreenGl> makeOffscreenGl();

} // namespace coilrun::hudtest
