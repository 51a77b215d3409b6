#pragma once
#include "engine/input/key_state.h"
#include "engine/platform/input.h"

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>

class QKeyEvent;
class QWindow;

namespace coilrun::qt {

// Key state fed from the key events of the window it listens to (of any window of the
// program until it is told one). Auto-repeat is ignored. When the keyboard goes to
// another window, of this program or another, every key reads up, because the release
// would go there. Create it after the QApplication.
class QtKeyboard : public platform::Keyboard {
public:
    QtKeyboard();
    ~QtKeyboard() override;
    QtKeyboard(const QtKeyboard&) = delete;
    QtKeyboard& operator=(const QtKeyboard&) = delete;

    void listenTo(const platform::Window& window) override;
    // The same for a plain top-level widget.
    void listenTo(QWidget* window);
    void beginPoll() override { keys_.beginPoll(); }
    bool isVirtualKeyDown(int vk) const override { return keys_.isDown(vk); }

    // The virtual key a key event stands for, 0 when none; public for tests.
    static int virtualKeyOf(const QKeyEvent& event);
    void releaseAll();

private:
    class Filter;
    void keyEvent(const QKeyEvent& event, bool down);
    // Whether an event to this object, a widget or a native window, was typed into the
    // window listened to.
    bool typedIntoListened(const QObject* receiver) const;
    bool insideListened(const QWindow* window) const;

    std::unique_ptr<Filter> filter_;
    bool listening_ = false;
    QPointer<QWidget> window_;
    engine::KeyState keys_;
    // The key each physical key went down as, so that its release clears the same key
    // even when Shift changed in between.
    std::map<std::uint32_t, int> pressedByScanCode_;
    struct SeenEvent {
        bool down = false;
        std::uint32_t scanCode = 0;
        quint64 time = 0;
        bool operator==(const SeenEvent&) const = default;
    };
    SeenEvent lastEvent_;
    // When a key that was not down here last came up here.
    std::map<std::uint32_t, quint64> strayReleases_;
};

} // namespace coilrun::qt
