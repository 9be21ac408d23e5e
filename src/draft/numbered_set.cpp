// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/numbered_set.h"

#include <ctime>
#include <vector>

#include "draft/drawing_index.h"
#include "draft/drawing_set.h"
#include "draft/drawing_set_files.h"
#include "dxf/dxf_writer.h"
#include "model/element_store.h"
#include "session/session.h"
#include "model/text_buffer.h"
#include "model/view_slice.h"

namespace draft {

namespace {

// A drawing of the set as its sheets are laid out.
struct Laid {
    SheetSet set;
    TitleBlock block;
};

// A drawing of the set with its layout, and its store and texts while they are kept.
struct Planned {
    SetDrawing entry;
    Laid laid;
    bool kept = false;
    std::vector<model::Element> records;
    model::TextBuffer texts;
};

size_t bytesOf(const model::Session& session)
{
    // Records held, not room reserved: room never written takes no memory.
    size_t bytes = session.store.records().size() * sizeof(model::Element);
    for (const model::Moji& m : session.texts.entries()) bytes += sizeof m + m.text.capacity() + m.layer.capacity();
    return bytes;
}

// Runs one drawing of the set and hands `use` its layout (none when `layOut` is false: a
// drawing generated again keeps the one it had); false when the generator failed (it has said
// why through the platform).
template <typename Use>
bool withDrawing(model::Session& session, DrawingFrame& frame, DraftState& state, const SetDrawing& entry,
                 const NumberedSet& request, Use use, bool layOut = true)
{
    model::selectSlice(session.grid, entry.mode, entry.tab, session.view);
    const std::optional<DrawingKind> kind = drawingForCode(entry.code, session);
    if (!kind || !frame.run(kind->scale, kind->store, kind->generate)) return false;
    Laid laid;
    if (layOut) {
        std::optional<SplitGuide> guide;
        if (kind->split) guide = kind->split(session, state.draftTextHeight);
        laid.set = sheetsOfDrawing(session, scaleOf(session.settings, kind->scale).scale,
                                   kind->scale == ScaleMode::List, request.paper, guide);
    }
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
    // Every slice of the building is drawn: one table for all of them costs less than one per slice.
    if (!session.store.connectionsValid()) session.store.computeConnections();
    std::vector<SetDrawing> drawings;
    for (const SetDrawing& entry : wholeDrawingSet(session.grid)) {
        model::selectSlice(session.grid, entry.mode, entry.tab, session.view);
        if (hasSomethingToDraw(entry.code, session)) drawings.push_back(entry);
        else if (request.files.nothingToDraw) request.files.nothingToDraw(entry);
    }
    const int steps = 2 * static_cast<int>(drawings.size()) + 1;
    int done = 0;
    auto goOn = [&] { return !request.progress || request.progress(done++, steps); };

    // First pass: how many sheets each drawing takes, so that every title block can say how
    // many the set has and the index can come first. The drawings that fit the budget are kept
    // for the writer; the others are generated again.
    std::vector<Planned> planned;
    std::vector<std::pair<std::string, std::string>> rows;  // caption, scale of every drawing sheet
    size_t keptBytes = 0;
    for (const SetDrawing& entry : drawings) {
        if (!goOn()) return kSetCancelled;
        Planned p{entry, {}, false, {}, model::TextBuffer()};
        std::string stop;
        if (!withDrawing(session, frame, state, entry, request, [&](Laid& laid) {
                // A drawing with sheets is handed over in the second pass, beside its painting.
                if (request.files.generated && laid.set.sheets.empty()) stop = request.files.generated(entry, session);
                for (const Sheet& sheet : laid.set.sheets)
                    rows.emplace_back(partCaption(laid.block.caption, sheet), "1/" + numberText(sheet.scale));
                if (!laid.set.sheets.empty() && keptBytes + bytesOf(session) <= request.keepBytes) {
                    keptBytes += bytesOf(session);
                    p.kept = true;
                    p.records = std::move(session.store.records());
                    p.texts = std::move(session.texts);
                    session.texts.clear();
                }
                p.laid = std::move(laid);
            }))
            return entry.what + ": 作図できません";
        if (!stop.empty()) return stop;
        if (p.laid.set.sheets.empty()) {
            if (request.leftOut) request.leftOut(entry.what, p.laid.set.error);
            continue;
        }
        planned.push_back(std::move(p));
    }
    if (planned.empty()) return "図面一式に入れる図面がありません。";

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

    // Second pass: every drawing, kept or generated again, handed straight to the writer.
    int next = indexSheets + 1;
    for (Planned& p : planned) {
        if (!goOn()) return kSetCancelled;
        p.laid.block.firstSheet = next;
        p.laid.block.setSheets = total;
        auto hand = [&] {
            if (request.files.generated) why = request.files.generated(p.entry, session);
            if (why.empty()) why = writer.addSheets(session, p.laid.set, p.laid.block);
        };
        if (p.kept) {
            frame.run(ScaleMode::Draw, GeneratorStore::Drawing, [&](Drafter&) {
                session.store.records() = std::move(p.records);
                session.texts = std::move(p.texts);
            });
            hand();
            frame.close();
        } else if (!withDrawing(session, frame, state, p.entry, request, [&](const Laid&) { hand(); }, false)) {
            return p.entry.what + ": 作図できません";
        }
        if (!why.empty()) return why;
        next += static_cast<int>(p.laid.set.sheets.size());
    }
    if (!goOn()) return kSetCancelled;
    return request.files.finished ? request.files.finished() : std::string();
}

}  // namespace draft
