// SPDX-License-Identifier: GPL-3.0-or-later
// The framing plan and elevation draw what the member geometry yields, each line once, with
// marks only when the settings ask and the grid's names and dimensions around them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "draft/alignment_test.h"
#include "draft/drawing_frame.h"
#include "draft/drawing_set.h"
#include "editor/command_codes.h"
#include "model/element_store.h"
#include "model/view_slice.h"
#include "session/session.h"
#include "support/framing_grid.h"
#include "support/recording_platform.h"

using model::ViewMode;
namespace kind = model::kind;

namespace {

// X lines 0, 6000, 10500; Y lines 0, 5000; levels 0, 3000, 6000.
class Framing : public ::testing::Test {
protected:
    Framing()
    {
        testing_support::buildFramingGrid(session);
        session.sections[0] = {1, "G:2:1", "2:G1", "RC:400:800;3::D22;"};
        session.sections[1] = {2, "C:1:1", "1:C1", "RC:600:600;4:3:D22;"};
        session.sections[2] = {3, "B:2:1", "2:B1", "RC:300:600;2::D19;"};
    }
    int add(int k, double x1, double y1, double z1, double x2, double y2, double z2, int secID = 0)
    {
        const int i = session.store.addElem(k, 0, 1, session.store.newUID(), secID, 0, x1, y1, z1, x2, y2, z2, 0);
        session.store.invalidateConnections();
        return i;
    }
    // Runs command 501 for a tab of a view; the drawing store is current afterwards.
    void draw(ViewMode mode, int tab)
    {
        ASSERT_TRUE(model::selectSlice(session.grid, mode, tab, session.view));
        const auto drawing = draft::drawingForCode(editor::cmd::DRAW_FRAMING, session);
        ASSERT_TRUE(drawing);
        EXPECT_EQ(drawing->caption, mode == ViewMode::Plan ? "伏図" : "軸組図");
        ASSERT_TRUE(frame.run(drawing->scale, drawing->store, drawing->generate));
    }
    int lines(int layer, int kindCode = kind::LINE) const
    {
        int n = 0;
        for (int i = -1; session.store.nextLive(i);)
            n += session.store.at(i).LY == layer && session.store.at(i).kind == kindCode;
        return n;
    }
    bool saysText(const std::string& text) const
    {
        for (const model::Moji& m : session.texts.entries())
            if (m.text == text) return true;
        return false;
    }

    testing_support::RecordingPlatform platform;
    model::Session session{platform};
    draft::DraftState state;
    draft::DrawingFrame frame{session, state};
};

}  // namespace

TEST_F(Framing, AGridLinePresentTwiceIsDrawnOnce)
{
    draw(ViewMode::Plan, 0);
    const int once = lines(8, kind::DASHDOT);
    // The axes of every level project onto the plan's first Y line: those collapse as well.
    std::set<std::tuple<double, double, double, double>> distinct;
    for (int i = -1; session.store.nextLive(i);) {
        const model::Element& e = session.store.at(i);
        if (e.kind == kind::DASHDOT) distinct.insert({e.X1, e.Y1, e.X2, e.Y2});
    }
    EXPECT_EQ(static_cast<int>(distinct.size()), once);
    EXPECT_EQ(once, 5);  // three X lines and two Y lines
    frame.close();

    int base = -1;
    for (int i = -1; session.store.nextLive(i);)
        if (session.store.at(i).kind == kind::BASE) base = i;
    const model::Element e = session.store.at(base);
    add(kind::BASE, e.X2, e.Y2, e.Z2, e.X1, e.Y1, e.Z1);  // the same line, drawn the other way
    draw(ViewMode::Plan, 0);
    EXPECT_EQ(lines(8, kind::DASHDOT), once);
}

TEST_F(Framing, MarksAreWrittenOnlyWhenMemberNamesAreShown)
{
    add(kind::COLUMN, 0, 0, 0, 0, 0, 3000, 2);
    add(kind::GIRDER, 0, 0, 3000, 6000, 0, 3000, 1);
    add(kind::BEAM, 3000, 0, 3000, 3000, 5000, 3000, 3);
    draw(ViewMode::Plan, 1);
    EXPECT_TRUE(saysText("G1"));
    EXPECT_TRUE(saysText("B1"));  // small beams belong to the plan
    EXPECT_FALSE(saysText("C1"));  // columns are never named in plan
    frame.close();
    draw(ViewMode::ElevationXZ, 0);
    EXPECT_TRUE(saysText("G1"));
    EXPECT_TRUE(saysText("C1"));
    EXPECT_FALSE(saysText("B1"));  // nor small beams drawn in a frame
    frame.close();

    session.settings.env.ShowMemberName = false;
    // Left: the grid names and the dimensions (plan 5 + 3, Y frame 6 + 4).
    draw(ViewMode::Plan, 1);
    EXPECT_EQ(session.texts.count(), 5 + 3);
    frame.close();
    draw(ViewMode::ElevationXZ, 0);
    EXPECT_EQ(session.texts.count(), 6 + 4);
    EXPECT_FALSE(saysText("G1"));
}

TEST_F(Framing, DimensionsSayTheSpansInWholeMillimetres)
{
    draw(ViewMode::Plan, 0);
    EXPECT_TRUE(saysText("6000"));
    EXPECT_TRUE(saysText("4500"));
    EXPECT_TRUE(saysText("5000"));
    EXPECT_EQ(model::dimensionText(4500.4), "4500");
    // 2 + 1 dimensions, each with two extension lines of its own (none shared at X1).
    EXPECT_EQ(lines(6), 3 + 2 * 3);
    frame.close();
    draw(ViewMode::ElevationXZ, 1);
    EXPECT_TRUE(saysText("3000"));
    EXPECT_TRUE(saysText("4500"));
    EXPECT_FALSE(saysText("5000"));  // Y spans do not show in a Y frame
}

TEST_F(Framing, PlanDrawsOnlyColumnsStandingAtTheLevel)
{
    add(kind::COLUMN, 0, 0, 0, 0, 0, 3000, 2);
    add(kind::COLUMN, 0, 0, 3000, 0, 0, 6000, 2);
    add(kind::COLUMN, 6000, 0, 3000, 6000, 0, 6000, 2);  // stands on the first floor only
    const int perColumn = 4;
    draw(ViewMode::Plan, 0);
    EXPECT_EQ(lines(2), perColumn);
    frame.close();
    draw(ViewMode::Plan, 1);  // the two stacked columns keep a rectangle each
    EXPECT_EQ(lines(2), 3 * perColumn);
    frame.close();
    draw(ViewMode::Plan, 2);
    EXPECT_EQ(lines(2), 2 * perColumn);
}

TEST_F(Framing, AnEndLineTwoGirdersShareIsDrawnOnce)
{
    add(kind::GIRDER, 0, 0, 3000, 6000, 0, 3000, 1);
    add(kind::GIRDER, 6000, 0, 3000, 10500, 0, 3000, 1);
    draw(ViewMode::Plan, 1);
    EXPECT_EQ(lines(1), 2 * 2 + 3);  // two sides each; free ends at 0, 6000 (shared) and 10500
    frame.close();
    draw(ViewMode::ElevationXZ, 0);
    EXPECT_EQ(lines(1), 2 * 2 + 3);
}

TEST_F(Framing, AlignmentTestPutsEveryAlignmentAtEveryAngle)
{
    draft::Drafter d(session);
    session.store.clear();
    session.texts.clear();
    session.settings.draft.ListScale = 50;
    draft::drawAlignmentTest(d);
    EXPECT_EQ(lines(8), 9 + 12);
    ASSERT_EQ(session.texts.count(), 9 * 12);
    const model::Moji& last = session.texts.at(9 * 12 - 1);
    EXPECT_EQ(last.text, "てすと");
    EXPECT_EQ(last.nBase, 9);
    EXPECT_DOUBLE_EQ(last.angle, 330);
    EXPECT_DOUBLE_EQ(last.x, 11000);
    EXPECT_DOUBLE_EQ(last.y, -8000);
    EXPECT_DOUBLE_EQ(last.height, 150);  // ListMojiHeight 3 at 1/50
    EXPECT_EQ(last.colour, 0x0000FF);
}

TEST_F(Framing, GridNamesSitOneTextHeightBeyondTheGridWhateverTheWindowShows)
{
    session.settings.draft.DrawScale = 50;  // text height 3 x 50 = 150
    draw(ViewMode::Plan, 0);
    const double beyond = 150 + 4000;  // the first storey (3000) is less than 4000
    bool sawX1 = false, sawY1 = false;
    for (const model::Moji& m : session.texts.entries()) {
        if (m.text == "X1") {
            sawX1 = true;
            EXPECT_DOUBLE_EQ(m.x, 6000);
            EXPECT_DOUBLE_EQ(m.y, 5000 + beyond);
            EXPECT_EQ(m.nBase, 8);
        }
        if (m.text == "Y1") {
            sawY1 = true;
            EXPECT_DOUBLE_EQ(m.x, 10500 + beyond);
            EXPECT_DOUBLE_EQ(m.y, 5000);
            EXPECT_EQ(m.nBase, 4);
        }
    }
    EXPECT_TRUE(sawX1 && sawY1);
}

TEST_F(Framing, RebarDrawingIsAnnotatedOnce)
{
    add(kind::COLUMN, 0, 0, 0, 0, 0, 3000, 2);
    add(kind::GIRDER, 0, 0, 3000, 6000, 0, 3000, 1);
    ASSERT_TRUE(model::selectSlice(session.grid, ViewMode::ElevationXZ, 0, session.view));
    const auto drawing = draft::drawingForCode(editor::cmd::DRAW_REBAR, session);
    ASSERT_TRUE(drawing);
    EXPECT_EQ(drawing->caption, "配筋図");
    ASSERT_TRUE(frame.run(drawing->scale, drawing->store, drawing->generate));
    int names = 0, spans = 0;
    for (const model::Moji& m : session.texts.entries()) {
        names += m.text == "X2";
        spans += m.text == "4500";
    }
    EXPECT_EQ(names, 1);
    EXPECT_EQ(spans, 1);
}
