// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/view_navigator.h"

#include <cmath>
#include <cstdlib>

#include "session/show_notice.h"

namespace editor {

void ViewNavigator::EndViewOperation()
{
    auto& st = ctx_.state;
    st.zoomWindowStep = 1;
    if (st.viewOperation == ViewOperation::None && !st.middleZoomDrag) return;
    ctx_.EraseTransients();
    st.viewOperation = ViewOperation::None;
    st.middleZoomDrag = false;
    if (st.savedCursorKind != kNoSavedCursor) {
        ctx_.setCursor(static_cast<CursorKind>(st.savedCursorKind));
        st.savedCursorKind = kNoSavedCursor;
    }
    ctx_.showPrompt(st.prompt);
    ctx_.canvasChanged();
}

void ViewNavigator::EnterViewOperation(ViewOperation mode, const std::string& prompt)
{
    auto& st = ctx_.state;
    ctx_.EraseTransients();
    st.viewOperation = mode;
    st.zoomWindowStep = 1;
    // Entered again before the last one ended: keep the command's own cursor for the end.
    if (st.savedCursorKind == kNoSavedCursor) st.savedCursorKind = static_cast<int>(st.cursorKind);
    ctx_.setCursor(CursorKind::Cross);
    if (!prompt.empty()) ctx_.platform().statusText(platform::kStatusMessage, prompt);
    ctx_.canvasChanged();
}

void ViewNavigator::prepareZoom()
{
    ctx_.control.requestAbort();
    if (ctx_.control.pollInput) ctx_.control.pollInput();
}

void ViewNavigator::zoomToRectangle(model::Point corner1, model::Point corner2)
{
    prepareZoom();
    if (session::shown(ctx_.platform(), ctx_.transform.ZoomToRectangle(corner1, corner2))) ctx_.redraw();
}

bool ViewNavigator::startDrag(const MouseEvent& ev, bool idle)
{
    auto& st = ctx_.state;
    if (ev.button == MouseButton::Middle) {
        EnterViewOperation(ViewOperation::ZoomWindow, "");
        st.middleZoomDrag = true;
        dragFrom_ = ev.point;
        zoomCorner_ = ctx_.transform.ToWorld(ev.point.x, ev.point.y);
        st.zoomWindowStep = 2;
        return true;
    }
    if (!idle || ev.button != MouseButton::Left) return false;
    ctx_.EraseTransients();
    ctx_.setCursor(CursorKind::Grip);
    st.panDrag = true;
    gridVisibleBeforePan_ = ctx_.dotGrid.gridVisible;
    ctx_.dotGrid.gridVisible = false;
    dragFrom_ = ev.point;
    return true;
}

bool ViewNavigator::dragMove(PixelPoint pointer)
{
    if (!ctx_.state.panDrag) return false;
    ctx_.transform.PanByPixels(dragFrom_, pointer);
    dragFrom_ = pointer;
    prepareZoom();
    ctx_.redraw();
    return true;
}

bool ViewNavigator::endDrag(const MouseEvent& ev)
{
    auto& st = ctx_.state;
    if (st.middleZoomDrag) {
        if (ev.button != MouseButton::Middle) return true;
        ctx_.EraseTransients();
        const bool moved = std::abs(ev.point.x - dragFrom_.x) > 5 && std::abs(ev.point.y - dragFrom_.y) > 5;
        EndViewOperation();
        if (moved) zoomToRectangle(zoomCorner_, ctx_.transform.ToWorld(ev.point.x, ev.point.y));
        return true;
    }
    if (!st.panDrag) return false;
    ctx_.dotGrid.gridVisible = gridVisibleBeforePan_;
    st.panDrag = false;
    ctx_.setCursor(CursorKind::Hand);
    ctx_.redraw();
    return true;
}

bool ViewNavigator::press(MouseButton button, const SnapResult& at)
{
    auto& st = ctx_.state;
    const ViewOperation mode = st.viewOperation;
    if (button != MouseButton::Left) {
        if (mode != ViewOperation::ZoomWindow) EndViewOperation();
        return true;
    }
    switch (mode) {
    case ViewOperation::ZoomUp:
    case ViewOperation::ZoomDown:
        prepareZoom();
        if (session::shown(ctx_.platform(), ctx_.transform.ZoomAt(at.world.x, at.world.y, mode == ViewOperation::ZoomUp)))
            ctx_.redraw();
        break;
    case ViewOperation::Pan:
        prepareZoom();
        ctx_.transform.Recentre(at.world.x, at.world.y);
        ctx_.redraw();
        break;
    case ViewOperation::ZoomWindow:
        ctx_.platform().statusText(platform::kStatusMessage, "ズーム２点目指定");
        ctx_.EraseTransients();
        dragFrom_ = at.pixel;
        zoomCorner_ = at.world;
        st.zoomWindowStep = 2;
        break;
    case ViewOperation::PickAndShow: return false;
    case ViewOperation::LoadDelete:
    case ViewOperation::None: break;
    }
    ctx_.canvasChanged();
    return true;
}

void ViewNavigator::move(PixelPoint pointer)
{
    const auto& st = ctx_.state;
    ctx_.eraseCrosshairAndMarker();
    ctx_.drawCrosshair(pointer);
    if (st.viewOperation == ViewOperation::ZoomWindow && st.zoomWindowStep == 2) {
        ctx_.eraseZoomRect();
        ctx_.drawZoomRect(dragFrom_, pointer);
    }
    ctx_.canvasChanged();
}

void ViewNavigator::release(MouseButton button, const SnapResult& at)
{
    auto& st = ctx_.state;
    if (st.viewOperation != ViewOperation::ZoomWindow) return;
    if (button == MouseButton::Left) {
        if (st.zoomWindowStep == 2) {
            ctx_.EraseTransients();
            const bool big = std::fabs(at.world.x - zoomCorner_.x) > 5 && std::fabs(at.world.y - zoomCorner_.y) > 5;
            EndViewOperation();
            if (big) zoomToRectangle(zoomCorner_, at.world);
            return;
        }
        EndViewOperation();
        return;
    }
    if (st.zoomWindowStep != 1) {
        ctx_.eraseZoomRect();
        ctx_.platform().statusText(platform::kStatusMessage, "ズーム１点目指定");
        st.zoomWindowStep = 1;
        ctx_.canvasChanged();
    } else {
        EndViewOperation();
    }
}

void ViewNavigator::wheel(int delta)
{
    prepareZoom();
    if (session::shown(ctx_.platform(), ctx_.transform.WheelZoom(delta))) ctx_.redraw();
}

bool ViewNavigator::key(Key key)
{
    auto& platform = ctx_.platform();
    switch (key) {
    case Key::PageUp:
    case Key::PageDown: {
        prepareZoom();
        if (session::shown(platform, key == Key::PageUp ? ctx_.transform.ZoomIn() : ctx_.transform.ZoomOut()))
            ctx_.redraw();
        return true;
    }
    case Key::Home: fitAll(); return true;
    case Key::Left:
    case Key::Up:
    case Key::Right:
    case Key::Down: {
        const ScrollDirection d = key == Key::Left    ? ScrollDirection::Left
                                  : key == Key::Up    ? ScrollDirection::Up
                                  : key == Key::Right ? ScrollDirection::Right
                                                      : ScrollDirection::Down;
        prepareZoom();
        ctx_.transform.ScrollView(d);
        ctx_.redraw();
        return true;
    }
    default: return false;
    }
}

void ViewNavigator::resized()
{
    const int w = ctx_.canvas.width(), h = ctx_.canvas.height();
    if (!(ctx_.transform.viewScale > 0)) {
        ctx_.transform.setCanvasSize(w, h);
        return;
    }
    ctx_.transform.Resize(w, h);
    ctx_.redraw();
}

}  // namespace editor
