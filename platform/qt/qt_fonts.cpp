#include "platform/qt/qt_fonts.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

namespace coilrun::qt {
namespace {

QFont toQFont(const platform::FontSpec& spec, int pixelSize) {
    QFont f(QString::fromStdString(spec.name));
    f.setPixelSize(pixelSize);
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    f.setStrikeOut(spec.strikeOut);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

} // namespace

int QtFontRasterizer::textWidth(const platform::FontSpec& font, const std::string& text) const {
    return QFontMetrics(toQFont(font, font.pixelSize))
        .horizontalAdvance(QString::fromLatin1(text.data(), qsizetype(text.size())));
}

int QtFontRasterizer::textHeight(const platform::FontSpec& font, const std::string&) const {
    return QFontMetrics(toQFont(font, font.pixelSize)).height();
}

void QtFontRasterizer::drawText(platform::Image& target, const platform::FontSpec& font, int x,
                                int y, const std::string& text) const {
    if (target.empty()) return;
    QImage view(reinterpret_cast<uchar*>(target.pixels.data()), target.width, target.height,
                target.width * 4, QImage::Format_ARGB32);
    QPainter p(&view);
    const QFont f = toQFont(font, font.pixelSize);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(x, y + QFontMetrics(f).ascent(),
               QString::fromLatin1(text.data(), qsizetype(text.size())));
}

bool QtGlyphOutlines::outline(const platform::FontSpec& font, unsigned char code, double,
                              platform::GlyphOutline& out) const {
    // Outlines are taken at a large pixel size and scaled to the em, so that the
    // flattening of curves is fine enough for letters a few units tall.
    constexpr int em = 1024;
    const QRawFont raw = QRawFont::fromFont(toQFont(font, em));
    if (!raw.isValid()) return false;
    const QChar ch = QChar::fromLatin1(char(code));
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString(ch));
    out = {};
    if (glyphs.isEmpty()) return true;
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    const QPainterPath path = raw.pathForGlyph(glyphs.front());
    for (const QPolygonF& poly : path.toSubpathPolygons()) {
        std::vector<std::pair<double, double>> contour;
        for (const QPointF& pt : poly) contour.emplace_back(pt.x() / em, -pt.y() / em);
        if (contour.size() > 1 && contour.front() == contour.back()) contour.pop_back();
        if (contour.size() >= 3) out.contours.push_back(std::move(contour));
    }
    const QRectF box = path.boundingRect();
    out.blackBoxX = box.width() / em;
    out.blackBoxY = box.height() / em;
    out.originX = box.left() / em;
    out.originY = -box.top() / em;
    out.cellIncX = advances.isEmpty() ? 0.0 : advances.front().x() / em;
    out.cellIncY = 0.0;
    return true;
}

} // namespace coilrun::qt
