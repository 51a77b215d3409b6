#include "server/titles.h"

#include "server/sanitize.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace coilrun::server {

QString scoreEntryTitle(const ScoreEntry& entry) {
    return titleName(entry.name) + u"  "_s + QString::number(entry.score);
}

QString scoreListTitle(const std::vector<ScoreEntry>& best, const std::vector<ScoreEntry>& latest) {
    QString title;
    for (const ScoreEntry& entry : best)
        title += scoreEntryTitle(entry) + u'+';
    title += u'+';
    for (const ScoreEntry& entry : latest)
        title += scoreEntryTitle(entry) + u'+';
    return title;
}

QString unavailableScoreListTitle() {
    return u"Note: the score list is unavailable"_s;
}

QString pageCommand(QStringView name, QStringView value) {
    return name.toString() + u'(' + titleText(value) + u')';
}

QString pageCommandTitle(const BrowserFrame& frame) {
    QStringList commands;
    commands << pageCommand(u"title", frame.caption);
    if (frame.width > 0) commands << pageCommand(u"width", QString::number(frame.width));
    if (frame.height > 0) commands << pageCommand(u"height", QString::number(frame.height));
    if (!frame.style.isEmpty()) commands << pageCommand(u"style", frame.style);
    return commands.join(u' ');
}

QString captionTitle(QStringView caption) {
    return pageCommand(u"title", caption);
}

QString resultCaption(const std::optional<RunResult>& result) {
    if (!result) return u"Coilrun - Scores"_s;
    if (!result->score) return u"Coilrun - No score this run"_s;
    QString caption = u"Coilrun - "_s + titleName(result->name) + u", "_s +
                      QString::number(*result->score) + u" points"_s;
    if (result->rank && *result->rank > kExactRanks)
        caption += u", rank over "_s + QString::number(kExactRanks);
    else if (result->rank)
        caption += u", rank "_s + QString::number(*result->rank);
    return caption;
}

} // namespace coilrun::server
