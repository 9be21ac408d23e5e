// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "editor/segment_clip.h"
#include "model/encoding.h"

namespace ui {

namespace {

// Cosmetic pen patterns of a one-pixel GDI pen, on and off runs in pixels.
struct Pattern {
    std::array<int, 6> runs{};
    int count = 0;
    int period = 0;
};

Pattern patternOf(editor::PenStyle style)
{
    Pattern p;
    auto set = [&p](std::initializer_list<int> runs) {
        for (int r : runs) {
            p.runs[static_cast<size_t>(p.count++)] = r;
            p.period += r;
        }
    };
    switch (style) {
    case editor::PenStyle::Dash: set({18, 6}); break;
    case editor::PenStyle::Dot: set({3, 3}); break;
    case editor::PenStyle::DashDot: set({9, 6, 3, 6}); break;
    case editor::PenStyle::DashDotDot: set({9, 3, 3, 3, 3, 3}); break;
    case editor::PenStyle::Solid: break;
    }
    return p;
}

bool patternOn(const Pattern& p, long long index)
{
    if (p.count == 0) return true;
    long long pos = index % p.period;
    for (int i = 0; i < p.count; ++i) {
        if (pos < p.runs[static_cast<size_t>(i)]) return i % 2 == 0;
        pos -= p.runs[static_cast<size_t>(i)];
    }
    return true;
}

}  // namespace

void installFontSubstitutions()
{
    // The canvas estimates text boxes from CP932 byte counts; IPAGothic has the same
    // half-width / full-width cells as the face the drawings name.
    QFont::insertSubstitution(QString::fromStdString(editor::kCanvasFontFace), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS Pゴシック"), QStringLiteral("IPAPGothic"));
}

QString tabFontFace() { return QStringLiteral("ＭＳ Ｐゴシック"); }

QtCanvas::QtCanvas(int width, int height) { resize(width, height); }

QtCanvas::~QtCanvas() { endPainting(); }

QRgb QtCanvas::toRgb(int colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void QtCanvas::resize(int width, int height)
{
    endPainting();
    image_ = QImage(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    image_.fill(Qt::white);
}

const QImage& QtCanvas::image()
{
    endPainting();
    return image_;
}

QPainter& QtCanvas::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        composition_ = -1;
        painterHasFont_ = false;
    }
    return *painter_;
}

void QtCanvas::endPainting()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void QtCanvas::setCompositionMode(bool xorMode)
{
    const int wanted = xorMode ? 1 : 0;
    if (composition_ == wanted) return;
    painter().setCompositionMode(xorMode ? QPainter::RasterOp_SourceXorDestination
                                         : QPainter::CompositionMode_SourceOver);
    composition_ = wanted;
}

void QtCanvas::clear()
{
    endPainting();
    image_.fill(Qt::white);
}

void QtCanvas::plot(int x, int y, quint32 rgb, bool xorMode)
{
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    auto* row = reinterpret_cast<quint32*>(image_.scanLine(y));
    if (xorMode)
        row[x] ^= rgb & 0x00FFFFFFu;
    else
        row[x] = rgb | 0xFF000000u;
}

void QtCanvas::line(int x1, int y1, int x2, int y2, int colour, editor::PenStyle style, editor::PenMode mode)
{
    const int w = image_.width(), h = image_.height();
    if (w == 0 || h == 0 || (x1 == x2 && y1 == y2)) return;
    const Pattern pattern = patternOf(style);
    const quint32 rgb = toRgb(colour);
    const bool xorMode = mode == editor::PenMode::Xor;

    // Far-away end points are moved onto a frame one pixel outside the image, so the loop
    // below only walks pixels near the picture; a cut end left out then lies outside anyway.
    long long phase = 0;
    long long ax = x1, ay = y1, bx = x2, by = y2;
    const bool inside = x1 >= -1 && x1 <= w && y1 >= -1 && y1 <= h && x2 >= -1 && x2 <= w && y2 >= -1 && y2 <= h;
    if (!inside) {
        double t0 = 0, t1 = 1;
        if (!editor::clipSegment(x1, y1, x2, y2, -1, -1, w, h, t0, t1)) return;
        const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
        ax = std::llround(x1 + t0 * dx);
        ay = std::llround(y1 + t0 * dy);
        if (t1 < 1) {
            bx = std::llround(x1 + t1 * dx);
            by = std::llround(y1 + t1 * dy);
        }
        phase = std::llround(t0 * std::max(std::fabs(dx), std::fabs(dy)));
        if (ax == bx && ay == by) {
            if (patternOn(pattern, phase)) plot(static_cast<int>(ax), static_cast<int>(ay), rgb, xorMode);
            return;
        }
    }

    const long long dx = std::llabs(bx - ax), dy = -std::llabs(by - ay);
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    const quint32 copyPixel = rgb | 0xFF000000u, xorBits = rgb & 0x00FFFFFFu;
    long long err = dx + dy;
    long long x = ax, y = ay;
    for (long long n = phase;; ++n) {
        if (x == bx && y == by) break;  // the end pixel is not part of the line
        if (x >= 0 && y >= 0 && x < w && y < h && (pattern.count == 0 || patternOn(pattern, n))) {
            quint32* p = reinterpret_cast<quint32*>(bits + y * stride) + x;
            *p = xorMode ? (*p ^ xorBits) : copyPixel;
        }
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void QtCanvas::circle(int cx, int cy, int radius, int colour, editor::PenMode mode)
{
    if (radius <= 0 || image_.isNull()) return;
    QPainter& p = painter();
    setCompositionMode(mode == editor::PenMode::Xor);
    p.setPen(QPen(QColor(toRgb(colour)), 0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(cx, cy), radius, radius);
}

void QtCanvas::arc(int cx, int cy, int radius, double startDeg, double endDeg, int colour, editor::PenMode mode)
{
    if (radius <= 0 || image_.isNull()) return;
    double span = std::fmod(endDeg - startDeg, 360.0);
    if (span <= 0) span += 360.0;
    QPainter& p = painter();
    setCompositionMode(mode == editor::PenMode::Xor);
    p.setPen(QPen(QColor(toRgb(colour)), 0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(cx - radius, cy - radius, 2 * radius, 2 * radius), static_cast<int>(std::lround(startDeg * 16)),
              static_cast<int>(std::lround(span * 16)));
}

void QtCanvas::selectFont(const std::string& face, int heightPx)
{
    if (face == fontFace_ && heightPx == fontHeight_) return;
    font_ = QFont(QString::fromStdString(face));
    font_.setPixelSize(heightPx);
    font_.setWeight(QFont::Normal);
    fontFace_ = face;
    fontHeight_ = heightPx;
    const QFontMetricsF metrics(font_);
    fontAscent_ = metrics.ascent();
    fontLineHeight_ = metrics.height();
    texts_.clear();
    painterHasFont_ = false;
}

void QtCanvas::text(int left, int top, const std::string& utf8, int heightPx, double angleDeg, int colour,
                    const std::string& face)
{
    if (utf8.empty() || heightPx <= 0 || image_.isNull()) return;
    selectFont(face, heightPx);
    // Only a runaway stream of distinct texts could fill the cache; start it afresh then.
    if (texts_.size() >= 8192) texts_.clear();
    auto [it, added] = texts_.try_emplace(utf8);
    TextCache& t = it->second;
    if (added) {
        t.text = QString::fromStdString(utf8);
        t.advance = QFontMetricsF(font_).horizontalAdvance(t.text);
        // The caller placed the text for a box of half the height per CP932 byte; stretch the
        // glyphs to that box so anchors and rotations land where the caller put them.
        const double boxWidth = heightPx * static_cast<double>(model::cp932Length(utf8)) * 0.5;
        t.stretch = boxWidth > 0 && t.advance > 0 ? boxWidth / t.advance : 1.0;
        if (std::fabs(t.stretch - 1.0) < 0.02) t.stretch = 1.0;
    }
    if (t.advance <= 0) return;

    QPainter& p = painter();
    setCompositionMode(false);
    if (!painterHasFont_) {
        p.setFont(font_);
        painterHasFont_ = true;
    }
    QTransform place;
    place.translate(left, top);
    if (angleDeg != 0) place.rotate(-angleDeg);
    if (t.stretch != 1.0) place.scale(t.stretch, 1.0);
    p.setWorldTransform(place);
    const double boxHeight = std::max<double>(heightPx, fontLineHeight_);
    p.fillRect(QRectF(0, 0, t.advance, boxHeight), Qt::white);
    p.setPen(QColor(toRgb(colour)));
    p.drawText(QPointF(0, fontAscent_), t.text);
    // Lines, circles and arcs are drawn in image pixels.
    p.resetTransform();
}

}  // namespace ui
