#include "tests/integration/hud/offscreen.h"

#include "platform/qt/qt_offscreen_gl.h"

namespace coilrun::hudtest {
std::unique_ptr<platform::OffscreenGl> makeOffscreenGl() {
    return std::make_unique<qt::QtOffscreenGl>();
}
} // namespace coilrun::hudtest
