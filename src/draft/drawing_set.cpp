#include "draft/drawing_set.h"

#include "draft/column_list.h"
#include "draft/girder_list.h"
#include "editor/command_codes.h"
#include "model/session.h"

namespace draft {

std::optional<DrawingKind> drawingForCode(int code, model::Session& session)
{
    model::Session* s = &session;
    switch (code) {
    case editor::cmd::DRAW_COLUMN_LIST:
        return DrawingKind{code, "柱断面リスト", ScaleMode::List, GeneratorStore::Drawing,
                           [s](Drafter& d) { drawColumnList(*s, d); }};
    case editor::cmd::DRAW_GIRDER_LIST:
        return DrawingKind{code, "梁断面リスト", ScaleMode::List, GeneratorStore::Drawing,
                           [s](Drafter& d) { drawGirderList(*s, d); }};
    case editor::cmd::DRAW_EMPTY:
        return DrawingKind{code, "", ScaleMode::List, GeneratorStore::Drawing, [](Drafter&) {}};
    default: return std::nullopt;
    }
}

}  // namespace draft
