// SPDX-License-Identifier: GPL-3.0-or-later
// The detailing checks against sections worked out by hand: bar fit, pitches, steel ratios,
// covers from the settings, sizes the bar tables lack, and the help page against the rules.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "check/check_report.h"
#include "check/check_rules.h"
#include "settings/settings.h"

using check::Finding;
using check::MemberKind;

namespace {

const settings::CheckLimits kDefaults;

std::vector<Finding> girder(const std::string& spec, bool foundation = false,
                            const settings::CheckLimits& limits = kDefaults)
{
    return check::checkSection({MemberKind::Girder, spec, foundation}, limits);
}
std::vector<Finding> column(const std::string& spec) { return check::checkSection({MemberKind::Column, spec}, kDefaults); }

// "項目|位置|値|基準" of each finding, for comparing whole lists.
std::vector<std::string> lines(const std::vector<Finding>& findings)
{
    std::vector<std::string> out;
    for (const Finding& f : findings) out.push_back(f.item + "|" + f.position + "|" + f.value + "|" + f.limit);
    return out;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(CheckRules, GirderBarsThatDoNotFitAreFoundAtEveryEnd)
{
    // 300 - 2 x (40 + 11) = 198 mm between the stirrups; (198 - 6 x 28) / 5 = 6 mm.
    const std::string six = "RC:300:700:300:700:300:700;6::D25;3::D25;6::D25;3::D25;6::D25;3::D25;2:D10:100;;";
    EXPECT_EQ(lines(girder(six)), (Lines{"主筋のあき|左端 上端 1段目|6 mm|≧ 38.1 mm",
                                         "主筋のあき|中央 上端 1段目|6 mm|≧ 38.1 mm",
                                         "主筋のあき|右端 上端 1段目|6 mm|≧ 38.1 mm"}));
    // 4-D22 in 400: (298 - 100) / 3 = 66 mm against 33.3; stirrups 0.238 %, bars 0.525 %.
    const std::string four = "RC:400:800:400:800:400:800;4::D22;4::D22;4::D22;4::D22;4::D22;4::D22;2:D10:150;;";
    EXPECT_TRUE(girder(four).empty());
    // A coarser aggregate raises the limit to 1.25 x 60 = 75 mm; only the first layer counts.
    settings::CheckLimits coarse;
    coarse.MaxAggregate = 60;
    EXPECT_EQ(girder(four, false, coarse).size(), 6u);
    EXPECT_EQ(girder(four, false, coarse)[0].limit, "≧ 75 mm");
}

TEST(CheckRules, FoundationGirdersTakeTheirOwnCoverAndSecondLayersAreChecked)
{
    // 350 - 2 x (70 + 14) = 182; (182 - 4 x 28) / 3 = 23.3 mm. With 40 mm cover 43.3 mm fits.
    const std::string spec = "RC:350:700:350:700:350:700;4:4:D25;3::D25;3::D25;3::D25;4::D25;3::D25;2:D13:150;;";
    EXPECT_EQ(lines(girder(spec, true)),
              (Lines{"主筋のあき|左端 上端 1段目|23.3 mm|≧ 38.1 mm", "主筋のあき|左端 上端 2段目|23.3 mm|≧ 38.1 mm",
                     "主筋のあき|右端 上端 1段目|23.3 mm|≧ 38.1 mm"}));
    EXPECT_TRUE(girder(spec, false).empty());
}

TEST(CheckRules, StirrupPitchAndRatioUseTheGoverningEnd)
{
    // D/2 = 300 and 250 mm: 300 is too far apart; 2 x 71.33 / (300 x 300) = 0.159 %.
    EXPECT_EQ(lines(girder("RC:300:600:300:600:300:600;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:300;2:D10;")),
              (Lines{"あばら筋間隔||300 mm|≦ 250 mm", "あばら筋比||0.159 %|≧ 0.2 %"}));
    // A centre 400 deep governs the pitch (200 mm), the widest end the ratio: 4 x 71.33 / (500 x 220).
    EXPECT_EQ(lines(girder("RC:500:800:300:400:300:800;;;;;;;4:D10:220;")),
              (Lines{"あばら筋間隔||220 mm|≦ 200 mm"}));
}

TEST(CheckRules, ColumnHoopsMainBarsAndTheirDirections)
{
    // 600 x 600, 12-D25 (1.69 %), clear 126.7 mm: only the pitch of 150 is wrong.
    EXPECT_EQ(lines(column("RC:600:600;4:4:D25;2:2:D13:150;")), (Lines{"帯筋間隔||150 mm|≦ 100 mm"}));
    // 300 x 300 with 4-D13: 4 x 126.7 / 90 000 = 0.563 %.
    EXPECT_EQ(lines(column("RC:300:300;2:2:D13;2:2:D10:100;")), (Lines{"柱主筋量||0.563 %|≧ 0.8 %"}));
    // Dx 800, Dy 400: X legs share Dy (0.357 %), Y legs share Dx (0.178 %).
    EXPECT_EQ(lines(column("RC:800:400;3:3:D22;2:2:D10:100;")), (Lines{"帯筋比|Y方向|0.178 %|≧ 0.2 %"}));
    // Too few bars, each face counted: 2 x 1 + 2 x 2 - 4 = 2.
    EXPECT_EQ(lines(column("RC:500:500;1:2:D29;2:2:D13:100;")),
              (Lines{"柱主筋本数||2 本|≧ 4 本", "柱主筋量||0.514 %|≧ 0.8 %"}));
    // Main bars too close on the X face only: 400 - 2 x 51 = 298; (298 - 6 x 28) / 5 = 26.
    EXPECT_EQ(lines(column("RC:400:600;6:3:D25;2:2:D10:100;")), (Lines{"主筋のあき|X面|26 mm|≧ 38.1 mm"}));
    // Typed counts beyond what int arithmetic holds are counted, not overflowed.
    EXPECT_EQ(column("RC:600:600;2000000000:2000000000:D25;2:2:D13:100;")[0].item, "主筋のあき");
}

TEST(CheckRules, ASizeOutsideTheBarTablesStopsTheSection)
{
    // The pitch of 150 would fail too, but a section with an unknown size cannot be checked.
    const std::vector<Finding> f = column("RC:600:600;4:4:D25;2:2:U11.8:150;");
    ASSERT_EQ(lines(f), (Lines{"鉄筋径|帯筋|U11.8|D10～D51、9φ～32φ"}));
    EXPECT_EQ(f[0].grade, check::Grade::Fails);
    // Round bars are in the tables: 13φ hoops have d = d_o = 13.
    EXPECT_EQ(lines(column("RC:600:600;4:4:D25;2:2:13φ:150;")), (Lines{"帯筋間隔||150 mm|≦ 100 mm"}));
}

TEST(CheckRules, TensionRatioIsAdvisoryAndEmptySectionsSayNothing)
{
    // 3-D22 in 400 x 900: d = 900 - (40 + 11 + 11.1) = 837.9; 1161.3 / (400 x 837.9) = 0.346 %.
    const std::vector<Finding> f = girder("RC:400:900:400:900:400:900;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:100;;");
    ASSERT_EQ(lines(f), (Lines{"引張鉄筋比|左端 上端|0.346 %|≧ 0.4 %", "引張鉄筋比|中央 下端|0.346 %|≧ 0.4 %",
                               "引張鉄筋比|右端 上端|0.346 %|≧ 0.4 %"}));
    EXPECT_EQ(f[0].grade, check::Grade::Advisory);
    EXPECT_EQ(std::string(check::gradeText(f[0].grade)), "参考");
    EXPECT_TRUE(girder("").empty());
    EXPECT_TRUE(girder(":;::;").empty());
    EXPECT_TRUE(column("RC:600:600;;;").empty());
}

TEST(CheckReport, SortedByKindLevelFromTheTopAndMark)
{
    model::SectionTable table{};
    auto put = [&table, id = 0](const char* key, const char* name, const char* spec) mutable {
        table[static_cast<size_t>(id)] = {id + 1, key, name, spec};
        ++id;
    };
    const char* thinColumn = "RC:300:300;2:2:D13;2:2:D10:100;";
    const char* wideStirrups = "RC:300:600:300:600:300:600;;;;;;;2:D10:250;";  // 0.190 %
    put("C:2:1", "2:C1", thinColumn);
    put("G:1:2", "1:G2", wideStirrups);
    put("G:1:1", "1:G1", wideStirrups);
    put("G:3:1", "R:G1", wideStirrups);
    put("G:2:1", "2:G1", "");
    const check::Report r = check::checkProject(table, kDefaults);
    EXPECT_EQ(r.sections, 4);
    std::string order;
    for (const check::ReportRow& row : r.rows) order += row.levelText + row.mark + " ";
    EXPECT_EQ(order, "RG1 1G1 1G2 2C1 ");
    const std::string csv = check::reportCsv(r);
    EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), "種別,階,符号,位置,項目,値,基準,区分,根拠\r\n");
    EXPECT_NE(csv.find("\r\n柱,2,C1,,柱主筋量,0.563 %,≧ 0.8 %,不適合,建築基準法施行令 第77条\r\n"), std::string::npos);
    EXPECT_EQ(check::reportText(check::checkProject(model::SectionTable{}, kDefaults)), "指摘はありません。\n");
}

// The help page names every rule with its limit, settings and source, as the table has them.
TEST(CheckReport, HelpPageDescribesEveryRule)
{
    std::ifstream in(std::string(TESSMAR_SOURCE_DIR) + "/docs/checks.html");
    ASSERT_TRUE(in) << "docs/checks.html";
    std::stringstream page;
    page << in.rdbuf();
    const std::string html = page.str();
    auto escaped = [](std::string s) {
        for (size_t p = 0; (p = s.find('&', p)) != std::string::npos; p += 5) s.replace(p, 1, "&amp;");
        return s;
    };
    for (const check::Rule& rule : check::rules()) {
        const std::string row = "<td>" + escaped(rule.item) + "</td>";
        const size_t at = html.find(row);
        ASSERT_NE(at, std::string::npos) << rule.item;
        const std::string rest = html.substr(at, html.find("</tr>", at) - at);
        for (const char* text : {rule.members, rule.compared, rule.limit, rule.settings, rule.source})
            EXPECT_NE(rest.find("<td>" + escaped(text) + "</td>"), std::string::npos) << rule.item << ": " << text;
    }
    std::ifstream index(std::string(TESSMAR_SOURCE_DIR) + "/docs/index.html");
    std::stringstream indexText;
    indexText << index.rdbuf();
    EXPECT_NE(indexText.str().find("href=\"checks.html\""), std::string::npos);
}
