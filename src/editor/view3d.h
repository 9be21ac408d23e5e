// SPDX-License-Identifier: GPL-3.0-or-later
// The 3-D view: the model's lines and members as a wire frame, turned about the vertical
// axis and tilted about the screen's horizontal axis, drawn on a canvas. Dragging turns it,
// the wheel zooms. The window only binds its image and close button to this.
#pragma once

#include <vector>

#include "editor/canvas.h"
#include "model/element.h"

namespace model {
class ElementStore;
}

namespace editor {

struct View3DSegment {
    double X1 = 0, Y1 = 0, Z1 = 0, X2 = 0, Y2 = 0, Z2 = 0;
    int colour = 0;
};

// Segments lying in the plane the main window shows.
inline constexpr int kView3DHighlight = 0x0000FF;
// New lines keep this colour until they become members; they are drawn dotted.
inline constexpr int kView3DDottedColour = 0xFF0000;
inline constexpr double kView3DStartZoom = 100;  // pixels per 10 000 mm
inline constexpr double kView3DMinZoom = 10;
inline constexpr double kView3DZoomStep = 10;

class View3D {
public:
    // Copies every live LINE, COLUMN and GIRDER (its points without the display offsets, its
    // own colour) and the view's mode and plane. The list takes as many segments as the model
    // has: a big building is shown whole.
    void load(const model::ElementStore& store, const model::ViewPlane& view);

    // Clears the canvas and draws at the current angles and zoom.
    void show(Canvas& canvas);
    // A button went down on the image at the pixel: dragging starts there.
    void press(int x, int y);
    // The pointer moved; while dragging the view turns one degree per pixel. True when it drew.
    bool move(Canvas& canvas, int x, int y);
    void release() { dragging_ = false; }
    // delta <= 0 (towards the user) zooms in, above 0 zooms out, never below kView3DMinZoom.
    void wheel(Canvas& canvas, int delta);

    double angleA = 10;  // degrees about the vertical axis
    double angleB = 60;  // degrees of tilt
    double zoom = kView3DStartZoom;
    int highlightColour = kView3DHighlight;

    const std::vector<View3DSegment>& segments() const { return segments_; }
    bool dragging() const { return dragging_; }
    // Middle of the X and Y ranges of all segment ends; moved to the image's centre line.
    double centreX() const { return centreX_; }
    double centreY() const { return centreY_; }

private:
    // A segment after centring and both rotations; the depth is not needed for drawing.
    struct Turned {
        double x1, y1, x2, y2;
    };
    void turn();
    void draw(Canvas& canvas) const;
    bool inPlane(const View3DSegment& s) const;

    std::vector<View3DSegment> segments_;
    std::vector<Turned> working_;
    double centreX_ = 0, centreY_ = 0;
    model::ViewMode mode_ = model::ViewMode::Plan;
    long long plane_ = 0;
    bool dragging_ = false;
    int lastX_ = 0, lastY_ = 0;
};

}  // namespace editor
