// SPDX-License-Identifier: GPL-3.0-or-later
// The project file: byte-exact round trips, the reading rules of the format, and bad files
// that must leave the open project untouched and say where they went wrong.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "model/encoding.h"
#include "model/project_file.h"
#include "session/session.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

using namespace model;
namespace fs = std::filesystem;

namespace {

class ProjectFile : public testing_support::TempDirTest {
protected:
    void writeFile(const std::string& name, const std::string& bytes) const { writeBytes(path(name), bytes); }
    // CR LF lines in CP932, as the program writes them.
    static std::string lines(std::initializer_list<std::string> ls)
    {
        std::string out;
        for (const auto& l : ls) out += *utf8ToCp932(l) + "\r\n";
        return out;
    }
    // A small open project that a failed read must leave alone.
    void makeOpenProject(Session& s)
    {
        s.grid.line[AXIS_X][1] = 5000;
        s.grid.spanCount[AXIS_X] = 1;
        s.sections[0] = {1, "G:1:1", "R:G1", "RC:300:600;"};
        s.store.addElem(kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 5000, 0, 0, 0xFF0000);
        s.project.path = "/somewhere/open.kel";
        s.project.modified = true;
    }
    void expectOpenProjectIntact(const Session& s)
    {
        EXPECT_EQ(s.grid.line[AXIS_X][1], 5000);
        EXPECT_EQ(s.sections[0].secName, "R:G1");
        ASSERT_EQ(s.store.count(), 1);
        EXPECT_EQ(s.store.at(0).X2, 5000);
        EXPECT_EQ(s.project.path, "/somewhere/open.kel");
        EXPECT_TRUE(s.project.modified);
    }

    testing_support::RecordingPlatform platform;
};

const std::string kExample = "kelversion=1.4\r\n12\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n2\r\n0:0:0\r\n3500:0:0\r\n1\r\n"
                             "1,G:2:1,R:G1,RC:400:900:400:900:400:900;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;\r\n"
                             "100,0,1,1,255,1,0,0,0,0.000,0.000,3500.000,6000.000,0.000,3500.000,0.000,0.000,0.000\r\n";

}  // namespace

TEST_F(ProjectFile, ExampleReadsAsDescribedAndWritesBackByteForByte)
{
    writeFile("example.kel", kExample);
    Session s(platform);
    FileResult r = readProject(s, path("example.kel"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(s.grid.usedCount(AXIS_Z), 2);
    EXPECT_EQ(s.grid.line[AXIS_Z][1], 3500);
    EXPECT_EQ(s.grid.maxPos[AXIS_Z], 3500);
    EXPECT_EQ(s.grid.spanCount[AXIS_Z], 1);
    EXPECT_EQ(s.sections[0].secKey, "G:2:1");
    EXPECT_EQ(s.sections[1].secID, -1);
    ASSERT_EQ(s.store.count(), 1);
    EXPECT_EQ(s.store.at(0).CL, 255);
    EXPECT_EQ(s.store.at(0).X2, 6000);
    EXPECT_EQ(s.store.at(0).showAge, 1);
    EXPECT_EQ(s.project.path, path("example.kel"));
    EXPECT_EQ(projectText(s), kExample);
}

TEST_F(ProjectFile, WriteReadWriteGivesTheSameBytesWithJapaneseAndOddValues)
{
    Session s(platform);
    s.grid.line[AXIS_X][1] = 6000;
    s.grid.line[AXIS_Y][1] = 7000;
    s.grid.line[AXIS_Z][1] = 3500;
    s.grid.setOffset(AXIS_X, 1, OFFSET_LEFT_LOWER, -50);
    s.sections[0] = {3, "C:1:1", "1:柱Ａ", "RC:600:600;4:3:D22;2:2:D13:100;"};
    s.sections[1] = {7, "G:2:1", "R:大梁φ", "RC:400:900;"};
    int a = s.store.addElem(kind::GIRDER, 2, 1, -1, 7, 0, 0, 0, 3500, 6000, 0, 3500, 0xFF8000);
    s.store.at(a).OZ = -450;
    s.store.at(a).memberNo = 12;
    s.store.addElem(kind::LINE, 0, 1, 5, 0, 0, 1234.5678, -0.0004, 1e9, -1, 2, -3, -1);
    s.store.addElem(kind::LINE, 0, 1, 5, 0, 0, 1, 2, 3, 4, 5, 6, 0);  // shares a UID on purpose
    int gone = s.store.addElem(kind::LINE, 0, 1, -1, 0, 0, 9, 9, 9, 9, 9, 9, 0);
    s.store.delElem(gone);

    ASSERT_TRUE(writeProject(s, path("a.kel")).ok);
    EXPECT_FALSE(s.project.modified);
    Session t(platform);
    FileResult r = readProject(t, path("a.kel"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(t.sections[0].secName, "1:柱Ａ");
    EXPECT_EQ(t.sections[1].secName, "R:大梁φ");
    EXPECT_EQ(t.grid.offsetDist(AXIS_X, 1), -50);
    ASSERT_EQ(t.store.count(), 3);  // the deleted element is gone for good
    EXPECT_EQ(t.store.at(1).X1, 1234.568);
    EXPECT_EQ(t.store.at(1).UID, t.store.at(2).UID);
    EXPECT_EQ(t.store.at(0).memberNo, 12);
    EXPECT_EQ(t.store.at(0).OZ, -450);
    ASSERT_TRUE(writeProject(t, path("b.kel")).ok);
    EXPECT_EQ(readBytes(path("a.kel")), readBytes(path("b.kel")));
    // The Japanese names are CP932 on disk.
    EXPECT_NE(readBytes(path("a.kel")).find(*utf8ToCp932("柱Ａ")), std::string::npos);
}

TEST_F(ProjectFile, EmptyModelWritesHeaderAndGridOnly)
{
    Session s(platform);
    EXPECT_EQ(projectText(s), "kelversion=1.4\r\n10\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n0:2:0\r\n0\r\n");
}

TEST_F(ProjectFile, HeaderRulesVersionCaseAndSkippedLines)
{
    Session s(platform);
    std::string upper = kExample;
    upper.replace(0, 10, "KELVERSION");
    writeFile("upper.kel", upper);
    EXPECT_TRUE(readProject(s, path("upper.kel")).ok);

    std::string blank = kExample;
    blank.replace(10, 1, " ");  // no "=": the first five characters are no number
    writeFile("blank.kel", blank);
    EXPECT_FALSE(readProject(s, path("blank.kel")).ok);

    std::string v13 = kExample;
    v13.replace(11, 3, "1.3");
    writeFile("v13.kel", v13);
    EXPECT_TRUE(readProject(s, path("v13.kel")).ok);

    // Line 2 = T + 3 skips two lines before the elements.
    writeFile("skip.kel", lines({"kelversion=1.4", "15", "1", "0:0:0", "1", "0:0:0", "2", "0:0:0", "3500:0:0", "1",
                                  "1,G:2:1,R:G1,RC:400:900;", "ignored", "ignored too",
                                  "100,0,1,1,255,1,0,0,0,0,0,0,1,0,0,0,0,0"}));
    FileResult r = readProject(s, path("skip.kel"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(s.store.count(), 1);
}

TEST_F(ProjectFile, CommaInANameShiftsTheFieldsButACommaInASpecSurvivesASave)
{
    Session s(platform);
    writeFile("comma.kel", lines({"kelversion=1.4", "10", "1", "0:0:0", "1", "0:0:0", "1", "0:0:0", "2",
                                   "4,G:1:1,R:G,1,RC:300:600;", "5,G:1:2,R:G2,RC:300:600;3,2::D22;"}));
    ASSERT_TRUE(readProject(s, path("comma.kel")).ok);
    EXPECT_EQ(s.sections[0].secName, "R:G");
    EXPECT_EQ(s.sections[0].secSpec, "1,RC:300:600;");
    // A "," typed into a bar field is kept through a save and a read, not cut off.
    EXPECT_EQ(s.sections[1].secSpec, "RC:300:600;3,2::D22;");
    ASSERT_TRUE(writeProject(s, path("again.kel")).ok);
    Session t(platform);
    ASSERT_TRUE(readProject(t, path("again.kel")).ok);
    EXPECT_EQ(t.sections[1].secSpec, "RC:300:600;3,2::D22;");
}

TEST_F(ProjectFile, BadFilesKeepTheOpenProjectAndSayWhere)
{
    struct Case {
        const char* name;
        std::string bytes;
        const char* where;  // part of the message
    };
    const std::string head = "kelversion=1.4\r\n12\r\n";
    const std::vector<Case> cases = {
        {"wrong first line", "hello\r\n", "このデータは読めません。"},
        {"old version", "kelversion=1.2\r\n12\r\n1\r\n0:0:0\r\n", "1行目"},
        {"truncated in the grid", head + "3\r\n0:0:0\r\n", "5行目"},
        {"truncated before sections", head + "1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n", "9行目"},
        {"grid text", head + "1\r\nzero:0:0\r\n", "4行目"},
        {"too many grid lines", head + "102\r\n", "3行目"},
        {"too many sections", head + "1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n502\r\n", "9行目"},
        {"huge count", head + "99999999999999\r\n", "3行目"},
        {"negative count", head + "-1\r\n", "3行目"},
        {"element integer", "kelversion=1.4\r\n10\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n0\r\n100,x,1,1,0,1,0,0,0,0,0,0,0,0,0,0,0,0\r\n",
         "10行目"},
        {"section id fraction", "kelversion=1.4\r\n11\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n2.5,G:1:1,R:G1,\r\n", "10行目"},
        {"binary junk", std::string("kelversion=1.4\r\n\x01\xff\xfe\0\0", 21), "2行目"},
    };
    for (const Case& c : cases) {
        Session s(platform);
        makeOpenProject(s);
        writeFile("bad.kel", c.bytes);
        FileResult r = readProject(s, path("bad.kel"));
        EXPECT_FALSE(r.ok) << c.name;
        if (r.ok) continue;
        EXPECT_NE(r.message.find(c.where), std::string::npos) << c.name << ": " << r.message;
        EXPECT_NE(r.message.find("bad.kel"), std::string::npos) << c.name;
        expectOpenProjectIntact(s);
    }
    for (const char* name : {"missing.kel", "folder.kel"}) {
        fs::create_directories(dir / "folder.kel");
        Session s(platform);
        makeOpenProject(s);
        FileResult r = readProject(s, path(name));
        EXPECT_FALSE(r.ok) << name;
        EXPECT_NE(r.message.find(name), std::string::npos) << r.message;
        expectOpenProjectIntact(s);
    }
}

TEST_F(ProjectFile, DamagedProjectCutShortIsRefusedWithWhatIsMissing)
{
    // The example file cut in the middle of its element line, and lines short of fields.
    const std::string cut = kExample.substr(0, kExample.find("3500.000,6000.000"));
    const std::string head = "kelversion=1.4\r\n11\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n";
    const struct {
        std::string bytes;
        const char* where;
    } cases[] = {
        {cut, "12行目: 要素の項目が足りません (18 項目のところ 12 項目: X2, Y2, Z2, OX, OY, OZ がありません)"},
        {head + "1,G:1:1,R:G1\r\n", "10行目: 断面の項目が足りません (4 項目のところ 3 項目: secSpec がありません)"},
        {"kelversion=1.4\r\n10\r\n1\r\n0:0\r\n", "4行目: 通り心の項目が足りません (3 項目のところ 2 項目: オフセットの値"},
        {head, "10行目: ファイルが途中で終わっています"},
    };
    for (const auto& c : cases) {
        Session s(platform);
        makeOpenProject(s);
        writeFile("cut.kel", c.bytes);
        const FileResult r = readProject(s, path("cut.kel"));
        ASSERT_FALSE(r.ok) << c.where;
        EXPECT_NE(r.message.find(std::string("cut.kel ") + c.where), std::string::npos) << r.message;
        expectOpenProjectIntact(s);
    }
}

TEST_F(ProjectFile, DeletedFloorTakesItsContinuationRecordsOutOfTheFile)
{
    Session s(platform);
    ElementStore& st = s.store;
    auto addFloor = [&](double y) {
        int head = st.addElem(kind::FLOOR, 0, 1, -1, 0, 0, 0, y, 0, 10, y, 0, 0);
        st.at(head).ndata = 3;
        for (int k = 0; k < 2; ++k) st.at(st.addElem(kind::CONTINUE, 0, 1, st.at(head).UID, 0, 0, k, y, 0, k, y + 5, 0, 0)).ndata = 1;
        return head;
    };
    int gone = addFloor(0);
    addFloor(100);
    st.addElem(kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 9, 0, 0, 0);
    st.delElem(gone);
    ASSERT_TRUE(writeProject(s, path("floors.kel")).ok);

    Session back(platform);
    ASSERT_TRUE(readProject(back, path("floors.kel")).ok);
    ASSERT_EQ(back.store.count(), 4);  // the kept floor with its two records, and the line
    std::vector<int> kinds;
    for (int c = -1; back.store.nextLive(c);) kinds.push_back(back.store.at(c).kind);
    EXPECT_EQ(kinds, (std::vector<int>{kind::FLOOR, kind::LINE}));
    EXPECT_EQ(back.store.at(1).kind, kind::CONTINUE);
    EXPECT_EQ(back.store.at(2).Y2, 105);
}

TEST_F(ProjectFile, NonNumericCoordinatesReadAsZero)
{
    Session s(platform);
    writeFile("coords.kel", lines({"kelversion=1.4", "10", "1", "0:0:0", "1", "0:0:0", "1", "0:0:0", "0",
                                    "100,0,1,1,0,1,0,0,0,abc,2,,4,5,6,x,0,0", ""}));
    FileResult r = readProject(s, path("coords.kel"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(s.store.at(0).X1, 0);
    EXPECT_EQ(s.store.at(0).Y1, 2);
    EXPECT_EQ(s.store.at(0).Z1, 0);
    EXPECT_EQ(s.store.at(0).OX, 0);
}

TEST_F(ProjectFile, FailedSaveKeepsThePreviousFile)
{
    Session s(platform);
    ASSERT_TRUE(writeProject(s, path("keep.kel")).ok);
    std::string before = readBytes(path("keep.kel"));
    s.project.modified = true;
    FileResult r = writeProject(s, path("no-such-folder/keep.kel"));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("no-such-folder"), std::string::npos);
    EXPECT_TRUE(s.project.modified);
    EXPECT_EQ(readBytes(path("keep.kel")), before);
    // No temporary files are left beside the target.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}
