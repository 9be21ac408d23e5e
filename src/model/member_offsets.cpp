// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/member_offsets.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/element_store.h"
#include "model/helpers.h"
#include "model/model.h"
#include "model/sorted_search.h"

namespace model {

namespace {

bool onLine(const GridModel& grid, int axis, int i, double c)
{
    // Exact: members are placed on the integer grid positions themselves.
    return static_cast<double>(grid.position(axis, i)) == c;
}

long long half(int size) { return roundHalfAway(size / 2.0); }

// Offset across a line for the kinds that move a face onto the line; other kinds keep value.
double faceOffset(int32_t kindValue, int32_t dist, int size, double value)
{
    if (kindValue == OFFSET_LEFT_LOWER) return static_cast<double>(half(size) - dist);
    if (kindValue == OFFSET_RIGHT_UPPER) return static_cast<double>(dist - half(size));
    return value;
}

// The lines lying exactly at a coordinate, in slot order, by a scan of every line: for one member.
class ScannedLines {
public:
    explicit ScannedLines(const GridModel& grid) : grid_(grid)
    {
        for (int a = 0; a < 3; ++a) used_[static_cast<size_t>(a)] = grid.usedCount(a);
    }
    template <typename Take>
    void eachAt(int axis, double c, Take take) const
    {
        for (int i = 0; i < used_[static_cast<size_t>(axis)]; ++i)
            if (onLine(grid_, axis, i, c)) take(i);
    }

private:
    const GridModel& grid_;
    std::array<int, 3> used_{};
};

// The same lines found by a search of the slots sorted by position: for a pass over a large
// model, where scanning a hundred lines per member would dominate.
class IndexedLines {
public:
    explicit IndexedLines(const GridModel& grid)
    {
        for (size_t a = 0; a < 3; ++a) {
            const int axis = static_cast<int>(a);
            std::vector<std::pair<int32_t, int>> slots;
            for (int i = 0, n = grid.usedCount(axis); i < n; ++i) slots.push_back({grid.position(axis, i), i});
            std::sort(slots.begin(), slots.end());
            for (const auto& [position, slot] : slots) positions_[a].push_back(position), slots_[a].push_back(slot);
        }
    }
    template <typename Take>
    void eachAt(int axis, double c, Take take) const
    {
        const auto& positions = positions_[static_cast<size_t>(axis)];
        const auto& slots = slots_[static_cast<size_t>(axis)];
        size_t i = prefixCount(positions.data(), positions.size(), [c](int32_t p) { return static_cast<double>(p) < c; });
        for (; i < positions.size() && static_cast<double>(positions[i]) == c; ++i) take(slots[i]);
    }

private:
    std::array<std::vector<int32_t>, 3> positions_;  // ascending
    std::array<std::vector<int>, 3> slots_;          // the slot of each position; in slot order where they tie
};

template <typename Lines>
double columnAxisOffset(const GridModel& grid, const Lines& lines, int axis, double c, int size)
{
    double value = 0;
    lines.eachAt(axis, c, [&](int i) {
        int32_t k = grid.offsetKind(axis, i);
        int32_t dist = grid.offsetDist(axis, i);
        value = k == OFFSET_CENTER ? static_cast<double>(dist) : faceOffset(k, dist, size, value);
    });
    return value;
}

template <typename Lines>
MemberOffset girderOffsetOn(const Element& girder, const GridModel& grid, const Lines& lines, int w, int d)
{
    MemberOffset o;
    lines.eachAt(AXIS_X, girder.X1, [&](int i) {
        if (onLine(grid, AXIS_X, i, girder.X2))
            o.OX = faceOffset(grid.offsetKind(AXIS_X, i), grid.offsetDist(AXIS_X, i), w, o.OX);
    });
    lines.eachAt(AXIS_Y, girder.Y1, [&](int j) {
        if (onLine(grid, AXIS_Y, j, girder.Y2))
            o.OY = faceOffset(grid.offsetKind(AXIS_Y, j), grid.offsetDist(AXIS_Y, j), w, o.OY);
    });
    lines.eachAt(AXIS_Z, girder.Z1, [&](int k) {
        int32_t kindValue = grid.offsetKind(AXIS_Z, k);
        int32_t dist = grid.offsetDist(AXIS_Z, k);
        // Against a level the centre rule is meaningful: the girder's axis sits at the distance.
        o.OZ = kindValue == OFFSET_CENTER ? static_cast<double>(dist) : faceOffset(kindValue, dist, d, o.OZ);
    });
    return o;
}

template <typename Lines>
MemberOffset columnOffsetOn(const Element& column, const GridModel& grid, const Lines& lines, int dx, int dy)
{
    MemberOffset o;
    o.OX = columnAxisOffset(grid, lines, AXIS_X, column.X1, dx);
    o.OY = columnAxisOffset(grid, lines, AXIS_Y, column.Y1, dy);
    o.OZ = column.OZ;
    return o;
}

using SizeCache = std::unordered_map<int, std::pair<int, int>>;

// Sizes of every section once, so that a pass over a large model does not parse a spec
// per member.
SizeCache sizesOf(const SectionTable& sections)
{
    SizeCache cache;
    for (const SectionEntry& e : sections)
        if (e.secID > 0 && !cache.count(e.secID)) cache.emplace(e.secID, elementSectionSize(sections, e.secID));
    return cache;
}

std::pair<int, int> cachedSize(const SizeCache& cache, int secID)
{
    auto it = cache.find(secID);
    return it == cache.end() ? std::pair<int, int>{0, 0} : it->second;
}

void storeOffset(Element& e, const MemberOffset& o)
{
    e.OX = o.OX;
    e.OY = o.OY;
    e.OZ = o.OZ;
}

}  // namespace

MemberOffset girderOffset(const Element& girder, const GridModel& grid, int w, int d)
{
    return girderOffsetOn(girder, grid, ScannedLines(grid), w, d);
}

MemberOffset columnOffset(const Element& column, const GridModel& grid, int dx, int dy)
{
    return columnOffsetOn(column, grid, ScannedLines(grid), dx, dy);
}

bool setGirderOffset(ElementStore& store, int index, const GridModel& grid, const SectionTable& sections)
{
    if (index < 0 || index >= store.count()) return false;
    Element& e = store.at(index);
    auto [w, d] = elementSectionSize(sections, e.secID);
    storeOffset(e, girderOffset(e, grid, w, d));
    return true;
}

bool setColumnOffset(ElementStore& store, int index, const GridModel& grid, const SectionTable& sections)
{
    if (index < 0 || index >= store.count()) return false;
    Element& e = store.at(index);
    auto [dx, dy] = elementSectionSize(sections, e.secID);
    storeOffset(e, columnOffset(e, grid, dx, dy));
    return true;
}

bool setGirderOffset(Model& session, int index)
{
    return setGirderOffset(session.store, index, session.grid, session.sections);
}

bool setColumnOffset(Model& session, int index)
{
    return setColumnOffset(session.store, index, session.grid, session.sections);
}

void applyOffsets(ElementStore& store, const GridModel& grid, const SectionTable& sections)
{
    SizeCache sizes = sizesOf(sections);
    const IndexedLines lines(grid);
    for (int i = 0; i < store.count(); ++i) {
        if (store.isDead(i)) continue;
        Element& e = store.at(i);
        if (e.kind == kind::GIRDER) {
            auto [w, d] = cachedSize(sizes, e.secID);
            storeOffset(e, girderOffsetOn(e, grid, lines, w, d));
        } else if (e.kind == kind::COLUMN) {
            auto [dx, dy] = cachedSize(sizes, e.secID);
            storeOffset(e, columnOffsetOn(e, grid, lines, dx, dy));
        }
    }
}

void applyOffsets(Model& session) { applyOffsets(session.store, session.grid, session.sections); }

}  // namespace model
