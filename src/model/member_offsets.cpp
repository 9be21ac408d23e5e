// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/member_offsets.h"

#include <unordered_map>

#include "model/element_store.h"
#include "model/helpers.h"
#include "model/model.h"

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

double columnAxisOffset(const GridModel& grid, int axis, double c, int size)
{
    double value = 0;
    int n = grid.usedCount(axis);
    for (int i = 0; i < n; ++i) {
        if (!onLine(grid, axis, i, c)) continue;
        int32_t k = grid.offsetKind(axis, i);
        int32_t dist = grid.offsetDist(axis, i);
        value = k == OFFSET_CENTER ? static_cast<double>(dist) : faceOffset(k, dist, size, value);
    }
    return value;
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
    MemberOffset o;
    int nx = grid.usedCount(AXIS_X);
    for (int i = 0; i < nx; ++i)
        if (onLine(grid, AXIS_X, i, girder.X1) && onLine(grid, AXIS_X, i, girder.X2))
            o.OX = faceOffset(grid.offsetKind(AXIS_X, i), grid.offsetDist(AXIS_X, i), w, o.OX);
    int ny = grid.usedCount(AXIS_Y);
    for (int j = 0; j < ny; ++j)
        if (onLine(grid, AXIS_Y, j, girder.Y1) && onLine(grid, AXIS_Y, j, girder.Y2))
            o.OY = faceOffset(grid.offsetKind(AXIS_Y, j), grid.offsetDist(AXIS_Y, j), w, o.OY);
    int nz = grid.usedCount(AXIS_Z);
    for (int k = 0; k < nz; ++k) {
        if (!onLine(grid, AXIS_Z, k, girder.Z1)) continue;
        int32_t kindValue = grid.offsetKind(AXIS_Z, k);
        int32_t dist = grid.offsetDist(AXIS_Z, k);
        // Against a level the centre rule is meaningful: the girder's axis sits at the distance.
        o.OZ = kindValue == OFFSET_CENTER ? static_cast<double>(dist) : faceOffset(kindValue, dist, d, o.OZ);
    }
    return o;
}

MemberOffset columnOffset(const Element& column, const GridModel& grid, int dx, int dy)
{
    MemberOffset o;
    o.OX = columnAxisOffset(grid, AXIS_X, column.X1, dx);
    o.OY = columnAxisOffset(grid, AXIS_Y, column.Y1, dy);
    o.OZ = column.OZ;
    return o;
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
    for (int i = 0; i < store.count(); ++i) {
        if (store.isDead(i)) continue;
        Element& e = store.at(i);
        if (e.kind == kind::GIRDER) {
            auto [w, d] = cachedSize(sizes, e.secID);
            storeOffset(e, girderOffset(e, grid, w, d));
        } else if (e.kind == kind::COLUMN) {
            auto [dx, dy] = cachedSize(sizes, e.secID);
            storeOffset(e, columnOffset(e, grid, dx, dy));
        }
    }
}

void applyOffsets(Model& session) { applyOffsets(session.store, session.grid, session.sections); }

}  // namespace model
