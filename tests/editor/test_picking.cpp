// SPDX-License-Identifier: GPL-3.0-or-later
// Picking finds the nearest element within 20 pixels; snapping moves the pointer only where its mode finds a place.
#include <gtest/gtest.h>

#include "editor/picking.h"
#include "model/element_store.h"
#include "support/recording_platform.h"

using editor::PickContext;
using editor::PixelPoint;
using editor::SnapMode;
using editor::SnapPoint;
using editor::SnapState;
using model::Point;
namespace kind = model::kind;

namespace {

class Picking : public ::testing::Test {
protected:
    Picking()
    {
        transform.setCanvasSize(1000, 1000);
        transform.SetView(10000, 10000, 5000, 5000);  // 10 units per pixel, 0..10000
    }

    PickContext context(bool drawBaseLine = true) { return {store, view, transform, grid, drawBaseLine}; }

    int add(int k, double x1, double y1, double x2, double y2, double z = 0, int layer = 1)
    {
        return store.addElem(k, 0, layer, uid++, 0, 0, x1, y1, z, x2, y2, z, 0xFF0000);
    }
    int line(double x1, double y1, double x2, double y2) { return add(kind::LINE, x1, y1, x2, y2); }

    PixelPoint pixel(double x, double y)
    {
        PixelPoint p;
        transform.ToPixel(x, y, p);
        return p;
    }
    Point snap(SnapMode mode, double x, double y, Point last = {}, bool ortho = false, bool allowed = true)
    {
        SnapState s;
        s.snapMode = mode;
        s.lastPoint = last;
        s.orthoKey = ortho;
        s.snapAllowed = allowed;
        const editor::SnapResult at = SnapPoint(context(), s, pixel(x, y));
        editor::showSnapPosition(platform, at);  // as the editor shows every snapped point
        return at.world;
    }

    testing_support::RecordingPlatform platform;
    model::ElementStore store;
    model::ViewPlane view;  // plan of level 0, current layer 1
    editor::ViewTransform transform;
    editor::DotGrid grid;
    int uid = 1;
};

void expectPoint(Point p, double x, double y)
{
    EXPECT_NEAR(p.x, x, 1e-6);
    EXPECT_NEAR(p.y, y, 1e-6);
}

}  // namespace

TEST_F(Picking, ToleranceIsTwentyPixels)
{
    int l = line(1000, 5000, 9000, 5000);
    EXPECT_EQ(editor::PickElement(context(), -1, 5000, 5190), l);  // 19 pixels
    EXPECT_EQ(editor::PickElement(context(), -1, 5000, 5200), -1);  // 20 pixels
    EXPECT_EQ(editor::PickElement(context(), l, 5000, 5000), -1);   // excluded
    editor::ViewTransform noScale;
    PickContext c{store, view, noScale, grid, true};
    EXPECT_EQ(editor::PickElement(c, -1, 5000, 5000), -1);
}

TEST_F(Picking, APointElementWinsByFortyUnits)
{
    int l = line(0, 4980, 10000, 4980);
    int j = add(kind::JOINT, 5000, 5050, 5000, 5050);
    EXPECT_EQ(editor::PickElement(context(), -1, 5000, 5000), j);  // 50 - 40 < 20
    EXPECT_EQ(editor::PickElement(context(), -1, 5000, 4960), l);  // 90 - 40 > 20
}

TEST_F(Picking, GridLinesLoadsAndOtherLevelsAreNeverPicked)
{
    add(kind::BASE, 0, 5000, 10000, 5000);
    add(kind::LOAD, 0, 5000, 10000, 5000);
    add(kind::LINE, 0, 5000, 10000, 5000, 0, 2);  // another level
    add(kind::LINE, 0, 5000, 10000, 5000, 3000);  // not in this plan's plane
    EXPECT_EQ(editor::PickElement(context(), -1, 5000, 5000), -1);
    int l = line(0, 5050, 10000, 5050);
    EXPECT_EQ(editor::PickElement(context(), -1, 5000, 5000), l);
}

TEST_F(Picking, FrameViewsPickInTheirOwnPlane)
{
    view.mode = model::ViewMode::ElevationXZ;
    view.plane = 4000;
    int inFrame = store.addElem(kind::LINE, 0, 1, uid++, 0, 0, 2000, 4000, 0, 2000, 4000, 3000, 0);
    store.addElem(kind::LINE, 0, 1, uid++, 0, 0, 2100, 0, 0, 2100, 0, 3000, 0);  // another frame
    EXPECT_EQ(editor::PickElement(context(), -1, 2050, 1500), inFrame);
    EXPECT_EQ(editor::PickElement(context(), inFrame, 2050, 1500), -1);
}

TEST_F(Picking, EndPointSnapTakesTheEarlierOfEqualCandidatesWithinTolerance)
{
    line(1000, 1000, 3000, 1000);
    line(3100, 1000, 5000, 1000);
    expectPoint(snap(SnapMode::EndPoint, 3050, 1000), 3000, 1000);
    expectPoint(snap(SnapMode::EndPoint, 3000, 1190), 3000, 1000);  // 19 pixels
    expectPoint(snap(SnapMode::EndPoint, 3000, 1200), 3000, 1200);  // 20 pixels: stays
    ASSERT_GE(platform.statusTexts.size(), 2u);
    EXPECT_EQ(platform.statusTexts[platform.statusTexts.size() - 2], (std::pair<int, std::string>{1, "3000"}));
    EXPECT_EQ(platform.statusTexts.back(), (std::pair<int, std::string>{2, "1200"}));
}

TEST_F(Picking, EndPointSnapReachesGridLinesOnlyWhileTheyAreShown)
{
    add(kind::BASE, -2000, 5000, 12000, 5000);
    store.at(0).X1 = 500;  // its first end inside the window
    SnapState s;
    s.snapMode = SnapMode::EndPoint;
    expectPoint(SnapPoint(context(true), s, pixel(550, 5000)).world, 500, 5000);
    expectPoint(SnapPoint(context(false), s, pixel(550, 5000)).world, 550, 5000);
}

TEST_F(Picking, CrossPointNeedsTwoSegmentsThatReallyCross)
{
    line(1000, 5000, 9000, 5000);
    line(5000, 1000, 5000, 9000);
    expectPoint(snap(SnapMode::CrossPoint, 5050, 5080), 5000, 5000);

    store.clear();
    line(1000, 5000, 9000, 5000);
    line(1000, 5100, 9000, 5100);  // parallel
    expectPoint(snap(SnapMode::CrossPoint, 5000, 5050), 5000, 5050);

    store.clear();
    line(1000, 5000, 4990, 5000);  // stops short of the other line
    line(5000, 1000, 5000, 9000);
    expectPoint(snap(SnapMode::CrossPoint, 5000, 5000), 5000, 5000);
    expectPoint(snap(SnapMode::CrossPoint, 4990, 5010), 4990, 5010);
}

TEST_F(Picking, MidPerpendicularAndOnLineUseThePickedElement)
{
    line(1000, 1000, 3000, 3000);
    expectPoint(snap(SnapMode::MidPoint, 2500, 2510), 2000, 2000);
    expectPoint(snap(SnapMode::OnLine, 2500, 2600), 2550, 2550);
    store.clear();
    line(1000, 1000, 1000, 9000);
    expectPoint(snap(SnapMode::Perpendicular, 1010, 2000, {0, 4000}), 1000, 4000);
    // Nothing near: every pick-based mode leaves the point alone.
    expectPoint(snap(SnapMode::MidPoint, 6000, 6000), 6000, 6000);
    expectPoint(snap(SnapMode::Perpendicular, 6000, 6000, {0, 4000}), 6000, 6000);
}

TEST_F(Picking, OrthoAlignsWithTheLastPointBeforeSnapping)
{
    expectPoint(snap(SnapMode::Free, 1300, 1100, {1000, 1000}, true), 1300, 1000);
    expectPoint(snap(SnapMode::Free, 1100, 1300, {1000, 1000}, true), 1000, 1300);
    line(1300, 1250, 1300, 3000);
    line(1450, 1000, 3000, 1000);
    // Without ortho the nearer end is (1300, 1250); after ortho the pointer is on y = 1000.
    expectPoint(snap(SnapMode::EndPoint, 1300, 1100, {1000, 1000}, false), 1300, 1250);
    expectPoint(snap(SnapMode::EndPoint, 1300, 1100, {1000, 1000}, true), 1450, 1000);
}

TEST_F(Picking, SnappingIsSkippedWhereTheStepDoesNotAllowIt)
{
    line(1000, 1000, 3000, 1000);
    expectPoint(snap(SnapMode::EndPoint, 1050, 1000, {}, false, false), 1050, 1000);
    expectPoint(snap(SnapMode::Free, 1050, 1000), 1050, 1000);
    grid.gridVisible = true;
    expectPoint(snap(SnapMode::Grid, 1230, 1840), 1000, 2000);
    SnapState s;
    s.snapMode = SnapMode::Grid;
    EXPECT_TRUE(SnapPoint(context(), s, pixel(1230, 1840)).snapped);
    EXPECT_EQ(SnapPoint(context(), s, pixel(1230, 1840)).pixel, pixel(1000, 2000));
}

TEST_F(Picking, WindowSelectionTakesWhollyInsideElementsOfTheEditableKinds)
{
    int inside = line(1000, 1000, 2000, 2000);
    line(1000, 1000, 6000, 1000);  // sticks out
    int girder = add(kind::GIRDER, 1500, 1500, 1800, 1500);
    add(kind::TURTLE, 1200, 1200, 1300, 1300);
    int other = add(kind::LINE, 1100, 1100, 1200, 1200, 3000);  // another plane
    store.at(other).selected = 1;
    EXPECT_EQ(editor::SelectWindow(store, view, {2000, 2000}, {1000, 1000}), 2);
    EXPECT_TRUE(store.at(inside).selected);
    EXPECT_TRUE(store.at(girder).selected);
    EXPECT_FALSE(store.at(other).selected);  // the old selection is cleared
    EXPECT_EQ(editor::countSelected(store, {kind::LINE}), 1);
    EXPECT_EQ(editor::countSelected(store, {kind::LINE, kind::GIRDER, kind::COLUMN}), 2);
}
