// SPDX-License-Identifier: GPL-3.0-or-later
// Where the grid names and the grid-to-grid dimensions of a view go, in world coordinates:
// shared by the plan and by the drawings that annotate their grid.
#pragma once

#include <vector>

#include "model/element.h"
#include "model/helpers.h"

namespace model {

struct GridModel;

struct GridNamePlace {
    int axis = 0;
    int index = 0;   // the grid line whose name it is
    int anchor = 8;  // 8 (bottom centre) above the top, 4 (middle left) beside the side
    Point at;
};

// Names of the lines across the view above the last line up it, and of the lines up the view
// beside the last line across it, `clearance` + max(4000, first storey) beyond them.
std::vector<GridNamePlace> gridNamePlaces(const GridModel& grid, ViewMode mode, double clearance);

struct GridDimension {
    Point from, to;          // the measured grid points
    Point lineFrom, lineTo;  // the dimension line, 1000 further out
    double length = 0;
};

// A chain between neighbouring lines along the top and one along the side, half
// max(3000, first storey) beyond the last lines.
std::vector<GridDimension> gridDimensions(const GridModel& grid, ViewMode mode);

// Where those chains begin: above y and right of x lie only the grid's names and dimensions.
Point gridMarksStart(const GridModel& grid, ViewMode mode);

}  // namespace model
