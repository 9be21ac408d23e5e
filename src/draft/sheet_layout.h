// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing on a sheet of paper: the ISO A sheet that holds the drawing at its scale with a
// margin, the mapping from drawing units (millimetres of the building) to millimetres of paper,
// and the title block's texts. Plain arithmetic: the painter that puts it on a PDF page or a
// printer lives with the window system.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dxf/dxf_writer.h"
#include "model/helpers.h"

namespace model {
class Session;
}

namespace draft {

struct PaperSize {
    const char* name;  // "A4" ... "A0"
    double width;      // portrait, millimetres
    double height;
};
// A4, A3, A2, A1, A0.
const std::array<PaperSize, 5>& isoPapers();
inline constexpr const char* kAutoPaper = "自動";
inline constexpr double kSheetMargin = 10;  // millimetres on every side

// What a drawing covers in drawing units: lines, circles and arcs, and the box of every text
// as the DXF writer places it.
struct DrawingBox {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;
};
DrawingBox drawingBox(const model::ElementStore& store, const model::TextBuffer& texts,
                      const dxf::TextOptions& options);

// A rectangle of the drawing placed on a sheet of a split drawing: what lies inside is drawn,
// lines clipped at its edges, texts by their anchor point.
struct SheetPiece {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    model::Point worldOrigin;  // drawing point at the sheet's point sheetOrigin
    model::Point sheetOrigin;
    model::Point toSheet(double x, double y, double scale) const
    {
        return {(x - worldOrigin.x) / scale + sheetOrigin.x, (y - worldOrigin.y) / scale + sheetOrigin.y};
    }
};

struct Sheet {
    std::string paper;  // "A3"
    bool landscape = true;
    double width = 0, height = 0;  // millimetres, as the sheet lies
    double scale = 1;              // the denominator S: 1 unit of the drawing is 1/S mm of paper
    model::Point worldOrigin;      // drawing point at the sheet's point sheetOrigin
    model::Point sheetOrigin;

    // Millimetres from the sheet's lower-left corner, y upwards.
    model::Point toSheet(double x, double y) const
    {
        return {(x - worldOrigin.x) / scale + sheetOrigin.x, (y - worldOrigin.y) / scale + sheetOrigin.y};
    }
    double toSheetLength(double length) const { return length / scale; }

    // A part of a split drawing: its pieces (none: the whole drawing through worldOrigin), its
    // place in the split (column and row of parts) and its number among the parts.
    std::vector<SheetPiece> pieces;
    // Where the part meets its neighbour at a grid line: sheet millimetres and the line's name.
    struct MatchLine {
        model::Point from, to;  // bottom to top, or left to right
        std::string name;
        bool farSide = false;   // the part's right (or lower) edge, not its left (or upper)
    };
    std::vector<MatchLine> matchLines;
    // The grid lines of a part that names and dimensions its own: where they cross the body's
    // top edge (x, sheet mm) or its right edge (y), left to right and top down.
    struct GridTick {
        double at = 0;     // sheet millimetres
        double world = 0;  // drawing units, for the dimension between neighbours
        std::string name;
    };
    std::vector<GridTick> acrossTicks, upTicks;
    int column = 0, row = 0;
    int part = 1, parts = 1;
};

struct SheetResult {
    std::optional<Sheet> sheet;
    std::string error;  // why there is none, in words for the user
};

// How a drawing's size on paper follows its scale: a framing drawing shrinks at 1/100 against
// 1/50, a section list is drawn in paper millimetres and keeps its size at any scale.
enum class SheetSize { ByScale, Fixed };

// The drawing centred on the sheet beside or above the title block (lower right corner): the
// smallest A sheet (landscape first) that holds the box, the title block and the margins at
// 1/S, or the named paper ("A4" ... "A0"; kAutoPaper or "" for the choice). Too big for the
// paper: an error naming the smallest standard scale that would fit, or for a drawing of fixed
// size the paper that would hold it.
SheetResult layoutSheet(const DrawingBox& box, double scale, const std::string& paper,
                        SheetSize size = SheetSize::ByScale);

struct DrawingKind;
// The sheet's title: the drawing's caption, and for a slice of the model the name of its level
// or grid line ("伏図 2FL", "配筋図 Y1").
std::string sheetCaption(const DrawingKind& kind, const model::Session& session);

// The title block's rows, from the top: caption, project file name, "S=1/40", date.
std::vector<std::string> titleRows(const std::string& caption, const std::string& projectPath, double scale,
                                   const std::string& date);
inline constexpr double kTitleWidth = 100;     // millimetres
inline constexpr double kTitleRowHeight = 7;   // millimetres per row
// The title block has a corner of its own: the drawing goes above it or beside it.
inline constexpr double kTitleHeight = 4 * kTitleRowHeight;

// A number as the title block and messages write it: 40, 12.5.
std::string numberText(double v);
// The smallest scale from the standard list, at or above `needed`; the number rounded up when
// the list ends first.
double standardScaleAtLeast(double needed);

}  // namespace draft
