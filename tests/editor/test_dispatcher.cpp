// SPDX-License-Identifier: GPL-3.0-or-later
// The dispatcher runs menu codes, routes canvas mouse and keys to the command or the view operation on top of it, and leaves no transient mark behind.
#include "test_dispatcher_harness.h"

#include "session/grid_build.h"
#include "settings/ini_file.h"

using editor::CursorKind;
using editor::Key;
using editor::MouseButton;
using editor::ViewOperation;
namespace cmd = editor::cmd;
using testing_support::EditorTest;

namespace {

class Dispatcher : public EditorTest {};

TEST_F(Dispatcher, StartsIdleAndSpaceBeforeAnyCommandDoesNothing)
{
    const auto& st = dispatcher.state();
    EXPECT_EQ(st.currentCommand, 1);
    EXPECT_EQ(st.lastCommand, 0);
    EXPECT_EQ(st.cursorKind, CursorKind::Hand);
    EXPECT_EQ(st.snap.snapMode, editor::SnapMode::EndPoint);
    EXPECT_EQ(dispatcher.title(), "Tessmar(Ver0.98) - untitled.kel");
    dispatcher.setFirstArgument("plan.kel ");
    EXPECT_EQ(dispatcher.title(), "plan.kel Tessmar(Ver0.98) - untitled.kel");

    const auto before = dispatcher.transform();
    EXPECT_FALSE(dispatcher.keyDown(Key::Space));  // Space is not consumed
    EXPECT_EQ(dispatcher.state().lastCommand, 0);
    EXPECT_EQ(dispatcher.transform().viewLeft, before.viewLeft);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Dispatcher, SpaceRepeatsTheLastCommand)
{
    addLine(0, 0, 6000, 0);
    dispatcher.DispatchCommand(cmd::FIT_ALL);
    EXPECT_NEAR(dispatcher.transform().viewWidth, 8250, 1e-6);
    dispatcher.wheel(120);  // zoom out
    EXPECT_GT(dispatcher.transform().viewWidth, 8250);
    dispatcher.keyDown(Key::Space);
    EXPECT_NEAR(dispatcher.transform().viewWidth, 8250, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().x, 3000, 1e-6);

    dispatcher.DispatchCommand(cmd::LINE);
    dispatcher.EndCommand();
    dispatcher.keyDown(Key::Space);
    EXPECT_EQ(dispatcher.state().currentCommand, cmd::LINE);
}

TEST_F(Dispatcher, IdleRightClickAndEscapeOpenThePopupAtThePointer)
{
    right(2000, 3000);
    ASSERT_EQ(host.popups.size(), 1u);
    EXPECT_EQ(host.popups[0].first, px(2000, 3000));
    EXPECT_TRUE(host.popups[0].second);

    move(4000, 1000);
    EXPECT_TRUE(dispatcher.keyDown(Key::Escape));
    ASSERT_EQ(host.popups.size(), 2u);
    EXPECT_EQ(host.popups[1].first, px(4000, 1000));
    EXPECT_FALSE(session.project.modified);  // idle clicks are no edit
}

TEST_F(Dispatcher, IdleLeftDragPansWithTheGripAndHidesTheGridUntilRelease)
{
    dispatcher.DispatchCommand(cmd::GRID);
    ASSERT_TRUE(dispatcher.dotGrid().gridVisible);
    const double left0 = dispatcher.transform().viewLeft, bottom0 = dispatcher.transform().viewBottom;
    const int clears0 = canvas.clears;

    dispatcher.mouseDown({MouseButton::Left, {500, 500}, false});
    EXPECT_TRUE(dispatcher.state().panDrag);
    EXPECT_EQ(host.cursors.back(), CursorKind::Grip);
    EXPECT_FALSE(dispatcher.dotGrid().gridVisible);
    dispatcher.mouseMove({MouseButton::Left, {510, 505}, false});
    dispatcher.mouseMove({MouseButton::Left, {530, 520}, false});
    // The world point under the pointer follows it: 30 px right, 20 px down at 10 units a pixel.
    EXPECT_NEAR(dispatcher.transform().viewLeft, left0 - 300, 1e-9);
    EXPECT_NEAR(dispatcher.transform().viewBottom, bottom0 + 200, 1e-9);
    EXPECT_EQ(canvas.clears, clears0 + 2);  // redrawn on every move
    dispatcher.mouseUp({MouseButton::Left, {530, 520}, false});
    EXPECT_FALSE(dispatcher.state().panDrag);
    EXPECT_TRUE(dispatcher.dotGrid().gridVisible);
    EXPECT_EQ(host.cursors.back(), CursorKind::Hand);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
}

TEST_F(Dispatcher, MiddleDragZoomsOnlyWhenMovedMoreThanFivePixelsBothWays)
{
    const auto before = dispatcher.transform();
    dispatcher.mouseDown({MouseButton::Middle, {100, 100}, false});
    dispatcher.mouseMove({MouseButton::Middle, {160, 104}, false});
    dispatcher.mouseUp({MouseButton::Middle, {160, 104}, false});  // 4 px in Y: no zoom
    EXPECT_EQ(dispatcher.transform().viewWidth, before.viewWidth);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::None);
    EXPECT_TRUE(transientsErased());

    dispatcher.mouseDown({MouseButton::Middle, {100, 100}, false});
    dispatcher.mouseMove({MouseButton::Middle, {300, 200}, false});
    dispatcher.mouseUp({MouseButton::Middle, {300, 200}, false});
    // World x 1000..3000, y 8000..9000; the canvas is square so the height decides nothing.
    EXPECT_NEAR(dispatcher.transform().viewWidth, 2000, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().x, 2000, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().y, 8500, 1e-6);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::None);
    EXPECT_EQ(dispatcher.state().cursorKind, CursorKind::Hand);
}

TEST_F(Dispatcher, MiddleDragDuringACommandKeepsTheCommand)
{
    dispatcher.DispatchCommand(cmd::LINE);
    left(1000, 1000);
    ASSERT_EQ(dispatcher.state().commandStep, 2);
    dispatcher.mouseDown({MouseButton::Middle, {100, 100}, false});
    dispatcher.mouseUp({MouseButton::Middle, {300, 300}, false});
    EXPECT_EQ(dispatcher.state().currentCommand, cmd::LINE);
    EXPECT_EQ(dispatcher.state().commandStep, 2);
    EXPECT_EQ(dispatcher.state().cursorKind, CursorKind::CrossHair);
    left(4000, 4000);  // the line still starts at the first point
    ASSERT_EQ(live(model::kind::LINE).size(), 1u);
}

TEST_F(Dispatcher, ZoomWindowIsPressDragRelease)
{
    dispatcher.DispatchCommand(cmd::ZOOM_WINDOW);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::ZoomWindow);
    EXPECT_EQ(lastStatus(5), "ズーム１点目指定");
    EXPECT_EQ(dispatcher.state().cursorKind, CursorKind::Cross);

    move(1000, 1000);
    down(MouseButton::Left, 1000, 1000);
    EXPECT_EQ(lastStatus(5), "ズーム２点目指定");
    move(3000, 2000);
    // The rubber rectangle shows from the first corner to the pointer.
    EXPECT_TRUE(canvas.hasLine(px(1000, 1000).x, px(1000, 1000).y, px(3000, 1000).x, px(1000, 1000).y));
    up(MouseButton::Left, 3000, 2000);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::None);
    EXPECT_NEAR(dispatcher.transform().viewWidth, 2000, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().x, 2000, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().y, 1500, 1e-6);
    EXPECT_EQ(dispatcher.state().cursorKind, CursorKind::Hand);

    // A window of 5 units or less in one direction only ends the operation.
    const auto before = dispatcher.transform();
    dispatcher.DispatchCommand(cmd::ZOOM_WINDOW);
    down(MouseButton::Left, 1000, 1000);
    up(MouseButton::Left, 1500, 1004);
    EXPECT_EQ(dispatcher.transform().viewWidth, before.viewWidth);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::None);
}

TEST_F(Dispatcher, RightButtonInZoomWindowStepsBackThenEnds)
{
    dispatcher.DispatchCommand(cmd::ZOOM_WINDOW);
    down(MouseButton::Left, 1000, 1000);
    move(2000, 2000);
    right(2000, 2000);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::ZoomWindow);
    EXPECT_EQ(dispatcher.state().zoomWindowStep, 1);
    EXPECT_EQ(lastStatus(5), "ズーム１点目指定");
    right(2000, 2000);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::None);
    EXPECT_TRUE(transientsErased());
}

TEST_F(Dispatcher, ACommandChosenDuringZoomWindowEndsItAndShowsItsPrompt)
{
    dispatcher.DispatchCommand(cmd::ZOOM_WINDOW);
    down(MouseButton::Left, 1000, 1000);
    move(2000, 2000);
    dispatcher.DispatchCommand(cmd::EXTEND_CUT);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::None);
    EXPECT_EQ(dispatcher.state().currentCommand, cmd::EXTEND_CUT);
    EXPECT_EQ(lastStatus(5), "カットする補助線を指定");
    EXPECT_EQ(dispatcher.state().cursorKind, CursorKind::Cross);
    EXPECT_TRUE(transientsErased());
}

TEST_F(Dispatcher, ZoomAndPanOperationsRunOnTopOfTheCommand)
{
    dispatcher.DispatchCommand(cmd::LINE);
    left(1000, 1000);
    dispatcher.EnterViewOperation(ViewOperation::ZoomUp, "ズームアップ（右クリックで終了）");
    EXPECT_EQ(lastStatus(5), "ズームアップ（右クリックで終了）");
    left(3000, 4000);
    EXPECT_NEAR(dispatcher.transform().viewWidth, 10000 / 1.1, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().x, 3000, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().y, 4000, 1e-6);
    EXPECT_TRUE(live(model::kind::LINE).empty());  // the click went to the view, not the line

    dispatcher.keyDown(Key::Escape);  // Escape ends zoom, pan, pick-and-show
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::None);
    EXPECT_EQ(dispatcher.state().cursorKind, CursorKind::CrossHair);
    EXPECT_EQ(dispatcher.state().commandStep, 2);

    dispatcher.EnterViewOperation(ViewOperation::Pan, "パンニング（右クリックで終了）");
    left(5000, 5000);
    EXPECT_NEAR(dispatcher.transform().centre().x, 5000, 1e-6);
    right(5000, 5000);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::None);
    EXPECT_EQ(dispatcher.state().currentCommand, cmd::LINE);
}

TEST_F(Dispatcher, PickAndShowTellsWhatWasPickedOrBeeps)
{
    addLine(1000, 1000, 5000, 1000);
    dispatcher.DispatchCommand(cmd::PROPERTY);
    EXPECT_EQ(lastStatus(5), "図形を選択(右クリックで終了)");
    left(3000, 1050);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("kind=100"), std::string::npos);
    left(3000, 4000);
    EXPECT_EQ(platform.beeps, 1);
    right(3000, 4000);
    EXPECT_EQ(dispatcher.state().viewOperation, ViewOperation::None);
}

TEST_F(Dispatcher, KeysZoomScrollAndFit)
{
    const double w = dispatcher.transform().viewWidth;
    EXPECT_TRUE(dispatcher.keyDown(Key::PageUp));
    EXPECT_NEAR(dispatcher.transform().viewWidth, w / 1.1, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().x, 5000, 1e-6);
    EXPECT_TRUE(dispatcher.keyDown(Key::PageDown));
    EXPECT_NEAR(dispatcher.transform().viewWidth, w, 1e-6);

    const double cy = dispatcher.transform().centre().y;
    EXPECT_TRUE(dispatcher.keyDown(Key::Up));
    EXPECT_NEAR(dispatcher.transform().centre().y, cy + w / 8, 1e-6);
    EXPECT_TRUE(dispatcher.keyDown(Key::Left));
    EXPECT_NEAR(dispatcher.transform().centre().x, 5000 - dispatcher.transform().viewHeight / 8, 1e-6);

    addLine(0, 0, 6000, 0);
    EXPECT_TRUE(dispatcher.keyDown(Key::Home));
    EXPECT_NEAR(dispatcher.transform().viewWidth, 8250, 1e-6);
    EXPECT_TRUE(dispatcher.keyDown(Key::Delete));
    EXPECT_FALSE(dispatcher.keyDown(Key::Other));

    dispatcher.wheel(120);
    EXPECT_NEAR(dispatcher.transform().viewWidth, 8250 * 1.1, 1e-6);
    dispatcher.wheel(-120);
    EXPECT_NEAR(dispatcher.transform().viewWidth, 8250, 1e-6);
}

TEST_F(Dispatcher, ShiftKeepsTheLinesOrthogonal)
{
    dispatcher.setSnapMode(editor::SnapMode::Free);
    dispatcher.DispatchCommand(cmd::LINE);
    left(1000, 1000);
    // 3000 right and 1000 up of the last point: the point moves onto the horizontal.
    EXPECT_TRUE(dispatcher.keyDown(Key::Shift));
    click(MouseButton::Left, 4000, 2000, true);
    dispatcher.keyUp(Key::Shift);
    auto lines = live(model::kind::LINE);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_DOUBLE_EQ(el(lines[0]).Y1, 1000);
    EXPECT_DOUBLE_EQ(el(lines[0]).Y2, 1000);
    EXPECT_DOUBLE_EQ(el(lines[0]).X2, 4000);
    EXPECT_FALSE(dispatcher.state().snap.orthoKey);
}

TEST_F(Dispatcher, WindowsNotBuiltYetSaySoInsteadOfDoingNothing)
{
    editor::Dispatcher bare(session, canvas, &host, editor::Ports{});
    bare.transform().SetView(10000, 10000, 5000, 5000);
    const int codes[] = {cmd::DRAFT_SETTINGS, cmd::GIRDER_SECTIONS, cmd::COLUMN_SECTIONS, cmd::VIEW_3D,
                         cmd::CSV_IMPORT,     cmd::CSV_EXPORT,      cmd::DRAW_FRAMING,    cmd::DRAW_COLUMN_LIST,
                         cmd::DRAW_GIRDER_LIST, cmd::DRAW_REBAR,    cmd::DUMP,            cmd::VERSION,
                         cmd::GRID_DISTANCE, cmd::GIRDER_MARK,      cmd::PARALLEL,        cmd::FILE_OPEN};
    for (int code : codes) {
        platform.messages.clear();
        bare.DispatchCommand(code);
        ASSERT_EQ(platform.messages.size(), 1u) << code;
        EXPECT_EQ(platform.messages[0].text, "この機能はまだ使えません。") << code;
        EXPECT_EQ(platform.messages[0].caption, "確認") << code;
        EXPECT_EQ(bare.state().currentCommand, 1) << code;
    }
    EXPECT_EQ(session.grid.spanCount[2], 0);  // the section command changed nothing without its dialog
}

TEST_F(Dispatcher, MemberNamesAndNumbersNeverShowTogether)
{
    auto& env = session.settings.env;
    env.ShowMemberName = false;
    env.ShowNumber = true;
    const int clears = canvas.clears;
    dispatcher.DispatchCommand(cmd::MEMBER_NAME);
    EXPECT_TRUE(env.ShowMemberName);
    EXPECT_FALSE(env.ShowNumber);
    EXPECT_EQ(canvas.clears, clears + 1);
    dispatcher.DispatchCommand(cmd::MEMBER_NAME);  // turning names off leaves numbers off
    EXPECT_FALSE(env.ShowNumber);
}

TEST_F(Dispatcher, GridSwitchSetsTheSnapModeAndPitchItems)
{
    dispatcher.DispatchCommand(cmd::GRID);
    auto m = dispatcher.menuState();
    EXPECT_TRUE(m.gridVisible);
    EXPECT_TRUE(m.gridPitchEnabled);
    EXPECT_EQ(m.snapMode, editor::SnapMode::Grid);
    EXPECT_TRUE(session.settings.env.ShowGrid);

    dispatcher.DispatchCommand(310);  // 1/3
    EXPECT_EQ(dispatcher.menuState().gridDivisor, 3);
    EXPECT_NEAR(dispatcher.dotGrid().gridPitch, 1000.0 / 3, 1e-9);
    dialogs.pitches.push_back(1800.0);
    dispatcher.DispatchCommand(cmd::GRID_DISTANCE);
    EXPECT_NEAR(dispatcher.dotGrid().gridPitch, 600, 1e-9);

    // A line drawn with grid snap lands on lattice points.
    dispatcher.DispatchCommand(cmd::LINE);
    left(1290, 1150);
    left(3050, 1210);
    auto lines = live(model::kind::LINE);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_DOUBLE_EQ(el(lines[0]).X1, 1200);
    EXPECT_DOUBLE_EQ(el(lines[0]).Y1, 1200);
    EXPECT_DOUBLE_EQ(el(lines[0]).X2, 3000);

    dispatcher.DispatchCommand(cmd::GRID);
    EXPECT_EQ(dispatcher.menuState().snapMode, editor::SnapMode::EndPoint);
    EXPECT_FALSE(dispatcher.menuState().gridPitchEnabled);
}

TEST_F(Dispatcher, GridOriginCommandTakesOneClick)
{
    dispatcher.setSnapMode(editor::SnapMode::Free);
    dispatcher.StartCommand(cmd::GRID_ORIGIN);
    EXPECT_EQ(lastStatus(5), "グリッド原点位置指定");
    EXPECT_EQ(dispatcher.state().cursorKind, CursorKind::CrossHair);
    left(1230, 4560);
    EXPECT_DOUBLE_EQ(dispatcher.dotGrid().gridOrigin.x, 1230);
    EXPECT_DOUBLE_EQ(dispatcher.dotGrid().gridOrigin.y, 4560);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);

    dispatcher.StartCommand(cmd::GRID_ORIGIN);
    right(3000, 3000);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
    EXPECT_DOUBLE_EQ(dispatcher.dotGrid().gridOrigin.x, 1230);
}

TEST_F(Dispatcher, LinePreviewAndMarksAreErasedBeforeTheModelIsDrawn)
{
    dispatcher.setSnapMode(editor::SnapMode::Free);
    dispatcher.DispatchCommand(cmd::LINE);
    left(1000, 1000);
    move(2000, 1500);
    move(3000, 2000);
    // The preview shows from the first point to the pointer in the line colour (XOR pen).
    const int pen = 0xFFFFFF - model::kNewLineColour;
    bool previewShown = false;
    for (const auto& l : canvas.lines)
        if (l.mode == editor::PenMode::Xor && l.colour == pen && l.x1 == px(1000, 1000).x) previewShown = true;
    EXPECT_TRUE(previewShown);
    EXPECT_FALSE(transientsErased());  // the crosshair and preview are on screen
    dispatcher.mouseDown({MouseButton::Left, px(3000, 2000), false});
    EXPECT_TRUE(transientsErased());
    // The new line is drawn in copy mode after the marks were taken away.
    EXPECT_TRUE(canvas.hasLine(px(1000, 1000).x, px(1000, 1000).y, px(3000, 2000).x, px(3000, 2000).y));
}

TEST_F(Dispatcher, EscapeStepsTheLineCommandBackThenEndsIt)
{
    dispatcher.DispatchCommand(cmd::LINE);
    left(1000, 1000);
    ASSERT_EQ(dispatcher.state().commandStep, 2);
    move(2000, 2000);
    dispatcher.keyDown(Key::Escape);
    EXPECT_EQ(dispatcher.state().commandStep, 1);
    EXPECT_EQ(dispatcher.state().currentCommand, cmd::LINE);
    dispatcher.keyDown(Key::Escape);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
    EXPECT_TRUE(host.popups.empty());  // ending a command is not the idle popup
    EXPECT_TRUE(live(model::kind::LINE).empty());
}

TEST_F(Dispatcher, UndoAndRedoShowTheCountAndMarkTheProjectModified)
{
    addLine(0, 0, 1000, 0);
    dispatcher.DispatchCommand(cmd::LINE);
    left(1000, 1000);
    left(2000, 1000);
    EXPECT_EQ(lastStatus(0), "2");
    session.project.modified = false;
    dispatcher.undo();
    EXPECT_EQ(lastStatus(0), "1");
    EXPECT_TRUE(session.project.modified);
    dispatcher.redo();
    EXPECT_EQ(lastStatus(0), "2");
}

TEST_F(Dispatcher, ViewTabsEndTheCommandAndLevelTabsSetThePlane)
{
    model::GridSpec spec;  // 2 x 3 spans, 2 storeys of 3000
    ASSERT_GT(model::buildGrid(session, spec), 0);
    dispatcher.selectViewTab(model::ViewMode::Plan);
    EXPECT_EQ(dispatcher.levelTabs(), (std::vector<std::string>{"F層", "2層", "R層"}));
    dispatcher.selectLevelTab(1);
    EXPECT_DOUBLE_EQ(session.view.plane, 3000);
    EXPECT_FALSE(dispatcher.menuState().rebarDrawingEnabled);

    dispatcher.DispatchCommand(cmd::LINE);
    dispatcher.selectViewTab(model::ViewMode::ElevationXZ);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
    EXPECT_EQ(dispatcher.levelTabs(), (std::vector<std::string>{"Y0", "Y1", "Y2", "Y3"}));
    dispatcher.selectLevelTab(2);
    EXPECT_DOUBLE_EQ(session.view.plane, 8000);
    EXPECT_TRUE(dispatcher.menuState().rebarDrawingEnabled);
    dispatcher.selectLevelTab(9);  // no such tab
    EXPECT_DOUBLE_EQ(session.view.plane, 8000);

    // Each view remembers its tab.
    dispatcher.selectViewTab(model::ViewMode::Plan);
    EXPECT_EQ(dispatcher.currentLevelTab(), 1);
    EXPECT_DOUBLE_EQ(session.view.plane, 3000);
}

TEST_F(Dispatcher, NewProjectAndExitKeepTheDisplaySwitchesInTheIniFile)
{
    const auto path = std::filesystem::path(tempDir()) / "switches.ini";
    std::filesystem::remove(path);
    settings::IniFile ini(path);
    editor::Dispatcher d(session, canvas, &host, ports(), &ini);
    d.DispatchCommand(cmd::DIMENSIONS);
    ASSERT_FALSE(session.settings.env.DrawDim);
    d.DispatchCommand(cmd::FILE_NEW);  // writes the settings and reads them back
    EXPECT_FALSE(session.settings.env.DrawDim);
    EXPECT_EQ(settings::IniFile(path).read("Environment", "DrawDim", "?"), "0");

    d.DispatchCommand(cmd::DIMENSIONS);
    d.DispatchCommand(cmd::EXIT);
    EXPECT_EQ(settings::IniFile(path).read("Environment", "DrawDim", "?"), "1");
    EXPECT_EQ(host.closed, 1);
    std::filesystem::remove(path);
}

TEST_F(Dispatcher, InputArrivingDuringARedrawNeverReentersTheCommand)
{
    for (int i = 0; i < 50; ++i) addLine(0, i * 100.0, 5000, i * 100.0);
    dialogs.marks.push_back(platform::MemberChoice{"G1", 0});
    dispatcher.DispatchCommand(cmd::GIRDER_MARK);
    // The window system delivers a right click, a menu command and a wheel turn while the
    // plan is redrawn after the designation.
    int polls = 0;
    dispatcher.renderControl().pollEvery = 1;
    dispatcher.renderControl().pollInput = [&] {
        if (++polls != 3) return;
        right(2000, 2000);
        dispatcher.DispatchCommand(cmd::LINE);
        dispatcher.wheel(120);
    };
    const double width = dispatcher.transform().viewWidth;
    left(2500, 0);
    EXPECT_GE(polls, 3);
    EXPECT_EQ(live(model::kind::GIRDER).size(), 1u);
    EXPECT_EQ(dispatcher.state().currentCommand, cmd::GIRDER_MARK);  // not replaced midway
    EXPECT_NEAR(dispatcher.transform().viewWidth, width * 1.1, 1e-6);  // the zoom was not lost
    EXPECT_EQ(dialogs.memberCaptions.size(), 1u);
}

TEST_F(Dispatcher, ACommandPressMarksTheProjectModified)
{
    dispatcher.DispatchCommand(cmd::DELETE);
    EXPECT_FALSE(session.project.modified);
    left(5000, 5000);
    EXPECT_TRUE(session.project.modified);
    EXPECT_EQ(platform.beeps, 1);  // nothing there to delete
}

}  // namespace
