// SPDX-License-Identifier: GPL-3.0-or-later
// The girder section list: one column per girder mark, one block of rows per floor, each
// cell with the section figures and bar texts of the girder's end groups.
#pragma once

#include <array>
#include <string>
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

// How the three ends of a girder split into sub-columns: code 1 all different, 2 left apart
// (centre = right), 3 right apart (left = centre), 4 centre apart (left = right), 5 all equal.
struct EndGroup {
    int code = 5;
    int count = 1;                            // sub-columns (and figures)
    std::array<int, 3> ends{0, 0, 0};         // end drawn in each sub-column: 0 left, 1 centre, 2 right
    std::array<const char*, 3> labels{"全断面", "", ""};
};
// Ends compare equal when their b, D, top bars and bottom bars read the same.
EndGroup girderEndGroup(std::string_view secSpec);

// What one section figure needs, decoded from a girder spec for one end.
struct GirderFigure {
    double b = 0;
    double D = 0;
    model::BarGroup top;
    model::BarGroup bottom;
    model::Stirrup stirrup;
    model::Bars web;
};
GirderFigure girderFigure(std::string_view secSpec, int end, const model::RodMarks& marks);

// Where a figure sits in the list: dimensions may be limited to the first cell and the
// under-beam layers to the lowest floor block.
struct FigurePlace {
    bool firstCell = false;
    bool lastBlock = false;
    double slabWidth = 2.0 / 3;  // the slab line reaches this many b either side (the section dialog: 1)
};

// One section figure with the centre of its top face at (x0, y0); nothing when b or D is 0.
void drawGirderSection(Drafter& d, const settings::DraftEnv& env, const GirderFigure& figure, FigurePlace place,
                       double x0, double y0);

// The whole list into the current (drawing) store and the text buffer; the scale must have
// been set from ListMojiHeight and ListScale (the drawing frame does this).
void drawGirderList(model::Session& session, Drafter& d);

}  // namespace draft

namespace draft {
// Where the list drawn at this text height may be split over sheets.
SplitGuide girderListSplit(const model::Session& session, int textHeight);
}  // namespace draft
