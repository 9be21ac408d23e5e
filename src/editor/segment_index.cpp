// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/segment_index.h"

#include <algorithm>
#include <cmath>

namespace editor {

namespace {
constexpr int kMaxCellsPerAxis = 1024;
constexpr long kWideAbove = 64;  // a segment over more cells than this is kept apart
constexpr double kSlack = 1e-6;
}  // namespace

void SegmentIndex::build(const std::vector<int>& ids, const std::vector<model::ViewSegment>& segments)
{
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    if (!segments.empty()) {
        minX = maxX = segments.front().u1;
        minY = maxY = segments.front().v1;
    }
    for (const auto& s : segments) {
        minX = std::min({minX, s.u1, s.u2});
        maxX = std::max({maxX, s.u1, s.u2});
        minY = std::min({minY, s.v1, s.v2});
        maxY = std::max({maxY, s.v1, s.v2});
    }
    x0_ = minX;
    y0_ = minY;
    const double extent = std::max(maxX - minX, maxY - minY);
    const int k = std::clamp(static_cast<int>(std::ceil(std::sqrt(static_cast<double>(segments.size())))), 1,
                             kMaxCellsPerAxis);
    cell_ = extent > 0 ? extent / k : 1.0;
    nx_ = std::min(kMaxCellsPerAxis + 1, static_cast<int>((maxX - minX) / cell_) + 1);
    ny_ = std::min(kMaxCellsPerAxis + 1, static_cast<int>((maxY - minY) / cell_) + 1);
    cells_.assign(static_cast<size_t>(nx_) * static_cast<size_t>(ny_), {});
    wide_.clear();
    seen_.clear();
    stamp_ = 0;
    for (size_t i = 0; i < ids.size() && i < segments.size(); ++i) add(ids[i], segments[i]);
}

int SegmentIndex::cellX(double x) const
{
    const double c = std::floor((x - x0_) / cell_);
    if (!(c > 0)) return 0;
    return c >= nx_ - 1 ? nx_ - 1 : static_cast<int>(c);
}

int SegmentIndex::cellY(double y) const
{
    const double c = std::floor((y - y0_) / cell_);
    if (!(c > 0)) return 0;
    return c >= ny_ - 1 ? ny_ - 1 : static_cast<int>(c);
}

void SegmentIndex::add(int id, const model::ViewSegment& s)
{
    if (id < 0) return;
    if (static_cast<size_t>(id) >= seen_.size()) seen_.resize(static_cast<size_t>(id) + 1, 0);
    const int ax = cellX(std::min(s.u1, s.u2) - kSlack), bx = cellX(std::max(s.u1, s.u2) + kSlack);
    const int ay = cellY(std::min(s.v1, s.v2) - kSlack), by = cellY(std::max(s.v1, s.v2) + kSlack);
    const long covered = static_cast<long>(bx - ax + 1) * static_cast<long>(by - ay + 1);
    if (covered > kWideAbove && ax != bx && ay != by) {
        wide_.push_back(id);
        return;
    }
    for (int y = ay; y <= by; ++y)
        for (int x = ax; x <= bx; ++x) cells_[static_cast<size_t>(y) * static_cast<size_t>(nx_) + static_cast<size_t>(x)].push_back(id);
}

void SegmentIndex::query(double minX, double minY, double maxX, double maxY, std::vector<int>& out)
{
    out.clear();
    if (++stamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        stamp_ = 1;
    }
    auto take = [&](int id) {
        unsigned& mark = seen_[static_cast<size_t>(id)];
        if (mark == stamp_) return;
        mark = stamp_;
        out.push_back(id);
    };
    const int ax = cellX(minX - kSlack), bx = cellX(maxX + kSlack);
    const int ay = cellY(minY - kSlack), by = cellY(maxY + kSlack);
    for (int y = ay; y <= by; ++y)
        for (int x = ax; x <= bx; ++x)
            for (int id : cells_[static_cast<size_t>(y) * static_cast<size_t>(nx_) + static_cast<size_t>(x)]) take(id);
    for (int id : wide_) take(id);
}

}  // namespace editor
