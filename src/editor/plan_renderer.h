// SPDX-License-Identifier: GPL-3.0-or-later
// Draws one slice of the model (plan of a level or elevation of a grid line) on a canvas:
// grid lines with names, the dot grid, dimension chains, auxiliary lines with their marks,
// members as outlines sized from their sections, floors and polylines. The same painter shows
// a drawing's store and texts in the preview window (drawing mode).
#pragma once

#include <functional>
#include <string>

#include "editor/canvas.h"
#include "editor/view_transform.h"
#include "model/element.h"
#include "model/helpers.h"
#include "model/member_outline.h"
#include "model/notice.h"
#include "model/sections.h"

namespace model {
class ElementStore;
class Session;
class TextBuffer;
struct GridModel;
}  // namespace model
namespace settings {
struct Settings;
}

namespace editor {

// The display switches of the plan. The data-number switch is not stored in the settings.
struct DisplaySwitches {
    bool DrawBaseLine = true;
    bool DrawDim = true;
    bool ShowMemberName = true;
    bool ShowNumber = false;
    bool showDataNumber = false;
    bool ShowLineEndMark = false;
    bool SHowHelper = false;
    int MojiSize = 12;         // text height in pixels
    double arrowSize = 200;    // direction-arrow length in world units

    static DisplaySwitches fromSettings(const settings::Settings& settings);
};

// How DrawElement colours an element.
enum class ColourMode { Erase = 0, Own = 1, Highlight = 2, Red = 3 };
inline constexpr int kHighlightColour = 0xE6E6E6;

// Lets a long redraw stop early. A zoom or pan sets `abort`; every full redraw clears it and
// bumps `generation`, so a redraw started while another one polled input ends the older one.
struct RenderControl {
    bool abort = false;
    unsigned generation = 0;
    // Called every `pollEvery` elements so the window system can deliver pending input.
    std::function<void()> pollInput;
    int pollEvery = 4096;

    void requestAbort() { abort = true; }
};

// Canvas primitives in world coordinates. `copy` false draws in XOR with the colour replaced
// by 0xFFFFFF - colour, so that the mark shows in `colour` on white.
class WorldPainter {
public:
    WorldPainter(Canvas& canvas, const ViewTransform& transform) : canvas_(canvas), view_(transform) {}

    void DrawLine(int colour, bool copy, PenStyle style, model::Point p1, model::Point p2);
    // anchor 1-9 in keypad order from the top (which point of the text box lies on p).
    void DrawText(const std::string& text, int colour, int anchor, double angleDeg, int heightPx, model::Point p);
    // Text at p1 (position 1), the midpoint (2) or p2 (3) of the segment, turned to the
    // segment's readable angle.
    void DrawTextAlong(const std::string& text, int colour, int anchor, int position, int heightPx, model::Point p1,
                       model::Point p2);
    void DrawCircle(int colour, bool copy, double radius, model::Point centre);
    void DrawArc(int colour, bool copy, double radius, model::Point centre, double startDeg, double endDeg);

    // Pixel-space helpers for transient marks (always XOR; colour as seen on white).
    void xorLinePixels(PixelPoint a, PixelPoint b, int colour = kTransientColour);
    void xorPlus(PixelPoint centre, int arm, int colour = kTransientColour);
    void xorCross(PixelPoint centre, int arm, int colour = kTransientColour);
    void xorRectangle(PixelPoint a, PixelPoint b, int colour = kTransientColour);

    Canvas& canvas() { return canvas_; }
    const ViewTransform& transform() const { return view_; }

private:
    void pixelLine(double x1, double y1, double x2, double y2, int colour, PenStyle style, PenMode mode);

    Canvas& canvas_;
    const ViewTransform& view_;
};

// Top-left corner of a text box for the reference pixel point, the anchor and the estimated
// box width (height x CP932 bytes x 0.5).
PixelPoint textTopLeft(PixelPoint reference, int anchor, int heightPx, double angleDeg, int byteLength);
// The segment's direction turned so that text along it reads left to right (0-360 degrees).
double readableAngle(model::Point p1, model::Point p2);

// The model state a plan redraw reads.
struct PlanScene {
    model::ElementStore& store;
    const model::ViewPlane& view;
    const model::SectionTable& sections;
    const model::GridModel& grid;

    static PlanScene of(model::Session& session);
};

class PlanRenderer {
public:
    PlanRenderer(Canvas& canvas, const ViewTransform& transform, const DotGrid& dotGrid,
                 const DisplaySwitches& switches);

    // Full redraw: clear, rebuild a stale connection table, grid lines and names, dot grid,
    // dimensions, then every element in store order until the control's abort flag is set.
    // False when the redraw stopped early (or the view has no scale yet). Transient marks are
    // gone afterwards; the caller forgets them and refreshes the 3-D view if it wants to.
    bool Redraw(const PlanScene& scene, RenderControl& control);
    // One element. Erase draws it in white; without force only when it shows in the slice.
    // copy false draws it in XOR (previews); labels are drawn in copy drawing only.
    void DrawElement(const PlanScene& scene, int index, ColourMode mode, bool force, bool copy = true);
    void drawGridLines(const PlanScene& scene, RenderControl* control = nullptr);
    void drawGridNames(const PlanScene& scene);
    void drawDotGrid();
    void drawDimensions(const PlanScene& scene);

    // Drawing mode: every element of a drawing store with its own colour and line kind, no
    // slice test, then every text of the buffer. False when stopped early.
    bool RedrawDrawing(const model::ElementStore& store, const model::TextBuffer& texts, RenderControl& control);

    WorldPainter& painter() { return painter_; }
    // What the drawing found for the user (a member meeting a broken connection, once per
    // renderer), for the caller to show when the drawing is done.
    model::Notices takeNotices() { return model::takeAll(notices_); }

private:
    model::MemberOutline outline(const PlanScene& scene, int index);
    void drawOutline(const model::MemberOutline& outline, int colour, bool copy);

    void drawLineElement(const model::Element& e, model::Point p1, model::Point p2, int colour, bool copy);
    void drawColumn(const PlanScene& scene, int index, model::Point p1, model::Point p2, int colour, bool copy);
    void drawGirder(const PlanScene& scene, int index, model::Point p1, model::Point p2, int colour, bool copy);
    void drawPolygon(const PlanScene& scene, int index, int colour, bool copy, bool inset);
    bool memberOutside(const PlanScene& scene, const model::Element& e, model::Point p1, model::Point p2);

    Canvas& canvas_;
    const ViewTransform& view_;
    const DotGrid& dotGrid_;
    const DisplaySwitches& switches_;
    WorldPainter painter_;
    model::SectionSizes sizes_;
    bool conErrorShown_ = false;
    model::Notices notices_;
};

}  // namespace editor
