// SPDX-License-Identifier: GPL-3.0-or-later
// The first sheet of a drawing set: the drawing index (図面リスト), one row per sheet of the set
// with its number, name and scale, drawn as a list that splits between rows like the others.
#pragma once

#include <string>
#include <vector>

#include "draft/draft.h"
#include "draft/split_guide.h"

namespace draft {

struct IndexEntry {
    std::string number;   // "S-02"
    std::string caption;  // "梁断面リスト (2/4)"
    std::string scale;    // "1/40"
};

// "S-01" ... "S-99", "S-100".
std::string sheetNumber(int n);
// "S-05 / 42": the sheet's place in the set, for its title block.
std::string sheetOfSet(int n, int total);

// Draws the index table with the drafter's text height (a list drawing) and returns where it
// may be split: between whole rows, the heading row repeated.
SplitGuide drawDrawingIndex(Drafter& d, const std::vector<IndexEntry>& entries);

}  // namespace draft
