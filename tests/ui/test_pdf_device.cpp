// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF paint device draws what QPainter gives it where Qt would: characters the sheet font
// lacks in the font Qt falls back to, each face as its own font, cosmetic pens at their width,
// nothing for points at no finite place, and no file without a page.
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

TEST(PdfDevice, FacesFallbacksPensAndBadPoints)
{
    uitest::app();
    std::string pdf;
    print::PdfDevice device(1200, [&pdf](std::string_view piece) { pdf += piece; });
    device.newPage(210, 297);
    QPainter p(&device);
    QFont gothic(QStringLiteral("IPAGothic"));
    gothic.setPixelSize(100);
    p.setFont(gothic);
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

TEST(PdfDevice, ADocumentWithoutAPageIsRefused)
{
    print::PdfDevice device(1200, [](std::string_view) {});
    EXPECT_NE(device.finish("t", "Tessmar"), "");
}

}  // namespace
