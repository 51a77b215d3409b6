#include "platform/qt/qt_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace coilrun::qt {

QtCursor::~QtCursor() {
    if (count_ < 0 && QGuiApplication::instance()) QGuiApplication::restoreOverrideCursor();
}

platform::Point QtCursor::position() const {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void QtCursor::setPosition(platform::Point p) {
    QCursor::setPos(p.x, p.y);
}

int QtCursor::showCursor(bool show) {
    const bool wasVisible = count_ >= 0;
    count_ += show ? 1 : -1;
    const bool isVisible = count_ >= 0;
    if (wasVisible && !isVisible) QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    if (!wasVisible && isVisible) QGuiApplication::restoreOverrideCursor();
    return count_;
}

} // namespace coilrun::qt
