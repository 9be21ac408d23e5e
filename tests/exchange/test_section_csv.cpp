// SPDX-License-Identifier: GPL-3.0-or-later
// The section CSV writes girders before columns with members moved along to the new numbers,
// reads back what it wrote (also haunches, commas and Japanese names), and refuses a bad file
// without touching the section table.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "exchange/section_csv.h"
#include "model/element.h"
#include "model/encoding.h"
#include "session/session.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using namespace exchange;
namespace kind = model::kind;

namespace {

const std::string kUniformGirder = "RC:400:900:400:900:400:900;3::D22;3::D22;3:2:D25;3::D22;3::D22;3::D22;2:D10:200;2:D10;";
const std::string kHaunchedGirder = "RC:400:900:400:1000:450:900;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;";
const std::string kColumn = "RC:600:600;4:3:D22;2:2:D13:100;";

class SectionCsv : public testing_support::TempDirTest {
protected:
    SectionCsv() : session(platform) { model::resetProject(session); }

    void put(int index, int id, const std::string& key, const std::string& name, const std::string& spec)
    {
        session.sections[static_cast<size_t>(index)] = model::SectionEntry{id, key, name, spec};
    }
    int member(int kindCode, int secID)
    {
        return session.store.addElem(kindCode, 0, 1, -1, secID, 0, 0, 0, 0, 1000, 0, 0, 0);
    }
    void writeBytes(const std::string& name, const std::string& bytes) const { TempDirTest::writeBytes(dir / name, bytes); }
    std::string readBytes(const std::string& name) const { return TempDirTest::readBytes(dir / name); }
    static std::string cp932(const std::string& utf8) { return *model::utf8ToCp932(utf8); }
    std::string keyOfMember(int index) const
    {
        const int id = session.store.at(index).secID;
        for (const auto& e : session.sections)
            if (e.secID == id) return e.secKey;
        return "";
    }

    testing_support::RecordingPlatform platform;
    model::Session session;
};

}  // namespace

TEST_F(SectionCsv, ExportSortsGirdersFirstAndMembersStayOnTheirSections)
{
    // Old identifiers chosen so that renumbering record by record would move the G:3:1
    // member twice (3 -> 1, then 1 -> 2) and leave it on G:2:1.
    put(0, 1, "G:2:1", "2:G1", kUniformGirder);
    put(1, 2, "C:1:1", "1:C1", kColumn);
    put(2, 3, "G:3:1", "R:G1", kUniformGirder);
    put(3, 4, "G:2:2", "2:G2", kUniformGirder);
    const int onG31 = member(kind::GIRDER, 3);
    const int onG21 = member(kind::GIRDER, 1);
    const int onC11 = member(kind::COLUMN, 2);
    const int deleted = member(kind::GIRDER, 4);
    session.store.delElem(deleted);
    const int dangling = member(kind::GIRDER, 9);

    ASSERT_TRUE(exportSectionCsv(session, path("out.csv")).ok);
    const auto& t = session.sections;
    EXPECT_EQ(t[0].secKey, "G:3:1");
    EXPECT_EQ(t[1].secKey, "G:2:1");
    EXPECT_EQ(t[2].secKey, "G:2:2");
    EXPECT_EQ(t[3].secKey, "C:1:1");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(t[static_cast<size_t>(i)].secID, i + 1);
    EXPECT_EQ(t[4].secID, -1);
    EXPECT_EQ(keyOfMember(onG31), "G:3:1");
    EXPECT_EQ(keyOfMember(onG21), "G:2:1");
    EXPECT_EQ(keyOfMember(onC11), "C:1:1");
    EXPECT_EQ(session.store.at(deleted).secID, 3) << "undo brings it back on G:2:2";
    EXPECT_EQ(session.store.at(dangling).secID, -1) << "no section before, none after";
    EXPECT_TRUE(session.project.modified);

    const std::string csv = readBytes("out.csv");
    EXPECT_EQ(csv.find(cp932(kGirderCsvHeader) + "\r\nG,3,1,R,G1,RC,400,900,3,,D22,3,,D22,3,2,D25,"), 0u);
    EXPECT_NE(csv.find("\r\n" + cp932(kColumnCsvHeader) + "\r\nC,1,1,1,C1,RC,600,600,4,3,D22,2,2,D13,100\r\n"),
              std::string::npos);
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
}

TEST_F(SectionCsv, ExportAskedToWriteWhereItCannotChangesNothing)
{
    put(0, 5, "G:2:1", "2:G1", kUniformGirder);
    put(1, 2, "G:3:1", "R:G1", kUniformGirder);
    const int m = member(kind::GIRDER, 5);
    EXPECT_FALSE(exportSectionCsv(session, path("no/such/folder/out.csv")).ok);
    EXPECT_EQ(session.sections[0].secID, 5);
    EXPECT_EQ(session.store.at(m).secID, 5);
    EXPECT_FALSE(session.project.modified);
}

TEST_F(SectionCsv, RoundTripKeepsJapaneseNamesAndHaunches)
{
    put(0, 1, "G:3:1", "R:大梁Ｇ１", kHaunchedGirder);
    put(1, 2, "G:2:1", "2:大梁Ｇ１", kUniformGirder);
    put(2, 3, "C:2:1", "2:柱\"角\"", kColumn);
    ASSERT_TRUE(exportSectionCsv(session, path("s.csv")).ok);
    const std::string csv = model::cp932ToUtf8(readBytes("s.csv"));
    // Only the haunched girder carries b2, D2, b3, D3; a name with quotes but no comma is not quoted.
    EXPECT_NE(csv.find("G,3,1,R,大梁Ｇ１,RC,400,900,3,,D22,3,,D22,3,,D22,3,,D22,3,,D22,3,,D22,2,D10,200,2,D10,400,1000,450,900\r\n"),
              std::string::npos);
    EXPECT_NE(csv.find("G,2,1,2,大梁Ｇ１,RC,400,900,3,,D22,3,,D22,3,2,D25,3,,D22,3,,D22,3,,D22,2,D10,200,2,D10\r\n"),
              std::string::npos);
    EXPECT_NE(csv.find("C,2,1,2,柱\"角\",RC,"), std::string::npos);

    model::clearSections(session.sections);
    ASSERT_TRUE(importSectionCsv(session, path("s.csv")).ok);
    const auto& t = session.sections;
    EXPECT_EQ(t[0].secName, "R:大梁Ｇ１");
    EXPECT_EQ(t[0].secSpec, kHaunchedGirder);
    // A uniform girder comes back with its one size, which every end reads.
    EXPECT_EQ(t[1].secSpec, "RC:400:900;3::D22;3::D22;3:2:D25;3::D22;3::D22;3::D22;2:D10:200;2:D10;");
    EXPECT_EQ(t[2].secName, "2:柱\"角\"");
    EXPECT_EQ(t[2].secSpec, kColumn);
    EXPECT_EQ(t[2].secID, 3);
    EXPECT_EQ(t[3].secID, -1);

    // Written again, the file is the same byte for byte.
    const std::string first = readBytes("s.csv");
    ASSERT_TRUE(exportSectionCsv(session, path("again.csv")).ok);
    EXPECT_EQ(readBytes("again.csv"), first);
}

TEST(SectionCsvFields, OnlyFieldsWithACommaOrALeadingQuoteAreQuotedAndLooseQuotesReadAsTheyStand)
{
    EXPECT_EQ(csvField("5\""), "5\"");
    // A leading quote would otherwise read back as a quoted field and lose its quotes.
    EXPECT_EQ(csvField("\"\""), "\"\"\"\"\"\"");
    EXPECT_EQ(splitCsvLine(csvField("\"\"")), (std::vector<std::string>{"\"\""}));
    EXPECT_EQ(csvField("a,\"b\""), "\"a,\"\"b\"\"\"");
    EXPECT_EQ(splitCsvLine("G,\"a,\"\"b\"\"\",,x\"y,\"open"),
              (std::vector<std::string>{"G", "a,\"b\"", "", "x\"y", "\"open"}));
    EXPECT_EQ(splitCsvLine("a,b,c,d", 3), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(SectionCsv, ShortLinesGiveEmptyFieldsAndHeadersOnlyEmptyTheTable)
{
    put(0, 1, "G:3:1", "R:G1", kUniformGirder);
    std::istringstream lines("// any comment\r\nC,1,2,1\r\nX,1,1\r\n\r\n");
    CsvRead r = readSectionCsv(lines, "a.csv");
    ASSERT_TRUE(r.status.ok);
    ASSERT_EQ(r.count, 1);
    EXPECT_EQ((*r.table)[0].secKey, "C:1:2");
    EXPECT_EQ((*r.table)[0].secName, "1:");
    EXPECT_EQ((*r.table)[0].secSpec, "::;::;:::;");

    writeBytes("h.csv", cp932(kGirderCsvHeader) + "\r\n" + cp932(kColumnCsvHeader) + "\r\n");
    ASSERT_TRUE(importSectionCsv(session, path("h.csv")).ok);
    EXPECT_EQ(session.sections[0].secID, -1);
}

TEST_F(SectionCsv, BadFilesAreRefusedWithFileAndLineAndTheTableStays)
{
    put(0, 7, "G:3:1", "R:G1", kUniformGirder);
    auto unchanged = [&] { return session.sections[0].secID == 7 && session.sections[1].secID == -1; };

    std::string many = cp932(kColumnCsvHeader) + "\r\n";
    for (int i = 1; i <= 501; ++i) many += "C,1," + std::to_string(i) + ",1,C" + std::to_string(i) + ",RC,600,600\r\n";
    writeBytes("many.csv", many);
    model::FileResult r = importSectionCsv(session, path("many.csv"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, path("many.csv") + " 502行目: 断面は 500 までしか読み込めません");
    EXPECT_TRUE(unchanged());
    // Exactly 500 fit.
    writeBytes("500.csv", many.substr(0, many.rfind("C,1,501")));
    EXPECT_TRUE(importSectionCsv(session, path("500.csv")).ok);
    EXPECT_EQ(session.sections[499].secKey, "C:1:500");
    EXPECT_EQ(session.sections[500].secID, -1);
    model::clearSections(session.sections);
    put(0, 7, "G:3:1", "R:G1", kUniformGirder);

    // 0x81 0x20 is a lead byte followed by a byte that cannot end the character.
    writeBytes("bad.csv", "C,1,1,1,C1,RC,600,600\r\nC,1,2,1,C\x81\x20,RC,600,600\r\n");
    r = importSectionCsv(session, path("bad.csv"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, path("bad.csv") + " 2行目: Shift-JIS として読めない文字があります");
    EXPECT_TRUE(unchanged());

    // A comma read from a quoted field, or a ":" or ";", would break the stored texts and the
    // project file: refused with its column.
    writeBytes("sep.csv", "C,1,1,1,\"C,1\",RC,600,600\r\n");
    r = importSectionCsv(session, path("sep.csv"));
    EXPECT_EQ(r.message, path("sep.csv") + " 1行目: 5列目に「,」「:」「;」は使えません");
    writeBytes("sep.csv", "G,3,1,R,G1,RC,400,900,3,,D22,3,,D22,3,,D22,3,,D22,3,,D22,3,,D22,2,D10,200,2,D10,,,450;1\r\n");
    EXPECT_EQ(importSectionCsv(session, path("sep.csv")).message,
              path("sep.csv") + " 1行目: 34列目に「,」「:」「;」は使えません");
    EXPECT_TRUE(unchanged());

    r = importSectionCsv(session, path("missing.csv"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, path("missing.csv") + ": 開けません");
    EXPECT_FALSE(importSectionCsv(session, dir.string()).ok) << "a folder is not a file";
    EXPECT_TRUE(unchanged());
}

TEST(SectionCsvNames, ProposalFollowsTheProjectNameAndCsvIsAppendedOnce)
{
    EXPECT_EQ(proposedCsvName("/p/plan.a.kel"), "/p/plan.a-断面.csv");
    EXPECT_EQ(proposedCsvName("/p/my.dir/plan.kel"), "/p/my.dir/plan-断面.csv");
    EXPECT_EQ(withCsvExtension("a.CSV"), "a.CSV");
    EXPECT_EQ(withCsvExtension("a.txt"), "a.txt.csv");
    EXPECT_EQ(withCsvExtension("csv"), "csv.csv");
}

TEST(SectionCsvNames, ProjectWithoutANameProposesUntitledCsv)
{
    EXPECT_EQ(proposedCsvName(""), "untitled-断面.csv");
    // Neither the path itself nor a "." of a folder makes a name.
    EXPECT_EQ(proposedCsvName("/p/my.dir/plan"), "/p/my.dir/untitled-断面.csv");
    EXPECT_EQ(proposedCsvName("/p/my.dir/"), "/p/my.dir/untitled-断面.csv");
}

TEST_F(SectionCsv, HaunchFieldsThatAreNoWholeNumbersAreIgnoredAndTheLineNamed)
{
    const std::string bars = ",3,,D22,3,,D22,3,,D22,3,,D22,3,,D22,3,,D22,2,D10,200,2,D10";
    std::istringstream lines("G,3,1,R,G1,RC,400,900" + bars + "," + cp932("要確認") + "\r\n" +
                             "G,2,1,2,G1,RC,400,900" + bars + ",400,1000,450,900\r\n" +
                             "G,1,1,1,G1,RC,400,900" + bars + ",400,1000.5,450,900\r\n");
    const CsvRead r = readSectionCsv(lines, "h.csv");
    ASSERT_TRUE(r.status.ok) << r.status.message;
    EXPECT_EQ((*r.table)[0].secSpec.substr(0, 11), "RC:400:900;");
    EXPECT_EQ((*r.table)[1].secSpec.substr(0, 28), "RC:400:900:400:1000:450:900;");
    EXPECT_EQ((*r.table)[2].secSpec.substr(0, 11), "RC:400:900;");
    EXPECT_NE(r.status.notice.find("h.csv の 1, 3 行目"), std::string::npos) << r.status.notice;

    // A table the import could not give back is not exported: a haunch that is no whole
    // number, or a "," in a bar field.
    for (const std::string& spec : {std::string("RC:400:900:abc:900:400:900;3::D22;"), std::string("RC:400:900;3,4::D22;")}) {
        model::clearSections(session.sections);
        put(0, 1, "G:3:1", "R:G1", spec);
        const CsvText text = sectionCsvText(session.sections);
        EXPECT_FALSE(text.ok) << spec;
        EXPECT_NE(text.message.find("断面 G:3:1 (R:G1)"), std::string::npos) << text.message;
    }
}

TEST_F(SectionCsv, ATextWithoutShiftJisFormIsNotWritten)
{
    put(0, 1, "G:3:1", "R:G😀", kUniformGirder);
    writeBytes("keep.csv", "old");
    model::FileResult r = exportSectionCsv(session, path("keep.csv"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("G:3:1"), std::string::npos);
    EXPECT_EQ(readBytes("keep.csv"), "old");
}
