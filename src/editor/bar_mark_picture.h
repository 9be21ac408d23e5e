// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of a bar mark as the drawings draw it, for boxes that offer the marks.
#pragma once

#include "editor/canvas.h"

namespace platform {
class Platform;
}

namespace editor {

// Clears the canvas and draws bar symbol `mark` of the drafting engine in black, centred and
// scaled so that the largest symbol fills it with a small margin. Marks that the engine does
// not draw leave the canvas white.
void drawBarMarkPicture(Canvas& canvas, int mark, platform::Platform& platform);

}  // namespace editor
