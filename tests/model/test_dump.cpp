// SPDX-License-Identifier: GPL-3.0-or-later
// The model dump and the undo listing: fixed-width columns exactly as the dump window shows them.
#include <gtest/gtest.h>

#include "model/dump.h"
#include "model/undo.h"
#include "session/session.h"
#include "support/recording_platform.h"

using namespace model;

TEST(Dump, NumberFormats)
{
    EXPECT_EQ(int3(7), "  7");
    EXPECT_EQ(int3(1234), "1234");
    EXPECT_EQ(int3(-5), " -5");
    EXPECT_EQ(real8(0), "     0.0");
    EXPECT_EQ(real8(3500), "  3500.0");
    EXPECT_EQ(real8(-227.5), "  -227.5");
    EXPECT_EQ(real8(0.25), "     0.3");  // halves away from zero
    EXPECT_EQ(real8(-0.01), "     0.0");
    EXPECT_EQ(real8(123456789), "123456789.0");
    EXPECT_EQ(colourText(0x008080), "80:80:00");
    EXPECT_EQ(colourText(0xFF0000), "00:00:FF");
}

TEST(Dump, EmptyModelHasHeadingsAndGridOnly)
{
    testing_support::RecordingPlatform platform;
    Session s(platform);
    std::vector<std::string> expected = {
        "部材断面==============================",
        "通り心==============================",
        "m_nBaseLineX[0]   0",
        "m_nBaseLineY[0]   0",
        "m_nBaseLineZ[0]   0",
        "オフセット==============================",
        "X0: 中心: 0",
        "Y0: 中心: 0",
        "Z0: 右(上): 0",
        "データ==============================",
    };
    EXPECT_EQ(modelDump(s), expected);
}

TEST(Dump, ElementLinesSectionsAndOffsets)
{
    testing_support::RecordingPlatform platform;
    Session s(platform);
    s.sections[0] = {1, "G:2:1", "R:G1", "RC:400:900;"};
    s.grid.line[AXIS_X][1] = 6000;
    s.grid.spanCount[AXIS_X] = 1;
    s.grid.setOffset(AXIS_X, 1, OFFSET_LEFT_LOWER, 50);
    int g = s.store.addElem(kind::GIRDER, 0, 2, 1234, 1, 0, 0, 0, 3500, 6000, 0, 3500, 0x808080 & 0x00FF80);
    s.store.at(g).OZ = -450;
    s.store.at(g).memberNo = 3;
    s.store.addElem(kind::LOAD, 5, 2, -1, 0, 1234, 1, 2, 3, 4, 5, 6, 0xFF0000);
    auto lines = modelDump(s);
    EXPECT_EQ(lines[1], "[0]secID=1,G:2:1,R:G1,RC:400:900;");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "m_nBaseLineX[1]   6000"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "X1: 左(下): 50"), lines.end());
    EXPECT_EQ(lines[lines.size() - 2],
              "  0:GIRDER   : SID =  0 : ndata =  1 : LY =  2 : CL = 00 : UID =1234 : refUID =  0 : secID =  1 "
              " X1 =     0.0 ,Y1 =     0.0 ,Z1 =  3500.0 ,X2 =  6000.0 ,Y2 =     0.0 ,Z2 =  3500.0"
              " ,OX =     0.0 ,OY =     0.0 ,OZ =  -450.0 ,[3]");
    EXPECT_EQ(lines.back().substr(0, 31), "  1:LOAD(5)  : SID =  5 : ndata");
    EXPECT_NE(lines.back().find(" : CL = FF :"), std::string::npos);
}

TEST(Dump, UndoListingShowsDeadRecordsWithTheirAges)
{
    testing_support::RecordingPlatform platform;
    Session s(platform);
    s.store.addElem(kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 100, 0, 0, 0);
    newStep(s.store);
    s.store.delElem(0);
    s.store.addElem(kind::COLUMN, 0, 1, -1, 0, 0, 0, 0, 0, 0, 0, 3000, 0);
    undoStep(s.store);
    auto lines = undoListing(s);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "  0:LINE   表示  1:削除 -1 :SID =  0: LY =  1:CL = 00: UID =  1: refUID =  0: secUID =  0 "
              "X1 =     0.0, Y1 =     0.0, X2 =   100.0, Y2 =     0.0");
    EXPECT_EQ(lines[1].rfind("  1:COLUMN 表示 -1:削除  0 :SID", 0), 0u) << lines[1];
    EXPECT_TRUE(modelDump(s).back().find("LINE") != std::string::npos);
}
