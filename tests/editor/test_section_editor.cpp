// SPDX-License-Identifier: GPL-3.0-or-later
// The section dialog's logic: rows and pages over the work table, the edit helpers, the
// web-bar and default rules, mark pages, the SS2 import and what OK and Cancel hand back.
#include "test_dispatcher_harness.h"

#include "editor/section_editor.h"
#include "editor/section_figure.h"
#include "exchange/ss2_result.h"

using namespace editor;
using testing_support::EditorTest;

namespace {

class FakeSectionPorts : public platform::KeypadPort, public platform::MarkNamePort, public platform::Ss2ImportPort {
public:
    std::deque<std::optional<std::string>> numbers, names;
    std::vector<std::string> refusals;
    std::optional<exchange::Ss2Result> ss2;

    std::optional<std::string> enterNumber(const std::string&) override { return next(numbers); }
    // Like the dialog: a refused name is told and the next answer is typed.
    std::optional<std::string> askMarkName(int, const std::string&, const Check& check) override
    {
        while (true) {
            std::optional<std::string> n = next(names);
            if (!n) return n;
            const std::string problem = check(*n);
            if (problem.empty()) return n;
            refusals.push_back(problem);
        }
    }
    std::optional<exchange::Ss2Result> importSs2(int, int) override { return ss2; }

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& q)
    {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

class SectionEditorTest : public EditorTest {
protected:
    SectionEditorTest() : editor(dispatcher, SectionEditorPorts{&fake, &fake, &fake})
    {
        session.grid.spanCount[model::AXIS_Z] = 3;
    }
    void put(char letter, int level, int mark, const std::string& name, const std::string& spec)
    {
        model::setMemRod(session.sections, model::makeSecKey(letter, level, mark), name, spec);
    }
    const std::string& spec(int row) { return editor.rows()[static_cast<size_t>(row)].cells[COL_SPEC]; }
    std::string modelSpec(const std::string& key) { return model::findSection(session.sections, key).secSpec; }

    FakeSectionPorts fake;
    SectionEditor editor;
};

const std::string kGirder = "RC:400:900:400:900:400:900;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;";

TEST_F(SectionEditorTest, RowsPerLevelAndEveryRowStoredOnOpening)
{
    editor.open('G', 0);
    ASSERT_EQ(editor.rows().size(), 4u);
    EXPECT_EQ(editor.rows()[0].cells[COL_LABEL], "R 層");
    EXPECT_EQ(editor.rows()[3].cells[COL_LABEL], "1 層");
    EXPECT_EQ(editor.pages(), std::vector<std::string>{"G1"});
    EXPECT_EQ(model::findSection(editor.work(), "G:4:1").secName, "R:G1");
    EXPECT_TRUE(model::findSection(editor.work(), "G:1:1").found);

    editor.open('C', 0);
    ASSERT_EQ(editor.rows().size(), 3u);
    EXPECT_EQ(editor.rows()[0].cells[COL_LABEL], "3 階");
    EXPECT_EQ(model::findSection(editor.work(), "C:3:1").secName, "3:C1");
}

// The detailing checks follow the shown row as it is typed, the lowest girder level takes the
// foundation cover, and the check report's double-click lands on its mark and level.
TEST_F(SectionEditorTest, FindingsFollowTheShownRowAndTheReportFindsItsSection)
{
    const std::string foundation = "RC:350:700:350:700:350:700;4::D25;3::D25;3::D25;3::D25;4::D25;3::D25;2:D13:150;;";
    put('G', 4, 1, "R:G1", kGirder);
    put('G', 4, 2, "R:G2", foundation);
    put('G', 1, 2, "1:G2", foundation);
    editor.open('G', 0);
    std::vector<check::Finding> f = editor.currentFindings();
    ASSERT_EQ(f.size(), 4u);  // stirrups 2 x 71.33 / (400 x 200) and three advisory tension ratios
    EXPECT_EQ(check::findingText(f[0]), "あばら筋比: 0.178 % (≧ 0.2 %)");
    EXPECT_EQ(check::findingText(f[1]), "参考: 引張鉄筋比 左端 上端: 0.346 % (≧ 0.4 %)");
    editor.setField(PitchSTAR, "100");
    EXPECT_EQ(editor.currentFindings().size(), 3u);

    ASSERT_TRUE(editor.showSection("G2", 4));
    EXPECT_TRUE(editor.currentFindings().empty());  // 40 mm of cover: the bars fit
    ASSERT_TRUE(editor.showSection("G2", 1));
    EXPECT_EQ(editor.currentPage(), 1);
    EXPECT_EQ(editor.currentRow(), 3);
    f = editor.currentFindings();
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(check::findingText(f[1]), "主筋のあき 右端 上端 1段目: 23.3 mm (≧ 38.1 mm)");
    EXPECT_FALSE(editor.showSection("G9", 1));
    EXPECT_EQ(editor.currentPage(), 1);
}

TEST_F(SectionEditorTest, DefaultsFromSettingsAndMissingDefaultsSaySo)
{
    editor.open('G', 0);
    editor.defaults();
    EXPECT_EQ(spec(0), kGirder);
    EXPECT_EQ(editor.rows()[0].cells[COL_SUMMARY], "400x900");
    EXPECT_EQ(editor.rows()[0].cells[COL_SUMMARY + 7], "2-D10-@200");

    editor.setField(SecA1, "350");  // copied to the centre and the right end
    editor.defaults();
    EXPECT_EQ(spec(0).substr(0, 29), "RC:350:900:350:900:350:900;3:");

    session.settings.draft.InitGirder.clear();
    editor.defaults();
    EXPECT_EQ(platform.messages.back().text, kNoInitGirder);
    EXPECT_EQ(spec(0), "");  // sizes alone are no section

    editor.open('C', 0);
    editor.defaults();
    EXPECT_EQ(spec(0), "RC:600:600;4:3:D22;2:2:D13:100;");
    EXPECT_EQ(editor.rows()[0].cells[COL_SUMMARY + 1], "10-D22");
}

TEST_F(SectionEditorTest, WebBarsFollowADepthEnteredByKeypad)
{
    editor.open('G', 0);
    editor.defaults();
    fake.numbers = {"1800", "1500", "1500", "550", "1000"};
    editor.keypad(SecB1);
    EXPECT_EQ(editor.field(NoBODY), "8");
    EXPECT_EQ(editor.field(NmBODY), "D10");
    EXPECT_EQ(editor.field(SecB3), "1800");
    editor.keypad(SecB2);  // the web bars follow the left depth
    EXPECT_EQ(editor.field(NoBODY), "8");
    editor.keypad(SecB1);
    EXPECT_EQ(editor.field(NoBODY), "6");
    editor.keypad(SecB1);
    EXPECT_EQ(editor.field(NoBODY), "");
    EXPECT_EQ(editor.field(NmBODY), "");
    // Typing a depth leaves the web bars alone.
    editor.setField(SecB1, "2400");
    EXPECT_EQ(editor.field(NoBODY), "");
    editor.setRodKind(ROD_ROUND);
    editor.keypad(SecB1);
    EXPECT_EQ(editor.field(NoBODY), "4");
    EXPECT_EQ(editor.field(NmBODY), "9φ");
}

TEST_F(SectionEditorTest, RebarKindSwitchKeepsEachSizesPosition)
{
    editor.open('G', 0);
    editor.defaults();
    editor.setField(NmMDN, "D41");
    editor.setRodKind(ROD_ROUND);
    EXPECT_EQ(editor.field(NmLUP), "22φ");
    EXPECT_EQ(editor.field(NmMDN), "");
    EXPECT_EQ(editor.field(NmSTAR), "9φ");
    EXPECT_NE(spec(0).find("3::22φ;"), std::string::npos);
    editor.setField(NmLDN, "28φ");
    editor.setRodKind(ROD_BOTH);  // both lists: nothing moves
    EXPECT_EQ(editor.field(NmLDN), "28φ");
    editor.setRodKind(ROD_DEFORMED);
    EXPECT_EQ(editor.field(NmLDN), "D29");
    EXPECT_EQ(editor.field(NmLUP), "D22");

    // Looking at a row never changes its bars, whatever kind the lists show.
    const std::string round = "RC:300:600;2::13φ;2::13φ;;;;;2:9φ:200;;";
    put('G', 2, 1, "2:G1", round);
    editor.cancel();  // an open dialog would keep its own table
    editor.open('G', ROD_DEFORMED);
    editor.selectRow(2);
    EXPECT_EQ(editor.field(NmLUP), "13φ");
    editor.ok();
    EXPECT_EQ(modelSpec("G:2:1").find("D13"), std::string::npos);
}

TEST_F(SectionEditorTest, EditHelpersAndCopyButtonsTakeTheLeftEnd)
{
    editor.open('G', 0);
    for (const char* typed : {"D", "D2", "D25"}) editor.setField(NmLUP, typed);  // typed, key by key
    EXPECT_EQ(editor.field(NmMUP), "D25");
    editor.setField(NmMUP, "D19");
    editor.setField(NmLUP, "D22");  // fills only the ends still empty
    EXPECT_EQ(editor.field(NmMUP), "D19");
    EXPECT_EQ(editor.field(NmRUP), "D25");

    editor.setField(SecA1, "400");
    editor.setField(SecB1, "800");
    editor.setField(SecB2, "700");
    editor.setField(NoLUP, "4");
    editor.setField(NoLUPe, "2");
    editor.setField(NoMUP, "3");
    editor.copyLeftToRight();  // from the left end, not from the centre
    EXPECT_EQ(editor.field(SecB3), "800");
    EXPECT_EQ(editor.field(NoRUP), "4");
    EXPECT_EQ(editor.field(NoRUPe), "2");
    EXPECT_EQ(editor.field(NmRUP), "D22");
    EXPECT_EQ(editor.field(NoMUP), "3");
    editor.copyLeftToCentre();
    EXPECT_EQ(editor.field(SecB2), "800");
    EXPECT_EQ(editor.field(NoMUP), "4");
    EXPECT_EQ(spec(0).substr(0, 41), "RC:400:800:400:800:400:800;4:2:D22;::;4:2");

    editor.copySpec();
    editor.selectRow(2);
    editor.pasteSpec();
    EXPECT_EQ(spec(2), editor.clipboard());
    editor.clearSpec();
    editor.ok();
    EXPECT_EQ(modelSpec("G:2:1"), "");
    EXPECT_TRUE(model::findSection(session.sections, "G:2:1").found);
    EXPECT_EQ(modelSpec("G:4:1"), editor.clipboard());
}

TEST_F(SectionEditorTest, DeletingAMarkKeepsTheLaterMarksOnTheirOwnSections)
{
    put('G', 4, 1, "R:G1", "RC:300:600;2::D19;");
    put('G', 4, 2, "R:G2", "RC:400:800;3::D22;");
    const int g2 = model::findSecIDByKey(session.sections, 'G', 4, 2);
    editor.open('G', 0);
    ASSERT_EQ(editor.pages(), (std::vector<std::string>{"G1", "G2"}));
    platform.answers = {platform::Answer::Yes};
    editor.deleteMark();
    EXPECT_EQ(platform.messages.back().text, "符号名[G1]を削除します。");
    ASSERT_EQ(editor.pages(), std::vector<std::string>{"G2"});
    EXPECT_EQ(editor.rows()[0].cells[COL_NAME], "R:G2");
    EXPECT_EQ(editor.rows()[0].cells[COL_ID], std::to_string(g2));
    EXPECT_EQ(editor.field(NoLUP), "3");

    fake.names = {"", "X:1", "G2", "GX"};  // refused three times, then accepted
    editor.renameMark();
    EXPECT_EQ(fake.refusals.size(), 2u);  // "G2" is the page's own name
    EXPECT_EQ(editor.pages(), std::vector<std::string>{"G2"});
    fake.names = {"GX"};
    editor.renameMark();
    EXPECT_EQ(editor.pages(), std::vector<std::string>{"GX"});
    editor.ok();
    EXPECT_EQ(model::nameOf(session.sections, g2), "R:GX");
    EXPECT_EQ(model::findSecIDByKey(session.sections, 'G', 4, 1), g2);
    EXPECT_EQ(model::markList('G', session.sections), std::vector<std::string>{"GX"});

    editor.open('G', 0);
    platform.answers = {platform::Answer::Yes};
    editor.deleteMark();  // the only page: a fresh empty one
    EXPECT_EQ(editor.pages(), std::vector<std::string>{"G1"});
    EXPECT_EQ(spec(0), "");
}

TEST_F(SectionEditorTest, NewMarkPagesAndNamesThatWouldBreakTheFiles)
{
    editor.open('G', 0);
    editor.defaults();
    fake.names = {"G;2", "G,2", "G2"};
    editor.selectTab(1);  // "追加"
    EXPECT_EQ(fake.refusals.size(), 2u);
    EXPECT_EQ(editor.pages(), (std::vector<std::string>{"G1", "G2"}));
    EXPECT_EQ(editor.currentPage(), 1);
    EXPECT_EQ(editor.rows()[1].cells[COL_KEY], "G:3:2");
    EXPECT_EQ(spec(0), "");
    editor.selectTab(2);  // cancelled: back on G2
    EXPECT_EQ(editor.currentPage(), 1);
    fake.names = {"G1", std::nullopt};  // a second page named G1 would share G1's sections
    editor.renameMark();
    EXPECT_EQ(fake.refusals.back(), "符号名[G1]は既にあります。");
    EXPECT_EQ(editor.pages()[1], "G2");
    editor.selectTab(0);
    EXPECT_EQ(spec(0), kGirder);
    EXPECT_FALSE(markNameFault("\xF0\x9F\x98\x80").empty());  // no CP932 form
    EXPECT_TRUE(markNameFault("大梁1").empty());
}

TEST_F(SectionEditorTest, Ss2ImportMakesPagesPerMarkAndCancelLeavesTheModel)
{
    put('G', 4, 1, "R:G1", kGirder);
    const model::SectionTable before = session.sections;
    exchange::Ss2Result r;
    r.markCount = 2;
    r.levelSpans = 3;
    r.specs = {{"RC:300:600;2::D19;", "", "", "RC:310:610;2::D19;"}, {"RC:400:800;3::D22;", "", "", ""}};
    fake.ss2 = r;
    editor.open('G', 0);
    editor.importSs2();
    EXPECT_EQ(editor.pages(), (std::vector<std::string>{"G1", "G2"}));
    // The shown row is written back in the composed form, the others as imported.
    EXPECT_EQ(model::findSection(editor.work(), "G:4:1").secSpec.substr(0, 34), "RC:300:600:300:600:300:600;2::D19;");
    EXPECT_EQ(model::findSection(editor.work(), "G:1:1").secSpec, "RC:310:610;2::D19;");
    EXPECT_EQ(model::findSection(editor.work(), "G:4:2").secName, "R:G2");
    // Sizes without bars stay when their row is shown: only an edit empties a row.
    r.specs[1][0] = "RC:400:800;::;::;::;::;::;::;::;:;";
    fake.ss2 = r;
    editor.importSs2();
    editor.selectTab(1);
    EXPECT_EQ(spec(0), "RC:400:800;::;::;::;::;::;::;::;:;");
    EXPECT_EQ(editor.field(SecB3), "800");
    editor.cancel();
    for (int i = 0; i < model::kSectionCount; ++i) {
        EXPECT_EQ(session.sections[i].secID, before[i].secID);
        EXPECT_EQ(session.sections[i].secSpec, before[i].secSpec);
    }
    EXPECT_FALSE(session.project.modified);

    r.mode = 1;
    r.specs = {{"RC:600:600;4:3:D22;2:2:D13:100;", "", "RC:500:500;4:4:D19;;"}};
    r.markCount = 1;
    fake.ss2 = r;
    editor.open('C', 0);
    editor.importSs2();
    editor.ok();
    EXPECT_EQ(modelSpec("C:3:1"), "RC:600:600;4:3:D22;2:2:D13:100;");
    EXPECT_EQ(modelSpec("C:1:1"), "RC:500:500;4:4:D19;;");
    EXPECT_EQ(model::nameOf(session.sections, model::findSecIDByKey(session.sections, 'C', 1, 1)), "1:C1");
    EXPECT_TRUE(session.project.modified);

    SectionEditor withoutPort(dispatcher, SectionEditorPorts{&fake, &fake, nullptr});
    withoutPort.open('G', 0);
    withoutPort.importSs2();
    EXPECT_EQ(platform.messages.back().text, kNotAvailable);
}

TEST_F(SectionEditorTest, FiguresShowTheBarsAndOptionsChangeTheSharedSettings)
{
    editor.open('G', 0);
    editor.setSlab(false);
    editor.setFoundation(true, 2);
    EXPECT_FALSE(session.settings.draft.GirderListSlab);
    EXPECT_EQ(session.settings.draft.GirderListBase, 2);
    editor.setFoundation(false, 0);
    EXPECT_EQ(session.settings.draft.GirderListBase, 0);

    testing_support::RecordingCanvas figure(200, 200);
    EXPECT_GT(drawSectionFigure(figure, session.settings.draft, {kGirder, false, 0, false}, platform), 10);
    // Six main bars and two web bars: black symbols inside the panel, grey concrete lines.
    int black = 0;
    for (const auto& c : figure.circles) black += c.colour == kBlack;
    EXPECT_GE(black, 8);
    bool grey = false;
    for (const auto& l : figure.lines) grey = grey || l.colour == kFigureLineColour;
    EXPECT_TRUE(grey);
    for (const auto& c : figure.circles) {
        EXPECT_GE(c.cx - c.radius, 0);
        EXPECT_LE(c.cx + c.radius, 200);
    }
    EXPECT_EQ(drawSectionFigure(figure, session.settings.draft, {"RC:0:900;3::D22;", false, 0, false}, platform), 0);
    EXPECT_GT(drawSectionFigure(figure, session.settings.draft, {"RC:600:600;4:3:D22;2:2:D13:100;", true, 0, false}, platform), 10);
}

}  // namespace

TEST_F(SectionEditorTest, SwitchingToColumnsInTheOpenDialogKeepsTheGirderJustTypedAndItsRebarKind)
{
    editor.open('G', 0);
    editor.setRodKind(ROD_BOTH);
    editor.setField(SecA1, "300");
    editor.setField(SecB1, "600");
    editor.setField(NoLUP, "3");
    editor.setField(NmLUP, "D22");
    editor.open('C', 0);  // 柱断面 pressed while the girders are shown
    EXPECT_EQ(editor.rodKind(), ROD_BOTH);
    editor.setField(SecX, "500");
    editor.setField(SecY, "500");
    editor.setField(NoMX, "3");
    editor.setField(NoMY, "3");
    editor.setField(NmMain, "D19");
    editor.ok();
    EXPECT_EQ(modelSpec("G:4:1").rfind("RC:300:600:300:600:300:600;3::D22;", 0), 0u) << modelSpec("G:4:1");
    EXPECT_EQ(modelSpec("C:3:1").rfind("RC:500:500;3:3:D19;", 0), 0u) << modelSpec("C:3:1");

    // Opened afresh, the dialog starts from the model's table again.
    editor.open('G', 0);
    editor.setField(SecA1, "900");
    editor.cancel();
    editor.open('G', 0);
    EXPECT_EQ(editor.field(SecA1), "300");
}

TEST_F(SectionEditorTest, LettersAndSeparatorsInFieldsAreRefusedOnOkAndOnLeavingTheRow)
{
    put('G', 4, 1, "R:G1", kGirder);
    editor.open('G', 0);
    const struct {
        SectionField field;
        const char* text;
        const char* label;
    } cases[] = {
        {SecA1, "abc", "左端 b"},          {SecB3, "9oo", "右端 D"},           {NoLUP, "3;4", "左上端 本数"},
        {NoLDNe, "1.5", "左下端 2段筋"},   {NmSTAR, "D10:1", "スターラップ 径"}, {PitchSTAR, "2,00", "スターラップ ピッチ"},
    };
    for (const auto& c : cases) {
        const std::string kept = editor.field(c.field);
        editor.setField(c.field, c.text);
        platform.messages.clear();
        EXPECT_FALSE(editor.ok()) << c.text;
        EXPECT_TRUE(editor.isOpen());
        ASSERT_EQ(platform.messages.size(), 1u) << c.text;
        EXPECT_EQ(platform.messages[0].caption, "確認");
        EXPECT_NE(platform.messages[0].text.find(std::string("R 層 G1 の「") + c.label + "」"), std::string::npos)
            << platform.messages[0].text;
        EXPECT_EQ(editor.takeRefusedField(), c.field);
        // Leaving the row, or the page, is refused the same way.
        editor.selectRow(2);
        editor.selectTab(1);
        EXPECT_EQ(editor.currentRow(), 0);
        EXPECT_EQ(editor.currentPage(), 0);
        EXPECT_EQ(editor.takeRefusedField(), c.field);
        EXPECT_EQ(modelSpec("G:4:1"), kGirder) << "nothing stored";
        editor.setField(c.field, kept);
    }
    // A bar size outside the lists is text all the same; an empty size is no fault.
    editor.setField(NmSTAR, "U11.8");
    editor.setField(SecA2, "");
    platform.messages.clear();
    EXPECT_TRUE(editor.ok());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_NE(modelSpec("G:4:1").find(";2:U11.8:200;"), std::string::npos) << modelSpec("G:4:1");
}
