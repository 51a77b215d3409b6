#pragma once
#include "engine/platform/input.h"

namespace coilrun::engine {

// Whether the key that types c on a US keyboard is down now, whatever shift state
// c needs: 'W' and 'w' test the same key, '+' is down while the key carrying it is,
// and the keypad's + and - count as '+' and '-'. A character no key types reads false.
bool IsKeyDown(const platform::Keyboard& keyboard, char c);
// Whether the key with this virtual-key code is down now.
bool IsKeyDown(const platform::Keyboard& keyboard, int virtualKey);

} // namespace coilrun::engine
