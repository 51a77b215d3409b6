#pragma once
#include <array>

namespace coilrun::engine {

// The key-state table a keyboard keeps from press and release events, in virtual-key
// codes 0..255. The game polls it once a frame; a key a quick finger pressed and let
// go between two frames would otherwise never be seen, so such a press reads down
// for the whole of the next poll, and then no more. A held key reads down from its
// press to its release, as the events say.
class KeyState {
public:
    void press(int vk);
    void release(int vk);
    // Every key up and every pending press forgotten: the keyboard went elsewhere.
    void releaseAll();
    // Starts the next poll: the presses let go since the last call read down until
    // the call after this one; those of the poll before are over. A keyboard that is
    // never polled this way reads only the keys held now.
    void beginPoll();
    bool isDown(int vk) const;

private:
    static bool valid(int vk) { return vk >= 0 && vk < 256; }

    std::array<bool, 256> held_{};
    // Went down after the last beginPoll: its release leaves a tap for the next poll.
    std::array<bool, 256> pressedSincePoll_{};
    std::array<bool, 256> pendingTaps_{};
    std::array<bool, 256> polledTaps_{};
};

} // namespace coilrun::engine
