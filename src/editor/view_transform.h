// SPDX-License-Identifier: GPL-3.0-or-later
// The window of world coordinates (millimetres, Y up) shown on a canvas (pixels, y down),
// every way of moving it, and the dot grid used for display and grid snapping.
// Plain state: the editor owns one of each per canvas and saves / restores it by copying.
#pragma once

#include "model/helpers.h"
#include "model/notice.h"

namespace model {
class ElementStore;
}

namespace editor {

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

enum class ScrollDirection { Up, Down, Left, Right };

// Cohen-Sutherland outcode bits of a point against the view window.
namespace outcode {
inline constexpr int LEFT = 1;
inline constexpr int RIGHT = 2;
inline constexpr int BELOW = 4;
inline constexpr int ABOVE = 8;
}  // namespace outcode

struct ViewTransform {
    int canvasWidth = 0;
    int canvasHeight = 0;
    double viewLeft = 0;
    double viewBottom = 0;
    double viewWidth = 0;
    double viewHeight = 0;
    double viewScale = 0;  // world units per pixel: viewHeight / canvasHeight

    // Takes the pixel size of a new drawing target; the window is left as it is.
    void setCanvasSize(int width, int height);

    model::Point ToWorld(double px, double py) const;
    // False when there is no scale yet (out is left unchanged). Far-away points are clamped to
    // +-2^30 pixels so that they stay representable.
    bool ToPixel(double x, double y, PixelPoint& out) const;
    // ToPixel after rounding both coordinates to 5 decimals, as every world primitive does.
    bool ToPixelRounded(double x, double y, PixelPoint& out) const;
    // Pixels per world unit (0 without a scale); what the element store's pick query takes.
    double pixelsPerMm() const { return viewScale > 0 ? 1.0 / viewScale : 0.0; }

    // Fits the requested window into the canvas keeping its aspect ratio. A width of 0 takes
    // the width from the height. Fails with the notice "SetLogWindow Error" on a canvas without
    // size, and quietly for a window without extent. The zooms below fail the same way.
    model::Outcome SetView(double width, double height, double centreX, double centreY);
    void Recentre(double x, double y);
    model::Outcome HomeView();
    // Fits the plan extent of the live elements, the window being 1.1 / factor times the box.
    // gridShown: a grid-line display switch (DrawBaseLine or DrawDim) is on, so the grid-line
    // elements count. False, view unchanged, for an empty model or a single point.
    model::Outcome FitAll(const model::ElementStore& store, double factor, bool gridShown);
    model::Outcome ZoomIn();
    model::Outcome ZoomOut();
    // Zoom at a point: centre there, then zoom in or out by 1.1.
    model::Outcome ZoomAt(double x, double y, bool zoomIn);
    // A positive wheel delta (turned away from the user) zooms out, zero or negative zooms in.
    model::Outcome WheelZoom(int delta);
    model::Outcome ZoomToRectangle(model::Point corner1, model::Point corner2);
    void ScrollView(ScrollDirection direction);
    // Pan by drag: the world point under the pointer follows it from one pixel to the next.
    void PanByPixels(PixelPoint from, PixelPoint to);
    // New canvas size; scale and the world point at the top-left corner stay.
    void Resize(int width, int height);

    double viewRight() const { return viewLeft + viewWidth; }
    double viewTop() const { return viewBottom + viewHeight; }
    model::Point centre() const { return {viewLeft + viewWidth / 2, viewBottom + viewHeight / 2}; }
    int outcodeOf(double x, double y) const;
    // Both ends beyond the same edge of the window: nothing of the segment can show.
    bool segmentOutside(double x1, double y1, double x2, double y2) const
    {
        return (outcodeOf(x1, y1) & outcodeOf(x2, y2)) != 0;
    }
};

struct DotGrid {
    double gridDistance = 1000;
    double gridDivisor = 1;
    double gridPitch = 1000;
    model::Point gridOrigin;
    // round(origin) mod round(pitch) per axis, integer arithmetic.
    double snapOffsetX = 0;
    double snapOffsetY = 0;
    bool gridVisible = false;

    // Each returns true when something changed; the caller redraws (when the grid is visible
    // for distance and divisor). A distance or divisor of 0 or less is refused (false).
    bool SetGridDistance(double distance);
    bool SetGridDivisor(double divisor);
    void SetGridOrigin(double x, double y);
    // Moves p to the nearest lattice point; false (p unchanged) when that point would lie left
    // of or above the canvas, or when the pitch is unusable.
    bool snap(const ViewTransform& view, model::Point& p) const;

private:
    void recompute();
};

}  // namespace editor
