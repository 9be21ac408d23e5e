// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's canvas on a QImage: lines are rasterised here (GDI rules: the end pixel is left
// out, cosmetic dash patterns, XOR straight into the pixels), circles, arcs and texts go
// through QPainter.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include <QFont>
#include <QImage>

#include "editor/canvas.h"

class QPainter;

namespace ui {

// Maps the Windows faces the program names to the Japanese fonts installed here; call once
// after the QApplication exists.
void installFontSubstitutions();
// The face used for tab captions ("ＭＳ Ｐゴシック" substituted).
QString tabFontFace();

class QtCanvas : public editor::Canvas {
public:
    explicit QtCanvas(int width = 0, int height = 0);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // A new white image of the given size (negative sizes count as 0).
    void resize(int width, int height);
    // The picture as drawn so far (finishes any text or curve drawing first).
    const QImage& image();

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    void clear() override;
    void line(int x1, int y1, int x2, int y2, int colour, editor::PenStyle style, editor::PenMode mode) override;
    void circle(int cx, int cy, int radius, int colour, editor::PenMode mode) override;
    void arc(int cx, int cy, int radius, double startDeg, double endDeg, int colour, editor::PenMode mode) override;
    void text(int left, int top, const std::string& utf8, int heightPx, double angleDeg, int colour,
              const std::string& face) override;

    // 0x00BBGGRR to Qt's 0xAARRGGBB (opaque).
    static QRgb toRgb(int colour);

private:
    // What a text needs from the font, measured once per text and font: drawings repeat the
    // same few labels thousands of times.
    struct TextCache {
        QString text;
        double advance = 0;
        double stretch = 1;  // widens the glyphs to the box the caller estimated
    };

    QPainter& painter();
    void endPainting();
    void plot(int x, int y, quint32 rgb, bool xorMode);
    void selectFont(const std::string& face, int heightPx);
    void setCompositionMode(bool xorMode);

    QImage image_;
    std::unique_ptr<QPainter> painter_;
    // Painter state as last set, so repeated calls do not set it again.
    int composition_ = -1;  // -1 unknown, 0 copy, 1 xor
    bool painterHasFont_ = false;
    QFont font_;
    std::string fontFace_;
    int fontHeight_ = -1;
    double fontAscent_ = 0;
    double fontLineHeight_ = 0;
    std::unordered_map<std::string, TextCache> texts_;  // for font_
};

}  // namespace ui
