// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/framing_elevation.h"

#include "draft/framing_lines.h"
#include "model/element_store.h"
#include "session/session.h"

namespace draft {

void DrawFramingElevation(model::Session& session, Drafter& d)
{
    const model::ViewPlane view = session.view;
    drawFramingWalk(session, d, [view](model::ElementStore& store, int i) {
        switch (store.at(i).kind) {
        case model::kind::COLUMN: return MemberStyle{store.inPlane(view, i), kColumnPen, true};
        case model::kind::GIRDER: return MemberStyle{store.inPlane(view, i), kGirderPen, true};
        default: return MemberStyle{};
        }
    });
}

}  // namespace draft
