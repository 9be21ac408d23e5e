// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/drawing_set.h"

#include "draft/column_list.h"
#include "draft/framing_elevation.h"
#include "draft/framing_plan.h"
#include "draft/girder_list.h"
#include "draft/grid_annotation.h"
#include "draft/grid_split.h"
#include "draft/rebar_drawing.h"
#include "editor/command_codes.h"
#include "model/element_store.h"
#include "model/sections.h"
#include "session/session.h"

namespace draft {

std::optional<DrawingKind> drawingForCode(int code, model::Session& session)
{
    model::Session* s = &session;
    switch (code) {
    case editor::cmd::DRAW_FRAMING: {
        const bool plan = session.view.mode == model::ViewMode::Plan;
        return DrawingKind{code, plan ? "伏図" : "軸組図", ScaleMode::Draw, GeneratorStore::Model,
                           [s, plan](Drafter& d) {
                               if (plan)
                                   DrawFramingPlan(*s, d);
                               else
                                   DrawFramingElevation(*s, d);
                               DrawGridAnnotation(*s, d);
                           },
                           gridSplitGuide};
    }
    case editor::cmd::DRAW_COLUMN_LIST:
        return DrawingKind{code, "柱断面リスト", ScaleMode::List, GeneratorStore::Drawing,
                           [s](Drafter& d) { drawColumnList(*s, d); }, columnListSplit};
    case editor::cmd::DRAW_GIRDER_LIST:
        return DrawingKind{code, "梁断面リスト", ScaleMode::List, GeneratorStore::Drawing,
                           [s](Drafter& d) { drawGirderList(*s, d); }, girderListSplit};
    case editor::cmd::DRAW_REBAR:
        // The rebar drawing puts its own grid names and dimensions around it.
        return DrawingKind{code, "配筋図", ScaleMode::Draw, GeneratorStore::Model,
                           [s](Drafter& d) { drawRebarArrangement(*s, d); }, gridSplitGuide};
    case editor::cmd::DRAW_EMPTY:
        return DrawingKind{code, "", ScaleMode::List, GeneratorStore::Drawing, [](Drafter&) {}, {}};
    default: return std::nullopt;
    }
}

namespace {

bool anyMember(model::Session& session, bool (*shows)(model::ElementStore&, const model::ViewPlane&, int))
{
    for (int i = -1; session.store.nextLive(i);)
        if (shows(session.store, session.view, i)) return true;
    return false;
}

bool framed(model::ElementStore& store, const model::ViewPlane& view, int i)
{
    const model::Element& e = store.at(i);
    if (view.mode == model::ViewMode::Plan) {
        if (e.kind == model::kind::COLUMN) return standsAtLevel(e, view.plane);
        return (e.kind == model::kind::GIRDER || e.kind == model::kind::BEAM) && store.inPlane(view, i);
    }
    return (e.kind == model::kind::GIRDER || e.kind == model::kind::COLUMN) && store.inPlane(view, i);
}

bool detailed(model::ElementStore& store, const model::ViewPlane& view, int i)
{
    const model::Element& e = store.at(i);
    return (e.kind == model::kind::GIRDER || e.kind == model::kind::COLUMN) && e.secID > 0 && store.inPlane(view, i);
}

}  // namespace

bool hasSomethingToDraw(int code, model::Session& session)
{
    switch (code) {
    case editor::cmd::DRAW_COLUMN_LIST: return !model::markList(model::kColumnLetter, session.sections).empty();
    case editor::cmd::DRAW_GIRDER_LIST: return !model::markList(model::kGirderLetter, session.sections).empty();
    case editor::cmd::DRAW_FRAMING: return anyMember(session, framed);
    case editor::cmd::DRAW_REBAR: return anyMember(session, detailed);
    default: return false;
    }
}

}  // namespace draft
