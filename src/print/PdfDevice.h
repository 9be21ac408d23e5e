// SPDX-License-Identifier: GPL-3.0-or-later
// A PDF file as a Qt paint device: the sheet painter paints it with the same QPainter calls
// that print a sheet, and the pages go out as our own PDF (the pdf/ writer), as they are drawn
// and uncompressed, where Qt's own PDF writer deflates them at a cost of several times the
// drawing. What sheets use is drawn: lines, curves, rectangles, polygons and
// texts in solid colours. Clipping, transparency, gradients and images are not (no sheet has
// them).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <QColor>
#include <QPaintDevice>
#include <QPointF>

class QFont;
class QTransform;

namespace print {

class PdfPaintEngine;

// v rounded to the nearest whole number, halves away from zero, as std::round but inline (a
// sheet rounds millions of coordinates onto whole dots); far-off values stay as they are.
inline double wholeDot(double v)
{
    return v > -1e15 && v < 1e15 ? static_cast<double>(static_cast<long long>(v + (v < 0 ? -0.5 : 0.5))) : v;
}

class PdfDevice : public QPaintDevice {
public:
    // Device coordinates are dots of `dotsPerInch`, y downwards from the page's top-left corner.
    // The file goes to `write` as it is made; after a failed finish() its bytes are no PDF.
    PdfDevice(int dotsPerInch, std::function<void(std::string_view)> write);
    ~PdfDevice() override;
    PdfDevice(const PdfDevice&) = delete;
    PdfDevice& operator=(const PdfDevice&) = delete;

    // Closes the page being painted, if any, and starts one of this size. The first page too:
    // call before QPainter::begin.
    void newPage(double widthMm, double heightMm);
    // Closes the page being painted and writes the rest of the file; empty on success, else
    // why not. End the painter first.
    std::string finish(const std::string& title, const std::string& creator);

    // A text onto the page being painted as QPainter::drawText would put it there, without Qt's
    // text layout (sheet fonts are not shaped): `text` in `font` (a pixel size), the left end of
    // its baseline at `at`, mapped by `transform` onto the device, filled with `colour`. Paint
    // it between the painter's own calls; the painter's state is neither used nor changed.
    void drawText(QPointF at, const QFont& font, QColor colour, const QTransform& transform,
                  std::u32string_view text);

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int dpi_;
    double widthMm_ = 0, heightMm_ = 0;
    std::unique_ptr<PdfPaintEngine> engine_;
};

}  // namespace print
