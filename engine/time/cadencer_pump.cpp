#include "engine/time/cadencer_pump.h"

#include "engine/time/cadencer.h"

#include <algorithm>

namespace coilrun::engine {

CadencerPump::CadencerPump(platform::Clock& clock, platform::MessageLoop& loop)
    : clock_(clock), loop_(loop), frequency_(clock.performanceFrequency()) {}

CadencerPump::~CadencerPump() {
    if (idle_) loop_.setIdleHandler(nullptr);
    freePump();
    asap_.reset();
}

void CadencerPump::registerAsap(TGLCadencer& cadencer) {
    if (!asap_) asap_.emplace();
    if (std::find(asap_->begin(), asap_->end(), &cadencer) == asap_->end())
        asap_->push_back(&cadencer);
    if (!window_) createPump();
}

void CadencerPump::unregisterAsap(TGLCadencer& cadencer) {
    // Only the slot is emptied: the pump may be walking the list right now.
    if (!asap_) return;
    for (auto& slot : *asap_)
        if (slot == &cadencer) slot = nullptr;
}

bool CadencerPump::holdsAsap(const TGLCadencer& cadencer) const {
    return asap_ && std::find(asap_->begin(), asap_->end(), &cadencer) != asap_->end();
}

void CadencerPump::registerIdle(TGLCadencer& cadencer) {
    idle_ = &cadencer;
    loop_.setIdleHandler([this, c = &cadencer] {
        try {
            c->progress();
        } catch (...) {
            loop_.reportException(std::current_exception());
            c->setEnabled(false);
        }
        return false; // keep being called rather than waiting for messages
    });
}

void CadencerPump::unregisterIdle(TGLCadencer& cadencer) {
    // Another cadencer may have taken the idle hook since; that one keeps it.
    if (idle_ != &cadencer) return;
    idle_ = nullptr;
    loop_.setIdleHandler(nullptr);
}

void CadencerPump::createPump() {
    window_ = std::make_shared<Window>();
    postTick();
}

void CadencerPump::freePump() {
    if (window_ && window_->throttleTimer) loop_.killTimer(window_->throttleTimer);
    window_.reset();
}

void CadencerPump::postTick() {
    ++ticksPosted_;
    std::weak_ptr<Window> target = window_;
    loop_.post([this, target] {
        if (!target.expired()) handleMessage(false);
    });
}

void CadencerPump::handleMessage(bool isTimer) {
    auto& w = *window_;
    if (isTimer) {
        loop_.killTimer(w.throttleTimer);
        w.throttleTimer = 0;
    }
    if (isTimer || loop_.currentMessageTime() != clock_.tickCount()) {
        w.tooFastCount = 0;
    } else if (++w.tooFastCount > tooFastLimit) {
        // Messages are coming faster than the clock ticks: let the queue drain.
        if (!w.throttleTimer)
            w.throttleTimer = loop_.startTimer(1, [this] {
                if (window_) handleMessage(true);
            });
        w.tooFastCount = 0;
    }
    if (w.throttleTimer) return;
    if (handling_) return;
    handling_ = true;
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{handling_};
    walk();
}

void CadencerPump::walk() {
    // Indices, not iterators: a step may register cadencers (appended) or unregister
    // them (slots emptied), never shrink the list.
    for (std::size_t i = asap_ ? asap_->size() : 0; i-- > 0;) {
        TGLCadencer* c = (*asap_)[i];
        if (!c || c->mode() != TGLCadencerMode::cmASAP || !c->enabled() || c->progressing() != 0)
            continue;
        if (loop_.terminating()) {
            c->setEnabled(false);
            continue;
        }
        try {
            c->progress();
        } catch (...) {
            loop_.reportException(std::current_exception());
            // It may have been destroyed by whatever threw; only a listed one is touched.
            if (i < asap_->size() && (*asap_)[i] == c) c->setEnabled(false);
        }
    }
    if (asap_) std::erase(*asap_, nullptr);
    if (asap_ && !asap_->empty()) {
        postTick();
    } else {
        asap_.reset();
        freePump();
    }
}

} // namespace coilrun::engine
