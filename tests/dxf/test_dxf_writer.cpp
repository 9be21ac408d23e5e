// SPDX-License-Identifier: GPL-3.0-or-later
// The DXF file byte for byte: preamble with extents, one entity per drawable element with the
// line-type and colour mapping, texts placed for the CAD program's alignment, handles from 14A.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

#include "dxf/dxf_tags.h"
#include "dxf/dxf_writer.h"
#include "model/element_store.h"
#include "model/text_buffer.h"
#include "settings/settings.h"
#include "support/dxf_groups.h"
#include "support/temp_dir.h"

using namespace model;
namespace fs = std::filesystem;

namespace {

// Groups written as "code|value|code|value|...", each piece exactly as it stands in the file.
std::string pairs(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (std::string_view part : parts)
        for (char c : part) {
            if (c == '|')
                out += "\r\n";
            else
                out += c;
        }
    return out;
}

std::string preamble(const std::string& ex, const std::string& ey, const std::string& mx, const std::string& my,
                     const std::string& cx, const std::string& cy)
{
    return pairs({
        "  0|SECTION|  2|HEADER|  9|$ACADVER|  1|AC1009|  9|$DWGCODEPAGE|  3|ANSI_932|",
        "  9|$INSBASE| 10|0| 20|0| 30|0|",
        "  9|$EXTMIN| 10|" + ex + "| 20|" + ey + "|  9|$EXTMAX| 10|" + mx + "| 20|" + my + "|",
        "  9|$LIMMIN| 10|" + ex + "| 20|" + ey + "|  9|$LIMMAX| 10|" + mx + "| 20|" + my + "|",
        "  9|$LTSCALE| 40|4|  0|ENDSEC|",
        "  0|SECTION|  2|TABLES|",
        "  0|TABLE|  2|VPORT| 70|     1|  0|VPORT|  2|*ACTIVE| 70|     0|",
        " 10|0.0| 20|0.0| 11|1.0| 21|1.0| 12|" + cx + "| 22|" + cy + "| 13|0.0| 23|0.0|",
        " 14|1000.0| 24|1000.0| 15|1000.0| 25|1000.0| 16|0.0| 26|0.0| 36|1.0| 17|0.0| 27|0.0| 37|0.0|",
        " 40|23760.0| 41|1.414141| 42|50.0| 43|0.0| 44|0.0| 50|0.0| 51|0.0|",
        " 71|     0| 72|   100| 73|     1| 74|     1| 75|     0| 76|     0| 77|     0| 78|     0|  0|ENDTAB|",
        "  0|TABLE|  2|LTYPE| 70|     9|",
        "  0|LTYPE|  2|CONTINUOUS| 70|    64|  3|Solid line| 72|    65| 73|     0| 40|0.0|",
        "  0|LTYPE|  2|HIDDEN| 70|    64|  3|__ __ __ __ __ __ __ __ __ __ __ __ __ __ __ __| 72|    65| 73|     5|",
        " 40|8.0| 49|1.0| 49|-2.0| 49|2.0| 49|-2.0| 49|1.0|",
        "  0|LTYPE|  2|DOT| 70|    64|  3|. . . . . . . . . . . . . . . . . . . . . . . .| 72|    65| 73|     3|",
        " 40|1.6| 49|0.4| 49|-0.8| 49|0.4|",
        "  0|LTYPE|  2|CENTER| 70|    64|  3|____ _ ____ _ ____ _ ____ _ ____ _ ____ _ ____ | 72|    65| 73|     5|",
        " 40|12.0| 49|5.0| 49|-0.8| 49|0.4| 49|-0.8| 49|5.0|",
        "  0|LTYPE|  2|DIVIDE| 70|    64|  3|____ . . ____ . . ____ . . ____ . . ____ . . __| 72|    65| 73|     7|",
        " 40|13.2| 49|5.0| 49|-0.8| 49|0.4| 49|-0.8| 49|0.4| 49|-0.8| 49|5.0|",
        "  0|ENDTAB|",
        "  0|TABLE|  2|LAYER| 70|    16|",
        "  0|LAYER|  2|0| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|1| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|2| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|3| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|4| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|5| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|6| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|7| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|8| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|9| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|10| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|11| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|12| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|13| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|14| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|LAYER|  2|15| 70|     0| 62|     7|  6|CONTINUOUS|",
        "  0|ENDTAB|",
        "  0|TABLE|  2|STYLE| 70|     1|  0|STYLE|  2|STANDARD| 70|     0| 40|0.0| 41|1.0| 50|0.0| 71|     0|",
        " 42|0.0|  3|txt|  4|extfont.shx|  0|ENDTAB|",
        "  0|ENDSEC|  0|SECTION|  2|BLOCKS|  0|ENDSEC|  0|SECTION|  2|ENTITIES|",
    });
}

const std::string kTrailer = "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

// The part of the file between the ENTITIES opening and the trailer.
std::string entities(const std::string& file)
{
    const std::string open = "  2\r\nENTITIES\r\n";
    auto from = file.find(open);
    if (from == std::string::npos || file.size() < kTrailer.size()) return "<no entities section>";
    from += open.size();
    if (file.compare(file.size() - kTrailer.size(), kTrailer.size(), kTrailer) != 0) return "<no trailer>";
    return file.substr(from, file.size() - kTrailer.size() - from);
}

Moji text(const std::string& s, double x, double y, double height, double angle, int nBase, int colour = 0,
          const std::string& layer = "9")
{
    Moji m;
    m.x = x;
    m.y = y;
    m.layer = layer;
    m.colour = colour;
    m.height = height;
    m.angle = angle;
    m.nBase = nBase;
    m.text = s;
    return m;
}

class DxfWriter : public ::testing::Test {
protected:
    ElementStore store;
    TextBuffer texts;
    dxf::DxfExtents extents;

    std::string write(int dxfBase = 7, double mojiRatio = 0.5)
    {
        return dxf::dxfBytes(store, texts, {dxfBase, mojiRatio}, extents);
    }
    void add(const Moji& m)
    {
        texts.addMoji(m.nBase, m.text, 0, m.angle, m.height, m.x, m.y, m.layer, m.colour);
    }
    // Where the single text of the buffer was placed, as "x,y" of groups 10/20.
    std::string placedAt(int dxfBase, double mojiRatio = 0.5)
    {
        const std::string e = entities(write(dxfBase, mojiRatio));
        auto g10 = e.find(" 10\r\n");
        auto g20 = e.find(" 20\r\n");
        if (g10 == std::string::npos || g20 == std::string::npos) return "<none>";
        auto value = [&](size_t at) { return e.substr(at + 5, e.find("\r\n", at + 5) - at - 5); };
        return value(g10) + "," + value(g20);
    }
};

}  // namespace

TEST_F(DxfWriter, EmptyDrawingWritesTheFullFileWithZeroExtents)
{
    EXPECT_EQ(write(), preamble("0", "0", "0", "0", "0", "0") + kTrailer);
}

TEST_F(DxfWriter, EmptyDrawingKeepsThePreviousExtents)
{
    extents.extMin = extents.limMin = {-100, -250.5};
    extents.extMax = extents.limMax = {3000, 1000};
    EXPECT_EQ(write(), preamble("-100", "-250.5", "3000", "1000", "1450", "374.75") + kTrailer);
}

TEST_F(DxfWriter, ExtentsFollowLiveElementsAndWholeCircles)
{
    extents.extMin = extents.limMin = {-9999, -9999};
    store.addElem(kind::LINE, 0, 1, -1, 0, 0, 1000, 2000, 0, 4000, 2000, 0, 0);
    // A circle's second X is its radius: the extents hold the whole circle, not the point (24, 0).
    store.addElem(kind::CIRCLE, 0, 1, -1, 0, 0, 1500, 2100, 0, 24, 0, 0, 0);
    int gone = store.addElem(kind::LINE, 0, 1, -1, 0, 0, -5000, -5000, 0, 9000, 9000, 0, 0);
    store.at(gone).delAge = 1;
    const std::string file = write();
    EXPECT_EQ(file.substr(0, preamble("1000", "2000", "4000", "2124", "2500", "2062").size()),
              preamble("1000", "2000", "4000", "2124", "2500", "2062"));
    EXPECT_DOUBLE_EQ(extents.extMin.x, 1000);
    EXPECT_DOUBLE_EQ(extents.limMax.y, 2124);
}

TEST_F(DxfWriter, EveryDrawableKindWithItsLineTypeColourAndHandle)
{
    store.addElem(kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 1000, 500, 0, 0xFF0000);
    store.addElem(kind::GIRDER, 0, 1, -1, 0, 0, 0, 0, 0, 1000, 0, 0, 0xFF0000);  // not drawn
    store.addElem(kind::DOTLINE, 0, 2, -1, 0, 0, 0.5, -2.25, 0, 10, -2.25, 0, 0x0000FF);
    store.addElem(kind::DASHDOT, 0, 3, -1, 0, 0, 0, 0, 0, 0, 100, 0, 0x000080);
    store.addElem(kind::DASHLINE, 0, 4, -1, 0, 0, 0, 0, 0, 1, 1, 0, 0x00FFFF);
    store.addElem(104, 0, 5, -1, 0, 0, 0, 0, 0, 2, 0, 0, 0x008000);
    store.addElem(kind::BASE, 0, 1, -1, 0, 0, 0, 0, 0, 0, 9000, 0, 0);  // not drawn
    store.addElem(kind::CIRCLE, 0, 12, -1, 0, 0, 100, 200, 0, 24, 0, 0, 0x800080);
    store.addElem(kind::ARC, 0, 15, -1, 0, 0, 100, 200, 270, 24.5, 0, 360, 0xFFFF00);
    store.addElem(kind::JOINT, 0, 1, -1, 0, 0, 7, 7, 0, 7, 7, 0, 0);  // not drawn
    add(text("A", 0, 0, 120, 0, 7));
    EXPECT_EQ(entities(write()),
              pairs({
                  "  0|LINE|  8|1|  6|CONTINUOUS| 62|     5|  5|14A| 10|0| 20|0| 30|0.0| 11|1000| 21|500| 31|0.0|",
                  "  0|LINE|  8|2|  6|DOT| 62|     1|  5|14B| 10|0.5| 20|-2.25| 30|0.0| 11|10| 21|-2.25| 31|0.0|",
                  "  0|LINE|  8|3|  6|CENTER| 62|     8|  5|14C| 10|0| 20|0| 30|0.0| 11|0| 21|100| 31|0.0|",
                  "  0|LINE|  8|4|  6|HIDDEN| 62|     2|  5|14D| 10|0| 20|0| 30|0.0| 11|1| 21|1| 31|0.0|",
                  "  0|LINE|  8|5|  6|DIVIDE| 62|     3|  5|14E| 10|0| 20|0| 30|0.0| 11|2| 21|0| 31|0.0|",
                  "  0|CIRCLE|  8|12|  6|CONTINUOUS| 62|     6|  5|14F| 10|100| 20|200| 30|0.0| 40|24|",
                  "  0|ARC|  8|15|  6|CONTINUOUS| 62|     4|  5|150| 10|100| 20|200| 30|0.0| 40|24.5|",
                  " 50|270| 51|360|",
                  "  0|TEXT|  8|9|  6|CONTINUOUS| 62|     7|  5|151| 10|0| 20|0| 30|0.0|",
                  " 11|0| 21|0| 31|0.0| 40|120| 41|0.5|  7|STANDARD| 50|0|  1|A|",
              }));
}

TEST_F(DxfWriter, HandlesRunPastThreeHexDigits)
{
    for (int i = 0; i < 0x1000 - 0x14A + 1; ++i) store.addElem(kind::LINE, 0, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0);
    const std::string e = entities(write());
    EXPECT_NE(e.find("  5\r\nFFF\r\n"), std::string::npos);
    EXPECT_NE(e.find("  5\r\n1000\r\n"), std::string::npos);
    EXPECT_EQ(e.find("  5\r\n1001\r\n"), std::string::npos);
}

TEST_F(DxfWriter, TextPointForEveryAlignmentAgainstBottomLeft)
{
    // "AB" of height 100 and ratio 0.5 is estimated 100 wide.
    const char* expected[] = {"0,-100", "-50,-100", "-100,-100", "0,-50", "-50,-50", "-100,-50", "0,0", "-50,0", "-100,0"};
    for (int n = 1; n <= 9; ++n) {
        texts.clear();
        add(text("AB", 0, 0, 100, 0, n));
        EXPECT_EQ(placedAt(7), expected[n - 1]) << "nBase " << n;
    }
    // Bottom-left against bottom-left: the anchor itself, and no alignment groups.
    texts.clear();
    add(text("AB", 12.5, -7, 100, 0, 7));
    EXPECT_EQ(placedAt(7), "12.5,-7");
    std::vector<testing_support::DxfGroup> groups;
    ASSERT_TRUE(testing_support::parseDxfGroups(write(7), groups));
    const auto written = testing_support::dxfEntities(groups, "TEXT");
    ASSERT_EQ(written.size(), 1u);
    for (const auto& g : written[0]) EXPECT_TRUE(g.code != 72 && g.code != 73) << g.code;
}

TEST_F(DxfWriter, TextPointForEveryAlignmentAgainstMiddleCentre)
{
    const char* expected[] = {"50,-50", "0,-50", "-50,-50", "50,0", "0,0", "-50,0", "50,50", "0,50", "-50,50"};
    for (int n = 1; n <= 9; ++n) {
        texts.clear();
        add(text("AB", 0, 0, 100, 0, n));
        EXPECT_EQ(placedAt(5), expected[n - 1]) << "nBase " << n;
    }
    texts.clear();
    add(text("AB", 0, 0, 100, 0, 5, 0x000080, "3"));
    EXPECT_EQ(entities(write(5)),
              pairs({"  0|TEXT|  8|3|  6|CONTINUOUS| 62|     8|  5|14A| 10|0| 20|0| 30|0.0| 72|1| 73|2|",
                     " 11|0| 21|0| 31|0.0| 40|100| 41|0.5|  7|STANDARD| 50|0|  1|AB|"}));
}

TEST_F(DxfWriter, TextOffsetTurnsWithTheText)
{
    add(text("AB", 1000, 2000, 100, 90, 5));
    EXPECT_EQ(placedAt(7), "1050,1950");
    texts.clear();
    add(text("AB", 0, 0, 100, 30, 9));
    EXPECT_EQ(placedAt(7), "-86.6025403784439,-50");
    texts.clear();
    add(text("AB", 0, 0, 100, 180, 3));
    EXPECT_EQ(placedAt(5), "50,50");
}

TEST_F(DxfWriter, TextLengthCountsCp932BytesAndWidthFactor)
{
    // Six double-byte characters are twelve bytes: 120 x 0.8 x 12 = 1152 long.
    add(text("梁断面リスト", 0, 0, 120, 0, 3));
    EXPECT_EQ(placedAt(7, 0.8), "-1152,-120");
    const std::string e = entities(write(7, 0.8));
    EXPECT_NE(e.find(" 10\r\n-1152\r\n 20\r\n-120\r\n"), std::string::npos);
    EXPECT_NE(e.find(" 41\r\n0.8\r\n"), std::string::npos);
    EXPECT_NE(e.find("  1\r\n\x97\xC0\x92\x66\x96\xCA\x83\x8A\x83\x58\x83\x67\r\n"), std::string::npos);
}

TEST_F(DxfWriter, CharactersWithoutCp932FormAreEscaped)
{
    // The euro sign has no CP932 form; it still counts as two bytes in the length estimate.
    add(text("A€", 0, 0, 10, 0, 3));
    const std::string e = entities(write());
    EXPECT_NE(e.find("  1\r\nA\\U+20AC\r\n"), std::string::npos);
    EXPECT_NE(e.find(" 10\r\n-15\r\n"), std::string::npos);
}

TEST_F(DxfWriter, LineBreaksInsideATextCannotBreakTheFile)
{
    add(text("G1\r\nG2", 0, 0, 10, 0, 7));
    EXPECT_NE(entities(write()).find("  1\r\nG1  G2\r\n"), std::string::npos);
}

TEST_F(DxfWriter, AlignmentsOutsideTheKeypadCountAsBottomLeft)
{
    add(text("AB", 0, 0, 100, 0, 0));
    EXPECT_EQ(placedAt(7), "0,0");
    EXPECT_EQ(placedAt(5), "50,50");
    EXPECT_NE(entities(write(5)).find(" 72\r\n1\r\n 73\r\n2\r\n"), std::string::npos);
    texts.clear();
    add(text("AB", 0, 0, 100, 0, 12));
    EXPECT_EQ(placedAt(7), "0,0");
    texts.clear();
    add(text("AB", 0, 0, 100, 0, 5));
    for (int badBase : {0, 10, -3}) {
        EXPECT_EQ(placedAt(badBase), "-50,-50") << "DXFnBASE " << badBase;
        EXPECT_EQ(entities(write(badBase)).find(" 72\r\n"), std::string::npos);
    }
}

TEST(DxfColour, TheSevenNamedColoursAndEverythingElse)
{
    EXPECT_EQ(dxf::dxfColour(0x000000), 7);
    EXPECT_EQ(dxf::dxfColour(0x0000FF), 1);
    EXPECT_EQ(dxf::dxfColour(0x00FFFF), 2);
    EXPECT_EQ(dxf::dxfColour(0x008000), 3);
    EXPECT_EQ(dxf::dxfColour(0xFFFF00), 4);
    EXPECT_EQ(dxf::dxfColour(0xFF0000), 5);
    EXPECT_EQ(dxf::dxfColour(0x800080), 6);
    EXPECT_EQ(dxf::dxfColour(0x000080), 8);  // maroon
    EXPECT_EQ(dxf::dxfColour(0x808000), 8);
    EXPECT_EQ(dxf::dxfColour(0xDEDEDE), 8);
}

TEST(DxfFileName, DxfIsAppendedUnlessTheNameEndsInIt)
{
    EXPECT_EQ(dxf::dxfFileName("plan.DXF"), "plan.DXF");
    EXPECT_EQ(dxf::dxfFileName("/d/plan.Dxf"), "/d/plan.Dxf");
    EXPECT_EQ(dxf::dxfFileName("plan"), "plan.dxf");
    EXPECT_EQ(dxf::dxfFileName("plan.dx"), "plan.dx.dxf");
    EXPECT_EQ(dxf::dxfFileName("dxf"), "dxf.dxf");
    EXPECT_EQ(dxf::dxfFileName(".dxf"), ".dxf");
}

class DxfFile : public testing_support::TempDirTest {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 50; ++i) store.addElem(kind::LINE, 0, 1, 1, 0, 0, i, 0, 0, i, 1000, 0, 0);
        texts.addMoji(7, "梁リスト", 0, 0, 120, 0, 0, "9", 0);
    }
    ElementStore store;
    TextBuffer texts;
    settings::Settings settings;
};

TEST_F(DxfFile, WritesExactlyTheBytesAndNothingBeside)
{
    const fs::path target = dir / "list.dxf";
    std::ofstream(target, std::ios::binary) << "old";
    dxf::DxfExtents ext;
    auto r = dxf::WriteDxf(target.string(), store, texts, settings, ext);
    ASSERT_TRUE(r.ok) << r.message;
    dxf::DxfExtents again;
    EXPECT_EQ(readBytes(target), dxf::dxfBytes(store, texts, dxf::textOptions(settings), again));
    EXPECT_DOUBLE_EQ(ext.extMax.y, 1000);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(DxfFile, MissingFolderIsReportedWithThePath)
{
    const std::string target = (dir / "no-such-folder" / "list.dxf").string();
    auto r = dxf::WriteDxf(target, store, texts, settings);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(target), std::string::npos) << r.message;
}

TEST_F(DxfFile, FailedWriteLeavesTheExistingFileWhole)
{
    const fs::path target = dir / "keep.dxf";
    std::ofstream(target, std::ios::binary) << "previous drawing";
    // A file-size limit makes the write fail half-way, the way a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    dxf::DxfExtents ext;
    auto r = dxf::WriteDxf(target.string(), store, texts, settings, ext);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("keep.dxf"), std::string::npos) << r.message;
    EXPECT_EQ(readBytes(target), "previous drawing");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "temporary file left behind";
    EXPECT_DOUBLE_EQ(ext.extMax.y, 0) << "extents of a failed write are not kept";
}

// The file streams out a chunk at a time, and still holds exactly the bytes of the whole.
TEST_F(DxfFile, LargeDrawingStreamsInBoundedChunksWithTheSameBytes)
{
    for (int i = 0; i < 20000; ++i) store.addElem(kind::LINE, 0, 1 + i % 15, 1, 0, 0, i * 0.5, -i, 0, i, 1000, 0, 0);
    for (int i = 0; i < 2000; ++i) texts.addMoji(1 + i % 9, "G" + std::to_string(i), i, i, 120, 30, 0, "3", 0xFF0000);
    struct Chunks : dxf::ByteSink {
        std::string all;
        size_t largest = 0, count = 0;
        void put(std::string_view b) override
        {
            all.append(b);
            largest = std::max(largest, b.size());
            ++count;
        }
    } sink;
    dxf::DxfExtents ext;
    {
        dxf::TagWriter t(sink);
        dxf::writeDxfTo(t, store, texts, dxf::textOptions(settings), ext);
    }
    dxf::DxfExtents again;
    const std::string whole = dxf::dxfBytes(store, texts, dxf::textOptions(settings), again);
    EXPECT_GT(sink.count, 20u);
    EXPECT_LE(sink.largest, 64u * 1024);
    EXPECT_TRUE(sink.all == whole);

    const fs::path target = dir / "big.dxf";
    dxf::DxfExtents fileExt;
    ASSERT_TRUE(dxf::WriteDxf(target.string(), store, texts, settings, fileExt).ok);
    EXPECT_TRUE(readBytes(target) == whole);
}
