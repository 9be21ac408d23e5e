// SPDX-License-Identifier: GPL-3.0-or-later
// Designation turns the picked or windowed lines of the slice into girders or columns of the chosen mark on their level, keeping their identity; the CSV question resets them all.
#include "test_dispatcher_harness.h"

#include "editor/designation.h"
#include "model/sections.h"

using editor::MouseButton;
namespace cmd = editor::cmd;
namespace kind = model::kind;
using testing_support::EditorTest;

namespace {

class CsvImport : public platform::SectionCsvPort {
public:
    bool importSections() override { return read; }
    void exportSections() override {}
    bool read = true;
};

class Designation : public EditorTest {
protected:
    Designation()
    {
        auto& g = session.grid;
        g.spanCount[model::AXIS_Z] = 2;
        g.line[model::AXIS_Z][1] = 3000;
        g.line[model::AXIS_Z][2] = 6000;
        model::calcGridMax(g);
        g1 = section('G', 2, 1, "G1", "400:900;");
        g2 = section('G', 2, 2, "G2", "300:700;");
        c1 = section('C', 1, 1, "C1", "600:600;");
        session.view.plane = 3000;  // plan of level 2
    }
    int section(char letter, int level, int mark, const std::string& name, const std::string& spec)
    {
        EXPECT_TRUE(model::setMemRod(session.sections, model::makeSecKey(letter, level, mark),
                                     model::makeSecName(std::to_string(level), name), spec));
        return model::findSecIDByKey(session.sections, letter, level, mark);
    }
    void girders(const std::string& mark, int range = 0)
    {
        dialogs.marks.push_back(platform::MemberChoice{mark, range});
        dispatcher.DispatchCommand(cmd::GIRDER_MARK);
    }
    void columns(const std::string& mark, int range = 0)
    {
        dialogs.marks.push_back(platform::MemberChoice{mark, range});
        dispatcher.DispatchCommand(cmd::COLUMN_MARK);
    }
    void frameView()
    {
        session.view.mode = model::ViewMode::ElevationXZ;
        session.view.plane = 0;
    }
    int frameLine(double x1, double z1, double x2, double z2)
    {
        return session.store.addElem(kind::LINE, 0, 1, -1, 0, 0, x1, 0, z1, x2, 0, z2, model::kNewLineColour);
    }

    int g1 = 0, g2 = 0, c1 = 0;
};

TEST_F(Designation, DesignatingTwiceLeavesOneGirderOfTheSecondMarkWithTheLinesIdentity)
{
    const int line = addLine(0, 1000, 6000, 1000, 3000, 3000);
    const int uid = el(line).UID;
    girders("G1");
    EXPECT_EQ(dialogs.memberCaptions.back(), "梁符号指示");
    EXPECT_EQ(lastStatus(5), "部材の指定");
    EXPECT_EQ(dispatcher.state().cursorKind, editor::CursorKind::Cross);
    left(3000, 1050);
    ASSERT_EQ(live(kind::GIRDER).size(), 1u);
    EXPECT_EQ(el(live(kind::GIRDER)[0]).secID, g1);

    dialogs.marks.push_back(platform::MemberChoice{"G2", 0});
    right(3000, 3000);  // the dialog again
    EXPECT_EQ(dispatcher.state().currentCommand, cmd::GIRDER_MARK);
    left(3000, 1000);
    const auto members = live(kind::GIRDER);
    ASSERT_EQ(members.size(), 1u);
    const auto& g = el(members[0]);
    EXPECT_EQ(g.secID, g2);
    EXPECT_EQ(g.UID, uid);
    EXPECT_EQ(g.CL, 0x000000);
    EXPECT_DOUBLE_EQ(g.Z1, 3000);
    EXPECT_TRUE(live(kind::LINE).empty());

    dispatcher.undo();
    ASSERT_EQ(live(kind::GIRDER).size(), 1u);
    EXPECT_EQ(el(live(kind::GIRDER)[0]).secID, g1);
    dispatcher.undo();
    EXPECT_TRUE(live(kind::GIRDER).empty());
    EXPECT_FALSE(session.store.isDead(line));
    dispatcher.redo();
    EXPECT_EQ(live(kind::GIRDER).size(), 1u);
    EXPECT_TRUE(session.store.isDead(line));
}

TEST_F(Designation, AMarkTheLevelDoesNotHaveGivesNoSection)
{
    const int line = addLine(0, 1000, 6000, 1000, 0, 0);
    session.view.plane = 0;  // level 1 has no girder sections
    girders("G1");
    left(3000, 1000);
    ASSERT_EQ(live(kind::GIRDER).size(), 1u);
    EXPECT_EQ(el(live(kind::GIRDER)[0]).secID, -1);
    EXPECT_TRUE(session.store.isDead(line));
}

TEST_F(Designation, AWindowWithTheFloorFilterMakesGirdersAndLeavesColumnLines)
{
    frameView();
    const int beam1 = frameLine(0, 3000, 6000, 3000);
    const int beam2 = frameLine(6000, 3000, 12000, 3000);
    const int post1 = frameLine(0, 0, 0, 3000);
    const int post2 = frameLine(6000, 0, 6000, 3000);
    const int above = frameLine(0, 6000, 6000, 6000);  // outside the window
    girders("G1", 1);
    drag(MouseButton::Left, -500, -500, 12500, 3500);
    EXPECT_EQ(live(kind::GIRDER).size(), 2u);
    EXPECT_TRUE(session.store.isDead(beam1));
    EXPECT_TRUE(session.store.isDead(beam2));
    EXPECT_FALSE(session.store.isDead(post1));
    EXPECT_FALSE(session.store.isDead(post2));
    EXPECT_FALSE(session.store.isDead(above));
    for (int i : live(kind::GIRDER)) EXPECT_EQ(el(i).secID, g1);  // level of Z 3000
    dispatcher.undo();  // the whole window was one step
    EXPECT_TRUE(live(kind::GIRDER).empty());

    // The column filter does the opposite.
    dialogs.marks.push_back(platform::MemberChoice{"C1", 2});
    dispatcher.DispatchCommand(cmd::COLUMN_MARK);
    drag(MouseButton::Left, -500, -500, 12500, 3500);
    const auto cols = live(kind::COLUMN);
    ASSERT_EQ(cols.size(), 2u);
    for (int i : cols) EXPECT_EQ(el(i).secID, c1);
    EXPECT_EQ(live(kind::LINE).size(), 3u);
}

TEST_F(Designation, TheColumnCommandTakesOnlyStandingMembers)
{
    frameView();
    const int post = frameLine(0, 0, 0, 3000);
    frameLine(0, 3000, 6000, 3000);
    columns("C1");
    EXPECT_EQ(dialogs.memberCaptions.back(), "柱符号指示");
    EXPECT_EQ(lastStatus(5), "柱の指定");
    EXPECT_TRUE(session.project.modified);  // choosing a column mark counts as an edit
    left(3000, 3000);  // a beam: refused with a beep
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_TRUE(live(kind::COLUMN).empty());
    left(0, 1500);
    ASSERT_EQ(live(kind::COLUMN).size(), 1u);
    EXPECT_TRUE(session.store.isDead(post));
}

TEST_F(Designation, InThePlanAColumnIsAPointAndAHorizontalLineBeeps)
{
    const int col = addLine(1000, 1000, 1000, 1000, 0, 3000, kind::COLUMN);
    addLine(3000, 0, 3000, 6000, 3000, 3000);
    columns("C1");
    left(3000, 3000);
    EXPECT_EQ(platform.beeps, 1);
    left(1000, 1000);
    const auto cols = live(kind::COLUMN);
    ASSERT_EQ(cols.size(), 1u);
    EXPECT_NE(cols[0], col);
    EXPECT_EQ(el(cols[0]).secID, c1);  // the column's bottom (Z1 = 0) is level 1
    EXPECT_EQ(el(cols[0]).UID, el(col).UID);
}

TEST_F(Designation, AGirderPickThatFailsIsIgnoredSilentlyAndObliqueLinesBeep)
{
    const int oblique = addLine(0, 0, 3000, 2000, 3000, 3000);
    girders("G1");
    left(8000, 8000);
    EXPECT_EQ(platform.beeps, 0);
    drag(MouseButton::Left, -100, -100, 3100, 2100);
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_FALSE(session.store.isDead(oblique));
    EXPECT_TRUE(live(kind::GIRDER).empty());
    dispatcher.redo();  // no step was opened, nothing to redo either
    EXPECT_TRUE(live(kind::GIRDER).empty());
}

TEST_F(Designation, CancellingTheDialogEndsTheCommand)
{
    addLine(0, 1000, 6000, 1000, 3000, 3000);
    dispatcher.DispatchCommand(cmd::GIRDER_MARK);  // no answer scripted: cancelled
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
    girders("G1");
    right(3000, 3000);  // dialog again, cancelled
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
    EXPECT_TRUE(live(kind::GIRDER).empty());
}

TEST_F(Designation, SmallBeamEditChangesNothing)
{
    addLine(0, 1000, 6000, 1000, 3000, 3000);
    dialogs.marks.push_back(platform::MemberChoice{"G1", 0});
    dispatcher.DispatchCommand(cmd::SMALL_BEAM);
    EXPECT_EQ(dialogs.memberCaptions.back(), "小梁編集");
    EXPECT_EQ(lastStatus(5), "編集する部材の指定");
    drag(MouseButton::Left, -100, -100, 7000, 2000);
    EXPECT_EQ(live(kind::LINE).size(), 1u);
    EXPECT_TRUE(live(kind::GIRDER).empty());
    EXPECT_TRUE(transientsErased());
}

TEST_F(Designation, TheCsvQuestionResetsEveryMemberToABlueLine)
{
    CsvImport csv;
    editor::Ports p = ports();
    p.sectionCsv = &csv;
    editor::Dispatcher d(session, canvas, &host, p);
    d.transform().SetView(10000, 10000, 5000, 5000);
    const int g = addLine(0, 1000, 6000, 1000, 3000, 3000, kind::GIRDER);
    session.store.at(g).secID = g1;
    session.store.at(g).OY = 200;
    session.store.at(g).CL = 0;
    const int c = addLine(0, 0, 0, 0, 0, 3000, kind::COLUMN);
    session.store.at(c).secID = c1;

    platform.answers.push_back(platform::Answer::No);
    d.DispatchCommand(cmd::CSV_IMPORT);
    EXPECT_TRUE(platform.saidText("部材の指示関係を初期化します。"));
    EXPECT_EQ(live(kind::GIRDER).size(), 1u);

    platform.answers.push_back(platform::Answer::Yes);
    d.DispatchCommand(cmd::CSV_IMPORT);
    EXPECT_TRUE(live(kind::GIRDER).empty());
    EXPECT_TRUE(live(kind::COLUMN).empty());
    for (int i : {g, c}) {
        EXPECT_EQ(el(i).kind, kind::LINE);
        EXPECT_EQ(el(i).secID, 0);
        EXPECT_EQ(el(i).CL, 0xFF0000);
        EXPECT_DOUBLE_EQ(el(i).OY, 0);
    }

    // A cancelled import asks nothing.
    platform.messages.clear();
    csv.read = false;
    d.DispatchCommand(cmd::CSV_IMPORT);
    EXPECT_TRUE(platform.messages.empty());
}

}  // namespace

// A vertical line of a plan is a point outside the plan's slice; the column command still
// finds it, by a click on the point or in a window, when its foot or top is on the level.
TEST_F(Designation, ColumnDesignationInThePlanFindsVerticalLines)
{
    const int standing = addLine(1000, 1000, 1000, 1000, 0, 3000);  // top at this level (3000)
    const int above = addLine(4000, 1000, 4000, 1000, 3000, 6000);   // foot at this level
    const int elsewhere = addLine(7000, 1000, 7000, 1000, 6000, 9000);
    columns("C1");
    left(1000, 1000);
    ASSERT_EQ(live(kind::COLUMN).size(), 1u);
    EXPECT_TRUE(session.store.isDead(standing));
    EXPECT_EQ(el(live(kind::COLUMN)[0]).secID, c1);
    left(7000, 1000);  // stands on another level: a beep
    EXPECT_EQ(platform.beeps, 1);
    drag(MouseButton::Left, 3500, 500, 8000, 1500);
    EXPECT_EQ(live(kind::COLUMN).size(), 2u);
    EXPECT_TRUE(session.store.isDead(above));
    EXPECT_FALSE(session.store.isDead(elsewhere));
}
