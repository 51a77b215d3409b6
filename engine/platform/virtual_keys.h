#pragma once

namespace coilrun {

// Virtual-key codes in the numbering the game polls with.
namespace vk {
constexpr int back = 0x08;
constexpr int tab = 0x09;
constexpr int enter = 0x0D;
constexpr int shift = 0x10;
constexpr int control = 0x11;
constexpr int alt = 0x12;
constexpr int escape = 0x1B;
constexpr int space = 0x20;
constexpr int pageUp = 0x21;
constexpr int pageDown = 0x22;
constexpr int end = 0x23;
constexpr int home = 0x24;
constexpr int left = 0x25;
constexpr int up = 0x26;
constexpr int right = 0x27;
constexpr int down = 0x28;
constexpr int insert = 0x2D;
constexpr int del = 0x2E;
constexpr int numpad0 = 0x60;
constexpr int multiply = 0x6A;
constexpr int add = 0x6B;
constexpr int subtract = 0x6D;
constexpr int decimal = 0x6E;
constexpr int divide = 0x6F;
constexpr int f1 = 0x70;
constexpr int oem1 = 0xBA; // ; :
constexpr int oemPlus = 0xBB;
constexpr int oemComma = 0xBC;
constexpr int oemMinus = 0xBD;
constexpr int oemPeriod = 0xBE;
constexpr int oem2 = 0xBF; // / ?
constexpr int oem3 = 0xC0; // ` ~
constexpr int oem4 = 0xDB; // [ {
constexpr int oem5 = 0xDC; // \ |
constexpr int oem6 = 0xDD; // ] }
constexpr int oem7 = 0xDE; // ' "
constexpr int none = 255;
} // namespace vk

// The key that types c on a US keyboard, whatever shift state c needs; vk::none when no
// key types it.
int usLayoutVirtualKey(char c);

} // namespace coilrun
