// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/standing_members.h"

#include <algorithm>

namespace editor {

namespace kind = model::kind;

bool standsAtLevel(const model::Element& e, double level)
{
    const bool member = e.kind == kind::LINE || e.kind == kind::COLUMN || e.kind == kind::BEAM || e.kind == kind::GIRDER;
    if (!member || !model::approxEq(e.X1, e.X2) || !model::approxEq(e.Y1, e.Y2) || model::approxEq(e.Z1, e.Z2))
        return false;
    return model::approxEq(e.Z1, level) || model::approxEq(e.Z2, level);
}

int pickStanding(const model::ElementStore& store, double level, model::Point p, double reach)
{
    int best = -1;
    double bestDistance = reach;
    for (int i = -1; store.nextLive(i);) {
        const model::Element& e = store.at(i);
        if (!standsAtLevel(e, level)) continue;
        const double d = model::hypotLen(e.X1 + e.OX - p.x, e.Y1 + e.OY - p.y);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

int selectStandingInBox(model::ElementStore& store, double level, model::Point a, model::Point b)
{
    const double u1 = std::min(a.x, b.x), u2 = std::max(a.x, b.x);
    const double v1 = std::min(a.y, b.y), v2 = std::max(a.y, b.y);
    int n = 0;
    for (int i = -1; store.nextLive(i);) {
        model::Element& e = store.at(i);
        if (!standsAtLevel(e, level)) continue;
        const double u = e.X1 + e.OX, v = e.Y1 + e.OY;
        if (u >= u1 && u <= u2 && v >= v1 && v <= v2) {
            e.selected = 1;
            ++n;
        }
    }
    return n;
}

}  // namespace editor
