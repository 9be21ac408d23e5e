// SPDX-License-Identifier: GPL-3.0-or-later
// Line commands change the model only where the user's clicks say, in the slice being viewed, each gesture one undo step.
#include "test_dispatcher_harness.h"

#include "editor/line_commands.h"
#include "model/undo.h"

using editor::MouseButton;
namespace cmd = editor::cmd;
namespace kind = model::kind;
using testing_support::EditorTest;

namespace {

class LineCommands : public EditorTest {
protected:
    // An elevation on the Y grid line at Y = 0: view u = X, v = Z.
    void frameView()
    {
        session.view.mode = model::ViewMode::ElevationXZ;
        session.view.plane = 0;
    }
    int frameLine(double x1, double z1, double x2, double z2, int k = kind::LINE)
    {
        return session.store.addElem(k, 0, 1, -1, 0, 0, x1, 0, z1, x2, 0, z2, model::kNewLineColour);
    }
    void parallel(double distance, int copies)
    {
        dialogs.copies.push_back(platform::ParallelCopy{distance, copies});
        dispatcher.DispatchCommand(cmd::PARALLEL);
    }
    std::vector<std::pair<double, double>> zLevelsOfLines()
    {
        std::vector<std::pair<double, double>> out;
        for (int i : live(kind::LINE)) out.push_back({el(i).Z1, el(i).Z2});
        return out;
    }
};

TEST_F(LineCommands, PlanLinesLieOnTheCurrentLevelOneStepEach)
{
    session.view.plane = 3000;
    dispatcher.setSnapMode(editor::SnapMode::Free);
    dispatcher.DispatchCommand(cmd::LINE);
    left(1000, 1000);
    left(1000, 1000);  // the same point again
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(dispatcher.state().commandStep, 2);
    left(4000, 1000);
    left(4000, 2000);
    left(6000, 2000);
    const auto lines = live(kind::LINE);
    ASSERT_EQ(lines.size(), 2u);
    for (int i : lines) {
        EXPECT_DOUBLE_EQ(el(i).Z1, 3000);
        EXPECT_DOUBLE_EQ(el(i).Z2, 3000);
        EXPECT_EQ(el(i).LY, 1);
        EXPECT_EQ(el(i).CL, 0xFF0000);
    }
    EXPECT_NE(el(lines[0]).UID, el(lines[1]).UID);
    EXPECT_EQ(lastStatus(0), "2");

    dispatcher.undo();
    EXPECT_EQ(live(kind::LINE).size(), 1u);
    dispatcher.undo();
    EXPECT_TRUE(live(kind::LINE).empty());
    dispatcher.redo();
    dispatcher.redo();
    EXPECT_EQ(live(kind::LINE).size(), 2u);
}

TEST_F(LineCommands, AClickThatChangesNothingKeepsTheRedoHistory)
{
    dispatcher.setSnapMode(editor::SnapMode::Free);
    dispatcher.DispatchCommand(cmd::LINE);
    left(1000, 1000);
    left(2000, 1000);
    dispatcher.undo();
    dispatcher.DispatchCommand(cmd::DELETE);
    left(8000, 8000);  // nothing there: a beep, no undo step
    dispatcher.redo();
    EXPECT_EQ(live(kind::LINE).size(), 1u);
}

TEST_F(LineCommands, EndPointSnapCatchesTheNearEnd)
{
    addLine(2000, 2000, 5000, 2000);
    dispatcher.DispatchCommand(cmd::LINE);
    left(2080, 1950);  // 9 pixels away from the end
    left(2000, 6000);
    const auto lines = live(kind::LINE);
    ASSERT_EQ(lines.size(), 2u);
    const auto& e = el(lines[1]);
    EXPECT_DOUBLE_EQ(e.X1, 2000);
    EXPECT_DOUBLE_EQ(e.Y1, 2000);
    EXPECT_DOUBLE_EQ(e.X2, 2000);
    EXPECT_DOUBLE_EQ(e.Y2, 6000);
}

TEST_F(LineCommands, ParallelCopiesInAFrameGoToThePointersSide)
{
    frameView();
    const int src = frameLine(0, 0, 1000, 0);
    parallel(500, 3);
    EXPECT_EQ(lastStatus(5), "複写する部材を指定");
    left(500, 10);
    EXPECT_EQ(lastStatus(5), "方向指定(右クリックで部材指示に戻る)");
    EXPECT_EQ(dispatcher.state().commandStep, 2);
    move(700, 900);  // the rubber line follows from the middle of the line
    left(700, 900);
    EXPECT_EQ(lastStatus(5), "部材指定(右クリックでコマンド終了)");
    auto levels = zLevelsOfLines();
    ASSERT_EQ(levels.size(), 4u);
    EXPECT_EQ(levels[1], std::make_pair(500.0, 500.0));
    EXPECT_EQ(levels[2], std::make_pair(1000.0, 1000.0));
    EXPECT_EQ(levels[3], std::make_pair(1500.0, 1500.0));
    for (int i : live(kind::LINE)) EXPECT_DOUBLE_EQ(el(i).Y1, 0);  // on the frame's plane

    // Below the line this time; one undo takes back all three.
    left(500, 0);
    left(300, -2000);
    EXPECT_EQ(live(kind::LINE).size(), 7u);
    EXPECT_DOUBLE_EQ(el(live(kind::LINE).back()).Z1, -1500);
    dispatcher.undo();
    EXPECT_EQ(live(kind::LINE).size(), 4u);
    EXPECT_FALSE(session.store.isDead(src));
}

TEST_F(LineCommands, ParallelCopiesOfAGirderAreLines)
{
    const int g = addLine(0, 1000, 4000, 1000, 0, 0, kind::GIRDER);
    parallel(1000, 1);
    left(2000, 1000);
    left(2000, 5000);
    const auto lines = live(kind::LINE);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_DOUBLE_EQ(el(lines[0]).Y1, 2000);
    EXPECT_EQ(el(lines[0]).CL, 0xFF0000);
    EXPECT_FALSE(session.store.isDead(g));
}

TEST_F(LineCommands, ParallelRightButtonGoesBackThenReopensTheDialog)
{
    addLine(0, 1000, 4000, 1000);
    parallel(700, 2);
    left(2000, 1000);
    left(2000, 1000);  // on the line itself: no side, ask again
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(dispatcher.state().commandStep, 2);
    right(2000, 3000);
    EXPECT_EQ(dispatcher.state().commandStep, 1);
    EXPECT_EQ(lastStatus(5), "部材指定(右クリックでコマンド終了)");
    right(2000, 3000);  // the dialog again, offering the last distance; cancelled
    ASSERT_EQ(dialogs.referenceDistances.size(), 2u);
    EXPECT_DOUBLE_EQ(dialogs.referenceDistances[1], 700);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
    EXPECT_EQ(live(kind::LINE).size(), 1u);
}

TEST_F(LineCommands, ParallelRefusesAnAbsurdCopyCount)
{
    addLine(0, 1000, 4000, 1000);
    dialogs.copies.push_back(platform::ParallelCopy{500, 100000});
    dialogs.copies.push_back(platform::ParallelCopy{500, 2});
    dispatcher.DispatchCommand(cmd::PARALLEL);
    EXPECT_TRUE(platform.saidText("複写回数は1から1000までの整数を入力して下さい。"));
    EXPECT_EQ(dispatcher.state().currentCommand, cmd::PARALLEL);
    left(2000, 1000);
    left(2000, 3000);
    EXPECT_EQ(live(kind::LINE).size(), 3u);
}

TEST_F(LineCommands, ExtendInAFrameReachesTheBaseLine)
{
    frameView();
    const int a = frameLine(0, 1000, 3000, 1000);
    const int b = frameLine(0, 2000, 2500, 2000);
    frameLine(4000, 0, 4000, 3000);  // the base line
    const int uidA = el(a).UID;
    dispatcher.DispatchCommand(cmd::EXTEND_CUT);
    drag(MouseButton::Left, -500, 500, 3500, 2500);
    EXPECT_EQ(lastStatus(5), "基準線指定(右クリックで補助線指定に戻る)");
    left(4000, 1500);
    EXPECT_EQ(lastStatus(5), "方向指定(右クリックで基点線指定に戻る)");
    EXPECT_EQ(dispatcher.state().commandStep, 3);
    move(5000, 1500);
    // The preview shows the lines as they would become, reaching x = 4000.
    const int pen = 0xFFFFFF - editor::kCutPreviewColour;
    EXPECT_TRUE(canvas.hasLine(px(0, 1000).x, px(0, 1000).y, px(4000, 1000).x, px(4000, 1000).y));
    EXPECT_GT(canvas.linesInColour(pen), 0);
    left(5000, 1500);
    EXPECT_EQ(lastStatus(5), "カットする補助線を指定(右クリックでコマンド終了)");
    EXPECT_TRUE(session.store.isDead(a));
    EXPECT_TRUE(session.store.isDead(b));
    const auto lines = live(kind::LINE);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_DOUBLE_EQ(el(lines[1]).X2, 4000);
    EXPECT_DOUBLE_EQ(el(lines[1]).Z1, 1000);
    EXPECT_EQ(el(lines[1]).UID, uidA);  // the changed line is the same line
    EXPECT_DOUBLE_EQ(el(lines[2]).X1, 0);
    EXPECT_DOUBLE_EQ(el(lines[2]).X2, 4000);
    EXPECT_TRUE(transientsErased());

    dispatcher.undo();
    EXPECT_FALSE(session.store.isDead(a));
    EXPECT_FALSE(session.store.isDead(b));
    EXPECT_EQ(live(kind::LINE).size(), 3u);
}

TEST_F(LineCommands, CutKeepsThePartAwayFromThePointer)
{
    const int l = addLine(0, 1000, 6000, 1000);
    addLine(4000, 0, 4000, 3000);
    dispatcher.DispatchCommand(cmd::EXTEND_CUT);
    left(1000, 1000);  // a click picks one line
    left(4000, 2500);
    left(5000, 2000);  // pointer right of the base line: that part goes
    auto lines = live(kind::LINE);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(session.store.isDead(l));
    const auto& cut = el(lines[1]);
    EXPECT_DOUBLE_EQ(std::min(cut.X1, cut.X2), 0);
    EXPECT_DOUBLE_EQ(std::max(cut.X1, cut.X2), 4000);

    // The other way: a line wholly left of the base line with the pointer on its own side
    // has its far end moved to the base line.
    dispatcher.undo();
    left(1000, 1000);
    left(4000, 2500);
    left(1000, 2000);
    lines = live(kind::LINE);
    const auto& kept = el(lines[1]);
    EXPECT_DOUBLE_EQ(std::min(kept.X1, kept.X2), 4000);
    EXPECT_DOUBLE_EQ(std::max(kept.X1, kept.X2), 6000);
}

TEST_F(LineCommands, ExtendCutRules)
{
    using editor::ExtendCutCommand;
    model::Point r1, r2;
    const model::Point b1{4000, 0}, b2{4000, 3000};  // +1 is left of it (x < 4000)
    // Wholly left, pointer right: the nearer end reaches the base line.
    ASSERT_TRUE(ExtendCutCommand::extendOrCut({0, 0}, {3000, 0}, b1, b2, -1, r1, r2));
    EXPECT_DOUBLE_EQ(r1.x, 0);
    EXPECT_DOUBLE_EQ(r2.x, 4000);
    // Wholly left, pointer left: the farther end moves to the base line.
    ASSERT_TRUE(ExtendCutCommand::extendOrCut({0, 0}, {3000, 0}, b1, b2, 1, r1, r2));
    EXPECT_DOUBLE_EQ(r1.x, 4000);
    EXPECT_DOUBLE_EQ(r2.x, 3000);
    // Parallel to the base line: unchanged.
    EXPECT_FALSE(ExtendCutCommand::extendOrCut({0, 0}, {0, 3000}, b1, b2, 1, r1, r2));
    // Ending on the base line with the pointer on its side would leave a point: unchanged.
    EXPECT_FALSE(ExtendCutCommand::extendOrCut({4000, 0}, {6000, 0}, b1, b2, -1, r1, r2));
    // Crossing it: the part on the pointer's side goes, whichever end that is.
    ASSERT_TRUE(ExtendCutCommand::extendOrCut({6000, 0}, {0, 0}, b1, b2, 1, r1, r2));
    EXPECT_DOUBLE_EQ(r1.x, 6000);
    EXPECT_DOUBLE_EQ(r2.x, 4000);
}

TEST_F(LineCommands, ExtendCutStepsBackAndRefusesASelectedBaseLine)
{
    const int a = addLine(0, 1000, 3000, 1000);
    addLine(0, 2000, 3000, 2000);
    addLine(4000, 0, 4000, 3000);
    dispatcher.DispatchCommand(cmd::EXTEND_CUT);
    left(6000, 6000);  // nothing there
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(dispatcher.state().commandStep, 1);
    drag(MouseButton::Left, -100, 500, 3100, 2500);
    left(1500, 1000);  // one of the chosen lines cannot be the base line
    EXPECT_EQ(platform.beeps, 2);
    EXPECT_EQ(dispatcher.state().commandStep, 2);
    left(4000, 500);
    const int clears = canvas.clears;
    const size_t drawn = canvas.lines.size();
    right(5000, 500);  // back to choosing lines, the lines drawn again
    EXPECT_EQ(dispatcher.state().commandStep, 1);
    EXPECT_EQ(canvas.clears, clears);
    bool redrawn = false;
    for (size_t i = drawn; i < canvas.lines.size(); ++i)
        if (canvas.lines[i].mode == editor::PenMode::Copy && canvas.lines[i].colour == 0xFF0000) redrawn = true;
    EXPECT_TRUE(redrawn);
    EXPECT_FALSE(session.store.isDead(a));
    right(5000, 500);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
    EXPECT_EQ(live(kind::LINE).size(), 3u);
}

TEST_F(LineCommands, CutAtCrossingsSplitsCrossedLinesButNotOnesEndingThere)
{
    const int cutter = addLine(0, 1000, 6000, 1000);
    const int crossing = addLine(1000, 0, 1000, 3000);
    const int ending = addLine(2000, 1000, 2000, 3000);
    const int shortOne = addLine(3000, 0, 3000, 500);
    const int otherLevel = session.store.addElem(kind::LINE, 0, 1, -1, 0, 0, 4000, 0, 3000, 4000, 3000, 3000, 0xFF0000);
    dispatcher.DispatchCommand(cmd::CUT_AT_CROSSINGS);
    EXPECT_EQ(lastStatus(5), "交点で切断する補助線を指定");
    left(5000, 1000);
    EXPECT_TRUE(session.store.isDead(crossing));
    EXPECT_FALSE(session.store.isDead(cutter));
    EXPECT_FALSE(session.store.isDead(ending));
    EXPECT_FALSE(session.store.isDead(shortOne));
    EXPECT_FALSE(session.store.isDead(otherLevel));
    const auto lines = live(kind::LINE);
    ASSERT_EQ(lines.size(), 6u);
    const auto& lower = el(lines[4]);
    const auto& upper = el(lines[5]);
    EXPECT_DOUBLE_EQ(lower.Y1, 0);
    EXPECT_DOUBLE_EQ(lower.Y2, 1000);
    EXPECT_DOUBLE_EQ(upper.Y1, 1000);
    EXPECT_DOUBLE_EQ(upper.Y2, 3000);
    EXPECT_EQ(lower.UID, el(crossing).UID);
    EXPECT_NE(upper.UID, lower.UID);
    EXPECT_EQ(dispatcher.state().currentCommand, cmd::CUT_AT_CROSSINGS);

    dispatcher.undo();
    EXPECT_FALSE(session.store.isDead(crossing));
    EXPECT_EQ(live(kind::LINE).size(), 5u);
    right(5000, 5000);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
}

TEST_F(LineCommands, CutAtCrossingsOfAWindowSplitsTheChosenLinesAmongThemselves)
{
    addLine(0, 1000, 4000, 1000);
    addLine(0, 2000, 4000, 2000);
    addLine(1000, 0, 1000, 3000);
    addLine(3000, 0, 3000, 3000);
    dispatcher.DispatchCommand(cmd::CUT_AT_CROSSINGS);
    drag(MouseButton::Left, -100, -100, 4100, 3100);
    // Each of the four lines is cut twice: 12 pieces, the grid of a 3 x 3 window.
    EXPECT_EQ(live(kind::LINE).size(), 12u);
    dispatcher.undo();
    EXPECT_EQ(live(kind::LINE).size(), 4u);
}

TEST_F(LineCommands, CutAtCrossingsOnlyTakesLines)
{
    addLine(0, 1000, 6000, 1000, 0, 0, kind::GIRDER);
    addLine(1000, 0, 1000, 3000);
    dispatcher.DispatchCommand(cmd::CUT_AT_CROSSINGS);
    left(5000, 1000);
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(live(kind::LINE).size(), 1u);
}

TEST_F(LineCommands, MembersBackToLinesKeepTheirIdentity)
{
    const int g = addLine(0, 1000, 6000, 1000, 0, 0, kind::GIRDER);
    session.store.at(g).secID = 7;
    session.store.at(g).OY = 50;
    session.store.at(g).CL = 0;
    const int uid = el(g).UID;
    addLine(0, 3000, 6000, 3000);
    dispatcher.DispatchCommand(cmd::MEMBERS_TO_LINES);
    EXPECT_EQ(lastStatus(5), "補助線化する部材を指定");
    left(3000, 3000);  // a line is no member
    EXPECT_EQ(platform.beeps, 1);
    left(3000, 1050);
    EXPECT_TRUE(live(kind::GIRDER).empty());
    const auto lines = live(kind::LINE);
    ASSERT_EQ(lines.size(), 2u);
    const auto& back = el(lines[1]);
    EXPECT_EQ(back.UID, uid);
    EXPECT_EQ(back.secID, 0);
    EXPECT_EQ(back.CL, 0xFF0000);
    EXPECT_DOUBLE_EQ(back.OY, 0);
    EXPECT_DOUBLE_EQ(back.Y1, 1000);
    dispatcher.undo();
    EXPECT_EQ(live(kind::GIRDER).size(), 1u);
}

TEST_F(LineCommands, DeleteTakesTheLoadsOfAMemberAlong)
{
    const int g = addLine(0, 1000, 6000, 1000, 0, 0, kind::GIRDER);
    const int load = session.store.addElem(kind::LOAD, 0, 1, -1, 0, el(g).UID, 0, 1000, 0, 6000, 1000, 0, 0);
    const int other = addLine(0, 4000, 6000, 4000);
    dispatcher.DispatchCommand(cmd::DELETE);
    EXPECT_EQ(lastStatus(5), "削除する部材を指定");
    left(3000, 1000);
    EXPECT_TRUE(session.store.isDead(g));
    EXPECT_TRUE(session.store.isDead(load));
    EXPECT_FALSE(session.store.isDead(other));
    EXPECT_EQ(lastStatus(0), "1");
    dispatcher.undo();  // girder and load come back together
    EXPECT_FALSE(session.store.isDead(g));
    EXPECT_FALSE(session.store.isDead(load));
}

TEST_F(LineCommands, DeleteByWindowTakesOnlyWhatLiesWhollyInside)
{
    const int inside1 = addLine(1000, 1000, 2000, 1000);
    const int inside2 = addLine(1000, 2000, 2000, 2000, 0, 0, kind::COLUMN);
    const int across = addLine(1000, 3000, 9000, 3000);
    dispatcher.DispatchCommand(cmd::DELETE);
    drag(MouseButton::Left, 500, 500, 2500, 3500);
    EXPECT_TRUE(session.store.isDead(inside1));
    EXPECT_TRUE(session.store.isDead(inside2));
    EXPECT_FALSE(session.store.isDead(across));
    EXPECT_TRUE(transientsErased());
    right(5000, 5000);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
}

}  // namespace
