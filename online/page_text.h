#pragma once
#include <string>
#include <string_view>

namespace coilrun::online {

// A page's title reaches the program as UTF-8, the way the server sends it. This is
// the longest head of text that fits in maxBytes without splitting a character.
std::string cutUtf8(std::string_view text, std::size_t maxBytes);

} // namespace coilrun::online
