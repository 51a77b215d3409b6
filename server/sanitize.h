#pragma once
#include <QByteArray>
#include <QString>

namespace coilrun::server {

// The rules that keep a player's text harmless wherever the server shows it.
// Everything a request carries goes through one of these before it reaches a page;
// the rules that need no Unicode tables are in player_text.h.

// Text that may stand inside a page title: after compatibility normalisation (so
// that a full-width or superscript bracket is seen as the bracket it stands for)
// it holds no "(", ")", "+" and no control character, its blanks are single
// spaces, and it has none at either end. Such text can neither open nor close a
// page command nor end an entry of the score list.
QString titleText(QStringView text);

// A player's name as titles show it: titleText without ":" either (a ":" as
// fifth character would make the splash take the score list for a bare address),
// cut to kMaxNameLength characters, "anonymous" when nothing is left.
QString titleName(QStringView rawName);

// A player's name as page bodies show it (before HTML escaping): control
// characters removed, cut to kMaxNameLength, "anonymous" when blank.
QString bodyName(QStringView rawName);

// Escapes &, <, >, " and ' for HTML text and attribute values.
QString htmlEscape(QStringView text);

// Bytes fit for one log line: printable ASCII other than '%' is kept, every other
// byte is written as %XX, and anything past maxLength bytes is replaced by "...".
QByteArray logSafe(QByteArrayView bytes, int maxLength = 200);

} // namespace coilrun::server
