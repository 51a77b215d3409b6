#include "tests/integration/replay/x_keys.h"

#include "engine/platform/virtual_keys.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <dlfcn.h>

namespace coilrun {
namespace {

using FakeKey = int (*)(Display*, unsigned int, int, unsigned long);

} // namespace

XKeys::XKeys() : display_(XOpenDisplay(nullptr)), library_(dlopen("libXtst.so.6", RTLD_NOW)) {
    if (library_) fake_ = dlsym(library_, "XTestFakeKeyEvent");
}

XKeys::~XKeys() {
    if (held_ && ready()) set(held_, false);
    if (display_) XCloseDisplay(static_cast<Display*>(display_));
    if (library_) dlclose(library_);
}

bool XKeys::ready() const {
    return display_ && fake_;
}

void XKeys::hold(int key) {
    if (key == held_) return;
    if (held_) set(held_, false);
    held_ = key;
    if (held_) set(held_, true);
}

void XKeys::set(int key, bool down) {
    KeySym sym = XK_space;
    if (key == vk::up) sym = XK_Up;
    if (key == vk::down) sym = XK_Down;
    if (key == vk::left) sym = XK_Left;
    if (key == vk::right) sym = XK_Right;
    auto* display = static_cast<Display*>(display_);
    reinterpret_cast<FakeKey>(fake_)(display, XKeysymToKeycode(display, sym), down, 0);
    XFlush(display);
}

} // namespace coilrun
