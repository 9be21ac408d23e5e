// SPDX-License-Identifier: GPL-3.0-or-later
// The framing plan (伏図) of the view's level: columns standing at the level as rectangles,
// girders and small beams of the level as outlines with their marks, grid lines as centre
// lines. Runs with the model store current (GeneratorStore::Model).
#pragma once

#include "draft/draft.h"

namespace model {
class Session;
struct Element;
}  // namespace model

namespace draft {

void DrawFramingPlan(model::Session& session, Drafter& d);
// A column shows in the plan of every level from its foot to its top.
bool standsAtLevel(const model::Element& column, double level);

}  // namespace draft
