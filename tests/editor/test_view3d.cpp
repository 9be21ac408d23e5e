// SPDX-License-Identifier: GPL-3.0-or-later
// The 3-D view shows every line and member where it is, turns and zooms as the mouse says, and
// marks what lies in the plane the main window shows.
#include <gtest/gtest.h>

#include "editor/view3d.h"
#include "model/element_store.h"
#include "support/recording_canvas.h"

using editor::PenStyle;
using editor::View3D;
using testing_support::RecordingCanvas;
namespace kind = model::kind;

namespace {

constexpr int kGirderColour = 0x00FF00;

class View3DTest : public ::testing::Test {
protected:
    int add(int k, double x1, double y1, double z1, double x2, double y2, double z2, int colour = kGirderColour)
    {
        return store.addElem(k, 0, 1, uid++, 0, 0, x1, y1, z1, x2, y2, z2, colour);
    }
    void load(model::ViewMode mode, double plane)
    {
        view.mode = mode;
        view.plane = plane;
        v.load(store, view);
    }

    model::ElementStore store;
    model::ViewPlane view;
    View3D v;
    RecordingCanvas canvas{800, 600};
    int uid = 1;
};

TEST_F(View3DTest, OneGirderIsCentredTurnedAndProjected)
{
    const int g = add(kind::GIRDER, 0, 0, 3000, 6000, 0, 3000);
    store.at(g).OX = 500;  // display offsets are not part of the wire frame
    load(model::ViewMode::Plan, 0);
    EXPECT_DOUBLE_EQ(v.centreX(), 3000);
    EXPECT_DOUBLE_EQ(v.centreY(), 0);
    v.show(canvas);
    ASSERT_EQ(canvas.clears, 1);
    ASSERT_EQ(canvas.lines.size(), 1u);
    const auto& l = canvas.lines[0];
    // x from -3000 to 3000 turned by 10 degrees and tilted by 60, at 1 pixel per 100 mm, about
    // the image's centre line and a quarter of its height above the bottom.
    EXPECT_EQ(l.x1, 370);
    EXPECT_EQ(l.y1, 421);
    EXPECT_EQ(l.x2, 430);
    EXPECT_EQ(l.y2, 427);
    EXPECT_EQ(l.colour, kGirderColour);
    EXPECT_EQ(l.style, PenStyle::Solid);
    EXPECT_EQ(l.mode, editor::PenMode::Copy);
}

TEST_F(View3DTest, SegmentsInTheShownPlaneAreHighlighted)
{
    add(kind::GIRDER, 0, 0, 3000, 6000, 0, 3000);
    load(model::ViewMode::Plan, 3000.2);  // the plane counts as a whole millimetre
    v.show(canvas);
    EXPECT_EQ(canvas.lines.at(0).colour, editor::kView3DHighlight);

    load(model::ViewMode::ElevationXZ, 0);  // the Y0 frame holds it too
    canvas.reset();
    v.show(canvas);
    EXPECT_EQ(canvas.lines.at(0).colour, editor::kView3DHighlight);

    load(model::ViewMode::ElevationYZ, 0);  // it crosses the X0 frame but does not lie in it
    canvas.reset();
    v.show(canvas);
    EXPECT_EQ(canvas.lines.at(0).colour, kGirderColour);
}

TEST_F(View3DTest, OnlyLiveLinesColumnsAndGirdersAreLoadedAndNewLinesAreDotted)
{
    add(kind::LINE, 0, 0, 0, 1000, 0, 0, 0xFF0000);
    add(kind::COLUMN, 0, 0, 0, 0, 0, 3000, 0x00FFFF);
    add(kind::BEAM, 0, 0, 0, 0, 1000, 0);
    add(kind::BASE, 0, 0, 0, 0, 1000, 0);
    const int gone = add(kind::GIRDER, 0, 0, 0, 1000, 1000, 0);
    store.delElem(gone);
    load(model::ViewMode::Plan, 5000);
    ASSERT_EQ(v.segments().size(), 2u);
    v.show(canvas);
    ASSERT_EQ(canvas.lines.size(), 2u);
    EXPECT_EQ(canvas.lines[0].style, PenStyle::Dot);
    EXPECT_EQ(canvas.lines[0].colour, 0xFF0000);
    EXPECT_EQ(canvas.lines[1].style, PenStyle::Solid);
}

TEST_F(View3DTest, DraggingTurnsOneDegreePerPixel)
{
    add(kind::GIRDER, 0, 0, 3000, 6000, 0, 3000);
    load(model::ViewMode::Plan, 0);
    EXPECT_FALSE(v.move(canvas, 50, 50));  // no button down
    v.press(100, 100);
    EXPECT_FALSE(v.move(canvas, 100, 100));
    EXPECT_TRUE(v.move(canvas, 90, 105));
    EXPECT_DOUBLE_EQ(v.angleA, 20);
    EXPECT_DOUBLE_EQ(v.angleB, 55);
    EXPECT_EQ(canvas.clears, 1);
    EXPECT_TRUE(v.move(canvas, 95, 105));  // measured from the last point, not the press
    EXPECT_DOUBLE_EQ(v.angleA, 15);
    v.release();
    EXPECT_FALSE(v.move(canvas, 0, 0));
    EXPECT_DOUBLE_EQ(v.angleA, 15);
}

TEST_F(View3DTest, TheWheelZoomsButNeverBelowTen)
{
    add(kind::GIRDER, 0, 0, 3000, 6000, 0, 3000);
    load(model::ViewMode::Plan, 0);
    v.show(canvas);
    for (int i = 0; i < 10; ++i) v.wheel(canvas, 120);
    EXPECT_DOUBLE_EQ(v.zoom, 10);
    v.wheel(canvas, 120);
    EXPECT_DOUBLE_EQ(v.zoom, 10);
    // At zoom 10 the 6 m girder spans about 6 pixels.
    EXPECT_EQ(canvas.lines.back().x2 - canvas.lines.back().x1, 6);
    v.wheel(canvas, -120);
    v.wheel(canvas, 0);
    EXPECT_DOUBLE_EQ(v.zoom, 30);
    EXPECT_EQ(canvas.clears, 14);
}

TEST_F(View3DTest, AModelBeyondTheOldTableIsShownWhole)
{
    // More segments than the 100 001 the view once had room for: none is dropped.
    const int n = 100'010;
    for (int i = 0; i < n; ++i) add(kind::LINE, i, 0, 0, i, 1000, 0);
    load(model::ViewMode::Plan, 0);
    EXPECT_EQ(static_cast<int>(v.segments().size()), n);
    v.show(canvas);
    EXPECT_EQ(static_cast<int>(canvas.lines.size()), n);
}

TEST_F(View3DTest, AnEmptyModelDrawsNothing)
{
    load(model::ViewMode::Plan, 0);
    v.show(canvas);
    v.wheel(canvas, -120);
    EXPECT_TRUE(canvas.lines.empty());
    EXPECT_EQ(canvas.clears, 2);
}

}  // namespace
