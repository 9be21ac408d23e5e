// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing preview: a drawing runs in its frame and comes back regenerated at the scale
// applied, the scale box only offers "適用" for another positive number, DXF saving hands the
// CAD program only a whole file, the window size is remembered on "閉じる", and the preview's
// zoom and pan move its own view, never the plan's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "editor/command_codes.h"
#include "editor/dispatcher.h"
#include "editor/draft_preview.h"
#include "model/sections.h"
#include "settings/ini_file.h"
#include "support/recording_canvas.h"
#include "support/recording_platform.h"
#include "test_dispatcher_harness.h"

namespace {

using editor::MouseButton;
namespace cmd = editor::cmd;

class FakeDraftWindow : public editor::DraftWindow {
public:
    editor::DraftPreview* preview = nullptr;
    // One step per showing of the window; the window closes after its step unless the step did.
    std::vector<std::function<void(editor::DraftPreview&)>> steps;
    std::vector<std::string> captions;
    int shown = 0, closes = 0, popups = 0;
    bool open = false;

    void showModal() override
    {
        open = true;
        preview->windowShown();
        if (static_cast<size_t>(shown) < steps.size()) steps[static_cast<size_t>(shown)](*preview);
        ++shown;
        if (open) preview->close(800, 600);
    }
    void closeWindow() override
    {
        open = false;
        ++closes;
    }
    void setCaption(const std::string& caption) override { captions.push_back(caption); }
    void setCursor(editor::CursorKind) override {}
    void showPopupMenu(editor::PixelPoint, bool planCanvas) override { popups += planCanvas ? 100 : 1; }
    void focusCanvas() override {}
    void stateChanged() override {}
};

class DraftPreviewTest : public ::testing::Test {
protected:
    DraftPreviewTest()
        : session(platform, dir().string()), canvas(800, 600), planCanvas(1000, 1000),
          dispatcher(session, planCanvas, nullptr, planPorts()),
          preview(session, canvas, window, {&dialogs, nullptr, &ini})
    {
        window.preview = &preview;
        dispatcher.context().ports.drawings = &preview;
        dispatcher.transform().SetView(10000, 10000, 5000, 5000);
        session.grid.spanCount[2] = 1;
        EXPECT_TRUE(model::setMemRod(session.sections, model::makeSecKey('G', 1, 1), model::makeSecName("1", "G1"),
                                     "RC:400:800:400:800:400:800;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;"));
        // A model line, to see that the model store comes back.
        session.store.addElem(model::kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 6000, 0, 0, 0xFF0000);
    }
    static std::filesystem::path dir()
    {
        auto d = std::filesystem::temp_directory_path() / "tessmar_draft_preview";
        std::filesystem::create_directories(d);
        return d;
    }
    editor::Ports planPorts()
    {
        editor::Ports p;
        p.files = &dialogs;
        return p;
    }

    testing_support::RecordingPlatform platform;
    model::Session session;
    testing_support::RecordingCanvas canvas, planCanvas;
    testing_support::ScriptedDialogs dialogs;
    settings::IniFile ini;
    FakeDraftWindow window;
    editor::Dispatcher dispatcher;
    editor::DraftPreview preview;
};

TEST(DraftScaleText, OnlyPositiveNumbersAreScales)
{
    EXPECT_EQ(editor::parseScale(" 50 "), 50.0);
    EXPECT_EQ(editor::parseScale("12.5"), 12.5);
    for (const char* bad : {"", "abc", "0", "-40", "40x", "nan", "inf", "1e999"})
        EXPECT_FALSE(editor::parseScale(bad)) << bad;
    EXPECT_EQ(editor::scaleText(40), "40");
    EXPECT_EQ(editor::scaleText(12.5), "12.5");
}

TEST_F(DraftPreviewTest, GirderListShowsTheDrawingAndGivesTheModelBack)
{
    const editor::ViewTransform planView = dispatcher.transform();
    int drawingElements = 0;
    window.steps.push_back([&](editor::DraftPreview& p) {
        drawingElements = session.store.liveCount();
        EXPECT_TRUE(p.showing());
        EXPECT_EQ(p.typedScale(), "40");
        EXPECT_FALSE(p.applyEnabled());
        EXPECT_GT(p.transform().viewScale, 0);  // fitted to the drawing
    });
    dispatcher.DispatchCommand(cmd::DRAW_GIRDER_LIST);
    EXPECT_EQ(window.shown, 1);
    EXPECT_EQ(window.captions, std::vector<std::string>{"梁断面リスト"});
    EXPECT_GT(drawingElements, 10);
    EXPECT_FALSE(canvas.lines.empty());
    // The model store, the plan's view and an empty text buffer are back.
    EXPECT_EQ(session.store.liveCount(), 1);
    int line = -1;
    ASSERT_TRUE(session.store.nextLive(line));
    EXPECT_EQ(session.store.at(line).X2, 6000);
    EXPECT_EQ(session.texts.count(), 0);
    const editor::ViewTransform& after = dispatcher.transform();
    EXPECT_EQ(after.viewLeft, planView.viewLeft);
    EXPECT_EQ(after.viewBottom, planView.viewBottom);
    EXPECT_EQ(after.viewScale, planView.viewScale);
}

TEST_F(DraftPreviewTest, ApplyRegeneratesAtTheTypedScaleOnlyWhenItDiffers)
{
    window.steps.push_back([&](editor::DraftPreview& p) {
        for (const char* same : {"40", " 40", "40.0"}) {
            p.scaleTyped(same);
            EXPECT_FALSE(p.applyEnabled()) << same;
        }
        for (const char* bad : {"abc", "-50", "0", ""}) {
            p.scaleTyped(bad);
            EXPECT_FALSE(p.applyEnabled()) << bad;
            p.apply();  // refused: no regeneration, the window stays open
            EXPECT_TRUE(window.open);
        }
        p.scaleTyped("50");
        EXPECT_TRUE(p.applyEnabled());
        p.apply();
    });
    std::vector<double> heights;
    window.steps.push_back([&](editor::DraftPreview& p) {
        EXPECT_EQ(p.typedScale(), "50");
        EXPECT_FALSE(p.applyEnabled());
        for (const model::Moji& m : session.texts.entries()) heights.push_back(m.height);
    });
    dispatcher.DispatchCommand(cmd::DRAW_GIRDER_LIST);
    EXPECT_EQ(window.shown, 2);
    EXPECT_EQ(session.settings.draft.ListScale, 50);
    EXPECT_EQ(session.settings.draft.DrawScale, 40);
    ASSERT_FALSE(heights.empty());
    EXPECT_EQ(heights.front(), 150);  // ListMojiHeight 3 x 50
    EXPECT_EQ(session.store.liveCount(), 1);
}

TEST_F(DraftPreviewTest, CadStartsOnlyOnAWholeSavedFile)
{
    session.settings.strCADfname = "/opt/cad/bin/cad";
    const std::string target = (dir() / "list").string();
    std::filesystem::remove(target + ".dxf");
    dialogs.saveAnswers = {std::nullopt, (dir() / "no-such-folder" / "x").string(), target};
    window.steps.push_back([&](editor::DraftPreview& p) {
        EXPECT_FALSE(p.saveDxf(true));  // cancelled
        EXPECT_FALSE(p.saveDxf(true));  // cannot be written
        EXPECT_TRUE(platform.startedPrograms.empty());
        EXPECT_TRUE(p.saveDxf(true));
    });
    dispatcher.DispatchCommand(cmd::DRAW_GIRDER_LIST);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].text.find("DXFファイルを書けませんでした。"), std::string::npos);
    EXPECT_EQ(platform.startedPrograms, std::vector<std::string>{"/opt/cad/bin/cad " + target + ".dxf"});
    std::ifstream in(target + ".dxf", std::ios::binary);
    std::string head(7, '\0');
    in.read(head.data(), 7);
    EXPECT_EQ(head, "  0\r\nSE");
}

TEST_F(DraftPreviewTest, CadThatCannotStartOrIsNotChosenIsSaid)
{
    struct FailingStart : testing_support::RecordingPlatform {
        bool startProgram(const std::string&, const std::string&) override { return false; }
    };
    for (const char* f : {"a.dxf", "b.dxf"}) std::filesystem::remove(dir() / f);
    dialogs.saveAnswers = {(dir() / "a").string(), (dir() / "b").string()};
    window.steps.push_back([&](editor::DraftPreview& p) {
        EXPECT_TRUE(p.saveDxf(true));  // no program chosen
        dialogs.openAnswers = {std::string("/no/such/cad")};
        p.chooseCadProgram();
        EXPECT_EQ(p.cadProgram(), "/no/such/cad");
    });
    dispatcher.DispatchCommand(cmd::DRAW_GIRDER_LIST);
    EXPECT_TRUE(platform.saidText("CADプログラムが指定されていません。「CAD参照」で選んでください。"));

    FailingStart failing;
    model::Session other(failing, dir().string());
    other.settings.strCADfname = "/no/such/cad";
    FakeDraftWindow w;
    editor::DraftPreview p(other, canvas, w, {&dialogs, nullptr, nullptr});
    w.preview = &p;
    w.steps.push_back([&](editor::DraftPreview& pv) { EXPECT_TRUE(pv.saveDxf(true)); });
    p.runDrawing(cmd::DRAW_EMPTY);
    EXPECT_TRUE(failing.saidText("CADプログラムを起動できませんでした。\n/no/such/cad"));
}

TEST_F(DraftPreviewTest, SizeIsRememberedOnCloseAndUnusableSizesFallBack)
{
    EXPECT_EQ(preview.windowSize(), std::make_pair(800, 600));
    window.steps.push_back([&](editor::DraftPreview& p) { p.close(1024, 700); });
    dispatcher.DispatchCommand(cmd::DRAW_EMPTY);
    EXPECT_EQ(preview.windowSize(), std::make_pair(1024, 700));
    ini.write("DRAFT", "Width", "0");
    ini.write("DRAFT", "Height", "big");
    EXPECT_EQ(preview.windowSize(), std::make_pair(800, 600));
}

TEST_F(DraftPreviewTest, ZoomAndPanMoveThePreviewNotThePlan)
{
    const editor::ViewTransform planView = dispatcher.transform();
    window.steps.push_back([&](editor::DraftPreview& p) {
        const editor::ViewTransform fitted = p.transform();
        p.wheel(-120);
        EXPECT_NEAR(p.transform().viewWidth, fitted.viewWidth / 1.1, 1e-6);
        p.wheel(120);
        EXPECT_NEAR(p.transform().viewWidth, fitted.viewWidth, 1e-6);
        // A pan drag of 10 pixels to the right moves the window 10 pixels' worth to the left.
        const double left = p.transform().viewLeft;
        p.mouseDown({MouseButton::Left, {100, 100}, false});
        p.mouseMove({MouseButton::Left, {110, 100}, false});
        p.mouseUp({MouseButton::Left, {110, 100}, false});
        EXPECT_NEAR(p.transform().viewLeft, left - 10 * p.transform().viewScale, 1e-6);
        // The middle-button zoom drag frames the rectangle dragged.
        p.mouseDown({MouseButton::Middle, {100, 100}, false});
        p.mouseMove({MouseButton::Middle, {300, 250}, false});
        p.mouseUp({MouseButton::Middle, {300, 250}, false});
        EXPECT_NEAR(p.transform().viewWidth, 200 * fitted.viewScale, 1e-6);
        // Zoom window from the popup, then a right click ends it; idle right opens the popup.
        p.zoomWindow();
        EXPECT_EQ(p.context().state.viewOperation, editor::ViewOperation::ZoomWindow);
        p.mouseDown({MouseButton::Left, {10, 10}, false});
        p.mouseUp({MouseButton::Left, {10, 10}, false});  // too small: no zoom, ended
        EXPECT_EQ(p.context().state.viewOperation, editor::ViewOperation::None);
        p.mouseDown({MouseButton::Right, {10, 10}, false});
        EXPECT_EQ(window.popups, 1);
    });
    dispatcher.DispatchCommand(cmd::DRAW_GIRDER_LIST);
    EXPECT_EQ(window.shown, 1);
    EXPECT_EQ(dispatcher.transform().viewLeft, planView.viewLeft);
    EXPECT_EQ(dispatcher.transform().viewWidth, planView.viewWidth);
}

TEST_F(DraftPreviewTest, Test02DoesNothingAndUnknownDrawingsAreSaid)
{
    dispatcher.DispatchCommand(cmd::TEST_02);
    EXPECT_EQ(window.shown, 0);
    EXPECT_TRUE(platform.messages.empty());
    preview.runDrawing(599);
    EXPECT_TRUE(platform.saidText(editor::kNotAvailable));
    EXPECT_EQ(session.store.liveCount(), 1);
}

}  // namespace

namespace {

TEST_F(DraftPreviewTest, Test01IsShownInThePreviewAndNeverEntersTheModel)
{
    size_t texts = 0;
    window.steps.push_back([&](editor::DraftPreview&) { texts = session.texts.count(); });
    dispatcher.DispatchCommand(cmd::TEST_01);
    EXPECT_EQ(window.captions, std::vector<std::string>{"Test01"});
    EXPECT_EQ(texts, 9u * 12u);
    EXPECT_EQ(session.store.liveCount(), 1);
    EXPECT_EQ(session.texts.count(), 0);
}

TEST_F(DraftPreviewTest, AnExistingFileBehindTheAddedExtensionIsAskedAbout)
{
    const std::string typed = (dir() / "asked").string();
    std::ofstream(typed + ".dxf") << "keep";
    dialogs.saveAnswers = {typed, typed};
    platform.answers = {platform::Answer::No, platform::Answer::Yes};
    window.steps.push_back([&](editor::DraftPreview& p) {
        EXPECT_FALSE(p.saveDxf(false));
        std::ifstream in(typed + ".dxf");
        std::string kept;
        in >> kept;
        EXPECT_EQ(kept, "keep");
        EXPECT_TRUE(p.saveDxf(false));
    });
    dispatcher.DispatchCommand(cmd::DRAW_EMPTY);
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_GT(std::filesystem::file_size(typed + ".dxf"), 1000u);
}

}  // namespace

namespace {

struct RecordingSheets : editor::SheetWriter {
    std::vector<Request> requests;
    std::string answer;
    std::string writePdf(const Request& r) override
    {
        requests.push_back(r);
        return answer;
    }
    std::string print(const Request& r) override { return writePdf(r); }
};

TEST_F(DraftPreviewTest, PdfGetsTheScaleCaptionAndPaperAndAFailureIsSaid)
{
    RecordingSheets sheets;
    FakeDraftWindow w;
    editor::DraftPreview p(session, canvas, w, {&dialogs, nullptr, nullptr, &sheets});
    w.preview = &p;
    session.settings.draft.ListScale = 50;
    dialogs.saveAnswers = {std::nullopt, (dir() / "sheet").string(), (dir() / "b.PDF").string()};
    w.steps.push_back([&](editor::DraftPreview& pv) {
        EXPECT_FALSE(pv.savePdf("自動", false));  // cancelled: nothing asked of the painter
        EXPECT_TRUE(pv.savePdf("A3", true));
        sheets.answer = "図面が A3 に入りません。";
        EXPECT_FALSE(pv.savePdf("A3", false));
        pv.printSheet("A3", false);
    });
    p.runDrawing(cmd::DRAW_GIRDER_LIST);
    ASSERT_EQ(sheets.requests.size(), 3u);
    EXPECT_EQ(sheets.requests[0].path, (dir() / "sheet.pdf").string());
    EXPECT_EQ(sheets.requests[0].paper, "A3");
    EXPECT_TRUE(sheets.requests[0].mono);
    EXPECT_EQ(sheets.requests[0].scale, 50);
    EXPECT_EQ(sheets.requests[0].caption, "梁断面リスト");
    EXPECT_TRUE(sheets.requests[0].list);  // its size on paper does not follow the scale
    EXPECT_EQ(sheets.requests[1].path, (dir() / "b.PDF").string());
    EXPECT_TRUE(platform.saidText("PDFファイルを書けませんでした。\n図面が A3 に入りません。"));
    EXPECT_TRUE(platform.saidText("印刷できませんでした。\n図面が A3 に入りません。"));
    // Printing to a file proposes what saving proposes.
    EXPECT_EQ(sheets.requests[2].path, (dir() / "untitled-梁断面リスト.pdf").string());
}

TEST_F(DraftPreviewTest, SaveAndPrintProposeTheProjectAndSheetNamesInTheProjectFolder)
{
    RecordingSheets sheets;
    FakeDraftWindow w;
    editor::DraftPreview p(session, canvas, w, {&dialogs, nullptr, nullptr, &sheets});
    w.preview = &p;
    session.project.path = "/work/jobs/sample.kel";
    w.steps.push_back([](editor::DraftPreview& pv) {
        pv.saveDxf(false);  // both cancelled: only the proposals are seen
        pv.savePdf("自動", false);
    });
    p.runDrawing(cmd::DRAW_GIRDER_LIST);
    EXPECT_EQ(dialogs.saveInitialPaths,
              (std::vector<std::string>{"/work/jobs/sample-梁断面リスト.dxf", "/work/jobs/sample-梁断面リスト.pdf"}));

    EXPECT_EQ(editor::proposedSheetPath("/work/jobs/sample.kel", "配筋図 Y1", ".pdf"), "/work/jobs/sample-配筋図 Y1.pdf");
    EXPECT_EQ(editor::proposedSheetPath("/a.b/plan", "伏図 X1/2", ".dxf"), "/a.b/plan-伏図 X1_2.dxf");
    EXPECT_EQ(editor::proposedSheetPath("", "梁断面リスト", ".pdf"), "untitled-梁断面リスト.pdf");
}

}  // namespace
