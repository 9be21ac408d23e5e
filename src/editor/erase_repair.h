// SPDX-License-Identifier: GPL-3.0-or-later
// Erasing paints an element white, and with it every pixel it shared with its neighbours: a
// joint, a crossing, the box of a label. EraseRepair remembers the erased pixels and, once the
// elements are gone, draws again whatever of the plan touches them, so no gap is left until
// the next full redraw.
#pragma once

#include <vector>

#include "editor/canvas.h"

namespace editor {

class EditorContext;

// The pixels of a canvas that were painted, widened by one pixel on every side.
class PixelMask {
public:
    PixelMask(int width, int height);
    void markLine(int x1, int y1, int x2, int y2);
    void markRect(int left, int top, int right, int bottom);
    bool touchesLine(int x1, int y1, int x2, int y2) const;
    bool touchesRect(int left, int top, int right, int bottom) const;
    bool empty() const { return !any_; }

private:
    template <typename Visit>
    bool walk(int x1, int y1, int x2, int y2, Visit visit) const;
    void mark(int x, int y);

    int width_, height_;
    std::vector<unsigned char> bits_;
    bool any_ = false;
    int minX_ = 0, minY_ = 0, maxX_ = -1, maxY_ = -1;  // bounds of the marked pixels
};

class EraseRepair {
public:
    explicit EraseRepair(EditorContext& ctx);
    // Draws the element in white (as EditorContext::eraseElement) and remembers its pixels.
    void erase(int index);
    // Call once the erased elements are deleted: what touches their pixels is drawn again.
    void redrawTouched();

private:
    EditorContext& ctx_;
    PixelMask mask_;
};

}  // namespace editor
