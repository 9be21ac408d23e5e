// SPDX-License-Identifier: GPL-3.0-or-later
// Font subsets for PDF embedding: the cut-down file must be a valid TrueType file whose glyphs,
// metrics and checksums agree with the original font, and damaged fonts must fail cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "pdf/truetype_subset.h"

namespace {

const char* const kIpaGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// Test-side reads, independent of the unit's own reader; at() throws on a short table.
uint16_t u16(const std::string& s, size_t at)
{
    return static_cast<uint16_t>((static_cast<uint8_t>(s.at(at)) << 8) | static_cast<uint8_t>(s.at(at + 1)));
}
int16_t i16(const std::string& s, size_t at) { return static_cast<int16_t>(u16(s, at)); }
uint32_t u32(const std::string& s, size_t at) { return (uint32_t{u16(s, at)} << 16) | u16(s, at + 2); }
void put16(std::string& s, uint16_t v)
{
    s.push_back(static_cast<char>(v >> 8));
    s.push_back(static_cast<char>(v & 0xFF));
}
void set16(std::string& s, size_t at, uint16_t v)
{
    s.at(at) = static_cast<char>(v >> 8);
    s.at(at + 1) = static_cast<char>(v & 0xFF);
}

uint32_t wordSum(std::string s)
{
    while (s.size() % 4) s.push_back('\0');
    uint32_t sum = 0;
    for (size_t i = 0; i < s.size(); i += 4) sum += u32(s, i);
    return sum;
}

// The byte range of a glyph through loca, by the font's own indexToLocFormat.
std::pair<size_t, size_t> glyphRange(const pdf::FontTables& t, uint16_t g)
{
    const std::string& loca = t.at("loca");
    if (i16(t.at("head"), 50) == 1) return {u32(loca, 4 * g), u32(loca, 4 * g + 4)};
    return {2 * size_t{u16(loca, 2 * g)}, 2 * size_t{u16(loca, 2 * g + 2)}};
}

std::pair<uint16_t, int16_t> metrics(const pdf::FontTables& t, uint16_t g)
{
    const std::string& hmtx = t.at("hmtx");
    const uint16_t n = u16(t.at("hhea"), 34);
    if (g < n) return {u16(hmtx, 4 * g), i16(hmtx, 4 * g + 2)};
    return {u16(hmtx, 4 * (n - 1)), i16(hmtx, 4 * n + 2 * (g - n))};
}

class IpaGothic : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::ifstream in(kIpaGothic, std::ios::binary);
        if (!in) return;
        file = new std::string(std::istreambuf_iterator<char>(in), {});
        tables = new pdf::FontTables;
        readError = pdf::readFontTables(*file, *tables);
    }
    static void TearDownTestSuite()
    {
        delete file;
        delete tables;
        file = nullptr;
        tables = nullptr;
    }
    void SetUp() override
    {
        if (!file) GTEST_SKIP() << kIpaGothic << " is not installed";
        ASSERT_EQ(readError, "");
    }
    static std::vector<uint16_t> glyphsOf(const pdf::FontTables& t, std::u32string_view text)
    {
        std::vector<uint16_t> g;
        for (const char32_t c : text) g.push_back(pdf::glyphForCodePoint(t, c));
        return g;
    }

    static inline std::string* file = nullptr;
    static inline pdf::FontTables* tables = nullptr;
    static inline std::string readError;
};

constexpr std::u32string_view kText = U"梁断面リストS=1/40";

TEST_F(IpaGothic, CmapFormatsAgreeAndUnmappedGivesNotdef)
{
    const std::vector<uint16_t> viaFormat12 = glyphsOf(*tables, kText);
    const std::set<uint16_t> distinct(viaFormat12.begin(), viaFormat12.end());
    EXPECT_EQ(distinct.size(), kText.size());
    EXPECT_EQ(distinct.count(0), 0u);
    EXPECT_EQ(pdf::glyphForCodePoint(*tables, 0x10FFFF), 0);

    // Hide the Windows full-Unicode subtable (3/10 -> 3/0) so the format 4 ones must answer.
    pdf::FontTables bmpOnly = *tables;
    std::string& cmap = bmpOnly.at("cmap");
    bool hidden = false;
    for (size_t i = 0; i < u16(cmap, 2); ++i)
        if (u16(cmap, 4 + 8 * i) == 3 && u16(cmap, 6 + 8 * i) == 10) {
            set16(cmap, 6 + 8 * i, 0);
            hidden = true;
        }
    EXPECT_TRUE(hidden);
    EXPECT_EQ(glyphsOf(bmpOnly, kText), viaFormat12);
    size_t disagree = 0, mapped = 0;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        const uint16_t g = pdf::glyphForCodePoint(bmpOnly, c);
        mapped += g != 0;
        disagree += g != pdf::glyphForCodePoint(*tables, c);
    }
    EXPECT_EQ(disagree, 0u);
    EXPECT_GT(mapped, 10000u);

    // A cut cmap may lose mappings but never invents one.
    for (size_t len : {0, 3, 12, 30, 2000, 100000, 236000}) {
        pdf::FontTables cut = *tables;
        cut.at("cmap").resize(std::min(len, cut.at("cmap").size()));
        const std::vector<uint16_t> got = glyphsOf(cut, kText);
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_TRUE(got[i] == 0 || got[i] == viaFormat12[i]) << "cmap cut at " << len;
    }
    pdf::FontTables noCmap = *tables;
    noCmap.erase("cmap");
    EXPECT_EQ(pdf::glyphForCodePoint(noCmap, U'S'), 0);
}

TEST_F(IpaGothic, SubsetKeepsGlyphsMetricsAndChecksums)
{
    std::vector<uint16_t> asked = glyphsOf(*tables, kText.substr(0, 7)); // 梁断面リストS
    asked.push_back(asked[1]);                                           // repeat
    asked.push_back(pdf::glyphForCodePoint(*tables, U' '));
    pdf::FontSubset sub;
    ASSERT_EQ(pdf::subsetTrueType(*tables, asked, sub), "");

    // Dense ids in order of first appearance; the repeat shares its id.
    const std::vector<uint16_t> wantIds{1, 2, 3, 4, 5, 6, 7, 2, 8};
    EXPECT_EQ(sub.newId, wantIds);
    const uint16_t count = 9;
    std::vector<uint16_t> original(count, 0);
    for (size_t i = 0; i < asked.size(); ++i) original[sub.newId[i]] = asked[i];

    pdf::FontTables out;
    ASSERT_EQ(pdf::readFontTables(sub.ttf, out), "");
    std::set<std::string> tags;
    for (const auto& entry : out) tags.insert(entry.first);
    EXPECT_EQ(tags, (std::set<std::string>{"cvt ", "fpgm", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "prep"}));
    EXPECT_EQ(out.at("cvt "), tables->at("cvt "));
    EXPECT_EQ(u16(out.at("maxp"), 4), count);
    EXPECT_EQ(u16(out.at("hhea"), 34), count);
    EXPECT_EQ(out.at("hmtx").size(), 4u * count);
    EXPECT_LT(sub.ttf.size(), 40000u);

    const size_t locaEntry = i16(out.at("head"), 50) == 1 ? 4 : 2;
    ASSERT_EQ(out.at("loca").size(), locaEntry * (count + 1));
    EXPECT_EQ(glyphRange(out, count - 1).second, out.at("glyf").size());
    ASSERT_EQ(sub.advance.size(), count);
    for (uint16_t g = 0; g < count; ++g) {
        SCOPED_TRACE("subset glyph " + std::to_string(g));
        const auto [from, to] = glyphRange(*tables, original[g]);
        const auto [newFrom, newTo] = glyphRange(out, g);
        ASSERT_LE(newFrom, newTo);
        // Same bytes, then at most 3 zero bytes of alignment.
        const std::string was = tables->at("glyf").substr(from, to - from);
        const std::string now = out.at("glyf").substr(newFrom, newTo - newFrom);
        EXPECT_EQ(now.substr(0, was.size()), was);
        EXPECT_EQ(now.substr(std::min(was.size(), now.size())), std::string((4 - was.size() % 4) % 4, '\0'));
        EXPECT_EQ(metrics(out, g), metrics(*tables, original[g]));
        EXPECT_EQ(sub.advance[g], metrics(*tables, original[g]).first);
    }
    EXPECT_EQ(glyphRange(out, 8).first, glyphRange(out, 8).second) << "the space stays an empty glyph";

    // Table directory: sorted tags, matching checksums (head's taken with its adjustment zeroed).
    const uint16_t numTables = u16(sub.ttf, 4);
    ASSERT_EQ(numTables, tags.size());
    EXPECT_EQ(u16(sub.ttf, 6), 128);  // 8 tables * 16
    EXPECT_EQ(u16(sub.ttf, 8), 3);
    EXPECT_EQ(u16(sub.ttf, 10), 16); // 9 * 16 - 128
    std::string previous;
    for (size_t i = 0; i < numTables; ++i) {
        const size_t at = 12 + 16 * i;
        const std::string tag = sub.ttf.substr(at, 4);
        std::string data = out.at(tag);
        if (tag == "head") data.replace(8, 4, 4, '\0');
        EXPECT_LT(previous, tag);
        EXPECT_EQ(u32(sub.ttf, at + 4), wordSum(data)) << tag;
        EXPECT_EQ(u32(sub.ttf, at + 8) % 4, 0u) << tag;
        previous = tag;
    }
    EXPECT_EQ(wordSum(sub.ttf), 0xB1B0AFBAu);

    EXPECT_EQ(sub.unitsPerEm, u16(tables->at("head"), 18));
    EXPECT_EQ(sub.xMin, i16(tables->at("head"), 36));
    EXPECT_EQ(sub.yMax, i16(tables->at("head"), 42));
    EXPECT_EQ(sub.ascent, i16(tables->at("hhea"), 4));
    EXPECT_EQ(sub.descent, i16(tables->at("hhea"), 6));
    EXPECT_LT(sub.descent, 0);
}

TEST_F(IpaGothic, DamagedFontsGiveErrors)
{
    size_t dataEnd = 0; // the file may end in padding, which a cut need not reach
    for (size_t i = 0; i < u16(*file, 4); ++i)
        dataEnd = std::max(dataEnd, size_t{u32(*file, 20 + 16 * i)} + u32(*file, 24 + 16 * i));
    pdf::FontTables t;
    for (size_t len : {size_t{0}, size_t{5}, size_t{100}, dataEnd / 2, dataEnd - 1})
        EXPECT_NE(pdf::readFontTables(file->substr(0, len), t), "") << "file cut at " << len;
    std::string collection = *file;
    collection.replace(0, 4, "ttcf");
    EXPECT_NE(pdf::readFontTables(collection, t).find("collection"), std::string::npos);

    const uint16_t numGlyphs = u16(tables->at("maxp"), 4);
    auto subsetError = [&](const pdf::FontTables& font, std::vector<uint16_t> glyphs) {
        pdf::FontSubset sub;
        sub.ttf = "untouched";
        const std::string error = pdf::subsetTrueType(font, glyphs, sub);
        if (!error.empty()) {
            EXPECT_EQ(sub.ttf, "untouched");
        }
        return error;
    };
    EXPECT_NE(subsetError(*tables, {5, numGlyphs}).find(std::to_string(numGlyphs)), std::string::npos);

    pdf::FontTables noGlyf = *tables;
    noGlyf.erase("glyf");
    EXPECT_NE(subsetError(noGlyf, {5}).find("glyf"), std::string::npos);

    pdf::FontTables shortHmtx = *tables;
    shortHmtx.at("hmtx").resize(100);
    EXPECT_NE(subsetError(shortHmtx, {5}).find("hmtx"), std::string::npos);

    // Glyph 5's loca entry pointing past the end of glyf.
    pdf::FontTables badLoca = *tables;
    badLoca.at("loca").replace(4 * 6, 4, std::string("\xff\xff\xff\x00", 4));
    EXPECT_NE(subsetError(badLoca, {5}).find("loca"), std::string::npos);
    EXPECT_EQ(subsetError(badLoca, {7}), "") << "unused glyphs are not looked at";
}

// A tiny font with composites (IPAGothic has none): glyphs 0-2 simple, 3 = {2, 1},
// 4 = {3} (nested), 5 = {5} (names itself). Long loca, three horizontal metrics.
pdf::FontTables compositeFont()
{
    std::string simple;
    for (uint16_t v : {1, 0, 0, 10, 10, 0, 0}) put16(simple, v); // 1 contour, bbox, end point 0, no instructions
    simple += std::string("\x01\x00\x05\x00\x05", 5);                    // on-curve flag, x, y
    std::string g3, g4, g5;
    for (uint16_t v : {0xFFFF, 0, 0, 10, 10, 0x0001 | 0x0002 | 0x0008 | 0x0020, 2, 100, 200, 0x2000,
                       0x0002, 1})
        put16(g3, v);
    g3 += std::string("\x05\x06", 2);
    for (uint16_t v : {0xFFFF, 0, 0, 10, 10, 0x0002 | 0x0080, 3, 0, 0x4000, 0, 0, 0x4000}) put16(g4, v);
    for (uint16_t v : {0xFFFF, 0, 0, 10, 10, 0x0002 | 0x0040, 5, 0, 0x4000, 0x4000}) put16(g5, v);
    const std::vector<std::string> glyphs{simple, simple, simple, g3, g4, g5};

    pdf::FontTables t;
    std::string& head = t["head"];
    head.assign(54, '\0');
    set16(head, 0, 1);
    set16(head, 12, 0x5F0F);
    set16(head, 14, 0x3CF5);
    set16(head, 18, 1000);
    set16(head, 50, 1);
    std::string& hhea = t["hhea"];
    hhea.assign(36, '\0');
    set16(hhea, 0, 1);
    set16(hhea, 4, 800);
    set16(hhea, 6, static_cast<uint16_t>(-200));
    set16(hhea, 34, 3);
    put16(t["maxp"], 0);
    put16(t["maxp"], 0x5000);
    put16(t["maxp"], static_cast<uint16_t>(glyphs.size()));
    for (uint16_t v : {500, 10, 600, 20, 700, 30, 40, 50, 60}) put16(t["hmtx"], v);
    std::string& loca = t["loca"];
    for (const std::string& g : glyphs) {
        put16(loca, 0);
        put16(loca, static_cast<uint16_t>(t["glyf"].size()));
        t["glyf"] += g;
    }
    put16(loca, 0);
    put16(loca, static_cast<uint16_t>(t["glyf"].size()));
    return t;
}

TEST(TrueTypeSubset, CompositeComponentsAreRenumbered)
{
    const pdf::FontTables font = compositeFont();
    pdf::FontSubset sub;
    ASSERT_EQ(pdf::subsetTrueType(font, {4, 1}, sub), "");
    // 0, then asked 4 -> 1 and 1 -> 2, then 4's component 3 -> 3, then 3's component 2 -> 4.
    EXPECT_EQ(sub.newId, (std::vector<uint16_t>{1, 2}));
    EXPECT_EQ(sub.advance, (std::vector<uint16_t>{500, 700, 600, 700, 700}));
    pdf::FontTables out;
    ASSERT_EQ(pdf::readFontTables(sub.ttf, out), "");
    EXPECT_EQ(u16(out.at("maxp"), 4), 5);
    EXPECT_EQ(i16(out.at("head"), 50), 0) << "a small subset uses short loca";
    const std::string& glyf = out.at("glyf");
    const size_t at4 = glyphRange(out, 1).first, at3 = glyphRange(out, 3).first;
    EXPECT_EQ(u16(glyf, at4 + 12), 3);
    EXPECT_EQ(u16(glyf, at3 + 12), 4);
    EXPECT_EQ(u16(glyf, at3 + 22), 2);
    EXPECT_EQ(u16(glyf, at3 + 14), 100) << "component arguments are kept";
    EXPECT_EQ(metrics(out, 1), (std::pair<uint16_t, int16_t>{700, 50}));

    ASSERT_EQ(pdf::subsetTrueType(font, {5}, sub), "");
    EXPECT_EQ(sub.advance.size(), 2u) << "a self-reference adds nothing";

    pdf::FontTables badRef = font;
    set16(badRef.at("glyf"), glyphRange(font, 3).first + 12, 99);
    EXPECT_NE(pdf::subsetTrueType(badRef, {3}, sub).find("99"), std::string::npos);
}

TEST(TrueTypeSubset, CmapFormat4ByDeltaAndByIndexArray)
{
    pdf::FontTables font = compositeFont();
    std::string& cmap = font["cmap"];
    for (uint16_t v : {0, 1, 3, 1, 0, 12}) put16(cmap, v);                       // one subtable, 3/1
    for (uint16_t v : {4, 0, 0, 6, 0, 0, 0}) put16(cmap, v);                     // 3 segments
    for (uint16_t v : {0x42, 0x44, 0xFFFF, 0, 0x41, 0x43, 0xFFFF}) put16(cmap, v); // ends, pad, starts
    for (uint16_t v : {0xFFC0, 0, 1, 0, 4, 0}) put16(cmap, v);                   // deltas, range offsets
    for (uint16_t v : {200, 3}) put16(cmap, v);                                  // index array of 'C', 'D'
    EXPECT_EQ(pdf::glyphForCodePoint(font, U'A'), 1);
    EXPECT_EQ(pdf::glyphForCodePoint(font, U'B'), 2);
    EXPECT_EQ(pdf::glyphForCodePoint(font, U'C'), 0) << "glyph 200 is beyond the font";
    EXPECT_EQ(pdf::glyphForCodePoint(font, U'D'), 3);
    EXPECT_EQ(pdf::glyphForCodePoint(font, U'@'), 0);
    EXPECT_EQ(pdf::glyphForCodePoint(font, U'E'), 0);
}

TEST(TrueTypeSubset, AnyCutOfANeededTableIsAnError)
{
    const pdf::FontTables font = compositeFont();
    for (const char* tag : {"head", "hhea", "maxp", "hmtx", "loca", "glyf"}) {
        for (size_t len = 0; len < font.at(tag).size(); ++len) {
            pdf::FontTables cut = font;
            cut.at(tag).resize(len);
            pdf::FontSubset sub;
            EXPECT_NE(pdf::subsetTrueType(cut, {1, 2, 3, 4, 5}, sub), "") << tag << " cut at " << len;
        }
    }
}

} // namespace
