// SPDX-License-Identifier: GPL-3.0-or-later
// The plan shows each slice as an engineer reads it: outlines sized by sections, grid names beyond the last lines, nothing off screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "editor/plan_renderer.h"
#include "model/element_store.h"
#include "session/grid_build.h"
#include "session/session.h"
#include "support/recording_canvas.h"
#include "support/recording_platform.h"

using editor::ColourMode;
using editor::PenMode;
using editor::PenStyle;
using editor::PixelPoint;
using editor::PlanRenderer;
using editor::PlanScene;
using model::Point;
using testing_support::RecordingCanvas;
namespace kind = model::kind;

namespace {

constexpr int kGirderSec = 1;  // b 300, D 600
constexpr int kColumnSec = 2;  // Dx 500, Dy 400

class PlanRender : public ::testing::Test {
protected:
    PlanRender()
    {
        session.sections[0] = {kGirderSec, "G:1:1", "1F:G1", "RC:300:600:300:600:300:600;3::D22;"};
        session.sections[1] = {kColumnSec, "C:1:1", "1F:C1", "RC:500:400;4:3:D22;"};
        transform.setCanvasSize(1000, 1000);
        window(10000, 3000, 0);  // -2000..8000 by -5000..5000, 10 units per pixel
        switches.DrawBaseLine = false;
        switches.DrawDim = false;
    }

    void window(double size, double cx, double cy) { transform.SetView(size, size, cx, cy); }
    PlanRenderer renderer() { return PlanRenderer(canvas, transform, dots, switches); }
    bool render()
    {
        canvas.reset();
        return renderer().Redraw(PlanScene::of(session), control);
    }
    int add(int k, double x1, double y1, double z1, double x2, double y2, double z2, int secID = 0, int colour = 0)
    {
        return session.store.addElem(k, 0, 1, uid++, secID, 0, x1, y1, z1, x2, y2, z2, colour);
    }
    // A FLOOR or TURTLE on level z through the given vertices.
    int polygon(int k, const std::vector<Point>& vertices, double z = 0)
    {
        int head = add(k, 0, 0, z, 0, 0, z);
        session.store.at(head).ndata = static_cast<int>(vertices.size()) + 1;
        for (const Point& p : vertices) {
            int i = session.store.appendBlank();
            model::Element& e = session.store.at(i);
            e.kind = kind::CONTINUE;
            e.ndata = 1;
            e.showAge = 1;
            e.X1 = e.X2 = p.x;
            e.Y1 = e.Y2 = p.y;
            e.Z1 = e.Z2 = z;
        }
        return head;
    }
    PixelPoint px(double x, double y)
    {
        PixelPoint p;
        transform.ToPixel(x, y, p);
        return p;
    }
    bool drew(Point a, Point b)
    {
        PixelPoint p = px(a.x, a.y), q = px(b.x, b.y);
        return canvas.hasLine(p.x, p.y, q.x, q.y);
    }

    testing_support::RecordingPlatform platform;
    model::Session session{platform};
    RecordingCanvas canvas{1000, 1000};
    editor::ViewTransform transform;
    editor::DotGrid dots;
    editor::DisplaySwitches switches;
    editor::RenderControl control;
    int uid = 1;
};

// A canvas with real pixels, for what XOR drawing leaves behind.
class RasterCanvas : public editor::Canvas {
public:
    RasterCanvas(int w, int h) : w_(w), h_(h), pixels_(static_cast<size_t>(w * h), 0xFFFFFF) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    void clear() override { std::fill(pixels_.begin(), pixels_.end(), 0xFFFFFF); }
    void line(int x1, int y1, int x2, int y2, int colour, PenStyle, PenMode mode) override
    {
        // Bresenham without the end pixel.
        int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
        int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
        int err = dx + dy;
        while (!(x1 == x2 && y1 == y2)) {
            if (x1 >= 0 && y1 >= 0 && x1 < w_ && y1 < h_) {
                int& p = pixels_[static_cast<size_t>(y1 * w_ + x1)];
                p = mode == PenMode::Xor ? (p ^ colour) : colour;
            }
            int e2 = 2 * err;
            if (e2 >= dy) { err += dy; x1 += sx; }
            if (e2 <= dx) { err += dx; y1 += sy; }
        }
    }
    void circle(int, int, int, int, PenMode) override {}
    void arc(int, int, int, double, double, int, PenMode) override {}
    void text(int, int, const std::string&, int, double, int, const std::string&) override {}
    int at(int x, int y) const { return pixels_[static_cast<size_t>(y * w_ + x)]; }
    int nonWhite() const
    {
        int n = 0;
        for (int p : pixels_) n += p != 0xFFFFFF;
        return n;
    }

private:
    int w_, h_;
    std::vector<int> pixels_;
};

}  // namespace

TEST_F(PlanRender, GirderOutlineRunsBetweenColumnFacesWithTheOffsets)
{
    session.view.plane = 3000;
    add(kind::COLUMN, 0, 0, 0, 0, 0, 3000, kColumnSec);
    int c2 = add(kind::COLUMN, 6000, 0, 0, 6000, 0, 3000, kColumnSec);
    session.store.at(c2).OX = 100;
    int g = add(kind::GIRDER, 0, 0, 3000, 6000, 0, 3000, kGirderSec);
    session.store.at(g).OY = 100;
    ASSERT_TRUE(render());
    // b = 300 about y = 100; from x = 0 + 250 to 6000 - 250 + 100 (the second column's offset).
    EXPECT_TRUE(drew({250, 250}, {5850, 250}));
    EXPECT_TRUE(drew({250, -50}, {5850, -50}));
    // Columns: Dx 500 by Dy 400 about their own points, offsets included.
    EXPECT_TRUE(drew({-250, -200}, {250, -200}));
    EXPECT_TRUE(drew({6350, -200}, {6350, 200}));
    // The mark name sits above the first outline line, centred on it.
    auto names = canvas.textsSaying("G1");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].left + 6, px(3050, 250).x);
    EXPECT_LT(names[0].top, px(3050, 250).y);
    EXPECT_EQ(names[0].face, editor::kCanvasFontFace);
    EXPECT_TRUE(canvas.textsSaying("C1").empty());  // never in plan
}

TEST_F(PlanRender, GirderAlongYUsesColumnDepthAndRunsToTheEndWithoutAColumn)
{
    add(kind::COLUMN, 0, 4000, -3000, 0, 4000, 0, kColumnSec);  // below the far end
    int g = add(kind::GIRDER, 0, 0, 0, 0, 4000, 0, kGirderSec);
    session.store.at(g).memberNo = 7;
    switches.ShowMemberName = false;
    switches.ShowNumber = true;
    ASSERT_TRUE(render());
    EXPECT_TRUE(drew({150, 0}, {150, 3800}));
    EXPECT_TRUE(drew({-150, 0}, {-150, 3800}));
    EXPECT_TRUE(canvas.textsSaying("G1").empty());
    auto number = canvas.textsSaying("G7");
    ASSERT_EQ(number.size(), 1u);  // anchor 1: the box hangs from the midpoint
    EXPECT_EQ(number[0].left, px(0, 2000).x);
    EXPECT_EQ(number[0].top, px(0, 2000).y);
}

TEST_F(PlanRender, ObliqueGirderStillShowsItsCentreLine)
{
    add(kind::GIRDER, 0, 0, 0, 3000, 2000, 0, kGirderSec);
    ASSERT_TRUE(render());
    EXPECT_TRUE(drew({0, 0}, {3000, 2000}));
}

TEST_F(PlanRender, AColumnShowsAtItsTopAndAtItsFootOnlyWithoutAColumnBelow)
{
    add(kind::COLUMN, 0, 0, 0, 0, 0, 3000, kColumnSec);
    add(kind::COLUMN, 0, 0, 3000, 0, 0, 6000, kColumnSec);
    for (double level : {0.0, 3000.0, 6000.0}) {
        session.view.plane = level;
        ASSERT_TRUE(render());
        EXPECT_EQ(canvas.lines.size(), 4u) << "level " << level;
    }
    session.view.plane = 9000;
    ASSERT_TRUE(render());
    EXPECT_TRUE(canvas.lines.empty());
}

TEST_F(PlanRender, FrameColumnSidesAndGirderLinesMeetAtTheFaces)
{
    session.view.mode = model::ViewMode::ElevationXZ;
    session.view.plane = 0;
    transform.SetView(20000, 20000, 0, 1500);
    add(kind::COLUMN, 0, 0, 0, 0, 0, 3000, kColumnSec);
    int top = add(kind::GIRDER, -6000, 0, 3000, 0, 0, 3000, kGirderSec);   // ends at the column's top
    int foot = add(kind::GIRDER, 0, 0, 0, 6000, 0, 0, kGirderSec);         // starts at its foot
    session.store.at(top).OZ = -300;
    session.store.at(foot).OZ = -300;
    ASSERT_TRUE(render());
    // Left side: from under the girder that starts at the foot to under the girder ending on top.
    EXPECT_TRUE(drew({-250, -600}, {-250, 2400}));
    // Right side: from the top of the foot girder to the top of the girder ending on top.
    EXPECT_TRUE(drew({250, 0}, {250, 3000}));
    // The top girder's upper line crosses the column (nothing stands on it), its lower line stops at it.
    EXPECT_TRUE(drew({-6000, 3000}, {250, 3000}));
    EXPECT_TRUE(drew({-6000, 2400}, {-250, 2400}));
    // The foot girder has nothing below: its lower line runs on under the column above.
    EXPECT_TRUE(drew({-250, -600}, {6000, -600}));
    EXPECT_TRUE(drew({250, 0}, {6000, 0}));
    auto name = canvas.textsSaying("C1");
    ASSERT_EQ(name.size(), 1u);
    EXPECT_NEAR(name[0].angleDeg, 90, 1e-9);
}

TEST_F(PlanRender, LinesOffScreenAreSkippedAndFarOnesStayDrawable)
{
    add(kind::LINE, -9000, 0, 0, -6000, 0, 0);
    add(kind::LINE, 0, 6000, 0, 5000, 9000, 0);
    ASSERT_TRUE(render());
    EXPECT_TRUE(canvas.lines.empty());
    add(kind::LINE, -1e12, 100, 0, 1e12, 100, 0);
    ASSERT_TRUE(render());
    ASSERT_EQ(canvas.lines.size(), 1u);
    const auto& l = canvas.lines[0];
    EXPECT_EQ(l.y1, px(0, 100).y);
    EXPECT_EQ(l.y2, px(0, 100).y);
    EXPECT_LT(std::min(l.x1, l.x2), 0);
    EXPECT_GT(std::max(l.x1, l.x2), 1000);
    EXPECT_LT(std::abs(l.x1) + std::abs(l.x2), 10000);  // cut back near the canvas
}

TEST_F(PlanRender, GridNamesSitBeyondTheLastLinesAndDimensionsChainTheSpans)
{
    ASSERT_GT(model::buildGrid(session, model::GridSpec{}), 0);  // X 0..10000, Y 0..12000, levels 0..6000
    model::makeGridNames(session.grid, session.settings.draft.gridNaming);
    switches.DrawBaseLine = true;
    switches.DrawDim = true;
    transform.SetView(40000, 40000, 5000, 6000);  // 40 units per pixel
    ASSERT_TRUE(render());
    const double e = 12 * 40 + 4000;  // text height in world units plus the 4000 minimum
    for (int i = 0; i < 3; ++i) {
        auto t = canvas.textsSaying("X" + std::to_string(i));
        ASSERT_EQ(t.size(), 1u);
        PixelPoint at = px(5000.0 * i, 12000 + e);
        EXPECT_EQ(t[0].left, at.x - 6);   // centred: 2 bytes at 12 pixels
        EXPECT_EQ(t[0].top, at.y - 14);   // above the point
        EXPECT_EQ(t[0].colour, editor::kRed);
    }
    for (int j = 0; j < 4; ++j) {
        auto t = canvas.textsSaying("Y" + std::to_string(j));
        ASSERT_EQ(t.size(), 1u);
        PixelPoint at = px(10000 + e, 4000.0 * j);
        EXPECT_EQ(t[0].left, at.x);
        EXPECT_EQ(t[0].top, at.y - 6);
    }
    EXPECT_EQ(canvas.textsSaying("5000").size(), 2u);
    EXPECT_EQ(canvas.textsSaying("4000").size(), 3u);
    // Top chain: d = 1500 above the last Y line, dimension line shifted a further 1000 up.
    EXPECT_TRUE(drew({0, 14500}, {5000, 14500}));
    EXPECT_TRUE(drew({0, 13500}, {0, 14500}));
    int dashDot = 0;
    for (const auto& l : canvas.lines) dashDot += l.style == PenStyle::DashDot && l.colour == 0xFFFF00;
    EXPECT_GT(dashDot, 0);

    session.view.mode = model::ViewMode::ElevationXZ;
    ASSERT_TRUE(render());
    EXPECT_EQ(canvas.textsSaying("Z2").size(), 1u);
    EXPECT_EQ(canvas.textsSaying("3000").size(), 2u);  // storey heights beside the frame
    EXPECT_TRUE(canvas.textsSaying("Y0").empty());

    switches.DrawBaseLine = false;
    switches.DrawDim = false;
    ASSERT_TRUE(render());
    EXPECT_TRUE(canvas.texts.empty());
    EXPECT_EQ(canvas.linesInColour(0xFFFF00), 0);
}

TEST_F(PlanRender, GridLinesLeftOfTheFirstLineAreClipped)
{
    ASSERT_GT(model::buildGrid(session, model::GridSpec{}), 0);
    switches.DrawBaseLine = true;
    session.store.addElem(kind::BASE, 0, 1, 9999, 0, 0, -1500, 100, 0, -200, 100, 0, 0x123456);
    ASSERT_TRUE(render());
    EXPECT_EQ(canvas.linesInColour(0x123456), 0);
    EXPECT_GT(canvas.linesInColour(0xFFFF00), 0);
}

TEST_F(PlanRender, AbortFlagStopsTheElementLoop)
{
    for (int i = 0; i < 100; ++i) add(kind::LINE, 0, i * 10.0, 0, 1000, i * 10.0, 0);
    control.pollEvery = 10;
    control.pollInput = [this] { control.requestAbort(); };
    EXPECT_FALSE(render());
    EXPECT_EQ(canvas.lines.size(), 9u);
    control.pollInput = nullptr;
    EXPECT_TRUE(render());  // a new redraw clears the flag
    EXPECT_EQ(canvas.lines.size(), 100u);
}

TEST_F(PlanRender, ARedrawStartedWhileAnotherPollsEndsTheOlderOne)
{
    for (int i = 0; i < 100; ++i) add(kind::LINE, 0, i * 10.0, 0, 1000, i * 10.0, 0);
    RecordingCanvas inner{1000, 1000};
    bool nestedResult = false;
    int polls = 0;
    control.pollEvery = 30;
    control.pollInput = [&] {
        if (polls++ > 0) return;
        PlanRenderer again(inner, transform, dots, switches);
        nestedResult = again.Redraw(PlanScene::of(session), control);
    };
    EXPECT_FALSE(render());
    EXPECT_TRUE(nestedResult);
    EXPECT_EQ(inner.lines.size(), 100u);
    EXPECT_EQ(canvas.lines.size(), 29u);
}

TEST_F(PlanRender, XorMarksShowTheTransientColourAndVanishWhenDrawnAgain)
{
    RasterCanvas raster(40, 40);
    editor::ViewTransform v;
    v.setCanvasSize(40, 40);
    v.SetView(400, 400, 200, 200);
    editor::WorldPainter painter(raster, v);
    painter.xorPlus({20, 20}, 10);
    EXPECT_EQ(raster.at(20, 20), editor::kTransientColour);  // the centre is not inverted twice
    EXPECT_EQ(raster.at(10, 20), editor::kTransientColour);
    EXPECT_EQ(raster.at(30, 20), editor::kTransientColour);
    EXPECT_EQ(raster.at(20, 30), editor::kTransientColour);
    EXPECT_EQ(raster.nonWhite(), 21 + 20);
    painter.xorPlus({20, 20}, 10);
    EXPECT_EQ(raster.nonWhite(), 0);

    painter.DrawLine(0xFF0000, false, PenStyle::Solid, {0, 50}, {300, 50});  // a blue rubber band
    EXPECT_EQ(raster.at(10, 35), 0xFF0000);
    painter.DrawLine(0xFF0000, false, PenStyle::Solid, {0, 50}, {300, 50});
    EXPECT_EQ(raster.nonWhite(), 0);
}

TEST_F(PlanRender, TextAnchorsUseTheCp932Width)
{
    editor::WorldPainter painter(canvas, transform);
    painter.DrawText("ABCD", 0, 8, 0, 12, {3000, 0});
    ASSERT_EQ(canvas.texts.size(), 1u);
    EXPECT_EQ(canvas.texts[0].left, px(3000, 0).x - 12);
    EXPECT_EQ(canvas.texts[0].top, px(3000, 0).y - 14);
    painter.DrawText("梁", 0, 3, 0, 12, {3000, 0});  // 2 bytes in CP932, 3 in UTF-8
    EXPECT_EQ(canvas.texts[1].left, px(3000, 0).x - 12);
    EXPECT_EQ(canvas.texts[1].top, px(3000, 0).y);
    // Turned a quarter: the shifts turn with it.
    PixelPoint tl = editor::textTopLeft({100, 100}, 8, 12, 90, 4);
    EXPECT_EQ(tl, (PixelPoint{100 - 14, 100 + 12}));
}

TEST_F(PlanRender, TextAlongALineReadsLeftToRight)
{
    EXPECT_NEAR(editor::readableAngle({100, 0}, {0, 0}), 0, 1e-9);
    EXPECT_NEAR(editor::readableAngle({0, 100}, {0, 0}), 90, 1e-9);
    EXPECT_NEAR(editor::readableAngle({0, 0}, {0, 100}), 90, 1e-9);
    EXPECT_NEAR(editor::readableAngle({0, 0}, {-100, -100}), 45, 1e-9);
    EXPECT_NEAR(editor::readableAngle({0, 0}, {model::cosDeg(91), model::sinDeg(91)}), 91, 1e-9);
    EXPECT_NEAR(editor::readableAngle({0, 0}, {model::cosDeg(120), model::sinDeg(120)}), 300, 1e-9);
}

TEST_F(PlanRender, DirectionArrowOnlyOnLinesLongerThanIt)
{
    switches.SHowHelper = true;
    add(kind::LINE, 0, 0, 0, 150, 0, 0);
    ASSERT_TRUE(render());
    EXPECT_EQ(canvas.lines.size(), 1u);
    add(kind::LINE, 0, 1000, 0, 250, 1000, 0);
    ASSERT_TRUE(render());
    EXPECT_EQ(canvas.lines.size(), 1u + 4u);
    // The arrow's tip is the second point and its wings open back towards the first.
    EXPECT_TRUE(drew({250 - 200 * model::cosDeg(15), 1000 + 200 * model::sinDeg(15)}, {250, 1000}));
}

TEST_F(PlanRender, EndMarksAreShortStrokesFivePixelsFromEachEnd)
{
    switches.ShowLineEndMark = true;
    add(kind::LINE, 0, 0, 0, 2000, 0, 0);
    ASSERT_TRUE(render());
    ASSERT_EQ(canvas.lines.size(), 3u);
    PixelPoint a = px(0, 0);
    const auto& mark = canvas.lines[1];
    EXPECT_EQ(mark.x1, mark.x2);  // across the line
    EXPECT_EQ(std::abs(mark.x1 - a.x), 4);  // 5 pixels at 30 degrees: 4.33 along the line
    EXPECT_EQ(std::abs(mark.y1 - mark.y2), 5);
}

TEST_F(PlanRender, FloorsAreInsetSixHundredTowardsTheirLeft)
{
    polygon(kind::FLOOR, {{0, 0}, {3000, 0}, {6000, 0}, {6000, 6000}, {0, 6000}});  // with a straight vertex
    ASSERT_TRUE(render());
    EXPECT_EQ(canvas.lines.size(), 4u);
    EXPECT_TRUE(drew({600, 600}, {5400, 600}));
    EXPECT_TRUE(drew({5400, 5400}, {600, 5400}));

    session.store.clear();
    polygon(kind::FLOOR, {{0, 0}, {0, 6000}, {6000, 6000}, {6000, 0}});  // clockwise
    ASSERT_TRUE(render());
    EXPECT_TRUE(drew({-600, -600}, {-600, 6600}));
    EXPECT_TRUE(drew({6600, 6600}, {6600, -600}));

    session.store.clear();
    polygon(kind::FLOOR, {{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6000}, {0, 6000}});
    ASSERT_TRUE(render());
    EXPECT_EQ(canvas.lines.size(), 6u);
    EXPECT_TRUE(drew({5400, 2400}, {2400, 2400}));  // the inner corner keeps its shape
    EXPECT_TRUE(drew({2400, 2400}, {2400, 5400}));

    session.view.mode = model::ViewMode::ElevationXZ;
    ASSERT_TRUE(render());
    EXPECT_TRUE(canvas.lines.empty());  // plan only
}

TEST_F(PlanRender, DrawElementErasesInWhiteAndNeverDrawsTheDead)
{
    int l = add(kind::LINE, 0, 0, 0, 1000, 0, 0, 0, 0xFF0000);
    int other = add(kind::LINE, 0, 0, 3000, 1000, 0, 3000, 0, 0xFF0000);  // another level
    PlanRenderer r = renderer();
    PlanScene scene = PlanScene::of(session);
    r.DrawElement(scene, l, ColourMode::Erase, false);
    ASSERT_EQ(canvas.lines.size(), 1u);
    EXPECT_EQ(canvas.lines[0].colour, editor::kWhite);
    r.DrawElement(scene, other, ColourMode::Red, false);
    EXPECT_EQ(canvas.lines.size(), 1u);
    r.DrawElement(scene, other, ColourMode::Red, true);
    EXPECT_EQ(canvas.lines.back().colour, editor::kRed);
    r.DrawElement(scene, l, ColourMode::Highlight, false, false);  // XOR preview
    EXPECT_EQ(canvas.lines.back().mode, PenMode::Xor);
    EXPECT_EQ(canvas.lines.back().colour, 0xFFFFFF - editor::kHighlightColour);
    session.store.delElem(l);
    const size_t before = canvas.lines.size();
    r.DrawElement(scene, l, ColourMode::Own, true);
    EXPECT_EQ(canvas.lines.size(), before);
}

TEST_F(PlanRender, DotGridGivesUpOnTooManyDotsButKeepsTheOriginMarks)
{
    transform.SetView(10000, 10000, 5000, 5000);
    dots.gridVisible = true;
    ASSERT_TRUE(render());
    int dotsDrawn = 0, marks = 0;
    for (const auto& l : canvas.lines) {
        if (l.mode == PenMode::Copy && l.x2 == l.x1 + 1 && l.y2 == l.y1 + 1) ++dotsDrawn;
        if (l.mode == PenMode::Xor) ++marks;
    }
    EXPECT_EQ(dotsDrawn, 11 * 11);
    EXPECT_GT(marks, 0);
    transform.SetView(250000, 250000, 0, 0);
    ASSERT_TRUE(render());
    for (const auto& l : canvas.lines) EXPECT_EQ(l.mode, PenMode::Xor);
    EXPECT_FALSE(canvas.lines.empty());
}

TEST_F(PlanRender, DrawingModeShowsEveryKindWithItsOwnPenAndScaledTexts)
{
    ASSERT_GT(model::buildGrid(session, model::GridSpec{}), 0);
    model::makeGridNames(session.grid, session.settings.draft.gridNaming);
    switches.DrawBaseLine = true;
    session.view.mode = model::ViewMode::ElevationYZ;  // the drawing ignores the slice
    model::ElementStore drawing;
    drawing.addElem(kind::LINE, 0, 1, 1, 0, 0, 0, 0, 0, 1000, 0, 0, 0x000080);
    drawing.addElem(kind::DASHLINE, 0, 1, 2, 0, 0, 100, 0, 0, 1000, 100, 0, 0);
    drawing.addElem(kind::DOTLINE, 0, 1, 3, 0, 0, 200, 0, 0, 1000, 200, 0, 0);
    drawing.addElem(kind::DASHDOT, 0, 1, 4, 0, 0, 300, 0, 0, 1000, 300, 0, 0);
    drawing.addElem(kind::CIRCLE, 0, 1, 5, 0, 0, 2000, 2000, 0, 1000, 0, 0, 0x008000);
    drawing.addElem(kind::ARC, 0, 1, 6, 0, 0, 2000, 2000, 270, 500, 0, 360, 0);
    model::TextBuffer texts;
    texts.addMoji(5, "通り", 0, 0, 300, 4000, 1000, "7", 0x800080);
    canvas.reset();
    ASSERT_TRUE(renderer().RedrawDrawing(drawing, texts, control));
    ASSERT_EQ(canvas.lines.size(), 4u);
    EXPECT_EQ(canvas.lines[0].style, PenStyle::Solid);
    EXPECT_EQ(canvas.lines[0].colour, 0x000080);
    EXPECT_EQ(canvas.lines[1].style, PenStyle::Dash);
    EXPECT_EQ(canvas.lines[2].style, PenStyle::Dot);
    EXPECT_EQ(canvas.lines[3].style, PenStyle::DashDot);
    ASSERT_EQ(canvas.circles.size(), 1u);
    EXPECT_EQ(canvas.circles[0].radius, 100);
    EXPECT_EQ(canvas.circles[0].cx, px(2000, 2000).x);
    ASSERT_EQ(canvas.arcs.size(), 1u);
    EXPECT_EQ(canvas.arcs[0].radius, 50);
    EXPECT_EQ(canvas.arcs[0].startDeg, 270);
    EXPECT_EQ(canvas.arcs[0].endDeg, 360);
    ASSERT_EQ(canvas.texts.size(), 1u);  // no grid names: the drawing is not the model
    EXPECT_EQ(canvas.texts[0].heightPx, 40);  // 300 / 10 pixels, times 96 / 72
    EXPECT_EQ(canvas.texts[0].colour, 0x800080);
}
