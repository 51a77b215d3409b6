// The same bytes read as count.php's query, as a Cookie header, and (every byte
// percent-encoded) as one query value. Whatever they are, a run report holds no
// control character and nothing over its limits, every text is well-formed
// UTF-16, an encoded value decodes to its own bytes, and a run id read from a
// cookie is the one the server's own cookie for it gives back.
#include "server/player_text.h"
#include "server/query.h"
#include "server/run_cookie.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace coilrun::server;

void require(bool ok) {
    if (!ok) std::abort();
}

// Checks that the text is well-formed UTF-16 and returns its character count.
std::size_t characters(std::u16string_view text, bool controlsAllowed = true) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i, ++count) {
        char32_t cp = text[i];
        if (cp >= 0xDC00 && cp <= 0xDFFF) std::abort();
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            require(i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF);
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        require(controlsAllowed || !isControlCharacter(cp));
    }
    return count;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

bool isLatin1Of(std::u16string_view text, std::string_view bytes) {
    if (text.size() != bytes.size()) return false;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (text[i] != static_cast<unsigned char>(bytes[i])) return false;
    return true;
}

void checkQuery(std::string_view raw) {
    const CountQuery query = parseCountQuery(raw);
    require((query.kind == CountQueryKind::None) == raw.empty());
    if (raw.size() > kMaxQueryBytes) require(query.kind == CountQueryKind::Unreadable);
    if (query.kind == CountQueryKind::Report) {
        const RunReport& r = query.report;
        require(characters(r.newFlag, false) <= std::size_t(kMaxNewLength));
        require(characters(r.date, false) <= std::size_t(kMaxDateLength));
        require(characters(r.user, false) <= std::size_t(kMaxNameLength));
        require(!r.score || (*r.score >= 0 && *r.score <= kMaxScore));
    }
    std::size_t separators = 0;
    for (char c : raw)
        separators += c == '&';
    const std::vector<QueryItem> items = parseQueryItems(raw);
    require(items.size() <= separators + 1);
    for (const QueryItem& item : items) {
        characters(item.key);
        characters(item.value);
    }
}

void checkEncodedValue(std::string_view bytes) {
    static constexpr char hex[] = "0123456789abcdefABCDEF";
    std::string encoded;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int upper = (i & 1) ? 6 : 0; // both cases of the hex digits
        encoded += '%';
        encoded += hex[(b >> 4) < 10 ? (b >> 4) : (b >> 4) + upper];
        encoded += hex[(b & 15) < 10 ? (b & 15) : (b & 15) + upper];
    }
    const std::u16string text = decodeQueryComponent(encoded);
    characters(text);
    require(toUtf8(text) == bytes || isLatin1Of(text, bytes));
}

void checkCookie(std::string_view header) {
    const std::int64_t id = runIdFromCookieHeader(header);
    require(id >= 0);
    if (id > 0) {
        const std::string cookie = runCookie(id);
        require(runIdFromCookieHeader(cookie) == id);
        require(runIdFromCookieHeader("other=1; " + cookie) == id);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkQuery(bytes);
    checkEncodedValue(bytes);
    checkCookie(bytes);
    return 0;
}
