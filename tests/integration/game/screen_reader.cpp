#include "tests/integration/game/screen_reader.h"

#include "tests/integration/game/private_desktop.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace coilrun::integration {
namespace {

QString bare(const QString& word) {
    static const QRegularExpression marks("[^A-Za-z0-9%]");
    return QString(word).remove(marks).toUpper();
}

} // namespace

ScreenReader::ScreenReader(std::function<QImage()> capture, QProcessEnvironment env,
                           QString shotDir)
    : capture_(std::move(capture)), env_(std::move(env)), dir_(std::move(shotDir)) {
    QDir().mkpath(dir_);
}

QString ScreenReader::pathOf(const QString& name) const {
    return QDir(dir_).filePath(name + ".png");
}

QImage ScreenReader::shoot(const QString& name) {
    const QString file = pathOf(name);
    QFile::remove(file);
    const QImage shot = capture_();
    if (!shot.isNull()) shot.save(file);
    return shot;
}

QList<ReadWord> ScreenReader::read(const QString& name) {
    const QString prepared = QDir(dir_).filePath(name + ".ocr.png");
    runTool("convert", {pathOf(name), "-threshold", "60%", "-negate", prepared}, env_);
    const QString tsv = runTool("tesseract", {prepared, "-", "--psm", "11", "tsv"}, env_);
    // level page block par line word left top width height conf text
    QList<ReadWord> words;
    for (const QString& row : tsv.split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = row.split('\t');
        if (f.size() < 12 || f[0] != "5") continue;
        const QString text = f[11].trimmed();
        if (text.isEmpty()) continue;
        const int line = f[2].toInt() * 10000 + f[3].toInt() * 100 + f[4].toInt();
        words.push_back(
            {text, QRect(f[6].toInt(), f[7].toInt(), f[8].toInt(), f[9].toInt()), line});
    }
    return words;
}

std::optional<QRect> ScreenReader::find(const QList<ReadWord>& words, const QString& phrase) {
    QStringList wanted;
    for (const QString& w : phrase.split(' ', Qt::SkipEmptyParts))
        if (!bare(w).isEmpty()) wanted.push_back(bare(w));
    if (wanted.isEmpty()) return std::nullopt;
    for (qsizetype i = 0; i + wanted.size() <= words.size(); ++i) {
        bool all = true;
        QRect box;
        for (qsizetype k = 0; k < wanted.size() && all; ++k) {
            all = words[i + k].line == words[i].line && bare(words[i + k].text) == wanted[k];
            box = box.united(words[i + k].box);
        }
        if (all) return box;
    }
    return std::nullopt;
}

QString ScreenReader::allText(const QList<ReadWord>& words) {
    QString out;
    int line = -1;
    for (const ReadWord& w : words) {
        out += (w.line == line ? " " : " | ") + w.text;
        line = w.line;
    }
    return out.isEmpty() ? "(nothing)" : out;
}

} // namespace coilrun::integration
