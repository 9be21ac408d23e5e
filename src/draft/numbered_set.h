// SPDX-License-Identifier: GPL-3.0-or-later
// The whole drawing set as numbered sheets: S-01 the drawing index, then every sheet of every
// drawing of the set (split over the paper as each needs) as S-02, S-03, ..., each title block
// saying "S-05 / 42". The layout is made here once; a writer (the PDF book, the DXF sheet
// files) only draws each drawing's sheets as it is handed them.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "draft/drawing_set_files.h"
#include "draft/sheet_split.h"
#include "draft/title_block.h"
#include "model/project_title.h"

namespace model {
class Session;
}

namespace draft {

// The sheets the session's current drawing takes at 1/scale on the paper: one when it fits,
// else its parts along the guide. `list`: a section list, whose size on paper ignores the scale.
SheetSet sheetsOfDrawing(const model::Session& session, double scale, bool list, const std::string& paper,
                         const std::optional<SplitGuide>& guide);

class SheetWriter {
public:
    virtual ~SheetWriter() = default;
    // The session's current drawing as the next sheets of the set, laid out as `set`, their
    // title blocks from `block`; empty, or why not (the set stops there).
    virtual std::string addSheets(const model::Session& session, const SheetSet& set, const TitleBlock& block) = 0;
};

// What a caller writing the drawings' own files too does as the set goes, so that no drawing
// is generated for those files alone.
struct SetFileHooks {
    // Handed each drawing while it is generated for its sheets (one left out of the sheets, as
    // soon as it is generated); a text it returns stops the set with it.
    std::function<std::string(const SetDrawing& drawing, model::Session& session)> generated;
    std::function<void(const SetDrawing& drawing)> nothingToDraw;
    // Called once every sheet is handed to the writer; a text it returns fails the set.
    std::function<std::string()> finished;
};

struct NumberedSet {
    std::string paper;        // "" or kAutoPaper: automatic
    std::string projectPath;  // for the title blocks
    model::ProjectTitle fields;  // 工事名称 and 設計者
    std::string date;         // empty: today
    // Said for a drawing that is not in the set (one bay too big for the paper).
    std::function<void(const std::string& what, const std::string& why)> leftOut;
    // Called before each drawing with (done, of); false cancels.
    std::function<bool(int done, int of)> progress;
    SetFileHooks files;
    // How many bytes of drawings the layout pass may keep for the writer, so that they need not
    // be generated a second time; a drawing beyond it is generated again.
    size_t keepBytes = size_t{128} << 20;
};

inline constexpr const char* kSetCancelled = "中止しました。";
// Lays the set out and hands every drawing's sheets to the writer, the index first; empty on
// success, kSetCancelled when cancelled, else why not.
std::string writeNumberedSet(model::Session& session, const NumberedSet& request, SheetWriter& writer);

// Today as the title block writes it: "2026-12-08".
std::string todayText();

}  // namespace draft
