// SPDX-License-Identifier: GPL-3.0-or-later
// Member outlines are world geometry of the slice: side lines between column faces with every
// offset, and end lines exactly where nothing else closes the outline.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/element_store.h"
#include "model/member_outline.h"
#include "session/session.h"
#include "support/recording_platform.h"

using namespace model;
using Shape = MemberOutline::Shape;

namespace {

// Girder b 500 x D 600 (wider than the column is deep), column Dx 500 x Dy 400.
class MemberOutlines : public ::testing::Test {
protected:
    MemberOutlines()
    {
        session.sections[0] = {1, "G:2:1", "2:G1", "RC:500:600;3::D22;"};
        session.sections[1] = {2, "C:1:1", "1:C1", "RC:500:400;4:3:D22;"};
        c1 = add(kind::COLUMN, 0, 0, 0, 0, 0, 3000, 2);
        c2 = add(kind::COLUMN, 6000, 0, 0, 6000, 0, 3000, 2);
        session.store.at(c2).OY = 100;
        g1 = add(kind::GIRDER, 0, 0, 3000, 6000, 0, 3000, 1);
        g2 = add(kind::GIRDER, 6000, 0, 3000, 9000, 0, 3000, 1);  // free at x = 9000
    }
    int add(int k, double x1, double y1, double z1, double x2, double y2, double z2, int secID)
    {
        return session.store.addElem(k, 0, 1, uid++, secID, 0, x1, y1, z1, x2, y2, z2, 0);
    }
    MemberOutline outline(int index, ViewMode mode) { return memberOutline(session.store, session.sections, mode, index); }

    testing_support::RecordingPlatform platform;
    Session session{platform};
    int uid = 1;
    int c1 = 0, c2 = 0, g1 = 0, g2 = 0;
};

bool same(const Segment& s, Point a, Point b)
{
    auto eq = [](Point p, Point q) { return approxEq(p.x, q.x) && approxEq(p.y, q.y); };
    return (eq(s.p1, a) && eq(s.p2, b)) || (eq(s.p1, b) && eq(s.p2, a));
}

bool hasEnd(const MemberOutline& o, Point a, Point b)
{
    return std::any_of(o.ends.begin(), o.ends.begin() + o.endCount, [&](const Segment& s) { return same(s, a, b); });
}

}  // namespace

TEST_F(MemberOutlines, PlanGirderRunsBetweenFacesAndClosesWhatTheColumnsLeaveOpen)
{
    const MemberOutline o = outline(g1, ViewMode::Plan);
    ASSERT_EQ(o.shape, Shape::Sides);
    EXPECT_TRUE(same(o.sides[0], {250, 250}, {5750, 250}));
    EXPECT_TRUE(same(o.sides[1], {250, -250}, {5750, -250}));
    EXPECT_TRUE(o.labelled);
    EXPECT_TRUE(same(o.label, {250, 250}, {5750, 250}));
    EXPECT_EQ(o.markName, "G1");
    // The first column (y -200..200) leaves 50 open on each side of the 500 wide girder; the
    // second, shifted by 100 (y -100..300), only the lower 150.
    ASSERT_EQ(o.endCount, 3);
    EXPECT_TRUE(hasEnd(o, {250, -250}, {250, -200}));
    EXPECT_TRUE(hasEnd(o, {250, 200}, {250, 250}));
    EXPECT_TRUE(hasEnd(o, {5750, -250}, {5750, -100}));

    const MemberOutline free = outline(g2, ViewMode::Plan);
    ASSERT_EQ(free.endCount, 2);
    EXPECT_TRUE(hasEnd(free, {6250, -250}, {6250, -100}));
    EXPECT_TRUE(hasEnd(free, {9000, -250}, {9000, 250}));  // no column: the whole width
}

TEST_F(MemberOutlines, PlanColumnIsItsRectangleAboutItsOffsetPoint)
{
    session.store.at(c1).OX = -50;
    const MemberOutline o = outline(c1, ViewMode::Plan);
    ASSERT_EQ(o.shape, Shape::Rectangle);
    EXPECT_TRUE(same(o.sides[0], {-300, -200}, {200, -200}));
    EXPECT_TRUE(same(o.sides[1], {-300, 200}, {200, 200}));
    ASSERT_EQ(o.endCount, 2);
    EXPECT_TRUE(hasEnd(o, {200, -200}, {200, 200}));
    EXPECT_TRUE(hasEnd(o, {-300, -200}, {-300, 200}));
    EXPECT_FALSE(o.labelled);  // the plan never names columns
}

TEST_F(MemberOutlines, FrameOutlinesMeetAtTheFacesAndCloseOnlyFreeEnds)
{
    session.store.at(g1).OZ = -300;
    session.store.at(g2).OZ = -300;
    // Nothing stands on the first column: the girder's top line crosses it to its outer face,
    // the lower line stops at its inner face.
    const MemberOutline g = outline(g1, ViewMode::ElevationXZ);
    EXPECT_TRUE(same(g.sides[0], {-250, 3000}, {6250, 3000}));
    EXPECT_TRUE(same(g.sides[1], {250, 2400}, {5750, 2400}));
    EXPECT_EQ(g.endCount, 0);  // the column sides close both ends
    const MemberOutline free = outline(g2, ViewMode::ElevationXZ);
    ASSERT_EQ(free.endCount, 1);
    EXPECT_TRUE(hasEnd(free, {9000, 2400}, {9000, 3000}));

    // The column: its outer side runs up to the girder's top face, the inner one to its
    // underside; its foot meets no girder and stays open: a frame shows only the two sides.
    const MemberOutline c = outline(c1, ViewMode::ElevationXZ);
    ASSERT_EQ(c.shape, Shape::Sides);
    EXPECT_TRUE(same(c.sides[0], {-250, 0}, {-250, 3000}));
    EXPECT_TRUE(same(c.sides[1], {250, 0}, {250, 2400}));
    EXPECT_EQ(c.endCount, 0);
    EXPECT_TRUE(c.labelled);
    EXPECT_EQ(c.markName, "C1");
}

TEST_F(MemberOutlines, ObliqueGirdersAndOtherKindsHaveNoOutline)
{
    const int oblique = add(kind::GIRDER, 0, 0, 3000, 3000, 2000, 3000, 1);
    const MemberOutline o = outline(oblique, ViewMode::Plan);
    EXPECT_EQ(o.shape, Shape::CentreLine);
    EXPECT_EQ(o.sideCount(), 1);
    EXPECT_FALSE(o.labelled);
    const int line = add(kind::LINE, 0, 0, 0, 100, 0, 0, 0);
    EXPECT_EQ(outline(line, ViewMode::Plan).shape, Shape::None);
    EXPECT_EQ(outline(-1, ViewMode::Plan).shape, Shape::None);
}
