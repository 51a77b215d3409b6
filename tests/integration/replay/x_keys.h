#pragma once

namespace coilrun {

// Key presses and releases through the X server, as a keyboard makes them (the
// XTest extension; its library is opened at run time, since the machine has it
// without its headers). Kept apart from the test so that Xlib's macros stay out.
class XKeys {
public:
    XKeys();
    ~XKeys();
    XKeys(const XKeys&) = delete;
    XKeys& operator=(const XKeys&) = delete;
    bool ready() const;

    // Holds this key (vk::space or an arrow) alone; 0 lets go.
    void hold(int key);

private:
    void set(int key, bool down);
    void* display_ = nullptr;
    void* library_ = nullptr;
    void* fake_ = nullptr;
    int held_ = 0;
};

} // namespace coilrun
