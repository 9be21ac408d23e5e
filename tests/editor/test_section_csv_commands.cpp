// SPDX-License-Identifier: GPL-3.0-or-later
// 断面ＣＳＶ出力 / 断面ＣＳＶ読込 from the menu: the file dialogs, the overwrite and reset
// questions, members that follow the new sizes, and messages instead of half-read tables.
#include "test_dispatcher_harness.h"

#include <algorithm>
#include <fstream>

#include "editor/section_csv_commands.h"
#include "editor/section_editor.h"
#include "exchange/section_csv.h"
#include "model/member_offsets.h"
#include "model/undo.h"

namespace cmd = editor::cmd;
namespace kind = model::kind;
namespace fs = std::filesystem;

namespace {

class CsvCommands : public testing_support::EditorTest {
protected:
    CsvCommands() : csv(session, dialogs), menu(session, canvas, &host, withCsv())
    {
        menu.transform().SetView(10000, 10000, 5000, 5000);
        dir = fs::path(tempDir()) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        // X lines 0, 5000, 10000 (the last one with its girders 50 inside), levels 0, 3000, 6000.
        auto& g = session.grid;
        g.spanCount = {2, 1, 2};
        g.line[model::AXIS_X][1] = 5000;
        g.line[model::AXIS_X][2] = 10000;
        g.line[model::AXIS_Y][1] = 4000;
        g.line[model::AXIS_Z][1] = 3000;
        g.line[model::AXIS_Z][2] = 6000;
        g.setOffset(model::AXIS_X, 2, model::OFFSET_LEFT_LOWER, 50);
        model::calcGridMax(g);
        session.project.path = (dir / "plan.kel").string();
        session.sections[0] = model::SectionEntry{1, "G:2:1", "2:G1", "RC:300:700;3::D22;"};
        girder = addLine(10000, 0, 10000, 4000, 3000, 3000, kind::GIRDER);
        session.store.at(girder).secID = 1;
        model::applyOffsets(session);
    }
    editor::Ports withCsv()
    {
        editor::Ports p = ports();
        p.sectionCsv = &csv;
        return p;
    }
    std::string file(const std::string& name, const std::string& bytes)
    {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }

    editor::SectionCsvCommands csv;
    editor::Dispatcher menu;
    fs::path dir;
    int girder = 0;
};

}  // namespace

TEST_F(CsvCommands, ExportProposesTheProjectsNameAndAddsCsv)
{
    session.sections[1] = model::SectionEntry{2, "G:3:1", "R:G1", "RC:400:900;"};
    dialogs.saveAnswers.push_back((dir / "out").string());
    menu.DispatchCommand(cmd::CSV_EXPORT);
    EXPECT_EQ(dialogs.saveInitialPaths.back(), (dir / "plan-断面.csv").string());
    ASSERT_TRUE(fs::exists(dir / "out.csv"));
    EXPECT_EQ(session.sections[0].secKey, "G:3:1");
    EXPECT_EQ(el(girder).secID, 2) << "the member follows G:2:1 to its new number";

    // A name that gains ".csv" and then meets an existing file asks first; No keeps the file.
    std::ofstream(dir / "old.csv") << "keep";
    dialogs.saveAnswers.push_back((dir / "old").string());
    platform.answers.push_back(platform::Answer::No);
    menu.DispatchCommand(cmd::CSV_EXPORT);
    EXPECT_TRUE(platform.saidText((dir / "old.csv").string() + " は既に存在します。上書きしますか?"));
    std::ifstream in(dir / "old.csv");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");

    // Cancelled: nothing written, nothing asked.
    platform.messages.clear();
    menu.DispatchCommand(cmd::CSV_EXPORT);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CsvCommands, ImportReplacesTheSectionsAndMembersTakeTheNewSizesInBothAnswers)
{
    EXPECT_DOUBLE_EQ(el(girder).OX, 100);
    const std::string wider = file("wide.csv", "G,2,1,2,G1,RC,500,900\r\n");
    dialogs.openAnswers.push_back(wider);
    platform.answers.push_back(platform::Answer::No);
    const size_t clearsBefore = canvas.calls.size();
    menu.DispatchCommand(cmd::CSV_IMPORT);
    EXPECT_TRUE(platform.saidText("部材の指示関係を初期化します。"));
    EXPECT_EQ(session.sections[0].secSpec, "RC:500:900;::;::;::;::;::;::;::;:;");
    EXPECT_EQ(el(girder).kind, kind::GIRDER);
    EXPECT_DOUBLE_EQ(el(girder).OX, 200) << "offset of the 500 wide girder";
    EXPECT_TRUE(session.project.modified);
    EXPECT_NE(std::find(canvas.calls.begin() + static_cast<long>(clearsBefore), canvas.calls.end(),
                        testing_support::RecordingCanvas::Call::Clear),
              canvas.calls.end());

    dialogs.openAnswers.push_back(wider);
    platform.answers.push_back(platform::Answer::Yes);
    menu.DispatchCommand(cmd::CSV_IMPORT);
    EXPECT_EQ(el(girder).kind, kind::LINE);
    EXPECT_DOUBLE_EQ(el(girder).OX, 0);
}

TEST_F(CsvCommands, ABadFileIsNamedAndNothingIsAskedOrChanged)
{
    dialogs.openAnswers.push_back(file("bad.csv", "G,2,1,2,G1,RC,500,900\r\nG,2,2,2,G\x81\x20\r\n"));
    menu.DispatchCommand(cmd::CSV_IMPORT);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "断面ＣＳＶを読み込めませんでした。\n" + (dir / "bad.csv").string() +
                                             " 2行目: Shift-JIS として読めない文字があります");
    EXPECT_EQ(session.sections[0].secSpec, "RC:300:700;3::D22;");
    EXPECT_DOUBLE_EQ(el(girder).OX, 100);
    EXPECT_FALSE(session.project.modified);
}

namespace {

// The section dialog as the menu sees it, over the real editor without its windows.
class OpenSectionDialog : public platform::SectionDialogPort {
public:
    explicit OpenSectionDialog(editor::Dispatcher& menu) : editor(menu, editor::SectionEditorPorts{}) {}
    void openSectionDialog(char letter) override { editor.open(letter, 0); }
    bool sectionDialogOpen() const override { return editor.isOpen(); }
    bool sectionEditsPending() const override { return editor.hasUnconfirmedEdits(); }
    bool closeSectionDialog(bool keep) override
    {
        if (keep) return editor.ok();
        editor.cancel();
        return true;
    }
    editor::SectionEditor editor;
};

}  // namespace

TEST_F(CsvCommands, WhileTheSectionDialogIsOpenCsvAndProjectsAreRefusedAndItsOkKeepsTheImport)
{
    OpenSectionDialog dialog(menu);
    menu.context().ports.sectionDialog = &dialog;
    menu.DispatchCommand(cmd::GIRDER_SECTIONS);
    ASSERT_TRUE(dialog.sectionDialogOpen());

    const std::string wider = file("wide.csv", "G,2,1,2,G1,RC,500,900\r\n");
    for (int code : {cmd::CSV_IMPORT, cmd::CSV_EXPORT, cmd::GRID_CREATE}) {
        platform.messages.clear();
        dialogs.openAnswers = {wider};
        dialogs.saveAnswers = {(dir / "out").string()};
        menu.DispatchCommand(code);
        ASSERT_EQ(platform.messages.size(), 1u) << code;
        EXPECT_EQ(platform.messages[0].text, editor::kCloseSectionDialogFirst) << code;
        EXPECT_EQ(dialogs.openCalls + dialogs.saveCalls, 0) << code << ": no file dialog";
    }
    EXPECT_FALSE(fs::exists(dir / "out.csv"));
    EXPECT_EQ(session.sections[0].secSpec, "RC:300:700;3::D22;");

    // Cancel closes the dialog; the import then goes through and a later dialog shows it.
    dialog.editor.cancel();
    dialogs.openAnswers = {wider};
    platform.answers.push_back(platform::Answer::No);
    menu.DispatchCommand(cmd::CSV_IMPORT);
    EXPECT_EQ(session.sections[0].secSpec, "RC:500:900;::;::;::;::;::;::;::;:;");
    menu.DispatchCommand(cmd::GIRDER_SECTIONS);
    dialog.editor.ok();
    EXPECT_EQ(model::findSection(session.sections, "G:2:1").secSpec.rfind("RC:500:900;", 0), 0u)
        << "OK writes back the imported table, not an older copy";
    EXPECT_DOUBLE_EQ(el(girder).OX, 200);
}

TEST_F(CsvCommands, AnotherProjectAsksForTheSectionDialogsUnconfirmedEdits)
{
    OpenSectionDialog dialog(menu);
    menu.context().ports.sectionDialog = &dialog;
    auto stored450 = [this] {
        return std::any_of(session.sections.begin(), session.sections.end(),
                           [](const model::SectionEntry& e) { return e.secID > 0 && e.secSpec.rfind("RC:450:", 0) == 0; });
    };
    auto openWithTypedWidth = [&](platform::Answer answer) {
        menu.DispatchCommand(cmd::GIRDER_SECTIONS);
        dialog.editor.setField(editor::SecA1, "450");
        dialog.editor.setField(editor::NoLUP, "3");
        platform.messages.clear();
        platform.answers = {answer, platform::Answer::Cancel};  // then the save question, if any
        dialogs.openCalls = 0;
        menu.DispatchCommand(cmd::FILE_OPEN);
        ASSERT_FALSE(platform.messages.empty());
        EXPECT_EQ(platform.messages[0].text, editor::kUnconfirmedSections);
        EXPECT_EQ(platform.messages[0].buttons, platform::Buttons::YesNoCancel);
    };

    openWithTypedWidth(platform::Answer::Cancel);  // stays: nothing opened, the edit still there
    EXPECT_TRUE(dialog.sectionDialogOpen());
    EXPECT_EQ(dialogs.openCalls, 0);
    EXPECT_EQ(dialog.editor.field(editor::SecA1), "450");
    dialog.editor.cancel();

    openWithTypedWidth(platform::Answer::No);  // dropped, and the open goes on
    EXPECT_FALSE(dialog.sectionDialogOpen());
    EXPECT_FALSE(stored450());
    EXPECT_EQ(dialogs.openCalls, 1);

    openWithTypedWidth(platform::Answer::Yes);  // stored as OK stores it; the save question follows
    EXPECT_FALSE(dialog.sectionDialogOpen());
    EXPECT_TRUE(stored450());
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(dialogs.openCalls, 0) << "the save question was cancelled";

    // Yes with a field its OK refuses: the 確認 message, and the open stops with the edit kept.
    menu.DispatchCommand(cmd::GIRDER_SECTIONS);
    dialog.editor.setField(editor::SecA1, "4o0");
    platform.messages.clear();
    platform.answers = {platform::Answer::Yes, platform::Answer::Ok};
    dialogs.openCalls = 0;
    menu.DispatchCommand(cmd::FILE_OPEN);
    EXPECT_TRUE(dialog.sectionDialogOpen());
    EXPECT_EQ(dialogs.openCalls, 0);
    EXPECT_EQ(dialog.editor.field(editor::SecA1), "4o0");
    EXPECT_EQ(platform.messages.size(), 2u);
    dialog.editor.cancel();

    // A dialog without edits closes without a question.
    menu.DispatchCommand(cmd::GIRDER_SECTIONS);
    platform.messages.clear();
    session.project.modified = false;
    menu.DispatchCommand(cmd::FILE_NEW);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(dialog.sectionDialogOpen());
}

TEST_F(CsvCommands, AMemberBroughtBackByUndoHasTheSizeOfTheSectionsImportedMeanwhile)
{
    model::newStep(session.store);
    session.store.delElem(girder);
    dialogs.openAnswers.push_back(file("wide.csv", "G,2,1,2,G1,RC,500,900\r\n"));
    platform.answers.push_back(platform::Answer::No);
    menu.DispatchCommand(cmd::CSV_IMPORT);

    menu.undo();
    ASSERT_FALSE(session.store.isDead(girder));
    EXPECT_DOUBLE_EQ(el(girder).OX, 200) << "offset of the 500 wide girder, not the 300 wide one it was deleted at";
    menu.redo();
    EXPECT_TRUE(session.store.isDead(girder));
}
