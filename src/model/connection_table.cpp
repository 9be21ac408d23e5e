// SPDX-License-Identifier: GPL-3.0-or-later
// The connection table: which girders and columns meet at the ends of every element.
// End points are put into cells a little wider than the comparison tolerance; the member ends
// and the element ends are sorted by cell and joined, so the table costs two sorts instead of
// one walk per entry and element.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/element_store.h"
#include "model/helpers.h"

namespace model {

namespace {

constexpr double kCellsPerMm = 1e5;  // cell width 1e-5 mm, ten times the tolerance

struct CellKey {
    int64_t x, y, z;
    bool operator==(const CellKey&) const = default;
};

struct CellHash {
    size_t operator()(const CellKey& k) const
    {
        uint64_t h = static_cast<uint64_t>(k.x) * 0x9E3779B97F4A7C15ull;
        h ^= static_cast<uint64_t>(k.y) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
        h ^= static_cast<uint64_t>(k.z) + 0x94D049BB133111EBull + (h << 6) + (h >> 2);
        return static_cast<size_t>(h);
    }
};

int64_t cellOf(double v)
{
    // Coordinates beyond any building share the edge cells instead of overflowing.
    // Cells are centred on round coordinates, so typical points lie far from a cell border.
    double cell = std::floor(v * kCellsPerMm + 0.5);
    if (cell != cell) return 0;  // a NaN coordinate equals nothing; any cell will do
    if (cell > 4e18) return INT64_C(4000000000000000000);
    if (cell < -4e18) return -INT64_C(4000000000000000000);
    return static_cast<int64_t>(cell);
}

struct EndEntry {
    uint64_t cell;  // hash of the cell
    double x, y, z;
    int32_t category;  // 0-5 as the entries of a connection row
    int32_t index;
};

// One end of an element looking for the members in one cell near it.
struct Query {
    uint64_t cell;
    uint32_t slot;  // element index * 2 + end
    double x, y, z;  // the end itself, so the join never goes back to the records
};

uint64_t cellHash(int64_t x, int64_t y, int64_t z) { return CellHash()(CellKey{x, y, z}); }

bool columnCategory(int category) { return category >= con::COL_FIRST; }

// The cells an end must look in: its own, and the neighbours across a border it lies near.
int cellsNear(double v, int64_t out[2])
{
    int64_t cell = cellOf(v);
    double frac = v * kCellsPerMm + 0.5 - static_cast<double>(cell);
    int n = 0;
    out[n++] = cell;
    if (frac < 0.2) out[n++] = cell - 1;
    else if (frac > 0.8) out[n++] = cell + 1;
    return n;
}

// Joins the ends of the live elements `take` accepts with the member ends `member` accepts;
// rowOf(index) gives the row an element's matches go into (nullptr: not wanted). A member set
// holding every end that could match gives the same rows as the whole store would.
template <typename Take, typename Member, typename RowOf>
void joinEnds(const ElementStore& store, size_t expected, Take take, Member member, RowOf rowOf)
{
    // Member ends and element ends are both ordered by cell and joined in one merge, so the
    // work is two sorts and sequential reads instead of a lookup per end.
    std::vector<EndEntry> members;
    std::vector<Query> queries;
    members.reserve(expected);
    queries.reserve(expected * 2);
    for (int c = -1; store.nextLive(c);) {
        const Element& e = store.at(c);
        auto add = [&](double x, double y, double z, int category) {
            members.push_back({cellHash(cellOf(x), cellOf(y), cellOf(z)), x, y, z, category, c});
        };
        if (member(e)) {
            if (e.kind == kind::GIRDER) {
                if (approxEq(e.Y1, e.Y2)) {
                    add(e.X1, e.Y1, e.Z1, con::GX_FIRST);
                    add(e.X2, e.Y2, e.Z2, con::GX_SECOND);
                }
                if (approxEq(e.X1, e.X2)) {
                    add(e.X1, e.Y1, e.Z1, con::GY_FIRST);
                    add(e.X2, e.Y2, e.Z2, con::GY_SECOND);
                }
            } else if (e.kind == kind::COLUMN) {
                add(e.X1, e.Y1, e.Z1, con::COL_FIRST);
                add(e.X2, e.Y2, e.Z2, con::COL_SECOND);
            }
        }
        if (!take(e)) continue;
        for (uint32_t end = 0; end < 2; ++end) {
            const double x = end ? e.X2 : e.X1, y = end ? e.Y2 : e.Y1, z = end ? e.Z2 : e.Z1;
            int64_t xs[2], ys[2], zs[2];
            int nx = cellsNear(x, xs);
            int ny = cellsNear(y, ys);
            int nz = cellsNear(z, zs);
            for (int a = 0; a < nx; ++a)
                for (int b = 0; b < ny; ++b)
                    for (int d = 0; d < nz; ++d)
                        queries.push_back({cellHash(xs[a], ys[b], zs[d]), static_cast<uint32_t>(c) * 2 + end, x, y, z});
        }
    }
    if (members.empty()) return;
    std::sort(members.begin(), members.end(), [](const EndEntry& a, const EndEntry& b) { return a.cell < b.cell; });
    std::sort(queries.begin(), queries.end(), [](const Query& a, const Query& b) { return a.cell < b.cell; });
    size_t m = 0;
    for (const Query& q : queries) {
        while (m < members.size() && members[m].cell < q.cell) ++m;
        if (m == members.size()) break;
        if (members[m].cell != q.cell) continue;
        const bool second = q.slot % 2;
        const double x = q.x, y = q.y, z = q.z;
        ConnectionRow* whole = rowOf(static_cast<int>(q.slot / 2));
        if (!whole) continue;
        int32_t* row = whole->data() + (second ? con::SECOND_END : 0);
        for (size_t k = m; k < members.size() && members[k].cell == q.cell; ++k) {
            const EndEntry& en = members[k];
            if (!approxEq(en.x, x) || !approxEq(en.y, y) || !approxEq(en.z, z)) continue;
            int32_t& slot = row[en.category];
            bool better = slot < 0 || (columnCategory(en.category) ? en.index < slot : en.index > slot);
            if (better) slot = en.index;
        }
    }
}

}  // namespace

void ElementStore::computeConnections()
{
    ConnectionRow none;
    none.fill(-1);
    connections_.assign(records_.size(), none);
    slice_ = {};
    joinEnds(*this, records_.size(), [](const Element&) { return true; }, [](const Element&) { return true; },
             [this](int index) { return &connections_[static_cast<size_t>(index)]; });
    conValid_ = true;
}

namespace {
double coordinate(const Element& e, int axis, int end)
{
    if (axis == 0) return end ? e.X2 : e.X1;
    if (axis == 1) return end ? e.Y2 : e.Y1;
    return end ? e.Z2 : e.Z1;
}
}  // namespace

void ElementStore::computeConnectionsOnPlane(int axis, double value)
{
    if (conValid_ || (slice_.valid && slice_.axis == axis && slice_.value == value)) return;
    slice_ = {};
    // Rows for the elements lying in the plane; a member end can only match one of their ends
    // when it lies within the tolerance of the plane, so a wider band misses none.
    auto inPlane = [&](const Element& e) {
        return approxEq(coordinate(e, axis, 0), value) && approxEq(coordinate(e, axis, 1), value);
    };
    auto nearPlane = [&](const Element& e) {
        constexpr double kBand = 1e-5;
        return std::fabs(coordinate(e, axis, 0) - value) < kBand || std::fabs(coordinate(e, axis, 1) - value) < kBand;
    };
    ConnectionRow none;
    none.fill(-1);
    for (int c = -1; nextLive(c);)
        if (inPlane(at(c))) {
            slice_.indices.push_back(c);
            slice_.rows.push_back(none);
        }
    joinEnds(*this, slice_.indices.size() * 2, inPlane, nearPlane, [this](int index) { return sliceRow(index); });
    slice_.axis = axis;
    slice_.value = value;
    slice_.valid = true;
}

ConnectionRow* ElementStore::sliceRow(int index)
{
    auto it = std::lower_bound(slice_.indices.begin(), slice_.indices.end(), index);
    if (it == slice_.indices.end() || *it != index) return nullptr;
    return &slice_.rows[static_cast<size_t>(it - slice_.indices.begin())];
}

}  // namespace model
