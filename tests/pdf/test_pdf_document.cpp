// SPDX-License-Identifier: GPL-3.0-or-later
// Our PDF files as a reader we did not write sees them (poppler): page sizes, an embedded
// Japanese font whose texts extract as they were written, and numbers a reader parses right.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "pdf/pdf_document.h"
#include "support/shell.h"
#include "support/temp_dir.h"

namespace {

const char* const kIpaGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
using testing_support::shell;

std::string numbers(std::initializer_list<double> values)
{
    pdf::Content c;
    for (double v : values) c.num(v);
    return c.take();
}

TEST(PdfContent, NumbersAreShortAndExactToAHundredth)
{
    // Far-off values stay on their side, within what readers take for integers.
    EXPECT_EQ(numbers({0, 12345, -7, 0.5, 0.25, 1.006, -0.004, 2.999, 1e20, -1e20, NAN}),
              "0 12345 -7 0.5 0.25 1.01 0 3 1000000000 -1000000000 0 ");
    pdf::Content c;
    c.fraction(128 / 255.0).fraction(1).fraction(0).fraction(0.05).fraction(-3);
    EXPECT_EQ(c.take(), "0.501961 1 0 0.05 0 ");
    c.hexGlyphs({1, 0x2A, 0xFFFF});
    EXPECT_EQ(c.take(), "<0001002AFFFF>");
    EXPECT_TRUE(c.empty());
    // Operators of no length and of more than a short operator's room.
    c.op("").op(std::string(600, 'x')).op("").op(" S\n");
    EXPECT_EQ(c.take(), std::string(600, 'x') + " S\n");

    // A page's content spans many chunks: nothing is lost or doubled where one ends.
    std::string expected;
    for (int i = 0; i < 400000; ++i) {
        c.num(i).op(i % 7 ? "l\n" : "m\n");
        expected += std::to_string(i) + (i % 7 ? " l\n" : " m\n");
    }
    EXPECT_EQ(c.size(), expected.size());
    EXPECT_EQ(c.take(), expected);
}

TEST(PdfDocument, PagesAndJapaneseTextReadBackWithPoppler)
{
    std::ifstream in(kIpaGothic, std::ios::binary);
    if (!in || shell("command -v pdftotext").first != 0) GTEST_SKIP() << "IPAGothic or poppler-utils missing";
    const std::string file((std::istreambuf_iterator<char>(in)), {});
    pdf::FontTables tables;
    ASSERT_EQ(pdf::readFontTables(file, tables), "");

    std::string bytes;
    pdf::Document doc([&bytes](std::string_view piece) { bytes += piece; });
    pdf::EmbeddedFont& font = doc.font("IPAGothic", tables);
    EXPECT_EQ(&doc.font("IPAGothic", tables), &font);  // one face, one font
    auto textOf = [&](const std::u32string& s) {
        std::vector<uint16_t> codes;
        for (char32_t cp : s) codes.push_back(font.code(pdf::glyphForCodePoint(tables, cp), cp));
        return codes;
    };
    pdf::Content& a3 = doc.beginPage(1190.55, 841.89);
    a3.op("BT /F1 20 Tf 100 700 Td ").hexGlyphs(textOf(U"梁断面リスト")).op(" Tj ET\n");
    // More than a megabyte of strokes: the page goes out in several pieces.
    for (int i = 0; i < 60000; ++i) a3.num(100 + i % 500).num(100).op("m ").num(200.5).num(100 + i % 300).op("l S\n");
    doc.endPage({&font});
    pdf::Content& a4 = doc.beginPage(595.28, 841.89);
    a4.op("BT /F1 12 Tf 50 50 Td ").hexGlyphs(textOf(U"S=1/40 断面")).op(" Tj ET\n");
    doc.endPage({&font});
    EXPECT_EQ(textOf(U"梁")[0], 1);  // codes are handed out once, in order of first use
    ASSERT_EQ(doc.finish("梁断面リスト", "Tessmar"), "");
    EXPECT_GT(bytes.size(), size_t(1) << 20);
    testing_support::TempDir dir;
    const std::string path = dir.file("doc.pdf");
    std::ofstream(path, std::ios::binary) << bytes;

    const auto [status, info] = shell("pdfinfo -f 1 -l 2 '" + path + "'");
    EXPECT_EQ(status, 0) << info;
    EXPECT_EQ(info.find("Error"), std::string::npos) << info;  // xref, lengths and objects as read
    EXPECT_NE(info.find("Title:           梁断面リスト"), std::string::npos) << info;
    EXPECT_NE(info.find("Page    1 size:  1190.55 x 841.89 pts (A3)"), std::string::npos) << info;
    EXPECT_NE(info.find("Page    2 size:  595.28 x 841.89 pts (A4)"), std::string::npos) << info;
    const std::string fonts = shell("pdffonts '" + path + "'").second;
    EXPECT_NE(fonts.find("+IPAGothic"), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("CID TrueType      Identity-H       yes yes yes"), std::string::npos) << fonts;
    const std::string text = shell("pdftotext -layout '" + path + "' -").second;
    EXPECT_NE(text.find("梁断面リスト"), std::string::npos) << text;
    EXPECT_NE(text.find("S=1/40 断面"), std::string::npos) << text;
    EXPECT_EQ(text.find("Syntax"), std::string::npos) << text;
}

TEST(PdfDocument, NoPageAnOpenPageOrABrokenFontFailTheFile)
{
    pdf::Document doc([](std::string_view) {});
    EXPECT_EQ(doc.finish("t", "Tessmar"), "the document has no page");
    pdf::EmbeddedFont& broken = doc.font("Broken", {{"head", "short"}});
    doc.beginPage(100, 100).hexGlyphs({broken.code(5, U'A')});
    EXPECT_EQ(doc.finish("t", "Tessmar"), "a page is still open");
    doc.endPage({&broken});
    const std::string why = doc.finish("t", "Tessmar");
    EXPECT_EQ(why.rfind("Broken: ", 0), 0u) << why;
}

}  // namespace
