// SPDX-License-Identifier: GPL-3.0-or-later
// The column section list: one column per column mark, one block of rows per storey, each
// cell with the section figure (outline, hoop, main bars) and the size and bar texts.
#pragma once

#include <string_view>

#include "draft/draft.h"
#include "draft/split_guide.h"
#include "model/bars.h"

namespace model {
class Session;
}
namespace settings {
struct DraftEnv;
}

namespace draft {

// Row kinds of a storey block (the CTitle values).
enum ColumnRowKind : int {
    COLUMN_ROW_FIGURE = 1,
    COLUMN_ROW_SIZE = 2,
    COLUMN_ROW_MAIN = 3,
    COLUMN_ROW_HOOP = 4,
    COLUMN_ROW_REMARKS = 5,
    COLUMN_ROW_HOOP_ALT = 6,
};

// What one column section figure needs, decoded from a column spec.
struct ColumnFigure {
    double Dx = 0;
    double Dy = 0;
    int n1 = 0;               // main bars on the left and on the right face (corners included)
    int n2 = 0;               // main bars on the bottom and on the top face (corners included)
    int barMark = -1;         // bar symbol of the main bars
    int barSymbolSize = -1;   // 24 or 48; -1 without main bars
    int hoopSymbolSize = -1;  // -1 without a hoop size
};
// Counts that are not whole numbers are read leniently (rounded), so one odd section
// cannot stop the whole list.
ColumnFigure columnFigure(std::string_view secSpec, const model::RodMarks& marks);

// One figure centred on (x0, y0); nothing when Dx or Dy is not above 0. figureIndex counts
// the figures drawn so far in the list (0 for the first), for the ColumnListMark options
// that dimension only the first figure.
void drawColumnSection(Drafter& d, const settings::DraftEnv& env, const ColumnFigure& f, int figureIndex, double x0,
                       double y0);

// The whole list into the current (drawing) store and the text buffer; the scale must have
// been set from ListMojiHeight and ListScale (the drawing frame does this). Returns false,
// having drawn nothing, when there is no column mark or no storey.
bool drawColumnList(model::Session& session, Drafter& d);
// Where the list drawn at this text height may be split over sheets.
SplitGuide columnListSplit(const model::Session& session, int textHeight);

}  // namespace draft
