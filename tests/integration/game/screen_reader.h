#pragma once
// Reads the screen as a player does: a screenshot of the whole X screen, and the
// words on it as OCR makes them out (the picture thresholded at 60 % and negated,
// so that the game's light lettering on dark ground reads as dark on light).
#include <QImage>
#include <QList>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

namespace coilrun::integration {

struct ReadWord {
    QString text;
    QRect box;
    int line = 0; // words of one OCR line share this number
};

class ScreenReader {
public:
    // Screenshots come from `capture` and go to shotDir (kept, so that a failure
    // can be looked at); env is what the OCR tools run with.
    ScreenReader(std::function<QImage()> capture, QProcessEnvironment env, QString shotDir);

    // A screenshot of the whole screen, saved as shotDir/name.png; null on failure.
    QImage shoot(const QString& name);
    // The words in the picture last shot under this name.
    QList<ReadWord> read(const QString& name);
    // Both at once.
    QList<ReadWord> shootAndRead(const QString& name) {
        shoot(name);
        return read(name);
    }

    // Whether the words hold this phrase: its words one after another on one line,
    // compared without case and without the marks OCR adds or drops around them.
    static bool contains(const QList<ReadWord>& words, const QString& phrase) {
        return find(words, phrase).has_value();
    }
    // Where the phrase is on the screen, its words' boxes together.
    static std::optional<QRect> find(const QList<ReadWord>& words, const QString& phrase);
    // Every word, for a failure message.
    static QString allText(const QList<ReadWord>& words);

    QString pathOf(const QString& name) const;

private:
    std::function<QImage()> capture_;
    QProcessEnvironment env_;
    QString dir_;
};

} // namespace coilrun::integration
