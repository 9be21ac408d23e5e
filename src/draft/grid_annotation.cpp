// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/grid_annotation.h"

#include "draft/framing_lines.h"
#include "model/grid.h"
#include "model/grid_marks.h"
#include "model/view_slice.h"
#include "session/session.h"

namespace draft {

void DrawGridAnnotation(model::Session& session, Drafter& d)
{
    const model::GridModel& g = session.grid;
    const model::ViewMode mode = session.view.mode;
    const double height = d.draftTextHeight();
    d.SetPen(kMarkPen);
    // One text height of clearance in the drawing's own units: the same drawing whatever the
    // zoom of the window it was started from.
    for (const model::GridNamePlace& p : model::gridNamePlaces(g, mode, height)) {
        const std::string& text = g.name(p.axis, p.index);
        if (!text.empty()) d.addMoji(p.anchor, text, p.at.x, p.at.y, height, 0, 0);
    }

    const double lift = session.settings.draft.DrawMojiUki * d.draftScale();
    // Each dimension has its own two extension lines, also where its neighbour's lies on one.
    d.SetPen(kDimensionPen);
    for (const model::GridDimension& m : model::gridDimensions(g, mode)) {
        d.DraftModelLine(MODEL_LINE, m.lineFrom.x, m.lineFrom.y, m.lineTo.x, m.lineTo.y);
        d.DraftModelLine(MODEL_LINE, m.from.x, m.from.y, m.lineFrom.x, m.lineFrom.y);
        d.DraftModelLine(MODEL_LINE, m.to.x, m.to.y, m.lineTo.x, m.lineTo.y);
        d.DraftTextOnLine(model::dimensionText(m.length), BASE_BOTTOM_CENTRE, 2, m.lineFrom.x, m.lineFrom.y,
                          m.lineTo.x, m.lineTo.y, lift);
    }
}

}  // namespace draft
