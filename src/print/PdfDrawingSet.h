// SPDX-License-Identifier: GPL-3.0-or-later
// The whole drawing set as one numbered PDF: S-01 the drawing index, then every sheet of every
// drawing of the set (split over the paper as each needs) as S-02, S-03, ..., each title block
// saying "S-05 / 42". Shared by the command line and the window.
#pragma once

#include <functional>
#include <string>

#include "draft/numbered_set.h"
#include "model/project_title.h"

namespace model {
class Session;
}

namespace print {

struct DrawingSetPdf {
    std::string output;       // the PDF file
    std::string paper;        // "" or kAutoPaper: automatic
    bool mono = false;
    std::string projectPath;  // for the title blocks and the document's title
    model::ProjectTitle fields;  // 工事名称 and 設計者
    // Said for a drawing that is not in the set (nothing to draw, or one bay too big).
    std::function<void(const std::string& what, const std::string& why)> leftOut;
    // Called before each drawing of both passes with (done, of); false cancels, and nothing is
    // left behind.
    std::function<bool(int done, int of)> progress;
    draft::SetFileHooks files;  // the drawings' own files, written as the set goes
};

// Writes the set; empty on success, "cancelled" text when cancelled, else why not.
inline constexpr const char* kSetCancelled = draft::kSetCancelled;
std::string writeDrawingSetPdf(model::Session& session, const DrawingSetPdf& request);

}  // namespace print
