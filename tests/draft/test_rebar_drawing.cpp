// SPDX-License-Identifier: GPL-3.0-or-later
// The rebar arrangement drawing lays stirrups, hoops, main bars and web bars where the
// section and the clear span between the column faces say, and its DXF reads back clean.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "draft/drawing_frame.h"
#include "draft/rebar_drawing.h"
#include "draft/rebar_layout.h"
#include "dxf/dxf_writer.h"
#include "dxf/ezdxf_read.h"
#include "model/element_store.h"
#include "model/project_file.h"
#include "model/sections.h"
#include "session/session.h"
#include "support/recording_platform.h"

namespace rb = draft::rebar;
using model::Element;

namespace {

std::vector<double> spaces(const std::vector<double>& at)
{
    std::vector<double> d;
    for (size_t i = 1; i < at.size(); ++i) d.push_back(at[i] - at[i - 1]);
    return d;
}

bool allNear(const std::vector<double>& v, double x)
{
    return std::all_of(v.begin(), v.end(), [x](double a) { return std::fabs(a - x) < 1e-6; });
}

}  // namespace

// ---- stirrup layouts over the 5000 and 5100 spans ----

TEST(StirrupLayout, EqualDivisionGivesWholeSpacesOfAtMostThePitch)
{
    const auto at5000 = rb::stirrupPositions({1000, 6000}, 200, rb::STIR_EQUAL);
    ASSERT_EQ(at5000.size(), 26u);
    EXPECT_TRUE(allNear(spaces(at5000), 200));
    EXPECT_DOUBLE_EQ(at5000.front(), 1000);
    EXPECT_DOUBLE_EQ(at5000.back(), 6000);

    const auto at5100 = rb::stirrupPositions({0, 5100}, 200, rb::STIR_EQUAL);
    ASSERT_EQ(at5100.size(), 27u);
    EXPECT_TRUE(allNear(spaces(at5100), 5100.0 / 26));
}

TEST(StirrupLayout, FromOneEndLeavesTheShortSpaceAtTheOther)
{
    const auto left = rb::stirrupPositions({0, 5100}, 200, rb::STIR_FROM_LEFT);
    ASSERT_EQ(left.size(), 27u);
    const auto d = spaces(left);
    EXPECT_TRUE(allNear({d.begin(), d.end() - 1}, 200));
    EXPECT_NEAR(d.back(), 100, 1e-6);

    const auto right = rb::stirrupPositions({0, 5100}, 200, rb::STIR_FROM_RIGHT);
    ASSERT_EQ(right.size(), 27u);
    const auto r = spaces(right);
    EXPECT_NEAR(r.front(), 100, 1e-6);
    EXPECT_TRUE(allNear({r.begin() + 1, r.end()}, 200));

    // Exactly divisible: no second line at the far end.
    EXPECT_EQ(rb::stirrupPositions({0, 5000}, 200, rb::STIR_FROM_LEFT).size(), 26u);
    EXPECT_EQ(rb::stirrupPositions({0, 5000}, 200, rb::STIR_FROM_RIGHT).size(), 26u);
}

TEST(StirrupLayout, FromTheMiddleIsSymmetricAboutTheRoundedMiddle)
{
    const auto at = rb::stirrupPositions({0, 5000}, 200, rb::STIR_FROM_MIDDLE);
    ASSERT_EQ(at.size(), 27u);  // 2500 +- 12 pitches, and both ends
    EXPECT_TRUE(std::count(at.begin(), at.end(), 2500.0) == 1);
    EXPECT_NEAR(at[1], 100, 1e-6);
    EXPECT_NEAR(at[25], 4900, 1e-6);

    // Middle 2550.5 rounds to 2551: the two end spaces differ.
    const auto odd = rb::stirrupPositions({0, 5101}, 200, rb::STIR_FROM_MIDDLE);
    EXPECT_TRUE(std::find(odd.begin(), odd.end(), 2551.0) != odd.end());
    EXPECT_NEAR(odd[1], 151, 1e-6);
    EXPECT_NEAR(odd.back() - odd[odd.size() - 2], 150, 1e-6);
}

TEST(StirrupLayout, UnknownStartValueOrNoPitchLaysNothing)
{
    EXPECT_TRUE(rb::stirrupPositions({0, 5000}, 200, 5).empty());
    EXPECT_TRUE(rb::stirrupPositions({0, 5000}, 0, rb::STIR_FROM_LEFT).empty());
    EXPECT_TRUE(rb::stirrupPositions({0, 5000}, -200, rb::STIR_FROM_RIGHT).empty());
    EXPECT_TRUE(rb::stirrupPositions({0, 5000}, 0, rb::STIR_EQUAL).empty());
    EXPECT_TRUE(rb::stirrupPositions({0, 5000}, 0, rb::STIR_FROM_MIDDLE).empty());
    EXPECT_TRUE(rb::stirrupPositions({600, 500}, 200, rb::STIR_FROM_LEFT).empty());
}

TEST(StirrupLayout, FarFromTheOriginEveryLayoutEndsInsideItsSpan)
{
    // At 1e19 adding a pitch of 200 changes nothing: layouts count their steps instead.
    const double far = 1e19, length = 8192;  // whole steps of the doubles there
    for (int start : {rb::STIR_FROM_LEFT, rb::STIR_FROM_MIDDLE, rb::STIR_FROM_RIGHT, rb::STIR_EQUAL}) {
        const auto at = rb::stirrupPositions({far, far + length}, 200, start);
        EXPECT_GE(at.size(), 2u) << start;
        EXPECT_LE(at.size(), 43u) << start;
        for (double x : at) EXPECT_TRUE(x >= far && x <= far + length) << start;
    }
    const rb::HoopLayout h = rb::hoopPositions(far, far + 8192, 2048, 100, false);
    EXPECT_LE(h.below.size() + h.joint.size(), 84u);
}

// ---- hoops, web bars, main bars, anchorage ----

TEST(HoopLayout, EqualSpacesBelowTheJointAndUpThroughIt)
{
    // A storey of 4000 under a 900 girder with a column above.
    rb::HoopLayout h = rb::hoopPositions(0, 4000, 900, 100, true);
    ASSERT_EQ(h.below.size(), 32u);  // 3100 in 31 spaces
    EXPECT_TRUE(allNear(spaces(h.below), 100));
    EXPECT_DOUBLE_EQ(h.below.back(), 3100);
    ASSERT_EQ(h.joint.size(), 9u);  // the joint's first line is the last one below
    EXPECT_NEAR(h.joint.front(), 3200, 1e-6);
    EXPECT_NEAR(h.joint.back(), 4000, 1e-6);

    // The top storey keeps its last hoop 40 under the top: 860 in 9 spaces.
    h = rb::hoopPositions(4000, 7500, 900, 100, false);
    ASSERT_EQ(h.below.size(), 27u);  // 2600 in 26 spaces
    ASSERT_EQ(h.joint.size(), 9u);
    EXPECT_NEAR(h.joint.back(), 7460, 1e-6);
    EXPECT_NEAR(h.joint.front(), 6600 + 860.0 / 9, 1e-6);

    // No girder at the top: one layout over the whole storey.
    h = rb::hoopPositions(0, 3000, 0, 150, false);
    EXPECT_EQ(h.below.size(), 21u);
    EXPECT_TRUE(h.joint.empty());
}

TEST(BarPlacement, WebBarsShareTheDepthAndMainBarsTheFace)
{
    EXPECT_EQ(rb::webBarDepths(900, 0), std::vector<double>{});
    EXPECT_EQ(rb::webBarDepths(900, 2), std::vector<double>{450});
    const auto four = rb::webBarDepths(1000, 4);  // 2 a side: 900 in 3 shares
    ASSERT_EQ(four.size(), 2u);
    EXPECT_NEAR(four[0], 350, 1e-9);
    EXPECT_NEAR(four[1], 650, 1e-9);
    EXPECT_EQ(rb::webBarDepths(1000, 3).size(), 2u);  // round(1.5) = 2

    const auto bars = rb::mainBarPositions(-300, 300, 4);
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_DOUBLE_EQ(bars.front(), -250);
    EXPECT_DOUBLE_EQ(bars.back(), 250);
    EXPECT_NEAR(bars[1], -250 + 500.0 / 3, 1e-9);
    EXPECT_TRUE(rb::mainBarPositions(-300, 300, 0).empty());
}

TEST(Anchorage, MultiplesByGradeStrengthAndHook)
{
    EXPECT_EQ(rb::anchorageMultiple(345, 21, true), 25);
    EXPECT_EQ(rb::anchorageMultiple(345, 21, false), 35);
    EXPECT_EQ(rb::anchorageMultiple(295, 18, false), 40);
    EXPECT_EQ(rb::anchorageMultiple(390, 18, false), 0);
    EXPECT_EQ(rb::anchorageMultiple(390, 36, true), 25);
    EXPECT_EQ(rb::anchorageMultiple(345, 60, true), 15);
    EXPECT_EQ(rb::anchorageMultiple(345, 28, false), 0);
    EXPECT_DOUBLE_EQ(rb::anchorageLength("D22", 345, 21, true), 550);
    EXPECT_DOUBLE_EQ(rb::anchorageLength("13φ", 345, 21, false), 455);
    EXPECT_EQ(rb::barNumber("D"), 0);
    EXPECT_EQ(rb::barNumber("Dx"), 0);
    EXPECT_EQ(rb::barNumber(""), 0);
}

// ---- the drawing of a model ----

namespace {

const std::string kGirderSpec = "RC:400:900:400:900:400:900;3:2:D22;3::D22;3::D22;3:2:D22;3:2:D22;3::D22;2:D10:200;4:D10;";
const std::string kColumnSpec = "RC:650:600;4:3:D22;2:2:D13:100;";

// One bay of a Y-frame on Y = 0: columns at X = 0 (offset 325, its outer face at -0) and
// X = 6000 from Z 0 to 4000, a girder G1 with its top at 4000 between them.
struct Bay : ::testing::Test {
    testing_support::RecordingPlatform platform;
    model::Session session{platform};
    draft::DraftState state;
    int girder = -1, left = -1, right = -1;

    void SetUp() override
    {
        model::setMemRod(session.sections, "G:2:1", "R:G1", kGirderSpec);
        model::setMemRod(session.sections, "C:1:1", "1:C1", kColumnSpec);
        auto& s = session.store;
        left = s.addElem(model::kind::COLUMN, 0, 1, -1, 2, 0, 0, 0, 0, 0, 0, 4000, 0);
        s.at(left).OX = 325;
        right = s.addElem(model::kind::COLUMN, 0, 1, -1, 2, 0, 6000, 0, 0, 6000, 0, 4000, 0);
        girder = s.addElem(model::kind::GIRDER, 0, 1, -1, 1, 0, 0, 0, 4000, 6000, 0, 4000, 0);
        s.at(girder).OZ = -450;
        session.view.mode = model::ViewMode::ElevationXZ;
        session.view.plane = 0;
    }

    // Runs the drawing in the frame and keeps the drawing's elements and texts.
    void draw()
    {
        draft::DrawingFrame frame(session, state);
        ASSERT_TRUE(frame.run(draft::ScaleMode::Draw, draft::GeneratorStore::Model,
                              [&](draft::Drafter& d) { draft::drawRebarArrangement(session, d); }));
        drawn.clear();
        for (int i = -1; session.store.nextLive(i);) drawn.push_back(session.store.at(i));
        frame.close();
    }
    std::vector<Element> on(int layer, int kindCode = model::kind::LINE) const
    {
        std::vector<Element> r;
        for (const Element& e : drawn)
            if (e.LY == layer && e.kind == kindCode) r.push_back(e);
        return r;
    }
    // Horizontal lines of a layer by height, with how many lie there.
    std::map<double, int> heights(int layer) const
    {
        std::map<double, int> h;
        for (const Element& e : on(layer))
            if (e.Y1 == e.Y2) ++h[e.Y1];
        return h;
    }
    int textCount(const std::string& s) const
    {
        int n = 0;
        for (const model::Moji& m : session.texts.entries()) n += m.text == s;
        return n;
    }

    std::vector<Element> drawn;
};

}  // namespace

TEST_F(Bay, ClearSpanRunsBetweenTheColumnFacesWithTheirOffsets)
{
    rb::GirderSpan g;
    const rb::SpecCache specs(session.sections);
    ASSERT_TRUE(rb::girderSpan(session.store, specs, girder, rb::Axis::X, g));
    EXPECT_DOUBLE_EQ(g.span.left, 650);    // 0 + 325 + 325
    EXPECT_DOUBLE_EQ(g.span.right, 5675);  // 6000 - 325
    EXPECT_DOUBLE_EQ(g.top, 4000);
    EXPECT_EQ(g.left.column, left);
    EXPECT_EQ(g.left.otherGirder, -1);
    EXPECT_FALSE(g.left.columnAbove);
    // Along the other axis the girder is no girder of the frame.
    EXPECT_FALSE(rb::girderSpan(session.store, specs, girder, rb::Axis::Y, g));

    const rb::Span bare = rb::clearSpan(0, 6000, {}, {});
    EXPECT_DOUBLE_EQ(bare.length(), 6000);
}

TEST_F(Bay, MainBarsLieAt50And90InsetsAndSecondLayersOfZeroDrawNothing)
{
    draw();
    // Top face 4000, bottom 3100. Second layers: top left (2), top right (2), bottom centre (2).
    std::map<double, int> h = heights(9);
    EXPECT_EQ(h[3950], 3);  // first top layer in all three thirds
    EXPECT_EQ(h[3910], 2);  // second top layer at the ends only
    EXPECT_EQ(h[3150], 3);
    EXPECT_EQ(h[3190], 1);  // second bottom layer in the centre only
    EXPECT_EQ(h.size(), 4u);
    EXPECT_EQ(textCount("3-D22"), 6);
    EXPECT_EQ(textCount("2-D22"), 3 + 2);  // three second layers and the corner bars of both columns
    // The thirds of the clear span 650 - 5675 (the middle third starts at 650 + 5025 / 3).
    bool centreTop = false;
    for (const Element& e : on(9))
        if (e.Y1 == 3950 && std::fabs(std::min(e.X1, e.X2) - (650 + 5025.0 / 3)) < 1e-4) centreTop = true;
    EXPECT_TRUE(centreTop);
}

TEST_F(Bay, StirrupsAndWebBarsOfTheGirder)
{
    session.settings.draft.TessmarStirStart = rb::STIR_EQUAL;
    draw();
    // 5025 / 200 -> 26 spaces, 27 vertical lines from 35 above the bottom to 35 below the top.
    const auto st = on(12);
    ASSERT_EQ(st.size(), 27u);
    for (const Element& e : st) {
        EXPECT_EQ(e.X1, e.X2);
        EXPECT_DOUBLE_EQ(std::min(e.Y1, e.Y2), 3135);
        EXPECT_DOUBLE_EQ(std::max(e.Y1, e.Y2), 3965);
    }
    EXPECT_EQ(textCount("str.□-D10-@200"), 1);
    // 4 web bars: 2 a side at 50 + 800/3 and 50 + 1600/3 below the top, 15 past the faces.
    const auto web = on(13);
    ASSERT_EQ(web.size(), 2u);
    EXPECT_NEAR(web[0].Y1, 4000 - 50 - 800.0 / 3, 1e-4);
    EXPECT_NEAR(web[1].Y1, 4000 - 50 - 1600.0 / 3, 1e-4);
    EXPECT_DOUBLE_EQ(std::min(web[0].X1, web[0].X2), 635);
    EXPECT_DOUBLE_EQ(std::max(web[0].X1, web[0].X2), 5690);
    EXPECT_EQ(textCount("2-D10"), 2);
    EXPECT_EQ(textCount("RG1 400×900"), 1);

    session.settings.draft.TessmarStirStart = 3;
    draw();
    EXPECT_TRUE(on(12).empty());
}

TEST_F(Bay, GirderBarsBendIntoEndColumnsAndTopColumnsHook)
{
    draw();
    // Every bar of the two end thirds is anchored: 3 layers at each end, one quarter arc each.
    EXPECT_EQ(on(9, model::kind::ARC).size(), 3u + 3u);
    // The first top layer at a top column hangs down 25 d = 550 (below its bend of radius 2 d).
    bool longTail = false;
    for (const Element& e : on(9))
        if (e.X1 == e.X2 && std::fabs(std::fabs(e.Y1 - e.Y2) - 550) < 1e-6) longTail = true;
    EXPECT_TRUE(longTail);
    // Four main bars a face: the outer two of each column hook at the top, 50 under it.
    EXPECT_EQ(on(10, model::kind::ARC).size(), 4u);
    EXPECT_EQ(textCount("各4-D22"), 2);

    // A girder continuing beyond the right column: its bars stop at that face.
    session.store.addElem(model::kind::GIRDER, 0, 1, -1, 1, 0, 6000, 0, 4000, 12000, 0, 4000, 0);
    session.store.invalidateConnections();
    draw();
    EXPECT_EQ(on(9, model::kind::ARC).size(), 3u);  // only the left end of the first girder
}

TEST_F(Bay, HoopsBelowAndInTheJointOfEachColumn)
{
    draw();
    // Per column: 3100 below the joint in 31 spaces (32 lines), 860 in the top joint in 9 spaces.
    EXPECT_EQ(on(11).size(), 2u * (32 + 9));
    const auto h = heights(11);
    EXPECT_EQ(h.count(3100.0), 1u);
    EXPECT_NEAR(h.rbegin()->first, 3960, 1e-4);
    EXPECT_EQ(textCount("HOOP □2-2-D13-@100"), 2);
    // Dx 650 along the frame: hoops from 35 inside one face to 35 inside the other.
    const Element first = on(11).front();
    EXPECT_DOUBLE_EQ(std::fabs(first.X2 - first.X1), 650 - 70);
}

TEST_F(Bay, PlanViewDrawsNoDetails)
{
    session.view.mode = model::ViewMode::Plan;
    session.view.plane = 4000;
    draw();
    for (int layer : {9, 10, 11, 12, 13}) EXPECT_TRUE(on(layer).empty()) << layer;
    EXPECT_EQ(session.texts.count(), 0);
}

TEST_F(Bay, AFailedDrawingSaysWhyAndLeavesTheModelCurrent)
{
    const int modelCount = session.store.count();
    draft::DrawingFrame frame(session, state);
    EXPECT_FALSE(frame.run(draft::ScaleMode::Draw, draft::GeneratorStore::Model, [&](draft::Drafter& d) {
        draft::drawRebarArrangement(session, d);
        throw std::runtime_error("no room");
    }));
    EXPECT_EQ(session.store.count(), modelCount);
    EXPECT_EQ(session.store.at(girder).kind, model::kind::GIRDER);
    EXPECT_EQ(session.texts.count(), 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("no room"), std::string::npos);
}

// ---- the sample project as a DXF read by an independent reader ----

TEST(RebarDrawingDxf, SampleFrameReadsBackCleanWithEveryEntity)
{
    testing_support::RecordingPlatform platform;
    model::Session session(platform);
    ASSERT_TRUE(model::readProject(session, TESSMAR_SOURCE_DIR "/samples/sample.kel").ok);
    const int modelCount = session.store.count();
    session.view.mode = model::ViewMode::ElevationXZ;
    session.view.plane = 5000;

    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    ASSERT_TRUE(frame.run(draft::ScaleMode::Draw, draft::GeneratorStore::Model,
                          [&](draft::Drafter& d) { draft::drawRebarArrangement(session, d); }));
    std::map<int, int> kinds;
    for (int i = -1; session.store.nextLive(i);) ++kinds[session.store.at(i).kind];
    const int texts = session.texts.count();
    ASSERT_GT(kinds[model::kind::LINE], 0);
    ASSERT_GT(texts, 0);

    const auto dir = std::filesystem::temp_directory_path() / ("tessmar-rebar-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "rebar.dxf").string();
    dxf::DxfExtents extents;
    ASSERT_TRUE(dxf::WriteDxf(file, session, extents).ok);
    frame.close();
    EXPECT_EQ(session.store.count(), modelCount);  // the model store is current again

    const auto back = dxf_test::readWithEzdxf(file);
    std::filesystem::remove_all(dir);
    if (back.ezdxfMissing) GTEST_SKIP() << "/usr/bin/python3 has no ezdxf";
    ASSERT_TRUE(back.ok) << back.output;
    EXPECT_EQ(back.auditErrors, 0) << back.output;
    // Grid lines are LINE entities too, with the centre line type.
    EXPECT_EQ(back.count("LINE"), kinds[model::kind::LINE] + kinds[model::kind::DASHDOT]);
    EXPECT_GT(kinds[model::kind::DASHDOT], 0);
    EXPECT_EQ(back.count("ARC"), kinds[model::kind::ARC]);
    EXPECT_EQ(back.count("TEXT"), texts);
    EXPECT_NE(back.findText("HOOP □3-3-D13-@100"), nullptr);
    EXPECT_NE(back.findText("RG1 400×900"), nullptr);
}
