// SPDX-License-Identifier: GPL-3.0-or-later
// The framing elevation (軸組図) of the view's grid line: columns and girders of the frame as
// outlines with their marks, grid lines as centre lines; small beams are left out. Runs with
// the model store current (GeneratorStore::Model).
#pragma once

#include "draft/draft.h"

namespace model {
class Session;
}

namespace draft {

void DrawFramingElevation(model::Session& session, Drafter& d);

}  // namespace draft
