// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/view3d.h"

#include <algorithm>
#include <cmath>

#include "model/element_store.h"
#include "model/helpers.h"

namespace editor {

namespace {

// The angle constant the view has always turned with; kept so that pictures stay the same.
constexpr double kViewPi = 3.141592654;
// Beyond this a pixel coordinate only means "far off the image"; the canvas clips the line.
constexpr double kFarPixel = 1e9;

bool shown(int kind) { return kind == model::kind::LINE || kind == model::kind::COLUMN || kind == model::kind::GIRDER; }

int pixel(double v)
{
    if (!(v > -kFarPixel)) v = -kFarPixel;  // NaN lands here too
    if (v > kFarPixel) v = kFarPixel;
    return static_cast<int>(model::roundHalfAway(v));
}

}  // namespace

void View3D::load(const model::ElementStore& store, const model::ViewPlane& view)
{
    int n = 0;
    for (int i = -1; store.nextLive(i);)
        if (shown(store.at(i).kind)) ++n;
    segments_.clear();
    segments_.reserve(static_cast<size_t>(n));
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = -1; store.nextLive(i);) {
        const model::Element& e = store.at(i);
        if (!shown(e.kind)) continue;
        if (segments_.empty()) {
            minX = maxX = e.X1;
            minY = maxY = e.Y1;
        }
        minX = std::min({minX, e.X1, e.X2});
        maxX = std::max({maxX, e.X1, e.X2});
        minY = std::min({minY, e.Y1, e.Y2});
        maxY = std::max({maxY, e.Y1, e.Y2});
        segments_.push_back({e.X1, e.Y1, e.Z1, e.X2, e.Y2, e.Z2, e.CL});
    }
    centreX_ = (minX + maxX) / 2;
    centreY_ = (minY + maxY) / 2;
    mode_ = view.mode;
    plane_ = model::roundHalfAway(view.plane);
    working_.clear();
}

bool View3D::inPlane(const View3DSegment& s) const
{
    const double p = static_cast<double>(plane_);
    switch (mode_) {
    case model::ViewMode::ElevationXZ: return model::approxEq(s.Y1, p) && model::approxEq(s.Y2, p);
    case model::ViewMode::ElevationYZ: return model::approxEq(s.X1, p) && model::approxEq(s.X2, p);
    case model::ViewMode::Plan: break;
    }
    return model::approxEq(s.Z1, p) && model::approxEq(s.Z2, p);
}

void View3D::turn()
{
    const double a = -angleA * kViewPi / 180, b = -angleB * kViewPi / 180;
    const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
    working_.resize(segments_.size());
    for (size_t i = 0; i < segments_.size(); ++i) {
        const View3DSegment& s = segments_[i];
        const double x1 = s.X1 - centreX_, y1 = s.Y1 - centreY_;
        const double x2 = s.X2 - centreX_, y2 = s.Y2 - centreY_;
        // About Z by angle A, then about X by angle B; only the screen's two axes are kept.
        working_[i] = {x1 * ca - y1 * sa, (x1 * sa + y1 * ca) * cb - s.Z1 * sb,
                       x2 * ca - y2 * sa, (x2 * sa + y2 * ca) * cb - s.Z2 * sb};
    }
}

void View3D::draw(Canvas& canvas) const
{
    const double k = zoom / 100 / 100;
    const int h = canvas.height();
    const int left = pixel(canvas.width() / 2.0);
    const int bottom = h - pixel(h / 4.0);
    for (size_t i = 0; i < working_.size(); ++i) {
        const View3DSegment& s = segments_[i];
        const Turned& t = working_[i];
        const int colour = inPlane(s) ? highlightColour : s.colour;
        const PenStyle style = s.colour == kView3DDottedColour ? PenStyle::Dot : PenStyle::Solid;
        canvas.line(pixel(t.x1 * k) + left, bottom - pixel(t.y1 * k), pixel(t.x2 * k) + left, bottom - pixel(t.y2 * k),
                    colour, style, PenMode::Copy);
    }
}

void View3D::show(Canvas& canvas)
{
    canvas.clear();
    turn();
    draw(canvas);
}

void View3D::press(int x, int y)
{
    dragging_ = true;
    lastX_ = x;
    lastY_ = y;
}

bool View3D::move(Canvas& canvas, int x, int y)
{
    if (!dragging_ || (x == lastX_ && y == lastY_)) return false;
    angleA += lastX_ - x;
    angleB += lastY_ - y;
    lastX_ = x;
    lastY_ = y;
    show(canvas);
    return true;
}

void View3D::wheel(Canvas& canvas, int delta)
{
    if (delta <= 0)
        zoom += kView3DZoomStep;
    else
        zoom = std::max(zoom - kView3DZoomStep, kView3DMinZoom);
    canvas.clear();
    // The angles have not changed since the last turn; only the scale is new.
    if (working_.size() != segments_.size()) turn();
    draw(canvas);
}

}  // namespace editor
