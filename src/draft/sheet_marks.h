// SPDX-License-Identifier: GPL-3.0-or-later
// What a sheet carries besides its drawing, in millimetres of the sheet: the match lines where a
// split drawing meets its neighbours with their names, and the title block in the lower right
// corner. Shared by the PDF painter and the DXF sheets so both put them in the same place.
#pragma once

#include <string>
#include <vector>

#include "model/helpers.h"

namespace draft {

struct Sheet;

struct SheetStroke {
    model::Point from, to;
};

struct SheetLabel {
    std::string text;
    model::Point at;  // the lower-left corner of its box
    double height = 0;
    double angle = 0;  // degrees anticlockwise about `at`
};

struct SheetMarks {
    std::vector<SheetStroke> matchLines;  // chain lines along the cuts
    std::vector<SheetLabel> matchLabels;  // "合わせ線 X3"
    std::vector<SheetStroke> gridStrokes;  // a part's own dimension and extension lines
    std::vector<SheetLabel> gridLabels;    // and its grid names and dimensions
    model::Point titleLow, titleHigh;     // the title block's outline, drawn with the widest pen
    std::vector<SheetStroke> titleRules;  // between its rows
    std::vector<SheetLabel> titleTexts;   // its rows, the caption larger
};

// The marks of a sheet with the title block's rows (draft::titleBlockRows).
SheetMarks sheetMarks(const Sheet& sheet, const std::vector<std::string>& titleRows);

}  // namespace draft
