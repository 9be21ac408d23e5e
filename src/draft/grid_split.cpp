// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/grid_split.h"

#include <algorithm>

#include "model/grid.h"
#include "model/grid_marks.h"
#include "model/view_slice.h"
#include "session/session.h"

namespace draft {

namespace {

// The used lines of an axis in the order given, with their names.
void axisCuts(const model::GridModel& grid, int axis, bool descending, std::vector<double>& cuts,
              std::vector<std::string>& names)
{
    std::vector<std::pair<double, std::string>> lines;
    for (int i = 0; i <= grid.spanCount[axis]; ++i)
        if (grid.isUsed(axis, i)) lines.emplace_back(grid.position(axis, i), grid.name(axis, i));
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                lines.end());
    if (descending) std::reverse(lines.begin(), lines.end());
    for (auto& [at, name] : lines) {
        cuts.push_back(at);
        names.push_back(std::move(name));
    }
}

}  // namespace

SplitGuide gridSplitGuide(const model::Session& session, int)
{
    SplitGuide guide;
    const model::ViewMode mode = session.view.mode;
    axisCuts(session.grid, model::horizontalAxis(mode), false, guide.xCuts, guide.xNames);
    axisCuts(session.grid, model::verticalAxis(mode), true, guide.yCuts, guide.yNames);
    // A millimetre short of where the dimensions' extension lines begin.
    const model::Point marks = model::gridMarksStart(session.grid, mode);
    guide.partMarks = true;
    guide.marksTop = marks.y - 1;
    guide.marksRight = marks.x - 1;
    return guide;
}

}  // namespace draft
