// SPDX-License-Identifier: GPL-3.0-or-later
// The grid commands replace the drawing only when the user agrees, build the grid the dialog describes, and edit offsets of an existing grid only.
#include "test_dispatcher_harness.h"

namespace cmd = editor::cmd;
namespace kind = model::kind;
using platform::Answer;
using testing_support::EditorTest;
using testing_support::gridRecord;

namespace {

class GridCommand : public EditorTest {};

TEST_F(GridCommand, DefaultDialogAnswerBuildsTheGridAndFitsTheView)
{
    dialogs.grids.push_back(gridRecord({2, 3, 2}, {5000, 4000, 3000}));
    dispatcher.DispatchCommand(cmd::GRID_CREATE);
    ASSERT_EQ(dialogs.gridCalls.size(), 1u);
    EXPECT_EQ(dialogs.gridCalls[0].first, platform::GridDialogMode::NewGrid);
    const auto& g = session.grid;
    EXPECT_EQ(g.position(model::AXIS_X, 2), 10000);
    EXPECT_EQ(g.position(model::AXIS_X, 3), -1);
    EXPECT_EQ(g.position(model::AXIS_Y, 3), 12000);
    EXPECT_EQ(g.position(model::AXIS_Z, 2), 6000);
    EXPECT_FALSE(g.name(model::AXIS_X, 0).empty());
    EXPECT_FALSE(live(kind::LINE).empty());
    EXPECT_FALSE(live(kind::BASE).empty());
    EXPECT_TRUE(session.project.modified);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
    EXPECT_EQ(dispatcher.levelTabs(), (std::vector<std::string>{"F層", "2層", "R層"}));
    // The view was fitted to the grid (with its axis lines), so it is no longer 0..10000.
    EXPECT_GT(dispatcher.transform().viewWidth, 12000);
    EXPECT_EQ(lastStatus(0), std::to_string(session.store.liveCount()));

    // The plan of the first level shows the grid's lines and can be edited at once.
    dispatcher.DispatchCommand(cmd::DELETE);
    left(2500, 0);
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(GridCommand, ANewGridIsOneUndoStepOfItsOwn)
{
    dispatcher.setSnapMode(editor::SnapMode::Free);
    dispatcher.DispatchCommand(cmd::LINE);
    left(100000, 100000);
    left(100000, 200000);
    dispatcher.EndCommand();
    dialogs.grids.push_back(gridRecord({1, 1, 1}, {5000, 4000, 3000}));
    dispatcher.DispatchCommand(cmd::GRID_CREATE);  // one element: nothing asked, it stays
    EXPECT_TRUE(platform.messages.empty());
    const size_t withGrid = live(kind::LINE).size();
    ASSERT_GT(withGrid, 1u);
    dispatcher.undo();
    EXPECT_EQ(live(kind::LINE).size(), 1u);  // the hand-drawn line survives the grid's undo
    EXPECT_TRUE(live(kind::BASE).empty());
}

TEST_F(GridCommand, AnsweringNoKeepsTheDrawingAndMakesNoGrid)
{
    addLine(0, 0, 1000, 0);
    addLine(0, 1000, 1000, 1000);
    platform.answers.push_back(Answer::No);
    dispatcher.DispatchCommand(cmd::GRID_CREATE);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "作図を削除して通り芯を作成します。");
    EXPECT_TRUE(dialogs.gridCalls.empty());
    EXPECT_EQ(live(kind::LINE).size(), 2u);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
}

TEST_F(GridCommand, YesThenCancelOfTheGridDialogKeepsTheDrawing)
{
    addLine(0, 0, 1000, 0);
    addLine(0, 1000, 1000, 1000);
    session.project.modified = false;
    platform.answers.push_back(Answer::Yes);
    dispatcher.DispatchCommand(cmd::GRID_CREATE);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].buttons, platform::Buttons::YesNoDefaultNo) << "Enter must not throw the model away";
    EXPECT_EQ(dialogs.gridCalls.size(), 1u);
    EXPECT_EQ(live(kind::LINE).size(), 2u);
    EXPECT_FALSE(session.project.modified);
}

// The grid is not made of element records: the step carries its counts, positions and offsets.
TEST_F(GridCommand, RegeneratingAFinishedModelIsOneUndoStepWithItsGrid)
{
    dialogs.grids.push_back(gridRecord({2, 3, 2}, {5000, 4000, 3000}));
    dispatcher.DispatchCommand(cmd::GRID_CREATE);
    addLine(0, 0, 1000, 1000);  // the user's own work on the first grid
    session.grid.offsets[1].nDistX = 150;
    const model::GridModel first = session.grid;
    const int firstCount = session.store.liveCount();

    platform.answers.push_back(Answer::Yes);
    dialogs.grids.push_back(gridRecord({1, 1, 1}, {6000, 6000, 3500}));
    dispatcher.DispatchCommand(cmd::GRID_CREATE);
    const model::GridModel second = session.grid;
    ASSERT_EQ(second.spanCount[0], 1);
    ASSERT_NE(session.store.liveCount(), firstCount);

    dispatcher.undo();
    EXPECT_EQ(session.store.liveCount(), firstCount);
    EXPECT_EQ(session.grid.spanCount, first.spanCount);
    EXPECT_EQ(session.grid.line, first.line);
    EXPECT_EQ(session.grid.offsets[1].nDistX, 150);
    EXPECT_EQ(dispatcher.levelTabs().size(), 3u);

    dispatcher.redo();
    EXPECT_EQ(session.grid.spanCount, second.spanCount);
    EXPECT_EQ(session.grid.line, second.line);
    EXPECT_EQ(dispatcher.levelTabs().size(), 2u);

    // A step taken after an undo cuts the redo: the second grid never comes back with it.
    dispatcher.undo();
    dispatcher.setSnapMode(editor::SnapMode::Free);
    dispatcher.DispatchCommand(cmd::LINE);
    left(100000, 100000);
    left(100000, 200000);
    dispatcher.EndCommand();
    dispatcher.undo();
    dispatcher.redo();
    EXPECT_EQ(session.grid.line, first.line);
}

TEST_F(GridCommand, AnImpossibleGridIsRefusedWithAReason)
{
    auto rec = gridRecord({2, 3, 2}, {5000, 4000, 3000});
    rec.positions[0][2] = 1000;  // X line 2 before line 1
    dialogs.grids.push_back(rec);
    dispatcher.DispatchCommand(cmd::GRID_CREATE);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "X軸の通り心の位置が正しくありません。");
    EXPECT_EQ(session.store.liveCount(), 0);
    EXPECT_EQ(session.grid.position(model::AXIS_X, 1), -1);
}

TEST_F(GridCommand, OffsetEditNeedsAGridFirst)
{
    dispatcher.DispatchCommand(cmd::GRID_OFFSETS);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "先に、通り芯を作成してください。");
    EXPECT_TRUE(dialogs.gridCalls.empty());
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
}

TEST_F(GridCommand, OffsetEditHandsTheGridInAndTakesOnlyOffsetsBack)
{
    dialogs.grids.push_back(gridRecord({2, 3, 2}, {5000, 4000, 3000}));
    dispatcher.DispatchCommand(cmd::GRID_CREATE);
    session.project.modified = false;

    auto answer = gridRecord({5, 5, 5}, {1000, 1000, 1000});  // locked fields come back changed
    answer.offsets[1].nKindX = model::OFFSET_LEFT_LOWER;
    answer.offsets[1].nDistX = 100;
    answer.offsets[2].nKindY = 7;  // no such kind
    dialogs.grids.push_back(answer);
    dispatcher.DispatchCommand(cmd::GRID_OFFSETS);
    ASSERT_EQ(dialogs.gridCalls.size(), 2u);
    const auto& handed = dialogs.gridCalls[1];
    EXPECT_EQ(handed.first, platform::GridDialogMode::Offsets);
    EXPECT_EQ(handed.second.counts, (std::array<int32_t, 3>{2, 3, 2}));
    EXPECT_EQ(handed.second.positions[1][3], 12000);

    EXPECT_EQ(session.grid.offsetKind(model::AXIS_X, 1), model::OFFSET_LEFT_LOWER);
    EXPECT_EQ(session.grid.offsetDist(model::AXIS_X, 1), 100);
    EXPECT_EQ(session.grid.offsetKind(model::AXIS_Y, 2), model::OFFSET_NONE);
    EXPECT_EQ(session.grid.position(model::AXIS_X, 2), 10000);  // the positions stay
    EXPECT_TRUE(session.project.modified);

    // Cancel changes nothing.
    session.project.modified = false;
    dispatcher.DispatchCommand(cmd::GRID_OFFSETS);
    EXPECT_FALSE(session.project.modified);
}

TEST_F(GridCommand, FrameTabsShowTheGridNamesOfTheCanvas)
{
    dialogs.grids.push_back(gridRecord({2, 3, 2}, {5000, 4000, 3000}));
    dispatcher.DispatchCommand(cmd::GRID_CREATE);
    auto& naming = session.settings.draft.gridNaming;
    naming[model::AXIS_X] = model::GridNaming{2, "", "", "X", "1", "", ""};
    naming[model::AXIS_Y] = model::GridNaming{2, "", "", "Y", "1", "", ""};
    model::makeGridNames(session.grid, naming);
    dispatcher.selectViewTab(model::ViewMode::ElevationYZ);
    EXPECT_EQ(dispatcher.levelTabs(), (std::vector<std::string>{"X1", "X2", "X3"}));
    dispatcher.selectViewTab(model::ViewMode::ElevationXZ);
    EXPECT_EQ(dispatcher.levelTabs().front(), session.grid.name(model::AXIS_Y, 0));
    EXPECT_EQ(dispatcher.levelTabs().back(), "Y4");
}

}  // namespace
