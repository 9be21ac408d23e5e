// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DraftEnvPictures.h"

#include <QPainter>

namespace ui {

namespace {

// A dimension with end ticks and its caption beside it.
void dimension(QPainter& p, QPointF a, QPointF b, const QString& caption)
{
    p.drawLine(a, b);
    const bool horizontal = a.y() == b.y();
    const QPointF tick = horizontal ? QPointF(0, 4) : QPointF(4, 0);
    p.drawLine(a - tick, a + tick);
    p.drawLine(b - tick, b + tick);
    const QPointF mid = (a + b) / 2;
    const QRectF box = horizontal ? QRectF(mid.x() - 20, mid.y() - 18, 40, 16) : QRectF(mid.x() + 4, mid.y() - 8, 40, 16);
    p.drawText(box, horizontal ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter, caption);
}

QPixmap blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    return pixmap;
}

}  // namespace

QPixmap listFramePicture()
{
    QPixmap pixmap = blank(300, 190);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Columns: level, headings, one mark; rows: three text rows above the figure row.
    const double x0 = 20, x1 = 45, x2 = 125, x3 = 250;
    const double y0 = 40, h1 = 20, y3 = y0 + 3 * h1, y4 = y3 + 70;
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRectF(x0, y0, x3 - x0, y4 - y0));
    for (double x : {x1, x2}) p.drawLine(QPointF(x, y0), QPointF(x, y4));
    for (int r = 1; r <= 3; ++r) p.drawLine(QPointF(x1, y0 + r * h1), QPointF(x3, y0 + r * h1));
    p.setPen(QPen(Qt::blue, 1));
    dimension(p, {x0, y0 - 12}, {x1, y0 - 12}, QStringLiteral("W1"));
    dimension(p, {x1, y0 - 12}, {x2, y0 - 12}, QStringLiteral("W2"));
    dimension(p, {x2, y0 - 12}, {x3, y0 - 12}, QStringLiteral("W3"));
    dimension(p, {x3 + 10, y0}, {x3 + 10, y0 + h1}, QStringLiteral("H1"));
    dimension(p, {x3 + 10, y3}, {x3 + 10, y4}, QStringLiteral("H2"));
    return pixmap;
}

QPixmap foundationPicture()
{
    QPixmap pixmap = blank(150, 130);
    QPainter p(&pixmap);
    // The girder's section with the two foundation layers under it.
    const double left = 40, right = 90, top = 10, bottom = 60, a = 20, b = 35;
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRectF(left, top, right - left, bottom - top));
    p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    p.drawRect(QRectF(left - 15, bottom, right - left + 30, a));
    p.drawRect(QRectF(left - 25, bottom + a, right - left + 50, b));
    p.setPen(QPen(Qt::blue, 1));
    dimension(p, {right + 35, bottom}, {right + 35, bottom + a}, QStringLiteral("A"));
    dimension(p, {right + 35, bottom + a}, {right + 35, bottom + a + b}, QStringLiteral("B"));
    return pixmap;
}

}  // namespace ui
