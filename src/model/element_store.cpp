// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/element_store.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <exception>
#include <new>

#include "model/helpers.h"

namespace model {

int kindClass(int k)
{
    if (k == kind::RESERVED) return -1;
    if (k >= 1 && k <= 99) return 1;
    if (k >= 100 && k <= 199) return 2;
    if (k >= 200 && k <= 299) return 3;
    if (k >= 300 && k <= 399) return 4;
    return 0;
}

namespace {
constexpr int kInitialRoom = 100;
const char* const kOutOfMemory = "メモリが確保できませんでした。終了して下さい";

bool isLineKindToOrder(int k) { return k >= 100 && k != kind::LOAD; }

template <typename T>
void orderEnds(T& x1, T& y1, T& x2, T& y2)
{
    if ((y1 == y2 && x1 > x2) || y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
}
}  // namespace

ElementStore::ElementStore() { clear(); }

void ElementStore::clear()
{
    std::vector<Element>().swap(records_);
    std::vector<ConnectionRow>().swap(connections_);
    records_.reserve(kInitialRoom);
    invalidateConnections();
    undoDepth_ = 0;
    stepIds_.clear();
}

uint64_t ElementStore::stepId(int depth) const
{
    if (depth < 1 || static_cast<size_t>(depth) > stepIds_.size()) return 0;
    return stepIds_[static_cast<size_t>(depth - 1)];
}

void ElementStore::openStepId()
{
    // The steps above the new one were undone and are gone with it.
    stepIds_.resize(static_cast<size_t>(std::max(undoDepth_ - 1, 0)));
    stepIds_.push_back(++lastStepId_);
}

bool ElementStore::growStore(int n)
{
    size_t wanted = records_.size() + static_cast<size_t>(n);
    if (wanted <= records_.capacity()) return true;
    // Grows geometrically rather than by a fixed step: a fixed step copies the whole
    // array again every hundred records, which is quadratic on large buildings. Doubling
    // copies and touches less memory on the way to a large drawing than growing by half.
    size_t room = std::max(records_.capacity() + kInitialRoom, wanted + records_.capacity());
    try {
        records_.reserve(room);
    } catch (const std::bad_alloc&) {
        notices_.push_back({Notice::Via::StatusBar, kOutOfMemory});
        return false;
    } catch (const std::length_error&) {
        notices_.push_back({Notice::Via::StatusBar, kOutOfMemory});
        return false;
    }
    return true;
}

void ElementStore::reserveRoom(size_t n)
{
    try {
        records_.reserve(records_.size() + n);
    } catch (const std::exception&) {
        // Only a hint: without the room the store grows as records come, and growStore
        // reports if that fails too.
    }
}

int ElementStore::appendBlank()
{
    if (!growStore(1)) return -1;
    Element e;
    e.kind = kind::RESERVED;
    records_.push_back(e);
    invalidateConnections();
    return count() - 1;
}

bool ElementStore::nextLive(int& cursor) const
{
    const int last = count() - 1;
    while (true) {
        if (cursor < 0) {
            cursor = 0;
        } else if (cursor > last) {
            return false;
        } else {
            // A record's ndata may be anything a file held: the walk only ever moves forward
            // and stops at the end of the store instead of wrapping around.
            const int64_t next = static_cast<int64_t>(cursor) + std::max<int32_t>(records_[static_cast<size_t>(cursor)].ndata, 1);
            cursor = static_cast<int>(std::min<int64_t>(next, static_cast<int64_t>(last) + 1));
        }
        if (cursor > last) return false;
        const Element& e = records_[static_cast<size_t>(cursor)];
        if (isDeadRecord(e) || e.UID == -2) continue;
        return true;
    }
}

int ElementStore::lastRecordOf(int index) const
{
    const int64_t last = static_cast<int64_t>(index) + std::max<int32_t>(at(index).ndata, 1) - 1;
    return static_cast<int>(std::min<int64_t>(last, count() - 1));
}

int ElementStore::liveCount() const
{
    int n = 0;
    for (int c = -1; nextLive(c);) ++n;
    return n;
}

int ElementStore::newUID() const
{
    int largest = 0;
    for (int c = -1; nextLive(c);)
        if (records_[static_cast<size_t>(c)].UID > largest) largest = records_[static_cast<size_t>(c)].UID;
    if (largest < std::numeric_limits<int>::max()) return largest + 1;
    // A file may hold the largest identifier there is; then the smallest free one is handed out
    // instead of one past it, which does not exist.
    std::vector<int> used;
    for (int c = -1; nextLive(c);)
        if (records_[static_cast<size_t>(c)].UID > 0) used.push_back(records_[static_cast<size_t>(c)].UID);
    std::sort(used.begin(), used.end());
    int free = 1;
    for (int uid : used) {
        if (uid > free) break;
        if (uid == free) {
            if (free == std::numeric_limits<int>::max()) return free;
            ++free;
        }
    }
    return free;
}

int ElementStore::findUID(int uid) const
{
    for (int c = -1; nextLive(c);)
        if (records_[static_cast<size_t>(c)].UID == uid) return c;
    return -1;
}

// Reserves a record and fills what both ways of adding share; -1 when no room could be had.
int ElementStore::appendElement(int kindCode, int sid, int layer, int uid, int secID, int refUID, int colour)
{
    if (uid < 0) uid = newUID();
    int i = appendBlank();
    if (i < 0) return -1;
    Element& e = at(i);
    e.kind = kindCode;
    e.SID = sid;
    e.ndata = 1;
    e.LY = layer;
    e.CL = colour;
    e.UID = uid;
    e.refUID = refUID;
    e.secID = secID;
    e.memberNo = 0;
    e.showAge = 1;
    e.delAge = 0;
    return i;
}

int ElementStore::addElem(int kindCode, int sid, int layer, int uid, int secID, int refUID, double x1,
                          double y1, double z1, double x2, double y2, double z2, int colour)
{
    int i = appendElement(kindCode, sid, layer, uid, secID, refUID, colour);
    if (i < 0) return -1;
    if (isLineKindToOrder(kindCode)) orderEnds(x1, y1, x2, y2);
    Element& e = at(i);
    e.X1 = x1;
    e.Y1 = y1;
    e.Z1 = z1;
    e.X2 = x2;
    e.Y2 = y2;
    e.Z2 = z2;
    return i;
}

int ElementStore::addElemView(const ViewPlane& view, int kindCode, int sid, int layer, int uid, int secID,
                              int refUID, double u1, double v1, double u2, double v2, int colour)
{
    int i = appendElement(kindCode, sid, layer, uid, secID, refUID, colour);
    if (i < 0) return -1;
    if (kindCode == kind::CIRCLE || kindCode == kind::ARC) return i;
    if (kindCode != kind::CONTINUE && isLineKindToOrder(kindCode)) orderEnds(u1, v1, u2, v2);
    Element& e = at(i);
    const double p = view.plane;
    switch (view.mode) {
    case ViewMode::Plan:
        // Plan-view lines lie on the viewed level so that the plan shows and edits them.
        e.X1 = u1; e.Y1 = v1; e.Z1 = p;
        e.X2 = u2; e.Y2 = v2; e.Z2 = p;
        break;
    case ViewMode::ElevationXZ:
        e.X1 = u1; e.Y1 = p; e.Z1 = v1;
        e.X2 = u2; e.Y2 = p; e.Z2 = v2;
        break;
    case ViewMode::ElevationYZ:
        e.X1 = p; e.Y1 = u1; e.Z1 = v1;
        e.X2 = p; e.Y2 = u2; e.Z2 = v2;
        break;
    }
    return i;
}

int ElementStore::copyElement(int index, bool newIdentifier)
{
    Element src = at(index);
    int i = addElem(src.kind, src.SID, src.LY, newIdentifier ? -1 : src.UID, src.secID, src.refUID, src.X1,
                    src.Y1, src.Z1, src.X2, src.Y2, src.Z2, src.CL);
    if (i < 0) return -1;
    at(i).OX = src.OX;
    at(i).OY = src.OY;
    at(i).OZ = src.OZ;
    return i;
}

void ElementStore::delElem(int index) { at(index).delAge = 1; }

void ElementStore::deleteWithLoads(int index)
{
    const int uid = at(index).UID;
    for (int c = -1; nextLive(c);) {
        const Element& e = at(c);
        if (e.kind == kind::LOAD && e.refUID == uid && c != index) delElem(c);
    }
    delElem(index);
}

ViewSegment ElementStore::viewCoords(const ViewPlane& view, int index)
{
    const Element& e = at(index);
    ViewSegment s;
    switch (view.mode) {
    case ViewMode::Plan:
        s = {e.X1 + e.OX, e.Y1 + e.OY, e.X2 + e.OX, e.Y2 + e.OY, false};
        break;
    case ViewMode::ElevationXZ:
        s = {e.X1 + e.OX, e.Z1 + e.OZ, e.X2 + e.OX, e.Z2 + e.OZ, false};
        break;
    case ViewMode::ElevationYZ:
        s = {e.Y1 + e.OY, e.Z1 + e.OZ, e.Y2 + e.OY, e.Z2 + e.OZ, false};
        break;
    }
    s.inPlane = inPlane(view, index);
    return s;
}

bool ElementStore::inPlane(const ViewPlane& view, int index)
{
    const Element& e = at(index);
    const double p = view.plane;
    switch (view.mode) {
    case ViewMode::ElevationXZ:
        return e.Y1 == p && e.Y2 == p;
    case ViewMode::ElevationYZ:
        return e.X1 == p && e.X2 == p;
    case ViewMode::Plan:
        break;
    }
    switch (e.kind) {
    case kind::LINE:
    case kind::BEAM:
    case kind::GIRDER:
    case kind::FLOOR:
    case kind::TURTLE:
        return e.Z1 == p && e.Z2 == p;
    case kind::COLUMN:
        if (e.Z2 == p) return true;
        return e.Z1 == p && connections(index)[con::COL_SECOND] < 0;
    default:
        return false;
    }
}

int ElementStore::nearestElement(const ViewPlane& view, int excluded, double x, double y, double pixelsPerMm)
{
    double best = 1.7e308;
    double bestRaw = 0;
    int candidate = -1;
    for (int c = -1; nextLive(c);) {
        const Element& e = at(c);
        if (c == excluded || e.LY != view.currentLayer || e.kind == kind::LOAD) continue;
        int cls = kindClass(e.kind);
        if (cls == -1) break;
        if (cls == 1) {
            double d = hypotLen(x - e.X1, y - e.Y1);
            if (d - 40 <= best) {
                best = d - 40;
                bestRaw = d;
                candidate = c;
            }
        } else if (cls == 2 || cls == 3) {
            ViewSegment s = viewCoords(view, c);
            if (!s.inPlane) continue;
            double d;
            double dx = s.u2 - s.u1, dy = s.v2 - s.v1;
            double len2 = dx * dx + dy * dy;
            double t = len2 == 0 ? -1 : ((x - s.u1) * dx + (y - s.v1) * dy) / len2;
            if (t >= 0 && t <= 1)
                d = std::fabs((x - s.u1) * dy - (y - s.v1) * dx) / std::sqrt(len2);
            else
                d = std::min(hypotLen(x - s.u1, y - s.v1), hypotLen(x - s.u2, y - s.v2));
            if (d < best) {
                best = d;
                bestRaw = d;
                candidate = c;
            }
        }
    }
    if (candidate < 0) return -1;
    double pixels = bestRaw * pixelsPerMm;
    return pixels * pixels >= 400 ? -1 : candidate;
}

Extent ElementStore::extent(bool onlySelected, bool skipGrid, bool gridShown) const
{
    Extent ext;
    auto take = [&ext](double x, double y) {
        ext.minX = std::min(ext.minX, x);
        ext.maxX = std::max(ext.maxX, x);
        ext.minY = std::min(ext.minY, y);
        ext.maxY = std::max(ext.maxY, y);
        ext.found = true;
    };
    for (int c = -1; nextLive(c);) {
        const Element& e = at(c);
        if (e.kind == kind::RESERVED) break;
        if (onlySelected && !e.selected) continue;
        if (skipGrid && e.kind == kind::BASE && !gridShown) continue;
        if (e.kind == kind::FLOOR || e.kind == kind::TURTLE) {
            for (int k = c + 1, last = lastRecordOf(c); k <= last; ++k) {
                take(at(k).X1, at(k).Y1);
                take(at(k).X2, at(k).Y2);
            }
            continue;
        }
        take(e.X1, e.Y1);
        take(e.X2, e.Y2);
    }
    return ext;
}

void ElementStore::clearSelection()
{
    for (int c = -1; nextLive(c);) {
        at(c).selected = 0;
        at(c).selGroup = -1;
    }
}

void ElementStore::selectOne(int index)
{
    clearSelection();
    at(index).selected = 1;
}

void ElementStore::selectInBox(const ViewPlane& view, double u1, double v1, double u2, double v2)
{
    if (u1 > u2) std::swap(u1, u2);
    if (v1 > v2) std::swap(v1, v2);
    auto inside = [&](double u, double v) { return u >= u1 && u <= u2 && v >= v1 && v <= v2; };
    clearSelection();
    for (int c = -1; nextLive(c);) {
        ViewSegment s = viewCoords(view, c);
        if (!s.inPlane || !inside(s.u1, s.v1)) continue;
        int k = at(c).kind;
        bool boxable = k == kind::LINE || k == kind::COLUMN || k == kind::BEAM || k == kind::GIRDER || k == kind::FLOOR;
        if (boxable && inside(s.u2, s.v2)) at(c).selected = 1;
    }
}

const ConnectionRow& ElementStore::connections(int index)
{
    if (!conValid_) {
        if (const ConnectionRow* row = slice_.valid ? sliceRow(index) : nullptr) return *row;
        computeConnections();
    }
    return connections_[static_cast<size_t>(index)];
}

}  // namespace model
