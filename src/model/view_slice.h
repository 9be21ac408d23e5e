// SPDX-License-Identifier: GPL-3.0-or-later
// The slice of the model a view shows: which grid axes run across and up it, how an element
// projects into it, and which slice each view tab selects.
#pragma once

#include <string>

#include "model/element.h"
#include "model/helpers.h"

namespace model {

struct GridModel;

struct Segment {
    Point p1, p2;
};

// Plan: X across and Y up; Y-frame: X and Z; X-frame: Y and Z.
int horizontalAxis(ViewMode mode);
int verticalAxis(ViewMode mode);
// The axis whose lines are the view's level tabs: levels in plan, Y lines in the Y-frame, X
// lines in the X-frame.
int tabAxis(ViewMode mode);

// The element's two points in the slice, offsets included.
Segment projectToSlice(ViewMode mode, const Element& e);

// Largest used position of a grid axis (slot 0 always counts).
double largestGridLine(const GridModel& grid, int axis);
// Height of the first storey (level 1 - level 0).
double firstStorey(const GridModel& grid);
// Whether the grid has at least one span on some axis.
bool gridExists(const GridModel& grid);
// A grid axis line is drawn unless it lies wholly left of the first line across the view or
// wholly above the last line up it.
bool gridLineInRange(const GridModel& grid, ViewMode mode, const Segment& s);

// The text of a dimension: the length in whole millimetres ("%.0f").
std::string dimensionText(double length);

// Number of level tabs of a view (0 without grid lines).
int sliceCount(const GridModel& grid, ViewMode mode);
// The slice of tab `tab` (0-based) of a view: mode and plane set, as the window's tabs do;
// false (view untouched) for a tab the view does not have.
bool selectSlice(const GridModel& grid, ViewMode mode, int tab, ViewPlane& view);

}  // namespace model
