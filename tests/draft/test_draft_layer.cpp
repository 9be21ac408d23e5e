// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing output layer: pens and scale reach every record, texts read left to right, bar
// symbols and composite shapes have the right geometry, and store banks never lose a store.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "draft/draft.h"
#include "draft/drawing_frame.h"
#include "model/element.h"
#include "model/helpers.h"
#include "session/session.h"
#include "support/recording_platform.h"

using draft::Drafter;
using model::Element;

namespace {

std::vector<Element> live(const model::ElementStore& store)
{
    std::vector<Element> out;
    for (int c = -1; store.nextLive(c);) out.push_back(store.at(c));
    return out;
}

struct Fixture : ::testing::Test {
    testing_support::RecordingPlatform platform;
    model::Session session{platform};
};

bool sameSegment(const Element& e, double x1, double y1, double x2, double y2)
{
    auto near = [](double a, double b) { return std::fabs(a - b) < 1e-6; };
    return (near(e.X1, x1) && near(e.Y1, y1) && near(e.X2, x2) && near(e.Y2, y2)) ||
           (near(e.X1, x2) && near(e.Y1, y2) && near(e.X2, x1) && near(e.Y2, y1));
}

}  // namespace

using DraftLayer = Fixture;

TEST_F(DraftLayer, ScaleRoundsTheTextHeightHalfAway)
{
    Drafter d(session);
    d.SetDraftScale(3, 40);
    EXPECT_EQ(d.draftTextHeight(), 120);
    EXPECT_EQ(d.draftScale(), 40);
    d.SetDraftScale(2.5, 45);
    EXPECT_EQ(d.draftTextHeight(), 113);
    d.SetDraftScale(1e300, 1e300);  // absurd settings must not overflow the integer
    EXPECT_GT(d.draftTextHeight(), 0);
}

TEST_F(DraftLayer, PenGoesIntoElementsAndTextsAndBadPenNumbersAreIgnored)
{
    Drafter d(session);
    d.SetPen(6);
    d.SetPen(0);
    d.SetPen(16);
    d.SetPen(-3);
    int line = d.DraftLine(0, 0, 10, 0);
    int text = d.addMoji(7, "abc", 0, 0, 100, 0, 0);
    EXPECT_EQ(session.store.at(line).LY, 6);
    EXPECT_EQ(session.store.at(line).CL, 0x0000FF);
    EXPECT_EQ(session.texts.at(text).layer, "6");
    EXPECT_EQ(session.texts.at(text).colour, 0x0000FF);

    d.SetPen(12);
    d.SetColour(draft::kColourOlive);  // colour changes, layer stays
    int circle = d.DraftCircle(24, 5, 6);
    EXPECT_EQ(session.store.at(circle).LY, 12);
    EXPECT_EQ(session.store.at(circle).CL, 0x008080);
    d.SetPen(12);
    EXPECT_EQ(d.drawColour(), 0xFF0000);
}

TEST_F(DraftLayer, TextOnLineAlwaysReadsFromLeftToRight)
{
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(0, 100, 0, 0), 90);
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(0, 0, 0, 100), 90);
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(100, 0, 0, 0), 0);
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(0, 0, 100, 100), 45);
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(100, 100, 0, 0), 45);
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(100, 0, 0, 100), 315);  // 135 turned round
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(0, 100, 100, 0), 315);
    // No length means dx = 0: such a text stands upright like one on a vertical line.
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(50, 50, 50, 50), 90);
    const double r91 = 91 * model::kPi / 180;
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(0, 0, 1000 * std::cos(r91), 1000 * std::sin(r91)), 91);
    const double r92 = 92 * model::kPi / 180;
    EXPECT_DOUBLE_EQ(draft::readableLineAngle(0, 0, 1000 * std::cos(r92), 1000 * std::sin(r92)), 272);

    Drafter d(session);
    d.SetDraftScale(3, 40);
    int mid = d.DraftTextOnLine("x", 8, 2, 0, 100, 0, 0, 0);
    int end = d.DraftTextOnLine("y", 8, 3, 10, 20, 30, 40, 0);
    int none = d.DraftTextOnLine("z", 8, 7, 10, 20, 30, 40, 0);
    EXPECT_EQ(session.texts.at(mid).x, 0);
    EXPECT_EQ(session.texts.at(mid).y, 50);
    EXPECT_EQ(session.texts.at(mid).angle, 90);
    EXPECT_EQ(session.texts.at(mid).height, 120);
    EXPECT_EQ(session.texts.at(end).x, 30);
    EXPECT_EQ(session.texts.at(end).y, 40);
    EXPECT_EQ(session.texts.at(none).x, 0);
    EXPECT_EQ(session.texts.at(none).y, 0);
}

TEST_F(DraftLayer, LiftMovesTheAnchorTowardsTheTopOfTheText)
{
    Drafter d(session);
    int flat = d.addMoji(7, "a", 100, 200, 50, 0, 10);
    int upright = d.addMoji(7, "b", 100, 200, 50, 90, 10);
    EXPECT_DOUBLE_EQ(session.texts.at(flat).x, 100);
    EXPECT_DOUBLE_EQ(session.texts.at(flat).y, 210);
    EXPECT_NEAR(session.texts.at(upright).x, 90, 1e-9);
    EXPECT_NEAR(session.texts.at(upright).y, 200, 1e-9);

    int bad = d.addMoji(10, "c", 0, 0, 50, 0, 0);
    EXPECT_GE(bad, 0);
    EXPECT_TRUE(platform.saidText("addMoji_NB:nBaseが不正です"));
    // The buffer's notice is taken when shown: a later good label does not bring it again.
    d.addMoji(1, "d", 0, 0, 50, 0, 0);
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(DraftLayer, RoundRectIsOneClosedOutline)
{
    Drafter d(session);
    d.DraftRoundRect(0, 0, 400, 300, 12, 24);
    auto all = live(session.store);
    ASSERT_EQ(all.size(), 8u);
    // Walk the outline: each arc starts where the previous line ends and ends where the
    // next line starts (lines are stored end-ordered, so compare as sets of points).
    auto arcEnd = [](const Element& a, double deg) {
        const double t = deg * model::kPi / 180;
        return std::pair<double, double>(a.X1 + a.X2 * std::cos(t), a.Y1 + a.X2 * std::sin(t));
    };
    auto touches = [](const Element& line, std::pair<double, double> p) {
        return (std::fabs(line.X1 - p.first) < 1e-6 && std::fabs(line.Y1 - p.second) < 1e-6) ||
               (std::fabs(line.X2 - p.first) < 1e-6 && std::fabs(line.Y2 - p.second) < 1e-6);
    };
    for (int k = 0; k < 4; ++k) {
        const Element& line = all[static_cast<size_t>(2 * k)];
        const Element& arc = all[static_cast<size_t>(2 * k + 1)];
        const Element& next = all[static_cast<size_t>((2 * k + 2) % 8)];
        ASSERT_EQ(line.kind, model::kind::LINE);
        ASSERT_EQ(arc.kind, model::kind::ARC);
        EXPECT_TRUE(touches(line, arcEnd(arc, arc.Z1))) << "corner " << k;
        EXPECT_TRUE(touches(next, arcEnd(arc, arc.Z2))) << "corner " << k;
        EXPECT_DOUBLE_EQ(arc.X2, k < 1 || k == 3 ? 12 : 24);
    }
}

TEST_F(DraftLayer, GridRulesAreEvenlySpaced)
{
    Drafter d(session);
    d.DraftGrid(3, 2, 100, 500, 60, 120);
    auto all = live(session.store);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_TRUE(sameSegment(all[0], 100, 500, 100, 380));
    EXPECT_TRUE(sameSegment(all[1], 130, 500, 130, 380));
    EXPECT_TRUE(sameSegment(all[2], 160, 500, 160, 380));
    EXPECT_TRUE(sameSegment(all[3], 100, 500, 160, 500));
    EXPECT_TRUE(sameSegment(all[4], 100, 380, 160, 380));
    // A single count puts its rule on the edge instead of dividing by zero.
    d.DraftGrid(1, 0, 0, 0, 10, 10);
    auto more = live(session.store);
    ASSERT_EQ(more.size(), 6u);
    EXPECT_TRUE(sameSegment(more[5], 0, 0, 0, -10));
}

TEST_F(DraftLayer, EveryBarSymbolHasItsCirclesAndStrokes)
{
    struct Expect {
        std::vector<double> radii;
        int strokes;
    };
    const std::vector<double> dot{3, 6, 9, 12}, bigDot{3, 6, 9, 12, 15, 18, 21, 24};
    auto plus = [](std::vector<double> v, std::vector<double> more) {
        v.insert(v.end(), more.begin(), more.end());
        return v;
    };
    const Expect expected[14] = {
        {{}, 2},           {dot, 0},           {dot, 1},          {bigDot, 2},           {{24}, 0},
        {{24}, 1},         {{24}, 2},          {plus(dot, {24}), 0}, {plus(dot, {24}), 1}, {plus(dot, {24}), 2},
        {{12, 24}, 0},     {{12, 24}, 1},      {{12, 24}, 2},     {bigDot, 0},
    };
    for (int type = 1; type <= 14; ++type) {
        model::Session s(platform);
        Drafter d(s);
        d.DraftBarMark(type, 1000, 2000);
        auto all = live(s.store);
        const Expect& e = expected[type - 1];
        ASSERT_EQ(all.size(), e.radii.size() + static_cast<size_t>(e.strokes)) << "type " << type;
        for (size_t i = 0; i < e.radii.size(); ++i) {
            EXPECT_EQ(all[i].kind, model::kind::CIRCLE) << "type " << type;
            EXPECT_EQ(all[i].X2, e.radii[i]) << "type " << type;
            EXPECT_EQ(all[i].X1, 1000);
            EXPECT_EQ(all[i].Y1, 2000);
        }
        const double s12 = type == 1 ? 12 : 24;
        for (size_t i = e.radii.size(); i < all.size(); ++i) EXPECT_EQ(all[i].kind, model::kind::LINE);
        if (e.strokes >= 1) {
            EXPECT_TRUE(sameSegment(all[e.radii.size()], 1000 + s12, 2000 + s12, 1000 - s12, 2000 - s12))
                << "type " << type;
        }
        if (e.strokes == 2) {
            EXPECT_TRUE(sameSegment(all[e.radii.size() + 1], 1000 - s12, 2000 + s12, 1000 + s12, 2000 - s12))
                << "type " << type;
        }
    }
    Drafter d(session);
    d.DraftBarMark(0, 0, 0);
    d.DraftBarMark(15, 0, 0);
    EXPECT_EQ(session.store.liveCount(), 0);
}

TEST_F(DraftLayer, ModelLinesGoToTheDrawingWhileTheModelStaysCurrent)
{
    Drafter d(session);
    session.store.addElem(model::kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 5000, 0, 0, 0);
    d.StashModelStore();
    d.StashDrawingStore();
    d.UseModelStore();
    ASSERT_TRUE(d.modelIsCurrent());
    ASSERT_EQ(session.store.liveCount(), 1);

    EXPECT_EQ(d.DraftModelLine(draft::MODEL_LINE, 7, 7, 7 + 1e-7, 7), -1);  // no length
    EXPECT_EQ(d.DraftModelLine(4, 0, 0, 100, 0), -1);                        // no such type
    EXPECT_GE(d.DraftModelLine(draft::MODEL_DASHDOT, 0, 0, 100, 0), 0);
    EXPECT_GE(d.DraftModelArc(0, 0, 50, 0, 90), 0);
    EXPECT_TRUE(d.modelIsCurrent());
    EXPECT_EQ(session.store.liveCount(), 1);  // the model holds only its own line

    d.UseDrawingStore();
    auto drawing = live(session.store);
    ASSERT_EQ(drawing.size(), 2u);
    EXPECT_EQ(drawing[0].kind, model::kind::DASHDOT);
    EXPECT_EQ(drawing[1].kind, model::kind::ARC);
    EXPECT_NE(drawing[0].UID, drawing[1].UID);
    d.UseModelStore();
    EXPECT_EQ(live(session.store).at(0).X2, 5000);
}

TEST_F(DraftLayer, BankSwitchesInTheWrongOrderLoseNothing)
{
    Drafter d(session);
    session.store.addElem(model::kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 5000, 0, 0, 0);
    d.StashModelStore();
    d.StashModelStore();  // twice: must not bury the model under an empty store
    d.DraftLine(0, 0, 1, 1);
    d.UseModelStore();
    d.UseModelStore();
    ASSERT_EQ(session.store.liveCount(), 1);
    EXPECT_EQ(live(session.store)[0].X2, 5000);
    d.UseDrawingStore();
    EXPECT_EQ(session.store.liveCount(), 1);  // the drawing's line came back
    EXPECT_EQ(live(session.store)[0].X2, 1);
    d.freeDrawing();
    EXPECT_TRUE(d.modelIsCurrent());
    EXPECT_EQ(live(session.store)[0].X2, 5000);
    EXPECT_EQ(session.bankB.liveCount(), 0);
}

using DrawingFrameRun = Fixture;

TEST_F(DrawingFrameRun, ListDrawingUsesListScaleAndGivesTheModelBack)
{
    session.store.addElem(model::kind::GIRDER, 0, 1, -1, 0, 0, 0, 0, 0, 6000, 0, 0, 0);
    session.texts.addMoji(7, "old", 0, 0, 100, 0, 0, "1", 0);
    session.settings.draft.ListScale = 50;
    session.settings.draft.ListMojiHeight = 2.5;
    draft::DraftState state;
    {
        draft::DrawingFrame frame(session, state);
        int seenRecords = -1;
        ASSERT_TRUE(frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing, [&](Drafter& d) {
            seenRecords = session.store.liveCount();
            EXPECT_EQ(d.draftTextHeight(), 125);
            d.DraftLine(0, 0, 10, 0);
            d.addMoji(5, "new", 0, 0, 100, 0, 0);
        }));
        EXPECT_EQ(seenRecords, 0);  // a fresh store, not the model
        ASSERT_EQ(session.store.liveCount(), 1);
        EXPECT_EQ(session.store.at(0).kind, model::kind::LINE);
        ASSERT_EQ(session.texts.count(), 1);
        EXPECT_EQ(session.texts.at(0).text, "new");
        frame.close();
        ASSERT_EQ(session.store.liveCount(), 1);
        EXPECT_EQ(session.store.at(0).kind, model::kind::GIRDER);
        // Regenerating after close and leaving the scope with the drawing open restores too.
        ASSERT_TRUE(frame.run(draft::ScaleMode::Draw, draft::GeneratorStore::Drawing,
                              [&](Drafter& d) { EXPECT_EQ(d.draftTextHeight(), 120); }));
    }
    ASSERT_EQ(session.store.liveCount(), 1);
    EXPECT_EQ(session.store.at(0).kind, model::kind::GIRDER);
}

TEST_F(DrawingFrameRun, ModelReadingGeneratorSeesTheModelAndDrawsIntoTheDrawing)
{
    session.store.addElem(model::kind::GIRDER, 0, 1, -1, 0, 0, 0, 0, 0, 6000, 0, 0, 0);
    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    ASSERT_TRUE(frame.run(draft::ScaleMode::Draw, draft::GeneratorStore::Model, [&](Drafter& d) {
        for (int c = -1; session.store.nextLive(c);) {
            const Element e = session.store.at(c);
            d.DraftModelLine(draft::MODEL_LINE, e.X1, e.Y1, e.X2, e.Y2);
        }
    }));
    auto drawing = live(session.store);
    ASSERT_EQ(drawing.size(), 1u);
    EXPECT_EQ(drawing[0].kind, model::kind::LINE);
    EXPECT_EQ(drawing[0].X2, 6000);
    frame.close();
    EXPECT_EQ(live(session.store).at(0).kind, model::kind::GIRDER);
}

TEST_F(DrawingFrameRun, FailingGeneratorLeavesTheModelCurrentAndSaysWhy)
{
    session.store.addElem(model::kind::GIRDER, 0, 1, -1, 0, 0, 0, 0, 0, 6000, 0, 0, 0);
    draft::DraftState state;
    for (auto where : {draft::GeneratorStore::Drawing, draft::GeneratorStore::Model}) {
        draft::DrawingFrame frame(session, state);
        bool ok = frame.run(draft::ScaleMode::List, where, [&](Drafter& d) {
            if (!d.modelIsCurrent()) d.DraftLine(0, 0, 1, 1);
            d.DraftModelLine(draft::MODEL_LINE, 0, 0, 1, 1);
            d.addMoji(5, "half", 0, 0, 100, 0, 0);
            throw std::runtime_error("broken section");
        });
        EXPECT_FALSE(ok);
        EXPECT_FALSE(frame.isOpen());
        EXPECT_TRUE(state.modelInBank == false && state.drawingInBank == false);
        ASSERT_EQ(session.store.liveCount(), 1);
        EXPECT_EQ(live(session.store)[0].kind, model::kind::GIRDER);
        EXPECT_EQ(session.texts.count(), 0);
        EXPECT_EQ(session.bankA.liveCount(), 0);
        EXPECT_EQ(session.bankB.liveCount(), 0);
    }
    EXPECT_TRUE(platform.saidText("作図できませんでした: broken section"));
}
