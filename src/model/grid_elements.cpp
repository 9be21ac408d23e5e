// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdint>
#include <limits>

#include "model/element_store.h"
#include "model/grid.h"

namespace model {

namespace {

// Positions of the used lines 0..count of an axis, in line order. A slot made negative by
// negative pitches is no line, so the frame joins its neighbours across it.
std::vector<double> frameLines(const GridModel& grid, int axis)
{
    std::vector<double> out;
    for (int i = 0; i <= grid.spans(axis); ++i)
        if (grid.isUsed(axis, i)) out.push_back(grid.position(axis, i));
    return out;
}

// Every used slot of an axis: one BASE line each.
std::vector<double> axisLines(const GridModel& grid, int axis)
{
    std::vector<double> out;
    for (int i = 0; i < kGridSlots; ++i)
        if (grid.isUsed(axis, i)) out.push_back(grid.position(axis, i));
    return out;
}

// Line 0 of an axis, where the BASE lines start; the first used line should slot 0 be unused.
double origin(const GridModel& grid, int axis)
{
    for (int i = 0; i < kGridSlots; ++i)
        if (grid.isUsed(axis, i)) return grid.position(axis, i);
    return 0;
}

int segmentsBetween(size_t lines) { return lines > 1 ? static_cast<int>(lines) - 1 : 0; }

bool hasAnySpan(const GridModel& grid)
{
    return grid.isUsed(AXIS_X, 1) || grid.isUsed(AXIS_Y, 1) || grid.isUsed(AXIS_Z, 1);
}

// The identifier to use now; the following one, or "new" (-1) once the largest identifier has
// been handed out, so that counting on never overflows.
int nextUid(int& uid)
{
    const int now = uid;
    if (uid > 0) uid = uid < std::numeric_limits<int>::max() ? uid + 1 : -1;
    return now;
}

bool makeRoom(ElementStore& store, int n) { return n <= 0 || store.growStore(n); }

// Adds the segments of one kind of grid element, handing out identifiers from one walk.
class SegmentAdder {
public:
    SegmentAdder(ElementStore& store, int kindCode, int layer, int colour)
        : store_(store), kind_(kindCode), layer_(layer), colour_(colour), uid_(store.newUID())
    {
    }
    bool operator()(double x1, double y1, double z1, double x2, double y2, double z2)
    {
        if (store_.addElem(kind_, 0, layer_, nextUid(uid_), 0, 0, x1, y1, z1, x2, y2, z2, colour_) < 0) return false;
        ++made_;
        return true;
    }
    int made() const { return made_; }

private:
    ElementStore& store_;
    int kind_, layer_, colour_;
    int uid_;
    int made_ = 0;
};

}  // namespace

bool setPositionsFromPitches(GridModel& grid, int axis, int spanCount, const std::vector<int>& pitches)
{
    if (axis < AXIS_X || axis > AXIS_Z) return false;
    if (spanCount < 0 || spanCount > kMaxSpans) return false;
    if (pitches.size() < static_cast<size_t>(spanCount)) return false;
    std::array<int32_t, kGridSlots> slots;
    slots.fill(-1);
    slots[0] = 0;
    int64_t at = 0;
    for (int i = 1; i <= spanCount; ++i) {
        at += pitches[static_cast<size_t>(i - 1)];
        if (at > std::numeric_limits<int32_t>::max() || at < std::numeric_limits<int32_t>::min()) return false;
        slots[i] = static_cast<int32_t>(at);
    }
    grid.line[axis] = slots;
    grid.spanCount[axis] = spanCount;
    return true;
}

int gridFrameCount(const GridModel& grid)
{
    const size_t nx = frameLines(grid, AXIS_X).size();
    const size_t ny = frameLines(grid, AXIS_Y).size();
    const size_t nz = frameLines(grid, AXIS_Z).size();
    const int perLevel = static_cast<int>(ny) * segmentsBetween(nx) + static_cast<int>(nx) * segmentsBetween(ny);
    return static_cast<int>(nz) * perLevel + segmentsBetween(nz) * static_cast<int>(nx * ny);
}

int gridAxesCount(const GridModel& grid)
{
    if (!hasAnySpan(grid)) return 0;
    return 2 * static_cast<int>(axisLines(grid, AXIS_X).size() + axisLines(grid, AXIS_Y).size() +
                                axisLines(grid, AXIS_Z).size());
}

int makeGridFrame(const GridModel& grid, ElementStore& store, int currentLayer, int lineColour)
{
    const std::vector<double> xs = frameLines(grid, AXIS_X);
    const std::vector<double> ys = frameLines(grid, AXIS_Y);
    const std::vector<double> zs = frameLines(grid, AXIS_Z);
    // Room for the whole frame first: either all of it is made or nothing.
    if (!makeRoom(store, gridFrameCount(grid))) return -1;
    // One identifier walk instead of one per segment: a large grid has millions of them.
    SegmentAdder add(store, kind::LINE, currentLayer, lineColour);
    for (size_t k = 0; k < zs.size(); ++k) {
        const double z = zs[k];
        for (double y : ys)
            for (size_t i = 0; i + 1 < xs.size(); ++i)
                if (!add(xs[i], y, z, xs[i + 1], y, z)) return -1;
        for (double x : xs)
            for (size_t j = 0; j + 1 < ys.size(); ++j)
                if (!add(x, ys[j], z, x, ys[j + 1], z)) return -1;
        if (k + 1 < zs.size())
            for (double y : ys)
                for (double x : xs)
                    if (!add(x, y, z, x, y, zs[k + 1])) return -1;
    }
    return add.made();
}

int makeGridAxes(const GridModel& grid, ElementStore& store)
{
    if (!hasAnySpan(grid)) return 0;
    if (!makeRoom(store, gridAxesCount(grid))) return -1;

    const double x0 = origin(grid, AXIS_X);
    const double y0 = origin(grid, AXIS_Y);
    const double z0 = origin(grid, AXIS_Z);
    double e = kMinGridExtension;
    if (grid.isUsed(AXIS_Z, 1)) e = std::max(e, grid.position(AXIS_Z, 1) - z0);
    const double h = e / 2;
    const double endX = grid.maxPos[AXIS_X] + e;
    const double endY = grid.maxPos[AXIS_Y] + e;
    const double endZ = grid.maxPos[AXIS_Z] + e;
    const std::vector<double> xs = axisLines(grid, AXIS_X);
    const std::vector<double> ys = axisLines(grid, AXIS_Y);
    const std::vector<double> zs = axisLines(grid, AXIS_Z);

    SegmentAdder add(store, kind::BASE, kGridAxisLayer, kGridAxisColour);
    // Each line starts half an extension before line 0 and ends a whole one past the last
    // line, where its name is drawn.
    for (double y : ys)
        if (!add(x0 - h, y, z0, endX, y, z0)) return -1;
    for (double x : xs)
        if (!add(x, y0 - h, z0, x, endY, z0)) return -1;
    for (double x : xs)
        if (!add(x, y0, z0 - h, x, y0, endZ)) return -1;
    for (double z : zs)
        if (!add(x0 - h, y0, z, endX, y0, z)) return -1;
    for (double y : ys)
        if (!add(x0, y, z0 - h, x0, y, endZ)) return -1;
    for (double z : zs)
        if (!add(x0, y0 - h, z, x0, endY, z)) return -1;
    return add.made();
}

}  // namespace model
