// SPDX-License-Identifier: GPL-3.0-or-later
// The element store: live/dead rule, iteration, identifiers, end ordering, picking and the
// connection table's entries and tie-breaks.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "model/element_store.h"
#include "model/text_buffer.h"
#include "session/show_notice.h"
#include "support/recording_platform.h"

using namespace model;

namespace {
int addLine(ElementStore& s, double x1, double y1, double z1, double x2, double y2, double z2, int k = kind::LINE)
{
    return s.addElem(k, 0, 1, -1, 0, 0, x1, y1, z1, x2, y2, z2, 0xFF0000);
}
}  // namespace

TEST(ElementStore, EmptyStore)
{
    ElementStore s;
    int c = -1;
    EXPECT_FALSE(s.nextLive(c));
    EXPECT_EQ(s.newUID(), 1);
    EXPECT_FALSE(s.extent(false, false, true).found);
    EXPECT_EQ(s.liveCount(), 0);
}

TEST(ElementStore, FloorContinuationRecordsAreSteppedOver)
{
    ElementStore s;
    int floor = addLine(s, 0, 0, 0, 1, 0, 0, kind::FLOOR);
    s.at(floor).ndata = 3;
    for (int k = 0; k < 2; ++k) {
        int c = addLine(s, k, 0, 0, k, 5, 0, kind::CONTINUE);
        s.at(c).UID = s.at(floor).UID;
    }
    int after = addLine(s, 0, 0, 0, 9, 0, 0);
    std::vector<int> seen;
    for (int c = -1; s.nextLive(c);) seen.push_back(c);
    EXPECT_EQ(seen, (std::vector<int>{floor, after}));

    Extent ext = s.extent(false, false, true);
    EXPECT_EQ(ext.maxY, 5);  // a floor counts the ends of its continuation records

    s.delElem(floor);
    seen.clear();
    for (int c = -1; s.nextLive(c);) seen.push_back(c);
    EXPECT_EQ(seen, (std::vector<int>{after}));
}

TEST(ElementStore, HiddenUidIsLiveButNotVisited)
{
    ElementStore s;
    int a = addLine(s, 0, 0, 0, 1, 0, 0);
    s.at(a).UID = -2;
    EXPECT_FALSE(s.isDead(a));
    int c = -1;
    EXPECT_FALSE(s.nextLive(c));
}

TEST(ElementStore, EndsAreOrderedForLinesOnly)
{
    ElementStore s;
    int a = addLine(s, 10, 5, 7, 0, 5, 9);
    EXPECT_EQ(s.at(a).X1, 0);
    EXPECT_EQ(s.at(a).X2, 10);
    EXPECT_EQ(s.at(a).Z1, 7);  // Z never follows the exchange
    int b = addLine(s, 0, 9, 0, 0, 1, 0);
    EXPECT_EQ(s.at(b).Y1, 1);
    EXPECT_EQ(s.at(b).Y2, 9);
    int load = addLine(s, 0, 9, 0, 0, 1, 0, kind::LOAD);
    EXPECT_EQ(s.at(load).Y1, 9);
    int circle = addLine(s, 5, 5, 0, 3, 0, 0, kind::CIRCLE);
    EXPECT_EQ(s.at(circle).X1, 5);
}

TEST(ElementStore, AddInViewPlane)
{
    ElementStore s;
    ViewPlane yz{ViewMode::ElevationYZ, 6000, 1};
    int i = s.addElemView(yz, kind::LINE, 0, 1, -1, 0, 0, 1000, 0, 3000, 3500, 0);
    const Element& e = s.at(i);
    EXPECT_EQ(e.X1, 6000);
    EXPECT_EQ(e.X2, 6000);
    EXPECT_EQ(e.Y1, 1000);
    EXPECT_EQ(e.Z1, 0);
    EXPECT_EQ(e.Y2, 3000);
    EXPECT_EQ(e.Z2, 3500);

    ViewPlane plan{ViewMode::Plan, 3500, 2};
    int p = s.addElemView(plan, kind::LINE, 0, 2, -1, 0, 0, 500, 0, 0, 0, 0);
    EXPECT_EQ(s.at(p).Z1, 3500);  // plan lines lie on the viewed level
    EXPECT_EQ(s.at(p).X1, 0);
    EXPECT_TRUE(s.inPlane(plan, p));
}

TEST(ElementStore, IdentifiersAreReusedOnlyAfterDeletingTheLargest)
{
    ElementStore s;
    addLine(s, 0, 0, 0, 1, 0, 0);
    int b = addLine(s, 0, 0, 0, 2, 0, 0);
    EXPECT_EQ(s.at(b).UID, 2);
    EXPECT_EQ(s.newUID(), 3);
    s.delElem(b);
    EXPECT_EQ(s.newUID(), 2);
    int copy = s.copyElement(0, false);
    EXPECT_EQ(s.at(copy).UID, 1);
    EXPECT_EQ(s.findUID(1), 0);
}

TEST(ElementStore, LargestPossibleIdentifierDoesNotOverflow)
{
    // A file may carry the largest identifier there is; new elements then take the smallest
    // free one instead of a number past it.
    ElementStore s;
    addLine(s, 0, 0, 0, 1, 0, 0);  // UID 1
    int top = addLine(s, 0, 0, 0, 2, 0, 0);
    s.at(top).UID = std::numeric_limits<int>::max();
    EXPECT_EQ(s.newUID(), 2);
    int added = addLine(s, 0, 0, 0, 3, 0, 0);
    EXPECT_EQ(s.at(added).UID, 2);
    EXPECT_EQ(s.newUID(), 3);
}

TEST(ElementStore, DeletingAMemberTakesItsLoads)
{
    ElementStore s;
    int g = addLine(s, 0, 0, 0, 6000, 0, 0, kind::GIRDER);
    int l1 = s.addElem(kind::LOAD, 1, 1, -1, 0, s.at(g).UID, 0, 0, 0, 0, 0, 0, 0);
    int l2 = s.addElem(kind::LOAD, 2, 1, -1, 0, s.at(g).UID, 0, 0, 0, 0, 0, 0, 0);
    int other = s.addElem(kind::LOAD, 1, 1, -1, 0, 999, 0, 0, 0, 0, 0, 0, 0);
    s.deleteWithLoads(g);
    EXPECT_TRUE(s.isDead(g));
    EXPECT_TRUE(s.isDead(l1));
    EXPECT_TRUE(s.isDead(l2));
    EXPECT_FALSE(s.isDead(other));
}

TEST(ElementStore, NearestElementHonoursLevelKindAndPixelLimit)
{
    ElementStore s;
    ViewPlane plan{ViewMode::Plan, 0, 1};
    int line = addLine(s, 0, 0, 0, 1000, 0, 0);
    int otherLevel = s.addElem(kind::LINE, 0, 2, -1, 0, 0, 0, 5, 0, 1000, 5, 0, 0);
    s.addElem(kind::LOAD, 1, 1, -1, 0, 0, 0, 1, 0, 1000, 1, 0, 0);
    (void)otherLevel;
    // At one pixel per millimetre: 19 pixels picks, 20 does not.
    EXPECT_EQ(s.nearestElement(plan, -1, 500, 19, 1.0), line);
    EXPECT_EQ(s.nearestElement(plan, -1, 500, 20, 1.0), -1);
    EXPECT_EQ(s.nearestElement(plan, line, 500, 1, 1.0), -1);
    // Beyond the segment the distance is to the nearer end.
    EXPECT_EQ(s.nearestElement(plan, -1, 1015, 0, 1.0), line);
    EXPECT_EQ(s.nearestElement(plan, -1, 1015, 15, 1.0), -1);
}

TEST(ElementStore, LinesWinTiesByEarlierIndexPointsHaveAdvantage)
{
    ElementStore s;
    ViewPlane plan{ViewMode::Plan, 0, 1};
    int first = addLine(s, 0, 0, 0, 100, 0, 0);
    addLine(s, 0, 0, 0, 100, 0, 0);
    EXPECT_EQ(s.nearestElement(plan, -1, 50, 5, 1.0), first);
    int joint = s.addElem(kind::JOINT, 0, 1, -1, 0, 0, 50, 30, 0, 50, 30, 0, 0);
    // The joint is 25 mm away, the line 5 mm; the joint's 40 mm advantage wins, and the
    // pixel limit then applies to its real distance.
    EXPECT_EQ(s.nearestElement(plan, -1, 50, 5, 0.5), joint);
    EXPECT_EQ(s.nearestElement(plan, -1, 50, 5, 1.0), -1);
}

TEST(ElementStore, ColumnShownOnItsFootLevelOnlyWithoutColumnBelow)
{
    ElementStore s;
    int upper = addLine(s, 0, 0, 3000, 0, 0, 6000, kind::COLUMN);
    ViewPlane level1{ViewMode::Plan, 3000, 1};
    EXPECT_TRUE(s.inPlane(level1, upper));
    int lower = addLine(s, 0, 0, 0, 0, 0, 3000, kind::COLUMN);
    s.invalidateConnections();
    EXPECT_FALSE(s.inPlane(level1, upper) && s.at(upper).Z2 != 3000);
    EXPECT_TRUE(s.inPlane(level1, lower));  // its top is on this level
    ViewPlane level2{ViewMode::Plan, 6000, 1};
    EXPECT_TRUE(s.inPlane(level2, upper));
    ViewPlane ground{ViewMode::Plan, 0, 1};
    EXPECT_TRUE(s.inPlane(ground, lower));
}

TEST(ElementStore, SelectInBoxTakesWholeMembersOfBoxableKinds)
{
    ElementStore s;
    ViewPlane plan{ViewMode::Plan, 0, 1};
    int inside = addLine(s, 10, 10, 0, 20, 20, 0);
    int halfOut = addLine(s, 10, 10, 0, 200, 20, 0);
    int base = addLine(s, 10, 10, 0, 20, 10, 0, kind::BASE);
    s.selectInBox(plan, 100, 100, 0, 0);
    EXPECT_EQ(s.at(inside).selected, 1);
    EXPECT_EQ(s.at(halfOut).selected, 0);
    EXPECT_EQ(s.at(base).selected, 0);
    s.selectOne(halfOut);
    EXPECT_EQ(s.at(inside).selected, 0);
    EXPECT_EQ(s.at(halfOut).selected, 1);
}

// Reference: the connection table computed the slow, obvious way.
static ConnectionRow slowRow(ElementStore& s, int index)
{
    ConnectionRow row;
    row.fill(-1);
    const Element& e = s.at(index);
    auto same = [](double ax, double ay, double az, double bx, double by, double bz) {
        return std::fabs(ax - bx) < 1e-6 && std::fabs(ay - by) < 1e-6 && std::fabs(az - bz) < 1e-6;
    };
    for (int end = 0; end < 2; ++end) {
        double px = end ? e.X2 : e.X1, py = end ? e.Y2 : e.Y1, pz = end ? e.Z2 : e.Z1;
        for (int c = -1; s.nextLive(c);) {
            const Element& m = s.at(c);
            bool alongX = m.kind == kind::GIRDER && std::fabs(m.Y1 - m.Y2) < 1e-6;
            bool alongY = m.kind == kind::GIRDER && std::fabs(m.X1 - m.X2) < 1e-6;
            bool col = m.kind == kind::COLUMN;
            bool first = same(m.X1, m.Y1, m.Z1, px, py, pz);
            bool second = same(m.X2, m.Y2, m.Z2, px, py, pz);
            int base = end * 6;
            if (alongX && first) row[base + 0] = c;
            if (alongX && second) row[base + 1] = c;
            if (alongY && first) row[base + 2] = c;
            if (alongY && second) row[base + 3] = c;
            if (col && first && row[base + 4] < 0) row[base + 4] = c;
            if (col && second && row[base + 5] < 0) row[base + 5] = c;
        }
    }
    return row;
}

// Girders, columns and lines on a 4 x 4 x 4 node frame, some deleted.
static void randomFrame(ElementStore& s)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> node(0, 3);
    std::uniform_int_distribution<int> pick(0, 5);
    // Nodes 1 mm apart plus a sub-tolerance jitter, so near-equal points must still match.
    auto coord = [&](int n) { return n * 1000.0 + (pick(rng) == 0 ? 4e-7 : 0.0); };
    for (int i = 0; i < 300; ++i) {
        int x = node(rng), y = node(rng), z = node(rng);
        int what = pick(rng);
        if (what <= 1)
            addLine(s, coord(x), coord(y), coord(z), coord(x + 1), coord(y), coord(z), kind::GIRDER);
        else if (what == 2)
            addLine(s, coord(x), coord(y), coord(z), coord(x), coord(y + 1), coord(z), kind::GIRDER);
        else if (what == 3)
            addLine(s, coord(x), coord(y), coord(z), coord(x), coord(y), coord(z + 1), kind::COLUMN);
        else
            addLine(s, coord(x), coord(y), coord(z), coord(x + 1), coord(y + 1), coord(z));
        if (pick(rng) == 0) s.delElem(s.count() - 1);
    }
}

TEST(ConnectionTable, MatchesTheObviousDefinitionOnARandomFrame)
{
    ElementStore s;
    randomFrame(s);
    s.computeConnections();
    for (int c = -1; s.nextLive(c);) ASSERT_EQ(s.connections(c), slowRow(s, c)) << "element " << c;
}

TEST(ConnectionTable, RowsOfOnePlaneAreThoseOfTheWholeTable)
{
    ElementStore s;
    randomFrame(s);
    int inPlane = 0;
    for (int axis = 0; axis < 3; ++axis)
        for (int n = 0; n <= 4; ++n) {
            s.invalidateConnections();
            s.computeConnectionsOnPlane(axis, n * 1000.0);
            auto on = [&](double v) { return std::fabs(v - n * 1000.0) < 1e-6; };
            int off = -1;
            for (int c = -1; s.nextLive(c);) {
                const Element& e = s.at(c);
                const bool lies = axis == 0 ? on(e.X1) && on(e.X2) : axis == 1 ? on(e.Y1) && on(e.Y2) : on(e.Z1) && on(e.Z2);
                if (!lies) {
                    off = c;
                    continue;
                }
                ++inPlane;
                ASSERT_EQ(s.connections(c), slowRow(s, c)) << "axis " << axis << " plane " << n << " element " << c;
            }
            EXPECT_FALSE(s.connectionsValid()) << "the plane's rows alone answered its elements";
            // An element off the plane gets the whole table's row.
            ASSERT_GE(off, 0);
            EXPECT_EQ(s.connections(off), slowRow(s, off));
        }
    EXPECT_GT(inPlane, 100);
    // A member added after the plane's rows were made shows in them.
    s.invalidateConnections();
    s.computeConnectionsOnPlane(1, 0);
    const int g = addLine(s, 0, 0, 0, 1000, 0, 0, kind::GIRDER);
    EXPECT_EQ(s.connections(g), slowRow(s, g));
}

TEST(ConnectionTable, TieBreaksHighestGirderLowestColumn)
{
    ElementStore s;
    int g1 = addLine(s, 0, 0, 0, 1000, 0, 0, kind::GIRDER);
    int g2 = addLine(s, 0, 0, 0, 2000, 0, 0, kind::GIRDER);
    int c1 = addLine(s, 0, 0, 0, 0, 0, 3000, kind::COLUMN);
    addLine(s, 0, 0, 0, 0, 0, 3000, kind::COLUMN);
    const ConnectionRow& row = s.connections(g1);
    EXPECT_EQ(row[con::GX_FIRST], g2);
    EXPECT_EQ(row[con::COL_FIRST], c1);
    EXPECT_EQ(row[con::GX_SECOND], -1);
    EXPECT_EQ(s.connections(g1)[con::SECOND_END + con::GX_FIRST], -1);
    (void)g1;
}

TEST(TextBuffer, ShiftAndBadBaseAreSaid)
{
    testing_support::RecordingPlatform platform;
    TextBuffer texts;
    int i = texts.addMoji(7, "通り", 10, 90, 3, 100, 200, "4", 0xFF);
    EXPECT_NEAR(texts.at(i).x, 90, 1e-9);  // moved at right angles to a vertical text
    EXPECT_NEAR(texts.at(i).y, 200, 1e-9);
    EXPECT_EQ(texts.at(i).layer, "4");
    texts.addMoji(10, "bad", 0, 0, 3, 0, 0, "1", 0);
    session::show(platform, texts.takeNotices());
    EXPECT_TRUE(platform.saidText("addMoji_NB:nBaseが不正です"));
    EXPECT_EQ(texts.count(), 2);  // stored all the same
}

// Regression: the buffer used to stop at 10 001 labels, and large drawings lost the rest.
TEST(TextBuffer, GrowsPastTheOldTableWithoutLosingOrSayingAnything)
{
    testing_support::RecordingPlatform platform;
    TextBuffer texts;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        for (int i = 0; i < 30000; ++i) ASSERT_EQ(texts.addMoji(7, std::to_string(i), 0, 0, 3, i, 0, "1", 0), i);
        EXPECT_EQ(texts.count(), 30000);
        EXPECT_EQ(texts.at(20000).text, "20000");
        EXPECT_EQ(texts.refused(), 0);
        session::show(platform, texts.takeNotices());
        EXPECT_FALSE(platform.saidText("文字列バッファが一杯です"));
        texts.clear();
        EXPECT_EQ(texts.count(), 0);
    }
}
