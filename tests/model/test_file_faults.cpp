// SPDX-License-Identifier: GPL-3.0-or-later
// Faults found by fuzzing the project file: what used to crash, drop lines or lose bytes on a
// save now either reads and saves the same bytes again, or is refused with file and line.
#include <gtest/gtest.h>

#include <climits>

#include "model/project_file.h"
#include "session/session.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

using namespace model;

namespace {

class FileFaults : public testing_support::TempDirTest {
protected:
    // Reads the bytes as a project file; the result and, when read, the bytes written back.
    FileResult read(const std::string& bytes, Session& s)
    {
        writeBytes(path("in.kel"), bytes);
        return readProject(s, path("in.kel"));
    }
    testing_support::RecordingPlatform platform;
};

const std::string kGrid = "kelversion=1.4\r\n10\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n0\r\n";
const std::string kLine = "100,0,1,1,255,1,0,0,0,0,0,0,6000,0,0,0,0,0\r\n";

}  // namespace

TEST_F(FileFaults, NdataOverflowIsRefusedAndNeverWalksOutOfTheStore)
{
    Session s(platform);
    FileResult r = read(kGrid + kLine + "123,0,2147483647,1,0,2,0,0,0,0,0,0,0,0,0,0,0,0\r\n" + kLine, s);
    ASSERT_FALSE(r.ok);
    EXPECT_NE(r.message.find("11行目"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("ndata"), std::string::npos) << r.message;
    EXPECT_EQ(s.store.count(), 0);
    // A count that just fits is read.
    EXPECT_TRUE(read(kGrid + "123,0,2,1,0,2,0,0,0,0,0,0,0,0,0,0,0,0\r\n" + kLine, s).ok);

    // Whatever a store holds, the walk ends: huge, negative and zero counts.
    ElementStore store;
    for (int32_t ndata : {INT_MAX, INT_MIN, 0, INT_MAX - 1, 3}) {
        const int i = store.addElem(kind::FLOOR, 0, 1, -1, 0, 0, 0, 0, 0, 1, 1, 0, 0);
        store.at(i).ndata = ndata;
    }
    EXPECT_EQ(store.liveCount(), 1);  // the first record's count covers all the others
    EXPECT_EQ(store.lastRecordOf(0), store.count() - 1);
    EXPECT_EQ(store.lastRecordOf(1), 1);
    EXPECT_DOUBLE_EQ(store.extent(false, false, false).maxX, 1);
    int cursor = store.count() + 5;
    EXPECT_FALSE(store.nextLive(cursor));
}

TEST_F(FileFaults, NegativeGridPositionsAreRefusedAndEveryAcceptedFileSavesStable)
{
    Session s(platform);
    for (const std::string& axis : {std::string("1\r\n-3000:0:0\r\n"), std::string("3\r\n0:0:0\r\n-1:0:0\r\n6000:0:0\r\n")}) {
        FileResult r = read("kelversion=1.4\r\n10\r\n" + axis + "1\r\n0:0:0\r\n1\r\n0:0:0\r\n0\r\n", s);
        ASSERT_FALSE(r.ok);
        EXPECT_NE(r.message.find("in.kel"), std::string::npos);
        EXPECT_NE(r.message.find("行目"), std::string::npos) << r.message;
    }
    // An axis without lines stays without lines.
    const std::string noX = "kelversion=1.4\r\n9\r\n0\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n0\r\n";
    ASSERT_TRUE(read(noX, s).ok);
    EXPECT_EQ(projectText(s), noX);

    // A grid made with a negative pitch keeps the lines after the gap when saved.
    Session made(platform);
    made.grid.line[AXIS_X] = {};
    made.grid.line[AXIS_X].fill(-1);
    made.grid.line[AXIS_X][0] = 0;
    made.grid.line[AXIS_X][1] = -2500;
    made.grid.line[AXIS_X][2] = 4000;
    made.grid.spanCount[AXIS_X] = 2;
    const std::string first = projectText(made);
    ASSERT_TRUE(read(first, s).ok);
    EXPECT_EQ(s.grid.usedCount(AXIS_X), 2);
    EXPECT_EQ(s.grid.position(AXIS_X, 1), 4000);
    EXPECT_EQ(projectText(s), first);
}

TEST_F(FileFaults, NonCp932BytesInSectionsAreKeptAndNamedOnce)
{
    Session s(platform);
    const std::string bytes = "kelversion=1.4\r\n13\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n1\r\n0:0:0\r\n3\r\n"
                              "1,G:1:1,R:G\x80\xFD,RC:300:600;\r\n"
                              "2,G:1:2,R:\x97\xC0,RC:300:600;\r\n"
                              "3,G:1:3,R:G3,\x85\x40\xFF;\r\n";
    FileResult r = read(bytes, s);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_NE(r.notice.find("10, 12 行目"), std::string::npos) << r.notice;
    EXPECT_EQ(s.sections[1].secName, "R:梁");
    EXPECT_EQ(projectText(s), bytes);
    ASSERT_TRUE(writeProject(s, path("out.kel")).ok);
    EXPECT_EQ(readBytes(path("out.kel")), bytes);
    EXPECT_TRUE(read(kGrid, s).notice.empty());
}
