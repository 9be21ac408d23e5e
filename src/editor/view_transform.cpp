// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/view_transform.h"

#include <cmath>
#include <cstdlib>

#include "model/element_store.h"

namespace editor {

namespace {

// Pixel coordinates beyond this are clamped: far enough that any line through the canvas
// keeps its direction within a pixel, near enough to stay an int.
constexpr double kPixelLimit = 1073741824.0;  // 2^30

int toPixelInt(double v)
{
    if (!(v > -kPixelLimit)) v = -kPixelLimit;  // also catches NaN
    if (v > kPixelLimit) v = kPixelLimit;
    return static_cast<int>(std::round(v));
}


}  // namespace

void ViewTransform::setCanvasSize(int width, int height)
{
    canvasWidth = width;
    canvasHeight = height;
}

model::Point ViewTransform::ToWorld(double px, double py) const
{
    return {px * viewScale + viewLeft, (canvasHeight - py) * viewScale + viewBottom};
}

bool ViewTransform::ToPixel(double x, double y, PixelPoint& out) const
{
    if (viewScale == 0) return false;
    out.x = toPixelInt((x - viewLeft) / viewScale);
    out.y = toPixelInt(canvasHeight - (y - viewBottom) / viewScale);
    return true;
}

bool ViewTransform::ToPixelRounded(double x, double y, PixelPoint& out) const
{
    return ToPixel(model::round5(x), model::round5(y), out);
}

model::Outcome ViewTransform::SetView(double width, double height, double centreX, double centreY)
{
    if (canvasWidth <= 0 || canvasHeight <= 0)
        return model::Outcome::failed(model::Notice{model::Notice::Via::MessageBox, "SetLogWindow Error"});
    const double cw = canvasWidth;
    const double ch = canvasHeight;
    if (width == 0) width = cw * height / ch;
    double h = ch * width / cw;
    if (h < height) {
        h = height;
        width = cw * height / ch;
    }
    // A window without extent has no scale; every later conversion would fail.
    if (!(h > 0) || !(width > 0) || !std::isfinite(h) || !std::isfinite(width)) return model::Outcome::failed();
    viewWidth = width;
    viewHeight = h;
    viewLeft = centreX - width / 2;
    viewBottom = centreY - h / 2;
    viewScale = h / ch;
    return {};
}

void ViewTransform::Recentre(double x, double y)
{
    viewLeft = x - viewWidth / 2;
    viewBottom = y - viewHeight / 2;
}

model::Outcome ViewTransform::HomeView()
{
    const double cw = canvasWidth;
    const double ch = canvasHeight;
    return SetView((20 * cw) * 1.1, (20 * ch) * 1.1, cw / 2, (10 * ch) / 2);
}

model::Outcome ViewTransform::FitAll(const model::ElementStore& store, double factor, bool gridShown)
{
    if (!(factor > 0)) return model::Outcome::failed();
    model::Extent ext = store.extent(false, true, gridShown);
    if (!ext.found) return model::Outcome::failed();
    const double dx = ext.maxX - ext.minX;
    const double dy = ext.maxY - ext.minY;
    if (dx == 0 && dy == 0) return model::Outcome::failed();
    return SetView(dx / factor * 1.1, dy / factor * 1.1, (ext.minX + ext.maxX) / 2, (ext.minY + ext.maxY) / 2);
}

model::Outcome ViewTransform::ZoomIn()
{
    model::Point c = centre();
    return SetView(viewWidth / 1.1, viewHeight / 1.1, c.x, c.y);
}

model::Outcome ViewTransform::ZoomOut()
{
    model::Point c = centre();
    return SetView(viewWidth * 1.1, viewHeight * 1.1, c.x, c.y);
}

model::Outcome ViewTransform::ZoomAt(double x, double y, bool zoomIn)
{
    Recentre(x, y);
    return zoomIn ? ZoomIn() : ZoomOut();
}

model::Outcome ViewTransform::WheelZoom(int delta) { return delta > 0 ? ZoomOut() : ZoomIn(); }

model::Outcome ViewTransform::ZoomToRectangle(model::Point corner1, model::Point corner2)
{
    return SetView(std::fabs(corner2.x - corner1.x), std::fabs(corner2.y - corner1.y), (corner1.x + corner2.x) / 2,
                   (corner1.y + corner2.y) / 2);
}

void ViewTransform::ScrollView(ScrollDirection direction)
{
    model::Point c = centre();
    // Vertical steps are an eighth of the width and horizontal ones an eighth of the height.
    switch (direction) {
    case ScrollDirection::Up: c.y += viewWidth / 8; break;
    case ScrollDirection::Down: c.y -= viewWidth / 8; break;
    case ScrollDirection::Right: c.x += viewHeight / 8; break;
    case ScrollDirection::Left: c.x -= viewHeight / 8; break;
    }
    Recentre(c.x, c.y);
}

void ViewTransform::PanByPixels(PixelPoint from, PixelPoint to)
{
    viewLeft += (from.x - to.x) * viewScale;
    viewBottom -= (from.y - to.y) * viewScale;
}

void ViewTransform::Resize(int width, int height)
{
    const double oldHeight = viewHeight;
    canvasWidth = width;
    canvasHeight = height;
    viewWidth = width * viewScale;
    viewHeight = viewScale * height;
    viewBottom -= viewHeight - oldHeight;
}

int ViewTransform::outcodeOf(double x, double y) const
{
    int code = 0;
    if (x < viewLeft) code |= outcode::LEFT;
    else if (x > viewLeft + viewWidth) code |= outcode::RIGHT;
    if (y < viewBottom) code |= outcode::BELOW;
    else if (y > viewBottom + viewHeight) code |= outcode::ABOVE;
    return code;
}

bool DotGrid::SetGridDistance(double distance)
{
    if (distance == gridDistance || !(distance > 0)) return false;
    gridDistance = distance;
    recompute();
    return true;
}

bool DotGrid::SetGridDivisor(double divisor)
{
    if (divisor == gridDivisor || !(divisor > 0)) return false;
    gridDivisor = divisor;
    recompute();
    return true;
}

void DotGrid::SetGridOrigin(double x, double y)
{
    gridOrigin = {x, y};
    recompute();
}

void DotGrid::recompute()
{
    gridPitch = gridDistance / gridDivisor;
    const long long pitch = model::roundHalfAway(gridPitch);
    // A pitch below half a unit rounds to 0; its offsets stay 0 rather than dividing by it.
    auto offset = [pitch](double origin) -> double {
        if (pitch == 0 || !(std::fabs(origin) < 9e15)) return 0;
        return static_cast<double>(model::roundHalfAway(origin) % pitch);
    };
    snapOffsetX = offset(gridOrigin.x);
    snapOffsetY = offset(gridOrigin.y);
}

bool DotGrid::snap(const ViewTransform& view, model::Point& p) const
{
    if (!(gridPitch > 0)) return false;
    model::Point q{std::round((p.x - snapOffsetX) / gridPitch) * gridPitch + snapOffsetX,
                   std::round((p.y - snapOffsetY) / gridPitch) * gridPitch + snapOffsetY};
    PixelPoint px;
    if (!view.ToPixel(q.x, q.y, px)) return false;
    if (px.x < 0 || px.y < 0) return false;
    p = q;
    return true;
}

}  // namespace editor
