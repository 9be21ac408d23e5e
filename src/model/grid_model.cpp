// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/grid.h"

namespace model {

namespace {

bool validAxis(int axis) { return axis >= AXIS_X && axis <= AXIS_Z; }
bool validSlot(int i) { return i >= 0 && i < kGridSlots; }

const std::string kNoName;

}  // namespace

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

int32_t GridModel::position(int axis, int i) const
{
    if (!validAxis(axis) || !validSlot(i)) return -1;
    return line[axis][i];
}

int GridModel::usedCount(int axis) const
{
    if (!validAxis(axis)) return 0;
    int n = 0;
    while (n < kGridSlots && line[axis][n] >= 0) ++n;
    return n;
}

int GridModel::spans(int axis) const
{
    if (!validAxis(axis)) return 0;
    const int n = spanCount[axis];
    return n < 0 ? 0 : n > kMaxSpans ? kMaxSpans : n;
}

const std::string& GridModel::name(int axis, int i) const
{
    if (!validAxis(axis) || i < 0 || i >= kGridNameSlots) return kNoName;
    return names[axis][i];
}

int32_t GridModel::offsetKind(int axis, int i) const
{
    if (!validAxis(axis) || !validSlot(i)) return OFFSET_NONE;
    const BaseOffset& o = offsets[i];
    return axis == AXIS_X ? o.nKindX : axis == AXIS_Y ? o.nKindY : o.nKindZ;
}

int32_t GridModel::offsetDist(int axis, int i) const
{
    if (!validAxis(axis) || !validSlot(i)) return 0;
    const BaseOffset& o = offsets[i];
    return axis == AXIS_X ? o.nDistX : axis == AXIS_Y ? o.nDistY : o.nDistZ;
}

bool GridModel::setOffset(int axis, int i, int32_t kindValue, int32_t dist)
{
    if (!validAxis(axis) || !validSlot(i)) return false;
    BaseOffset& o = offsets[i];
    if (axis == AXIS_X) { o.nKindX = kindValue; o.nDistX = dist; }
    else if (axis == AXIS_Y) { o.nKindY = kindValue; o.nDistY = dist; }
    else { o.nKindZ = kindValue; o.nDistZ = dist; }
    return true;
}

void clearGrid(GridModel& grid)
{
    for (auto& axis : grid.line)
        for (int i = 1; i < kGridSlots; ++i) axis[i] = -1;
    // Counts and extents describe the positions; leaving them would let later loops walk
    // lines that no longer exist.
    grid.spanCount = {0, 0, 0};
    calcGridMax(grid);
}

void calcGridMax(GridModel& grid)
{
    for (int a = 0; a < 3; ++a) {
        int32_t m = kGridMaxStart;
        for (int i = 1; i < kGridSlots; ++i)
            if (grid.line[a][i] >= 0 && grid.line[a][i] > m) m = grid.line[a][i];
        // An axis without spans still has its line 0; without this the other axes' BASE
        // lines would run out to -100000.
        if (m == kGridMaxStart && grid.line[a][0] >= 0) m = grid.line[a][0];
        grid.maxPos[a] = m;
    }
}

int32_t offsetKindFromWord(const std::string& word)
{
    if (word == "中心") return OFFSET_CENTER;
    if (word == "左(下)") return OFFSET_LEFT_LOWER;
    if (word == "右(上)") return OFFSET_RIGHT_UPPER;
    return OFFSET_NONE;
}

std::string offsetKindWord(int32_t kindValue)
{
    switch (kindValue) {
    case OFFSET_CENTER: return "中心";
    case OFFSET_LEFT_LOWER: return "左(下)";
    case OFFSET_RIGHT_UPPER: return "右(上)";
    default: return "";
    }
}

}  // namespace model
