// SPDX-License-Identifier: GPL-3.0-or-later
// The girder section list puts every row, end group, figure, bar, stirrup leg and web bar
// where the girder's section and the list settings say.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "draft/draft.h"
#include "draft/girder_list.h"
#include "model/bars.h"
#include "model/element.h"
#include "model/sections.h"
#include "session/session.h"
#include "support/recording_platform.h"

using model::Element;

namespace {

constexpr double u = 120;             // one unit: moji height 3 at scale 40
constexpr double kMarkLeft = 11 * u;  // floor column 2 + title column 9
constexpr double kMarkWidth = 30 * u;
constexpr double kBlock = 29 * u;  // 7 text rows of 2 units + a figure row of 15
constexpr double kFirstBlockTop = 1000 - 2 * u;
constexpr double kFigureTop = kFirstBlockTop - 2 * u - 2 * u;  // under the position row, 2 units down

bool near(double a, double b) { return std::fabs(a - b) < 1e-6; }

const std::string kDefaultBars = "3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;";

struct Pt {
    double x, y;
    // Coordinates reach the store rounded to 5 decimals.
    bool operator<(const Pt& o) const { return x < o.x - 1e-4 || (std::fabs(x - o.x) <= 1e-4 && y < o.y - 1e-4); }
    bool operator==(const Pt& o) const { return !(*this < o) && !(o < *this); }
};
void PrintTo(const Pt& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

struct ListBase : ::testing::Test {
    testing_support::RecordingPlatform platform;
    model::Session session{platform};
    draft::Drafter d{session};

    void SetUp() override { d.SetDraftScale(3, 40); }

    void girder(int floor, int markNo, const std::string& mark, const std::string& spec, const std::string& level = "")
    {
        ASSERT_TRUE(model::setMemRod(session.sections, model::makeSecKey('G', floor, markNo),
                                     model::makeSecName(level.empty() ? std::to_string(floor) : level, mark), spec));
    }
    void draw(int storeys)
    {
        session.grid.spanCount[2] = storeys;
        draft::drawGirderList(session, d);
    }
    std::vector<Element> all(int layer, int kindCode) const
    {
        std::vector<Element> out;
        for (int c = -1; session.store.nextLive(c);) {
            const Element& e = session.store.at(c);
            if (e.LY == layer && e.kind == kindCode) out.push_back(e);
        }
        return out;
    }
    std::vector<model::Moji> texts(const std::string& s) const
    {
        std::vector<model::Moji> out;
        for (const auto& m : session.texts.entries())
            if (m.text == s) out.push_back(m);
        return out;
    }
    // Centres of the bar symbols (circles) of a layer.
    std::set<Pt> centres(int layer) const
    {
        std::set<Pt> out;
        for (const Element& e : all(layer, model::kind::CIRCLE)) out.insert({e.X1, e.Y1});
        return out;
    }
    // Figures by the bottom line of their outline: centre x -> width, for bottoms at y.
    std::map<double, double> figuresWithBottomAt(double y) const
    {
        std::map<double, double> out;
        for (const Element& e : all(1, model::kind::LINE))
            if (near(e.Y1, y) && near(e.Y2, y)) out[(e.X1 + e.X2) / 2] = std::fabs(e.X2 - e.X1);
        return out;
    }
};

std::string spec(const std::string& sizes, const std::string& bars = kDefaultBars)
{
    return "RC:" + sizes + ";" + bars;
}

}  // namespace

using GirderList = ListBase;

TEST_F(GirderList, DefaultLayoutHasHeaderBlocksAndOuterRules)
{
    girder(2, 1, "G1", spec("400:900:400:900:400:900"), "R");
    girder(1, 1, "G1", spec("400:900:400:900:400:900"));
    draw(1);

    auto at = [&](const std::string& s, double x, double y) {
        auto found = texts(s);
        return std::any_of(found.begin(), found.end(), [&](const model::Moji& m) {
            return near(m.x, x) && near(m.y, y) && m.nBase == 5 && m.height == 120 && m.angle == 0 && m.layer == "7";
        });
    };
    EXPECT_TRUE(at("階", u, 1000 - u));
    EXPECT_TRUE(at("符　号", 6.5 * u, 1000 - u));
    EXPECT_TRUE(at("G1", kMarkLeft + kMarkWidth / 2, 1000 - u));
    EXPECT_TRUE(at("R", u, kFirstBlockTop - kBlock / 2));  // the highest floor on top
    EXPECT_TRUE(at("1", u, kFirstBlockTop - 1.5 * kBlock));
    EXPECT_TRUE(at("全断面", kMarkLeft + kMarkWidth / 2, kFirstBlockTop - u));
    EXPECT_EQ(texts("全断面").size(), 2u);
    EXPECT_EQ(texts("備　考").size(), 2u);

    // Pen 3: the top, under the header and under each block; four verticals.
    const double right = kMarkLeft + kMarkWidth, bottom = kFirstBlockTop - 2 * kBlock;
    std::set<double> horizontals, verticals;
    for (const Element& e : all(3, model::kind::LINE)) {
        if (near(e.Y1, e.Y2)) {
            EXPECT_TRUE(near(std::min(e.X1, e.X2), 0) && near(std::max(e.X1, e.X2), right));
            horizontals.insert(e.Y1);
        } else {
            EXPECT_TRUE(near(std::min(e.Y1, e.Y2), bottom) && near(std::max(e.Y1, e.Y2), 1000));
            verticals.insert(e.X1);
        }
    }
    EXPECT_EQ(horizontals, (std::set<double>{bottom, kFirstBlockTop - kBlock, kFirstBlockTop, 1000}));
    EXPECT_EQ(verticals, (std::set<double>{0, 2 * u, kMarkLeft, right}));

    // One centred figure per floor.
    auto figures = figuresWithBottomAt(kFigureTop - 900);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_DOUBLE_EQ(figures.begin()->first, kMarkLeft + kMarkWidth / 2);
    EXPECT_DOUBLE_EQ(figures.begin()->second, 400);
}

TEST_F(GirderList, EndGroupsFollowWhichEndsDiffer)
{
    struct Case {
        std::string sizes, bars;
        int code;
        std::vector<std::string> labels;
        std::vector<int> ends;
    };
    const std::string a = "3::D22;3::D22;", b = "4::D22;3::D22;";
    const std::string tail = "2:D10:200;2:D10;";
    const std::vector<Case> cases{
        {"400:900:400:900:400:900", a + a + b + tail, 3, {"左端・中央", "右端"}, {0, 2}},
        {"400:900:400:900:400:900", b + a + a + tail, 2, {"左端", "中央・右端"}, {0, 1}},
        {"400:900:400:900:400:900", a + b + a + tail, 4, {"端部", "中央"}, {0, 1}},
        {"400:900:500:900:600:900", a + a + a + tail, 1, {"左端", "中央", "右端"}, {0, 1, 2}},
        {"400:900:::400:900", a + a + a + tail, 5, {"全断面"}, {0}},  // empty centre falls back to the left
        {"400:900:400:900:400:900", "3::D22;3::D22;3:0:D22;3::D22;3::D22;3::D22;" + tail, 4, {"端部", "中央"}, {0, 1}},
    };
    for (const Case& c : cases) {
        const draft::EndGroup g = draft::girderEndGroup(spec(c.sizes, c.bars));
        ASSERT_EQ(g.code, c.code) << c.sizes << " " << c.bars;
        ASSERT_EQ(g.count, static_cast<int>(c.labels.size()));
        for (int j = 0; j < g.count; ++j) {
            EXPECT_EQ(g.labels[static_cast<size_t>(j)], c.labels[static_cast<size_t>(j)]);
            EXPECT_EQ(g.ends[static_cast<size_t>(j)], c.ends[static_cast<size_t>(j)]);
        }
    }
}

TEST_F(GirderList, SubColumnsCarryTheirEndsFiguresAndSeparators)
{
    // Left 400, centre 500, right 600 wide: three figures at 1/6, 1/2, 5/6 of the column.
    girder(1, 1, "G1", spec("400:900:500:900:600:900", "3::D22;3::D22;4::D22;3::D22;5::D22;3::D22;2:D10:200;2:D10;"));
    // Only the right end differs: figures of the left and the right end at 1/4 and 3/4.
    girder(1, 2, "G2", spec("400:900:400:900:700:900"));
    draw(0);

    auto figures = figuresWithBottomAt(kFigureTop - 900);
    const double c1 = kMarkLeft, c2 = kMarkLeft + kMarkWidth;
    std::map<double, double> expected{{c1 + kMarkWidth / 6, 400},
                                      {c1 + kMarkWidth / 2, 500},
                                      {c1 + 5 * kMarkWidth / 6, 600},
                                      {c2 + kMarkWidth / 4, 400},
                                      {c2 + 3 * kMarkWidth / 4, 700}};
    ASSERT_EQ(figures.size(), expected.size());
    for (auto [x, w] : expected) {
        ASSERT_TRUE(figures.count(x)) << x;
        EXPECT_DOUBLE_EQ(figures[x], w) << x;
    }

    auto textX = [&](const std::string& s) {
        std::vector<double> xs;
        for (const auto& m : texts(s)) xs.push_back(m.x);
        std::sort(xs.begin(), xs.end());
        return xs;
    };
    EXPECT_EQ(textX("中央"), std::vector<double>{c1 + kMarkWidth / 2});
    EXPECT_EQ(textX("左端・中央"), std::vector<double>{c2 + kMarkWidth / 4});
    EXPECT_EQ(textX("右端"), (std::vector<double>{c1 + 5 * kMarkWidth / 6, c2 + 3 * kMarkWidth / 4}));
    // Size and top bar rows show each sub-column's own end.
    EXPECT_EQ(textX("500×900"), std::vector<double>{c1 + kMarkWidth / 2});
    EXPECT_EQ(textX("700×900"), std::vector<double>{c2 + 3 * kMarkWidth / 4});
    EXPECT_EQ(textX("4-D22"), std::vector<double>{c1 + kMarkWidth / 2});
    EXPECT_EQ(textX("5-D22"), std::vector<double>{c1 + 5 * kMarkWidth / 6});
    EXPECT_EQ(textX("2-D10"), (std::vector<double>{c1 + kMarkWidth / 2, c2 + kMarkWidth / 2}));

    // Pen 5 separators inside the columns: rows 1, 3, 4, 5 each get two in G1 and one in G2,
    // over the row's height only.
    std::map<double, int> separators;
    for (const Element& e : all(5, model::kind::LINE)) {
        if (!near(e.X1, e.X2)) continue;
        EXPECT_DOUBLE_EQ(std::fabs(e.Y2 - e.Y1), 2 * u);
        ++separators[e.X1];
    }
    EXPECT_EQ(separators, (std::map<double, int>{
                              {c1 + kMarkWidth / 3, 4}, {c1 + 2 * kMarkWidth / 3, 4}, {c2 + kMarkWidth / 2, 4}}));
}

TEST_F(GirderList, CellsFollowTheMarkNameNotItsPlaceInTheTable)
{
    // G2 appears first in the table, so it heads the first column although its number is 2.
    girder(1, 2, "G2", spec("300:600:300:600:300:600"));
    girder(1, 1, "G1", spec("400:900:400:900:400:900"));
    draw(0);
    auto marks = texts("G2");
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_DOUBLE_EQ(marks[0].x, kMarkLeft + kMarkWidth / 2);
    auto figures = figuresWithBottomAt(kFigureTop - 600);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_DOUBLE_EQ(figures.begin()->first, kMarkLeft + kMarkWidth / 2);
}

TEST_F(GirderList, MissingSectionsLeaveTheirCellsEmpty)
{
    girder(1, 1, "G1", spec("400:900:400:900:400:900"));
    girder(2, 2, "G2", spec("300:600:300:600:300:600"), "R");
    draw(1);
    // Floor R has no G1: nothing written or drawn inside that cell but its bottom rules.
    const double top = kFirstBlockTop, bottom = kFirstBlockTop - kBlock;
    for (const auto& m : session.texts.entries())
        EXPECT_FALSE(m.x > kMarkLeft && m.x < kMarkLeft + kMarkWidth && m.y < top && m.y > bottom) << m.text;
    for (int c = -1; session.store.nextLive(c);) {
        const Element& e = session.store.at(c);
        const bool inside = std::min(e.X1, e.X2) > kMarkLeft && std::max(e.X1, e.X2) < kMarkLeft + kMarkWidth &&
                            std::min(e.Y1, e.Y2) < top && std::max(e.Y1, e.Y2) > bottom;
        EXPECT_FALSE(inside) << "kind " << e.kind << " layer " << e.LY;
    }
    // The floor name still comes from the section stored on that floor.
    auto r = texts("R");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_DOUBLE_EQ(r[0].y, kFirstBlockTop - kBlock / 2);
}

TEST_F(GirderList, TitlesSetToZeroOrUnknownLeaveTheirRowsOut)
{
    girder(1, 1, "G1", spec("400:900:400:900:400:900"));
    session.settings.draft.GTitle = {1, 0, 3, 4, 5, 6, 11, 8};  // no figure row; 11 has no title
    draw(1);
    EXPECT_TRUE(all(1, model::kind::LINE).empty());
    EXPECT_TRUE(texts("断　面").empty());
    EXPECT_TRUE(texts("腹　筋").empty());
    // 6 text rows of 2 units: blocks of 12 units.
    std::set<double> horizontals;
    for (const Element& e : all(3, model::kind::LINE))
        if (near(e.Y1, e.Y2)) horizontals.insert(e.Y1);
    EXPECT_EQ(horizontals, (std::set<double>{kFirstBlockTop - 24 * u, kFirstBlockTop - 12 * u, kFirstBlockTop, 1000}));
    // Rows move up: the stirrup row is the fifth row of the block.
    auto stirrup = texts("スターラップ");
    ASSERT_EQ(stirrup.size(), 2u);
    EXPECT_DOUBLE_EQ(std::max(stirrup[0].y, stirrup[1].y), kFirstBlockTop - 9 * u);
}

TEST_F(GirderList, StirrupRowCentresTheTextAndDrawsOneStrokePerLeg)
{
    girder(1, 1, "G1", spec("400:900:400:900:400:900", "3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;4:D13:150;;"));
    draw(0);
    auto t = texts("-D13-@150");
    ASSERT_EQ(t.size(), 1u);
    const double width = 9 * u * 0.5;  // nine characters at MojiRatio 0.5
    const double start = kMarkLeft + kMarkWidth / 2 - width / 2;
    const double middle = kFirstBlockTop - 2 * u - 15 * u - 3 * 2 * u - u;  // sixth row
    EXPECT_DOUBLE_EQ(t[0].x, start);
    EXPECT_DOUBLE_EQ(t[0].y, middle);
    EXPECT_EQ(t[0].nBase, 4);
    std::vector<double> strokes;
    int across = 0;
    for (const Element& e : all(7, model::kind::LINE)) {
        if (near(e.X1, e.X2)) {
            EXPECT_DOUBLE_EQ(std::max(e.Y1, e.Y2), middle + u / 2);
            EXPECT_DOUBLE_EQ(std::min(e.Y1, e.Y2), middle - u / 2);
            strokes.push_back(e.X1);
        } else {
            ++across;
        }
    }
    std::sort(strokes.begin(), strokes.end());
    EXPECT_EQ(strokes, (std::vector<double>{start - 1.5 * u, start - 1.5 * u + u / 3, start - 1.5 * u + 2 * u / 3,
                                            start - 0.5 * u}));
    EXPECT_EQ(across, 2);
    EXPECT_TRUE(texts("").empty());  // the empty web bar field writes nothing
}

TEST_F(GirderList, DimensionsOnlyOnTheFirstCellWhenAsked)
{
    const std::string twoEnds =
        spec("400:900:400:900:400:900", "4::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;");
    girder(2, 1, "G1", twoEnds, "R");
    girder(2, 2, "G2", twoEnds, "R");
    girder(1, 1, "G1", twoEnds);
    session.settings.draft.GirderListMark = 1;
    draw(1);
    auto b = texts("b"), D = texts("D");
    ASSERT_EQ(b.size(), 2u);  // the two figures of the top-left cell
    ASSERT_EQ(D.size(), 2u);
    for (const auto& m : b) {
        EXPECT_LT(m.x, kMarkLeft + kMarkWidth);
        EXPECT_GT(m.y, kFirstBlockTop - kBlock);
        EXPECT_EQ(m.angle, 0);
        EXPECT_EQ(m.nBase, 8);
        EXPECT_DOUBLE_EQ(m.y, kFigureTop - 900 - 240);  // 2 text heights under the bottom face
    }
    for (const auto& m : D) {
        EXPECT_EQ(m.angle, 90);
        EXPECT_DOUBLE_EQ(m.y, kFigureTop - 450);
    }
    EXPECT_EQ(all(6, model::kind::CIRCLE).size(), 8u);  // both ends of four dimension lines
}

TEST_F(GirderList, UnderBeamLayersOnlyUnderTheLowestFloorWithSettingOne)
{
    girder(2, 1, "G1", spec("400:900:400:900:400:900"), "R");
    girder(1, 1, "G1", spec("400:900:400:900:400:900"));
    session.settings.draft.GirderListBase = 1;
    draw(1);
    auto layers = all(15, model::kind::LINE);
    ASSERT_EQ(layers.size(), 5u);
    const double y0 = kFigureTop - kBlock;  // figure of the lower block
    std::set<double> ys;
    for (const Element& e : layers) {
        EXPECT_LE(std::max(e.Y1, e.Y2), y0 - 900 + 1e-6);
        if (near(e.Y1, e.Y2)) {
            ys.insert(e.Y1);
            EXPECT_DOUBLE_EQ(std::fabs(e.X2 - e.X1), 400 + 2 * 50);
        }
    }
    EXPECT_EQ(ys, (std::set<double>{y0 - 900 - 200, y0 - 900 - 50, y0 - 900}));
}

using GirderSectionFigure = ListBase;

TEST_F(GirderSectionFigure, BarsSitInsideTheCoverInBothLayers)
{
    const auto f = draft::girderFigure(spec("400:900", "4:2:D22;5:1:D13;;;;;2:D10:200;;"), 0, model::kDefaultRodMarks);
    draft::drawGirderSection(d, session.settings.draft, f, {}, 1000, 0);
    const std::set<Pt> bars = centres(9);
    const double step = 272.0 / 3;
    std::set<Pt> expected{{864, -64},  {864 + step, -64}, {864 + 2 * step, -64}, {1136, -64},  // r 24
                          {864, -144}, {1136, -144},                                           // second layer
                          {852, -848}, {926, -848},       {1000, -848},          {1074, -848}, {1148, -848},  // r 12
                          {852, -768}};  // one: at the left
    EXPECT_EQ(bars, expected);
    for (const Element& e : all(9, model::kind::CIRCLE)) EXPECT_EQ(e.CL, 0x008080);
    // D22 draws bar mark 6 (circle 24 and one stroke), D13 bar mark 3 (dot and one stroke).
    int r24 = 0, r12 = 0;
    for (const Element& e : all(9, model::kind::CIRCLE)) {
        r24 += e.X2 == 24;
        r12 += e.X2 == 12;
    }
    EXPECT_EQ(r24, 6);
    EXPECT_EQ(r12, 6);
    // The stirrup's corners follow the bar radii: 12 at the bottom, 24 at the top.
    std::multiset<double> radii;
    for (const Element& e : all(12, model::kind::ARC)) radii.insert(e.X2);
    EXPECT_EQ(radii, (std::multiset<double>{12, 12, 24, 24}));
}

TEST_F(GirderSectionFigure, SingleTopBarDrawsOnlyTheOutline)
{
    const auto f =
        draft::girderFigure(spec("400:900", "1::D22;3::D22;;;;;4:D10:200;4:D10;"), 0, model::kDefaultRodMarks);
    draft::drawGirderSection(d, session.settings.draft, f, {}, 0, 0);
    EXPECT_EQ(all(1, model::kind::LINE).size(), 6u);  // slab top, two slab undersides, two sides, bottom
    EXPECT_TRUE(centres(9).empty());
    EXPECT_TRUE(centres(12).empty());
    EXPECT_TRUE(all(12, model::kind::LINE).empty());
    // And nothing at all without a size.
    model::Session empty(platform);
    draft::Drafter d2(empty);
    draft::drawGirderSection(d2, empty.settings.draft,
                             draft::girderFigure("RC::900;3::D22;3::D22;", 0, model::kDefaultRodMarks), {}, 0, 0);
    EXPECT_EQ(empty.store.liveCount(), 0);
}

TEST_F(GirderSectionFigure, InnerLegsTouchTheTopBarsTheTableNames)
{
    // Bar number (1 from the left) and side per top-bar count and leg count.
    const std::map<std::pair<int, int>, std::vector<std::pair<int, char>>> table{
        {{3, 3}, {{2, 'R'}}},
        {{4, 3}, {{2, 'R'}}},
        {{4, 4}, {{2, 'L'}, {3, 'R'}}},
        {{5, 3}, {{3, 'R'}}},
        {{5, 4}, {{2, 'R'}, {4, 'L'}}},
        {{5, 5}, {{2, 'L'}, {3, 'R'}, {4, 'R'}}},
        {{6, 3}, {{3, 'R'}}},
        {{6, 4}, {{2, 'L'}, {5, 'R'}}},
        {{6, 5}, {{2, 'L'}, {3, 'R'}, {5, 'R'}}},
        {{6, 6}, {{2, 'L'}, {3, 'L'}, {4, 'R'}, {5, 'R'}}},
        {{7, 3}, {{4, 'R'}}},
        {{7, 4}, {{3, 'L'}, {5, 'R'}}},
        {{7, 5}, {{2, 'L'}, {4, 'R'}, {6, 'R'}}},
        {{7, 6}, {{2, 'L'}, {3, 'L'}, {5, 'R'}, {6, 'R'}}},
        {{7, 7}, {{2, 'L'}, {3, 'L'}, {4, 'R'}, {5, 'R'}, {6, 'R'}}},
    };
    for (int top = 2; top <= 8; ++top) {
        for (int legs = 2; legs <= 8; ++legs) {
            model::Session s(platform);
            draft::Drafter dd(s);
            const std::string bars = std::to_string(top) + "::D22;4::D22;;;;;" + std::to_string(legs) + ":D10:200;;";
            draft::drawGirderSection(dd, s.settings.draft,
                                     draft::girderFigure(spec("400:900", bars), 0, model::kDefaultRodMarks), {}, 0, 0);
            std::vector<double> found;
            for (int c = -1; s.store.nextLive(c);) {
                const Element& e = s.store.at(c);
                if (e.LY != 12 || e.kind != model::kind::LINE || !near(e.X1, e.X2)) continue;
                if (near(std::fabs(e.X1), 160)) continue;           // the stirrup's sides
                EXPECT_DOUBLE_EQ(std::min(e.Y1, e.Y2), -900 + 64);  // bottom bar row
                EXPECT_DOUBLE_EQ(std::max(e.Y1, e.Y2), -64);        // top bar row
                found.push_back(e.X1);
            }
            std::sort(found.begin(), found.end());
            std::vector<double> expected;
            auto it = table.find({top, legs});
            if (it != table.end())
                for (auto [bar, side] : it->second)
                    expected.push_back(-136 + (bar - 1) * 272.0 / (top - 1) + (side == 'L' ? -24 : 24));
            std::sort(expected.begin(), expected.end());
            ASSERT_EQ(found.size(), expected.size()) << top << " bars, " << legs << " legs";
            for (size_t i = 0; i < found.size(); ++i)
                EXPECT_NEAR(found[i], expected[i], 1e-4) << top << " bars, " << legs << " legs";
        }
    }
}

TEST_F(GirderSectionFigure, WebBarsComeInTiedPairsOverTheDepth)
{
    for (auto [count, pairs] : std::vector<std::pair<int, int>>{{4, 2}, {3, 2}, {1, 1}, {6, 3}, {0, 0}}) {
        model::Session s(platform);
        draft::Drafter dd(s);
        const std::string bars = "3::D22;3::D22;;;;;2:D10:200;" + std::to_string(count) + ":D10;";
        draft::drawGirderSection(dd, s.settings.draft,
                                 draft::girderFigure(spec("400:900", bars), 0, model::kDefaultRodMarks), {}, 0, 0);
        std::set<Pt> expectedBars;
        std::set<double> expectedTies;
        const double step = 900.0 / (pairs + 1);
        for (int i = 1; i <= pairs; ++i) {
            expectedBars.insert({-148, -900 + i * step - 12});
            expectedBars.insert({148, -900 + i * step - 12});
            expectedTies.insert(-900 + i * step);
        }
        std::set<Pt> barsFound;
        std::set<double> tiesFound;
        for (int c = -1; s.store.nextLive(c);) {
            const Element& e = s.store.at(c);
            if (e.LY != 12) continue;
            if (e.kind == model::kind::CIRCLE) {
                EXPECT_EQ(e.CL, 0x008080);
                barsFound.insert({e.X1, e.Y1});
            } else if (e.kind == model::kind::DOTLINE) {
                EXPECT_EQ(e.CL, 0x008080);
                EXPECT_DOUBLE_EQ(std::fabs(e.X2 - e.X1), 296);
                tiesFound.insert(e.Y1);
            }
        }
        EXPECT_EQ(barsFound, expectedBars) << count << " web bars";
        EXPECT_EQ(tiesFound, expectedTies) << count << " web bars";
    }
}

TEST_F(GirderSectionFigure, HandTypedCountsNeitherThrowNorFloodTheStore)
{
    const auto f = draft::girderFigure(spec("400:900", "2.5::D22;999999999::D22;;;;;2:D10:200;99999999:D10;"), 0,
                                       model::kDefaultRodMarks);
    EXPECT_NO_THROW(draft::drawGirderSection(d, session.settings.draft, f, {}, 0, 0));
    int topBars = 0;
    for (const Pt& p : centres(9)) topBars += near(p.y, -64);
    EXPECT_EQ(topBars, 3);  // 2.5 reads as 3
    EXPECT_LT(session.store.count(), 20000);
}

// The section list decodes bars with the model's decoders, not a copy of its own: the
// figure of every end says what the model says of the same items.
TEST(GirderSectionBars, TheFigureUsesTheModelsBarDecoders)
{
    const std::string s = "RC:400:900:350:800:300:700;4:2.5:D22;5:1:19φ;3::D25;2:1:D13;6::D29;4:2:X;2.6:D10:150.5;3:D13;";
    const model::RodMarks marks{20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
    for (int end = 0; end < 3; ++end) {
        const auto f = draft::girderFigure(s, end, marks);
        const auto top = model::decodeBarGroup(model::specItem(s, 1 + 2 * end), marks);
        const auto bottom = model::decodeBarGroup(model::specItem(s, 2 + 2 * end), marks);
        EXPECT_EQ(std::tie(f.top.n, f.top.n2, f.top.mark, f.top.symbolSize), std::tie(top.n, top.n2, top.mark, top.symbolSize));
        EXPECT_EQ(std::tie(f.bottom.n, f.bottom.n2, f.bottom.mark), std::tie(bottom.n, bottom.n2, bottom.mark));
        const auto st = model::decodeStirrup(model::specItem(s, 7), marks);
        EXPECT_EQ(std::tie(f.stirrup.n, f.stirrup.mark, f.stirrup.pitch), std::tie(st.n, st.mark, st.pitch));
        EXPECT_EQ(f.web.mark, model::decodeBars(model::specItem(s, 8), marks).mark);
    }
    EXPECT_EQ(draft::girderFigure(s, 0, marks).top.n2, 3);  // a fraction is rounded, not refused
}
