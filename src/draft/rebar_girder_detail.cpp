// SPDX-License-Identifier: GPL-3.0-or-later
// The girder detail: a level girder of an elevation between the faces of its end columns.
#include <string>

#include "draft/rebar_detail.h"
#include "model/element_store.h"
#include "model/helpers.h"

namespace draft::rebar {

namespace {

struct Zone {
    double from = 0, to = 0;
    double middle() const { return (from + to) / 2; }
};

// "RG1 400×900": floor and mark of the section name written together, then b × D.
std::string girderLabel(const std::string& secName, const std::string& spec)
{
    return model::fieldAt(0, secName, ':') + model::fieldAt(1, secName, ':') + " " + model::fmtSizeForDrawing(spec, 0);
}

// One bar layer of one third: the bar (bent into an end column that only this girder frames
// into), a dot on it and a leader up or down to its count and size.
struct Layer {
    bool top = true;
    int layer = 1;   // 1 or 2
    int count = 0;
    std::string size;
};

void drawLayer(DetailContext& c, const GirderSpan& g, int zoneIndex, const Zone& zone, const Layer& l)
{
    const double bottom = g.top - g.depth;
    const double inset = l.layer == 1 ? kFirstLayerInset : kSecondLayerInset;
    const double y = l.top ? g.top - inset : bottom + inset;
    const int tz = l.top ? -1 : 1;

    c.d.SetPen(kPenGirderBar);
    const bool leftAnchored = zoneIndex == 0 && g.left.column >= 0 && g.left.otherGirder < 0;
    const bool rightAnchored = zoneIndex == 2 && g.right.column >= 0 && g.right.otherGirder < 0;
    if (leftAnchored) {
        const BentEnd b = anchoredEnd(l.size, g.left.width, l.layer, l.top, g.left.columnAbove);
        bentBar(c, {zone.to, y}, {zone.from - b.reach, y}, 0, tz, b.radius, b.tail);
    } else if (rightAnchored) {
        const BentEnd b = anchoredEnd(l.size, g.right.width, l.layer, l.top, g.right.columnAbove);
        bentBar(c, {zone.from, y}, {zone.to + b.reach, y}, 0, tz, b.radius, b.tail);
    } else {
        line(c, zone.from, y, zone.to, y);
    }

    // The leader of the first layer reaches further out, so the two labels stack.
    const double out = (l.layer == 1 ? 14 : 7) * c.s;
    const double leaderY = l.top ? g.top + out - c.th : bottom - out;
    const double x = zone.middle();
    c.d.SetPen(kPenBarLabel);
    dot(c, x, y);
    line(c, x, y, x, leaderY);
    line(c, x, leaderY, x + 12 * c.s, leaderY);
    text(c, BASE_BOTTOM_LEFT, std::to_string(l.count) + "-" + l.size, x + c.s, leaderY);
}

// The section's name and size above the girder, then its stirrups ("str.□-D10-@200") on its
// top: both come before the bars' labels.
void drawLabels(DetailContext& c, const GirderSpan& g, const std::string& secName, const std::string& spec)
{
    c.d.SetPen(kPenText);
    const double labelY = g.top + 20 * c.s;
    textOnLine(c, girderLabel(secName, spec), BASE_BOTTOM_CENTRE, 2, g.span.left, labelY, g.span.right, labelY);
    const model::GirderItem st = model::girderItem(spec, 7);
    if (st.size.empty()) return;
    const double middle = (g.span.left + g.span.right) / 2;
    text(c, BASE_BOTTOM_LEFT, "str.□-" + st.size + "-@" + std::to_string(st.pitch), middle + c.th, g.top);
}

void drawMainBars(DetailContext& c, const GirderSpan& g, const std::string& spec)
{
    const double third = g.span.length() / 3;
    for (int z = 0; z < 3; ++z) {
        const Zone zone{g.span.left + third * z, z == 2 ? g.span.right : g.span.left + third * (z + 1)};
        for (int face = 0; face < 2; ++face) {
            const model::GirderItem item = model::girderItem(spec, 1 + 2 * z + face);
            if (item.n > 0) drawLayer(c, g, z, zone, {face == 0, 1, item.n, item.size});
            if (item.n2 > 0) drawLayer(c, g, z, zone, {face == 0, 2, item.n2, item.size});
        }
    }
}

void drawStirrups(DetailContext& c, const GirderSpan& g, const std::string& spec)
{
    const model::GirderItem st = model::girderItem(spec, 7);
    const double bottom = g.top - g.depth;
    c.d.SetPen(kPenStirrup);
    for (double x : stirrupPositions(g.span, st.pitch, c.stirStart))
        line(c, x, bottom + kStirrupInset, x, g.top - kStirrupInset);
}

void drawWebBars(DetailContext& c, const GirderSpan& g, const std::string& spec)
{
    const model::GirderItem web = model::girderItem(spec, 8);
    const double from = g.span.left - kWebBarOverrun, to = g.span.right + kWebBarOverrun;
    for (double depth : webBarDepths(g.depth, web.n)) {
        const double y = g.top - depth;
        c.d.SetPen(kPenWebBar);
        line(c, from, y, to, y);
        c.d.SetPen(kPenBarLabel);
        textOnLine(c, "2-" + web.size, BASE_BOTTOM_CENTRE, 2, from, y, to, y);
    }
}

}  // namespace

void drawGirderDetail(DetailContext& c, int girder)
{
    GirderSpan g;
    if (!girderSpan(c.store, c.specs, girder, c.axis, g)) return;
    const int secID = c.store.at(girder).secID;
    const std::string spec = c.specs.spec(secID);
    // Without a section there is nothing to detail; where the columns meet or overlap there
    // is no span to lay bars over.
    if (spec.empty() || g.depth <= 0 || !(g.span.length() > 0)) return;

    drawLabels(c, g, c.specs.name(secID), spec);
    drawMainBars(c, g, spec);
    drawStirrups(c, g, spec);
    drawWebBars(c, g, spec);
}

}  // namespace draft::rebar
