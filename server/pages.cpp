#include "server/pages.h"

#include "server/sanitize.h"

#include <QDateTime>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {
namespace {

// Sized for the score browser's 758 x 473 window: two columns, no scrolling.
constexpr char16_t kStyle[] = uR"css(
*{box-sizing:border-box}
html{background:#0b1015}
body{margin:0;min-height:100vh;color:#d6e2ea;font:14px/1.45 "DejaVu Sans","Liberation Sans",Arial,sans-serif;
 background:radial-gradient(ellipse at 20% 0%,#17301f 0%,#0b1015 60%)}
main{max-width:740px;margin:0 auto;padding:14px 18px}
h1{margin:0 0 12px;font-size:19px;letter-spacing:.32em;text-transform:uppercase;color:#7be07b;
 text-shadow:0 0 12px rgba(123,224,123,.35)}
h2{margin:0 0 8px;font-size:12px;font-weight:normal;letter-spacing:.14em;text-transform:uppercase;color:#8ea6b6}
.cols{display:flex;gap:16px;align-items:flex-start}
.cols>section{flex:1;min-width:0}
.card{background:rgba(21,29,37,.92);border:1px solid #233140;border-radius:8px;padding:12px 14px}
.cols>section.result{flex:0 0 300px}
.big{font-size:30px;color:#ffd166;font-variant-numeric:tabular-nums}
.rank{font-size:16px;color:#b8f5b0}
.muted{color:#8ea6b6}
.warn{color:#ffb38a}
table{border-collapse:collapse;width:100%}
th{text-align:left;padding:3px 8px;font-size:11px;font-weight:normal;letter-spacing:.1em;
 text-transform:uppercase;color:#7d95a5;border-bottom:1px solid #2a3b4b}
td{padding:3px 8px;white-space:nowrap;overflow:hidden;text-overflow:ellipsis;max-width:220px}
tbody tr:nth-child(even) td{background:rgba(255,255,255,.03)}
td.n{text-align:right;color:#7d95a5;width:2.5em}
td.s{text-align:right;color:#ffd166;font-variant-numeric:tabular-nums}
td.d{color:#7d95a5;font-size:12px}
tr.you td{background:#1f4a2a!important;color:#d9ffd0}
.links{margin-top:14px}
.links a{display:inline-block;margin:0 8px 6px 0;padding:8px 16px;border-radius:6px;
 background:#2f7d38;color:#fff;text-decoration:none;font-weight:bold}
.links a:hover{background:#3a9a45}
.links a.quit{background:#6d2630}
.links a.quit:hover{background:#8a2f3b}
.empty{color:#7d95a5;font-style:italic;padding:6px 8px}
.ok{color:#7be07b;font-size:12px}
td a{color:#9fd8ff}
)css";

QString page(const QString& title, const QString& body) {
    return u"<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
           u"<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
           u"<title>"_s +
           htmlEscape(title) + u"</title><style>"_s + QString::fromUtf16(kStyle) +
           u"</style></head><body><main>\n"_s + body + u"\n</main></body></html>\n"_s;
}

QString nameCell(const QString& rawName) {
    return u"<td><bdi>"_s + htmlEscape(bodyName(rawName)) + u"</bdi></td>"_s;
}

QString day(qint64 secondsSinceEpoch) {
    return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch, Qt::UTC).toString(u"yyyy-MM-dd"_s);
}

// The mark of a score that a re-played run backs.
QString checkMark(bool checked) {
    return checked ? u" <span class=\"ok\" title=\"checked: its run re-plays to this score\">"
                     u"\u2713 checked</span>"_s
                   : QString();
}

QString clockText(qint64 hundredths) {
    return QString::asprintf("%lld:%02lld:%02lld", hundredths / 6000, hundredths / 100 % 60,
                             hundredths % 100);
}

// A table of entries; `ranked` numbers the rows from 1 (a best list), otherwise
// the rows carry the day the run was reported (a latest list).
QString scoreTable(const std::vector<ScoreEntry>& entries, bool ranked, qint64 highlightId = 0) {
    if (entries.empty()) return u"<p class=\"empty\">No scores yet.</p>"_s;
    QString html = ranked ? u"<table><thead><tr><th></th><th>Player</th><th>Score</th></tr>"
                            u"</thead><tbody>"_s
                          : u"<table><thead><tr><th>Player</th><th>Score</th><th>Day</th></tr>"
                            u"</thead><tbody>"_s;
    int rank = 0;
    for (const ScoreEntry& e : entries) {
        ++rank;
        html += (highlightId != 0 && e.id == highlightId) ? u"<tr class=\"you\">"_s : u"<tr>"_s;
        if (ranked) html += u"<td class=\"n\">"_s + QString::number(rank) + u"</td>"_s;
        html += nameCell(e.name);
        html +=
            u"<td class=\"s\">"_s + QString::number(e.score) + checkMark(e.checked) + u"</td>"_s;
        if (!ranked) html += u"<td class=\"d\">"_s + day(e.receivedAt) + u"</td>"_s;
        html += u"</tr>"_s;
    }
    return html + u"</tbody></table>"_s;
}

QString gameLinks() {
    return u"<nav class=\"links\"><a href=\"goback\">&lt;&lt; Back to the game</a>"
           u"<a class=\"quit\" href=\"skip\">Quit</a></nav>"_s;
}

QString resultCard(const std::optional<RunResult>& result, ResultNote note) {
    QString html = u"<section class=\"card result\"><h2>Your run</h2>"_s;
    if (!result) {
        html += u"<p class=\"muted\">Every run you finish with a score is listed here.</p>"_s;
    } else if (!result->score) {
        html += u"<p>No score this run.</p><p class=\"muted\">Eat a speck or two next time!</p>"_s;
    } else {
        html += u"<p><bdi>"_s + htmlEscape(bodyName(result->name)) + u"</bdi></p>"_s;
        html += u"<p class=\"big\">"_s + QString::number(*result->score) +
                checkMark(result->checked) + u"</p>"_s;
        if (result->rank && *result->rank > kExactRanks)
            html += u"<p class=\"rank\">Rank: over "_s + QString::number(kExactRanks) + u"</p>"_s;
        else if (result->rank)
            html += u"<p class=\"rank\">Rank "_s + QString::number(*result->rank) + u"</p>"_s;
    }
    if (note == ResultNote::NotStored)
        html += u"<p class=\"warn\">Too many runs from your address in the last minute: "
                u"this one was not kept.</p>"_s;
    return html + gameLinks() + u"</section>"_s;
}

} // namespace

QByteArray scoreListPage(const QString& title, const std::vector<ScoreEntry>& best,
                         const std::vector<ScoreEntry>& latest) {
    const QString body = u"<h1>Coilrun scores</h1><div class=\"cols\">"
                         u"<section class=\"card\"><h2>Best scores</h2>"_s +
                         scoreTable(best, true) +
                         u"</section><section class=\"card\"><h2>Latest scores</h2>"_s +
                         scoreTable(latest, false) +
                         u"</section></div><p class=\"muted\"><a href=\"runs.php\">"
                         u"The best checked run of each level</a></p>"_s;
    return page(title, body).toUtf8();
}

QByteArray resultPage(const QString& title, const std::optional<RunResult>& result,
                      const std::vector<ScoreEntry>& top, ResultNote note) {
    const qint64 highlight = result ? result->id : 0;
    const QString body = u"<h1>Coilrun scores</h1><div class=\"cols\">"_s +
                         resultCard(result, note) + u"<section class=\"card\"><h2>Top ten</h2>"_s +
                         scoreTable(top, true, highlight) + u"</section></div>"_s;
    return page(title, body).toUtf8();
}

QByteArray problemPage(const QString& title, const QString& heading, const QString& message) {
    const QString body = u"<h1>Coilrun</h1><section class=\"card\"><h2>"_s + htmlEscape(heading) +
                         u"</h2><p>"_s + htmlEscape(message) + u"</p>"_s + gameLinks() +
                         u"</section>"_s;
    return page(title, body).toUtf8();
}

QByteArray creditPage(const QString& title, const QString& person, const QString& role) {
    const QString body =
        u"<h1>C O I L R U N</h1><section class=\"card\"><h2>"_s + htmlEscape(role) +
        u"</h2><p class=\"big\">"_s + htmlEscape(person) +
        u"</p><p class=\"muted\">Thank you for playing.</p>"
        u"<nav class=\"links\"><a href=\"goback\">&lt;&lt; Back to the game</a></nav></section>"_s;
    return page(title, body).toUtf8();
}

QByteArray runStoredPage(const QString& title, const replay::RunSummary& run, bool checked) {
    const QString body = u"<h1>Coilrun</h1><section class=\"card\"><h2>Run stored</h2><p>Level "_s +
                         QString::number(run.level) + (run.won ? u", won"_s : u", lost"_s) +
                         u", length "_s + QString::number(run.length) + u", clock "_s +
                         clockText(clockHundredths(run)) + u", score "_s +
                         QString::number(run.score) + u"</p><p>"_s +
                         (checked ? u"Its score checks the one you reported."_s
                                  : u"It checks no reported score."_s) +
                         u"</p></section>"_s;
    return page(title, body).toUtf8();
}

QByteArray runsListPage(const QString& title, const std::vector<RunEntry>& runs) {
    QString table;
    if (runs.empty()) {
        table = u"<p class=\"empty\">No checked runs yet.</p>"_s;
    } else {
        table = u"<table><thead><tr><th>Level</th><th>Player</th><th>Score</th><th>Length</th>"
                u"<th>Clock</th><th>Day</th><th>File</th></tr></thead><tbody>"_s;
        for (const RunEntry& r : runs) {
            table += u"<tr><td class=\"n\">"_s + QString::number(r.level) + u"</td>"_s +
                     nameCell(r.name) + u"<td class=\"s\">"_s + QString::number(r.score) +
                     u"</td><td class=\"n\">"_s + QString::number(r.length) +
                     u"</td><td class=\"d\">"_s + clockText(r.clockHundredths) +
                     u"</td><td class=\"d\">"_s + day(r.receivedAt) +
                     u"</td><td><a href=\"run.coilrun?id="_s + QString::number(r.id) +
                     u"\">download</a></td></tr>"_s;
        }
        table += u"</tbody></table>"_s;
    }
    const QString body = u"<h1>Coilrun runs</h1><section class=\"card\"><h2>Best checked run "
                         u"of each level</h2>"_s +
                         table +
                         u"<p class=\"muted\">Each run re-played on this server to the score "
                         u"its player reported. Open a file with coilrun to watch it.</p>"
                         u"<nav class=\"links\"><a href=\"view.php\">Scores</a></nav></section>"_s;
    return page(title, body).toUtf8();
}

QByteArray commandPage(const QString& title, const QString& message) {
    return page(title, u"<p class=\"muted\">"_s + htmlEscape(message) + u"</p>"_s).toUtf8();
}

} // namespace coilrun::server
