// SPDX-License-Identifier: GPL-3.0-or-later
// The whole drawing set as one numbered PDF: S-01 the drawing index, then every sheet of every
// drawing of the set (split over the paper as each needs) as S-02, S-03, ..., each title block
// saying "S-05 / 42". Shared by the command line and the window.
#pragma once

#include <functional>
#include <string>

#include "draft/numbered_set.h"

namespace model {
class Session;
}

namespace print {

struct DrawingSetPdf {
    std::string output;  // the PDF file
    bool mono = false;
    // Paper, project path (also the document's title), title fields, the notices of drawings
    // left out, progress (both passes; a cancel leaves nothing behind) and the files' hooks.
    draft::NumberedSet set;
};

// Writes the set; empty on success, "cancelled" text when cancelled, else why not.
inline constexpr const char* kSetCancelled = draft::kSetCancelled;
std::string writeDrawingSetPdf(model::Session& session, const DrawingSetPdf& request);

}  // namespace print
