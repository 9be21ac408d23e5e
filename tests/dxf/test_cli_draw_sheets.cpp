// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli draw all --sheets: the sheets of the PDF set of the same run as DXF files, one per
// page, each read back clean by ezdxf with its title block and the paper's outline at S times
// the page's size.
#include <gtest/gtest.h>

#include <cmath>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "ezdxf_read.h"
#include "support/shell.h"

namespace fs = std::filesystem;
using testing_support::shell;

namespace {

// Millimetres of page `page` of the PDF, from pdfinfo's points.
std::pair<double, double> pageSize(const std::string& pdf, int page)
{
    const std::string p = std::to_string(page);
    const std::string info = shell("pdfinfo -f " + p + " -l " + p + " '" + pdf + "'").second;
    const size_t at = info.find("size:");
    if (at == std::string::npos) return {0, 0};
    const double w = std::stod(info.substr(at + 5)), h = std::stod(info.substr(info.find(" x ", at) + 3));
    return {w * 25.4 / 72, h * 25.4 / 72};
}

TEST(CliDrawSheets, EveryPdfPageIsADxfSheetOfTheSameSizeTimesItsScaleWithItsTitleBlock)
{
    if (shell("command -v pdfinfo").first != 0) GTEST_SKIP() << "poppler-utils is not installed";
    const fs::path dir = fs::temp_directory_path() / ("tessmar_cli_sheets_" + std::to_string(::getpid()));
    const std::string sample = TESSMAR_SOURCE_DIR "/samples/sample.kel";
    // A2 splits the framing drawings of the sample at grid lines.
    const auto [status, out] = shell(std::string(TESSMAR_CLI) + " draw all '" + sample + "' -o '" + dir.string() +
                                     "' --pdf --sheets --paper A2 --project-title テスト工事 --designer 設計一郎");
    ASSERT_EQ(status, 0) << out;
    const std::string pdf = (dir / "drawing-set.pdf").string();
    const std::string info = shell("pdfinfo '" + pdf + "'").second;
    const int pages = std::stoi(info.substr(info.find("Pages:") + 6));
    ASSERT_GT(pages, 3);
    int sheetFiles = 0;
    for (const auto& e : fs::directory_iterator(dir)) sheetFiles += e.path().filename().string().rfind("S-", 0) == 0;
    EXPECT_EQ(sheetFiles, pages);

    int matchLines = 0, upDimensions = 0;
    for (int page = 1; page <= pages; ++page) {
        const std::string number = (page < 10 ? "S-0" : "S-") + std::to_string(page);
        const std::string file = (dir / (number + ".dxf")).string();
        EXPECT_NE(out.find(file), std::string::npos) << number;
        const dxf_test::ReadBack r = dxf_test::readWithEzdxf(file);
        if (r.ezdxfMissing) GTEST_SKIP() << "python3-ezdxf is not installed";
        ASSERT_TRUE(r.ok) << r.output;
        EXPECT_EQ(r.auditErrors, 0) << number << r.output;
        EXPECT_EQ(r.encoding, "cp932");
        EXPECT_EQ(r.lineTypes.count("CONTINUOUS"), 1u);
        double scale = 0;
        bool numbered = false, project = false, designer = false;
        for (const dxf_test::ReadText& t : r.texts) {
            if (t.text.rfind("S=1/", 0) == 0) {
                scale = std::stod(t.text.substr(4));
                numbered = t.text.find(number + " / " + std::to_string(pages)) != std::string::npos;
            }
            project = project || t.text.rfind("工事名称 テスト工事", 0) == 0;
            designer = designer || t.text.find("設計者 設計一郎") != std::string::npos;
            matchLines += t.text.rfind("合わせ線 ", 0) == 0;
            // A part's own storey or bay dimensions read upwards beside it, on layer 0 with the sheet.
            upDimensions += t.layer == "0" && std::fabs(t.rotation - 90) < 1e-6 && !t.text.empty() &&
                            t.text.find_first_not_of("0123456789") == std::string::npos;
        }
        EXPECT_TRUE(numbered && project && designer) << number << r.output;
        ASSERT_GT(scale, 0) << number;
        // Every line, clipped at the part's edges, within the paper's outline: the outline is the box.
        const auto [w, h] = pageSize(pdf, page);
        ASSERT_EQ(r.linesBox.size(), 4u) << number;
        EXPECT_NEAR(r.linesBox[0], 0, 1e-6) << number;
        EXPECT_NEAR(r.linesBox[1], 0, 1e-6) << number;
        EXPECT_NEAR(r.linesBox[2], w * scale, 0.5) << number;
        EXPECT_NEAR(r.linesBox[3], h * scale, 0.5) << number;
    }
    EXPECT_GT(matchLines, 0);
    EXPECT_GT(upDimensions, 0);
    fs::remove_all(dir);
}

}  // namespace
