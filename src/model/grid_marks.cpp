// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/grid_marks.h"

#include <algorithm>

#include "model/grid.h"
#include "model/view_slice.h"

namespace model {

namespace {

constexpr double kDimensionShift = 1000;

}  // namespace

std::vector<GridNamePlace> gridNamePlaces(const GridModel& grid, ViewMode mode, double clearance)
{
    std::vector<GridNamePlace> places;
    if (!gridExists(grid)) return places;
    const int h = horizontalAxis(mode), v = verticalAxis(mode);
    const double e = clearance + std::max(4000.0, firstStorey(grid));
    const double beyondV = largestGridLine(grid, v) + e;
    const double beyondH = largestGridLine(grid, h) + e;
    for (int i = 0; i < grid.usedCount(h) && i < kGridNameSlots; ++i)
        places.push_back({h, i, 8, {double(grid.line[h][i]), beyondV}});
    for (int j = 0; j < grid.usedCount(v) && j < kGridNameSlots; ++j)
        places.push_back({v, j, 4, {beyondH, double(grid.line[v][j])}});
    return places;
}

std::vector<GridDimension> gridDimensions(const GridModel& grid, ViewMode mode)
{
    std::vector<GridDimension> dims;
    if (!gridExists(grid)) return dims;
    const int h = horizontalAxis(mode), v = verticalAxis(mode);
    const Point start = gridMarksStart(grid, mode);
    auto add = [&](Point a, Point b, Point shift) {
        dims.push_back({a, b, {a.x + shift.x, a.y + shift.y}, {b.x + shift.x, b.y + shift.y},
                        hypotLen(b.x - a.x, b.y - a.y)});
    };
    const double top = start.y;
    for (int i = 0; i + 1 < grid.usedCount(h); ++i)
        add({double(grid.line[h][i]), top}, {double(grid.line[h][i + 1]), top}, {0, kDimensionShift});
    const double side = start.x;
    for (int j = 0; j + 1 < grid.usedCount(v); ++j)
        add({side, double(grid.line[v][j])}, {side, double(grid.line[v][j + 1])}, {kDimensionShift, 0});
    return dims;
}

Point gridMarksStart(const GridModel& grid, ViewMode mode)
{
    const double d = std::max(3000.0, firstStorey(grid)) / 2;
    return {largestGridLine(grid, horizontalAxis(mode)) + d, largestGridLine(grid, verticalAxis(mode)) + d};
}

}  // namespace model
