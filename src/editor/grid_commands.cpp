// SPDX-License-Identifier: GPL-3.0-or-later
// The grid commands: new grid lines from the grid-line dialog (812) and the offsets of the
// existing grid (813).
#include "editor/command_codes.h"
#include "editor/dispatcher.h"
#include "editor/edit_step.h"
#include "model/member_offsets.h"
#include "session/grid_build.h"

namespace editor {

namespace {

int32_t knownOffsetKind(int32_t k)
{
    return k >= model::OFFSET_NONE && k <= model::OFFSET_RIGHT_UPPER ? k : model::OFFSET_NONE;
}

// The dialog gives positions; the grid is made from span counts and pitches. False (with the
// reason) when the positions cannot be read as a grid.
bool specFromRecord(const platform::GridLineRecord& rec, model::GridSpec& spec, std::string& why)
{
    static const char* const axisName[3] = {"X軸", "Y軸", "Z軸"};
    for (int a = 0; a < 3; ++a) {
        const int n = rec.counts[static_cast<size_t>(a)];
        if (n < 0 || n > model::kMaxSpans) {
            why = std::string(axisName[a]) + "のスパン数は0から100までです。";
            return false;
        }
        spec.spanCount[static_cast<size_t>(a)] = n;
        const auto& pos = rec.positions[static_cast<size_t>(a)];
        for (int i = 1; i <= n; ++i) {
            const long long pitch = static_cast<long long>(pos[static_cast<size_t>(i)]) - pos[static_cast<size_t>(i - 1)];
            if (pos[static_cast<size_t>(i)] < 0 || pitch < 0) {
                why = std::string(axisName[a]) + "の通り心の位置が正しくありません。";
                return false;
            }
            spec.pitches[static_cast<size_t>(a)][static_cast<size_t>(i - 1)] = static_cast<int>(pitch);
        }
    }
    spec.offsets = rec.offsets;
    why = model::checkGridSpec(spec);
    return why.empty();
}

}  // namespace

void Dispatcher::createGridCommand()
{
    auto& session = ctx_.session;
    EndViewOperation();
    // A new grid changes the levels the open section dialog has rows for.
    if (sectionDialogHoldsSections()) return;
    StartCommand(cmd::GRID_CREATE);
    // The drawing goes only when the dialog's OK makes the new grid, in the same undo step.
    const bool replacing = session.store.liveCount() > 1;
    if (replacing) {
        const auto answer = session.platform.messageBox(platform::kConfirmCaption, "作図を削除して通り芯を作成します。",
                                                        platform::Buttons::YesNoDefaultNo);
        if (answer != platform::Answer::Yes) {
            EndCommand();
            return;
        }
    }
    if (!ctx_.ports.gridLines) {
        ctx_.notAvailable();
        EndCommand();
        return;
    }
    const auto rec = ctx_.ports.gridLines->editGridLines(platform::GridDialogMode::NewGrid, platform::GridLineRecord{},
                                                         session.grid);
    if (!rec) {
        EndCommand();
        return;
    }
    model::GridSpec spec;
    std::string why;
    if (!specFromRecord(*rec, spec, why)) {
        ctx_.notice(why);
        EndCommand();
        return;
    }
    {
        // The new lines are one undo step of their own, never part of the last edit.
        EditStep step(ctx_);
        step.change();
        step.redrawWhole(true);
        const model::GridModel before = session.grid;
        if (replacing)
            for (int i = -1; session.store.nextLive(i);) step.remove(i);
        model::applyGridSpec(session, spec, ctx_.state.newLineColour);
        model::makeGridNames(session.grid, session.settings.draft.gridNaming);
        model::recordGridChange(session, before);
        applyLevelTab();
    }
    EndCommand();
}

void Dispatcher::editOffsetCommand()
{
    auto& session = ctx_.session;
    EndViewOperation();
    StartCommand(cmd::GRID_OFFSETS);
    if (session.store.liveCount() == 0) {
        ctx_.notice("先に、通り芯を作成してください。");
        EndCommand();
        return;
    }
    if (!ctx_.ports.gridLines) {
        ctx_.notAvailable();
        EndCommand();
        return;
    }
    platform::GridLineRecord rec;
    for (int a = 0; a < 3; ++a) {
        rec.counts[static_cast<size_t>(a)] = session.grid.spans(a);
        rec.positions[static_cast<size_t>(a)] = session.grid.line[static_cast<size_t>(a)];
    }
    rec.offsets = session.grid.offsets;
    const auto out = ctx_.ports.gridLines->editGridLines(platform::GridDialogMode::Offsets, rec, session.grid);
    if (out) {
        // Counts and positions are locked in this mode; only the offset rules come back.
        for (int i = 0; i < model::kGridSlots; ++i) {
            model::BaseOffset o = out->offsets[static_cast<size_t>(i)];
            o.nKindX = knownOffsetKind(o.nKindX);
            o.nKindY = knownOffsetKind(o.nKindY);
            o.nKindZ = knownOffsetKind(o.nKindZ);
            session.grid.offsets[static_cast<size_t>(i)] = o;
        }
        session.project.modified = true;
        model::applyOffsets(session);
        session.store.invalidateConnections();
        ctx_.redraw(true);
    }
    EndCommand();
}

}  // namespace editor
