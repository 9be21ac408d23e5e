// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/drawing_frame.h"

#include <exception>

#include "platform/platform.h"
#include "session/session.h"
#include "settings/settings.h"

namespace draft {

DraftScale scaleOf(const settings::Settings& settings, ScaleMode mode)
{
    if (mode == ScaleMode::List) return {settings.draft.ListMojiHeight, settings.draft.ListScale};
    return {settings.draft.DrawMojiHeight, settings.draft.DrawScale};
}

DrawingFrame::DrawingFrame(model::Session& session, DraftState& state) : session_(session), drafter_(session, state) {}

DrawingFrame::~DrawingFrame() { close(); }

bool DrawingFrame::run(ScaleMode mode, GeneratorStore store, const Generator& generator)
{
    close();
    open_ = true;
    drafter_.StashModelStore();
    const int modelRecords = session_.bankA.count();
    session_.store.clear();
    session_.texts.clear();
    // A drawing of the model seldom has more records than the model and a quarter; room for
    // them at once spares copying the drawing over and over as it grows.
    if (store == GeneratorStore::Model) session_.store.reserveRoom(static_cast<size_t>(modelRecords) * 5 / 4);
    DraftState& state = drafter_.state();
    state.nextUID = 0;
    state.uidStoreCount = -1;
    const DraftScale scale = scaleOf(session_.settings, mode);
    drafter_.SetDraftScale(scale.mojiHeight, scale.scale);
    if (store == GeneratorStore::Model) {
        drafter_.StashDrawingStore();
        drafter_.UseModelStore();
    }
    try {
        if (generator) generator(drafter_);
    } catch (const std::exception& e) {
        // The half-made drawing is worthless; the model must be current again before the
        // user is told, since the message may lead to further commands.
        close();
        session_.texts.clear();
        session_.platform.messageBox(platform::kConfirmCaption, std::string("作図できませんでした: ") + e.what(),
                                     platform::Buttons::Ok);
        return false;
    }
    drafter_.UseDrawingStore();
    return true;
}

void DrawingFrame::close()
{
    if (!open_) return;
    open_ = false;
    drafter_.freeDrawing();
}

}  // namespace draft
