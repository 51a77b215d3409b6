#include "server/query.h"

#include "server/player_text.h"

namespace coilrun::server {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '%' && i + 2 < raw.size() && hexValue(raw[i + 1]) >= 0 &&
            hexValue(raw[i + 2]) >= 0) {
            out += char(hexValue(raw[i + 1]) * 16 + hexValue(raw[i + 2]));
            i += 2;
        } else {
            out += raw[i];
        }
    }
    return out;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF, no
// sequence cut short. Nothing at all when the bytes are not such UTF-8.
std::optional<std::u16string> fromUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out += char16_t(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, cp = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, cp = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, cp = lead & 0x07, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (bytes.size() - i < length) return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        if (cp < 0x10000) {
            out += char16_t(cp);
        } else {
            out += char16_t(0xD800 + ((cp - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
        i += length;
    }
    return out;
}

std::u16string fromLatin1(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out += char16_t(static_cast<unsigned char>(c));
    return out;
}

const QueryItem* firstItem(const std::vector<QueryItem>& items, std::u16string_view key) {
    for (const QueryItem& item : items)
        if (item.key == key) return &item;
    return nullptr;
}

std::u16string field(const std::vector<QueryItem>& items, std::u16string_view key, int maxLength) {
    const QueryItem* item = firstItem(items, key);
    return item ? cutToCharacters(removeControlCharacters(item->value), maxLength)
                : std::u16string();
}

} // namespace

std::u16string decodeQueryComponent(std::string_view raw) {
    const std::string bytes = percentDecoded(raw);
    if (std::optional<std::u16string> text = fromUtf8(bytes)) return std::move(*text);
    return fromLatin1(bytes);
}

std::vector<QueryItem> parseQueryItems(std::string_view rawQuery) {
    std::vector<QueryItem> items;
    std::size_t start = 0;
    while (start <= rawQuery.size()) {
        std::size_t end = rawQuery.find('&', start);
        if (end == std::string_view::npos) end = rawQuery.size();
        const std::string_view item = rawQuery.substr(start, end - start);
        if (!item.empty()) {
            const std::size_t eq = item.find('=');
            if (eq == std::string_view::npos)
                items.push_back({decodeQueryComponent(item), std::u16string()});
            else
                items.push_back({decodeQueryComponent(item.substr(0, eq)),
                                 decodeQueryComponent(item.substr(eq + 1))});
        }
        start = end + 1;
    }
    return items;
}

std::optional<std::int64_t> parseScore(std::u16string_view text) {
    // Leading zeros are allowed; more than 16 digits cannot be in range anyway.
    if (text.empty() || text.size() > 16) return std::nullopt;
    std::int64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    if (value > kMaxScore) return std::nullopt;
    return value;
}

CountQuery parseCountQuery(std::string_view rawQuery) {
    CountQuery result;
    if (rawQuery.empty()) return result;
    result.kind = CountQueryKind::Unreadable;
    if (rawQuery.size() > kMaxQueryBytes) return result;

    const std::vector<QueryItem> items = parseQueryItems(rawQuery);
    if (!firstItem(items, u"NEW")) return result;

    result.kind = CountQueryKind::Report;
    result.report.newFlag = field(items, u"NEW", kMaxNewLength);
    result.report.date = field(items, u"DATE", kMaxDateLength);
    result.report.user = field(items, u"USER", kMaxNameLength);
    if (const QueryItem* score = firstItem(items, u"SCORE"))
        result.report.score = parseScore(score->value);
    return result;
}

} // namespace coilrun::server
