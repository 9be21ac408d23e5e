// SPDX-License-Identifier: GPL-3.0-or-later
// A canvas that draws nothing and counts the calls, so a redraw's figure is the renderer's
// own cost.
#pragma once

#include <string>

#include "editor/canvas.h"

namespace bench {

class NullCanvas : public editor::Canvas {
public:
    int width() const override { return 1200; }
    int height() const override { return 900; }
    void clear() override { ++calls; }
    void line(int, int, int, int, int, editor::PenStyle, editor::PenMode) override { ++calls; }
    void circle(int, int, int, int, editor::PenMode) override { ++calls; }
    void arc(int, int, int, double, double, int, editor::PenMode) override { ++calls; }
    void text(int, int, const std::string&, int, double, int, const std::string&) override { ++calls; }
    long long calls = 0;
};

}  // namespace bench
