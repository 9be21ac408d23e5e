// Undo and redo by the two step ages of every record; no snapshots, no command log.
#pragma once

namespace model {

class ElementStore;
class Session;

// Opens a new step: ages move one step into the past, undone creations are discarded.
void newStep(ElementStore& store);
// Each returns false when there was nothing to undo / redo.
bool undoStep(ElementStore& store);
bool redoStep(ElementStore& store);

// The undo and redo commands: mark the project modified, invalidate the connection table.
bool undoCommand(Session& session);
bool redoCommand(Session& session);

}  // namespace model
