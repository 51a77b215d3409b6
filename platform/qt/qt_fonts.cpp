#include "platform/qt/qt_fonts.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace coilrun::qt {
namespace {

QFont toQFont(const platform::FontSpec& spec, int pixelSize) {
    QFont f(QString::fromStdString(spec.name));
    f.setPixelSize(std::max(pixelSize, 1));
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    f.setStrikeOut(spec.strikeOut);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

using Contour = std::vector<std::pair<double, double>>;

// Cubic Bezier flattened by halving until the control points lie within tolerance of
// the chord; the end point is appended, the start point is the contour's last one.
void flattenCubic(Contour& out, QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tol,
                  double scale, int depth = 0) {
    const QPointF d = p3 - p0;
    const double len = std::hypot(d.x(), d.y());
    auto distance = [&](QPointF p) {
        if (len < 1e-12) return std::hypot(p.x() - p0.x(), p.y() - p0.y());
        return std::abs((p.x() - p0.x()) * d.y() - (p.y() - p0.y()) * d.x()) / len;
    };
    if (depth >= 16 || std::max(distance(p1), distance(p2)) <= tol) {
        out.emplace_back(p3.x() * scale, -p3.y() * scale);
        return;
    }
    const QPointF a = (p0 + p1) / 2, b = (p1 + p2) / 2, c = (p2 + p3) / 2;
    const QPointF ab = (a + b) / 2, bc = (b + c) / 2, mid = (ab + bc) / 2;
    flattenCubic(out, p0, a, ab, mid, tol, scale, depth + 1);
    flattenCubic(out, mid, bc, c, p3, tol, scale, depth + 1);
}

} // namespace

int QtFontRasterizer::textWidth(const platform::FontSpec& font, const std::string& text) const {
    return QFontMetrics(toQFont(font, font.pixelSize)).horizontalAdvance(latin1(text));
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
    p.drawText(x, y + QFontMetrics(f).ascent(), latin1(text));
}

bool QtGlyphOutlines::outline(const platform::FontSpec& font, unsigned char code, double deviation,
                              platform::GlyphOutline& out) const {
    // Outlines are taken at a large pixel size and scaled to the em.
    constexpr int em = 1024;
    if (!cachedSpec_ || !(*cachedSpec_ == font)) {
        cachedFont_ = QRawFont::fromFont(toQFont(font, em));
        cachedSpec_ = font;
    }
    const QRawFont& raw = cachedFont_;
    if (!raw.isValid()) return false;
    out = {};
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar::fromLatin1(char(code))));
    if (glyphs.isEmpty()) return true;
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    out.cellIncX = advances.isEmpty() ? 0.0 : advances.front().x() / em;
    if (code < 32) return true; // control codes have no ink, whatever the font maps them to
    const QPainterPath path = raw.pathForGlyph(glyphs.front());

    // Without a tolerance of its own the text gets a thousandth of an em: smooth at the
    // sizes the game shows its lettering.
    const double tol = (deviation > 0 ? deviation : 0.001) * em;
    const double scale = 1.0 / em;
    Contour contour;
    auto closeContour = [&] {
        if (contour.size() > 1 && contour.front() == contour.back()) contour.pop_back();
        if (contour.size() >= 3) out.contours.push_back(std::move(contour));
        contour.clear();
    };
    QPointF last;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            closeContour();
            contour.emplace_back(e.x * scale, -e.y * scale);
            last = e;
        } else if (e.isLineTo()) {
            contour.emplace_back(e.x * scale, -e.y * scale);
            last = e;
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPointF c1 = e, c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            flattenCubic(contour, last, c1, c2, end, tol, scale);
            last = end;
            i += 2;
        }
    }
    closeContour();

    const QRectF box = path.boundingRect();
    out.blackBoxX = box.width() / em;
    out.blackBoxY = box.height() / em;
    out.originX = box.left() / em;
    out.originY = -box.top() / em;
    return true;
}

} // namespace coilrun::qt
