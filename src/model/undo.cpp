// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/undo.h"

#include <limits>

#include "model/member_offsets.h"
#include "model/model.h"

namespace model {

void newStep(ElementStore& store)
{
    if (store.undoDepth() < std::numeric_limits<int>::max()) store.setUndoDepth(store.undoDepth() + 1);
    store.openStepId();
    for (Element& e : store.records()) {
        if (e.showAge == 0 && e.delAge == 0) continue;
        if (e.showAge > 0) {
            ++e.showAge;
            if (e.delAge > 0) ++e.delAge;
            else if (e.delAge < 0) e.delAge = 0;
        } else {
            e.showAge = 0;
            e.kind = kind::DISCARDED;
        }
    }
}

namespace {
void stepBack(int32_t& age)
{
    if (age == 0) return;
    --age;
    if (age == 0) age = -1;
}
void stepForward(int32_t& age)
{
    if (age == 0) return;
    ++age;
    if (age == 0) age = 1;
}
}  // namespace

bool undoStep(ElementStore& store)
{
    // Below the floor lie the records the project was opened with: undoing them would empty
    // the model, and a save would then write that over the user's file.
    if (store.undoDepth() <= 0) return false;
    auto& records = store.records();
    bool any = false;
    for (const Element& e : records) any = any || e.showAge > 0;
    if (!any) return false;
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        stepBack(it->showAge);
        stepBack(it->delAge);
    }
    store.setUndoDepth(store.undoDepth() - 1);
    return true;
}

bool redoStep(ElementStore& store)
{
    auto& records = store.records();
    bool any = false;
    for (const Element& e : records) any = any || e.showAge < 0 || e.delAge < 0;
    if (!any) return false;
    for (Element& e : records) {
        stepForward(e.delAge);
        // The creation age moves even from 0, so discarded records keep their listing ages in step.
        ++e.showAge;
        if (e.showAge == 0) e.showAge = 1;
    }
    store.setUndoDepth(store.undoDepth() + 1);
    return true;
}

void recordGridChange(Model& session, const GridModel& before)
{
    const ElementStore& store = session.store;
    GridHistory& history = session.gridHistory;
    const int depth = store.undoDepth();
    // Only the steps below this one can still be undone and redone to.
    std::erase_if(history, [&store, depth](const GridStep& s) {
        return s.depth >= depth || store.stepId(s.depth) != s.step;
    });
    history.push_back({depth, store.stepId(depth), before, session.grid});
}

namespace {
const GridStep* gridStepOf(const Model& session, uint64_t step)
{
    if (step == 0) return nullptr;
    for (const GridStep& s : session.gridHistory)
        if (s.step == step) return &s;
    return nullptr;
}

// The names follow the naming settings of now, which may have changed since the step.
void setGrid(Model& session, const GridModel& grid, const std::array<GridNaming, 3>& naming)
{
    session.grid = grid;
    makeGridNames(session.grid, naming);
}
}  // namespace

bool undoCommand(Model& session, const std::array<GridNaming, 3>& naming)
{
    session.project.modified = true;
    session.store.invalidateConnections();
    const uint64_t undone = session.store.stepId(session.store.undoDepth());
    if (!undoStep(session.store)) return false;
    if (const GridStep* s = gridStepOf(session, undone)) setGrid(session, s->before, naming);
    // Records brought back kept the offsets of the sizes their sections had when they left.
    applyOffsets(session);
    return true;
}

bool redoCommand(Model& session, const std::array<GridNaming, 3>& naming)
{
    session.project.modified = true;
    session.store.invalidateConnections();
    if (!redoStep(session.store)) return false;
    if (const GridStep* s = gridStepOf(session, session.store.stepId(session.store.undoDepth())))
        setGrid(session, s->after, naming);
    // Records brought back kept the offsets of the sizes their sections had when they left.
    applyOffsets(session);
    return true;
}

}  // namespace model
