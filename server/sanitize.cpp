#include "server/sanitize.h"

#include "server/player_text.h"
#include "server/run_report.h"

#include <QChar>
#include <string_view>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {
namespace {

std::u16string_view plain(QStringView text) {
    return std::u16string_view(text.utf16(), std::size_t(text.size()));
}

QString withoutControls(QStringView text) {
    return QString::fromStdU16String(removeControlCharacters(plain(text)));
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

QString titleText(QStringView text) {
    const QString normalised =
        withoutControls(blanksToSpaces(text)).normalized(QString::NormalizationForm_KC);
    QString kept;
    kept.reserve(normalised.size());
    // Normalisation can bring back a control character (it cannot, for the
    // current tables, but the rule must hold whatever the tables say).
    for (QChar c : withoutControls(blanksToSpaces(normalised))) {
        if (c == u'(' || c == u')' || c == u'+') continue;
        kept += c;
    }
    return singleSpaced(kept);
}

QString titleName(QStringView rawName) {
    QString name = titleText(rawName);
    name.remove(u':');
    name = singleSpaced(
        QString::fromStdU16String(cutToCharacters(plain(singleSpaced(name)), kMaxNameLength)));
    return name.isEmpty() ? u"anonymous"_s : name;
}

QString bodyName(QStringView rawName) {
    const QString name = singleSpaced(QString::fromStdU16String(
        cutToCharacters(removeControlCharacters(plain(blanksToSpaces(rawName))), kMaxNameLength)));
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
