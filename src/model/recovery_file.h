// SPDX-License-Identifier: GPL-3.0-or-later
// A recovery file is a project file with two more header lines, which every reader of project
// files skips: the path of the project it is a copy of, and when the copy was taken. It opens
// like any project; the notes tell the start-up question what it holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace model {

struct RecoveryNote {
    std::string projectPath;  // the user's own file (or the default name of a new project)
    std::int64_t savedAt = 0;  // seconds since the epoch
};

// The header lines that carry the note (plain ASCII whatever the path holds).
std::vector<std::string> recoveryNoteLines(const RecoveryNote& note);
// The note of a recovery file; nothing when the file cannot be read or carries no note.
std::optional<RecoveryNote> readRecoveryNote(const std::string& path);

}  // namespace model
