// SPDX-License-Identifier: GPL-3.0-or-later
// The column section list puts every bar, hoop, dimension, row and storey block where the
// column's section and the list settings say, and draws nothing for an empty table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "draft/column_list.h"
#include "model/element.h"
#include "model/sections.h"
#include "session/session.h"
#include "support/recording_platform.h"

using model::Element;
namespace kind = model::kind;

namespace {

constexpr double u = 120;                      // one unit: moji height 3 at scale 40
constexpr double kMarkLeft = 11 * u;           // level column 2 + title column 9
constexpr double kMarkWidth = 15 * u;
constexpr double kHeaderBottom = 1000 - 2 * u;
constexpr double kBlock = 24 * u;              // four text rows of 2 and the figure row of 16
// Centre of the figure in the first mark column of the top storey.
constexpr double kX0 = kMarkLeft + kMarkWidth / 2;
constexpr double kY0 = kHeaderBottom - 7 * u;
const char* const kDefault = "RC:600:600;4:3:D22;2:2:D13:100;";

// Drawing coordinates are rounded to 5 decimals.
bool near(double a, double b) { return std::fabs(a - b) < 1e-4; }

struct ColumnList : ::testing::Test {
    testing_support::RecordingPlatform platform;
    model::Session session{platform};
    draft::Drafter d{session};

    void SetUp() override { d.SetDraftScale(3, 40); }
    void column(int storey, int markNo, const std::string& mark, const std::string& spec, std::string level = "")
    {
        if (level.empty()) level = std::to_string(storey);
        ASSERT_TRUE(model::setMemRod(session.sections, model::makeSecKey('C', storey, markNo),
                                     model::makeSecName(level, mark), spec));
    }
    bool draw(int storeys)
    {
        session.grid.spanCount[2] = storeys;
        return draft::drawColumnList(session, d);
    }
    std::vector<Element> on(int layer, int kindCode) const
    {
        std::vector<Element> out;
        for (int c = -1; session.store.nextLive(c);)
            if (session.store.at(c).LY == layer && session.store.at(c).kind == kindCode) out.push_back(session.store.at(c));
        return out;
    }
    // Main bar centres: the radius-24 circles of the D22 symbol on the main-bar pen.
    int bars(const std::function<bool(double, double)>& where) const
    {
        int n = 0;
        for (const Element& e : on(10, kind::CIRCLE)) n += near(e.X2, 24) && where(e.X1, e.Y1);
        return n;
    }
    std::vector<model::Moji> texts(const std::string& text) const
    {
        std::vector<model::Moji> out;
        for (const model::Moji& m : session.texts.entries())
            if (m.text == text) out.push_back(m);
        return out;
    }
};

}  // namespace

TEST_F(ColumnList, CornerBarsAndFaceBarsFollowBothCounts)
{
    column(1, 1, "C1", kDefault);
    column(1, 2, "C2", "RC:800:500;5:2:D22;2:2:D13:100;");
    column(1, 3, "C3", "RC:800:500;2:5:D22;2:2:D13:100;");
    ASSERT_TRUE(draw(1));
    ASSERT_EQ(bars([](double, double) { return true; }), 10 + 10 + 10);
    // The default 4:3 column: corners 64 inside the faces, one more bar on the bottom and top,
    // two more evenly up each side.
    const double xL = kX0 - 236, xR = kX0 + 236, yB = kY0 - 236, yT = kY0 + 236;
    for (double x : {xL, xR})
        for (double y : {yB, yT, yB + 472.0 / 3, yB + 944.0 / 3})
            EXPECT_EQ(bars([&](double bx, double by) { return near(bx, x) && near(by, y); }), 1) << x << "," << y;
    for (double y : {yB, yT}) EXPECT_EQ(bars([&](double bx, double by) { return near(bx, kX0) && near(by, y); }), 1);
    // The first count is per side face, the second per bottom and top face.
    const double c2 = kX0 + kMarkWidth, c3 = kX0 + 2 * kMarkWidth;
    EXPECT_EQ(bars([&](double x, double) { return near(x, c2 - 336); }), 5);
    EXPECT_EQ(bars([&](double, double y) { return near(y, kY0 - 186); }), 2 + 5);
    EXPECT_EQ(bars([&](double x, double) { return near(x, c3 + 336); }), 2);
}

TEST_F(ColumnList, HoopCornersWrapTheCornerBarsAndNeedTheCageAndAHoopSize)
{
    column(1, 1, "C1", "RC:700:600;3:3:D13;2:2:D10:100;");
    column(1, 2, "C2", "RC:600:600;1:3:D22;2:2:D13:100;");  // one bar a side: no cage
    column(1, 3, "C3", "RC:600:600;4:3:D22;;");             // no hoop size
    ASSERT_TRUE(draw(1));
    const auto arcs = on(11, kind::ARC);
    ASSERT_EQ(arcs.size(), 4u);  // C1's hoop only
    for (const Element& a : arcs) {
        EXPECT_TRUE(near(a.X2, 12));  // the D13 bar radius, centred on a corner bar
        EXPECT_TRUE(near(std::fabs(a.X1 - kX0), 350 - 52));
        EXPECT_TRUE(near(std::fabs(a.Y1 - kY0), 300 - 52));
    }
    for (const Element& l : on(11, kind::LINE)) {
        if (near(l.X1, l.X2)) {
            EXPECT_TRUE(near(std::fabs(l.X1 - kX0), 310));  // the hoop's sides 40 inside the faces
        }
    }
    EXPECT_EQ(on(2, kind::LINE).size(), 12u);  // every outline is drawn
    EXPECT_EQ(texts("Dx").size(), 3u);        // and dimensioned
    EXPECT_EQ(bars([&](double x, double) { return x > kX0 + kMarkWidth / 2 && x < kX0 + 1.5 * kMarkWidth; }), 0);
    EXPECT_EQ(bars([&](double x, double) { return x > kX0 + 1.5 * kMarkWidth; }), 10);
}

TEST_F(ColumnList, HoopRowShowsLegsSymbolBesideTheCentredText)
{
    session.settings.draft.CTitle = {1, 2, 3, 6, 5};  // "帯　筋" draws as "フープ"
    column(1, 1, "C1", "RC:600:600;4:3:D22;3:4:D13:100;");
    ASSERT_TRUE(draw(1));
    EXPECT_EQ(texts("帯　筋").size(), 1u);
    const auto t = texts("-D13-@100");
    ASSERT_EQ(t.size(), 1u);
    const double middle = kHeaderBottom - (16 + 2 + 2 + 1) * u;
    const double start = kMarkLeft + (kMarkWidth - 9 * u * 0.5) / 2;  // 9 characters at MojiRatio 0.5
    EXPECT_TRUE(near(t[0].x, start) && near(t[0].y, middle));
    EXPECT_EQ(t[0].nBase, draft::BASE_MIDDLE_LEFT);
    int vertical = 0, horizontal = 0;
    for (const Element& l : on(7, kind::LINE))
        if (l.X1 >= start - 1.5 * u && l.X2 <= start - 0.5 * u && l.Y1 >= middle - u / 2 && l.Y2 <= middle + u / 2)
            ++(near(l.X1, l.X2) ? vertical : horizontal);
    EXPECT_EQ(vertical, 3);
    EXPECT_EQ(horizontal, 4);
    EXPECT_EQ(texts("10-D22").size(), 1u);
    EXPECT_EQ(texts("600×600").size(), 1u);
}

TEST_F(ColumnList, TitleSetToZeroLeavesTheRowOutAndShortensEveryBlock)
{
    session.settings.draft.CTitle = {1, 0, 3, 0, 99};  // 99 has no title: left out as well
    column(2, 1, "C1", kDefault);
    column(1, 1, "C1", kDefault);
    ASSERT_TRUE(draw(2));
    EXPECT_EQ(texts("断　面").size(), 2u);
    EXPECT_EQ(texts("主　筋").size(), 2u);
    EXPECT_TRUE(texts("Dx×Dy").empty());
    EXPECT_TRUE(texts("-D13-@100").empty());
    const double block = (16 + 2) * u;
    std::vector<double> ys;
    for (const Element& l : on(3, kind::LINE))
        if (near(l.Y1, l.Y2)) ys.push_back(l.Y1);
    std::sort(ys.begin(), ys.end());
    const std::vector<double> expected{kHeaderBottom - 2 * block, kHeaderBottom - block, kHeaderBottom, 1000};
    ASSERT_EQ(ys.size(), expected.size());
    for (size_t i = 0; i < ys.size(); ++i) EXPECT_TRUE(near(ys[i], expected[i])) << ys[i];
}

TEST_F(ColumnList, StoreysRunTopDownWithTheirNamesAndFigures)
{
    column(3, 1, "C1", kDefault, "3F");
    column(2, 2, "C2", "RC:500:500;4:3:D22;2:2:D13:100;", "2F");  // C1 has no section on storey 2
    column(1, 1, "C1", kDefault);
    ASSERT_TRUE(draw(3));
    const std::vector<std::string> names{"3F", "2F", "1"};
    for (int a = 0; a < 3; ++a) {
        const auto t = texts(names[static_cast<size_t>(a)]);
        ASSERT_EQ(t.size(), 1u) << names[static_cast<size_t>(a)];
        EXPECT_TRUE(near(t[0].x, u) && near(t[0].y, kHeaderBottom - (a + 0.5) * kBlock));
    }
    int found = 0;  // storey 2's figure hangs 7 units below its block's top
    for (const Element& l : on(2, kind::LINE))
        if (near(l.Y1, l.Y2) && near(std::fabs(l.X2 - l.X1), 500)) {
            EXPECT_TRUE(near(std::fabs(l.Y1 - (kY0 - kBlock)), 250));
            EXPECT_TRUE(near((l.X1 + l.X2) / 2, kX0 + kMarkWidth));
            ++found;
        }
    EXPECT_EQ(found, 2);
    for (const Element& l : on(5, kind::LINE))  // the remarks row, last in a block, has no rules
        for (int a = 1; a <= 3; ++a) EXPECT_FALSE(near(l.Y1, kHeaderBottom - a * kBlock));
    std::vector<double> xs;  // outer verticals run down to the last block
    for (const Element& l : on(3, kind::LINE))
        if (near(l.X1, l.X2)) {
            xs.push_back(l.X1);
            EXPECT_TRUE(near(std::min(l.Y1, l.Y2), kHeaderBottom - 3 * kBlock));
        }
    std::sort(xs.begin(), xs.end());
    const std::vector<double> expected{0, 2 * u, kMarkLeft, kMarkLeft + kMarkWidth, kMarkLeft + 2 * kMarkWidth};
    ASSERT_EQ(xs.size(), expected.size());
    for (size_t i = 0; i < xs.size(); ++i) EXPECT_TRUE(near(xs[i], expected[i]));
}

TEST_F(ColumnList, DimensionLinesSitThreeTextHeightsOutsideTheBottomAndRightEdges)
{
    column(1, 1, "C1", "RC:800:500;4:3:D22;2:2:D13:100;");
    ASSERT_TRUE(draw(1));
    const double bottom = kY0 - 250, right = kX0 + 400;
    const auto dx = texts("Dx"), dy = texts("Dy");
    ASSERT_EQ(dx.size(), 1u);
    ASSERT_EQ(dy.size(), 1u);
    EXPECT_TRUE(near(dx[0].x, kX0) && near(dx[0].y, bottom - 3 * u) && near(dx[0].angle, 0));
    EXPECT_TRUE(near(dy[0].x, right + 3 * u) && near(dy[0].y, kY0) && near(dy[0].angle, 90));
    EXPECT_EQ(dx[0].nBase, draft::BASE_BOTTOM_CENTRE);
    int extensions = 0;  // one text height clear of the figure
    for (const Element& l : on(6, kind::LINE))
        if (near(l.X1, l.X2) && near(std::max(l.Y1, l.Y2), bottom - u))
            extensions += near(std::min(l.Y1, l.Y2), bottom - 3 * u);
    EXPECT_EQ(extensions, 2);
    EXPECT_EQ(on(6, kind::CIRCLE).size(), 4u);
}

TEST_F(ColumnList, MarkOptionChoosesLettersOrNumbersOnAllOrOnlyTheFirstFigure)
{
    column(1, 1, "C1", "RC:600:500;4:3:D22;2:2:D13:100;");
    column(2, 2, "C2", "RC:600:500;4:3:D22;2:2:D13:100;");  // top-left cell (C1, storey 2) is empty
    column(1, 2, "C2", "RC:600:500;4:3:D22;2:2:D13:100;");
    struct Case {
        int mode;
        size_t letters, numbers;
    };
    for (Case c : {Case{0, 3, 0}, Case{1, 1, 0}, Case{2, 0, 3}, Case{3, 0, 1}, Case{-1, 0, 0}}) {
        session.store.clear();
        session.texts.clear();
        session.settings.draft.ColumnListMark = c.mode;
        ASSERT_TRUE(draw(2));
        EXPECT_EQ(texts("Dx").size(), c.letters) << c.mode;
        EXPECT_EQ(texts("Dy").size(), c.letters) << c.mode;
        EXPECT_EQ(texts("600").size(), c.numbers) << c.mode;
        EXPECT_EQ(texts("500").size(), c.numbers) << c.mode;
        // "First" is the first figure drawn: C2 on the top storey.
        for (const auto& t : c.mode == 1 ? texts("Dx") : c.mode == 3 ? texts("600") : std::vector<model::Moji>{})
            EXPECT_TRUE(near(t.x, kX0 + kMarkWidth) && t.y > kHeaderBottom - kBlock) << c.mode;
        EXPECT_EQ(on(6, kind::LINE).empty(), c.mode == -1);
    }
}

TEST_F(ColumnList, EmptyTableOrNoStoreyDrawsNothing)
{
    EXPECT_FALSE(draw(3));
    column(1, 1, "C1", kDefault);
    EXPECT_FALSE(draw(0));
    EXPECT_EQ(session.store.liveCount(), 0);
    EXPECT_EQ(session.texts.count(), 0);
}

TEST_F(ColumnList, OddCountsNeitherStopTheListNorFloodTheStore)
{
    column(1, 1, "C1", "RC:600:600;4.5:3:D22;2:2:D13:100;");
    column(1, 2, "C2", "RC:600:600;100000:3:D22;99999:2:D13:100;");
    ASSERT_TRUE(draw(1));
    EXPECT_EQ(bars([&](double x, double) { return near(x, kX0 - 236); }), 5);  // 4.5 reads as 5
    EXPECT_EQ(bars([&](double x, double) { return near(x, kX0 + kMarkWidth - 236); }), 100);  // capped
    EXPECT_LT(session.store.count(), 2000);
}
