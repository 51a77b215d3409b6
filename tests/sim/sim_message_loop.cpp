#include "tests/sim/sim_message_loop.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace coilrun::sim {

namespace {
constexpr std::int64_t never = std::numeric_limits<std::int64_t>::max();
}

// An asynchronous timer's worker in virtual time. It behaves as the real one does:
// it polls the counter every millisecond from the moment it starts polling, and a
// due tick goes to the loop as a delivery that the worker waits on.
class SimTickWorker : public platform::TickWorker {
public:
    SimTickWorker(SimMessageLoop& loop, platform::TickSchedule& schedule)
        : loop_(loop), schedule_(schedule), alive_(std::make_shared<bool>(true)) {
        loop_.workers_.push_back(this);
    }
    ~SimTickWorker() override {
        *alive_ = false; // a delivery still queued is dropped
        std::erase(loop_.workers_, this);
    }

    void resume() override {
        if (!paused_) return;
        paused_ = false;
        if (finished_) return;
        const auto now = loop_.clock_.performanceCounter();
        if (!begun_) {
            begun_ = true;
            schedule_.start(now, loop_.clock_.performanceFrequency());
        }
        if (!awaiting_) pollFrom_ = now;
    }
    void pause() override { paused_ = true; }
    bool finished() const override { return finished_; }

    // Counter value of the poll that will see the next tick; never when not polling.
    std::int64_t pollTime() const {
        if (paused_ || awaiting_ || finished_ || !begun_) return never;
        const auto next = schedule_.nextTick();
        if (next <= pollFrom_) return pollFrom_;
        const auto ms = loop_.clock_.ticksPerMs();
        return pollFrom_ + (next - pollFrom_ + ms - 1) / ms * ms;
    }

    void poll() {
        const auto last = loop_.clock_.performanceCounter();
        awaiting_ = true;
        std::weak_ptr<bool> alive = alive_;
        loop_.enqueue(
            [this, alive, last] {
                if (alive.expired() || !*alive.lock()) return;
                awaiting_ = false;
                try {
                    schedule_.deliverTick();
                } catch (...) {
                    finished_ = true;
                    return;
                }
                const auto now = loop_.clock_.performanceCounter();
                schedule_.ticked(last, now);
                pollFrom_ = now;
            },
            false);
    }

private:
    SimMessageLoop& loop_;
    platform::TickSchedule& schedule_;
    std::shared_ptr<bool> alive_;
    bool begun_ = false;
    bool paused_ = true;
    bool awaiting_ = false;
    bool finished_ = false;
    std::int64_t pollFrom_ = 0;
};

SimMessageLoop::SimMessageLoop(SimClock& clock)
    : clock_(clock), messageTime_(clock.tickCount()), uiThread_(std::this_thread::get_id()) {}

SimMessageLoop::~SimMessageLoop() = default;

platform::MessageLoop::TimerId SimMessageLoop::startTimer(std::uint32_t intervalMs,
                                                          std::function<void()> onTick) {
    if (refuseTimers || timers_.size() >= timerLimit) return 0;
    // A zero period would tick forever at one instant; the system rounds it up too.
    const auto interval =
        std::int64_t(std::max<std::uint32_t>(intervalMs, 1)) * clock_.ticksPerMs();
    const auto id = nextId_++;
    timers_[id] = Timer{interval, clock_.performanceCounter() + interval,
                        std::make_shared<std::function<void()>>(std::move(onTick))};
    return id;
}

void SimMessageLoop::killTimer(TimerId id) {
    timers_.erase(id);
}

std::uint32_t SimMessageLoop::timerInterval(TimerId id) const {
    const auto it = timers_.find(id);
    return it == timers_.end() ? 0 : std::uint32_t(it->second.interval / clock_.ticksPerMs());
}

void SimMessageLoop::post(std::function<void()> fn) {
    enqueue(std::move(fn), true);
}

void SimMessageLoop::enqueue(std::function<void()> fn, bool costs) {
    std::lock_guard lock(postedMutex_);
    posted_.push_back(Posted{std::move(fn), clock_.tickCount(), costs});
}

std::size_t SimMessageLoop::pendingPosts() const {
    std::lock_guard lock(postedMutex_);
    return posted_.size();
}

bool SimMessageLoop::popPosted(Posted& out) {
    std::lock_guard lock(postedMutex_);
    if (posted_.empty()) return false;
    out = std::move(posted_.front());
    posted_.pop_front();
    return true;
}

void SimMessageLoop::guarded(const std::function<void()>& fn) {
    try {
        fn();
    } catch (...) {
        reportException(std::current_exception());
    }
}

void SimMessageLoop::runPosted(Posted& p) {
    if (p.costs) clock_.advance(messageCost);
    messageTime_ = p.stamp;
    ++handled;
    idleSatisfied_ = false;
    guarded(p.fn);
}

void SimMessageLoop::fireTimer(TimerId id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    auto& t = it->second;
    const auto now = clock_.performanceCounter();
    // A late timer ticks once, not once per missed period.
    t.due += t.interval;
    if (t.due <= now) t.due = now + t.interval;
    auto fn = t.fn; // the tick may kill its own timer
    messageTime_ = clock_.tickCount();
    ++handled;
    idleSatisfied_ = false;
    guarded(*fn);
}

void SimMessageLoop::pollWorker(SimTickWorker& w) {
    w.poll();
}

std::int64_t SimMessageLoop::nextDue(TimerId* timer, SimTickWorker** worker) const {
    std::int64_t best = never;
    *timer = 0;
    *worker = nullptr;
    for (const auto& [id, t] : timers_) {
        if (t.due < best) {
            best = t.due;
            *timer = id;
        }
    }
    for (auto* w : workers_) {
        const auto p = w->pollTime();
        if (p < best) {
            best = p;
            *timer = 0;
            *worker = w;
        }
    }
    return best;
}

bool SimMessageLoop::step(std::int64_t limit) {
    // Work that costs time stops at the limit; events due exactly then still run.
    const bool beforeLimit = clock_.performanceCounter() < limit;
    Posted p;
    if (beforeLimit && popPosted(p)) {
        runPosted(p);
        return true;
    }
    TimerId timer = 0;
    SimTickWorker* worker = nullptr;
    const auto due = nextDue(&timer, &worker);
    const auto now = clock_.performanceCounter();
    if (beforeLimit && due > now && idle_ && !idleSatisfied_) {
        auto idle = idle_;
        bool done = true;
        clock_.advance(messageCost);
        try {
            done = idle();
        } catch (...) {
            reportException(std::current_exception());
        }
        if (done) idleSatisfied_ = true;
        return true;
    }
    if (due > limit) {
        clock_.advanceTo(limit);
        return false;
    }
    clock_.advanceTo(due);
    if (worker)
        pollWorker(*worker);
    else
        fireTimer(timer);
    return true;
}

void SimMessageLoop::processMessages() {
    const auto now = clock_.performanceCounter();
    for (auto* w : std::vector<SimTickWorker*>(workers_))
        if (w->pollTime() <= now) w->poll();
    std::size_t n = pendingPosts();
    Posted p;
    while (n-- > 0 && popPosted(p))
        runPosted(p);
    std::vector<TimerId> due;
    for (const auto& [id, t] : timers_)
        if (t.due <= clock_.performanceCounter()) due.push_back(id);
    for (auto id : due)
        fireTimer(id);
}

void SimMessageLoop::setIdleHandler(std::function<bool()> handler) {
    idle_ = std::move(handler);
    idleSatisfied_ = false;
}

void SimMessageLoop::runOnUiThreadAndWait(std::function<void()> fn) {
    if (std::this_thread::get_id() == uiThread_) {
        fn();
        return;
    }
    struct Request {
        std::mutex m;
        std::condition_variable cv;
        bool done = false;
        std::exception_ptr error;
    };
    auto request = std::make_shared<Request>();
    enqueue(
        [request, fn = std::move(fn)] {
            std::exception_ptr error;
            try {
                fn();
            } catch (...) {
                error = std::current_exception();
            }
            std::lock_guard lock(request->m);
            request->error = error;
            request->done = true;
            request->cv.notify_all();
        },
        false);
    std::unique_lock lock(request->m);
    request->cv.wait(lock, [&] { return request->done; });
    if (request->error) std::rethrow_exception(request->error);
}

std::unique_ptr<platform::TickWorker>
SimMessageLoop::createTickWorker(platform::TickSchedule& schedule) {
    return std::make_unique<SimTickWorker>(*this, schedule);
}

void SimMessageLoop::reportException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        reported.emplace_back(e.what());
    } catch (...) {
        reported.emplace_back("unknown exception");
    }
    if (onReport) onReport(error);
}

void SimMessageLoop::runFor(double seconds) {
    const auto limit =
        clock_.performanceCounter() + std::int64_t(seconds * double(clock_.frequency) + 0.5);
    while (!terminating_ && step(limit)) {
    }
    clock_.advanceTo(limit);
}

bool SimMessageLoop::runUntil(const std::function<bool()>& done, double maxSeconds) {
    const auto limit =
        clock_.performanceCounter() + std::int64_t(maxSeconds * double(clock_.frequency) + 0.5);
    if (done()) return true;
    while (!terminating_ && step(limit))
        if (done()) return true;
    return done();
}

} // namespace coilrun::sim
