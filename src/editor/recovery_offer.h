// SPDX-License-Identifier: GPL-3.0-or-later
// The question at start-up about work a program left unsaved when it crashed or was killed.
#pragma once

#include <string>

namespace model {
class Autosaver;
class RecoveryFolder;
struct RecoveryNote;
}  // namespace model

namespace editor {

class Dispatcher;

// "前回、保存されずに終了した作業があります (<local time>, <project file name>)。復元しますか?"
std::string recoveryQuestion(const model::RecoveryNote& note);

// Offers the recovery files of programs that no longer run, newest first. Yes opens one as the
// modified project under its own name and makes it this program's recovery file; the others
// stay for the next start. No deletes it and offers the next. True when work was restored.
bool offerRecovery(Dispatcher& dispatcher, model::RecoveryFolder& folder, model::Autosaver& autosaver);

}  // namespace editor
