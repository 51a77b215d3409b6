#include "tests/sim/sim_platform.h"

namespace coilrun::sim {

std::unique_ptr<platform::Window> SimPlatform::createWindow() {
    auto w = std::make_unique<SimWindow>();
    windows.push_back(w.get());
    w->created = &windows;
    return w;
}

std::unique_ptr<platform::GlSurface> SimPlatform::createGlSurface(platform::Window&) {
    auto s = std::make_unique<SimGlSurface>();
    glSurfaces.push_back(s.get());
    return s;
}

std::unique_ptr<platform::WebView> SimPlatform::createWebView(platform::Window&) {
    auto v = std::make_unique<SimWebView>(loopImpl, web);
    webViews.push_back(v.get());
    return v;
}

} // namespace coilrun::sim
