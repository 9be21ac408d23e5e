// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom and pan on one canvas: the left-button pan drag, the middle-button zoom drag, the view
// operations zoom up / zoom down / pan by click / zoom window, the wheel, the page and arrow
// keys, fit all and resizing. The plan canvas and the drawing preview each have one over their
// own editor context, so both move the same way.
#pragma once

#include <string>

#include "editor/editor_context.h"

namespace editor {

class ViewNavigator {
public:
    explicit ViewNavigator(EditorContext& ctx) : ctx_(ctx) {}

    void EnterViewOperation(ViewOperation mode, const std::string& prompt);
    void EndViewOperation();

    // A pan drag or a middle-button zoom drag is in progress: other input waits for its end.
    bool dragging() const { return ctx_.state.panDrag || ctx_.state.middleZoomDrag; }
    // Mouse down: starts a middle-button zoom drag, or a pan drag on a left press when the
    // canvas is idle. False when the press is not the view's.
    bool startDrag(const MouseEvent& event, bool idle);
    // Mouse move: the pan drag follows the pointer. False when no pan drag is on.
    bool dragMove(PixelPoint pointer);
    // Mouse up: ends the drag in progress. False when none was.
    bool endDrag(const MouseEvent& event);

    // Mouse down in a view operation. False when the operation is not one of the view's
    // (pick-and-show, load delete) and the press is the caller's.
    bool press(MouseButton button, const SnapResult& at);
    // Mouse move in a view operation: the crosshair, and the zoom rectangle of the second step.
    void move(PixelPoint pointer);
    // Mouse up in a view operation (only zoom window acts on it).
    void release(MouseButton button, const SnapResult& at);

    void wheel(int delta);
    // Page Up / Down zoom, Home fits, the arrows scroll. False for any other key.
    bool key(Key key);
    // The canvas image has a new size: scale and the top-left world point stay.
    void resized();
    bool fitAll() { return ctx_.fitAll(); }

private:
    // A redraw in progress stops, and input waiting behind it is seen before the new view.
    void prepareZoom();
    void zoomToRectangle(model::Point corner1, model::Point corner2);

    EditorContext& ctx_;
    PixelPoint dragFrom_;       // pan drag / zoom drag press point
    model::Point zoomCorner_;   // first corner of a zoom window
    bool gridVisibleBeforePan_ = false;
};

}  // namespace editor
