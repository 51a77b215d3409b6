#include "platform/qt/qt_message_loop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimerEvent>
#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <thread>

namespace coilrun::qt {

namespace {

const QEvent::Type postedType = QEvent::Type(QEvent::registerEventType());
const QEvent::Type wakeType = QEvent::Type(QEvent::registerEventType());
const QEvent::Type idleType = QEvent::Type(QEvent::registerEventType());

struct PostedEvent : QEvent {
    PostedEvent(std::function<void()> f, std::uint32_t s)
        : QEvent(postedType), fn(std::move(f)), stamp(s) {}
    std::function<void()> fn;
    std::uint32_t stamp;
};

bool onUiThread() {
    auto* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace

struct QtMessageLoop::Request {
    std::function<void()> fn;
    const void* owner = nullptr;
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    std::exception_ptr error;
};

class QtMessageLoop::Receiver : public QObject {
public:
    explicit Receiver(QtMessageLoop& loop) : loop_(loop) {}

    bool event(QEvent* e) override {
        const auto type = e->type();
        if (type == postedType) {
            auto* p = static_cast<PostedEvent*>(e);
            loop_.messageTime_ = p->stamp;
            loop_.guarded(p->fn);
            return true;
        }
        if (type == wakeType) {
            loop_.runQueuedRequests();
            return true;
        }
        if (type == idleType) {
            loop_.onIdleEvent();
            return true;
        }
        return QObject::event(e);
    }

    // Any event the application handles means the loop was busy, so the idle handler
    // is due again once it runs dry, as after every message of a native loop.
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (loop_.idleDone_ && !(watched == this && e->type() == idleType)) {
            loop_.idleDone_ = false;
            if (loop_.idle_) loop_.postIdle();
        }
        return false;
    }

protected:
    void timerEvent(QTimerEvent* e) override { loop_.onTimerEvent(e->timerId()); }

private:
    QtMessageLoop& loop_;
};

// An asynchronous timer's worker: a real thread that polls the counter.
class QtTickWorker : public platform::TickWorker {
public:
    QtTickWorker(QtMessageLoop& loop, platform::TickSchedule& schedule)
        : loop_(loop), schedule_(schedule), thread_([this] { run(); }) {}

    ~QtTickWorker() override {
        {
            std::lock_guard lock(m_);
            terminated_ = true;
            paused_ = false;
        }
        cv_.notify_all();
        // The worker may be waiting for its tick to run here: the tick is dropped, and
        // only this worker's. Running the other queued requests here would run other
        // timers' handlers in the middle of whatever is destroying this one, such as a
        // scene whose objects are half gone.
        std::unique_lock lock(m_);
        while (!ended_) {
            lock.unlock();
            loop_.dropRequestsOf(this);
            lock.lock();
            cv_.wait_for(lock, std::chrono::milliseconds(1), [this] { return ended_; });
        }
        lock.unlock();
        thread_.join();
    }

    void resume() override {
        {
            std::lock_guard lock(m_);
            paused_ = false;
        }
        cv_.notify_all();
    }
    void pause() override {
        std::lock_guard lock(m_);
        paused_ = true;
    }
    bool finished() const override { return fatal_; }

private:
    // Blocks while paused; false once terminated. Holds no lock on return.
    bool waitWhilePaused() {
        std::unique_lock lock(m_);
        cv_.wait(lock, [this] { return !paused_ || terminated_; });
        return !terminated_;
    }

    void run() {
        auto& clock = loop_.clock();
        if (waitWhilePaused()) {
            schedule_.start(clock.performanceCounter(), clock.performanceFrequency());
            while (waitWhilePaused()) {
                const auto last = clock.performanceCounter();
                if (last < schedule_.nextTick()) {
                    clock.sleepMs(1);
                    continue;
                }
                try {
                    loop_.runOnUiThreadAndWait([this] { schedule_.deliverTick(); }, this);
                } catch (...) {
                    fatal_ = true;
                    break;
                }
                schedule_.ticked(last, clock.performanceCounter());
            }
        }
        std::lock_guard lock(m_);
        ended_ = true;
        cv_.notify_all();
    }

    QtMessageLoop& loop_;
    platform::TickSchedule& schedule_;
    std::mutex m_;
    std::condition_variable cv_;
    bool paused_ = true;
    bool terminated_ = false;
    bool ended_ = false;
    std::atomic<bool> fatal_{false};
    std::thread thread_;
};

QtMessageLoop::QtMessageLoop(QtClock& clock)
    : clock_(clock), receiver_(std::make_unique<Receiver>(*this)), messageTime_(clock.tickCount()) {
    if (auto* app = QCoreApplication::instance()) app->installEventFilter(receiver_.get());
    if (auto* dispatcher = QAbstractEventDispatcher::instance(receiver_->thread()))
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, receiver_.get(),
                         [this] { onAboutToBlock(); });
}

QtMessageLoop::~QtMessageLoop() {
    for (const auto& [id, fn] : timers_)
        receiver_->killTimer(id);
    timers_.clear();
    if (auto* app = QCoreApplication::instance()) app->removeEventFilter(receiver_.get());
    runQueuedRequests();
}

platform::MessageLoop::TimerId QtMessageLoop::startTimer(std::uint32_t intervalMs,
                                                         std::function<void()> onTick) {
    if (timers_.size() >= timerLimit) return 0;
    // A zero period would make a timer of every pass of the loop; the system rounds up.
    const int interval = int(
        std::min<std::uint32_t>(std::max<std::uint32_t>(intervalMs, 1), std::uint32_t(INT32_MAX)));
    const int id = receiver_->startTimer(interval, Qt::PreciseTimer);
    if (id <= 0) return 0;
    timers_[id] = std::make_shared<std::function<void()>>(std::move(onTick));
    return TimerId(id);
}

void QtMessageLoop::killTimer(TimerId id) {
    const auto it = timers_.find(int(id));
    if (it == timers_.end()) return;
    receiver_->killTimer(it->first);
    timers_.erase(it);
}

void QtMessageLoop::onTimerEvent(int id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    auto fn = it->second; // the tick may kill its own timer
    messageTime_ = clock_.tickCount();
    guarded(*fn);
}

void QtMessageLoop::post(std::function<void()> fn) {
    QCoreApplication::postEvent(receiver_.get(),
                                new PostedEvent(std::move(fn), clock_.tickCount()));
}

void QtMessageLoop::processMessages() {
    runQueuedRequests();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtMessageLoop::setIdleHandler(std::function<bool()> handler) {
    idle_ = std::move(handler);
    idleDone_ = false;
    if (idle_) postIdle();
}

void QtMessageLoop::postIdle() {
    if (idlePending_) return;
    idlePending_ = true;
    QCoreApplication::postEvent(receiver_.get(), new QEvent(idleType), Qt::LowEventPriority);
}

void QtMessageLoop::onAboutToBlock() {
    bool pending;
    {
        std::lock_guard lock(requestsMutex_);
        pending = !requests_.empty();
    }
    // A delivery whose wake-up was swallowed still runs before the loop sleeps.
    if (pending) QCoreApplication::postEvent(receiver_.get(), new QEvent(wakeType));
    if (idle_ && !idleDone_) postIdle();
}

void QtMessageLoop::onIdleEvent() {
    idlePending_ = false;
    runQueuedRequests();
    if (!idle_) return;
    auto idle = idle_;
    bool done = true;
    try {
        done = idle();
    } catch (...) {
        reportException(std::current_exception());
    }
    if (done)
        idleDone_ = true;
    else
        postIdle();
}

void QtMessageLoop::runOnUiThreadAndWait(std::function<void()> fn) {
    runOnUiThreadAndWait(std::move(fn), nullptr);
}

void QtMessageLoop::runOnUiThreadAndWait(std::function<void()> fn, const void* owner) {
    if (onUiThread()) {
        fn();
        return;
    }
    auto request = std::make_shared<Request>();
    request->fn = std::move(fn);
    request->owner = owner;
    {
        std::lock_guard lock(requestsMutex_);
        requests_.push_back(request);
    }
    QCoreApplication::postEvent(receiver_.get(), new QEvent(wakeType));
    std::unique_lock lock(request->m);
    request->cv.wait(lock, [&] { return request->done; });
    if (request->error) std::rethrow_exception(request->error);
}

void QtMessageLoop::dropRequestsOf(const void* owner) {
    std::deque<std::shared_ptr<Request>> dropped;
    {
        std::lock_guard lock(requestsMutex_);
        const auto mine = std::stable_partition(
            requests_.begin(), requests_.end(),
            [owner](const std::shared_ptr<Request>& r) { return r->owner != owner; });
        dropped.assign(mine, requests_.end());
        requests_.erase(mine, requests_.end());
    }
    for (auto& request : dropped) {
        std::lock_guard lock(request->m);
        request->done = true;
        request->cv.notify_all();
    }
}

void QtMessageLoop::runQueuedRequests() {
    std::deque<std::shared_ptr<Request>> batch;
    {
        std::lock_guard lock(requestsMutex_);
        batch.swap(requests_);
    }
    for (auto& request : batch) {
        std::exception_ptr error;
        try {
            request->fn();
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard lock(request->m);
        request->error = error;
        request->done = true;
        request->cv.notify_all();
    }
}

std::unique_ptr<platform::TickWorker>
QtMessageLoop::createTickWorker(platform::TickSchedule& schedule) {
    return std::make_unique<QtTickWorker>(*this, schedule);
}

void QtMessageLoop::guarded(const std::function<void()>& fn) {
    try {
        fn();
    } catch (...) {
        reportException(std::current_exception());
    }
}

void QtMessageLoop::reportException(std::exception_ptr error) {
    if (onReport) {
        onReport(error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Coilrun: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "Coilrun: unknown exception\n");
    }
}

void QtMessageLoop::quit() {
    terminating_ = true;
    QCoreApplication::exit(0);
}

} // namespace coilrun::qt
