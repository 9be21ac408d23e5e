#include "draft/rebar_drawing.h"

#include "model/session.h"

namespace draft {

void drawRebarArrangement(model::Session& session, Drafter& d)
{
    (void)session;
    (void)d;
}

}  // namespace draft
