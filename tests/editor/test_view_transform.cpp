// SPDX-License-Identifier: GPL-3.0-or-later
// The view window keeps the canvas aspect, zooms about the right point and converts pixels both ways.
#include <gtest/gtest.h>

#include "editor/view_transform.h"
#include "model/element_store.h"
#include "session/show_notice.h"
#include "support/recording_platform.h"

using editor::DotGrid;
using editor::PixelPoint;
using editor::ScrollDirection;
using editor::ViewTransform;
using model::Point;

namespace {

ViewTransform canvasOf(int w, int h)
{
    ViewTransform v;
    v.setCanvasSize(w, h);
    return v;
}

void expectSameWindow(const ViewTransform& a, const ViewTransform& b)
{
    EXPECT_NEAR(a.viewLeft, b.viewLeft, 1e-6);
    EXPECT_NEAR(a.viewBottom, b.viewBottom, 1e-6);
    EXPECT_NEAR(a.viewWidth, b.viewWidth, 1e-6);
    EXPECT_NEAR(a.viewHeight, b.viewHeight, 1e-6);
    EXPECT_NEAR(a.viewScale, b.viewScale, 1e-9);
}

}  // namespace

TEST(ViewTransform, HomeViewOfA700By900Canvas)
{
    testing_support::RecordingPlatform p;
    ViewTransform v = canvasOf(700, 900);
    ASSERT_TRUE(session::shown(p, v.HomeView()));
    EXPECT_NEAR(v.viewWidth, 15400, 1e-6);
    EXPECT_NEAR(v.viewHeight, 19800, 1e-6);
    EXPECT_NEAR(v.centre().x, 350, 1e-6);
    EXPECT_NEAR(v.centre().y, 4500, 1e-6);
    EXPECT_NEAR(v.viewScale, 22, 1e-9);
    EXPECT_TRUE(p.messages.empty());
}

TEST(ViewTransform, SetViewKeepsTheCanvasAspectAndContainsTheRequest)
{
    ViewTransform v = canvasOf(200, 100);
    ASSERT_TRUE(v.SetView(1000, 1000, 0, 0));  // too tall for the canvas: width grows
    EXPECT_NEAR(v.viewWidth, 2000, 1e-9);
    EXPECT_NEAR(v.viewHeight, 1000, 1e-9);
    ASSERT_TRUE(v.SetView(4000, 1000, 0, 0));  // too wide: height grows
    EXPECT_NEAR(v.viewWidth, 4000, 1e-9);
    EXPECT_NEAR(v.viewHeight, 2000, 1e-9);
    ASSERT_TRUE(v.SetView(0, 500, 10, 20));  // width from the height
    EXPECT_NEAR(v.viewWidth, 1000, 1e-9);
    EXPECT_NEAR(v.viewLeft, 10 - 500, 1e-9);
    EXPECT_NEAR(v.viewBottom, 20 - 250, 1e-9);
    EXPECT_NEAR(v.viewWidth / v.viewHeight, 2.0, 1e-12);
}

TEST(ViewTransform, ZeroCanvasOrZeroWindowLeavesTheViewAlone)
{
    testing_support::RecordingPlatform p;
    ViewTransform v = canvasOf(100, 100);
    ASSERT_TRUE(session::shown(p, v.SetView(1000, 1000, 0, 0)));
    ViewTransform before = v;
    v.setCanvasSize(0, 100);
    EXPECT_FALSE(session::shown(p, v.SetView(500, 500, 3, 3)));
    EXPECT_TRUE(p.saidText("SetLogWindow Error"));
    v.setCanvasSize(100, 100);
    EXPECT_FALSE(session::shown(p, v.SetView(0, 0, 3, 3)));  // would leave no scale
    expectSameWindow(v, before);
}

TEST(ViewTransform, PixelsAndWorldConvertBothWaysWithYUp)
{
    ViewTransform v = canvasOf(100, 50);
    ASSERT_TRUE(v.SetView(1000, 500, 500, 250));  // 10 units per pixel, origin bottom-left
    Point tl = v.ToWorld(0, 0);
    EXPECT_NEAR(tl.x, 0, 1e-9);
    EXPECT_NEAR(tl.y, 500, 1e-9);
    PixelPoint px;
    ASSERT_TRUE(v.ToPixel(0, 0, px));
    EXPECT_EQ(px, (PixelPoint{0, 50}));
    ASSERT_TRUE(v.ToPixel(125, 0, px));  // 12.5 pixels rounds away from zero
    EXPECT_EQ(px.x, 13);
    ASSERT_TRUE(v.ToPixel(-125, 0, px));
    EXPECT_EQ(px.x, -13);
    ASSERT_TRUE(v.ToPixelRounded(124.999996, 0, px));  // 5 decimals first: 125.00000
    EXPECT_EQ(px.x, 13);
    ViewTransform none = canvasOf(100, 100);
    PixelPoint kept{7, 8};
    EXPECT_FALSE(none.ToPixel(1, 1, kept));  // no scale yet
    EXPECT_EQ(kept, (PixelPoint{7, 8}));
    // A point far beyond any window stays a representable pixel.
    ASSERT_TRUE(v.ToPixel(1e300, -1e300, px));
    EXPECT_GT(px.x, 1000000);
    EXPECT_GT(px.y, 1000000);
}

TEST(ViewTransform, WheelAwayZoomsOutAndBackReturnsTheSameWindow)
{
    ViewTransform v = canvasOf(640, 480);
    ASSERT_TRUE(v.SetView(6400, 4800, 123, 456));
    ViewTransform start = v;
    ASSERT_TRUE(v.WheelZoom(120));
    EXPECT_GT(v.viewWidth, start.viewWidth);
    ASSERT_TRUE(v.WheelZoom(-120));
    expectSameWindow(v, start);
    ASSERT_TRUE(v.WheelZoom(0));  // zero counts as towards the user
    EXPECT_LT(v.viewWidth, start.viewWidth);
    ASSERT_TRUE(v.ZoomAt(1200, -800, true));  // zoom at a point centres there
    EXPECT_NEAR(v.centre().x, 1200, 1e-9);
    EXPECT_NEAR(v.centre().y, -800, 1e-9);
    EXPECT_NEAR(v.viewWidth, start.viewWidth / 1.1 / 1.1, 1e-9);
}

TEST(ViewTransform, WindowZoomTakesCornersInAnyOrder)
{
    ViewTransform v = canvasOf(200, 100);
    ASSERT_TRUE(v.SetView(10000, 5000, 0, 0));
    ASSERT_TRUE(v.ZoomToRectangle({3000, 100}, {1000, 600}));
    EXPECT_NEAR(v.centre().x, 2000, 1e-9);
    EXPECT_NEAR(v.centre().y, 350, 1e-9);
    EXPECT_LE(v.viewLeft, 1000);
    EXPECT_GE(v.viewRight(), 3000);
    EXPECT_LE(v.viewBottom, 100);
    EXPECT_GE(v.viewTop(), 600);
    EXPECT_NEAR(v.viewWidth, 2000, 1e-9);  // the 2000 x 500 box is the wider one here
}

TEST(ViewTransform, FitAllOfAnEmptyModelOrOnePointChangesNothing)
{
    testing_support::RecordingPlatform p;
    model::ElementStore store;
    ViewTransform v = canvasOf(300, 200);
    ASSERT_TRUE(v.SetView(3000, 2000, 7, 7));
    ViewTransform before = v;
    EXPECT_FALSE(session::shown(p, v.FitAll(store, 0.8, true)));
    store.addElem(model::kind::LINE, 0, 1, 1, 0, 0, 500, 500, 0, 500, 500, 0, 0);
    EXPECT_FALSE(session::shown(p, v.FitAll(store, 0.8, true)));
    expectSameWindow(v, before);
}

TEST(ViewTransform, FitAllOfAHorizontalLineTakesItsHeightFromTheAspect)
{
    model::ElementStore store;
    store.addElem(model::kind::LINE, 0, 1, 1, 0, 0, 0, 0, 0, 6000, 0, 0, 0);
    ViewTransform v = canvasOf(800, 600);
    ASSERT_TRUE(v.FitAll(store, 0.8, true));
    EXPECT_NEAR(v.viewWidth, 8250, 1e-9);
    EXPECT_NEAR(v.centre().x, 3000, 1e-9);
    EXPECT_NEAR(v.centre().y, 0, 1e-9);
}

TEST(ViewTransform, FitAllCountsGridLinesOnlyWhileTheyAreShownAndFloorsByTheirVertices)
{
    model::ElementStore store;
    store.addElem(model::kind::BASE, 0, 1, 1, 0, 0, -50000, 0, 0, 50000, 0, 0, 0xFFFF00);
    store.addElem(model::kind::LINE, 0, 1, 2, 0, 0, 0, 0, 0, 1000, 1000, 0, 0);
    ViewTransform v = canvasOf(100, 100);
    ASSERT_TRUE(v.FitAll(store, 0.8, true));
    EXPECT_NEAR(v.viewWidth, 100000 / 0.8 * 1.1, 1e-6);
    ASSERT_TRUE(v.FitAll(store, 0.8, false));
    EXPECT_NEAR(v.viewWidth, 1000 / 0.8 * 1.1, 1e-6);

    // A floor's own head record does not count, its vertex records do.
    model::ElementStore floors;
    int head = floors.addElem(model::kind::FLOOR, 0, 1, 1, 0, 0, 0, 0, 0, 99999, 99999, 0, 0);
    floors.at(head).ndata = 3;
    for (double x : {2000.0, 4000.0}) {
        int k = floors.appendBlank();
        floors.at(k) = model::Element{};
        floors.at(k).kind = model::kind::CONTINUE;
        floors.at(k).ndata = 1;
        floors.at(k).showAge = 1;
        floors.at(k).X1 = floors.at(k).X2 = x;
        floors.at(k).Y1 = floors.at(k).Y2 = x / 2;
    }
    ASSERT_TRUE(v.FitAll(floors, 1.0, true));
    EXPECT_NEAR(v.centre().x, 3000, 1e-9);
    EXPECT_NEAR(v.centre().y, 1500, 1e-9);
    EXPECT_NEAR(v.viewWidth, 2200, 1e-9);
}

TEST(ViewTransform, ArrowScrollingStepsAnEighthOfTheOtherDimension)
{
    ViewTransform v = canvasOf(400, 100);
    ASSERT_TRUE(v.SetView(4000, 1000, 0, 0));
    v.ScrollView(ScrollDirection::Up);
    EXPECT_NEAR(v.centre().y, 4000.0 / 8, 1e-9);
    v.ScrollView(ScrollDirection::Down);
    EXPECT_NEAR(v.centre().y, 0, 1e-9);
    v.ScrollView(ScrollDirection::Right);
    EXPECT_NEAR(v.centre().x, 1000.0 / 8, 1e-9);
    v.ScrollView(ScrollDirection::Left);
    v.ScrollView(ScrollDirection::Left);
    EXPECT_NEAR(v.centre().x, -1000.0 / 8, 1e-9);
    EXPECT_NEAR(v.viewWidth, 4000, 1e-9);
}

TEST(ViewTransform, ResizeKeepsTheTopLeftWorldPointAndTheScale)
{
    ViewTransform v = canvasOf(400, 300);
    ASSERT_TRUE(v.SetView(4000, 3000, 100, 200));
    const Point topLeft = v.ToWorld(0, 0);
    const double scale = v.viewScale;
    v.Resize(800, 250);
    const Point after = v.ToWorld(0, 0);
    EXPECT_NEAR(after.x, topLeft.x, 1e-9);
    EXPECT_NEAR(after.y, topLeft.y, 1e-9);
    EXPECT_NEAR(v.viewScale, scale, 1e-12);
    EXPECT_NEAR(v.viewWidth, 800 * scale, 1e-9);
    EXPECT_NEAR(v.viewHeight, 250 * scale, 1e-9);
}

TEST(ViewTransform, PanDragKeepsTheGrabbedPointUnderThePointer)
{
    ViewTransform v = canvasOf(400, 300);
    ASSERT_TRUE(v.SetView(4000, 3000, 0, 0));
    const Point grabbed = v.ToWorld(100, 50);
    v.PanByPixels({100, 50}, {160, 20});
    const Point now = v.ToWorld(160, 20);
    EXPECT_NEAR(now.x, grabbed.x, 1e-9);
    EXPECT_NEAR(now.y, grabbed.y, 1e-9);
}

TEST(DotGrid, DivisorAndOriginGiveThePitchAndIntegerSnapOffsets)
{
    DotGrid g;
    EXPECT_FALSE(g.SetGridDivisor(1));  // unchanged
    EXPECT_TRUE(g.SetGridDivisor(3));
    EXPECT_NEAR(g.gridPitch, 1000.0 / 3, 1e-12);
    g.SetGridOrigin(1000.4, -500);
    EXPECT_EQ(g.snapOffsetX, 1000 % 333);
    EXPECT_EQ(g.snapOffsetY, -500 % 333);
    EXPECT_FALSE(g.SetGridDistance(0));  // refused: no pitch to divide by
    EXPECT_FALSE(g.SetGridDivisor(0));
    EXPECT_NEAR(g.gridPitch, 1000.0 / 3, 1e-12);
    EXPECT_TRUE(g.SetGridDistance(500));
    EXPECT_NEAR(g.gridPitch, 500.0 / 3, 1e-12);
}

TEST(DotGrid, SnapGoesToTheNearestLatticePointUnlessThatLeavesTheCanvas)
{
    ViewTransform v = canvasOf(100, 100);
    ASSERT_TRUE(v.SetView(10000, 10000, 5000, 5000));  // 0..10000 both ways
    DotGrid g;
    g.SetGridOrigin(250, 0);  // offsets 250, 0 with the 1000 pitch
    Point p{1700, 5400};
    ASSERT_TRUE(g.snap(v, p));
    EXPECT_NEAR(p.x, 1250, 1e-9);
    EXPECT_NEAR(p.y, 5000, 1e-9);
    Point edge{100, 9900};  // nearest lattice point (-750 or 250, 10000): 250 is inside, y on the top edge
    ASSERT_TRUE(g.snap(v, edge));
    EXPECT_NEAR(edge.x, 250, 1e-9);
    v.viewLeft = -700;
    Point left{-600, 5000};  // would go to -750: left of the canvas
    Point kept = left;
    EXPECT_FALSE(g.snap(v, left));
    EXPECT_EQ(left.x, kept.x);
}
