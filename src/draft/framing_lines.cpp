// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/framing_lines.h"

#include "model/element_store.h"
#include "model/grid.h"
#include "session/session.h"

namespace draft {

FramingLines::FramingLines(model::Session& session, Drafter& d)
    : session_(session), d_(d), geometry_(session.store, session.sections, session.view.mode, sizes_)
{
    // The members of an elevation meet only members near its plane: the connections of that
    // plane do, instead of those of the whole building. A plan asks for the whole table.
    const model::ViewPlane& view = session.view;
    if (view.mode != model::ViewMode::Plan)
        session.store.computeConnectionsOnPlane(view.mode == model::ViewMode::ElevationXZ ? model::AXIS_Y : model::AXIS_X,
                                                view.plane);
}

void FramingLines::line(int type, const model::Segment& s)
{
    DraftModelLineOnce(d_, drawn_, type, s.p1.x, s.p1.y, s.p2.x, s.p2.y);
}

void FramingLines::ownLine(const model::Segment& s)
{
    d_.DraftModelLine(MODEL_LINE, s.p1.x, s.p1.y, s.p2.x, s.p2.y);
}

void FramingLines::member(int index, int pen, bool withMark)
{
    // Copied: every line drawn moves the model store to its bank and back.
    const int secID = session_.store.at(index).secID;
    const model::MemberOutline o = geometry_.outline(index);
    if (o.shape == model::MemberOutline::Shape::None) return;
    d_.SetPen(pen);
    // Only a girder's end lines can be another member's too; side lines and a column's edges
    // are drawn for each member even where they coincide (a girder without a section).
    const bool endsShared = o.shape != model::MemberOutline::Shape::Rectangle;
    for (int i = 0; i < o.sideCount(); ++i) ownLine(o.sides[static_cast<size_t>(i)]);
    for (int i = 0; i < o.endCount; ++i) {
        const model::Segment& end = o.ends[static_cast<size_t>(i)];
        if (endsShared) line(MODEL_LINE, end);
        else ownLine(end);
    }
    if (!withMark || !session_.settings.env.ShowMemberName || secID <= 0 || !o.labelled || o.markName.empty())
        return;
    d_.SetPen(kMarkPen);
    d_.DraftTextOnLine(o.markName, BASE_BOTTOM_CENTRE, 2, o.label.p1.x, o.label.p1.y, o.label.p2.x, o.label.p2.y,
                       session_.settings.draft.DrawMojiUki * d_.draftScale());
}

void FramingLines::gridLine(int index)
{
    const model::Segment s = model::projectToSlice(session_.view.mode, session_.store.at(index));
    if (!model::gridLineInRange(session_.grid, session_.view.mode, s)) return;
    d_.SetPen(kGridLinePen);
    line(MODEL_DASHDOT, s);
}

void drawFramingWalk(model::Session& session, Drafter& d, const MemberChoice& choose)
{
    FramingLines lines(session, d);
    for (int i = -1; session.store.nextLive(i);) {
        if (session.store.at(i).kind == model::kind::BASE) {
            lines.gridLine(i);
            continue;
        }
        const MemberStyle style = choose(session.store, i);
        if (style.drawn) lines.member(i, style.pen, style.withMark);
    }
}

}  // namespace draft
