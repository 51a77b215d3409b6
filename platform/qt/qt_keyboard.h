#pragma once
#include "engine/platform/input.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>

class QKeyEvent;

namespace coilrun::qt {

// Key state fed from the application's key events. Auto-repeat is ignored; when no
// window of the program has the keyboard any more every key reads up, because the
// release would go elsewhere. Create it after the QApplication.
class QtKeyboard : public platform::Keyboard {
public:
    QtKeyboard();
    ~QtKeyboard() override;
    QtKeyboard(const QtKeyboard&) = delete;
    QtKeyboard& operator=(const QtKeyboard&) = delete;

    bool isVirtualKeyDown(int vk) const override;
    int virtualKeyForChar(char c) const override;

    // The virtual key a key event stands for, 0 when none; public for tests.
    static int virtualKeyOf(const QKeyEvent& event);
    void releaseAll();

private:
    class Filter;
    void keyEvent(const QKeyEvent& event, bool down);

    std::unique_ptr<Filter> filter_;
    std::array<bool, 256> down_{};
    // The key each physical key went down as, so that its release clears the same key
    // even when Shift changed in between.
    std::map<std::uint32_t, int> pressedByScanCode_;
};

} // namespace coilrun::qt
