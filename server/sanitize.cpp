#include "server/sanitize.h"

#include "server/run_report.h"

#include <QChar>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {
namespace {

// Calls f(codePoint, utf16Start, utf16Length) for every code point; an unpaired
// surrogate comes as itself so that callers can drop it.
template <typename F> void forEachCodePoint(QStringView text, F&& f) {
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, text[i + 1]), i, qsizetype(2));
            i += 2;
        } else {
            f(char32_t(c.unicode()), i, qsizetype(1));
            i += 1;
        }
    }
}

bool isUnwanted(char32_t cp) {
    if (QChar::isSurrogate(cp)) return true;
    switch (QChar::category(cp)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// Collapses every run of blanks into one space and trims both ends.
QString singleSpaced(QStringView text) {
    QString out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (QChar c : text) {
        if (c.isSpace()) {
            pendingSpace = !out.isEmpty();
            continue;
        }
        if (pendingSpace) out += u' ';
        pendingSpace = false;
        out += c;
    }
    return out;
}

// Tabs, line breaks and the other blanks become plain spaces, so that removing
// control characters afterwards does not glue words together.
QString blanksToSpaces(QStringView text) {
    QString out = text.toString();
    for (QChar& c : out)
        if (c.isSpace()) c = u' ';
    return out;
}

} // namespace

QString removeControlCharacters(QStringView text) {
    QString out;
    out.reserve(text.size());
    forEachCodePoint(text, [&](char32_t cp, qsizetype start, qsizetype length) {
        if (!isUnwanted(cp)) out += text.mid(start, length);
    });
    return out;
}

QString cutToCharacters(QStringView text, int count) {
    qsizetype end = 0;
    int seen = 0;
    forEachCodePoint(text, [&](char32_t, qsizetype start, qsizetype length) {
        if (seen++ < count) end = start + length;
    });
    return text.left(end).toString();
}

QString titleText(QStringView text) {
    const QString normalised =
        removeControlCharacters(blanksToSpaces(text)).normalized(QString::NormalizationForm_KC);
    QString kept;
    kept.reserve(normalised.size());
    // Normalisation can bring back a control character (it cannot, for the
    // current tables, but the rule must hold whatever the tables say).
    for (QChar c : removeControlCharacters(blanksToSpaces(normalised))) {
        if (c == u'(' || c == u')' || c == u'+') continue;
        kept += c;
    }
    return singleSpaced(kept);
}

QString titleName(QStringView rawName) {
    QString name = titleText(rawName);
    name.remove(u':');
    name = singleSpaced(cutToCharacters(singleSpaced(name), kMaxNameLength));
    return name.isEmpty() ? u"anonymous"_s : name;
}

QString bodyName(QStringView rawName) {
    const QString name = singleSpaced(
        cutToCharacters(removeControlCharacters(blanksToSpaces(rawName)), kMaxNameLength));
    return name.isEmpty() ? u"anonymous"_s : name;
}

QString htmlEscape(QStringView text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            out += u"&quot;";
            break;
        case u'\'':
            out += u"&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

QByteArray logSafe(QByteArrayView bytes, int maxLength) {
    static constexpr char hex[] = "0123456789ABCDEF";
    QByteArray out;
    const bool cut = bytes.size() > maxLength;
    const QByteArrayView shown = cut ? bytes.first(maxLength) : bytes;
    out.reserve(shown.size() + 3);
    for (char ch : shown) {
        const auto b = static_cast<unsigned char>(ch);
        if (b > 0x20 && b < 0x7f && b != '%') {
            out += ch;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0xf];
        }
    }
    if (cut) out += "...";
    return out;
}

} // namespace coilrun::server
