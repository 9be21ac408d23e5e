// SPDX-License-Identifier: GPL-3.0-or-later
// New, open, save and save as ask before losing changes, never lose the open project on a failure and name the file as the user expects.
#include "test_dispatcher_harness.h"

#include <fstream>

namespace cmd = editor::cmd;
namespace kind = model::kind;
namespace fs = std::filesystem;
using platform::Answer;
using testing_support::EditorTest;

namespace {

class FileCommands : public EditorTest {
protected:
    std::string in(const std::string& name) { return (dir / name).string(); }
    void drawLine(double x1, double y1, double x2, double y2)
    {
        dispatcher.setSnapMode(editor::SnapMode::Free);
        dispatcher.DispatchCommand(cmd::LINE);
        left(x1, y1);
        left(x2, y2);
        dispatcher.EndCommand();
    }
    std::string question() { return session.project.path + "は変更されています。変更を保存しますか?"; }

    const fs::path dir = temp.path();
};

TEST_F(FileCommands, SavingANewProjectAsksForANameAndWritesNothing)
{
    drawLine(0, 0, 1000, 0);
    dispatcher.DispatchCommand(cmd::FILE_SAVE);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "名前をつけて保存して下さい。");
    EXPECT_EQ(platform.messages[0].caption, "確認");
    EXPECT_FALSE(fs::exists(session.defaultProjectPath()));
    EXPECT_TRUE(session.project.modified);
    EXPECT_FALSE(dispatcher.menuState().saveEnabled);
}

TEST_F(FileCommands, SaveAsAddsTheExtensionUnlessItIsThereInAnyCase)
{
    drawLine(0, 0, 1000, 0);
    dialogs.saveAnswers.push_back(in("plan"));
    dispatcher.DispatchCommand(cmd::FILE_SAVE_AS);
    EXPECT_TRUE(fs::exists(in("plan.kel")));
    EXPECT_EQ(session.project.path, in("plan.kel"));
    EXPECT_EQ(dispatcher.title(), "Tessmar(Ver0.98) - plan.kel");
    EXPECT_FALSE(session.project.modified);
    EXPECT_TRUE(dispatcher.menuState().saveEnabled);

    dialogs.saveAnswers.push_back(in("PLAN2.KEL"));
    dispatcher.DispatchCommand(cmd::FILE_SAVE_AS);
    EXPECT_TRUE(fs::exists(in("PLAN2.KEL")));
    EXPECT_FALSE(fs::exists(in("PLAN2.KEL.kel")));
    // The dialog starts from the current name once there is one.
    EXPECT_EQ(dialogs.saveInitialPaths, (std::vector<std::string>{"", in("plan.kel")}));

    // Save now writes to the name.
    drawLine(0, 1000, 1000, 1000);
    const auto before = fs::file_size(in("PLAN2.KEL"));
    dispatcher.DispatchCommand(cmd::FILE_SAVE);
    EXPECT_GT(fs::file_size(in("PLAN2.KEL")), before);
    EXPECT_FALSE(session.project.modified);
}

TEST_F(FileCommands, SaveAsAsksBeforeOverwritingTheNameWithTheAddedExtension)
{
    { std::ofstream(in("old.kel")) << "keep"; }
    drawLine(0, 0, 1000, 0);
    dialogs.saveAnswers.push_back(in("old"));
    platform.answers.push_back(Answer::No);
    dispatcher.DispatchCommand(cmd::FILE_SAVE_AS);
    EXPECT_EQ(fs::file_size(in("old.kel")), 4u);
    EXPECT_TRUE(session.hasDefaultName());

    dialogs.saveAnswers.push_back(in("old"));
    platform.answers.push_back(Answer::Yes);
    dispatcher.DispatchCommand(cmd::FILE_SAVE_AS);
    EXPECT_GT(fs::file_size(in("old.kel")), 4u);
}

TEST_F(FileCommands, AFailedSaveKeepsTheNameAndSaysWhy)
{
    drawLine(0, 0, 1000, 0);
    dialogs.saveAnswers.push_back(in("missing/folder/plan.kel"));
    dispatcher.DispatchCommand(cmd::FILE_SAVE_AS);
    EXPECT_TRUE(session.hasDefaultName());
    EXPECT_TRUE(session.project.modified);
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back().text.rfind("保存できませんでした。", 0), 0u);
}

TEST_F(FileCommands, SaveOpenRoundTripFitsTheView)
{
    drawLine(0, 0, 6000, 0);
    drawLine(0, 0, 0, 4000);
    dialogs.saveAnswers.push_back(in("round.kel"));
    dispatcher.DispatchCommand(cmd::FILE_SAVE_AS);
    dispatcher.DispatchCommand(cmd::FILE_NEW);  // saved: no question
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(live(kind::LINE).empty());
    EXPECT_TRUE(session.hasDefaultName());

    dialogs.openAnswers.push_back(in("round.kel"));
    dispatcher.DispatchCommand(cmd::FILE_OPEN);
    EXPECT_EQ(live(kind::LINE).size(), 2u);
    EXPECT_EQ(session.project.path, in("round.kel"));
    EXPECT_EQ(dispatcher.title(), "Tessmar(Ver0.98) - round.kel");
    EXPECT_FALSE(session.project.modified);
    EXPECT_EQ(lastStatus(0), "2");
    // Fitted: the 6000 x 4000 box with factor 0.8 gives a window 8250 wide on a square canvas.
    EXPECT_NEAR(dispatcher.transform().viewWidth, 8250, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().x, 3000, 1e-6);
    EXPECT_EQ(dispatcher.state().currentCommand, 1);
}

TEST_F(FileCommands, OpenWithUnsavedChangesAndCancelKeepsEverything)
{
    drawLine(0, 0, 1000, 0);
    const std::string title = dispatcher.title();
    platform.answers.push_back(Answer::Cancel);
    dispatcher.DispatchCommand(cmd::FILE_OPEN);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, question());
    EXPECT_EQ(platform.messages[0].buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(dialogs.openCalls, 0);
    EXPECT_EQ(live(kind::LINE).size(), 1u);
    EXPECT_EQ(dispatcher.title(), title);
    EXPECT_TRUE(session.project.modified);
}

TEST_F(FileCommands, YesWithACancelledSaveAsStopsOpenAndNew)
{
    drawLine(0, 0, 1000, 0);
    platform.answers.push_back(Answer::Yes);  // save first... but the save dialog is cancelled
    dispatcher.DispatchCommand(cmd::FILE_OPEN);
    EXPECT_EQ(dialogs.saveCalls, 1);
    EXPECT_EQ(dialogs.openCalls, 0);
    EXPECT_EQ(live(kind::LINE).size(), 1u);

    platform.answers.push_back(Answer::Yes);
    dispatcher.DispatchCommand(cmd::FILE_NEW);
    EXPECT_EQ(platform.messages.back().buttons, platform::Buttons::YesNo);
    EXPECT_EQ(live(kind::LINE).size(), 1u);
    EXPECT_TRUE(session.project.modified);
}

TEST_F(FileCommands, NewAfterSavingOrAnsweringNoStartsAFreshProject)
{
    drawLine(0, 0, 1000, 0);
    platform.answers.push_back(Answer::Yes);
    dialogs.saveAnswers.push_back(in("first"));
    dispatcher.DispatchCommand(cmd::FILE_NEW);
    EXPECT_TRUE(fs::exists(in("first.kel")));
    EXPECT_TRUE(live(kind::LINE).empty());
    EXPECT_TRUE(session.hasDefaultName());
    EXPECT_FALSE(session.project.modified);

    drawLine(0, 0, 1000, 0);
    platform.answers.push_back(Answer::No);
    dispatcher.DispatchCommand(cmd::FILE_NEW);
    EXPECT_TRUE(live(kind::LINE).empty());
    EXPECT_EQ(dispatcher.state().cursorKind, editor::CursorKind::Hand);
    // The home view of a 1000 x 1000 canvas: 22000 wide, centred at (500, 5000).
    EXPECT_NEAR(dispatcher.transform().viewWidth, 22000, 1e-6);
    EXPECT_NEAR(dispatcher.transform().centre().y, 5000, 1e-6);
}

TEST_F(FileCommands, AFileThatCannotBeReadLeavesTheOpenProjectAlone)
{
    { std::ofstream(in("bad.kel")) << "not a project\r\n"; }
    drawLine(0, 0, 1000, 0);
    dialogs.saveAnswers.push_back(in("mine"));
    dispatcher.DispatchCommand(cmd::FILE_SAVE_AS);
    dialogs.openAnswers.push_back(in("bad.kel"));
    dispatcher.DispatchCommand(cmd::FILE_OPEN);
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_NE(platform.messages.back().text.find("このデータは読めません。"), std::string::npos);
    EXPECT_EQ(live(kind::LINE).size(), 1u);
    EXPECT_EQ(session.project.path, in("mine.kel"));
}

TEST_F(FileCommands, OpeningFromTheCommandLineReadsTheFile)
{
    drawLine(0, 0, 1000, 0);
    dialogs.saveAnswers.push_back(in("start.kel"));
    dispatcher.DispatchCommand(cmd::FILE_SAVE_AS);
    dispatcher.DispatchCommand(cmd::FILE_NEW);
    EXPECT_TRUE(dispatcher.openProjectFile(in("start.kel")));
    EXPECT_EQ(live(kind::LINE).size(), 1u);
    EXPECT_TRUE(dispatcher.menuState().saveEnabled);
}

}  // namespace

// The opened records are the floor of the history: undo cannot empty the model, so a save
// right after it writes the project unchanged.
TEST_F(FileCommands, UndoRightAfterOpeningKeepsTheProjectAndItsFile)
{
    drawLine(0, 0, 6000, 0);
    drawLine(0, 0, 0, 4000);
    dialogs.saveAnswers.push_back(in("kept.kel"));
    dispatcher.DispatchCommand(cmd::FILE_SAVE_AS);
    const std::string saved = testing_support::readBytes(in("kept.kel"));
    dialogs.openAnswers.push_back(in("kept.kel"));
    dispatcher.DispatchCommand(cmd::FILE_OPEN);
    dispatcher.undo();
    EXPECT_EQ(live(kind::LINE).size(), 2u);
    drawLine(0, 4000, 6000, 4000);
    dispatcher.undo();
    dispatcher.undo();  // back at the floor: nothing more
    EXPECT_EQ(live(kind::LINE).size(), 2u);
    dispatcher.DispatchCommand(cmd::FILE_SAVE);
    EXPECT_EQ(testing_support::readBytes(in("kept.kel")), saved);
}

// Bytes of the file that are not Shift-JIS are kept, and the user hears about it once.
TEST_F(FileCommands, OpeningAFileWithNonCp932BytesSaysWhichLines)
{
    testing_support::writeBytes(in("raw.kel"), "kelversion=1.4\r\n11\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n1,G:1:1,R:G\xFD,RC:300:600;\r\n");
    dialogs.openAnswers.push_back(in("raw.kel"));
    dispatcher.DispatchCommand(cmd::FILE_OPEN);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("10 行目"), std::string::npos) << platform.messages[0].text;
}
