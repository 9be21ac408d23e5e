// SPDX-License-Identifier: GPL-3.0-or-later
// Shows what the core reported: a message box, a status-bar text, a beep.
#pragma once

#include "model/notice.h"

namespace platform {
class Platform;
}

namespace session {

void show(platform::Platform& platform, const model::Notice& notice);
void show(platform::Platform& platform, const model::Notices& notices);
// Shows the outcome's notice, if any, and passes on its success.
bool shown(platform::Platform& platform, const model::Outcome& outcome);

}  // namespace session
