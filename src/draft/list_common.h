// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces both section lists are built from: the table layout in units of the text height,
// the header and outer rules, the section cells looked up by level and mark name, the
// "legs symbol + bar text" cells and the dimension lines of the section figures.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "draft/draft.h"
#include "draft/split_guide.h"
#include "model/sections.h"

namespace draft {

inline constexpr int kListPenOuter = 3;
inline constexpr int kListPenInner = 5;
inline constexpr int kListPenText = 7;
inline constexpr int kListPenDimension = 6;
// The top-left corner of a list lies at (0, kListTop); rows go downwards.
inline constexpr double kListTop = 1000;
// A symbol one unit wide shows at most this many strokes.
inline constexpr int kMaxLegStrokes = 20;

// Widths (in units) and heights (in units) of a list, from the settings.
struct ListSizes {
    int W1 = 2;     // level column
    int W2 = 9;     // title column
    int W3 = 15;    // one mark column
    double H = 2;   // a text row
    double HD = 16; // the figure row
};

struct ListLayout {
    ListSizes size;
    double uX = 120;
    double uY = 120;
    std::vector<int> rows;  // row kinds of a level block, top first
    int figureKind = 1;
    int block = 0;          // height of a level block in units

    double columnLeft(int i) const { return (size.W1 + size.W2 + static_cast<double>(i) * size.W3) * uX; }
    double columnWidth() const { return size.W3 * uX; }
    double titleX() const { return (size.W1 + size.W2 / 2.0) * uX; }
    double levelX() const { return size.W1 * uX / 2.0; }
    double headerBottom() const { return kListTop - size.H * uY; }
    double blockTop(int a) const { return kListTop - (size.H + static_cast<double>(a) * block) * uY; }
    double rowHeight(int kind) const { return (kind == figureKind ? size.HD : size.H) * uY; }
};

// Row kinds from the title settings: values of 0 and below, and values past the title
// table (lastKind), leave their slot out. The block height is rounded to whole units.
ListLayout makeListLayout(const ListSizes& size, std::span<const int> titleKinds, int lastKind, int figureKind,
                          int textHeight);

// The used sections of one kind, by level and mark name (the first entry wins). Matching by
// name keeps a mark's bars under its own heading even when its mark number and its place in
// the list differ.
class ListSections {
public:
    ListSections(const model::SectionTable& table, char letter);
    const model::SectionEntry* find(int level, std::string_view mark) const;
    // The level text stored with the first mark that has a section on that level, else
    // the fallback.
    std::string levelName(int level, const std::vector<std::string>& marks, const std::string& fallback) const;

private:
    static std::string key(int level, std::string_view mark);
    const model::SectionTable& table_;
    std::unordered_map<std::string, int> byLevelAndMark_;
};

// A text of the list at draftTextHeight, upright; an empty text adds nothing.
void listText(Drafter& d, const std::string& text, double x, double y, int nBase = BASE_MIDDLE_CENTRE);
// "階", "符　号" and the marks across the header row (text pen).
void drawListHeader(Drafter& d, const ListLayout& l, const std::vector<std::string>& marks);
// Rules around the header and every level block, and down every column (outer pen).
void drawListOuterRules(Drafter& d, const ListLayout& l, int markCount, int blocks);
// A bar text whose leading count is drawn as a symbol: `rest` (the text from its first "-"
// on) is centred in the column by its estimated width, and 1.5 units to its left a
// one-unit square holds nVert vertical and nHoriz horizontal strokes (text pen).
void drawLegsText(Drafter& d, const ListLayout& l, double mojiRatio, const std::string& rest, int nVert, int nHoriz,
                  double columnLeft, double middle);
// A dimension of the measured edge (ax, ay)-(bx, by): the dimension line runs `offset` away
// along the unit normal (ox, oy), extension lines start `gap` off the edge, circles of
// radius 10 mark the line's ends and the text sits on its middle. Uses the current pen.
void drawDimensionLine(Drafter& d, const std::string& text, double ax, double ay, double bx, double by, double ox,
                       double oy, double offset, double gap, double lift);
// Where a list of markCount mark columns and `blocks` level blocks may be cut: between whole
// mark columns and whole level blocks, the level and title columns and the mark row repeated.
SplitGuide listSplitGuide(const ListLayout& l, int markCount, int blocks);
// A length as a dimension text: 600, 612.5.
std::string dimensionNumber(double v);

}  // namespace draft
