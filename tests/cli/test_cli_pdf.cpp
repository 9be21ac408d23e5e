// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli draw ... -o OUT.pdf: one sheet at the drawing's scale on the paper it needs, read
// back with poppler's tools: page size, embedded Japanese font, and every text of the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "draft/girder_list.h"
#include "draft/pen_width.h"
#include "model/project_file.h"
#include "model/project_title.h"
#include "model/sections.h"
#include "session/grid_build.h"
#include "session/session.h"
#include "support/recording_platform.h"
#include "support/shell.h"
#include "svg_strokes.h"

namespace fs = std::filesystem;

namespace {

using testing_support::shell;

// Without ASCII blanks and the ideographic space, which pdftotext lays out its own way.
std::string squeezed(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 3, "\xE3\x80\x80") == 0) {
            i += 2;
            continue;
        }
        if (s[i] != ' ' && s[i] != '\n' && s[i] != '\r' && s[i] != '\f' && s[i] != '\t') out += s[i];
    }
    return out;
}

struct CliPdf : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("tessmar_cli_pdf_" + std::to_string(::getpid()));
    std::string sample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";
    void SetUp() override
    {
        fs::create_directories(dir);
        if (shell("command -v pdfinfo").first != 0) GTEST_SKIP() << "poppler-utils is not installed";
    }
    void TearDown() override { fs::remove_all(dir); }
    std::pair<int, std::string> draw(const std::string& args)
    {
        return shell(std::string(TESSMAR_CLI) + " draw girder-list '" + sample + "' " + args);
    }
    // The girder list of the sample as a PDF page's stroked segments.
    std::vector<testing_pdf::Stroke> girderListStrokes()
    {
        const std::string pdf = (dir / "strokes.pdf").string(), svg = (dir / "strokes.svg").string();
        EXPECT_EQ(draw("-o '" + pdf + "'").first, 0);
        EXPECT_EQ(shell("pdftocairo -svg '" + pdf + "' '" + svg + "'").first, 0);
        std::ifstream in(svg);
        return testing_pdf::svgStrokes(std::string(std::istreambuf_iterator<char>(in), {}));
    }
};

// Pen colours of the girder list that belong to one pen each.
constexpr const char* kMaroon = "rgb(50.195312%,0%,0%)";        // pen 3, the outer frame
constexpr const char* kTeal = "rgb(0%,50.195312%,50.195312%)";  // pen 5, the cells
constexpr const char* kPurple = "rgb(50.195312%,0%,50.195312%)";  // pens 1 and 7, outlines and texts

TEST_F(CliPdf, GirderListSheetHasItsPaperFontAndEveryText)
{
    const std::string pdf = (dir / "girders.pdf").string();
    const auto [status, err] = draw("-o '" + pdf + "'");
    ASSERT_EQ(status, 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_NE(shell("pdfinfo '" + pdf + "'").second.find("Page size:       1190.55 x 841.89 pts (A3)"), std::string::npos);
    const std::string fonts = shell("pdffonts '" + pdf + "'").second;
    EXPECT_NE(fonts.find("IPAGothic"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("yes"), std::string::npos) << fonts;  // embedded

    testing_support::RecordingPlatform platform;
    model::Session session(platform);
    ASSERT_TRUE(model::readProject(session, sample).ok);
    draft::Drafter d(session);
    d.SetDraftScale(session.settings.draft.ListMojiHeight, session.settings.draft.ListScale);
    draft::drawGirderList(session, d);
    const std::string text = squeezed(shell("pdftotext '" + pdf + "' -").second);
    std::set<std::string> missing;
    for (const model::Moji& m : session.texts.entries())
        if (text.find(squeezed(m.text)) == std::string::npos) missing.insert(m.text);
    EXPECT_TRUE(missing.empty()) << *missing.begin();
    EXPECT_NE(text.find("梁断面リスト"), std::string::npos);  // the title block
    EXPECT_NE(text.find("S=1/40"), std::string::npos);
}

TEST_F(CliPdf, PaperChoiceAndTooSmallPaper)
{
    const std::string pdf = (dir / "a0.pdf").string();
    ASSERT_EQ(draw("--paper A0 --mono -o '" + pdf + "'").first, 0);
    EXPECT_NE(shell("pdfinfo '" + pdf + "'").second.find("3370.39 x 2383.94 pts (A0)"), std::string::npos);

    // Too big for A4 whole, the list is split over A4 sheets between its level blocks, each
    // sheet repeating the headings and saying which part it is.
    const std::string small = (dir / "a4.pdf").string();
    const auto [status, err] = draw("--paper A4 -o '" + small + "'");
    ASSERT_EQ(status, 0) << err;
    const std::string info = shell("pdfinfo -l 9 '" + small + "'").second;
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    for (int page = 1; page <= 3; ++page) {
        const std::string p = " -f " + std::to_string(page) + " -l " + std::to_string(page) + " '";
        EXPECT_NE(shell("pdfinfo" + p + small + "'").second.find("(A4)"), std::string::npos);
        const std::string text = squeezed(shell("pdftotext" + p + small + "' -").second);
        EXPECT_NE(text.find("梁断面リスト(" + std::to_string(page) + "/3)"), std::string::npos) << text;
        for (const char* heading : {"階", "符号", "G1", "G2", "上端筋"}) EXPECT_NE(text.find(heading), std::string::npos) << heading;
    }
    EXPECT_EQ(draw("--paper B5 -o x.pdf").first, 2);
}

// The left edge of the first word equal to `word` in `pdftotext -bbox` output, in points.
double wordLeft(const std::string& bbox, const std::string& word)
{
    const size_t at = bbox.find(">" + word + "</word>");
    if (at == std::string::npos) return -1;
    const size_t x = bbox.rfind("xMin=\"", at);
    return std::stod(bbox.substr(x + 6));
}

TEST_F(CliPdf, FramingPlanGridPitchMeasuresTrueAtItsScale)
{
    const std::string pdf = (dir / "plan.pdf").string();
    const auto [status, err] = shell(std::string(TESSMAR_CLI) + " draw framing '" + sample +
                                     "' --view plan --tab 1 -o '" + pdf + "'");
    ASSERT_EQ(status, 0) << err;
    const std::string bbox = shell("pdftotext -bbox '" + pdf + "' -").second;
    // The grid names stand on their lines: X0 and X1 are 6000 apart, 150 mm at 1/40.
    const double x0 = wordLeft(bbox, "X0"), x1 = wordLeft(bbox, "X1");
    ASSERT_GT(x0, 0) << bbox.substr(0, 2000);
    EXPECT_NEAR((x1 - x0) * 25.4 / 72, 6000.0 / 40, 0.1);
    EXPECT_NE(bbox.find("<title>伏図"), std::string::npos);
}

TEST_F(CliPdf, AFramingElevationTooBigGoesOverSheetsOfWholeBaysThatMeasureTrue)
{
    const std::string kel = (dir / "long.kel").string(), pdf = (dir / "long.pdf").string();
    ASSERT_EQ(shell(std::string(TESSMAR_CLI) + " grid --spans 40,1,12 --pitch-x 6000 --pitch-y 6000 --pitch-z 3500 -o '" +
                    kel + "'").first, 0);
    const std::string draw = std::string(TESSMAR_CLI) + " draw framing '" + kel + "' --view yframe --tab 0 ";
    const auto [status, err] = shell(draw + "--paper A2 -o '" + pdf + "'");
    ASSERT_EQ(status, 0) << err;
    const std::string info = shell("pdfinfo '" + pdf + "'").second;
    const int pages = std::stoi(info.substr(info.find("Pages:") + 6));
    ASSERT_GT(pages, 4);
    std::set<std::string> names;
    int measured = 0;
    for (int page = 1; page <= pages; ++page) {
        const std::string p = std::to_string(page);
        EXPECT_NE(shell("pdfinfo -f " + p + " -l " + p + " '" + pdf + "'").second.find("(A2)"), std::string::npos);
        const std::string bbox = shell("pdftotext -bbox -f " + p + " -l " + p + " '" + pdf + "' -").second;
        EXPECT_NE(bbox.find(">(" + p + "/" + std::to_string(pages) + ")<"), std::string::npos) << p;
        for (int x = 0; x <= 40; ++x)
            if (bbox.find(">X" + std::to_string(x) + "</word>") != std::string::npos) names.insert("X" + std::to_string(x));
        // Two neighbouring grid names on one part stand 6000 / 40 = 150 mm apart; a name on a
        // match line's label (the word after 合わせ線) is not a grid name. Each part names its
        // own lines once: the whole drawing's names give way to them.
        auto gridName = [&bbox](const std::string& w) {
            double left = -1.0;
            for (size_t at = bbox.find(">" + w + "</word>"); at != std::string::npos; at = bbox.find(">" + w + "</word>", at + 1)) {
                const size_t previous = bbox.rfind("<word", bbox.rfind("<word", at) - 1);
                if (bbox.compare(bbox.find('>', previous) + 1, std::strlen("合わせ線<"), "合わせ線<") == 0) continue;
                EXPECT_LT(left, 0) << w << " twice on page";
                left = std::stod(bbox.substr(bbox.rfind("xMin=\"", at) + 6));
            }
            return left;
        };
        int onPage = 0;
        for (int x = 0; x < 40; ++x) {
            const double a = gridName("X" + std::to_string(x)), b = gridName("X" + std::to_string(x + 1));
            if (a < 0 || b < 0 || x == 9) continue;  // X9 and X10 differ in width: their left edges too
            EXPECT_NEAR((b - a) * 25.4 / 72, 150, 0.1) << "page " << p << " X" << x;
            ++onPage;
        }
        EXPECT_GT(onPage, 0) << "page " << p << " names no bay of its own";
        EXPECT_NE(bbox.find(">6000</word>"), std::string::npos) << p;
        EXPECT_NE(bbox.find(">3500</word>"), std::string::npos) << p;
        measured += onPage;
    }
    EXPECT_EQ(names.size(), 41u);
    EXPECT_GT(measured, 0);
    const std::string text = shell("pdftotext '" + pdf + "' -").second;
    EXPECT_NE(text.find("軸組図 Y0 (1/"), std::string::npos);

    // A bay of 60 m does not fit A4 at 1/40, whatever the split: the scale that would is named.
    ASSERT_EQ(shell(std::string(TESSMAR_CLI) + " grid --spans 2,1,1 --pitch-x 60000 --pitch-y 6000 --pitch-z 3500 -o '" +
                    kel + "'").first, 0);
    const auto [refused, why] = shell(draw + "--paper A4 -o '" + pdf + "'");
    EXPECT_EQ(refused, 1);
    EXPECT_NE(why.find("図面の一区画が A4 に入りません。S=1/"), std::string::npos) << why;
}

TEST_F(CliPdf, DrawAllPutsEverySheetOfTheSetInOneNumberedPdfAfterItsIndex)
{
    const fs::path folder = dir / "set";
    const auto [status, out] = shell(std::string(TESSMAR_CLI) + " draw all '" + sample + "' -o '" + folder.string() + "' --pdf");
    ASSERT_EQ(status, 0) << out;
    int dxfFiles = 0;
    for (const auto& e : fs::directory_iterator(folder)) dxfFiles += e.path().extension() == ".dxf";
    const std::string pdf = (folder / "drawing-set.pdf").string();
    EXPECT_NE(out.find(pdf), std::string::npos);
    const int pages = dxfFiles + 1;  // every drawing of the sample fits one sheet, after the index
    const std::string info = shell("pdfinfo -f 1 -l 4 '" + pdf + "'").second;
    EXPECT_NE(info.find("Pages:           " + std::to_string(pages) + "\n"), std::string::npos) << info;
    // Each drawing on the sheet of its own paper: the lists on A3, the framing plan on A1.
    EXPECT_NE(info.find("Page    2 size:  1190.55 x 841.89 pts (A3)"), std::string::npos) << info;
    EXPECT_NE(info.find("Page    4 size:  2383.94 x 1683.78 pts (A1)"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           sample.kel\n"), std::string::npos) << info;
    // The index names every sheet with its number and scale; every title block its place.
    const std::string index = squeezed(shell("pdftotext -f 1 -l 1 '" + pdf + "' -").second);
    EXPECT_NE(index.find("図面リスト図面番号図面名称縮尺S-01図面リスト"), std::string::npos) << index;
    EXPECT_NE(index.find("S-02梁断面リスト1/40S-03柱断面リスト1/40S-04伏図Z0"), std::string::npos) << index;
    for (int page = 1; page <= pages; ++page) {
        const std::string number = (page < 10 ? "S-0" : "S-") + std::to_string(page);
        EXPECT_NE(index.find(number), std::string::npos) << number;
        const std::string p = std::to_string(page);
        const std::string text = squeezed(shell("pdftotext -f " + p + " -l " + p + " '" + pdf + "' -").second);
        EXPECT_NE(text.find(number + "/" + std::to_string(pages)), std::string::npos) << text;
    }
}

// The drawings' DXF files are written beside the PDF's painting: one that cannot be written
// fails the run under its own name, and the set's PDF is not committed.
TEST_F(CliPdf, DrawAllWithThePdfFailsOnADxfFileItCannotWriteAndLeavesNoPdf)
{
    const fs::path folder = dir / "blocked";
    fs::create_directories(folder / "girder-list.dxf");  // a folder where the list's file goes
    const auto [status, out] = shell(std::string(TESSMAR_CLI) + " draw all '" + sample + "' -o '" + folder.string() + "' --pdf");
    EXPECT_EQ(status, 1) << out;
    EXPECT_NE(out.find("girder-list.dxf"), std::string::npos) << out;
    EXPECT_FALSE(fs::exists(folder / "drawing-set.pdf"));
}

TEST_F(CliPdf, AGirderListOf15MarksOn20FloorsGoesOverA1SheetsEveryCellOnce)
{
    testing_support::RecordingPlatform platform;
    model::Session s(platform);
    model::GridSpec spec;
    spec.spanCount = {1, 1, 19};
    ASSERT_GT(model::buildGrid(s, spec), 0);
    // Every cell tells itself apart by its b x D.
    int n = 0;
    for (int floor = 1; floor <= 20; ++floor)
        for (int mark = 1; mark <= 15; ++mark) {
            const std::string b = std::to_string(300 + 10 * mark), d = std::to_string(500 + 10 * floor);
            s.sections[static_cast<size_t>(n)] = {n + 1, "G:" + std::to_string(floor) + ":" + std::to_string(mark),
                                                  std::to_string(floor) + ":G" + std::to_string(mark),
                                                  "RC:" + b + ":" + d + ";3::D22;3::D22;"};
            ++n;
        }
    const std::string kel = (dir / "big.kel").string(), pdf = (dir / "big.pdf").string();
    ASSERT_TRUE(model::writeProject(s, kel).ok);
    const auto [status, err] = shell(std::string(TESSMAR_CLI) + " draw girder-list '" + kel + "' -o '" + pdf + "'");
    ASSERT_EQ(status, 0) << err;
    const std::string info = shell("pdfinfo -f 1 -l 99 '" + pdf + "'").second;
    const size_t pagesAt = info.find("Pages:");
    ASSERT_NE(pagesAt, std::string::npos);
    const int pages = std::stoi(info.substr(pagesAt + 6));
    ASSERT_GT(pages, 1);
    size_t a1 = 0;
    for (size_t at = info.find("(A1)"); at != std::string::npos; at = info.find("(A1)", at + 1)) ++a1;
    EXPECT_EQ(a1, static_cast<size_t>(pages)) << info;
    std::map<std::string, int> cells, marks;
    for (int page = 1; page <= pages; ++page) {
        const std::string p = std::to_string(page);
        const std::string text = shell("pdftotext -f " + p + " -l " + p + " '" + pdf + "' -").second;
        EXPECT_NE(text.find("梁断面リスト (" + p + "/" + std::to_string(pages) + ")"), std::string::npos);
        for (int mark = 1; mark <= 15; ++mark) {
            marks["G" + std::to_string(mark)] += text.find("G" + std::to_string(mark) + "\n") != std::string::npos;
            for (int floor = 1; floor <= 20; ++floor) {
                const std::string bd = std::to_string(300 + 10 * mark) + "×" + std::to_string(500 + 10 * floor);
                cells[bd] += text.find(bd) != std::string::npos;
            }
        }
    }
    ASSERT_EQ(cells.size(), 300u);
    for (const auto& [bd, count] : cells) EXPECT_EQ(count, 1) << bd;
    for (const auto& [mark, count] : marks) EXPECT_GE(count, 1) << mark;
}

TEST_F(CliPdf, TheTitleBlockCarriesTheProjectsTitleFileOrWhatTheCommandLineSays)
{
    const std::string kel = (dir / "titled.kel").string(), pdf = (dir / "titled.pdf").string();
    fs::copy_file(sample, kel);
    ASSERT_TRUE(model::writeProjectTitle(kel, {"〇〇ビル新築工事", "山田太郎"}).ok);
    const std::string draw = std::string(TESSMAR_CLI) + " draw girder-list '" + kel + "' -o '" + pdf + "' ";
    ASSERT_EQ(shell(draw).first, 0);
    std::string text = squeezed(shell("pdftotext '" + pdf + "' -").second);
    EXPECT_NE(text.find("工事名称〇〇ビル新築工事(titled.kel)"), std::string::npos) << text;
    EXPECT_NE(text.find("設計者山田太郎"), std::string::npos) << text;
    ASSERT_EQ(shell(draw + "--designer 鈴木一郎").first, 0);
    text = squeezed(shell("pdftotext '" + pdf + "' -").second);
    EXPECT_NE(text.find("設計者鈴木一郎"), std::string::npos) << text;
    EXPECT_NE(text.find("工事名称〇〇ビル新築工事"), std::string::npos) << text;
    EXPECT_EQ(shell(draw + "--designer \"$(printf 'a\\nb')\"").first, 2);  // a line break cannot be kept
    EXPECT_EQ(model::readProjectTitle(kel).designer, "山田太郎");  // one run's override is not kept
}

// Sheet files of an earlier, larger set go once the new set is written whole, and only they:
// a run that fails keeps the previous set, and files of other names stay.
TEST_F(CliPdf, SheetFilesOfAnEarlierLargerSetGoOnlyAfterTheNewSetIsWritten)
{
    const std::vector<std::string> older{"S-40.dxf", "S-100.dxf"}, others{"S-7.dxf", "S-40.dxf.bak", "S-4a.dxf", "plan.dxf"};
    for (const std::string& name : older) std::ofstream(dir / name) << "old";
    for (const std::string& name : others) std::ofstream(dir / name) << "mine";
    fs::create_directory(dir / "S-03.dxf");  // the new set cannot write its third sheet
    const std::string run = std::string(TESSMAR_CLI) + " draw all '" + sample + "' -o '" + dir.string() + "' --sheets";
    EXPECT_EQ(shell(run).first, 1);
    for (const std::string& name : older) EXPECT_TRUE(fs::exists(dir / name)) << name;

    fs::remove(dir / "S-03.dxf");
    const auto [status, out] = shell(run);
    ASSERT_EQ(status, 0) << out;
    EXPECT_TRUE(fs::is_regular_file(dir / "S-03.dxf"));
    for (const std::string& name : older) EXPECT_FALSE(fs::exists(dir / name)) << name;
    for (const std::string& name : others) EXPECT_TRUE(fs::exists(dir / name)) << name;
}

TEST_F(CliPdf, ASetPdfThatCannotBeWrittenSaysSoOnce)
{
    const fs::path folder = dir / "blocked";
    fs::create_directories(folder / "drawing-set.pdf");  // a folder where the file would go
    const auto [status, out] = shell(std::string(TESSMAR_CLI) + " draw all '" + sample + "' -o '" + folder.string() + "' --pdf");
    EXPECT_EQ(status, 1) << out;
    EXPECT_EQ(out.find("left the"), std::string::npos) << out;  // not blamed on each drawing
    EXPECT_NE(out.find("drawing-set.pdf: "), std::string::npos) << out;
}

TEST_F(CliPdf, LinesPrintWithTheWidthOfTheirPen)
{
    std::map<std::string, std::set<double>> widths;  // colour -> widths, 0.01 mm
    for (const auto& s : girderListStrokes()) {
        EXPECT_GE(s.width, draft::kThinnestPen - 0.005);
        EXPECT_LE(s.width, draft::kWidestPen + 0.005);
        widths[s.colour].insert(std::round(s.width * 100) / 100);
    }
    EXPECT_EQ(widths[kMaroon], std::set<double>{draft::penWidth(3)});
    EXPECT_EQ(widths[kTeal], std::set<double>{draft::penWidth(5)});
    EXPECT_NE(draft::penWidth(3), draft::penWidth(5));
}

TEST_F(CliPdf, SectionWidthMeasuresTrueOnTheGirderList)
{
    testing_support::RecordingPlatform platform;
    model::Session session(platform);
    ASSERT_TRUE(model::readProject(session, sample).ok);
    const double scale = session.settings.draft.ListScale;
    std::set<double> bs;  // every girder section's b at both ends and the middle
    for (const model::SectionEntry& e : session.sections)
        if (e.secID > 0 && e.secKey.rfind(std::string(1, model::kGirderLetter) + ":", 0) == 0)
            for (int end = 0; end < 3; ++end) {
                const double b = draft::girderFigure(e.secSpec, end, session.settings.draft.RodMark).b;
                if (b > 0) bs.insert(b);
            }
    ASSERT_FALSE(bs.empty());
    // The outline's bottom edge: a horizontal stroke of the outline pen, b / S long.
    std::vector<double> edges;
    for (const auto& s : girderListStrokes())
        if (s.colour == kPurple && std::abs(s.width - draft::penWidth(1)) < 0.005)
            for (const auto& g : s.segments)
                if (std::abs(g.y1 - g.y2) < 1e-6) edges.push_back(std::abs(g.x2 - g.x1));
    for (double b : bs) {
        double nearest = 1e9;
        for (double e : edges) nearest = std::min(nearest, std::abs(e - b / scale));
        EXPECT_LT(nearest, 0.1) << "b = " << b << " at 1/" << scale;
    }
}

}  // namespace
