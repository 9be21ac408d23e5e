// SPDX-License-Identifier: GPL-3.0-or-later
// A sheet in model space: the part of the drawing its piece holds, moved to where the sheet puts
// it times S, lines clipped at the piece's edge, texts kept by their anchor, and the paper's
// outline and title block at S times their millimetres.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <unistd.h>

#include "draft/dxf_sheets.h"
#include "model/element_store.h"
#include "model/grid.h"
#include "model/project_file.h"
#include "session/session.h"
#include "model/text_buffer.h"
#include "support/recording_platform.h"

namespace {

model::Element lineFrom(double x1, double y1, double x2, double y2)
{
    model::Element e;
    e.kind = model::kind::LINE;
    e.ndata = 1;
    e.showAge = 1;
    e.LY = 5;
    e.X1 = x1;
    e.Y1 = y1;
    e.X2 = x2;
    e.Y2 = y2;
    return e;
}

TEST(DxfSheets, APieceOfTheDrawingLandsOnItsSheetTimesTheScaleWithFrameAndTitle)
{
    testing_support::RecordingPlatform platform;
    model::Session session(platform);
    session.store.records().push_back(lineFrom(-1000, 0, 1000, 0));  // crosses the piece's left edge
    session.store.records().push_back(lineFrom(-3000, 0, -2000, 0));  // wholly left of it
    session.texts.addMoji(7, "IN", 0, 0, 100, 500, 100, "7", 0);
    session.texts.addMoji(7, "OUT", 0, 0, 100, -500, 100, "7", 0);

    draft::Sheet sheet;
    sheet.paper = "A3";
    sheet.width = 420;
    sheet.height = 297;
    sheet.scale = 10;
    sheet.pieces.push_back({0, -500, 2000, 500, {0, -500}, {20, 50}});
    const draft::SheetItems items{{0, 1}, {0, 1}};
    model::ElementStore store;
    model::TextBuffer texts;
    draft::sheetInModelSpace(session, sheet, items, {"梁断面リスト (2/4)", "sample.kel", "S=1/10", "2026-12-08"}, store,
                             texts);

    // The piece's point (0, -500) lies at (20, 50) mm of the sheet: 10 times that in the file.
    ASSERT_GE(store.count(), 1);
    const model::Element& clipped = store.at(0);
    EXPECT_NEAR(clipped.X1, 200, 1e-4);  // clipped at the edge, give or take its tolerance
    EXPECT_DOUBLE_EQ(clipped.Y1, 1000);
    EXPECT_NEAR(clipped.X2, 1200, 1e-4);
    EXPECT_DOUBLE_EQ(clipped.Y2, 1000);
    EXPECT_EQ(clipped.LY, 5);
    double maxX = 0, maxY = 0;
    int lines = 0;
    for (int i = -1; store.nextLive(i);) {
        maxX = std::max({maxX, store.at(i).X1, store.at(i).X2});
        maxY = std::max({maxY, store.at(i).Y1, store.at(i).Y2});
        EXPECT_GE(std::min(store.at(i).X1, store.at(i).X2), -1e-4) << "nothing left of the paper";
        ++lines;
    }
    EXPECT_DOUBLE_EQ(maxX, 4200);  // the paper's outline, 420 x 297 mm at 1/10
    EXPECT_DOUBLE_EQ(maxY, 2970);
    EXPECT_EQ(lines, 1 + 4 + 4 + 3);  // the clipped line, the outline, the title block and its rules

    ASSERT_EQ(texts.count(), 1 + 4);  // "OUT" stays off: its anchor is not on the piece
    EXPECT_EQ(texts.at(0).text, "IN");
    EXPECT_DOUBLE_EQ(texts.at(0).x, 700);
    EXPECT_DOUBLE_EQ(texts.at(0).y, 1100);
    EXPECT_DOUBLE_EQ(texts.at(0).height, 100);
    EXPECT_EQ(texts.at(1).text, "梁断面リスト (2/4)");
    EXPECT_DOUBLE_EQ(texts.at(1).height, 40);  // 4 mm of paper
    EXPECT_DOUBLE_EQ(texts.at(1).x, (420 - 10 - 100 + 2) * 10.0);
}

// The layout pass keeps the drawings that fit its budget for the writer instead of generating
// them again: the sheets come out the same byte for byte either way.
TEST(DxfSheets, KeptDrawingsGiveTheSameSheetsAsDrawingsGeneratedAgain)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("tessmar_dxf_sheets_" + std::to_string(::getpid()));
    auto sheets = [&](const std::string& name, size_t keepBytes) {
        testing_support::RecordingPlatform platform;
        model::Session session(platform);
        EXPECT_TRUE(model::readProject(session, TESSMAR_SOURCE_DIR "/samples/sample.kel").ok);
        model::makeGridNames(session.grid, session.settings.draft.gridNaming);
        fs::create_directories(dir / name);
        draft::DxfSheetFiles writer((dir / name).string(), {});
        draft::NumberedSet set;
        set.paper = "A2";  // some drawings split
        set.projectPath = "sample.kel";
        set.date = "2026-12-08";
        set.keepBytes = keepBytes;
        EXPECT_EQ(draft::writeNumberedSet(session, set, writer), "");
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(dir / name)) {
            std::ifstream in(e.path(), std::ios::binary);
            files[e.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
        }
        return files;
    };
    const auto again = sheets("again", 0), kept = sheets("kept", size_t{1} << 30);
    fs::remove_all(dir);
    EXPECT_GT(again.size(), 10u);
    EXPECT_TRUE(again == kept);
}

}  // namespace
