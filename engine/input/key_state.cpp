#include "engine/input/key_state.h"

namespace coilrun::engine {

void KeyState::press(int vk) {
    if (!valid(vk)) return;
    held_[std::size_t(vk)] = true;
    pressedSincePoll_[std::size_t(vk)] = true;
}

void KeyState::release(int vk) {
    if (!valid(vk)) return;
    const auto k = std::size_t(vk);
    // A key held over a poll has been seen; only one that came and went unseen is kept.
    if (held_[k] && pressedSincePoll_[k]) pendingTaps_[k] = true;
    held_[k] = false;
}

void KeyState::releaseAll() {
    held_.fill(false);
    pressedSincePoll_.fill(false);
    pendingTaps_.fill(false);
    polledTaps_.fill(false);
}

void KeyState::beginPoll() {
    polledTaps_ = pendingTaps_;
    pendingTaps_.fill(false);
    pressedSincePoll_.fill(false);
}

bool KeyState::isDown(int vk) const {
    if (!valid(vk)) return false;
    return held_[std::size_t(vk)] || polledTaps_[std::size_t(vk)];
}

} // namespace coilrun::engine
