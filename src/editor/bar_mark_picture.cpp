// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/bar_mark_picture.h"

#include "draft/draft.h"
#include "editor/plan_renderer.h"
#include "session/session.h"

namespace editor {

namespace {
// Half the side of the world square shown: the largest symbol reaches 24 from its centre.
constexpr double kHalfSide = 28;
}  // namespace

void drawBarMarkPicture(Canvas& canvas, int mark, platform::Platform& platform)
{
    // A scratch session of its own: the symbol is drawn by the same code as in a drawing,
    // without touching the project's stores.
    model::Session scratch(platform);
    draft::Drafter drafter(scratch);
    drafter.SetColour(kBlack);
    drafter.DraftBarMark(mark, 0, 0);

    ViewTransform view;
    view.setCanvasSize(canvas.width(), canvas.height());
    if (!view.SetView(2 * kHalfSide, 2 * kHalfSide, 0, 0)) {
        canvas.clear();
        return;
    }
    const DotGrid grid;
    const DisplaySwitches switches;
    RenderControl control;
    PlanRenderer(canvas, view, grid, switches).RedrawDrawing(scratch.store, scratch.texts, control);
}

}  // namespace editor
