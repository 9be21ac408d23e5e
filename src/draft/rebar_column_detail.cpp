// SPDX-License-Identifier: GPL-3.0-or-later
// The column detail: a column of an elevation over its storey, with the joint at its top.
#include <algorithm>
#include <string>
#include <vector>

#include "draft/rebar_detail.h"
#include "model/element_store.h"
#include "model/helpers.h"

namespace draft::rebar {

namespace {

void drawMainBars(DetailContext& c, const ColumnSpan& col, const std::vector<double>& bars, int number)
{
    // Bars of a top column stop under the cover; their outer bars hook inwards there.
    const double barTop = col.columnAbove ? col.top : col.top - kFirstLayerInset;
    c.d.SetPen(kPenColumnBar);
    for (size_t i = 0; i < bars.size(); ++i) {
        const bool outer = i == 0 || i + 1 == bars.size();
        const double x = bars[i];
        if (outer && !col.columnAbove && bars.size() > 1) {
            const int inwards = x < col.centre ? 1 : -1;
            bentBar(c, {x, col.bottom}, {x, barTop}, inwards, 0, kHookRadius, 10.0 * number);
        } else {
            line(c, x, col.bottom, x, barTop);
        }
    }
}

void drawHoops(DetailContext& c, const ColumnSpan& col, const model::ColumnItem& hoop)
{
    const HoopLayout h = hoopPositions(col.bottom, col.top, col.joint, hoop.pitch, col.columnAbove);
    const double from = col.centre - col.width / 2 + kStirrupInset, to = col.centre + col.width / 2 - kStirrupInset;
    c.d.SetPen(kPenHoop);
    for (const std::vector<double>* part : {&h.below, &h.joint})
        for (double z : *part) line(c, from, z, to, z);
}

// A label at the end of a leader that starts with a dot on a bar.
void leaderLabel(DetailContext& c, const std::string& label, double barX, double y, double endX)
{
    dot(c, barX, y);
    line(c, barX, y, endX, y);
    textOnLine(c, label, BASE_BOTTOM_RIGHT, 3, barX, y, endX, y);
}

}  // namespace

void drawColumnDetail(DetailContext& c, int column)
{
    ColumnSpan col;
    if (!columnSpan(c.store, c.specs, column, c.axis, col)) return;
    const std::string spec = c.specs.spec(c.store.at(column).secID);
    if (spec.empty() || !(col.width > 0) || !(col.top > col.bottom)) return;
    const double face1 = col.centre - col.width / 2, face2 = col.centre + col.width / 2;
    const double jointBottom = col.top - col.joint;
    const double below = jointBottom > col.bottom ? jointBottom - col.bottom : col.top - col.bottom;

    const model::ColumnItem main = model::columnItem(spec, 1);
    const int faceCount = c.axis == Axis::X ? main.nx : main.ny;
    const int number = barNumber(main.size);
    if (faceCount > 0 && faceCount <= kMaxDrawnFaceBars)
        drawMainBars(c, col, mainBarPositions(face1, face2, faceCount), number);

    const model::ColumnItem hoop = model::columnItem(spec, 2);
    if (!hoop.size.empty()) drawHoops(c, col, hoop);

    const std::string hoopText = model::fmtHoop(model::specItem(spec, 2));
    if (!hoopText.empty()) {
        c.d.SetPen(kPenText);
        const double labelTop = std::min(jointBottom, col.top);
        textOnLine(c, "HOOP □" + hoopText, BASE_BOTTOM_CENTRE, 2, face1, labelTop - below / 2, face1, labelTop);
    }

    if (faceCount <= 0 || main.size.empty()) return;
    c.d.SetPen(kPenBarLabel);
    const double middle = col.bottom + below / 2;
    const double end = face2 + 12 * c.s;
    if (faceCount > 2) leaderLabel(c, "2-" + main.size, face2 - kFirstLayerInset, middle + c.th, end);
    leaderLabel(c, "各" + std::to_string(faceCount) + "-" + main.size, face1 + kFirstLayerInset, middle - c.th, end);
}

}  // namespace draft::rebar
