// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/view_slice.h"

#include <algorithm>
#include <cstdio>

#include "model/grid.h"

namespace model {

int horizontalAxis(ViewMode mode) { return mode == ViewMode::ElevationYZ ? AXIS_Y : AXIS_X; }

int verticalAxis(ViewMode mode) { return mode == ViewMode::Plan ? AXIS_Y : AXIS_Z; }

int tabAxis(ViewMode mode)
{
    switch (mode) {
    case ViewMode::ElevationXZ: return AXIS_Y;
    case ViewMode::ElevationYZ: return AXIS_X;
    case ViewMode::Plan: break;
    }
    return AXIS_Z;
}

Segment projectToSlice(ViewMode mode, const Element& e)
{
    switch (mode) {
    case ViewMode::ElevationXZ: return {{e.X1 + e.OX, e.Z1 + e.OZ}, {e.X2 + e.OX, e.Z2 + e.OZ}};
    case ViewMode::ElevationYZ: return {{e.Y1 + e.OY, e.Z1 + e.OZ}, {e.Y2 + e.OY, e.Z2 + e.OZ}};
    case ViewMode::Plan: break;
    }
    return {{e.X1 + e.OX, e.Y1 + e.OY}, {e.X2 + e.OX, e.Y2 + e.OY}};
}

double largestGridLine(const GridModel& grid, int axis)
{
    const int n = grid.usedCount(axis);
    double m = grid.line[axis][0];
    for (int i = 1; i < n; ++i) m = std::max<double>(m, grid.line[axis][i]);
    return m;
}

double firstStorey(const GridModel& grid)
{
    return static_cast<double>(grid.line[AXIS_Z][1]) - grid.line[AXIS_Z][0];
}

bool gridExists(const GridModel& grid)
{
    return grid.line[AXIS_X][1] >= 0 || grid.line[AXIS_Y][1] >= 0 || grid.line[AXIS_Z][1] >= 0;
}

bool gridLineInRange(const GridModel& grid, ViewMode mode, const Segment& s)
{
    const double firstH = grid.line[horizontalAxis(mode)][0];
    const double lastV = largestGridLine(grid, verticalAxis(mode));
    if (s.p1.x < firstH && s.p2.x < firstH) return false;
    return !(s.p1.y > lastV && s.p2.y > lastV);
}

std::string dimensionText(double length)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", length);
    return buf;
}

int sliceCount(const GridModel& grid, ViewMode mode)
{
    return gridExists(grid) ? grid.usedCount(tabAxis(mode)) : 0;
}

bool selectSlice(const GridModel& grid, ViewMode mode, int tab, ViewPlane& view)
{
    if (tab < 0 || tab >= sliceCount(grid, mode)) return false;
    view.mode = mode;
    view.plane = grid.position(tabAxis(mode), tab);
    return true;
}

}  // namespace model
