// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo by the two step ages of every record; no snapshots, no command log. The grid,
// which is not made of records, keeps a before-and-after copy for the steps that replace it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/grid.h"

namespace model {

class ElementStore;
class Model;

// The grid before and after the step `step` (an ElementStore step id) replaced it.
struct GridStep {
    int depth = 0;
    uint64_t step = 0;
    GridModel before;
    GridModel after;
};
using GridHistory = std::vector<GridStep>;

// Opens a new step: ages move one step into the past, undone creations are discarded.
void newStep(ElementStore& store);
// Each returns false when there was nothing to undo / redo.
bool undoStep(ElementStore& store);
bool redoStep(ElementStore& store);

// Call inside the open step that replaced the grid: undo puts `before` back, redo the grid
// as it is now. Copies kept for steps that can no longer be redone are dropped.
void recordGridChange(Model& session, const GridModel& before);

// The undo and redo commands: mark the project modified, invalidate the connection table.
// A grid put back is named by `naming`, the naming settings of now.
bool undoCommand(Model& session, const std::array<GridNaming, 3>& naming);
bool redoCommand(Model& session, const std::array<GridNaming, 3>& naming);

}  // namespace model
