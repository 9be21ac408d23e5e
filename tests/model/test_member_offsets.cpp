// SPDX-License-Identifier: GPL-3.0-or-later
// Girders and columns on grid lines are shifted by the line's rule and their section size;
// coordinates stay, the last matching line wins, and only live members are touched.
#include <gtest/gtest.h>

#include <vector>

#include "model/element_store.h"
#include "model/member_offsets.h"
#include "session/session.h"
#include "support/recording_platform.h"

using namespace model;

namespace {

// X lines 0, 5000, 10000; Y lines 0, 4000; levels 0, 3000, 6000.
GridModel grid()
{
    GridModel g;
    g.spanCount = {2, 1, 2};
    g.line[AXIS_X][1] = 5000;
    g.line[AXIS_X][2] = 10000;
    g.line[AXIS_Y][1] = 4000;
    g.line[AXIS_Z][1] = 3000;
    g.line[AXIS_Z][2] = 6000;
    return g;
}

Element girderAlongY(double x, double z)
{
    Element e;
    e.kind = kind::GIRDER;
    e.X1 = e.X2 = x;
    e.Y1 = 0;
    e.Y2 = 4000;
    e.Z1 = e.Z2 = z;
    return e;
}

Element column(double x, double y)
{
    Element e;
    e.kind = kind::COLUMN;
    e.X1 = e.X2 = x;
    e.Y1 = e.Y2 = y;
    e.Z1 = 0;
    e.Z2 = 3000;
    return e;
}

}  // namespace

TEST(GirderOffset, EachKindAcrossAGridLine)
{
    GridModel g = grid();
    Element e = girderAlongY(10000, 3000);
    g.setOffset(AXIS_X, 2, OFFSET_LEFT_LOWER, 50);
    EXPECT_EQ(girderOffset(e, g, 300, 700).OX, 100);
    g.setOffset(AXIS_X, 2, OFFSET_RIGHT_UPPER, 50);
    EXPECT_EQ(girderOffset(e, g, 300, 700).OX, -100);
    g.setOffset(AXIS_X, 2, OFFSET_CENTER, 50);
    EXPECT_EQ(girderOffset(e, g, 300, 700).OX, 0);
    g.setOffset(AXIS_X, 2, OFFSET_NONE, 50);
    EXPECT_EQ(girderOffset(e, g, 300, 700).OX, 0);
    // Half of an odd width rounds away from zero on both sides.
    g.setOffset(AXIS_X, 2, OFFSET_RIGHT_UPPER, 0);
    EXPECT_EQ(girderOffset(e, g, 455, 700).OX, -228);
    // Across the run the girder is not on a Y line, so OY stays 0 whatever the Y rules say.
    g.setOffset(AXIS_Y, 0, OFFSET_LEFT_LOWER, 500);
    EXPECT_EQ(girderOffset(e, g, 300, 700).OY, 0);
    // A girder not on any X line keeps OX 0.
    EXPECT_EQ(girderOffset(girderAlongY(2500, 3000), g, 300, 700).OX, 0);
}

TEST(GirderOffset, LevelRules)
{
    GridModel g = grid();
    Element e = girderAlongY(5000, 3000);
    EXPECT_EQ(girderOffset(e, g, 300, 700).OZ, -350);  // the default: top face flush with the level
    g.setOffset(AXIS_Z, 1, OFFSET_CENTER, 120);
    EXPECT_EQ(girderOffset(e, g, 300, 700).OZ, 120);
    g.setOffset(AXIS_Z, 1, OFFSET_LEFT_LOWER, 100);
    EXPECT_EQ(girderOffset(e, g, 300, 700).OZ, 250);
    g.setOffset(AXIS_Z, 1, OFFSET_NONE, 100);
    EXPECT_EQ(girderOffset(e, g, 300, 700).OZ, 0);
    EXPECT_EQ(girderOffset(girderAlongY(5000, 1500), g, 300, 700).OZ, 0);
}

TEST(ColumnOffset, CentreUsesTheDistanceAndOzIsKept)
{
    GridModel g = grid();
    Element c = column(5000, 4000);
    c.OZ = 77;
    g.setOffset(AXIS_X, 1, OFFSET_LEFT_LOWER, 0);
    g.setOffset(AXIS_Y, 1, OFFSET_RIGHT_UPPER, 25);
    MemberOffset o = columnOffset(c, g, 455, 600);
    EXPECT_EQ(o.OX, 228);
    EXPECT_EQ(o.OY, -275);
    EXPECT_EQ(o.OZ, 77);
    g.setOffset(AXIS_X, 1, OFFSET_CENTER, 75);
    EXPECT_EQ(columnOffset(c, g, 455, 600).OX, 75);
}

TEST(MemberOffsets, LastMatchingLineWins)
{
    GridModel g = grid();
    g.line[AXIS_X][2] = 5000;  // lines 1 and 2 coincide
    g.line[AXIS_X][3] = 10000;
    g.setOffset(AXIS_X, 1, OFFSET_LEFT_LOWER, 0);
    g.setOffset(AXIS_X, 2, OFFSET_RIGHT_UPPER, 0);
    EXPECT_EQ(girderOffset(girderAlongY(5000, 0), g, 400, 700).OX, -200);
    EXPECT_EQ(columnOffset(column(5000, 0), g, 400, 600).OX, -200);
    g.setOffset(AXIS_X, 2, OFFSET_NONE, 0);
    EXPECT_EQ(girderOffset(girderAlongY(5000, 0), g, 400, 700).OX, 200);
}

TEST(MemberOffsets, ApplyTouchesLiveMembersOnlyAndIgnoresFreeSections)
{
    testing_support::RecordingPlatform p;
    Session s(p);
    s.grid = grid();
    s.grid.setOffset(AXIS_X, 1, OFFSET_LEFT_LOWER, 50);
    s.sections[0] = SectionEntry{3, "G:2:1", "2:G1", "RC:300:700;"};
    s.sections[1] = SectionEntry{4, "C:1:1", "1:C1", "RC:455:abc;"};
    s.sections[2] = SectionEntry{-1, "G:2:2", "2:G2", "RC:999:999;"};  // free, stale texts

    int g1 = s.store.addElem(kind::GIRDER, 0, 1, -1, 3, 0, 5000, 0, 3000, 5000, 4000, 3000, 0);
    int noSection = s.store.addElem(kind::GIRDER, 0, 1, -1, -1, 0, 5000, 0, 3000, 5000, 4000, 3000, 0);
    int c1 = s.store.addElem(kind::COLUMN, 0, 1, -1, 4, 0, 5000, 4000, 0, 5000, 4000, 3000, 0);
    int line = s.store.addElem(kind::LINE, 0, 1, -1, 0, 0, 5000, 0, 3000, 5000, 4000, 3000, 0);
    int dead = s.store.addElem(kind::GIRDER, 0, 1, -1, 3, 0, 5000, 0, 3000, 5000, 4000, 3000, 0);
    s.store.at(line).OX = 9;
    s.store.at(dead).OX = 9;
    s.store.delElem(dead);

    applyOffsets(s);
    EXPECT_EQ(s.store.at(g1).OX, 100);
    EXPECT_EQ(s.store.at(g1).OZ, -350);
    EXPECT_EQ(s.store.at(g1).X1, 5000);
    EXPECT_EQ(s.store.at(noSection).OX, -50);
    EXPECT_EQ(s.store.at(noSection).OZ, 0);
    EXPECT_EQ(s.store.at(c1).OX, 178);  // 228 - 50; a non-numeric Dy reads as 0
    EXPECT_EQ(s.store.at(line).OX, 9);
    EXPECT_EQ(s.store.at(dead).OX, 9);

    s.store.at(g1).OX = 0;
    EXPECT_TRUE(setGirderOffset(s, g1));
    EXPECT_EQ(s.store.at(g1).OX, 100);
    EXPECT_FALSE(setGirderOffset(s, -1));
    EXPECT_FALSE(setColumnOffset(s, s.store.count()));
}

TEST(MemberOffsets, ThePassOverTheStoreGivesEachMemberWhatItGetsAlone)
{
    // Lines out of order and coinciding, each with its own rule: the pass finds lines by a
    // search of the sorted positions and must still let the last matching slot win.
    testing_support::RecordingPlatform p;
    Session s(p);
    s.grid = grid();
    s.grid.line[AXIS_X][1] = 10000;
    s.grid.line[AXIS_X][2] = 5000;
    s.grid.line[AXIS_X][3] = 5000;
    s.grid.line[AXIS_Y][2] = 4000;
    s.grid.setOffset(AXIS_X, 2, OFFSET_LEFT_LOWER, 30);
    s.grid.setOffset(AXIS_X, 3, OFFSET_CENTER, 70);
    s.grid.setOffset(AXIS_X, 1, OFFSET_RIGHT_UPPER, 10);
    s.grid.setOffset(AXIS_Y, 1, OFFSET_LEFT_LOWER, 20);
    s.grid.setOffset(AXIS_Y, 2, OFFSET_RIGHT_UPPER, 40);
    s.grid.setOffset(AXIS_Z, 1, OFFSET_CENTER, -100);
    s.sections[0] = SectionEntry{3, "G:2:1", "2:G1", "RC:300:700;"};
    s.sections[1] = SectionEntry{4, "C:1:1", "1:C1", "RC:455:600;"};

    std::vector<int> members;
    for (double x : {0.0, 5000.0, 7500.0, 10000.0}) {
        members.push_back(s.store.addElem(kind::GIRDER, 0, 1, -1, 3, 0, x, 0, 3000, x, 4000, 3000, 0));
        members.push_back(s.store.addElem(kind::COLUMN, 0, 1, -1, 4, 0, x, 4000, 0, x, 4000, 3000, 0));
    }
    members.push_back(s.store.addElem(kind::GIRDER, 0, 1, -1, 3, 0, 0, 4000, 3000, 10000, 4000, 3000, 0));
    members.push_back(s.store.addElem(kind::GIRDER, 0, 1, -1, 3, 0, 0, 4000, 2999.5, 10000, 4000, 2999.5, 0));
    applyOffsets(s);
    for (int i : members) {
        const Element& e = s.store.at(i);
        const MemberOffset alone = e.kind == kind::GIRDER ? girderOffset(e, s.grid, 300, 700) : columnOffset(e, s.grid, 455, 600);
        EXPECT_EQ(e.OX, alone.OX) << i;
        EXPECT_EQ(e.OY, alone.OY) << i;
        EXPECT_EQ(e.OZ, alone.OZ) << i;
    }
    EXPECT_EQ(s.store.at(members[3]).OX, 70) << "the centre rule of the last of two coinciding lines";
    EXPECT_EQ(s.store.at(members[8]).OY, -110) << "the last of two Y lines at 4000";
}
