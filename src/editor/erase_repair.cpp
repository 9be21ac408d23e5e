// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/erase_repair.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor/editor_context.h"
#include "editor/segment_clip.h"
#include "model/encoding.h"
#include "session/show_notice.h"

namespace editor {

namespace {

// The axis-parallel box around a text box of the given size turned by angleDeg about its
// top-left corner.
void textBounds(int left, int top, double w, double h, double angleDeg, int& x1, int& y1, int& x2, int& y2)
{
    const double a = angleDeg * 3.14159265358979 / 180, c = std::cos(a), s = std::sin(a);
    // Screen y grows downwards: the box's right edge runs (c, -s), its bottom edge (s, c).
    const double xs[4] = {0, w * c, w * c + h * s, h * s};
    const double ys[4] = {0, -w * s, -w * s + h * c, h * c};
    x1 = left + static_cast<int>(std::floor(*std::min_element(xs, xs + 4)));
    x2 = left + static_cast<int>(std::ceil(*std::max_element(xs, xs + 4)));
    y1 = top + static_cast<int>(std::floor(*std::min_element(ys, ys + 4)));
    y2 = top + static_cast<int>(std::ceil(*std::max_element(ys, ys + 4)));
}

double textWidth(const std::string& utf8, int heightPx)
{
    return heightPx * static_cast<double>(model::cp932Length(utf8)) * 0.5;
}

// Forwards everything to the real canvas and marks what it paints.
class MarkingCanvas : public Canvas {
public:
    MarkingCanvas(Canvas& target, PixelMask& mask) : target_(target), mask_(mask) {}
    int width() const override { return target_.width(); }
    int height() const override { return target_.height(); }
    void clear() override { target_.clear(); }
    void line(int x1, int y1, int x2, int y2, int colour, PenStyle style, PenMode mode) override
    {
        mask_.markLine(x1, y1, x2, y2);
        target_.line(x1, y1, x2, y2, colour, style, mode);
    }
    void circle(int cx, int cy, int r, int colour, PenMode mode) override
    {
        mask_.markRect(cx - r, cy - r, cx + r, cy + r);
        target_.circle(cx, cy, r, colour, mode);
    }
    void arc(int cx, int cy, int r, double a, double b, int colour, PenMode mode) override
    {
        mask_.markRect(cx - r, cy - r, cx + r, cy + r);
        target_.arc(cx, cy, r, a, b, colour, mode);
    }
    void text(int left, int top, const std::string& utf8, int h, double angle, int colour,
              const std::string& face) override
    {
        int x1, y1, x2, y2;
        textBounds(left, top, textWidth(utf8, h), h * 1.2, angle, x1, y1, x2, y2);
        mask_.markRect(x1, y1, x2, y2);
        target_.text(left, top, utf8, h, angle, colour, face);
    }

private:
    Canvas& target_;
    PixelMask& mask_;
};

// Passes on only what touches the marked pixels; never clears.
class MaskedCanvas : public Canvas {
public:
    MaskedCanvas(Canvas& target, const PixelMask& mask) : target_(target), mask_(mask) {}
    int width() const override { return target_.width(); }
    int height() const override { return target_.height(); }
    void clear() override {}
    void line(int x1, int y1, int x2, int y2, int colour, PenStyle style, PenMode mode) override
    {
        if (mask_.touchesLine(x1, y1, x2, y2)) target_.line(x1, y1, x2, y2, colour, style, mode);
    }
    void circle(int cx, int cy, int r, int colour, PenMode mode) override
    {
        if (mask_.touchesRect(cx - r, cy - r, cx + r, cy + r)) target_.circle(cx, cy, r, colour, mode);
    }
    void arc(int cx, int cy, int r, double a, double b, int colour, PenMode mode) override
    {
        if (mask_.touchesRect(cx - r, cy - r, cx + r, cy + r)) target_.arc(cx, cy, r, a, b, colour, mode);
    }
    void text(int left, int top, const std::string& utf8, int h, double angle, int colour,
              const std::string& face) override
    {
        int x1, y1, x2, y2;
        textBounds(left, top, textWidth(utf8, h), h * 1.2, angle, x1, y1, x2, y2);
        if (mask_.touchesRect(x1, y1, x2, y2)) target_.text(left, top, utf8, h, angle, colour, face);
    }

private:
    Canvas& target_;
    const PixelMask& mask_;
};

}  // namespace

PixelMask::PixelMask(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      bits_(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0)
{
}

void PixelMask::mark(int x, int y)
{
    for (int yy = std::max(0, y - 1); yy <= std::min(height_ - 1, y + 1); ++yy)
        for (int xx = std::max(0, x - 1); xx <= std::min(width_ - 1, x + 1); ++xx)
            bits_[static_cast<size_t>(yy) * static_cast<size_t>(width_) + static_cast<size_t>(xx)] = 1;
    if (!any_) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
        any_ = true;
    }
    minX_ = std::min(minX_, x - 1);
    maxX_ = std::max(maxX_, x + 1);
    minY_ = std::min(minY_, y - 1);
    maxY_ = std::max(maxY_, y + 1);
}

// Visits the pixels of the segment that lie on the canvas, end pixel included; stops when the
// visitor says so.
template <typename Visit>
bool PixelMask::walk(int x1, int y1, int x2, int y2, Visit visit) const
{
    double t0 = 0, t1 = 1;
    if (!clipSegment(x1, y1, x2, y2, -1, -1, width_, height_, t0, t1)) return false;
    const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    long long x = std::llround(x1 + t0 * dx), y = std::llround(y1 + t0 * dy);
    const long long ex = std::llround(x1 + t1 * dx), ey = std::llround(y1 + t1 * dy);
    const long long adx = std::llabs(ex - x), ady = -std::llabs(ey - y);
    const int sx = x < ex ? 1 : -1, sy = y < ey ? 1 : -1;
    long long err = adx + ady;
    while (true) {
        if (visit(static_cast<int>(x), static_cast<int>(y))) return true;
        if (x == ex && y == ey) return false;
        const long long e2 = 2 * err;
        if (e2 >= ady) {
            err += ady;
            x += sx;
        }
        if (e2 <= adx) {
            err += adx;
            y += sy;
        }
    }
}

void PixelMask::markLine(int x1, int y1, int x2, int y2)
{
    walk(x1, y1, x2, y2, [this](int x, int y) {
        mark(x, y);
        return false;
    });
}

void PixelMask::markRect(int left, int top, int right, int bottom)
{
    const int x1 = std::max(-1, left), x2 = std::min(width_, right);
    const int y1 = std::max(-1, top), y2 = std::min(height_, bottom);
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) mark(x, y);
}

bool PixelMask::touchesLine(int x1, int y1, int x2, int y2) const
{
    if (!any_ || std::max(x1, x2) < minX_ || std::min(x1, x2) > maxX_ || std::max(y1, y2) < minY_ ||
        std::min(y1, y2) > maxY_)
        return false;
    return walk(x1, y1, x2, y2, [this](int x, int y) {
        return x >= 0 && y >= 0 && x < width_ && y < height_ &&
               bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    });
}

bool PixelMask::touchesRect(int left, int top, int right, int bottom) const
{
    return any_ && right >= minX_ && left <= maxX_ && bottom >= minY_ && top <= maxY_;
}

EraseRepair::EraseRepair(EditorContext& ctx) : ctx_(ctx), mask_(ctx.canvas.width(), ctx.canvas.height()) {}

void EraseRepair::erase(int index)
{
    MarkingCanvas marking(ctx_.canvas, mask_);
    const DisplaySwitches sw = ctx_.switches();
    PlanRenderer renderer(marking, ctx_.transform, ctx_.dotGrid, sw);
    renderer.DrawElement(PlanScene::of(ctx_.session), index, ColourMode::Erase, true);
    session::show(ctx_.platform(), renderer.takeNotices());
}

void EraseRepair::redrawTouched()
{
    if (mask_.empty()) return;
    // The plan drawn again in its usual order, but only what meets the erased pixels reaches
    // the canvas; the deleted elements are dead by now and are not drawn.
    MaskedCanvas masked(ctx_.canvas, mask_);
    const DisplaySwitches sw = ctx_.switches();
    PlanRenderer renderer(masked, ctx_.transform, ctx_.dotGrid, sw);
    ctx_.store().invalidateConnections();
    RenderControl control;
    renderer.Redraw(PlanScene::of(ctx_.session), control);
    session::show(ctx_.platform(), renderer.takeNotices());
}

}  // namespace editor
