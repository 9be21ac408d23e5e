// SPDX-License-Identifier: GPL-3.0-or-later
// The drawings the program makes, one row each: what the preview window, the dispatcher and
// the command line need to run one in the drawing frame.
#pragma once

#include <optional>
#include <string>

#include "draft/drawing_frame.h"
#include "draft/split_guide.h"

namespace model {
class Session;
}

namespace draft {

struct DrawingKind {
    int code = 0;         // command code: 501-505
    std::string caption;  // the preview window's caption ("伏図", "軸組図", "柱断面リスト", ...)
    ScaleMode scale = ScaleMode::Draw;
    GeneratorStore store = GeneratorStore::Drawing;
    // Draws into the frame's drafter, reading the session (view, sections, grid, settings).
    DrawingFrame::Generator generate;
    // Where the drawing may be cut over sheets, for the text height it was drawn at; none: it
    // goes on one sheet or not at all.
    std::function<SplitGuide(const model::Session&, int textHeight)> split;
};

// The drawing of a command code for the session's current view and plane (501 is the framing
// plan in the plan view and the framing elevation in a frame view); nothing for a code that
// is not a drawing.
std::optional<DrawingKind> drawingForCode(int code, model::Session& session);

// Whether the drawing of a code would show anything beyond the grid and its annotation in the
// session's view: sections of the list's kind, members of the framing slice, members with a
// section in the rebar drawing's slice. The empty drawing (504) never does.
bool hasSomethingToDraw(int code, model::Session& session);

}  // namespace draft
