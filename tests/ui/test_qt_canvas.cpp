// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt canvas draws as the editor expects: the end pixel of a line left out, XOR that undoes
// itself, dash patterns that keep their phase when a line is cut at the image edge, texts in
// the box the editor estimated from CP932 bytes.
#include <QImage>

#include <gtest/gtest.h>

#include "ui/QtCanvas.h"
#include "ui_harness.h"

namespace {

using editor::PenMode;
using editor::PenStyle;

constexpr QRgb kWhitePixel = 0xFFFFFFFF;

int countNonWhite(const QImage& image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != kWhitePixel) ++n;
    return n;
}

TEST(QtCanvas, LinesLeaveOutTheirEndPixel)
{
    uitest::app();
    ui::QtCanvas c(20, 20);
    c.line(2, 5, 6, 5, editor::kBlack, PenStyle::Solid, PenMode::Copy);
    const QImage& img = c.image();
    for (int x = 2; x < 6; ++x) EXPECT_EQ(img.pixel(x, 5), qRgb(0, 0, 0)) << x;
    EXPECT_EQ(img.pixel(6, 5), kWhitePixel);
    EXPECT_EQ(img.pixel(1, 5), kWhitePixel);

    // A grid dot is a line one pixel long.
    ui::QtCanvas dot(10, 10);
    dot.line(4, 4, 5, 5, editor::kBlack, PenStyle::Solid, PenMode::Copy);
    EXPECT_EQ(countNonWhite(dot.image(), QRect(0, 0, 10, 10)), 1);
    EXPECT_NE(dot.image().pixel(4, 4), kWhitePixel);

    // Red is the low byte of the editor's colours.
    ui::QtCanvas red(4, 4);
    red.line(0, 1, 3, 1, editor::kRed, PenStyle::Solid, PenMode::Copy);
    EXPECT_EQ(red.image().pixel(0, 1), qRgb(255, 0, 0));
}

TEST(QtCanvas, XorShowsTheMarkOnWhiteAndDrawingItTwiceRestores)
{
    uitest::app();
    ui::QtCanvas c(40, 40);
    c.line(0, 10, 40, 10, editor::kBlack, PenStyle::Solid, PenMode::Copy);
    const QImage before = c.image().copy();
    const int pen = 0xFFFFFF - editor::kTransientColour;
    c.line(5, 0, 5, 40, pen, PenStyle::Solid, PenMode::Xor);
    c.circle(20, 20, 8, pen, PenMode::Xor);
    c.arc(20, 20, 12, 0, 90, pen, PenMode::Xor);
    EXPECT_EQ(c.image().pixel(5, 20), ui::QtCanvas::toRgb(editor::kTransientColour));
    EXPECT_NE(c.image(), before);
    c.arc(20, 20, 12, 0, 90, pen, PenMode::Xor);
    c.circle(20, 20, 8, pen, PenMode::Xor);
    c.line(5, 0, 5, 40, pen, PenStyle::Solid, PenMode::Xor);
    EXPECT_EQ(c.image(), before);
}

TEST(QtCanvas, DashesKeepTheirPhaseWhenTheLineIsCutAtTheEdge)
{
    uitest::app();
    // The same dashed line drawn whole on a wide image and cut on a narrow one.
    ui::QtCanvas wide(1100, 3);
    wide.line(0, 1, 1050, 1, editor::kBlack, PenStyle::DashDot, PenMode::Copy);
    ui::QtCanvas narrow(50, 3);
    narrow.line(-1000, 1, 50, 1, editor::kBlack, PenStyle::DashDot, PenMode::Copy);
    int gaps = 0;
    for (int x = 0; x < 50; ++x) {
        EXPECT_EQ(narrow.image().pixel(x, 1), wide.image().pixel(1000 + x, 1)) << x;
        gaps += narrow.image().pixel(x, 1) == kWhitePixel;
    }
    EXPECT_GT(gaps, 0);
    EXPECT_LT(gaps, 50);
}

TEST(QtCanvas, FarAwayEndPointsDrawTheVisiblePartQuickly)
{
    uitest::app();
    ui::QtCanvas c(64, 64);
    c.line(-2000000000, 10, 2000000000, 10, editor::kBlack, PenStyle::Solid, PenMode::Copy);
    c.line(-2000000000, -2000000000, 2000000000, 2000000000, editor::kBlack, PenStyle::Solid, PenMode::Copy);
    c.line(100, 100, 200, -50, editor::kBlack, PenStyle::Solid, PenMode::Copy);  // wholly outside
    const QImage& img = c.image();
    EXPECT_EQ(countNonWhite(img, QRect(0, 10, 64, 1)), 64);
    for (int i = 0; i < 64; ++i) EXPECT_NE(img.pixel(i, i), kWhitePixel) << i;
}

TEST(QtCanvas, TextFillsTheBoxEstimatedFromItsBytes)
{
    uitest::app();
    ui::QtCanvas c(200, 60);
    c.line(0, 20, 200, 20, editor::kBlack, PenStyle::Solid, PenMode::Copy);
    // "通り心" is 6 bytes: at 20 pixels the box is 60 wide.
    c.text(10, 10, "通り心", 20, 0, editor::kBlack, editor::kCanvasFontFace);
    const QImage& img = c.image();
    int right = -1, left = 1000;
    for (int y = 10; y < 30; ++y)
        for (int x = 0; x < 200; ++x)
            if (img.pixel(x, y) != kWhitePixel && y != 20) {
                right = std::max(right, x);
                left = std::min(left, x);
            }
    EXPECT_GE(left, 10);
    EXPECT_GT(right, 10 + 60 - 10);
    EXPECT_LE(right, 10 + 60 + 1);
    // The box is painted white: the line under it is gone there, but not beyond it.
    EXPECT_NE(img.pixel(150, 20), kWhitePixel);
    EXPECT_LT(countNonWhite(img, QRect(11, 20, 58, 1)), 58);
}

TEST(QtCanvas, TurnedTextGoesUpFromItsCorner)
{
    uitest::app();
    ui::QtCanvas c(100, 100);
    c.text(40, 90, "ABCD", 12, 90, editor::kBlack, editor::kCanvasFontFace);
    const QImage& img = c.image();
    // Turned a quarter counter-clockwise about (40, 90): the text runs upwards, right of x 40.
    EXPECT_EQ(countNonWhite(img, QRect(0, 0, 100, 100)), countNonWhite(img, QRect(40, 60, 14, 31)));
    EXPECT_GT(countNonWhite(img, QRect(40, 60, 14, 31)), 10);
}

}  // namespace
