// SPDX-License-Identifier: GPL-3.0-or-later
// Vertical lines and columns seen from above: in a plan they are points, outside the plan's
// slice of horizontal elements, but the column command must still find them.
#pragma once

#include "model/element_store.h"
#include "model/helpers.h"

namespace editor {

// A line or member that rises (same plan point at both ends) with its foot or its top at the
// level, as the plan shows columns.
bool standsAtLevel(const model::Element& e, double level);
// The nearest element standing at the level within `reach` millimetres of (x, y); -1 if none.
int pickStanding(const model::ElementStore& store, double level, model::Point p, double reach);
// Adds every element standing at the level whose plan point lies in the rectangle to the
// selection; returns how many.
int selectStandingInBox(model::ElementStore& store, double level, model::Point a, model::Point b);

}  // namespace editor
