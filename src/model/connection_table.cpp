// The connection table: which girders and columns meet at the ends of every element.
// End points are hashed into cells a little wider than the comparison tolerance, so the
// table is built in about linear time instead of one walk per entry and element.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

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
    CellKey key;
    double x, y, z;
    int category;  // 0-5 as the entries of a connection row
    int32_t index;
};

bool columnCategory(int category) { return category >= con::COL_FIRST; }

}  // namespace

void ElementStore::computeConnections()
{
    ConnectionRow none;
    none.fill(-1);
    connections_.assign(records_.size(), none);

    std::vector<EndEntry> ends;
    ends.reserve(records_.size());
    for (int c = -1; nextLive(c);) {
        const Element& e = at(c);
        auto add = [&](double x, double y, double z, int category) {
            ends.push_back({{cellOf(x), cellOf(y), cellOf(z)}, x, y, z, category, c});
        };
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
    if (!ends.empty()) {
        std::sort(ends.begin(), ends.end(), [](const EndEntry& a, const EndEntry& b) {
            if (a.key.x != b.key.x) return a.key.x < b.key.x;
            if (a.key.y != b.key.y) return a.key.y < b.key.y;
            return a.key.z < b.key.z;
        });
        std::unordered_map<CellKey, std::pair<uint32_t, uint32_t>, CellHash> cells;
        cells.reserve(ends.size());
        for (uint32_t i = 0; i < ends.size();) {
            uint32_t j = i;
            while (j < ends.size() && ends[j].key == ends[i].key) ++j;
            cells.emplace(ends[i].key, std::make_pair(i, j));
            i = j;
        }

        // Neighbouring cells are looked at only where the point lies near a cell border.
        auto neighbours = [](double v, int64_t cell, int64_t out[2]) {
            double frac = v * kCellsPerMm + 0.5 - static_cast<double>(cell);
            int n = 0;
            out[n++] = cell;
            if (frac < 0.2) out[n++] = cell - 1;
            else if (frac > 0.8) out[n++] = cell + 1;
            return n;
        };
        auto fill = [&](double x, double y, double z, int32_t* row) {
            int64_t xs[2], ys[2], zs[2];
            int nx = neighbours(x, cellOf(x), xs);
            int ny = neighbours(y, cellOf(y), ys);
            int nz = neighbours(z, cellOf(z), zs);
            for (int a = 0; a < nx; ++a)
                for (int b = 0; b < ny; ++b)
                    for (int d = 0; d < nz; ++d) {
                        auto it = cells.find({xs[a], ys[b], zs[d]});
                        if (it == cells.end()) continue;
                        for (uint32_t k = it->second.first; k < it->second.second; ++k) {
                            const EndEntry& en = ends[k];
                            if (!approxEq(en.x, x) || !approxEq(en.y, y) || !approxEq(en.z, z)) continue;
                            int32_t& slot = row[en.category];
                            bool better = slot < 0 || (columnCategory(en.category) ? en.index < slot : en.index > slot);
                            if (better) slot = en.index;
                        }
                    }
        };
        for (int c = -1; nextLive(c);) {
            const Element& e = at(c);
            ConnectionRow& row = connections_[static_cast<size_t>(c)];
            fill(e.X1, e.Y1, e.Z1, row.data());
            fill(e.X2, e.Y2, e.Z2, row.data() + con::SECOND_END);
        }
    }
    conValid_ = true;
}

}  // namespace model
