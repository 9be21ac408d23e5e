// SPDX-License-Identifier: GPL-3.0-or-later
// The section figures of the section dialog: one girder end or the column section, drawn
// with the section lists' own figure code (outline, bar symbols, stirrup or hoop, web bars)
// onto a canvas, without texts or dimensions.
#pragma once

#include <string>

#include "editor/canvas.h"

namespace platform {
class Platform;
}
namespace settings {
struct DraftEnv;
}

namespace editor {

inline constexpr int kFigureLineColour = 0xC0C0C0;
inline constexpr int kFigureStirrupColour = 0x808080;

struct SectionFigure {
    std::string spec;
    bool column = false;
    int end = 0;          // girders: 0 left, 1 centre, 2 right
    bool lastRow = false; // the lowest level, for the "最下層" foundation
};

// Clears the canvas and draws the figure in a square window of 1.5 x the larger of b and
// the depth (with the foundation layers while they are drawn). Nothing is drawn when a
// size is 0. Returns the number of primitives drawn.
int drawSectionFigure(Canvas& canvas, const settings::DraftEnv& env, const SectionFigure& figure,
                      platform::Platform& platform);

}  // namespace editor
