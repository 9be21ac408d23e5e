// SPDX-License-Identifier: GPL-3.0-or-later
// Pasted SS2 tables land in the right cells of the right sheet, never outside a grid, and
// turn into the specification strings the section dialog stores.
#include <gtest/gtest.h>

#include <string>

#include "exchange/ss2_import.h"

using namespace exchange;

namespace {

// Sheets 0-4 as the tabs 1-5.
constexpr int kConcrete = 0, kCounts = 1, kSizes = 2, kStirrups = 3, kHoopSizes = 4;

}  // namespace

TEST(Ss2Sheets, EachSheetPutsItsMarksOverTheirOwnColumns)
{
    Ss2Sheets s;
    s.setInitDialog(kSs2GirderMode, 3);
    EXPECT_EQ(s.rows(kCounts), 2 + 8) << "two rows per level R, 3, 2, 1";
    EXPECT_FALSE(s.sheetVisible(kHoopSizes));
    EXPECT_EQ(s.cell(kConcrete, 0, 3), "G2");
    EXPECT_EQ(s.cell(kCounts, 0, 6), "G2");
    EXPECT_EQ(s.cell(kStirrups, 0, 149), "G50");
    EXPECT_EQ(s.cell(kConcrete, 3, 0), "3層");
    EXPECT_EQ(s.cell(kSizes, 5, 1), "下層");
    EXPECT_FALSE(s.setCell(kSizes, 4, 1, "x")) << "labels are not data";

    s.setInitDialog(kSs2ColumnMode, 3);
    EXPECT_EQ(s.rows(kConcrete), 2 + 3);
    EXPECT_EQ(s.cell(kCounts, 0, 4), "C2");
    EXPECT_EQ(s.cell(kConcrete, 2, 0), "3階");
}

TEST(Ss2Sheets, PastedGirderTablesBecomeSpecsInCentimetresTimesTen)
{
    Ss2Sheets s;
    s.setInitDialog(kSs2GirderMode, 1);  // levels R and 1
    EXPECT_EQ(s.paste(kConcrete, 2, 1, "40\t90\r\n35\t70\r\n"), 0);
    // Top and bottom rows of level R, then of level 1; left, centre, right.
    s.paste(kCounts, 2, 2, "4/2\t3\t4/2\r\n3\t3\t3\r\n2\t2\t2\r\n2\t2\t2");
    s.paste(kSizes, 2, 2, "D25\tD25\tD25\r\nD22\tD22\tD22\r\nD19\tD19\tD19\r\nD19\tD19\tD19");
    s.paste(kStirrups, 2, 1, "2\tD10\t200\r\n 2 \tD10\t150");

    const Ss2Result r = s.result();
    EXPECT_EQ(r.mode, kSs2GirderMode);
    EXPECT_EQ(r.levelSpans, 1);
    ASSERT_EQ(r.markCount, 1);
    ASSERT_EQ(r.specs[0].size(), 2u);
    EXPECT_EQ(r.specs[0][0], "RC:400:900;4:2:D25;3::D22;3::D25;3::D22;4:2:D25;3::D22;2:D10:200;:;");
    EXPECT_EQ(r.specs[0][1], "RC:350:700;2::D19;2::D19;2::D19;2::D19;2::D19;2::D19;2:D10:150;:;");
}

TEST(Ss2Sheets, ColumnSpecsReadOnlyTheHeadRowAndTheXDiameter)
{
    Ss2Sheets s;
    s.setInitDialog(kSs2ColumnMode, 1);
    s.paste(kConcrete, 2, 1, "60\t60\t55\t50");
    s.paste(kCounts, 2, 2, "4\t3\t5\t5\r\n9\t9\t9\t9");  // head, then the foot that is ignored
    s.paste(kSizes, 2, 2, "D22\tD19\tD25\tD25\r\nD29\tD29\tD29\tD29");
    s.paste(kStirrups, 2, 1, "2\t2\t3\t3");
    s.paste(kHoopSizes, 2, 1, "D13\t100\tD10\t150");
    const Ss2Result r = s.result();
    ASSERT_EQ(r.markCount, 2);
    ASSERT_EQ(r.specs[0].size(), 1u);
    EXPECT_EQ(r.specs[0][0], "RC:600:600;4:3:D22;2:2:D13:100;");
    EXPECT_EQ(r.specs[1][0], "RC:550:500;5:5:D25;3:3:D10:150;");
}

TEST(Ss2Sheets, AGapColumnOnSheetOneEndsTheMarks)
{
    Ss2Sheets s;
    s.setInitDialog(kSs2ColumnMode, 2);
    s.paste(kConcrete, 2, 1, "60\t60\t50\t50\t\t\t70\t70");
    EXPECT_EQ(s.markCount(), 2);
    // A mark filled on one level only still counts.
    s.setCell(kConcrete, 3, 5, "40");
    s.setCell(kConcrete, 3, 6, "40");
    EXPECT_EQ(s.markCount(), 4);
    // Empty cells still give a string, with the "0" of the unit step.
    EXPECT_EQ(s.result().specs[2][0], "RC:0:0;::;:::;");
}

TEST(Ss2Sheets, AnotherModeEmptiesTheSheetsTheSameModeKeepsThem)
{
    Ss2Sheets s;
    s.setInitDialog(kSs2GirderMode, 2);
    s.paste(kConcrete, 2, 1, "40\t90");
    s.paste(kStirrups, 3, 1, "2\tD10\t200");
    s.setInitDialog(kSs2GirderMode, 2);
    EXPECT_EQ(s.cell(kConcrete, 2, 1), "40");
    EXPECT_EQ(s.cell(kStirrups, 3, 3), "200");

    s.setInitDialog(kSs2ColumnMode, 2);
    EXPECT_EQ(s.cell(kConcrete, 2, 1), "");
    EXPECT_EQ(s.cell(kStirrups, 3, 3), "");
    EXPECT_EQ(s.markCount(), 0);
    EXPECT_TRUE(s.result().specs.empty());
}

TEST(Ss2Sheets, CellsBeyondTheGridOrOnItsLabelsAreDroppedAndCounted)
{
    Ss2Sheets s;
    s.setInitDialog(kSs2ColumnMode, 1);  // sheet 1: rows 0-2, columns 0-100
    EXPECT_EQ(s.paste(kConcrete, 2, 99, "1\t2\t3\r\n4\t5\t6"), 4);
    EXPECT_EQ(s.cell(kConcrete, 2, 99), "1");
    EXPECT_EQ(s.cell(kConcrete, 2, 100), "2");
    EXPECT_EQ(s.cols(kConcrete), 101);
    EXPECT_EQ(s.rows(kConcrete), 3);
    // Starting on the row label: the label stays, the cell right of it takes the second value.
    EXPECT_EQ(s.paste(kConcrete, 2, 0, "x\ty"), 1);
    EXPECT_EQ(s.cell(kConcrete, 2, 0), "1階");
    EXPECT_EQ(s.cell(kConcrete, 2, 1), "y");
    // Far outside and at huge offsets: nothing is written, nothing wraps round.
    EXPECT_EQ(s.paste(kConcrete, 2147483647, 2147483647, "a\tb\nc"), 3);
    EXPECT_EQ(s.paste(kConcrete, -5, 1, "a"), 1);
    // An LF-only text and a last line end add no empty line over existing cells.
    s.setInitDialog(kSs2GirderMode, 1);
    s.setCell(kConcrete, 3, 1, "keep");
    EXPECT_EQ(s.paste(kConcrete, 2, 1, "40\t90\n"), 0);
    EXPECT_EQ(s.cell(kConcrete, 3, 1), "keep");
}
