#include "platform/qt/qt_clock.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <chrono>
#include <thread>

namespace coilrun::qt {

std::int64_t QtClock::performanceCounter() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::uint32_t QtClock::tickCount() const {
    return std::uint32_t(std::uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now().time_since_epoch())
                                           .count()));
}

double QtClock::localDateTimeDays() const {
    const QDateTime now = QDateTime::currentDateTime();
    static const QDate epoch(1899, 12, 30);
    const double days = double(epoch.daysTo(now.date()));
    return days + double(now.time().msecsSinceStartOfDay()) / 86'400'000.0;
}

std::string QtClock::localShortDate() const {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

void QtClock::sleepMs(int ms) {
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    else
        std::this_thread::yield();
}

} // namespace coilrun::qt
