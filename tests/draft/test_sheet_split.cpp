// SPDX-License-Identifier: GPL-3.0-or-later
// Split sheets: a drawing too big for its paper goes over several sheets of it between whole
// bands, every sheet repeating the headings, every cell's text on exactly one sheet, and a band
// too big for the paper refused with what would hold it.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "draft/sheet_split.h"
#include "model/element_store.h"
#include "model/text_buffer.h"

namespace {

// A list of 15 mark columns 1800 wide right of a 1000 wide heading column, and 20 level rows
// 1200 high under a 1000 high heading row: 45 x 30 mm cells at 1/40.
struct List {
    draft::SplitGuide guide;
    draft::DrawingBox box{0, 9000 - 20 * 1200, 1000 + 15 * 1800, 10000, false};
    List()
    {
        guide.headings = true;
        for (int k = 0; k <= 15; ++k) guide.xCuts.push_back(1000 + 1800.0 * k);
        for (int a = 0; a <= 20; ++a) guide.yCuts.push_back(9000 - 1200.0 * a);
    }
    static double cellX(int mark) { return 1000 + 1800.0 * mark + 900; }
    static double cellY(int level) { return 9000 - 1200.0 * level - 600; }
};

TEST(SheetSplit, AListTooBigForA3GoesOverA3SheetsBetweenWholeCellsMarksFirst)
{
    const List list;
    const draft::SheetSet set = draft::layoutSheets(list.box, &list.guide, 40, "A3", draft::SheetSize::Fixed);
    ASSERT_EQ(set.sheets.size(), 6u) << set.error;  // 8 + 7 marks, 7 + 7 + 6 levels
    ASSERT_EQ(set.columns.size(), 2u);
    ASSERT_EQ(set.rows.size(), 3u);
    EXPECT_EQ(set.columns[0].second, 1000 + 8 * 1800.0);
    EXPECT_EQ(set.rows[1].first, 9000 - 7 * 1200.0);
    for (size_t i = 0; i < set.sheets.size(); ++i) {
        const draft::Sheet& s = set.sheets[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(s.paper, "A3");
        EXPECT_EQ(s.width, 420);
        EXPECT_EQ(s.part, static_cast<int>(i) + 1);
        EXPECT_EQ(s.parts, 6);
        // Down the levels first, then the next marks.
        EXPECT_EQ(s.column, static_cast<int>(i / 3));
        EXPECT_EQ(s.row, static_cast<int>(i % 3));
        // Every piece lies on the paper inside the margins and clear of the title block.
        ASSERT_EQ(s.pieces.size(), 4u);
        for (const draft::SheetPiece& p : s.pieces) {
            const model::Point lo = p.toSheet(p.minX, p.minY, 40), hi = p.toSheet(p.maxX, p.maxY, 40);
            EXPECT_GE(lo.x, draft::kSheetMargin - 1e-9);
            EXPECT_LE(hi.x, s.width - draft::kSheetMargin + 1e-9);
            EXPECT_GE(lo.y, draft::kSheetMargin + draft::kTitleHeight - 1e-9);
            EXPECT_LE(hi.y, s.height - draft::kSheetMargin + 1e-9);
        }
        // The headings meet the body: the body's left edge is the heading column's right edge.
        EXPECT_NEAR(s.pieces[0].toSheet(1000, 9000, 40).x, s.pieces[3].toSheet(s.pieces[3].minX, 9000, 40).x, 1e-9);
    }
    EXPECT_EQ(draft::partCaption("梁断面リスト", set.sheets[1]), "梁断面リスト (2/6)");
}

TEST(SheetSplit, EveryCellTextOnOneSheetHeadingsOnEverySheetOfTheirBand)
{
    const List list;
    const draft::SheetSet set = draft::layoutSheets(list.box, &list.guide, 40, "A3", draft::SheetSize::Fixed);
    ASSERT_EQ(set.sheets.size(), 6u);
    model::ElementStore store;
    model::TextBuffer texts;
    std::map<int, std::string> names;
    for (int k = 0; k < 15; ++k)
        for (int a = 0; a < 20; ++a) names[texts.addMoji(5, "c" + std::to_string(k) + "-" + std::to_string(a), 0, 0, 100, List::cellX(k), List::cellY(a), "7", 0)] = "cell";
    const int mark3 = texts.addMoji(5, "G4", 0, 0, 100, List::cellX(3), 9500, "7", 0);
    const int level12 = texts.addMoji(5, "8", 0, 0, 100, 500, List::cellY(12), "7", 0);
    const int corner = texts.addMoji(5, "階", 0, 0, 100, 500, 9500, "7", 0);
    const int across = store.addElem(model::kind::LINE, 0, 3, 1, 0, 0, 0, 9000, 0, list.box.maxX, 9000, 0, 0);
    const int cellRule = store.addElem(model::kind::LINE, 0, 5, 2, 0, 0, List::cellX(10) - 900, List::cellY(15), 0,
                                       List::cellX(10) + 900, List::cellY(15), 0, 0);

    const auto items = draft::sheetItems(set, store, texts);
    std::map<int, int> sheetsOf;
    std::map<int, std::vector<int>> whereText;
    for (size_t i = 0; i < items.size(); ++i)
        for (int t : items[i].texts) whereText[t].push_back(static_cast<int>(i));
    for (const auto& [t, kind] : names) {
        ASSERT_EQ(whereText[t].size(), 1u) << texts.at(t).text;
        const draft::Sheet& s = set.sheets[static_cast<size_t>(whereText[t][0])];
        EXPECT_TRUE(draft::pieceHolds(s.pieces[3], texts.at(t).x, texts.at(t).y)) << texts.at(t).text;
    }
    EXPECT_EQ(whereText[mark3], (std::vector<int>{0, 1, 2}));  // marks G1-G8: the first column of parts
    EXPECT_EQ(whereText[level12], (std::vector<int>{1, 4}));  // levels 8-14: the second row of parts
    EXPECT_EQ(whereText[corner].size(), 6u);
    int acrossSheets = 0, ruleSheets = 0;
    for (const auto& it : items)
        for (int e : it.elements) {
            acrossSheets += e == across;
            ruleSheets += e == cellRule;
        }
    EXPECT_EQ(acrossSheets, 6);
    EXPECT_EQ(ruleSheets, 1);
}

TEST(SheetSplit, WholeFitFirstAutomaticSplitsOverA1AndABandTooBigIsRefused)
{
    const List list;
    // 700 x 625 mm at 1/40: A0 holds it whole.
    draft::SheetSet set = draft::layoutSheets(list.box, &list.guide, 40, draft::kAutoPaper, draft::SheetSize::Fixed);
    ASSERT_EQ(set.sheets.size(), 1u) << set.error;
    EXPECT_EQ(set.sheets[0].paper, "A0");
    // 1400 x 1250 mm at 1/20 fits no paper: split over A1, 8 + 7 marks, 8 + 8 + 4 levels.
    set = draft::layoutSheets(list.box, &list.guide, 20, draft::kAutoPaper, draft::SheetSize::Fixed);
    ASSERT_EQ(set.sheets.size(), 6u) << set.error;
    EXPECT_EQ(set.sheets[0].paper, "A1");
    // Small enough for one sheet: the smallest paper, whole, without pieces.
    const draft::DrawingBox small{0, 0, 8000, 6000, false};
    set = draft::layoutSheets(small, &list.guide, 40, "");
    ASSERT_EQ(set.sheets.size(), 1u);
    EXPECT_EQ(set.sheets[0].paper, "A4");
    EXPECT_TRUE(set.sheets[0].pieces.empty());
    EXPECT_EQ(set.sheets[0].parts, 1);

    // One bay of 40 m cannot be cut: 1000 mm at 1/40 needs 1/50 on A1; as a list, A0.
    draft::SplitGuide bays;
    bays.xCuts = {0, 40000, 80000};
    bays.yCuts = {10000, 0};
    const draft::DrawingBox wide{0, 0, 80000, 10000, false};
    set = draft::layoutSheets(wide, &bays, 40, "");
    EXPECT_TRUE(set.sheets.empty());
    EXPECT_EQ(set.error, "図面の一区画が A1 に入りません。S=1/50 なら入ります。");
    set = draft::layoutSheets(wide, &bays, 40, "A1", draft::SheetSize::Fixed);
    EXPECT_EQ(set.error, "図面の一区画が A1 に入りません。A0 なら入ります。");
    // Without a guide it is refused whole, as before.
    EXPECT_EQ(draft::layoutSheets(wide, nullptr, 40, "A3").error.rfind("図面が A3 に入りません。S=1/", 0), 0u);
}

TEST(SheetSplit, LinesAreClippedAtThePieceEdges)
{
    const draft::SheetPiece piece{0, 0, 100, 50, {0, 0}, {0, 0}};
    double x1 = -50, y1 = 25, x2 = 150, y2 = 25;
    ASSERT_TRUE(draft::clipToPiece(piece, x1, y1, x2, y2));
    EXPECT_NEAR(x1, 0, 1e-5);
    EXPECT_NEAR(x2, 100, 1e-5);
    x1 = 120, y1 = 0, x2 = 130, y2 = 50;
    EXPECT_FALSE(draft::clipToPiece(piece, x1, y1, x2, y2));
    x1 = 100, y1 = -10, x2 = 100, y2 = 60;  // on the cut: kept, for both neighbours draw their edge
    ASSERT_TRUE(draft::clipToPiece(piece, x1, y1, x2, y2));
    EXPECT_NEAR(y1, 0, 1e-5);
    EXPECT_NEAR(y2, 50, 1e-5);
}

}  // namespace
