// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli check as a black box: the sample project's findings as CP932 CSV and as text,
// covers from the settings file, a project with nothing to find, and wrong usage.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "model/encoding.h"
#include "support/shell.h"
#include "support/temp_dir.h"

namespace {

class CliCheck : public testing_support::TempDirTest {
protected:
    std::pair<int, std::string> cli(const std::string& args) const
    {
        return testing_support::shell(std::string(TESSMAR_CLI) + " " + args);
    }
    // The CSV's lines without their CR, after checking that every line has one.
    std::vector<std::string> csvLines(const std::string& file) const
    {
        const std::string text = model::cp932ToUtf8(readBytes(file));
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            EXPECT_EQ(line.back(), '\r') << line;
            line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    const std::string sample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";
};

// The sample's G1 (400 x 900, 3-D22, 2-D10 @200) on each level: stirrups 2 x 71.33 / (400 x 200)
// = 0.178 %, and three advisory tension ratios. Its foundation G2 (350 wide, 4-D25 at the ends)
// under 70 mm of cover: (350 - 2 x 84 - 4 x 28) / 3 = 23.3 mm between the bars. The columns pass.
TEST_F(CliCheck, SampleReportAsCsvAndText)
{
    const auto [status, out] = cli("check " + sample + " -o " + path("check.csv"));
    ASSERT_EQ(status, 0) << out;
    const std::vector<std::string> lines = csvLines(path("check.csv"));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0], "種別,階,符号,位置,項目,値,基準,区分,根拠");
    EXPECT_EQ(lines[1], "梁,R,G1,,あばら筋比,0.178 %,≧ 0.2 %,不適合,RC規準 (日本建築学会)");
    EXPECT_EQ(lines[2], "梁,R,G1,左端 上端,引張鉄筋比,0.346 %,≧ 0.4 %,参考,RC規準 (日本建築学会)");
    EXPECT_EQ(lines[13], "梁,1,G2,左端 上端 1段目,主筋のあき,23.3 mm,≧ 38.1 mm,不適合,公共建築工事標準仕様書、JASS 5");
    int advisory = 0;
    for (const std::string& l : lines) advisory += l.find(",参考,") != std::string::npos;
    EXPECT_EQ(advisory, 9);

    const auto [textStatus, text] = cli("check " + sample);
    EXPECT_EQ(textStatus, 0);
    EXPECT_NE(text.find("梁    1   G2    右端 上端 1段目  主筋のあき  23.3 mm  ≧ 38.1 mm  不適合"), std::string::npos) << text;
}

TEST_F(CliCheck, CoversComeFromTheSettingsAndNothingFoundIsSaid)
{
    writeBytes(path("check.ini"), "[Check]\r\nCoverFoundation=\"40\"\r\n");
    const auto [status, text] = cli("check " + sample + " --settings " + path("check.ini"));
    ASSERT_EQ(status, 0) << text;
    EXPECT_EQ(text.find("主筋のあき"), std::string::npos) << text;
    EXPECT_NE(text.find("あばら筋比"), std::string::npos);

    ASSERT_EQ(cli("grid --spans 1,1,1 --pitch-x 6000 --pitch-y 6000 --pitch-z 3000 -o " + path("empty.kel")).first, 0);
    EXPECT_EQ(cli("check " + path("empty.kel")), std::make_pair(0, std::string("指摘はありません。\n")));
    ASSERT_EQ(cli("check " + path("empty.kel") + " -o " + path("empty.csv")).first, 0);
    EXPECT_EQ(csvLines(path("empty.csv")), std::vector<std::string>{"種別,階,符号,位置,項目,値,基準,区分,根拠"});

    EXPECT_EQ(cli("check " + sample + " --bogus x").first, 2);
    EXPECT_EQ(cli("check " + path("missing.kel")).first, 1);
    std::filesystem::copy_file(sample, path("own.kel"));
    EXPECT_EQ(cli("check " + path("own.kel") + " -o " + path("own.kel")).first, 1);
    EXPECT_EQ(readBytes(path("own.kel")), readBytes(sample));
}

}  // namespace
