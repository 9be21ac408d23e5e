// SPDX-License-Identifier: GPL-3.0-or-later
// An ST-Bridge file becomes a project as the grid command and member designation would make
// it: levels and grid lines, RC members on the wire frame, sections keyed by kind, level and
// mark with their bars; what is left out or changed is in the report; what cannot be
// understood is refused with its line and nothing is made.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "exchange/stb_import.h"
#include "exchange/stb_reader.h"
#include "model/element.h"

using namespace exchange::stb;
namespace kind = model::kind;

namespace {

const std::string kData = std::string(TESSMAR_SOURCE_DIR) + "/tests/data/stb/";

std::array<model::GridNaming, 3> defaultNaming()
{
    std::array<model::GridNaming, 3> n;
    const char* letters[3] = {"X", "Y", "Z"};
    for (int a = 0; a < 3; ++a) n[a].moji2 = letters[a], n[a].num2 = "0";
    return n;
}

ImportResult importFile(const std::string& name) { return importStbFile(kData + name, defaultNaming()); }

// A file around a model body: stories and axes as given, the rest of StbModel as given.
std::string wrap(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<ST_BRIDGE xmlns=\"https://www.building-smart.or.jp/dl\" version=\"2.0.2\">\n"
           "<StbCommon project_name=\"t\" app_name=\"t\" app_version=\"1\"/>\n<StbModel>\n" +
           body + "</StbModel>\n</ST_BRIDGE>\n";
}

const std::string kStories = "<StbStories><StbStory id=\"1\" name=\"1FL\" height=\"0\" kind=\"GENERAL\"/>"
                             "<StbStory id=\"2\" name=\"2FL\" height=\"3000\" kind=\"GENERAL\"/></StbStories>\n";

ImportResult importText(const std::string& xml)
{
    ReadResult read = readStbBytes(xml, "t.stb");
    if (!read.ok) {
        ImportResult r;
        r.message = read.message;
        return r;
    }
    return mapStb(read.file, defaultNaming());
}

const model::SectionEntry* entry(const ImportResult& r, const std::string& secName)
{
    for (const auto& e : *r.project.sections)
        if (e.secID > 0 && e.secName == secName) return &e;
    return nullptr;
}

int count(const ImportResult& r, int kindCode)
{
    int n = 0;
    for (int i = -1; r.project.store.nextLive(i);)
        if (r.project.store.at(i).kind == kindCode) ++n;
    return n;
}

bool reports(const ImportResult& r, const std::string& text)
{
    return std::any_of(r.report.begin(), r.report.end(), [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

// The specification string of the one section a file of sections only gives.
std::string specOfOnly(const std::string& sections)
{
    ReadResult read = readStbBytes(wrap("<StbSections>" + sections + "</StbSections>"), "t.stb");
    EXPECT_TRUE(read.ok) << read.message;
    return read.ok && !read.file.sections.empty() ? sectionSpec(read.file.sections.front()).spec : std::string();
}

}  // namespace

TEST(StbImport, Version202MakesTheGridMembersAndSections)
{
    const ImportResult r = importFile("frame202.stb");
    ASSERT_TRUE(r.ok) << r.message;
    const model::GridModel& g = r.project.grid;
    EXPECT_EQ(g.spanCount[0], 2);
    EXPECT_EQ(g.position(model::AXIS_X, 2), 12000);
    EXPECT_EQ(g.position(model::AXIS_Y, 1), 8000);
    EXPECT_EQ(g.position(model::AXIS_Z, 2), 7000);

    // Girders on the top level are "R", columns keyed by the storey of their foot; marks G1
    // before G2 share their numbers over the levels.
    const model::SectionEntry* g1 = entry(r, "2:G1");
    ASSERT_TRUE(g1);
    EXPECT_EQ(g1->secKey, "G:2:1");
    EXPECT_EQ(g1->secSpec, "RC:450:800:450:800:450:800;5::D22;3::D22;3::D22;5::D22;4::D22;3::D22;3:D13:100;:;");
    ASSERT_TRUE(entry(r, "R:G1"));
    EXPECT_EQ(entry(r, "R:G1")->secKey, "G:3:1");
    ASSERT_TRUE(entry(r, "2:G2"));
    EXPECT_EQ(entry(r, "2:G2")->secKey, "G:2:2");
    EXPECT_EQ(entry(r, "2:G2")->secSpec, "RC:500:900:500:800:500:900;4:2:D25;4::D25;4:2:D25;4::D25;4:2:D25;4::D25;2:D13:150;4:D10;")
        << "haunch by position, second layer, web bars";
    ASSERT_TRUE(entry(r, "2:B1"));
    EXPECT_EQ(entry(r, "2:B1")->secSpec, "RC:300:600:300:600:300:600;3::D19;2::D19;3::D19;2::D19;2::D19;3::D19;2:D10:200;:;")
        << "START and END, the centre as the start";
    ASSERT_TRUE(entry(r, "1:C1") && entry(r, "2:C1"));
    EXPECT_EQ(entry(r, "1:C1")->secSpec, "RC:800:800;5:5:D29;3:3:U11.8:100;");

    // Every frame segment under a member became that member; the two-span girder two of them.
    EXPECT_EQ(count(r, kind::COLUMN), 12);
    EXPECT_EQ(count(r, kind::GIRDER), 7);
    EXPECT_EQ(count(r, kind::BEAM), 1);
    for (int i = -1; r.project.store.nextLive(i);) {
        const model::Element& e = r.project.store.at(i);
        if (e.kind == kind::GIRDER && e.secID == entry(r, "2:G2")->secID) {
            EXPECT_DOUBLE_EQ(e.OZ, -450) << "top flush with the level";
        }
        if (e.kind == kind::BEAM) {
            EXPECT_DOUBLE_EQ(e.X1, 3000) << "a small beam off the grid stays where it is";
        }
    }

    EXPECT_TRUE(r.project.namingFound[0] && r.project.namingFound[1] && r.project.namingFound[2]);
    EXPECT_EQ(r.project.naming[2].mode, 3);
    EXPECT_EQ(r.project.naming[2].moji3, "FL");
    EXPECT_TRUE(reports(r, "StbGirder (S) 1"));
    EXPECT_TRUE(reports(r, "StbSlab 1"));
    EXPECT_TRUE(reports(r, "StbSecBeam_S 1"));
    EXPECT_TRUE(reports(r, "U11.8"));
    EXPECT_TRUE(reports(r, "StbBeam B1 (id 201, 68行目)"));
    EXPECT_TRUE(reports(r, "StbGirder G1 (id 102, 60行目)")) << "runs the other way with different ends";
}

TEST(StbImport, Version210OrderedPartsShiftAndRoundColumn)
{
    const ImportResult r = importFile("frame210.stb");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.project.grid.position(model::AXIS_X, 0), 0) << "moved by 3000 so that none is negative";
    EXPECT_EQ(r.project.grid.position(model::AXIS_X, 2), 10000);
    EXPECT_EQ(r.project.grid.position(model::AXIS_Y, 1), 6000) << "angle 180 measures the other way";
    EXPECT_TRUE(reports(r, "3000 mm"));
    ASSERT_TRUE(entry(r, "R:G1"));
    EXPECT_EQ(entry(r, "R:G1")->secSpec, "RC:400:900:400:700:400:900;4:2:D22;3::D22;4:2:D22;3::D22;4:2:D22;3::D22;2:D10:200;2:D10;");
    ASSERT_TRUE(entry(r, "1:C1"));
    EXPECT_EQ(entry(r, "1:C1")->secSpec, "RC:700:650;4:3:D25;2:2:KH13:100;");
    EXPECT_EQ(count(r, kind::COLUMN), 5);
    EXPECT_TRUE(reports(r, "円形の柱 1"));
    EXPECT_FALSE(reports(r, "階も分からない断面")) << "the round column's section is not an unused one";
    EXPECT_TRUE(reports(r, "1FL→Z0, RFL→Z1")) << "story names no scheme makes";
    EXPECT_EQ(r.project.naming[0].mode, 1);
    for (int i = -1; r.project.store.nextLive(i);) {
        if (r.project.store.at(i).kind == kind::GIRDER) {
            EXPECT_GE(r.project.store.at(i).X1, 0);
        }
    }
}

TEST(StbImport, ShiftJisFileIsDecodedAndTheColumnHeadTaken)
{
    const ImportResult r = importFile("frame201_sjis.stb");
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_TRUE(entry(r, "R:大梁1"));
    EXPECT_EQ(entry(r, "R:大梁1")->secSpec, "RC:400:800:400:800:400:700;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:0;:;")
        << "a pitch of 0.0, which the schema does not allow, is read as written";
    ASSERT_TRUE(entry(r, "1:柱1"));
    EXPECT_EQ(entry(r, "1:柱1")->secSpec, "RC:600:600;4:4:D25;2:2:D13:100;");
    EXPECT_EQ(r.project.naming[1].mode, 1);
    EXPECT_EQ(r.project.naming[1].moji1, "Ａ") << "double-byte names step their code";
}

TEST(StbImport, TheIssuesExampleSectionsInEveryLayout)
{
    const std::string girder = "RC:450:800:450:800:450:800;5::D22;3::D22;3::D22;5::D22;5::D22;3::D22;3:D13:100;:;";
    auto bars = [](const char* pos, int top, int bottom) {
        return std::string("<StbSecBarBeam_RC_ThreeTypes pos=\"") + pos + "\" D_main=\"D22\" D_stirrup=\"D13\" N_main_top_1st=\"" +
               std::to_string(top) + "\" N_main_bottom_1st=\"" + std::to_string(bottom) + "\" N_stirrup=\"3\" pitch_stirrup=\"100\"/>";
    };
    EXPECT_EQ(specOfOnly("<StbSecBeam_RC id=\"1\" name=\"G1\"><StbSecFigureBeam_RC><StbSecBeam_RC_Straight width=\"450\" depth=\"800\"/>"
                         "</StbSecFigureBeam_RC><StbSecBarArrangementBeam_RC>" +
                         bars("END", 5, 3) + bars("START", 5, 3) + bars("CENTER", 3, 5) + "</StbSecBarArrangementBeam_RC></StbSecBeam_RC>"),
              girder)
        << "2.0.2, positions in any order";
    auto main21 = [](const char* pos, int n) {
        return std::string("<StbSecBarBeamSimpleMain pos=\"") + pos + "\" step=\"1\" D=\"D22\" N=\"" + std::to_string(n) + "\"/>";
    };
    auto order21 = [&](int order, int top, int bottom) {
        return "<StbSecBarArrangementBeam_RC order=\"" + std::to_string(order) +
               "\"><StbSecBarBeamSimple D_stirrup=\"D13\" N_stirrup=\"3\" pitch_stirrup=\"100\">" + main21("TOP", top) +
               main21("BOTTOM", bottom) + "</StbSecBarBeamSimple></StbSecBarArrangementBeam_RC>";
    };
    EXPECT_EQ(specOfOnly("<StbSecBeam_RC id=\"1\" name=\"G1\"><StbSecFigureBeam_RC order=\"1\"><StbSecBeamStraight width=\"450\" depth=\"800\"/>"
                         "</StbSecFigureBeam_RC>" +
                         order21(1, 5, 3) + order21(2, 3, 5) + order21(3, 5, 3) + "</StbSecBeam_RC>"),
              girder)
        << "2.1.0, three ordered arrangements";
    EXPECT_EQ(specOfOnly("<StbSecColumn_RC id=\"1\" name=\"C1\"><StbSecFigureColumn_RC><StbSecColumn_RC_Rect width_X=\"800\" width_Y=\"800\"/>"
                         "</StbSecFigureColumn_RC><StbSecBarArrangementColumn_RC><StbSecBarColumn_RC_RectSame D_main=\"D29\" "
                         "D_band=\"D13\" N_main_X_1st=\"5\" N_main_Y_1st=\"5\" N_main_total=\"16\" pitch_band=\"100\" "
                         "N_band_direction_X=\"3\" N_band_direction_Y=\"3\"/></StbSecBarArrangementColumn_RC></StbSecColumn_RC>"),
              "RC:800:800;5:5:D29;3:3:D13:100;");
    EXPECT_EQ(specOfOnly("<StbSecColumn_RC id=\"1\" name=\"C1\"><StbSecFigureColumn_RC><StbSecColumnRect width_X=\"800\" width_Y=\"800\"/>"
                         "</StbSecFigureColumn_RC><StbSecBarArrangementColumn_RC><StbSecBarColumnRectSame>"
                         "<StbSecBarColumnRectSameSimple D_main=\"D29\" N_X=\"5\" N_Y=\"5\" D_hoop=\"D13\" N_hoop_X=\"3\" "
                         "N_hoop_Y=\"3\" pitch_hoop=\"100\"/></StbSecBarColumnRectSame></StbSecBarArrangementColumn_RC></StbSecColumn_RC>"),
              "RC:800:800;5:5:D29;3:3:D13:100;");
}

TEST(StbImport, WhatCannotBeUnderstoodIsRefusedWithItsLine)
{
    const std::string xAxes = "<StbAxes><StbParallelAxes group_name=\"X\" X=\"0\" Y=\"0\" angle=\"90\">"
                              "<StbParallelAxis id=\"1\" name=\"X1\" distance=\"0\"/></StbParallelAxes>";
    ImportResult r = importText(wrap(kStories + xAxes + "<StbParallelAxes group_name=\"斜め\" X=\"0\" Y=\"0\" angle=\"30\">"
                                               "<StbParallelAxis id=\"2\" name=\"A\" distance=\"0\"/></StbParallelAxes></StbAxes>"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("斜め"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("30°"), std::string::npos) << r.message;

    r = importText(wrap(kStories + xAxes + "<StbArcAxes group_name=\"円\" X=\"0\" Y=\"0\" start_angle=\"0\" end_angle=\"90\">"
                                          "<StbArcAxis id=\"3\" name=\"R1\" radius=\"5000\"/></StbArcAxes></StbAxes>"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("円 (StbArcAxes"), std::string::npos) << r.message;

    r = importText(wrap(kStories + "<StbNodes>\n<StbNode id=\"1\" X=\"0\" Y=\"0\" Z=\"0\" kind=\"ON_GRID\">\n</StbNodes>\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("t.stb 8行目"), std::string::npos) << r.message;

    r = importText(wrap(xAxes + "</StbAxes>"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("StbStory"), std::string::npos) << r.message;

    r = importText(wrap(kStories + "<StbMembers><StbColumns>\n<StbColumn id=\"1\" name=\"C1\" id_node_bottom=\"1\" id_node_top=\"9\" "
                                   "id_section=\"1\" kind_structure=\"RC\"/></StbColumns></StbMembers>"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("7行目"), std::string::npos) << r.message;

    std::string many = "<StbAxes><StbParallelAxes group_name=\"Y\" X=\"0\" Y=\"0\" angle=\"0\">";
    for (int i = 0; i < 102; ++i)
        many += "<StbParallelAxis id=\"" + std::to_string(i + 1) + "\" name=\"Y" + std::to_string(i) + "\" distance=\"" +
                std::to_string(i * 1000) + "\"/>";
    r = importText(wrap(kStories + many + "</StbParallelAxes></StbAxes>"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("102"), std::string::npos) << r.message;

    std::string sections = "<StbSections>";
    for (int i = 1; i <= 501; ++i)
        sections += "<StbSecBeam_RC id=\"" + std::to_string(i) + "\" name=\"G" + std::to_string(i) + "\" floor=\"2FL\"/>";
    r = importText(wrap(kStories + sections + "</StbSections>"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("501"), std::string::npos) << r.message;
    EXPECT_TRUE(r.report.empty());
}

TEST(StbImport, MarksAreNumberedNaturallyAndReversedEndsSwapped)
{
    EXPECT_TRUE(markNameBefore("G2", "G10"));
    EXPECT_FALSE(markNameBefore("G10", "G2"));
    EXPECT_TRUE(markNameBefore("G1", "G1A"));
    EXPECT_TRUE(markNameBefore("FG1", "G1"));
    EXPECT_EQ(swapGirderEnds("RC:400:900:400:800:500:700;1::D22;2::D22;3::D22;4::D22;5:1:D22;6::D22;2:D10:200;:;"),
              "RC:500:700:400:800:400:900;5:1:D22;6::D22;3::D22;4::D22;1::D22;2::D22;2:D10:200;:;");

    model::GridNaming n;
    EXPECT_TRUE(findNamingScheme({"Y0", "Y1", "Y2"}, n));
    EXPECT_EQ(n.mode, 2);
    EXPECT_TRUE(findNamingScheme({"1F", "2F"}, n));
    EXPECT_EQ(n.mode, 3);
    EXPECT_TRUE(findNamingScheme({"a", "b", "c"}, n));
    EXPECT_EQ(n.mode, 1);
    EXPECT_FALSE(findNamingScheme({"X1", "X3"}, n)) << "a gap in the numbers";
}

TEST(StbImport, NumbersReadAlikeInEveryFormAndStoryNodeListsAreOnlyChecked)
{
    // Whole numbers take a faster path than the others; both give the same values.
    const std::string stories = "<StbStories><StbStory id=\"1\" name=\"1FL\" height=\"0\"><StbNodeIdList>"
                                "<StbNodeId id=\"1\"/><StbNodeId id=\"x\"/></StbNodeIdList></StbStory></StbStories>\n";
    ReadResult r = readStbBytes(wrap("<StbNodes>\n<StbNode id=\"1\" X=\"6000\" Y=\"+6000\" Z=\" 6000\"/>\n"
                                     "<StbNode id=\"2.0\" X=\"6000.0\" Y=\"6e3\" Z=\"-0\"/>\n"
                                     "<StbNode id=\"3\" X=\"-6000\" Y=\"6000.5\" Z=\"99999999999999999999\"/>\n</StbNodes>\n" +
                                     stories),
                                "t.stb");
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_EQ(r.file.nodes.size(), 3u);
    for (int64_t id : {1, 2}) {
        EXPECT_EQ(r.file.nodes[id].x, 6000) << id;
        EXPECT_EQ(r.file.nodes[id].y, 6000) << id;
    }
    EXPECT_EQ(r.file.nodes[1].z, 6000);
    EXPECT_EQ(r.file.nodes[2].z, 0);
    EXPECT_EQ(r.file.nodes[3].x, -6000);
    EXPECT_EQ(r.file.nodes[3].y, 6000.5);
    EXPECT_EQ(r.file.nodes[3].z, 1e20) << "beyond the integers, read as a double";
    ASSERT_EQ(r.file.stories.size(), 1u) << "the node list inside a story is not a story's part";

    r = readStbBytes(wrap("<StbNodes>\n<StbNode id=\"1\" X=\"x6000\" Y=\"0\" Z=\"0\"/>\n</StbNodes>\n"), "t.stb");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("6行目"), std::string::npos) << r.message;

    // A value made with an entity of the file's own reads as the text it stands for.
    r = readStbBytes("<?xml version=\"1.0\"?>\n<!DOCTYPE ST_BRIDGE [<!ENTITY g \"G7\"><!ENTITY n \"12\">]>\n"
                     "<ST_BRIDGE version=\"2.0.2\"><StbModel><StbMembers><StbGirders>\n"
                     "<StbGirder id=\"1\" name=\"&g;\" id_node_start=\"1\" id_node_end=\"&n;\" id_section=\"1&n;\" "
                     "kind_structure=\"RC\"/>\n</StbGirders></StbMembers></StbModel></ST_BRIDGE>\n",
                     "t.stb");
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_EQ(r.file.members.size(), 1u);
    EXPECT_EQ(r.file.members[0].name, "G7");
    EXPECT_EQ(r.file.members[0].node2, 12);
    EXPECT_EQ(r.file.members[0].section, 112);

    // The node lists are skipped unread, but still parsed: a broken one is refused with its line.
    r = readStbBytes(wrap("<StbStories><StbStory id=\"1\" name=\"1FL\" height=\"0\">\n<StbNodeIdList>\n<StbNodeId id=\"1\">\n"
                          "</StbNodeIdList></StbStory></StbStories>\n"),
                     "t.stb");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("8行目"), std::string::npos) << r.message;
}

TEST(StbImport, EntitiesThatMultiplyBeyondReasonAreRefused)
{
    // Nine levels of ten references each would make a name of 10^10 letters.
    std::string entities = "<!ENTITY a0 \"GGGGGGGGGG\">";
    for (int i = 1; i <= 9; ++i) {
        entities += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) entities += "&a" + std::to_string(i - 1) + ";";
        entities += "\">\n";
    }
    const ReadResult r = readStbBytes("<?xml version=\"1.0\"?>\n<!DOCTYPE ST_BRIDGE [" + entities +
                                          "]>\n<ST_BRIDGE version=\"2.0.2\"><StbModel><StbStories>\n"
                                          "<StbStory id=\"1\" name=\"&a9;\" height=\"0\"/></StbStories></StbModel></ST_BRIDGE>\n",
                                      "t.stb");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("XMLとして読めません"), std::string::npos) << r.message;
}
