#pragma once
#include <string>
#include <string_view>

namespace coilrun::online {

// A page's title reaches the program as UTF-8, the way the server sends it.

// The longest head of text that fits in maxBytes without splitting a character.
std::string cutUtf8(std::string_view text, std::size_t maxBytes);

// The text in the 8-bit character set of the game's bitmap fonts (the first 256 code
// points, one byte each). A character outside it, or a byte that is no UTF-8, becomes
// a '?'.
std::string latin1FromUtf8(std::string_view text);

} // namespace coilrun::online
