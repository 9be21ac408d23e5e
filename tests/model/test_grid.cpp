// SPDX-License-Identifier: GPL-3.0-or-later
// Grid lines: positions from pitches, extents, names, and the LINE/BASE elements a new grid makes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <tuple>

#include "model/encoding.h"
#include "model/grid.h"
#include "session/grid_build.h"
#include "session/session.h"
#include "support/recording_platform.h"

using namespace model;

namespace {

struct Seg {
    double x1, y1, z1, x2, y2, z2;
};

std::vector<Seg> elementsOfKind(const ElementStore& store, int k)
{
    std::vector<Seg> out;
    for (int c = -1; store.nextLive(c);) {
        const Element& e = store.at(c);
        if (e.kind == k) out.push_back({e.X1, e.Y1, e.Z1, e.X2, e.Y2, e.Z2});
    }
    return out;
}

void expectSeg(const Seg& s, double x1, double y1, double z1, double x2, double y2, double z2)
{
    EXPECT_EQ(std::vector<double>({s.x1, s.y1, s.z1, s.x2, s.y2, s.z2}), std::vector<double>({x1, y1, z1, x2, y2, z2}));
}

std::vector<int32_t> usedSlots(const GridModel& g, int axis)
{
    std::vector<int32_t> out;
    for (int i = 0; i < kGridSlots; ++i)
        if (g.isUsed(axis, i)) out.push_back(g.position(axis, i));
    return out;
}

class GridTest : public ::testing::Test {
protected:
    testing_support::RecordingPlatform platform;
    Session session{platform};
};

}  // namespace

TEST_F(GridTest, DefaultGridMakesItsFrameOnTheCurrentLevel)
{
    session.view.currentLayer = 3;
    session.sections[0].secID = 1;
    session.sections[0].secSpec = "kept";
    GridSpec spec;
    ASSERT_EQ(buildGrid(session, spec), 75 + 20);

    const GridModel& g = session.grid;
    EXPECT_EQ(usedSlots(g, AXIS_X), (std::vector<int32_t>{0, 5000, 10000}));
    EXPECT_EQ(usedSlots(g, AXIS_Y), (std::vector<int32_t>{0, 4000, 8000, 12000}));
    EXPECT_EQ(usedSlots(g, AXIS_Z), (std::vector<int32_t>{0, 3000, 6000}));
    EXPECT_EQ(g.maxPos, (std::array<int32_t, 3>{10000, 12000, 6000}));
    EXPECT_EQ(g.offsetKind(AXIS_Z, 2), OFFSET_RIGHT_UPPER);
    EXPECT_EQ(session.sections[0].secSpec, "kept");
    EXPECT_TRUE(session.project.modified);

    std::vector<Seg> lines = elementsOfKind(session.store, kind::LINE);
    ASSERT_EQ(lines.size(), 75u);
    int vertical = 0;
    std::set<std::tuple<double, double, double, double, double, double>> distinct;
    for (const Seg& s : lines) {
        if (s.z1 != s.z2) {
            ++vertical;
            EXPECT_DOUBLE_EQ(s.z2 - s.z1, 3000);
        } else {
            EXPECT_DOUBLE_EQ(std::abs(s.x2 - s.x1) + std::abs(s.y2 - s.y1), s.x1 == s.x2 ? 4000 : 5000);
        }
        distinct.insert({s.x1, s.y1, s.z1, s.x2, s.y2, s.z2});
    }
    EXPECT_EQ(vertical, 2 * 3 * 4);
    EXPECT_EQ(distinct.size(), 75u);

    std::set<int> uids;
    for (int c = -1; session.store.nextLive(c);) {
        const Element& e = session.store.at(c);
        uids.insert(e.UID);
        const bool line = e.kind == kind::LINE;
        EXPECT_TRUE(line || e.kind == kind::BASE);
        EXPECT_EQ(e.LY, line ? 3 : 1);
        EXPECT_EQ(e.CL, line ? 0xFF0000 : 0xFFFF00);
        EXPECT_EQ(e.SID + e.secID + e.refUID, 0);
    }
    EXPECT_EQ(uids.size(), 95u);
    EXPECT_EQ(*uids.begin(), 1);
    ASSERT_FALSE(platform.statusTexts.empty());
    EXPECT_EQ(platform.statusTexts.back(), (std::pair<int, std::string>{0, "95"}));
}

TEST_F(GridTest, RebuildingReplacesTheOldGridButApplyKeepsExistingElements)
{
    GridSpec spec;
    ASSERT_GT(buildGrid(session, spec), 0);
    spec.spanCount = {1, 1, 0};
    EXPECT_EQ(buildGrid(session, spec), 4 + 2 * (2 + 2 + 1));
    EXPECT_EQ(session.grid.position(AXIS_Y, 2), -1);

    initStore(session, false);
    session.store.addElem(kind::LINE, 0, 1, 7, 0, 0, 0, 0, 0, 1, 1, 0, 0xFF0000);
    ASSERT_EQ(applyGridSpec(session, spec, 0x00FF00), 4 + 10);
    EXPECT_EQ(session.store.at(0).UID, 7);
    EXPECT_EQ(session.store.at(1).UID, 8);  // identifiers go on from the kept element
    EXPECT_EQ(session.store.at(1).CL, 0x00FF00);

    // Counting on from the largest identifier there is must not overflow.
    initStore(session, false);
    session.store.addElem(kind::LINE, 0, 1, std::numeric_limits<int>::max() - 1, 0, 0, 0, 0, 0, 1, 1, 0, 0);
    ASSERT_EQ(applyGridSpec(session, spec, 0x00FF00), 4 + 10);
    std::set<int> uids;
    for (int c = -1; session.store.nextLive(c);) uids.insert(session.store.at(c).UID);
    EXPECT_EQ(uids.size(), 15u);
    EXPECT_TRUE(uids.count(std::numeric_limits<int>::max()));
    EXPECT_GT(*uids.begin(), 0);
}

TEST_F(GridTest, AxisLinesRunHalfAnExtensionBeforeAndAWholeOnePast)
{
    GridSpec spec;
    spec.spanCount = {1, 1, 1};
    spec.pitches[AXIS_X] = {6000};
    spec.pitches[AXIS_Y] = {7000};
    spec.pitches[AXIS_Z] = {4500};
    ASSERT_EQ(buildGrid(session, spec), 4 + 4 + 4 + 12);
    std::vector<Seg> b = elementsOfKind(session.store, kind::BASE);
    ASSERT_EQ(b.size(), 12u);
    const double e = 4500, h = 2250;
    // plan: Y lines, then X lines
    expectSeg(b[0], -h, 0, 0, 6000 + e, 0, 0);
    expectSeg(b[1], -h, 7000, 0, 6000 + e, 7000, 0);
    expectSeg(b[2], 0, -h, 0, 0, 7000 + e, 0);
    expectSeg(b[3], 6000, -h, 0, 6000, 7000 + e, 0);
    // elevation along X: X lines upwards, then levels
    expectSeg(b[4], 0, 0, -h, 0, 0, 4500 + e);
    expectSeg(b[5], 6000, 0, -h, 6000, 0, 4500 + e);
    expectSeg(b[6], -h, 0, 0, 6000 + e, 0, 0);
    expectSeg(b[7], -h, 0, 4500, 6000 + e, 0, 4500);
    // elevation along Y: Y lines upwards, then levels
    expectSeg(b[8], 0, 0, -h, 0, 0, 4500 + e);
    expectSeg(b[9], 0, 7000, -h, 0, 7000, 4500 + e);
    expectSeg(b[10], 0, -h, 0, 0, 7000 + e, 0);
    expectSeg(b[11], 0, -h, 4500, 0, 7000 + e, 4500);

    // A low first storey still gets the minimum extension of 4000.
    spec.pitches[AXIS_Z] = {3000};
    ASSERT_GT(buildGrid(session, spec), 0);
    b = elementsOfKind(session.store, kind::BASE);
    expectSeg(b[0], -2000, 0, 0, 10000, 0, 0);
    expectSeg(b[4], 0, 0, -2000, 0, 0, 7000);
}

TEST_F(GridTest, AnAxisWithoutSpansReachesOnlyItsLineZero)
{
    GridSpec spec;
    spec.spanCount = {0, 2, 1};
    ASSERT_GT(buildGrid(session, spec), 0);
    EXPECT_EQ(session.grid.maxPos[AXIS_X], 0);
    std::vector<Seg> b = elementsOfKind(session.store, kind::BASE);
    ASSERT_FALSE(b.empty());
    expectSeg(b[0], -2000, 0, 0, 4000, 0, 0);  // plan Y line 0 ends at x = 0 + e

    GridModel g;
    calcGridMax(g);
    EXPECT_EQ(g.maxPos, (std::array<int32_t, 3>{0, 0, 0}));
    ElementStore store;
    EXPECT_EQ(makeGridAxes(g, store), 0);  // an empty grid has no axis lines
    EXPECT_EQ(store.count(), 0);
}

TEST_F(GridTest, NegativePositionsAreUnusedSlots)
{
    GridSpec spec;
    spec.spanCount = {3, 1, 1};
    spec.pitches[AXIS_X] = {5000, -7500, 4000};  // slots 0, 5000, -2500, 1500
    ASSERT_GT(buildGrid(session, spec), 0);
    const GridModel& g = session.grid;
    EXPECT_FALSE(g.isUsed(AXIS_X, 2));
    EXPECT_EQ(g.usedCount(AXIS_X), 2);
    EXPECT_EQ(g.maxPos[AXIS_X], 5000);
    for (int c = -1; session.store.nextLive(c);) {
        const Element& e = session.store.at(c);
        EXPECT_NE(e.X1, -2500);
        EXPECT_NE(e.X2, -2500);
    }
    // Three X lines remain: each level joins them with two segments along each Y line.
    int alongX = 0;
    for (const Seg& s : elementsOfKind(session.store, kind::LINE))
        if (s.y1 == s.y2 && s.z1 == s.z2 && s.x1 != s.x2) ++alongX;
    EXPECT_EQ(alongX, 2 * 2 * 2);
    EXPECT_EQ(elementsOfKind(session.store, kind::BASE).size(), 2u * (3 + 2 + 2));
}

TEST_F(GridTest, CountsAndPositionsOutsideTheTablesAreRefused)
{
    GridModel g;
    const std::vector<int> pitches(kMaxSpans + 1, 1000);
    EXPECT_TRUE(setPositionsFromPitches(g, AXIS_X, 100, pitches));
    EXPECT_EQ(g.position(AXIS_X, 100), 100000);
    GridModel before = g;
    EXPECT_FALSE(setPositionsFromPitches(g, AXIS_Y, 101, pitches));
    EXPECT_FALSE(setPositionsFromPitches(g, AXIS_Y, -1, pitches));
    EXPECT_FALSE(setPositionsFromPitches(g, AXIS_Y, 3, {1000, 1000}));
    EXPECT_FALSE(setPositionsFromPitches(g, 3, 1, pitches));
    EXPECT_FALSE(setPositionsFromPitches(g, AXIS_Y, 2, {2000000000, 2000000000}));
    EXPECT_EQ(g.line, before.line);
    EXPECT_EQ(g.spanCount, before.spanCount);

    EXPECT_EQ(g.position(AXIS_X, 101), -1);
    EXPECT_EQ(g.position(5, 0), -1);
    EXPECT_FALSE(g.setOffset(AXIS_X, 101, OFFSET_LEFT_LOWER, 5));
    EXPECT_EQ(g.offsetKind(AXIS_X, -1), OFFSET_NONE);
    EXPECT_EQ(g.name(AXIS_Z, 102), "");
    g.spanCount[AXIS_Z] = 500;  // a corrupt count never walks past the table
    EXPECT_EQ(g.spans(AXIS_Z), kMaxSpans);

    GridSpec spec;
    ASSERT_GT(buildGrid(session, spec), 0);
    const GridModel kept = session.grid;
    const int elements = session.store.count();
    spec.spanCount[AXIS_Y] = 101;
    EXPECT_EQ(buildGrid(session, spec), -1);
    EXPECT_TRUE(platform.saidText("Y軸のスパン数は0から100までです。"));
    spec.spanCount = {0, 0, 0};
    EXPECT_EQ(buildGrid(session, spec), -1);
    spec.spanCount = {1, 0, 0};
    spec.pitches[AXIS_X] = {-100};
    EXPECT_EQ(applyGridSpec(session, spec, 0xFF0000), -1);
    EXPECT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[1].caption, "確認");
    EXPECT_EQ(session.store.count(), elements);
    EXPECT_EQ(session.grid.line, kept.line);
    EXPECT_EQ(session.grid.spanCount, kept.spanCount);
}

TEST_F(GridTest, FullHundredSpanAxesAreAccepted)
{
    GridSpec spec;
    spec.spanCount = {100, 100, 0};
    EXPECT_EQ(buildGrid(session, spec), 2 * 101 * 100 + 2 * (101 + 101 + 1));
    EXPECT_EQ(session.grid.maxPos[AXIS_Y], 400000);
}

TEST_F(GridTest, OffsetRowsAreTakenOverAndUnknownKindsBecomeNone)
{
    GridSpec spec;
    spec.offsets[1].nKindX = OFFSET_LEFT_LOWER;
    spec.offsets[1].nDistX = -50;
    spec.offsets[2].nKindY = 9;
    ASSERT_GT(buildGrid(session, spec), 0);
    EXPECT_EQ(session.grid.offsetKind(AXIS_X, 1), OFFSET_LEFT_LOWER);
    EXPECT_EQ(session.grid.offsetDist(AXIS_X, 1), -50);
    EXPECT_EQ(session.grid.offsetKind(AXIS_Y, 2), OFFSET_NONE);

    EXPECT_EQ(offsetKindFromWord("中心"), OFFSET_CENTER);
    EXPECT_EQ(offsetKindFromWord("左(下)"), OFFSET_LEFT_LOWER);
    EXPECT_EQ(offsetKindFromWord("右(上)"), OFFSET_RIGHT_UPPER);
    EXPECT_EQ(offsetKindFromWord("右（上）"), OFFSET_NONE);  // full-width brackets are another word
    EXPECT_EQ(offsetKindWord(OFFSET_RIGHT_UPPER), "右(上)");
    EXPECT_EQ(offsetKindWord(OFFSET_NONE), "");
}

TEST(GridClear, KeepsLineZeroAndForgetsCounts)
{
    GridModel g;
    ASSERT_TRUE(setPositionsFromPitches(g, AXIS_Z, 2, {3000, 3000}));
    g.line[AXIS_X][0] = 0;
    clearGrid(g);
    EXPECT_EQ(g.position(AXIS_Z, 0), 0);
    EXPECT_FALSE(g.isUsed(AXIS_Z, 1));
    EXPECT_EQ(g.spanCount[AXIS_Z], 0);
    EXPECT_EQ(g.maxPos[AXIS_Z], 0);
}

TEST(GridNames, SteppedCharacters)
{
    GridModel g;
    std::array<GridNaming, 3> schemes{};
    schemes[AXIS_X] = GridNaming{1, "A", "", "", "", "", ""};
    schemes[AXIS_Y] = GridNaming{1, "Ａ", "", "", "", "", ""};
    schemes[AXIS_Z] = GridNaming{1, "1", "", "", "", "", ""};
    makeGridNames(g, schemes);
    EXPECT_EQ(g.names[AXIS_X][0], "A");
    EXPECT_EQ(g.names[AXIS_X][25], "Z");
    EXPECT_EQ(g.names[AXIS_X][26], "[");
    EXPECT_EQ(g.names[AXIS_X][27], "\\");
    EXPECT_EQ(g.names[AXIS_X][32], "a");
    EXPECT_EQ(g.names[AXIS_Y][0], "Ａ");
    EXPECT_EQ(g.names[AXIS_Y][1], "Ｂ");
    EXPECT_EQ(g.names[AXIS_Y][25], "Ｚ");
    // The codes after "Ｚ" are unassigned in CP932: the name shows the code instead.
    EXPECT_EQ(g.names[AXIS_Y][26], "#827A");
    EXPECT_EQ(g.names[AXIS_Y][33], "ａ");
    // "1" is 0x31: 0x7F is a control byte, 0x81 a lone lead byte.
    EXPECT_EQ(g.names[AXIS_Z][78], "#7F");
    EXPECT_EQ(g.names[AXIS_Z][80], "#81");
    EXPECT_EQ(g.names[AXIS_X][99], "\xEF\xBD\xA4");  // 0xA4 is the half-width "､", a character of its own
    EXPECT_EQ(g.names[AXIS_X][100], "");
    for (int i = 0; i < kGridNamedLines; ++i) EXPECT_TRUE(isValidUtf8(g.names[AXIS_Z][i])) << i;

    EXPECT_EQ(steppedGridName("ﾟ", 32), "#FF");  // half-width 0xDF + 32
    EXPECT_EQ(steppedGridName("ﾟ", 33), "#00");  // wraps within one byte
    EXPECT_EQ(steppedGridName("ABC", 1), "B");  // only the first character counts
    EXPECT_EQ(steppedGridName("", 0), "");
    EXPECT_EQ(steppedGridName("\xF0\x9F\x98\x80", 0), "");  // no CP932 form
}

TEST(GridNames, PrefixAndSuffixNumbers)
{
    GridModel g;
    g.names[AXIS_Z][5] = "old";
    std::array<GridNaming, 3> schemes{};
    schemes[AXIS_X] = GridNaming{2, "", "", "X", "1", "", ""};
    schemes[AXIS_Y] = GridNaming{3, "", "", "", "", "通", "-2"};
    schemes[AXIS_Z] = GridNaming{4, "", "", "Z", "0", "", ""};
    makeGridNames(g, schemes);
    EXPECT_EQ(g.names[AXIS_X][0], "X1");
    EXPECT_EQ(g.names[AXIS_X][99], "X100");
    EXPECT_EQ(g.names[AXIS_Y][0], "-2通");
    EXPECT_EQ(g.names[AXIS_Y][3], "1通");
    EXPECT_EQ(g.names[AXIS_Z][5], "old");  // an unknown scheme leaves the names alone

    for (const char* bad : {"abc", "", "1.5", "99999999999"}) {
        schemes[AXIS_X].num2 = bad;
        makeGridNames(g, schemes);
        EXPECT_EQ(g.names[AXIS_X][0], "X0") << bad;
    }
}
