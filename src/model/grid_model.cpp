#include "model/grid.h"

namespace model {

void GridModel::clear()
{
    spanCount = {0, 0, 0};
    for (auto& axis : line) {
        axis.fill(-1);
        axis[0] = 0;
    }
    maxPos = {kGridMaxStart, kGridMaxStart, kGridMaxStart};
    offsets.fill(BaseOffset{});
}

int GridModel::usedCount(int axis) const
{
    int n = 0;
    while (n < kGridSlots && line[axis][n] >= 0) ++n;
    return n;
}

int32_t GridModel::offsetKind(int axis, int i) const
{
    const BaseOffset& o = offsets[i];
    return axis == AXIS_X ? o.nKindX : axis == AXIS_Y ? o.nKindY : o.nKindZ;
}

int32_t GridModel::offsetDist(int axis, int i) const
{
    const BaseOffset& o = offsets[i];
    return axis == AXIS_X ? o.nDistX : axis == AXIS_Y ? o.nDistY : o.nDistZ;
}

void GridModel::setOffset(int axis, int i, int32_t kindValue, int32_t dist)
{
    BaseOffset& o = offsets[i];
    if (axis == AXIS_X) { o.nKindX = kindValue; o.nDistX = dist; }
    else if (axis == AXIS_Y) { o.nKindY = kindValue; o.nDistY = dist; }
    else { o.nKindZ = kindValue; o.nDistZ = dist; }
}

void clearGrid(GridModel& grid)
{
    for (auto& axis : grid.line)
        for (int i = 1; i < kGridSlots; ++i) axis[i] = -1;
}

void calcGridMax(GridModel& grid)
{
    for (int a = 0; a < 3; ++a) {
        int32_t m = kGridMaxStart;
        for (int i = 1; i < kGridSlots; ++i)
            if (grid.line[a][i] >= 0 && grid.line[a][i] > m) m = grid.line[a][i];
        grid.maxPos[a] = m;
    }
}

}  // namespace model
