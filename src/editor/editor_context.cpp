// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_context.h"

#include <string>

#include "editor/command.h"
#include "model/grid.h"
#include "model/member_offsets.h"
#include "session/show_notice.h"

namespace editor {

EditorContext::EditorContext(model::Session& s, Canvas& c, EditorHost* h, const Ports& p)
    : session(s), canvas(c), host(h), ports(p)
{
    transform.setCanvasSize(canvas.width(), canvas.height());
}

DisplaySwitches EditorContext::switches() const
{
    DisplaySwitches sw = DisplaySwitches::fromSettings(session.settings);
    sw.showDataNumber = showDataNumber;
    return sw;
}

PickContext EditorContext::pickContext()
{
    return PickContext{session.store, session.view, transform, dotGrid, session.settings.env.DrawBaseLine};
}

int EditorContext::pick(model::Point p, int excluded) { return PickElement(pickContext(), excluded, p.x, p.y); }

int EditorContext::selectWindow(model::Point a, model::Point b) { return SelectWindow(session.store, session.view, a, b); }

SnapResult EditorContext::snap(PixelPoint pointer)
{
    const SnapResult at = SnapPoint(pickContext(), state.snap, pointer);
    showSnapPosition(session.platform, at);
    return at;
}

void EditorContext::redraw(bool)
{
    const DisplaySwitches sw = switches();
    PlanRenderer renderer(canvas, transform, dotGrid, sw);
    ++redrawing;
    if (drawingMode)
        renderer.RedrawDrawing(session.store, session.texts, control);
    else
        renderer.Redraw(PlanScene::of(session), control);
    --redrawing;
    session::show(session.platform, renderer.takeNotices());
    forgetTransients();
    // The 3-D view follows every full redraw while it is shown: its highlight follows the level.
    reload3D();
    canvasChanged();
}

void EditorContext::drawElement(int index, ColourMode mode, bool force)
{
    if (index < 0 || index >= session.store.count()) return;
    const DisplaySwitches sw = switches();
    PlanRenderer renderer(canvas, transform, dotGrid, sw);
    renderer.DrawElement(PlanScene::of(session), index, mode, force);
    session::show(session.platform, renderer.takeNotices());
}

bool EditorContext::fitAll()
{
    const auto& env = session.settings.env;
    if (!session::shown(session.platform, transform.FitAll(session.store, 0.8, env.DrawBaseLine || env.DrawDim)))
        return false;
    redraw();
    return true;
}

void EditorContext::canvasChanged()
{
    if (host) host->canvasChanged();
}

void EditorContext::modelChanged()
{
    session.store.invalidateConnections();
    showCount();
    reload3D();
}

void EditorContext::sectionsChanged()
{
    model::applyOffsets(session);
    session.project.modified = true;
    session.store.invalidateConnections();
    redraw(true);
}

void EditorContext::showCount()
{
    session.platform.statusText(platform::kStatusCount, std::to_string(session.store.liveCount()));
}

void EditorContext::reload3D()
{
    if (view3DVisible && ports.view3D) ports.view3D->reload();
}

void EditorContext::notice(const std::string& text)
{
    session.platform.messageBox(platform::kConfirmCaption, text, platform::Buttons::Ok);
}

void EditorContext::showPrompt(const std::string& text)
{
    state.prompt = text;
    session.platform.statusText(platform::kStatusMessage, text);
}

void EditorContext::setCursor(CursorKind kind)
{
    state.cursorKind = kind;
    if (host) host->setCursor(kind);
}

// ---- transient marks ----

void EditorContext::drawZoomRect(PixelPoint from, PixelPoint to)
{
    painter().xorRectangle(from, to);
    transients.zoomRect = true;
    transients.zoomFrom = from;
    transients.zoomTo = to;
}

void EditorContext::drawCrosshair(PixelPoint at)
{
    WorldPainter p = painter();
    p.xorLinePixels({0, at.y}, {canvas.width(), at.y});
    p.xorLinePixels({at.x, 0}, {at.x, canvas.height()});
    transients.crosshair = true;
    transients.crosshairAt = at;
}

void EditorContext::drawMarker(PixelPoint at)
{
    painter().xorPlus(at, kSnapMarkerArm);
    transients.marker = true;
    transients.markerAt = at;
}

void EditorContext::drawRubber(RubberKind kind, PixelPoint from, PixelPoint to)
{
    if (kind == RubberKind::None) return;
    WorldPainter p = painter();
    if (kind == RubberKind::Line)
        p.xorLinePixels(from, to);
    else
        p.xorRectangle(from, to);
    transients.rubber = true;
    transients.rubberKind = kind;
    transients.rubberFrom = from;
    transients.rubberTo = to;
}

void EditorContext::drawPreview(model::Point pointer)
{
    if (!command || !command->hasPreview()) return;
    command->preview(*this, pointer);
    transients.preview = true;
    transients.previewAt = pointer;
}

void EditorContext::eraseZoomRect()
{
    if (!transients.zoomRect) return;
    painter().xorRectangle(transients.zoomFrom, transients.zoomTo);
    transients.zoomRect = false;
}

void EditorContext::eraseCrosshairAndMarker()
{
    if (transients.crosshair) {
        const PixelPoint at = transients.crosshairAt;
        WorldPainter p = painter();
        p.xorLinePixels({0, at.y}, {canvas.width(), at.y});
        p.xorLinePixels({at.x, 0}, {at.x, canvas.height()});
        transients.crosshair = false;
    }
    if (transients.marker) {
        painter().xorPlus(transients.markerAt, kSnapMarkerArm);
        transients.marker = false;
    }
}

void EditorContext::eraseRubber()
{
    if (!transients.rubber) return;
    WorldPainter p = painter();
    if (transients.rubberKind == RubberKind::Line)
        p.xorLinePixels(transients.rubberFrom, transients.rubberTo);
    else
        p.xorRectangle(transients.rubberFrom, transients.rubberTo);
    transients.rubber = false;
}

void EditorContext::erasePreview()
{
    if (!transients.preview) return;
    transients.preview = false;
    // The command draws the same picture again; its state has not changed since.
    if (command && command->hasPreview()) command->preview(*this, transients.previewAt);
}

void EditorContext::EraseTransients()
{
    eraseZoomRect();
    eraseCrosshairAndMarker();
    eraseRubber();
    erasePreview();
}

// ---- grid origin command ----

void GridOriginCommand::press(EditorContext& ctx, MouseButton button, model::Point p)
{
    if (button == MouseButton::Left) {
        ctx.dotGrid.SetGridOrigin(p.x, p.y);
        ctx.redraw();
    }
    ctx.requestEnd();
}

}  // namespace editor
