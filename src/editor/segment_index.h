// SPDX-License-Identifier: GPL-3.0-or-later
// A uniform grid over 2-D segments so that "which segments may cross this one" does not walk
// the whole model for every line of a large selection.
#pragma once

#include <vector>

#include "model/element.h"

namespace editor {

class SegmentIndex {
public:
    // ids[i] names segments[i] (store indices, 0 or more).
    void build(const std::vector<int>& ids, const std::vector<model::ViewSegment>& segments);
    // A segment added later; it must lie within the box of the segments given to build.
    void add(int id, const model::ViewSegment& segment);
    // Every id whose box may meet the box given, each once, in no particular order.
    void query(double minX, double minY, double maxX, double maxY, std::vector<int>& out);

private:
    int cellX(double x) const;
    int cellY(double y) const;

    double x0_ = 0, y0_ = 0, cell_ = 1;
    int nx_ = 1, ny_ = 1;
    std::vector<std::vector<int>> cells_;
    std::vector<int> wide_;  // segments covering too many cells to list in each
    std::vector<unsigned> seen_;
    unsigned stamp_ = 0;
};

}  // namespace editor
