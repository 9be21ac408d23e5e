// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing on as many sheets of one paper as it needs: whole-fit first, else split along the
// cut lines its generator names, each part repeating the headings. Plain arithmetic: the PDF
// painter only draws the pieces and the items each sheet is handed.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "draft/sheet_layout.h"
#include "draft/split_guide.h"

namespace draft {

inline constexpr const char* kSplitPaper = "A1";  // what an automatic choice splits over
// Millimetres above and right of a part of a grid drawing for its own grid names and dimensions.
inline constexpr double kPartMarksRoom = 22;

struct SheetSet {
    std::vector<Sheet> sheets;  // in reading order
    std::string error;          // why there are none
    // The split's bands in drawing units: parts' columns left to right (from, to) and rows
    // top first (top, bottom); what lies left of headingRight or above headerBottom is on
    // every sheet. A drawing on one sheet has one of each and no headings.
    std::vector<std::pair<double, double>> columns, rows;
    double headingRight = -1.7e308, headerBottom = 1.7e308;
};

// One sheet of the paper (kAutoPaper or "": the smallest that holds the drawing whole) when the
// drawing fits; else, with a guide, parts of whole bands over that paper (automatic: A1),
// landscape, parts down the rows before the next columns. Without a guide, or with one band too
// big, the refusal names the scale (or for a fixed-size list the paper) that would hold it.
SheetSet layoutSheets(const DrawingBox& box, const SplitGuide* guide, double scale, const std::string& paper,
                      SheetSize size = SheetSize::ByScale);

// What each sheet of the set draws, by index into the store and the text buffer: an element
// on every sheet whose bands it touches, a text on the sheet that holds its anchor. One pass.
struct SheetItems {
    std::vector<int> elements;
    std::vector<int> texts;
};
std::vector<SheetItems> sheetItems(const SheetSet& set, const model::ElementStore& store,
                                   const model::TextBuffer& texts);

// The caption with the part: "梁断面リスト (2/4)"; the caption alone for a whole drawing.
std::string partCaption(const std::string& caption, const Sheet& sheet);

// The sheet's pieces; a whole drawing is one piece without edges.
std::vector<SheetPiece> piecesOf(const Sheet& sheet);

// Clips the segment to the piece's rectangle; false when nothing of it lies inside.
bool clipToPiece(const SheetPiece& piece, double& x1, double& y1, double& x2, double& y2);
// Whether a text anchored at (x, y) belongs to the piece.
bool pieceHolds(const SheetPiece& piece, double x, double y);

}  // namespace draft
