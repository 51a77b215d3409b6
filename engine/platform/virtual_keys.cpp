#include "engine/platform/virtual_keys.h"

#include <cstring>

namespace coilrun {

int usLayoutVirtualKey(char c) {
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    // The shifted digits of the top row, in key order 1..9, 0.
    static const char shiftedDigits[] = "!@#$%^&*()";
    if (const char* p = c ? std::strchr(shiftedDigits, c) : nullptr) {
        const int index = int(p - shiftedDigits);
        return index == 9 ? '0' : '1' + index;
    }
    switch (c) {
    case ' ':
        return vk::space;
    case '\r':
        return vk::enter;
    case '\t':
        return vk::tab;
    case '\b':
        return vk::back;
    case 27:
        return vk::escape;
    case '=':
    case '+':
        return vk::oemPlus;
    case '-':
    case '_':
        return vk::oemMinus;
    case ',':
    case '<':
        return vk::oemComma;
    case '.':
    case '>':
        return vk::oemPeriod;
    case ';':
    case ':':
        return vk::oem1;
    case '/':
    case '?':
        return vk::oem2;
    case '`':
    case '~':
        return vk::oem3;
    case '[':
    case '{':
        return vk::oem4;
    case '\\':
    case '|':
        return vk::oem5;
    case ']':
    case '}':
        return vk::oem6;
    case '\'':
    case '"':
        return vk::oem7;
    default:
        return vk::none;
    }
}

} // namespace coilrun
