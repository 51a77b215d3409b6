#include "platform/qt/qt_keyboard.h"

#include "engine/input/virtual_keys.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>

namespace coilrun::qt {

class QtKeyboard::Filter : public QObject {
public:
    explicit Filter(QtKeyboard& keyboard) : keyboard_(keyboard) {}

    bool eventFilter(QObject*, QEvent* e) override {
        // The same event reaches the window and then the widget; setting a key twice is
        // harmless, so there is no need to pick one.
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(e);
            if (!key->isAutoRepeat()) keyboard_.keyEvent(*key, e->type() == QEvent::KeyPress);
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
    }
}

QtKeyboard::~QtKeyboard() {
    if (auto* app = QCoreApplication::instance()) app->removeEventFilter(filter_.get());
}

bool QtKeyboard::isVirtualKeyDown(int key) const {
    return key >= 0 && key < int(down_.size()) && down_[std::size_t(key)];
}

// A fixed US table: the layout is not asked, so on another layout a character is looked
// for where a US keyboard has it.
int QtKeyboard::virtualKeyForChar(char c) const {
    return usLayoutVirtualKey(c);
}

void QtKeyboard::releaseAll() {
    down_.fill(false);
    pressedByScanCode_.clear();
}

void QtKeyboard::keyEvent(const QKeyEvent& event, bool down) {
    const std::uint32_t scanCode = event.nativeScanCode();
    int key = 0;
    if (!down && scanCode != 0) {
        const auto it = pressedByScanCode_.find(scanCode);
        if (it != pressedByScanCode_.end()) {
            key = it->second;
            pressedByScanCode_.erase(it);
        }
    }
    if (key == 0) key = virtualKeyOf(event);
    if (key <= 0 || key >= int(down_.size())) return;
    down_[std::size_t(key)] = down;
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
