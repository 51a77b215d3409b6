#include "online/page_text.h"

namespace coilrun::online {
namespace {

bool continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::string cutUtf8(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return std::string(text);
    std::size_t end = maxBytes;
    // Back to the first byte of the character the cut would split.
    while (end > 0 && continuation(static_cast<unsigned char>(text[end])))
        --end;
    return std::string(text.substr(0, end));
}

std::string latin1FromUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        std::size_t k = 1;
        while (length > 1 && k < length && i + k < text.size() &&
               continuation(static_cast<unsigned char>(text[i + k])))
            ++k;
        if (length == 0 || k < length) { // a stray byte or a cut-off sequence
            out += '?';
            i += k;
            continue;
        }
        if (length == 1) {
            out += char(lead);
        } else if (length == 2 && lead >= 0xC2 && lead <= 0xC3) { // U+0080..U+00FF
            out += char(((lead & 0x03) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
        } else {
            out += '?';
        }
        i += length;
    }
    return out;
}

} // namespace coilrun::online
