// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting a line leaves no gap in the lines it met: what the erase painted over is drawn again
// at once, and nothing else is.
#include "editor/erase_repair.h"
#include "test_dispatcher_harness.h"

namespace cmd = editor::cmd;
using testing_support::RecordingCanvas;

namespace {

class EraseRepairTest : public testing_support::EditorTest {
protected:
    // Lines drawn in the colour after the first white stroke, between the two world points.
    int drawnAfterErase(double x1, double y1, double x2, double y2, int colour)
    {
        const editor::PixelPoint a = px(x1, y1), b = px(x2, y2);
        bool erased = false;
        int n = 0;
        for (const RecordingCanvas::Line& l : canvas.lines) {
            if (l.colour == editor::kWhite) erased = true;
            const bool same = (l.x1 == a.x && l.y1 == a.y && l.x2 == b.x && l.y2 == b.y) ||
                              (l.x1 == b.x && l.y1 == b.y && l.x2 == a.x && l.y2 == a.y);
            if (erased && same && l.colour == colour) ++n;
        }
        return n;
    }
};

TEST_F(EraseRepairTest, DeleteDrawsTheNeighboursItsErasePaintedOver)
{
    const int doomed = addLine(1000, 1000, 5000, 1000);
    addLine(5000, 1000, 5000, 5000);  // meets it at its end
    addLine(3000, 0, 3000, 2000);     // crosses it
    addLine(1000, 8000, 3000, 8000);  // far away
    canvas.reset();
    dispatcher.DispatchCommand(cmd::DELETE);
    left(2000, 1000);
    ASSERT_TRUE(session.store.isDead(doomed));
    ASSERT_GT(canvas.linesInColour(editor::kWhite), 0);
    EXPECT_EQ(drawnAfterErase(5000, 1000, 5000, 5000, model::kNewLineColour), 1);
    EXPECT_EQ(drawnAfterErase(3000, 0, 3000, 2000, model::kNewLineColour), 1);
    EXPECT_EQ(drawnAfterErase(1000, 8000, 3000, 8000, model::kNewLineColour), 0);
    EXPECT_EQ(drawnAfterErase(1000, 1000, 5000, 1000, model::kNewLineColour), 0);
    EXPECT_EQ(canvas.clears, 0);  // no full redraw was needed for it
}

TEST_F(EraseRepairTest, MembersBackToLinesDrawTheCrossingLineAgain)
{
    addLine(1000, 1000, 5000, 1000, 0, 0, model::kind::GIRDER);
    addLine(3000, 0, 3000, 2000);  // crosses the girder
    canvas.reset();
    dispatcher.DispatchCommand(cmd::MEMBERS_TO_LINES);
    left(2000, 1000);
    ASSERT_TRUE(live(model::kind::GIRDER).empty());
    ASSERT_GT(canvas.linesInColour(editor::kWhite), 0);
    EXPECT_EQ(drawnAfterErase(3000, 0, 3000, 2000, model::kNewLineColour), 1);
    EXPECT_EQ(canvas.clears, 0);
}

TEST(PixelMask, MarksAreWidenedByOnePixelAndClippedToTheCanvas)
{
    editor::PixelMask mask(100, 100);
    EXPECT_TRUE(mask.empty());
    EXPECT_FALSE(mask.touchesLine(0, 0, 99, 99));
    mask.markLine(-50, 10, 20, 10);  // starts off the canvas
    EXPECT_FALSE(mask.empty());
    EXPECT_TRUE(mask.touchesLine(0, 11, 0, 30));
    EXPECT_TRUE(mask.touchesLine(21, 0, 21, 50));
    EXPECT_FALSE(mask.touchesLine(23, 0, 23, 50));
    EXPECT_FALSE(mask.touchesLine(0, 13, 50, 13));
    EXPECT_TRUE(mask.touchesRect(15, 5, 30, 9));
    EXPECT_FALSE(mask.touchesRect(40, 40, 60, 60));
    mask.markLine(1000000, 1000000, 2000000, 2000000);  // wholly off the canvas: nothing
    EXPECT_FALSE(mask.touchesLine(90, 90, 99, 99));
}

}  // namespace
