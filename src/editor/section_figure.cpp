// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/section_figure.h"

#include <algorithm>

#include "draft/column_list.h"
#include "draft/draft.h"
#include "draft/girder_list.h"
#include "editor/plan_renderer.h"
#include "model/element.h"
#include "session/session.h"
#include "settings/settings.h"

namespace editor {

namespace {

// Pens of the list figures that carry the bars (girder 9, column 10) and the stirrup or
// hoop (girder 12, column 11).
bool barLayer(int layer) { return layer == draft::penTable()[8].layer || layer == draft::penTable()[9].layer; }
bool tieLayer(int layer) { return layer == draft::penTable()[10].layer || layer == draft::penTable()[11].layer; }

// The dialog shows symbols in black, the stirrup or hoop darker than the concrete lines.
void recolour(model::ElementStore& store)
{
    for (int i = -1; store.nextLive(i);) {
        model::Element& e = store.at(i);
        if (e.kind == model::kind::CIRCLE || barLayer(e.LY)) e.CL = kBlack;
        else if (tieLayer(e.LY)) e.CL = kFigureStirrupColour;
        else e.CL = kFigureLineColour;
    }
}

}  // namespace

int drawSectionFigure(Canvas& canvas, const settings::DraftEnv& env, const SectionFigure& figure,
                      platform::Platform& platform)
{
    canvas.clear();
    settings::DraftEnv figureEnv = env;
    figureEnv.GirderListMark = -1;  // no dimensions in the dialog
    figureEnv.ColumnListMark = -1;

    model::Session scratch(platform);
    draft::Drafter d(scratch);
    double width = 0, depth = 0, centreY = 0;
    if (figure.column) {
        const draft::ColumnFigure f = draft::columnFigure(figure.spec, env.RodMark);
        width = f.Dx;
        depth = f.Dy;
        if (!(width > 0) || !(depth > 0)) return 0;
        draft::drawColumnSection(d, figureEnv, f, 1, 0, 0);
    } else {
        const draft::GirderFigure f = draft::girderFigure(figure.spec, std::clamp(figure.end, 0, 2), env.RodMark);
        width = f.b;
        depth = f.D;
        if (!(width > 0) || !(depth > 0)) return 0;
        const bool foundation = env.GirderListBase == 2 || (env.GirderListBase == 1 && figure.lastRow);
        if (foundation) depth += env.BaseSizeA + env.BaseSizeB;
        centreY = -depth / 2;
        draft::drawGirderSection(d, figureEnv, f, draft::FigurePlace{false, figure.lastRow, 1.0}, 0, 0);
    }
    recolour(scratch.store);

    ViewTransform view;
    view.setCanvasSize(canvas.width(), canvas.height());
    const double side = 1.5 * std::max(width, depth);
    if (!view.SetView(side, side, 0, centreY)) return 0;
    DotGrid dots;
    DisplaySwitches switches;
    PlanRenderer renderer(canvas, view, dots, switches);
    RenderControl control;
    renderer.RedrawDrawing(scratch.store, scratch.texts, control);
    return scratch.store.liveCount();
}

}  // namespace editor
