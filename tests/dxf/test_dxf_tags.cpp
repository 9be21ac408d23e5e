// SPDX-License-Identifier: GPL-3.0-or-later
// Every DXF group is a right-justified code line and a value line ended by CR LF, with
// integers padded for the flag codes and reals in the 15-digit general format.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <cmath>
#include <limits>

#include "dxf/dxf_tags.h"

using dxf::formatReal;

TEST(DxfReal, WholeNumbersHaveNoPoint)
{
    EXPECT_EQ(formatReal(0.0), "0");
    EXPECT_EQ(formatReal(-0.0), "0");
    EXPECT_EQ(formatReal(100.0), "100");
    EXPECT_EQ(formatReal(-2400.0), "-2400");
    EXPECT_EQ(formatReal(123456789012345.0), "123456789012345");
}

TEST(DxfReal, FractionsKeepFifteenSignificantDigits)
{
    EXPECT_EQ(formatReal(0.5), "0.5");
    EXPECT_EQ(formatReal(-1.25), "-1.25");
    EXPECT_EQ(formatReal(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(formatReal(2.0 / 3.0 * 1000), "666.666666666667");
    // 0.1 + 0.2 is 0.30000000000000004: rounding to 15 digits hides the binary noise.
    EXPECT_EQ(formatReal(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatReal(1234.56789), "1234.56789");
    EXPECT_EQ(formatReal(112.5), "112.5");
    EXPECT_EQ(formatReal(12345.6789012345678), "12345.6789012346");
}

TEST(DxfReal, ScientificBelowOneHundredThousandthAndAboveFifteenDigits)
{
    EXPECT_EQ(formatReal(0.00001), "0.00001");
    EXPECT_EQ(formatReal(0.000012), "0.000012");
    EXPECT_EQ(formatReal(0.000001), "1E-6");
    EXPECT_EQ(formatReal(-0.0000015), "-1.5E-6");
    EXPECT_EQ(formatReal(1.6e-13), "1.6E-13");
    EXPECT_EQ(formatReal(1e15), "1E15");
    EXPECT_EQ(formatReal(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(formatReal(-1e20), "-1E20");
    // Rounds up into sixteen integral digits, so it switches notation.
    EXPECT_EQ(formatReal(999999999999999.9), "1E15");
    EXPECT_EQ(formatReal(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
}

TEST(DxfReal, AgreesWithFifteenDigitRoundingAcrossMagnitudes)
{
    // Every value reads back as its 15-digit rounding, in the notation its size calls for,
    // without trailing zeros.
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 18);
    for (int i = 0; i < 60000; ++i) {
        double v = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 3 == 0) v = std::round(v * 100000) / 100000;  // drawing coordinates
        if (i % 5 == 0) v = std::trunc(v);
        const std::string s = formatReal(v);
        char rounded[64];
        std::snprintf(rounded, sizeof rounded, "%.14e", v);
        ASSERT_EQ(std::strtod(s.c_str(), nullptr), v == 0 ? 0.0 : std::strtod(rounded, nullptr)) << v << " " << s;
        const double back = std::fabs(std::strtod(rounded, nullptr));
        const bool scientific = back != 0 && (back < 1e-5 || back >= 1e15);
        ASSERT_EQ(s.find('E') != std::string::npos, scientific) << v << " " << s;
        const std::string mant = s.substr(0, s.find('E'));
        if (mant.find('.') != std::string::npos) {
            ASSERT_NE(mant.back(), '0') << s;
        }
        ASSERT_NE(mant.back(), '.') << s;
        ASSERT_EQ(s.find_first_not_of("-0123456789.E"), std::string::npos) << s;
    }
}

TEST(DxfReal, NotFiniteValuesDoNotBreakTheFile)
{
    EXPECT_EQ(formatReal(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(formatReal(std::numeric_limits<double>::infinity()), "0");
}

TEST(DxfReal, IgnoresTheLocale)
{
    // A locale with a decimal comma must not leak into the file.
    const char* set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (!set) set = std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    EXPECT_EQ(formatReal(1234.5), "1234.5");
    EXPECT_EQ(formatReal(0.0000025), "2.5E-6");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(DxfTags, CodesAndIntegersArePaddedByTheirRules)
{
    std::string out;
    dxf::TagWriter t(out);
    t.group(0, "SECTION");
    t.group(10, 2.5);
    t.group(100, "X");
    t.group(62, 7);
    t.group(70, 100);
    t.group(78, 0);
    t.group(79, 5);  // outside the padded range
    t.group(8, 12);  // layer-like integer: plain
    t.groupPlain(72, 1);
    t.flush();
    EXPECT_EQ(out,
              "  0\r\nSECTION\r\n"
              " 10\r\n2.5\r\n"
              "100\r\nX\r\n"
              " 62\r\n     7\r\n"
              " 70\r\n   100\r\n"
              " 78\r\n     0\r\n"
              " 79\r\n5\r\n"
              "  8\r\n12\r\n"
              " 72\r\n1\r\n");
}

TEST(DxfTags, LongPaddedIntegersKeepTheirLastSixCharacters)
{
    std::string out;
    dxf::TagWriter t(out);
    t.group(62, 1234567);
    t.group(70, -5);
    t.group(70, -123456);
    t.flush();
    EXPECT_EQ(out, " 62\r\n234567\r\n 70\r\n    -5\r\n 70\r\n123456\r\n");
}

TEST(DxfTags, LongValuesAndManyGroupsArriveWholeAndInOrder)
{
    std::string out;
    std::string expected;
    const std::string longText(100000, 'x');
    {
        dxf::TagWriter t(out);
        for (int i = 0; i < 20000; ++i) {
            t.group(10, i + 0.5);
            expected += " 10\r\n" + std::to_string(i) + ".5\r\n";
            if (i == 7000) {
                t.group(1, longText);
                expected += "  1\r\n" + longText + "\r\n";
            }
        }
    }
    EXPECT_EQ(out.size(), expected.size());
    EXPECT_TRUE(out == expected);
}

TEST(DxfTags, HandlesAreUpperCaseHexWithThreeDigits)
{
    std::string out;
    dxf::appendHandle(out, 0x14A);
    out += ' ';
    dxf::appendHandle(out, 0xF);
    out += ' ';
    dxf::appendHandle(out, 0xFFF);
    out += ' ';
    dxf::appendHandle(out, 0x1000);
    out += ' ';
    dxf::appendHandle(out, 0xABCDEF12u);
    EXPECT_EQ(out, "14A 00F FFF 1000 ABCDEF12");
}
