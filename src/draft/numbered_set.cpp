// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/numbered_set.h"

#include <ctime>
#include <vector>

#include "draft/drawing_index.h"
#include "draft/drawing_set.h"
#include "draft/drawing_set_files.h"
#include "dxf/dxf_writer.h"
#include "model/session.h"
#include "model/view_slice.h"

namespace draft {

namespace {

// A drawing of the set as its sheets are laid out.
struct Laid {
    SheetSet set;
    TitleBlock block;
};

struct Planned {
    SetDrawing entry;
    int sheets = 0;
};

// Runs one drawing of the set and hands `use` its layout; false when the generator failed (it
// has said why through the platform).
template <typename Use>
bool withDrawing(model::Session& session, DrawingFrame& frame, DraftState& state, const SetDrawing& entry,
                 const NumberedSet& request, Use use)
{
    model::selectSlice(session.grid, entry.mode, entry.tab, session.view);
    const std::optional<DrawingKind> kind = drawingForCode(entry.code, session);
    if (!kind || !frame.run(kind->scale, kind->store, kind->generate)) return false;
    std::optional<SplitGuide> guide;
    if (kind->split) guide = kind->split(session, state.draftTextHeight);
    Laid laid;
    laid.set = sheetsOfDrawing(session, scaleOf(session.settings, kind->scale).scale, kind->scale == ScaleMode::List,
                               request.paper, guide);
    laid.block = {sheetCaption(*kind, session), request.projectPath, request.date, request.fields, 0, 0};
    use(laid);
    frame.close();
    return true;
}

// The index rows: its own sheets first, then every drawing sheet.
std::vector<IndexEntry> indexEntries(int indexSheets, const std::vector<std::pair<std::string, std::string>>& rows)
{
    std::vector<IndexEntry> entries;
    for (int i = 0; i < indexSheets; ++i)
        entries.push_back({sheetNumber(i + 1),
                           indexSheets > 1 ? "図面リスト (" + std::to_string(i + 1) + "/" + std::to_string(indexSheets) + ")"
                                           : "図面リスト",
                           "-"});
    for (size_t i = 0; i < rows.size(); ++i)
        entries.push_back({sheetNumber(indexSheets + 1 + static_cast<int>(i)), rows[i].first, rows[i].second});
    return entries;
}

}  // namespace

SheetSet sheetsOfDrawing(const model::Session& session, double scale, bool list, const std::string& paper,
                         const std::optional<SplitGuide>& guide)
{
    return layoutSheets(drawingBox(session.store, session.texts, dxf::textOptions(session.settings)),
                        guide ? &*guide : nullptr, scale, paper, list ? SheetSize::Fixed : SheetSize::ByScale);
}

std::string todayText()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    char text[16];
    if (!localtime_r(&t, &local) || std::strftime(text, sizeof text, "%Y-%m-%d", &local) == 0) return {};
    return text;
}

std::string writeNumberedSet(model::Session& session, const NumberedSet& given, SheetWriter& writer)
{
    NumberedSet request = given;
    if (request.date.empty()) request.date = todayText();
    DraftState state;
    DrawingFrame frame(session, state);
    std::vector<SetDrawing> drawings;
    for (const SetDrawing& entry : wholeDrawingSet(session.grid)) {
        model::selectSlice(session.grid, entry.mode, entry.tab, session.view);
        if (hasSomethingToDraw(entry.code, session)) drawings.push_back(entry);
    }
    const int steps = 2 * static_cast<int>(drawings.size()) + 1;
    int done = 0;
    auto goOn = [&] { return !request.progress || request.progress(done++, steps); };

    // First pass: how many sheets each drawing takes, so that every title block can say how
    // many the set has and the index can come first.
    std::vector<Planned> planned;
    std::vector<std::pair<std::string, std::string>> rows;  // caption, scale of every drawing sheet
    for (const SetDrawing& entry : drawings) {
        if (!goOn()) return kSetCancelled;
        std::string why;
        int sheets = 0;
        if (!withDrawing(session, frame, state, entry, request, [&](const Laid& laid) {
                why = laid.set.error;
                for (const Sheet& sheet : laid.set.sheets)
                    rows.emplace_back(partCaption(laid.block.caption, sheet), "1/" + numberText(sheet.scale));
                sheets = static_cast<int>(laid.set.sheets.size());
            }))
            return entry.what + ": 作図できません";
        if (sheets == 0) {
            if (request.leftOut) request.leftOut(entry.what, why);
            continue;
        }
        planned.push_back({entry, sheets});
    }
    if (planned.empty()) return "no drawing to put in the set";

    // The index: as many sheets as its rows need, itself counted among the rows.
    const double listScale = scaleOf(session.settings, ScaleMode::List).scale;
    auto layIndex = [&](int indexSheets) {
        Laid laid;
        frame.run(ScaleMode::List, GeneratorStore::Drawing, [&](Drafter& d) {
            const SplitGuide guide = drawDrawingIndex(d, indexEntries(indexSheets, rows));
            laid.set = sheetsOfDrawing(session, listScale, true, request.paper, guide);
        });
        return laid;
    };
    int indexSheets = 1;
    for (int tries = 0; tries < 4; ++tries) {
        const int needed = static_cast<int>(layIndex(indexSheets).set.sheets.size());
        frame.close();
        if (needed == indexSheets || needed == 0) break;
        indexSheets = needed;
    }
    const int total = indexSheets + static_cast<int>(rows.size());

    Laid index = layIndex(indexSheets);
    index.block = {"図面リスト", request.projectPath, request.date, request.fields, 1, total};
    std::string why = index.set.sheets.empty() ? index.set.error : writer.addSheets(session, index.set, index.block);
    frame.close();
    if (!why.empty()) return why;

    // Second pass: every drawing again, handed straight to the writer.
    int next = indexSheets + 1;
    for (const Planned& p : planned) {
        if (!goOn()) return kSetCancelled;
        if (!withDrawing(session, frame, state, p.entry, request, [&](Laid& laid) {
                laid.block.firstSheet = next;
                laid.block.setSheets = total;
                why = writer.addSheets(session, laid.set, laid.block);
            }))
            return p.entry.what + ": 作図できません";
        if (!why.empty()) return why;
        next += p.sheets;
    }
    if (!goOn()) return kSetCancelled;
    return {};
}

}  // namespace draft
