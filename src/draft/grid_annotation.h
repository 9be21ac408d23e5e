// SPDX-License-Identifier: GPL-3.0-or-later
// Grid names and grid-to-grid dimensions around a framing plan, framing elevation or rebar
// arrangement drawing of the session's view. Runs after the drawing's own generator, with the
// model store current (GeneratorStore::Model).
#pragma once

#include "draft/draft.h"

namespace model {
class Session;
}

namespace draft {

// Names (pen 7) one text height and max(4000, first storey) beyond the last lines; chains of
// dimensions (pen 6) along the top and the side, half max(3000, first storey) beyond the last
// lines, each dimension line 1000 further out with its length ("%.0f") on it.
void DrawGridAnnotation(model::Session& session, Drafter& d);

}  // namespace draft
