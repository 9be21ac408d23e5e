// SPDX-License-Identifier: GPL-3.0-or-later
// The section table keeps one entry per key with unique identifiers, its lookups ignore free
// entries, and specification strings decode and print as the dialog and drawings expect.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/element.h"
#include "model/grid.h"
#include "model/sections.h"
#include "session/show_notice.h"
#include "support/recording_platform.h"

using namespace model;

namespace {

const char* const kGirder = "RC:400:900:400:900:400:900;3::D22;3::D22;3:2:D25;3::D22;3::D22;3::D22;2:D10:200;2:D10;";
const char* const kColumn = "RC:600:600;4:3:D22;2:2:D13:100;";

void put(SectionTable& t, int index, int id, const std::string& key, const std::string& name,
         const std::string& spec = "")
{
    t[index] = SectionEntry{id, key, name, spec};
}

SectionTable emptyTable()
{
    SectionTable t;
    clearSections(t);
    return t;
}

}  // namespace

TEST(SpecGrammar, SizesFallBackToTheLeftEndField)
{
    SectionSize centre = sectionSizeOfSpec("RC:400:900::1000:400:900;3::D22;", 1);
    EXPECT_EQ(centre.material, "RC");
    EXPECT_EQ(centre.width, "400");
    EXPECT_EQ(centre.depth, "1000");
    EXPECT_EQ(sectionSizeOfSpec("RC:400:900:500::400:900;", 2).width, "400");
    EXPECT_EQ(sectionSizeOfSpec("RC:400:900:500::300:800;", 2).width, "300");
    // Fewer than three fields in item 0: nothing, not even the material.
    SectionSize shortItem = sectionSizeOfSpec("RC:400;3::D22;", 0);
    EXPECT_EQ(shortItem.material + shortItem.width + shortItem.depth, "");
    EXPECT_EQ(sectionSizeOfSpec("", 0).width, "");

    EXPECT_EQ(normaliseSpec(" :;:, ;"), "");
    EXPECT_EQ(normaliseSpec(";3::D22;"), ";3::D22;");
    EXPECT_EQ(specItem(kColumn, 2), "2:2:D13:100");
    EXPECT_EQ(specItem(kColumn, 3), "");
    EXPECT_EQ(specItem(kColumn, 9), "");
}

TEST(SpecGrammar, NumbersInSpecsNeverThrow)
{
    EXPECT_EQ(specInt("2.5"), 3);
    EXPECT_EQ(specInt("-2.5"), -3);
    EXPECT_EQ(specInt("1e3"), 1000);
    EXPECT_EQ(specInt("99999999999"), 0);
    EXPECT_EQ(girderItem("RC:400.5:abc;", 0).b, 401);
}

TEST(SpecGrammar, GirderAndColumnItems)
{
    GirderItem top = girderItem(kGirder, 3);
    EXPECT_EQ(top.n, 3);
    EXPECT_EQ(top.n2, 2);
    EXPECT_EQ(top.size, "D25");
    GirderItem stirrup = girderItem(kGirder, 7);
    EXPECT_EQ(stirrup.n, 2);
    EXPECT_EQ(stirrup.size, "D10");
    EXPECT_EQ(stirrup.pitch, 200);
    EXPECT_EQ(girderItem("RC:400:900;", 7).size, "");

    ColumnItem main = columnItem(kColumn, 1);
    EXPECT_EQ(main.nx, 4);
    EXPECT_EQ(main.ny, 3);
    EXPECT_EQ(main.sizeWithoutFirst, "22");
    EXPECT_EQ(columnItem("RC:600:600;4:3:9φ;", 1).sizeWithoutFirst, "φ");
    EXPECT_EQ(columnItem(kColumn, 2).pitch, 100);
}

TEST(Notations, PrintGroupsAndStayEmptyForEmptyOrShortItems)
{
    EXPECT_EQ(fmtBarGroup("3::D22"), "3-D22");
    EXPECT_EQ(fmtBarGroup("3:2:D22"), "5-D22");
    EXPECT_EQ(fmtBarGroup("0::D22"), "");
    EXPECT_EQ(fmtBarGroup(""), "");
    EXPECT_EQ(fmtBars("2:D10"), "2-D10");
    EXPECT_EQ(fmtBars(":D10"), "");
    EXPECT_EQ(fmtStirrup("2:D10:200"), "2-D10-@200");
    EXPECT_EQ(fmtStirrup("::"), "");
    EXPECT_EQ(fmtStirrup("2:"), "");
    EXPECT_EQ(fmtHoop("2:2:D13:100"), "2-2-D13-@100");
    // A cleared hoop group is three characters long but holds nothing.
    EXPECT_EQ(fmtHoop(":::"), "");
    EXPECT_EQ(fmtColumnMain("4:3:D22"), "10-D22");
    EXPECT_EQ(fmtColumnMain("2:2:D25"), "4-D25");
    EXPECT_EQ(fmtColumnMain("1:1:D25"), "");
    EXPECT_EQ(fmtColumnMain("::"), "");

    EXPECT_EQ(fmtSize(kGirder, 0), "400x900");
    EXPECT_EQ(fmtSize("S:400:900;", 0), "");
    EXPECT_EQ(fmtSizeForDrawing("S:400:900;", 0), "400×900");
    EXPECT_EQ(fmtSizeForDrawing(":::", 0), "");
    EXPECT_EQ(fmtSizeForDrawing(";3::D22;", 0), "");
}

TEST(Notations, SectionTextByMemberKind)
{
    SectionTable t = emptyTable();
    put(t, 0, 4, "G:2:1", "2:G1", kGirder);
    put(t, 1, 5, "C:1:1", "1:C1", kColumn);
    EXPECT_EQ(sectionText(t, 4, MemberKind::Girder, 3), "5-D25");
    EXPECT_EQ(sectionText(t, 4, MemberKind::Girder, 8), "2-D10");
    EXPECT_EQ(sectionText(t, 4, MemberKind::Girder, 9), "");
    EXPECT_EQ(sectionText(t, 5, MemberKind::Column, 0), "600×600");
    EXPECT_EQ(sectionText(t, 5, MemberKind::Column, 2), "2-2-D13-@100");
    EXPECT_EQ(sectionText(t, 99, MemberKind::Column, 1), "");
}

TEST(SectionTable, StoreAllocatesAboveEveryIdentifier)
{
    testing_support::RecordingPlatform p;
    SectionTable t = emptyTable();
    put(t, 0, 1, "G:4:1", "R:G1", kGirder);
    put(t, 1, 2, "G:3:1", "3:G1", kGirder);
    put(t, 2, 7, "G:2:1", "2:G1", kGirder);
    ASSERT_TRUE(setMemRod(t, "G:4:2", "R:G2", kGirder));
    EXPECT_EQ(t[3].secID, 8);
    EXPECT_EQ(t[3].secName, "R:G2");

    // An existing key is updated in place and keeps its identifier; empty specs are stored empty.
    ASSERT_TRUE(setMemRod(t, "G:3:1", "3:G1", " : ; "));
    EXPECT_EQ(t[1].secID, 2);
    EXPECT_EQ(t[1].secSpec, "");
    EXPECT_EQ(t[4].secID, -1);

    // A used entry beyond a hole still owns its key: no duplicate is made in the hole.
    SectionTable h = emptyTable();
    put(h, 0, -1, "G:2:1", "stale");
    put(h, 1, 3, "G:2:1", "2:G1", kGirder);
    ASSERT_TRUE(setMemRod(h, "G:2:1", "2:G1", kColumn));
    EXPECT_EQ(h[0].secID, -1);
    EXPECT_EQ(h[1].secSpec, kColumn);
    FoundSection f = findSection(h, "G:2:1");
    EXPECT_TRUE(f.found);
    EXPECT_EQ(f.secID, 3);

    // An entry cleared by deleting its mark is reused with a fresh identifier, so it is saved.
    put(h, 2, 0, "G:2:2", "", "");
    ASSERT_TRUE(setMemRod(h, "G:2:2", "2:G2", kGirder));
    EXPECT_EQ(h[2].secID, 4);
    EXPECT_TRUE(p.statusTexts.empty());
    EXPECT_EQ(p.beeps, 0);
}

TEST(SectionTable, FullTableRefusesNewKeysAndKeepsTheEndEntryFree)
{
    testing_support::RecordingPlatform p;
    SectionTable t = emptyTable();
    for (int i = 0; i < kSectionStoreCount; ++i) put(t, i, i + 1, makeSecKey('G', 1, i + 1), "1:G", "RC:1:1;");
    const Outcome full = setMemRod(t, "G:2:1", "2:G1", kGirder);
    EXPECT_FALSE(session::shown(p, full));  // as the section dialog shows it
    ASSERT_EQ(p.statusTexts.size(), 1u);
    EXPECT_EQ(p.statusTexts[0].first, platform::kStatusMessage);
    EXPECT_EQ(p.statusTexts[0].second, "setMemRodメモリが確保できませんでした。終了して下さい");
    EXPECT_EQ(p.beeps, 1);
    EXPECT_EQ(t[500].secID, -1);
    EXPECT_EQ(t[500].secSpec, "");
    // Updating a key that is already there still works on a full table.
    EXPECT_TRUE(setMemRod(t, "G:1:500", "1:G500", kGirder));
    EXPECT_EQ(t[499].secSpec, kGirder);
    EXPECT_FALSE(findSection(t, "G:2:1").found);
}

TEST(SectionLookup, FreeEntriesWithStaleTextsAreNeverFound)
{
    SectionTable t = emptyTable();
    put(t, 0, -1, "G:3:1", "3:G1", "RC:999:999;");
    put(t, 1, 0, "G:3:1", "", "");
    put(t, 2, 6, "G:3:1", "3:G1", kGirder);
    put(t, 3, -1, "C:2:1", "2:C1", kColumn);
    put(t, 4, 9, "C:2:1", "2:C1", kColumn);
    EXPECT_EQ(findSecIDByKey(t, 'G', 3, 1), 6);
    EXPECT_EQ(findSecIDByKey(t, 'C', 2, 1), 9);
    EXPECT_EQ(findSecIDByKey(t, 'B', 3, 1), -1);
    EXPECT_EQ(specOf(t, -1), "");
    EXPECT_EQ(nameOf(t, 0), "");
    EXPECT_EQ(markNameOf(t, 6), "G1");
    EXPECT_EQ(markNameOf(t, 0), "");
    EXPECT_EQ(elementSectionSize(t, -1), (std::pair<int, int>{0, 0}));
    EXPECT_EQ(elementSectionSize(t, 6), (std::pair<int, int>{400, 900}));
    EXPECT_EQ(sectionSize(t, 9, 0).width, "600");
}

TEST(SectionLookup, ByMarkUsesTheLevelOfZ1AndTheLastMatch)
{
    GridModel g;
    g.spanCount[AXIS_Z] = 3;
    g.line[AXIS_Z][1] = 3000;
    g.line[AXIS_Z][2] = 3000;  // a zero pitch: two lines at one height
    g.line[AXIS_Z][3] = 6000;
    EXPECT_EQ(levelNumberOfZ(g, 0), 1);
    EXPECT_EQ(levelNumberOfZ(g, 3000), 3);
    EXPECT_EQ(levelNumberOfZ(g, 6000), 4);
    EXPECT_EQ(levelNumberOfZ(g, -2000), 1);
    EXPECT_EQ(levelNumberOfZ(g, 1500), -1);
    EXPECT_EQ(levelNumberOfZ(g, -1), -1);  // the unused slots hold -1

    SectionTable t = emptyTable();
    put(t, 0, 2, "G:4:1", "R:G1");
    put(t, 1, 3, "G:3:1", "3:G1");
    put(t, 2, 4, "C:3:1", "3:G1");
    put(t, 3, 5, "G:3:2", "3:G1");  // the same mark name again: the last one wins
    put(t, 4, -1, "G:3:3", "3:G1");
    put(t, 5, 8, "G:1:1", "1:G1");
    Element e;
    e.Z1 = 3000;
    EXPECT_EQ(findSecIDByMark(t, g, e, 'G', "G1"), 5);
    EXPECT_EQ(findSecIDByMark(t, g, e, 'C', "G1"), 4);
    EXPECT_EQ(findSecIDByMark(t, g, e, 'G', "G2"), -1);
    e.Z1 = 6000;
    EXPECT_EQ(findSecIDByMark(t, g, e, 'G', "G1"), 2);
    e.Z1 = -2000;
    EXPECT_EQ(findSecIDByMark(t, g, e, 'G', "G1"), 8);
    e.Z1 = 2999.5;
    EXPECT_EQ(findSecIDByMark(t, g, e, 'G', "G1"), -1);
}

TEST(SectionLookup, MarkListAndColumnBarMaximum)
{
    SectionTable t = emptyTable();
    put(t, 0, 1, "C:3:1", "3:C1", "RC:600:600;4:3:D22;");
    put(t, 1, 2, "G:4:1", "R:G1");
    put(t, 2, 3, "C:2:1", "2:C1", "RC:600:600;6:2:D22;");
    put(t, 3, 4, "C:2:2", "2:C2", "RC:600:600;8:8:D22;");
    put(t, 4, 0, "C:1:3", "", "");
    put(t, 5, 5, "C:1:1", "1:C1", "RC:600:600;5:1:D22;");
    put(t, 6, -1, "C:1:9", "1:C9");
    put(t, 7, 7, "C:1:4", "1:C4", "RC:600:600;9:9:D22;");  // beyond the end mark
    EXPECT_EQ(markList('C', t), (std::vector<std::string>{"C1", "C2"}));
    EXPECT_EQ(markList('G', t), (std::vector<std::string>{"G1"}));
    EXPECT_EQ(markList('C', t, 1), (std::vector<std::string>{"C1"}));
    EXPECT_TRUE(markList('B', t).empty());

    EXPECT_EQ(maxColumnBars(t, 1, 0), 6);
    EXPECT_EQ(maxColumnBars(t, 1, 1), 3);
    EXPECT_EQ(maxColumnBars(t, 4, 0), 8);
    EXPECT_EQ(maxColumnBars(t, 5, 0), 6);
    EXPECT_EQ(maxColumnBars(t, 99, 0), -1);
    EXPECT_EQ(maxColumnBars(t, 1, 2), -1);
}

TEST(SectionKeys, LevelTextsAndRowsOfAGrid)
{
    EXPECT_EQ(makeSecName(levelText('G', 4, 3), "G1"), "R:G1");
    EXPECT_EQ(makeSecName(levelText('C', 4, 3), "C2"), "4:C2");
    EXPECT_EQ(levelText('B', 4, 3), "R");
    EXPECT_EQ(levelNumbers('G', 3), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(levelNumbers('C', 3), (std::vector<int>{3, 2, 1}));
    EXPECT_TRUE(levelNumbers('C', 0).empty());
    EXPECT_EQ(levelRowLabel('G', 4, 3), "R 層");
    EXPECT_EQ(levelRowLabel('C', 3, 3), "3 階");
}

TEST(WebBars, SuggestionAtTheDepthBoundaries)
{
    auto count = [](double d) { return suggestWebBars(d, 0).count; };
    EXPECT_EQ(count(599), "");
    EXPECT_EQ(suggestWebBars(599, 0).size, "");
    EXPECT_EQ(count(600), "2");
    EXPECT_EQ(count(899), "2");
    EXPECT_EQ(count(900), "4");
    EXPECT_EQ(count(1199), "4");
    EXPECT_EQ(count(1200), "6");
    EXPECT_EQ(count(1500), "6");
    EXPECT_EQ(count(1799), "6");
    EXPECT_EQ(count(1800), "8");
    EXPECT_EQ(suggestWebBars(1800, 1).size, "9φ");
    EXPECT_EQ(suggestWebBars(1800, 2).size, "D10");
    EXPECT_EQ(count(std::nan("")), "");
    EXPECT_FALSE(count(1e300).empty());
}
