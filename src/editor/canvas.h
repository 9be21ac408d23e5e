// SPDX-License-Identifier: GPL-3.0-or-later
// The raster surface the plan, the drawing preview and the 3-D view draw on. Coordinates are
// pixels of the canvas image, x to the right and y downwards; colours are 0x00BBGGRR.
#pragma once

#include <string>

namespace editor {

enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

// Copy paints the colour; Xor combines the pen colour with every pixel it covers, so drawing
// the same thing twice restores the picture (rubber bands, markers).
enum class PenMode { Copy, Xor };

// Every canvas text uses this face; a canvas substitutes a font that has the same metrics.
inline const std::string kCanvasFontFace = "MS ゴシック";

inline constexpr int kWhite = 0xFFFFFF;
inline constexpr int kBlack = 0x000000;
inline constexpr int kRed = 0x0000FF;
// Colour in which transient marks appear on white.
inline constexpr int kTransientColour = 0xDEDEDE;

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills the whole image with white.
    virtual void clear() = 0;
    // One pixel wide. The end pixel (x2, y2) is not part of the line, so (x, y)-(x + 1, y + 1)
    // is a single dot and XOR strokes sharing an end point do not cancel there.
    virtual void line(int x1, int y1, int x2, int y2, int colour, PenStyle style, PenMode mode) = 0;
    // Outline only, solid pen.
    virtual void circle(int cx, int cy, int radius, int colour, PenMode mode) = 0;
    // Outline from startDeg counter-clockwise (as seen on screen) to endDeg; degrees from the
    // +x axis. Equal angles give the whole circle.
    virtual void arc(int cx, int cy, int radius, double startDeg, double endDeg, int colour, PenMode mode) = 0;
    // UTF-8 text whose box has its top-left corner at (left, top) and is turned angleDeg
    // counter-clockwise about that corner. heightPx is the character height in pixels; weight
    // is normal, the background of the text box is painted white.
    virtual void text(int left, int top, const std::string& utf8, int heightPx, double angleDeg, int colour,
                      const std::string& face) = 0;
};

}  // namespace editor
