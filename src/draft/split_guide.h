// SPDX-License-Identifier: GPL-3.0-or-later
// Where a drawing may be cut when it is split over several sheets, as its generator knows it:
// the boundaries of whole mark columns and level rows of a section list, and the headings
// every part repeats.
#pragma once

#include <string>
#include <vector>

namespace draft {

struct SplitGuide {
    // Ascending x of the body's cut lines: its left edge, every boundary a sheet may end at, its
    // right edge. Parts run left to right.
    std::vector<double> xCuts;
    // Descending y of the body's cut lines, top first: parts run from the top down.
    std::vector<double> yCuts;
    // What lies left of xCuts.front() (row headings) and above yCuts.front() (column headings)
    // is repeated on every sheet beside and above its part of the body.
    bool headings = false;
    // The grid line's name of each cut (parallel to xCuts / yCuts; empty: none): a cut there is
    // drawn on both sheets as a match line with that name.
    std::vector<std::string> xNames, yNames;
    // A drawing of the grid: above marksTop and right of marksRight lie only its own grid names
    // and dimensions. A split sheet leaves them out and names and dimensions the lines of its
    // own part instead, above and beside it.
    bool partMarks = false;
    double marksTop = 0, marksRight = 0;
};

}  // namespace draft
