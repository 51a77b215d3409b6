#include "server/player_text.h"

#include <algorithm>
#include <iterator>

namespace coilrun::server {
namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// The code points of the general categories Cc, Cf, Zl and Zp, and the
// surrogates, of Unicode 14 (the tables of the Qt the server is built with; a
// unit test compares every code point with them, so that a newer Unicode that
// adds a format character shows up as a failing test rather than as a hole).
constexpr Range kControlRanges[] = {
    {0x0000, 0x001F},   {0x007F, 0x009F},   {0x00AD, 0x00AD},   {0x0600, 0x0605},
    {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x0890, 0x0891},
    {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
    {0x2060, 0x2064},   {0x2066, 0x206F},   {0xD800, 0xDFFF},   {0xFEFF, 0xFEFF},
    {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x13438},
    {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
};

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Calls f(codePoint, utf16Start, utf16Length) for every code point; an unpaired
// surrogate comes as itself so that callers can drop it.
template <typename F> void forEachCodePoint(std::u16string_view text, F&& f) {
    for (std::size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            f(0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00), i,
              std::size_t(2));
            i += 2;
        } else {
            f(char32_t(c), i, std::size_t(1));
            i += 1;
        }
    }
}

} // namespace

bool isControlCharacter(char32_t codePoint) {
    const auto after =
        std::upper_bound(std::begin(kControlRanges), std::end(kControlRanges), codePoint,
                         [](char32_t cp, const Range& range) { return cp < range.first; });
    return after != std::begin(kControlRanges) && codePoint <= std::prev(after)->last;
}

std::u16string removeControlCharacters(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    forEachCodePoint(text, [&](char32_t cp, std::size_t start, std::size_t length) {
        if (!isControlCharacter(cp)) out += text.substr(start, length);
    });
    return out;
}

std::u16string cutToCharacters(std::u16string_view text, int count) {
    std::size_t end = 0;
    int seen = 0;
    forEachCodePoint(text, [&](char32_t, std::size_t start, std::size_t length) {
        if (seen++ < count) end = start + length;
    });
    return std::u16string(text.substr(0, end));
}

} // namespace coilrun::server
