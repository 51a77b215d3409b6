#pragma once
#include <string>
#include <string_view>

namespace coilrun::server {

// The two rules for a player's text that need no Unicode library, in plain C++
// so that reading a request builds (and is fuzzed) without Qt. Text is UTF-16,
// as the rest of the server holds it.

// Control characters (C0, DEL, C1), format characters (bidi overrides,
// zero-width marks), line and paragraph separators, and surrogates.
bool isControlCharacter(char32_t codePoint);

// The text without control characters; an unpaired surrogate goes too, a pair
// that makes up a wanted character stays.
std::u16string removeControlCharacters(std::u16string_view text);

// The first `count` characters (code points, so a pair is never split).
std::u16string cutToCharacters(std::u16string_view text, int count);

} // namespace coilrun::server
