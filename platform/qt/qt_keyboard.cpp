#include "platform/qt/qt_keyboard.h"

#include "engine/platform/virtual_keys.h"
#include "platform/qt/qt_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>

namespace coilrun::qt {

class QtKeyboard::Filter : public QObject {
public:
    explicit Filter(QtKeyboard& keyboard) : keyboard_(keyboard) {}

    bool eventFilter(QObject* receiver, QEvent* e) override {
        // The same event reaches the window and then the widget; keyEvent takes it once.
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(e);
            if (!key->isAutoRepeat() && keyboard_.typedIntoListened(receiver))
                keyboard_.keyEvent(*key, e->type() == QEvent::KeyPress);
        }
        return false;
    }

private:
    QtKeyboard& keyboard_;
};

QtKeyboard::QtKeyboard() : filter_(std::make_unique<Filter>(*this)) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        app->installEventFilter(filter_.get());
        QObject::connect(app, &QGuiApplication::applicationStateChanged, filter_.get(),
                         [this](Qt::ApplicationState state) {
                             if (state != Qt::ApplicationActive) releaseAll();
                         });
        QObject::connect(app, &QGuiApplication::focusWindowChanged, filter_.get(),
                         [this](QWindow* focus) {
                             if (!insideListened(focus)) releaseAll();
                         });
    }
}

QtKeyboard::~QtKeyboard() {
    if (auto* app = QCoreApplication::instance()) app->removeEventFilter(filter_.get());
}

void QtKeyboard::listenTo(const platform::Window& window) {
    listenTo(static_cast<const QtWindow&>(window).widget());
}

void QtKeyboard::listenTo(QWidget* window) {
    listening_ = true;
    window_ = window;
    if (!insideListened(QGuiApplication::focusWindow())) releaseAll();
}

bool QtKeyboard::typedIntoListened(const QObject* receiver) const {
    if (!listening_) return true;
    if (const auto* widget = qobject_cast<const QWidget*>(receiver))
        return window_ && widget->window() == window_;
    if (const auto* window = qobject_cast<const QWindow*>(receiver)) return insideListened(window);
    return false;
}

// The GL view is a native window of its own inside the game window, and it is the one
// that has the focus and gets the keys; its top-level ancestor is the game window's.
bool QtKeyboard::insideListened(const QWindow* window) const {
    if (!listening_) return window != nullptr;
    if (!window || !window_) return false;
    while (window->parent())
        window = window->parent();
    return window == window_->windowHandle();
}

void QtKeyboard::releaseAll() {
    keys_.releaseAll();
    pressedByScanCode_.clear();
}

void QtKeyboard::keyEvent(const QKeyEvent& event, bool down) {
    const std::uint32_t scanCode = event.nativeScanCode();
    // The window and then its widget get the same event: take it once.
    const SeenEvent seen{down, scanCode, event.timestamp()};
    if (scanCode != 0 && seen == lastEvent_) return;
    lastEvent_ = seen;
    // X repeats a held key as a release and a press with one time stamp. The toolkit
    // tells them from a real release only when both have come in together; on a busy
    // machine the press may come later, and a key held since it went down in another
    // window (a score page, say) would then go down here. A release of a key that is
    // not down here, and a press at its very time, are that repeat.
    if (scanCode != 0) {
        if (!down && !pressedByScanCode_.count(scanCode)) {
            strayReleases_[scanCode] = seen.time;
            return;
        }
        if (down) {
            const auto stray = strayReleases_.find(scanCode);
            if (stray != strayReleases_.end() && stray->second == seen.time) return;
        }
    }
    int key = 0;
    if (!down && scanCode != 0) {
        const auto it = pressedByScanCode_.find(scanCode);
        if (it != pressedByScanCode_.end()) {
            key = it->second;
            pressedByScanCode_.erase(it);
        }
    }
    if (key == 0) key = virtualKeyOf(event);
    if (key <= 0 || key > 255) return;
    if (down)
        keys_.press(key);
    else
        keys_.release(key);
    if (down && scanCode != 0) pressedByScanCode_[scanCode] = key;
}

int QtKeyboard::virtualKeyOf(const QKeyEvent& event) {
    const int k = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (k >= Qt::Key_0 && k <= Qt::Key_9) return vk::numpad0 + (k - Qt::Key_0);
        switch (k) {
        case Qt::Key_Plus:
            return vk::add;
        case Qt::Key_Minus:
            return vk::subtract;
        case Qt::Key_Asterisk:
            return vk::multiply;
        case Qt::Key_Slash:
            return vk::divide;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return vk::decimal;
        default:
            break; // arrows, Enter ... as on the main block
        }
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return vk::f1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Escape:
        return vk::escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vk::tab;
    case Qt::Key_Backspace:
        return vk::back;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vk::enter;
    case Qt::Key_Left:
        return vk::left;
    case Qt::Key_Up:
        return vk::up;
    case Qt::Key_Right:
        return vk::right;
    case Qt::Key_Down:
        return vk::down;
    case Qt::Key_Home:
        return vk::home;
    case Qt::Key_End:
        return vk::end;
    case Qt::Key_PageUp:
        return vk::pageUp;
    case Qt::Key_PageDown:
        return vk::pageDown;
    case Qt::Key_Insert:
        return vk::insert;
    case Qt::Key_Delete:
        return vk::del;
    case Qt::Key_Shift:
        return vk::shift;
    case Qt::Key_Control:
        return vk::control;
    case Qt::Key_Alt:
        return vk::alt;
    default:
        break;
    }
    // Printable keys: Qt names them by the ASCII character they type, shifted or not,
    // and the US table takes a shifted character back to its key.
    if (k >= 0x20 && k < 0x7f) {
        const int key = usLayoutVirtualKey(char(k));
        return key == vk::none ? 0 : key;
    }
    return 0;
}

} // namespace coilrun::qt
