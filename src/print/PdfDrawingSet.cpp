// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PdfDrawingSet.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "draft/drawing_index.h"
#include "draft/drawing_set.h"
#include "draft/drawing_set_files.h"
#include "model/view_slice.h"
#include "print/PdfSheet.h"
#include "session/session.h"

namespace print {

namespace {

struct Planned {
    draft::SetDrawing entry;
    int first = 0;  // number of its first sheet
    int sheets = 0;
};

// Runs one drawing of the set and hands it to `use` with its sheet options; false when the
// generator failed (it has said why through the platform).
template <typename Use>
bool withDrawing(model::Session& session, draft::DrawingFrame& frame, draft::DraftState& state,
                 const draft::SetDrawing& entry, const DrawingSetPdf& request, Use use)
{
    model::selectSlice(session.grid, entry.mode, entry.tab, session.view);
    const std::optional<draft::DrawingKind> kind = draft::drawingForCode(entry.code, session);
    if (!kind || !frame.run(kind->scale, kind->store, kind->generate)) return false;
    SheetOptions options;
    options.scale = draft::scaleOf(session.settings, kind->scale).scale;
    options.list = kind->scale == draft::ScaleMode::List;
    options.paper = request.paper;
    options.mono = request.mono;
    options.caption = draft::sheetCaption(*kind, session);
    options.projectPath = request.projectPath;
    options.fields = request.fields;
    if (kind->split) options.split = kind->split(session, state.draftTextHeight);
    use(options);
    frame.close();
    return true;
}

}  // namespace

std::string writeDrawingSetPdf(model::Session& session, const DrawingSetPdf& request)
{
    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    std::vector<draft::SetDrawing> drawings;
    for (const draft::SetDrawing& entry : draft::wholeDrawingSet(session.grid)) {
        model::selectSlice(session.grid, entry.mode, entry.tab, session.view);
        if (draft::hasSomethingToDraw(entry.code, session)) drawings.push_back(entry);
    }
    const int steps = 2 * static_cast<int>(drawings.size()) + 1;
    int done = 0;
    auto goOn = [&] { return !request.progress || request.progress(done++, steps); };

    // First pass: how many sheets each drawing takes, so that every title block can say how
    // many the set has and the index can come first.
    std::vector<Planned> planned;
    std::vector<std::pair<std::string, std::string>> rows;  // caption, scale of every drawing sheet
    for (const draft::SetDrawing& entry : drawings) {
        if (!goOn()) return kSetCancelled;
        std::string why;
        int sheets = 0;
        if (!withDrawing(session, frame, state, entry, request, [&](const SheetOptions& options) {
                const draft::SheetSet set = sheetsFor(session, options);
                why = set.error;
                for (const draft::Sheet& sheet : set.sheets)
                    rows.emplace_back(draft::partCaption(options.caption, sheet), "1/" + draft::numberText(sheet.scale));
                sheets = static_cast<int>(set.sheets.size());
            }))
            return entry.what + ": 作図できません";
        if (sheets == 0) {
            if (request.leftOut) request.leftOut(entry.what, why);
            continue;
        }
        planned.push_back({entry, 0, sheets});
    }
    if (planned.empty()) return request.output + ": no drawing to put in it";

    // The index: as many sheets as its rows need, itself counted among the rows.
    std::vector<draft::IndexEntry> entries;
    int indexSheets = 1;
    std::optional<draft::SplitGuide> guide;
    for (int tries = 0; tries < 4; ++tries) {
        entries.clear();
        for (int i = 0; i < indexSheets; ++i)
            entries.push_back({draft::sheetNumber(i + 1), indexSheets > 1 ? "図面リスト (" + std::to_string(i + 1) + "/" + std::to_string(indexSheets) + ")" : "図面リスト", "-"});
        for (size_t i = 0; i < rows.size(); ++i)
            entries.push_back({draft::sheetNumber(indexSheets + 1 + static_cast<int>(i)), rows[i].first, rows[i].second});
        frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing,
                  [&](draft::Drafter& d) { guide = draft::drawDrawingIndex(d, entries); });
        SheetOptions probe;
        probe.scale = draft::scaleOf(session.settings, draft::ScaleMode::List).scale;
        probe.list = true;
        probe.paper = request.paper;
        probe.split = guide;
        const int needed = static_cast<int>(sheetsFor(session, probe).sheets.size());
        frame.close();
        if (needed == indexSheets || needed == 0) break;
        indexSheets = needed;
    }
    const int total = indexSheets + static_cast<int>(rows.size());

    PdfBook book(request.output, std::filesystem::path(request.projectPath).filename().string());
    SheetOptions index;
    index.scale = draft::scaleOf(session.settings, draft::ScaleMode::List).scale;
    index.list = true;
    index.paper = request.paper;
    index.mono = request.mono;
    index.caption = "図面リスト";
    index.projectPath = request.projectPath;
    index.fields = request.fields;
    index.firstSheet = 1;
    index.setSheets = total;
    frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing,
              [&](draft::Drafter& d) { index.split = draft::drawDrawingIndex(d, entries); });
    std::string why = book.addSheet(session, index);
    frame.close();
    if (!why.empty()) return why;

    // Second pass: every drawing again, painted straight into the file.
    int next = indexSheets + 1;
    for (const Planned& p : planned) {
        if (!goOn()) return kSetCancelled;  // the book's file is discarded with it
        if (!withDrawing(session, frame, state, p.entry, request, [&](SheetOptions options) {
                options.firstSheet = next;
                options.setSheets = total;
                why = book.addSheet(session, options);
            }))
            return p.entry.what + ": 作図できません";
        if (!why.empty()) return why;
        next += p.sheets;
    }
    if (!goOn()) return kSetCancelled;
    return book.finish();
}

}  // namespace print
