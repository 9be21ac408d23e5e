// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/rebar_drawing.h"

#include "draft/framing_lines.h"
#include "draft/grid_annotation.h"
#include "draft/rebar_detail.h"
#include "model/element_store.h"
#include "model/helpers.h"
#include "session/session.h"

namespace draft {

namespace rebar {

void line(DetailContext& c, double u1, double z1, double u2, double z2)
{
    c.d.DraftModelLine(MODEL_LINE, u1, z1, u2, z2);
}

void dot(DetailContext& c, double u, double z) { c.d.DraftModelArc(u, z, kDotRadius, 0, 360); }

void text(DetailContext& c, int nBase, const std::string& s, double u, double z)
{
    c.d.addMoji(nBase, s, u, z, c.th, 0, c.lift);
}

void textOnLine(DetailContext& c, const std::string& s, int nBase, int where, double u1, double z1, double u2,
                double z2)
{
    c.d.DraftTextOnLine(s, nBase, where, u1, z1, u2, z2, c.lift);
}

namespace {
int directionDeg(double du, double dz)
{
    if (du > 0) return 0;
    if (dz > 0) return 90;
    if (du < 0) return 180;
    return 270;
}
}  // namespace

void bentBar(DetailContext& c, model::Point from, model::Point corner, int tu, int tz, double r, double tail)
{
    const double du = corner.x - from.x, dz = corner.y - from.y;
    const double len = model::hypotLen(du, dz);
    if (!(len > 0) || !(r >= 0) || r > len) {
        line(c, from.x, from.y, corner.x, corner.y);
        return;
    }
    // Unit direction of the straight leg; the arc joins it to the tail.
    const double lu = du / len, lz = dz / len;
    const model::Point bendStart{corner.x - lu * r, corner.y - lz * r};
    const model::Point centre{bendStart.x + tu * r, bendStart.y + tz * r};
    const model::Point tailStart{corner.x + tu * r, corner.y + tz * r};
    line(c, from.x, from.y, bendStart.x, bendStart.y);
    // The arc runs from the leg's end, seen from the centre against the tail direction, to
    // the tail's start, seen along the leg; counter-clockwise takes the quarter between them.
    const int a = directionDeg(-tu, -tz), b = directionDeg(lu, lz);
    if ((b - a + 360) % 360 == 90) c.d.DraftModelArc(centre.x, centre.y, r, a, b);
    else c.d.DraftModelArc(centre.x, centre.y, r, b, a);
    line(c, tailStart.x, tailStart.y, tailStart.x + tu * tail, tailStart.y + tz * tail);
}

}  // namespace rebar

void drawRebarArrangement(model::Session& session, Drafter& d)
{
    model::ElementStore& store = session.store;
    const model::ViewPlane view = session.view;
    const bool elevation = view.mode != model::ViewMode::Plan;
    const rebar::SpecCache specs(session.sections);
    const settings::DraftEnv& env = session.settings.draft;
    rebar::DetailContext c{d,
                           store,
                           specs,
                           view.mode == model::ViewMode::ElevationYZ ? rebar::Axis::Y : rebar::Axis::X,
                           d.draftScale(),
                           static_cast<double>(d.draftTextHeight()),
                           env.DrawMojiUki * d.draftScale(),
                           env.TessmarStirStart};

    // Outlines and grid lines as the framing drawings draw them, the details of the members of
    // an elevation, and last the grid's names and dimensions.
    FramingLines lines(session, d);
    for (int i = -1; store.nextLive(i);) {
        const model::Element& e = store.at(i);
        if (e.kind == model::kind::BASE) {
            lines.gridLine(i);
        } else if (e.kind == model::kind::COLUMN) {
            if (!store.inPlane(view, i)) continue;
            lines.member(i, kColumnPen, false);
            if (elevation) rebar::drawColumnDetail(c, i);
        } else if (e.kind == model::kind::GIRDER) {
            if (!store.inPlane(view, i)) continue;
            const bool level = model::approxEq(e.Z1, e.Z2);
            lines.member(i, kGirderPen, false);
            if (elevation && level) rebar::drawGirderDetail(c, i);
        }
    }
    DrawGridAnnotation(session, d);
}

}  // namespace draft
