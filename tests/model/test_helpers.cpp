// SPDX-License-Identifier: GPL-3.0-or-later
// Number rules, text splitting and plane geometry shared by every part of the program.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/bars.h"
#include "model/encoding.h"
#include "model/helpers.h"

using namespace model;

TEST(Numbers, ToleranceAndRounding)
{
    EXPECT_TRUE(approxEq(1.0, 1.0000009));
    EXPECT_FALSE(approxEq(1.0, 1.000002));
    EXPECT_EQ(roundHalfAway(-0.5), -1);
    EXPECT_EQ(roundHalfAway(2.5), 3);
    EXPECT_EQ(roundHalfAway(-2.5), -3);
    EXPECT_DOUBLE_EQ(round5(0.123456), 0.12346);
    EXPECT_EQ(ceilTrunc(2.1), 3);
    EXPECT_EQ(ceilTrunc(-2.5), -1);
    EXPECT_EQ(ceilTrunc(4.0), 4);
    EXPECT_EQ(padLeft(42, 5), "   42");
    EXPECT_EQ(padLeft(123456, 3), "123456");
}

TEST(Numbers, ConversionsNeverFailOnBadText)
{
    EXPECT_TRUE(isNumber("-1.5e3"));
    EXPECT_TRUE(isNumber(" 12 "));
    EXPECT_FALSE(isNumber(""));
    EXPECT_FALSE(isNumber("1e"));
    EXPECT_FALSE(isNumber("abc"));
    EXPECT_FALSE(isNumber("."));
    EXPECT_FALSE(isNumber("1e999"));
    EXPECT_TRUE(isNumberOrEmpty(""));
    EXPECT_EQ(strToFloatOr0("x1"), 0);
    EXPECT_EQ(strToFloatDef("x1", 7.5), 7.5);
    EXPECT_EQ(strToIntOr0(""), 0);
    EXPECT_EQ(strToIntOr0("D22"), 0);
    EXPECT_EQ(strToIntOr0("-42"), -42);
    EXPECT_THROW(strToIntOr0("2.5"), ConversionError);
    EXPECT_THROW(strToIntStrict("99999999999"), ConversionError);
    EXPECT_THROW(strToIntStrict("1,2"), ConversionError);
    EXPECT_EQ(strToIntStrict(" +7 "), 7);
}

TEST(Texts, SplittingKeepsEmptyFields)
{
    std::vector<std::string> f;
    EXPECT_EQ(splitFields(";;", ';', f), -1);
    EXPECT_TRUE(f.empty());
    EXPECT_EQ(splitFields("a", ';', f), 1);
    EXPECT_EQ(f[0], "a");
    EXPECT_EQ(splitFields("3::D22", ':', f), 3);
    EXPECT_EQ(f[1], "");
    EXPECT_EQ(f[2], "D22");
    EXPECT_EQ(splitFields("2:D10;", ';', f), 2);
    EXPECT_EQ(f[1], "");
    EXPECT_EQ(fieldAt(3, "RC:400:900", ':'), "");
    EXPECT_EQ(fieldAt(1, "RC:400:900", ':'), "400");
    EXPECT_EQ(fieldAt(0, ":::", ':'), "");
    EXPECT_EQ(removeAll("a:b:c", ':'), "abc");
    EXPECT_EQ(lastPos("a.b.c", '.'), 4);
    EXPECT_EQ(lastPos("abc", '.'), 0);
}

TEST(Bars, TablesAndDecoders)
{
    EXPECT_EQ(barDiameter("D29"), 29);
    EXPECT_EQ(barDiameter("28φ"), 28);
    EXPECT_EQ(barDiameter(""), 255);
    EXPECT_EQ(barMark("D29", kDefaultRodMarks), barMark("28φ", kDefaultRodMarks));
    EXPECT_EQ(barMark("D29", kDefaultRodMarks), kDefaultRodMarks[6]);
    EXPECT_EQ(barMark("d29", kDefaultRodMarks), -1);
    EXPECT_EQ(barSymbolSize("D16"), 48);
    EXPECT_EQ(barSymbolSize("D13"), 24);
    EXPECT_EQ(barSymbolSize("nonsense"), 48);

    BarGroup g = decodeBarGroup("3:2:D22", kDefaultRodMarks);
    EXPECT_EQ(g.n, 3);
    EXPECT_EQ(g.n2, 2);
    EXPECT_EQ(g.symbolSize, 48);
    EXPECT_EQ(decodeBarGroup("", kDefaultRodMarks).n, -1);
    EXPECT_EQ(decodeStirrup(" : : ", kDefaultRodMarks).symbolSize, -1);
    Stirrup s = decodeStirrup("2:D10:200", kDefaultRodMarks);
    EXPECT_EQ(s.pitch, 200);
    EXPECT_EQ(s.symbolSize, 24);
    EXPECT_EQ(decodeHoop("2:2::", kDefaultRodMarks).symbolSize, -1);
    EXPECT_EQ(decodeHoop("2:3:D13:100", kDefaultRodMarks).pitch, 100);
    // A fraction typed into a spec is rounded like the notations round it, never thrown.
    EXPECT_EQ(decodeBarGroup("2.5:0.4:D22", kDefaultRodMarks).n, 3);
    EXPECT_EQ(decodeBars("x:D10", kDefaultRodMarks).n, 0);
    EXPECT_EQ(decodeStirrup("2:D10:150.5", kDefaultRodMarks).pitch, 151);
    EXPECT_EQ(decodeHoop("1.5:2:D13:100", kDefaultRodMarks).hx, 2);
    EXPECT_EQ(sizeField("RC:400:900::1000:400:900", 0, 1), "400");
    EXPECT_EQ(sizeField("RC:400:900::1000:400:900", 1, 1), "1000");
    EXPECT_EQ(sizeField("RC:400:900::1000:350:900", 0, 2), "350");
}

TEST(Geometry, AnglesFeetAndCrossings)
{
    EXPECT_TRUE(angleOnArc(300, 60, 10));
    EXPECT_FALSE(angleOnArc(60, 300, 10));
    EXPECT_DOUBLE_EQ(normDeg(-30), 330);
    EXPECT_DOUBLE_EQ(normDeg(720), 360);
    EXPECT_DOUBLE_EQ(normDeg(-720), 0);
    // Huge and infinite angles must come back at once, not after endless stepping.
    EXPECT_DOUBLE_EQ(normDeg(360.0 * 1e9 + 30), 30);
    EXPECT_DOUBLE_EQ(normDeg(360.0 * 1e9), 360);
    EXPECT_DOUBLE_EQ(normDeg(-360.0 * 1e9 - 30), 330);
    EXPECT_TRUE(std::isinf(normDeg(std::numeric_limits<double>::infinity())));
    const double huge = 1e300;
    double n = normDeg(huge);
    EXPECT_TRUE(n >= 0 && n <= 360);
    EXPECT_FALSE(angleOnArc(0, 10, -std::numeric_limits<double>::infinity()));  // on no arc
    EXPECT_NEAR(angleDeg(0, -1), 270, 1e-9);
    EXPECT_NEAR(angleDeg(-1, 1), 135, 1e-9);
    EXPECT_EQ(angleDeg(0, 0), 0);

    Point foot;
    EXPECT_FALSE(perpFoot({1, 1}, {1, 1}, {0, 0}, foot));
    ASSERT_TRUE(perpFoot({0, 5}, {10, 5}, {3, 9}, foot));
    EXPECT_EQ(foot.x, 3);
    EXPECT_EQ(foot.y, 5);
    ASSERT_TRUE(perpFoot({0, 0}, {10, 10}, {10, 0}, foot));
    EXPECT_EQ(foot.x, 5);
    EXPECT_EQ(foot.y, 5);

    Point at;
    EXPECT_EQ(segmentCross({0, 0}, {10, 0}, {0, 1}, {10, 1}, at), CrossResult::Parallel);
    EXPECT_EQ(segmentCross({0, 0}, {10, 0}, {5, -5}, {5, 5}, at), CrossResult::OnBoth);
    EXPECT_EQ(at.x, 5);
    EXPECT_EQ(segmentCross({0, 0}, {10, 0}, {20, -5}, {20, 5}, at), CrossResult::Outside);
    EXPECT_EQ(at.x, 20);
    EXPECT_EQ(segmentCross({0, 0}, {10, 0}, {10, 0}, {10, 5}, at), CrossResult::OnBoth);
}

TEST(Encoding, JapaneseRoundTripsThroughCp932)
{
    const std::string text = "梁断面リスト φ ｂ×Ｄ";
    auto sjis = utf8ToCp932(text);
    ASSERT_TRUE(sjis.has_value());
    EXPECT_EQ(cp932ToUtf8(*sjis), text);
    EXPECT_EQ(cp932Length("確認"), 4u);
    EXPECT_EQ(cp932Length("abc"), 3u);
    EXPECT_EQ(cp932Length("ｱ"), 1u);  // half-width katakana is one byte
    // What has no CP932 form counts as the two "?" written for it, a broken sequence with the
    // bytes it swallows; the second time from the lengths kept.
    for (int again = 0; again < 2; ++again) EXPECT_EQ(cp932Length("a😀×\xE3" "AB×\xC0\x80"), 11u);
    EXPECT_FALSE(utf8ToCp932("😀").has_value());
    EXPECT_EQ(utf8ToCp932Escaped("a😀b"), "a\\U+1F600b");
    EXPECT_EQ(cp932ToUtf8("\x82"), "\xEF\xBF\xBD");  // a lone lead byte is marked, not dropped
    bool raw = false;
    EXPECT_EQ(cp932ToUtf8Keeping("\x82", &raw), "\uF782");  // or kept as the byte it is
    EXPECT_TRUE(raw);
    EXPECT_TRUE(isCp932LeadByte(0x82));
    EXPECT_FALSE(isCp932LeadByte('A'));
}

// Bytes with no CP932 meaning come back out of the writers exactly as they went in.
TEST(Encoding, NonCp932BytesSurviveReadAndWrite)
{
    // 0x80, 0xA0 and 0xFD-0xFF are never CP932; 0x85 0x40 is an unassigned pair; a lead byte
    // before a comma or at the end has no trail; 0xED 0x40 is a character CP932 writes as
    // other bytes, so it is kept raw, and so is what stands next to it.
    for (std::string bytes : {"\x80", "a\xA0" "b", "\xFD\xFE\xFF", "\x85\x40", "\x82,x", "\x8C\x85\x81", "\x97\xC0\x81",
                              "\xED\x40", "~\xEE\xEE\xEE~"}) {
        bool raw = false;
        const std::string inside = cp932ToUtf8Keeping(bytes, &raw);
        EXPECT_TRUE(raw) << bytes;
        EXPECT_TRUE(isValidUtf8(inside));
        EXPECT_EQ(utf8ToCp932Escaped(inside), bytes);
        EXPECT_EQ(utf8ToCp932(inside), bytes);
        EXPECT_EQ(cp932Length(inside), bytes.size());
    }
    bool raw = true;
    EXPECT_EQ(cp932ToUtf8Keeping("\x8C\x85", &raw), "桁");  // a real character is not raw
    EXPECT_FALSE(raw);
}
