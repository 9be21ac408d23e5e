// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/framing_plan.h"

#include <algorithm>

#include "draft/framing_lines.h"
#include "model/element_store.h"
#include "session/session.h"

namespace draft {

bool standsAtLevel(const model::Element& e, double level)
{
    return level >= std::min(e.Z1, e.Z2) - 1e-6 && level <= std::max(e.Z1, e.Z2) + 1e-6;
}

void DrawFramingPlan(model::Session& session, Drafter& d)
{
    const model::ViewPlane view = session.view;
    drawFramingWalk(session, d, [view](model::ElementStore& store, int i) {
        const model::Element& e = store.at(i);
        switch (e.kind) {
        case model::kind::COLUMN: return MemberStyle{standsAtLevel(e, view.plane), kColumnPen, false};
        case model::kind::GIRDER:
        case model::kind::BEAM: return MemberStyle{store.inPlane(view, i), kGirderPen, true};
        default: return MemberStyle{};
        }
    });
}

}  // namespace draft
