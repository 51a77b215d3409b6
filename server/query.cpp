#include "server/query.h"

#include "server/sanitize.h"

#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

QByteArray percentDecoded(QByteArrayView raw) {
    QByteArray out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
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

QString field(const std::vector<QueryItem>& items, QStringView key, int maxLength) {
    for (const QueryItem& item : items)
        if (item.key == key) return cutToCharacters(removeControlCharacters(item.value), maxLength);
    return {};
}

bool hasKey(const std::vector<QueryItem>& items, QStringView key) {
    for (const QueryItem& item : items)
        if (item.key == key) return true;
    return false;
}

} // namespace

QString decodeQueryComponent(QByteArrayView raw) {
    const QByteArray bytes = percentDecoded(raw);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes);
}

std::vector<QueryItem> parseQueryItems(QByteArrayView rawQuery) {
    std::vector<QueryItem> items;
    qsizetype start = 0;
    while (start <= rawQuery.size()) {
        qsizetype end = rawQuery.indexOf('&', start);
        if (end < 0) end = rawQuery.size();
        const QByteArrayView item = rawQuery.sliced(start, end - start);
        if (!item.isEmpty()) {
            const qsizetype eq = item.indexOf('=');
            if (eq < 0)
                items.push_back({decodeQueryComponent(item), QString()});
            else
                items.push_back({decodeQueryComponent(item.first(eq)),
                                 decodeQueryComponent(item.sliced(eq + 1))});
        }
        start = end + 1;
    }
    return items;
}

std::optional<qint64> parseScore(QStringView text) {
    // Leading zeros are allowed; more than 16 digits cannot be in range anyway.
    if (text.isEmpty() || text.size() > 16) return std::nullopt;
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value > kMaxScore) return std::nullopt;
    return value;
}

CountQuery parseCountQuery(QByteArrayView rawQuery) {
    CountQuery result;
    if (rawQuery.isEmpty()) return result;
    result.kind = CountQueryKind::Unreadable;
    if (rawQuery.size() > kMaxQueryBytes) return result;

    const std::vector<QueryItem> items = parseQueryItems(rawQuery);
    if (!hasKey(items, u"NEW")) return result;

    result.kind = CountQueryKind::Report;
    result.report.newFlag = field(items, u"NEW", kMaxNewLength);
    result.report.date = field(items, u"DATE", kMaxDateLength);
    result.report.user = field(items, u"USER", kMaxNameLength);
    for (const QueryItem& item : items) {
        if (item.key == u"SCORE") {
            result.report.score = parseScore(item.value);
            break;
        }
    }
    return result;
}

} // namespace coilrun::server
