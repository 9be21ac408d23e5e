// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF paint device draws what QPainter gives it where Qt would: characters the sheet font
// lacks in the font Qt falls back to, each face as its own font, cosmetic pens at their width,
// nothing for points at no finite place, and no file without a page.
#include <string>

#include <QPainter>
#include <QPainterPath>

#include <gtest/gtest.h>

#include "print/PdfDevice.h"
#include "support/shell.h"
#include "support/temp_dir.h"
#include "ui_harness.h"

namespace {

size_t count(const std::string& s, const std::string& what)
{
    size_t n = 0;
    for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
    return n;
}

// An A4 page at 1200 dots per inch, its file in `pdf`, and IPAGothic 100 dots high.
struct A4Page {
    QApplication& application = uitest::app();  // before the font
    std::string pdf;
    print::PdfDevice device{1200, [this](std::string_view piece) { pdf += piece; }};
    QFont gothic{QStringLiteral("IPAGothic")};
    A4Page()
    {
        device.newPage(210, 297);
        gothic.setPixelSize(100);
    }
};

TEST(PdfDevice, FacesFallbacksPensAndBadPoints)
{
    A4Page page;
    std::string& pdf = page.pdf;
    print::PdfDevice& device = page.device;
    QPainter p(&device);
    p.setFont(page.gothic);
    p.drawText(QPointF(500, 500), QStringLiteral("梁 D25"));
    // U+2300 is not in IPAGothic: Qt takes it from another font, and so must the page.
    p.drawText(QPointF(500, 800), QStringLiteral("\u2300"));
    QFont proportional(QStringLiteral("IPAPGothic"));
    proportional.setPixelSize(100);
    p.setFont(proportional);
    p.drawText(QPointF(500, 1100), QStringLiteral("断面"));

    QPen cosmetic(Qt::red, 3);
    cosmetic.setCosmetic(true);
    p.setPen(cosmetic);
    p.scale(10, 10);
    p.drawLine(QPointF(10, 10), QPointF(20, 10));
    p.resetTransform();
    p.setPen(QPen(Qt::blue, 2));
    p.drawLine(QPointF(qQNaN(), 100), QPointF(200, 100));
    p.drawLine(QPointF(1e300, 100), QPointF(200, qInf()));
    p.end();
    ASSERT_EQ(device.finish("t", "Tessmar"), "");

    EXPECT_EQ(pdf.find("<0000> Tj"), std::string::npos);  // no empty box for the missing character
    EXPECT_GE(count(pdf, "f\n"), 1u);                  // its outline, filled
    EXPECT_NE(pdf.find("3 w\n"), std::string::npos);   // the cosmetic pen, not 30 dots wide
    EXPECT_EQ(pdf.find("0 0 1 RG"), std::string::npos) << "a line to a point at no finite place";

    testing_support::TempDir dir;
    testing_support::writeBytes(dir.file("faces.pdf"), pdf);
    const std::string fonts = testing_support::shell("pdffonts '" + dir.file("faces.pdf") + "'").second;
    EXPECT_NE(fonts.find("+IPAGothic "), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("+IPAPGothic "), std::string::npos) << fonts;
    const std::string text = testing_support::shell("pdftotext '" + dir.file("faces.pdf") + "' -").second;
    EXPECT_NE(text.find("D25"), std::string::npos) << text;
    EXPECT_NE(text.find("断面"), std::string::npos) << text;
}

// The left and right edges of the first word `word` in `pdftotext -bbox` output, in points.
std::pair<double, double> wordSpan(const std::string& bbox, const std::string& word)
{
    const size_t at = bbox.find(">" + word + "</word>");
    if (at == std::string::npos) return {-1, -1};
    const size_t from = bbox.rfind("xMin=\"", at), to = bbox.rfind("xMax=\"", at);
    return {std::stod(bbox.substr(from + 6)), std::stod(bbox.substr(to + 6))};
}

TEST(PdfDevice, TextsPaintedStraightLandWhereThePainterPutsThem)
{
    A4Page page;
    const std::string& pdf = page.pdf;
    print::PdfDevice& device = page.device;
    const QFont& gothic = page.gothic;
    QPainter p(&device);
    QTransform stretched;
    stretched.scale(1.5, 1);
    // The same mixed-script label through the painter (Qt's text layout) and straight, under
    // the same stretch, with lines between them so that text objects open and close.
    p.setFont(gothic);
    p.setTransform(stretched);
    p.drawText(QPointF(400, 1000), QStringLiteral("梁 G12"));
    p.resetTransform();
    p.drawLine(QPointF(100, 1100), QPointF(3000, 1100));
    device.drawText(QPointF(400, 2000), gothic, Qt::red, stretched, U"梁 G12");
    device.drawText(QPointF(400, 2300), gothic, Qt::black, QTransform(), U"\u2300X");  // a character the face lacks
    p.drawLine(QPointF(100, 2400), QPointF(3000, 2400));
    device.drawText(QPointF(400, 2600), gothic, Qt::black, QTransform(), U"S=1/40");
    p.end();
    ASSERT_EQ(device.finish("t", "Tessmar"), "");
    EXPECT_EQ(pdf.find("<0000> Tj"), std::string::npos);

    testing_support::TempDir dir;
    const std::string path = dir.file("straight.pdf");
    testing_support::writeBytes(path, pdf);
    const auto [status, bbox] = testing_support::shell("pdftotext -bbox '" + path + "' - 2>&1");
    ASSERT_EQ(status, 0) << bbox;
    EXPECT_EQ(bbox.find("Error"), std::string::npos) << bbox;
    const size_t first = bbox.find(">G12</word>");
    ASSERT_NE(first, std::string::npos) << bbox;
    const auto painted = wordSpan(bbox, "G12");
    const auto straight = wordSpan(bbox.substr(first + 1), "G12");
    EXPECT_NEAR(straight.first, painted.first, 0.5) << bbox;    // half a point: a tenth of a character
    EXPECT_NEAR(straight.second, painted.second, 0.5) << bbox;
    // Three half-width characters of 100 dots, stretched by half as much again.
    EXPECT_NEAR(painted.second - painted.first, 1.5 * 3 * 50 * 72 / 1200.0, 0.5) << bbox;
    EXPECT_NE(bbox.find(">S=1/40</word>"), std::string::npos) << bbox;
}

TEST(PdfDevice, ADocumentWithoutAPageIsRefused)
{
    print::PdfDevice device(1200, [](std::string_view) {});
    EXPECT_NE(device.finish("t", "Tessmar"), "");
}

}  // namespace
