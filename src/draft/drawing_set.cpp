#include "draft/drawing_set.h"

#include "draft/column_list.h"
#include "draft/framing_elevation.h"
#include "draft/framing_plan.h"
#include "draft/girder_list.h"
#include "draft/grid_annotation.h"
#include "draft/rebar_drawing.h"
#include "editor/command_codes.h"
#include "model/session.h"

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
                           }};
    }
    case editor::cmd::DRAW_COLUMN_LIST:
        return DrawingKind{code, "柱断面リスト", ScaleMode::List, GeneratorStore::Drawing,
                           [s](Drafter& d) { drawColumnList(*s, d); }};
    case editor::cmd::DRAW_GIRDER_LIST:
        return DrawingKind{code, "梁断面リスト", ScaleMode::List, GeneratorStore::Drawing,
                           [s](Drafter& d) { drawGirderList(*s, d); }};
    case editor::cmd::DRAW_REBAR:
        return DrawingKind{code, "配筋図", ScaleMode::Draw, GeneratorStore::Model, [s](Drafter& d) {
                               drawRebarArrangement(*s, d);
                               DrawGridAnnotation(*s, d);
                           }};
    case editor::cmd::DRAW_EMPTY:
        return DrawingKind{code, "", ScaleMode::List, GeneratorStore::Drawing, [](Drafter&) {}};
    default: return std::nullopt;
    }
}

}  // namespace draft
