// SPDX-License-Identifier: GPL-3.0-or-later
// The framing plans, framing elevations and rebar arrangement drawings of every slice, and the
// bar quantities, of any project that reads: each ends (no layout runs away at coordinates far
// from the origin), and the DXF file of each drawing is well formed.
#include "fuzz_support.h"

#include "draft/drawing_frame.h"
#include "draft/drawing_set.h"
#include "draft/drawing_set_files.h"
#include "draft/quantity_table.h"
#include "draft/rebar_quantity.h"
#include "editor/command_codes.h"
#include "model/project_file.h"
#include "model/view_slice.h"
#include "session/session.h"

namespace fuzz {

int fuzzDrawings(const uint8_t* data, size_t size)
{
    QuietPlatform platform;
    model::Session session(platform);
    if (!model::readProjectBytes(session, std::string(bytesOf(data, size)), "fuzz.kel").ok) return 0;
    // Every stirrup layout start gets its turn, picked by the input so the corpus stays valid.
    static constexpr int kStarts[4] = {0, 1, 2, 9};
    session.settings.draft.TessmarStirStart = kStarts[size % 4];

    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    for (const draft::SetDrawing& entry : draft::wholeDrawingSet(session.grid)) {
        // The section lists have a target of their own.
        if (entry.code != editor::cmd::DRAW_FRAMING && entry.code != editor::cmd::DRAW_REBAR) continue;
        model::selectSlice(session.grid, entry.mode, entry.tab, session.view);
        if (!draft::hasSomethingToDraw(entry.code, session)) continue;
        const auto drawing = draft::drawingForCode(entry.code, session);
        check(drawing.has_value(), "a framing or rebar code has a drawing", entry.what);
        if (!frame.run(drawing->scale, drawing->store, drawing->generate)) continue;
        checkDrawingDxf(session, entry.what.c_str());
        frame.close();
    }

    const draft::quantity::Takeoff t = draft::quantity::takeOff(
        session.store, session.sections, session.grid, session.settings.draft.TessmarStirStart, {});
    for (const draft::quantity::QuantityRow& row : t.rows)
        check(row.count >= 0, "a quantity row counts no negative number of bars", row.mark);
    check(!draft::quantity::quantityText(t).empty(), "the quantities have a text");
    return 0;
}

}  // namespace fuzz
