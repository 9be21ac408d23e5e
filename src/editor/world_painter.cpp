// SPDX-License-Identifier: GPL-3.0-or-later
// Canvas primitives in world coordinates, and the text placement rules they share.
#include <algorithm>
#include <cmath>

#include "editor/plan_renderer.h"
#include "editor/segment_clip.h"
#include "model/encoding.h"

namespace editor {

namespace {

// Lines reaching further than this beyond the canvas are cut back to it before they are
// turned into integers; what shows on the canvas is the same.
constexpr double kFarPixels = 16777216.0;  // 2^24
constexpr double kClipMargin = 1024.0;

int roundPixel(double v) { return static_cast<int>(std::round(v)); }

// Cuts the segment to the rectangle; false when nothing of it lies inside.
bool clipToRect(double& x1, double& y1, double& x2, double& y2, double minX, double minY, double maxX, double maxY)
{
    double t0 = 0, t1 = 1;
    if (!clipSegment(x1, y1, x2, y2, minX, minY, maxX, maxY, t0, t1)) return false;
    const double dx = x2 - x1, dy = y2 - y1;
    const double sx = x1, sy = y1;
    x1 = sx + t0 * dx;
    y1 = sy + t0 * dy;
    x2 = sx + t1 * dx;
    y2 = sy + t1 * dy;
    return true;
}

int xorPen(int colour) { return 0xFFFFFF - colour; }

}  // namespace

PixelPoint textTopLeft(PixelPoint reference, int anchor, int heightPx, double angleDeg, int byteLength)
{
    const double h = heightPx;
    const double w = h * byteLength * 0.5;
    const double lowered = h + static_cast<double>(model::roundHalfAway(h / 5));
    double e = 0, v = 0;
    switch (anchor) {
    case 1: e = 0; v = 0; break;
    case 2: e = w / 2; v = 0; break;
    case 3: e = w; v = 0; break;
    case 4: e = 0; v = h / 2; break;
    case 5: e = w / 2; v = h / 2; break;
    case 6: e = w; v = h / 2; break;
    case 7: e = 0; v = lowered; break;
    case 8: e = w / 2; v = lowered; break;
    default: e = w; v = lowered; break;
    }
    const double theta = angleDeg * model::kPi / 180.0;
    const double c = std::cos(theta), s = std::sin(theta);
    return {reference.x - static_cast<int>(model::roundHalfAway(c * e)) - static_cast<int>(model::roundHalfAway(s * v)),
            reference.y + static_cast<int>(model::roundHalfAway(s * e)) - static_cast<int>(model::roundHalfAway(c * v))};
}

double readableAngle(model::Point p1, model::Point p2)
{
    double a = model::angleDeg(p2.x - p1.x, p2.y - p1.y);
    a = static_cast<double>(model::roundHalfAway(a * 100)) / 100;
    if (a > 91 && a < 180)
        a += 180;
    else if (a >= 180 && a < 271)
        a -= 180;
    return model::normDeg(a);
}

void WorldPainter::pixelLine(double x1, double y1, double x2, double y2, int colour, PenStyle style, PenMode mode)
{
    const double w = canvas_.width(), h = canvas_.height();
    // Wholly beyond one edge of the canvas: nothing to draw.
    if ((x1 < -kClipMargin && x2 < -kClipMargin) || (x1 > w + kClipMargin && x2 > w + kClipMargin) ||
        (y1 < -kClipMargin && y2 < -kClipMargin) || (y1 > h + kClipMargin && y2 > h + kClipMargin))
        return;
    const bool far = std::fabs(x1) > kFarPixels || std::fabs(x2) > kFarPixels || std::fabs(y1) > kFarPixels ||
                     std::fabs(y2) > kFarPixels;
    if (far && !clipToRect(x1, y1, x2, y2, -kClipMargin, -kClipMargin, w + kClipMargin, h + kClipMargin)) return;
    canvas_.line(roundPixel(x1), roundPixel(y1), roundPixel(x2), roundPixel(y2), colour, style, mode);
}

void WorldPainter::DrawLine(int colour, bool copy, PenStyle style, model::Point p1, model::Point p2)
{
    const double scale = view_.viewScale;
    if (!(scale > 0)) return;
    auto px = [&](double x) { return (model::round5(x) - view_.viewLeft) / scale; };
    auto py = [&](double y) { return view_.canvasHeight - (model::round5(y) - view_.viewBottom) / scale; };
    pixelLine(px(p1.x), py(p1.y), px(p2.x), py(p2.y), copy ? colour : xorPen(colour), style,
              copy ? PenMode::Copy : PenMode::Xor);
}

void WorldPainter::DrawText(const std::string& text, int colour, int anchor, double angleDeg, int heightPx,
                            model::Point p)
{
    if (text.empty() || heightPx <= 0) return;
    PixelPoint ref;
    if (!view_.ToPixelRounded(p.x, p.y, ref)) return;
    const int bytes = static_cast<int>(model::cp932Length(text));
    PixelPoint tl = textTopLeft(ref, anchor, heightPx, angleDeg, bytes);
    // However it is turned, the box stays within its width plus height of the corner.
    const double reach = heightPx * bytes * 0.5 + heightPx * 2.0 + 2;
    if (tl.x > canvas_.width() + reach || tl.x < -reach || tl.y > canvas_.height() + reach || tl.y < -reach) return;
    canvas_.text(tl.x, tl.y, text, heightPx, angleDeg, colour, kCanvasFontFace);
}

void WorldPainter::DrawTextAlong(const std::string& text, int colour, int anchor, int position, int heightPx,
                                 model::Point p1, model::Point p2)
{
    model::Point at = position == 1 ? p1 : position == 3 ? p2 : model::Point{(p1.x + p2.x) / 2, (p1.y + p2.y) / 2};
    DrawText(text, colour, anchor, readableAngle(p1, p2), heightPx, at);
}

void WorldPainter::DrawCircle(int colour, bool copy, double radius, model::Point centre)
{
    PixelPoint c;
    if (!view_.ToPixelRounded(centre.x, centre.y, c)) return;
    const double r = std::round(std::fabs(radius) / view_.viewScale);
    if (r > kFarPixels) return;  // wider than any canvas: its outline lies far outside
    const int ri = static_cast<int>(r);
    if (c.x + ri < 0 || c.x - ri > canvas_.width() || c.y + ri < 0 || c.y - ri > canvas_.height()) return;
    canvas_.circle(c.x, c.y, ri, copy ? colour : xorPen(colour), copy ? PenMode::Copy : PenMode::Xor);
}

void WorldPainter::DrawArc(int colour, bool copy, double radius, model::Point centre, double startDeg,
                           double endDeg)
{
    PixelPoint c;
    if (!view_.ToPixelRounded(centre.x, centre.y, c)) return;
    const double r = std::round(std::fabs(radius) / view_.viewScale);
    if (r > kFarPixels) return;
    const int ri = static_cast<int>(r);
    if (c.x + ri < 0 || c.x - ri > canvas_.width() || c.y + ri < 0 || c.y - ri > canvas_.height()) return;
    canvas_.arc(c.x, c.y, ri, startDeg, endDeg, copy ? colour : xorPen(colour), copy ? PenMode::Copy : PenMode::Xor);
}

void WorldPainter::xorLinePixels(PixelPoint a, PixelPoint b, int colour)
{
    pixelLine(a.x, a.y, b.x, b.y, xorPen(colour), PenStyle::Solid, PenMode::Xor);
}

void WorldPainter::xorPlus(PixelPoint c, int arm, int colour)
{
    // The vertical stroke leaves out the centre pixel so that it is not inverted twice.
    xorLinePixels({c.x - arm, c.y}, {c.x + arm + 1, c.y}, colour);
    xorLinePixels({c.x, c.y - arm}, {c.x, c.y}, colour);
    xorLinePixels({c.x, c.y + 1}, {c.x, c.y + arm + 1}, colour);
}

void WorldPainter::xorCross(PixelPoint c, int arm, int colour)
{
    xorLinePixels({c.x - arm, c.y - arm}, {c.x + arm + 1, c.y + arm + 1}, colour);
    xorLinePixels({c.x - arm, c.y + arm}, {c.x, c.y}, colour);
    xorLinePixels({c.x + 1, c.y - 1}, {c.x + arm + 1, c.y - arm - 1}, colour);
}

void WorldPainter::xorRectangle(PixelPoint a, PixelPoint b, int colour)
{
    xorLinePixels({a.x, a.y}, {b.x, a.y}, colour);
    xorLinePixels({b.x, a.y}, {b.x, b.y}, colour);
    xorLinePixels({b.x, b.y}, {a.x, b.y}, colour);
    xorLinePixels({a.x, b.y}, {a.x, a.y}, colour);
}

}  // namespace editor
