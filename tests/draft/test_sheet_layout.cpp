// SPDX-License-Identifier: GPL-3.0-or-later
// Sheets: the smallest A sheet that holds the drawing at its scale with 10 mm margins, a
// named paper that is too small refused with a scale that fits, lengths true at 1/S, and the
// text boxes counted in the drawing's extent as the DXF writer places them.
#include <gtest/gtest.h>

#include "draft/pen_width.h"
#include "draft/sheet_layout.h"
#include "model/element_store.h"
#include "model/text_buffer.h"

namespace {

draft::DrawingBox box(double w, double h) { return {0, 0, w, h, false}; }

TEST(SheetLayout, SmallestSheetLandscapeFirstThenPortrait)
{
    // 12 m x 8 m at 1/40: 300 x 200 mm fits A3 landscape (420 x 297), not A4.
    auto r = draft::layoutSheet(box(12000, 8000), 40, draft::kAutoPaper);
    ASSERT_TRUE(r.sheet) << r.error;
    EXPECT_EQ(r.sheet->paper, "A3");
    EXPECT_TRUE(r.sheet->landscape);
    EXPECT_EQ(r.sheet->width, 420);
    EXPECT_EQ(r.sheet->height, 297);
    // A tall drawing, 180 x 240 mm, fits A4 portrait with the title block below it.
    r = draft::layoutSheet(box(7200, 9600), 40, "");
    ASSERT_TRUE(r.sheet);
    EXPECT_EQ(r.sheet->paper, "A4");
    EXPECT_FALSE(r.sheet->landscape);
    EXPECT_EQ(r.sheet->height, 297);
    // Exactly the paper less the margins and the title block still fits, above it or beside it.
    r = draft::layoutSheet(box(277 * 40, (190 - 28) * 40), 40, "");
    ASSERT_TRUE(r.sheet);
    EXPECT_EQ(r.sheet->paper, "A4");
    r = draft::layoutSheet(box((277 - 100) * 40, 190 * 40), 40, "");
    ASSERT_TRUE(r.sheet);
    EXPECT_EQ(r.sheet->paper, "A4");
    EXPECT_DOUBLE_EQ(r.sheet->toSheet((277 - 100) * 40, 0).x, 297 - 10 - 100);  // touches the block
    r = draft::layoutSheet(box(277 * 40, 190 * 40), 40, "");
    ASSERT_TRUE(r.sheet);
    EXPECT_EQ(r.sheet->paper, "A3");
}

TEST(SheetLayout, LengthsMeasureTrueAtTheScaleAndTheDrawingIsCentred)
{
    auto r = draft::layoutSheet({-3000, 1000, 9000, 9000, false}, 100, "A3");
    ASSERT_TRUE(r.sheet);
    const draft::Sheet& s = *r.sheet;
    const model::Point a = s.toSheet(0, 0), b = s.toSheet(6000, 0);
    EXPECT_DOUBLE_EQ(b.x - a.x, 60);  // 6000 mm of building at 1/100
    const model::Point lo = s.toSheet(-3000, 1000), hi = s.toSheet(9000, 9000);
    // Centred across the sheet, and in the height above the title block.
    EXPECT_DOUBLE_EQ(lo.x + hi.x, s.width);
    EXPECT_DOUBLE_EQ(lo.y + hi.y, s.height + 28);
}

TEST(SheetLayout, TooBigIsRefusedWithAScaleThatFits)
{
    // 100 m x 60 m at 1/40 is 2.5 m long: A0 holds it from 1/100 on.
    auto r = draft::layoutSheet(box(100000, 60000), 40, draft::kAutoPaper);
    EXPECT_FALSE(r.sheet);
    EXPECT_EQ(r.error, "図面が A0 に入りません。S=1/100 なら入ります。");
    r = draft::layoutSheet(box(12000, 8000), 40, "A4");
    EXPECT_FALSE(r.sheet);
    EXPECT_EQ(r.error, "図面が A4 に入りません。S=1/50 なら入ります。");
    // A section list is as large on paper at any scale: only a larger sheet can hold it.
    r = draft::layoutSheet(box(12000, 8000), 40, "A4", draft::SheetSize::Fixed);
    EXPECT_EQ(r.error, "図面が A4 に入りません。A3 なら入ります。");
    r = draft::layoutSheet(box(100000, 60000), 40, draft::kAutoPaper, draft::SheetSize::Fixed);
    EXPECT_EQ(r.error, "図面が A0 に入りません。リストは縮尺を変えても用紙の上では同じ大きさです。");
    EXPECT_FALSE(draft::layoutSheet(box(10, 10), 40, "B5").sheet);
    EXPECT_FALSE(draft::layoutSheet(box(10, 10), 0, "").sheet);
}

TEST(SheetLayout, TextBoxesCountInTheDrawingBox)
{
    model::ElementStore store;
    store.addElem(model::kind::LINE, 0, 1, 1, 0, 0, 0, 0, 0, 1000, 0, 0, 0);
    model::TextBuffer texts;
    // "AB" 100 high, centred (nBase 5) on (0, 0): the box runs from (-50, -50) to (50, 50).
    texts.addMoji(5, "AB", 0, 0, 100, 0, 0, "1", 0);
    const draft::DrawingBox b = draft::drawingBox(store, texts, {7, 0.5});
    EXPECT_DOUBLE_EQ(b.minX, -50);
    EXPECT_DOUBLE_EQ(b.minY, -50);
    EXPECT_DOUBLE_EQ(b.maxX, 1000);
    EXPECT_DOUBLE_EQ(b.maxY, 50);
    EXPECT_EQ(draft::titleRows("伏図 2層", "/home/u/ビル.kel", 100, "2026-12-08"),
              (std::vector<std::string>{"伏図 2層", "ビル.kel", "S=1/100", "2026-12-08"}));
}

TEST(PenWidth, EveryPenPrintsBetweenTheFinestAndTheWidestLine)
{
    for (int pen = -1; pen <= 17; ++pen) {
        EXPECT_GE(draft::penWidth(pen), draft::kThinnestPen) << pen;
        EXPECT_LE(draft::penWidth(pen), draft::kWidestPen) << pen;
    }
    // Outlines stand out from dimensions and grid lines.
    EXPECT_GT(draft::penWidth(1), draft::penWidth(6));
    EXPECT_GT(draft::penWidth(2), draft::penWidth(8));
}

}  // namespace
