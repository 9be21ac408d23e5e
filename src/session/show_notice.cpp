// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/show_notice.h"

#include "platform/platform.h"

namespace session {

void show(platform::Platform& platform, const model::Notice& notice)
{
    if (notice.via == model::Notice::Via::MessageBox)
        platform.messageBox(platform::kConfirmCaption, notice.text, platform::Buttons::Ok);
    else
        platform.statusText(platform::kStatusMessage, notice.text);
    if (notice.beep) platform.beep();
}

void show(platform::Platform& platform, const model::Notices& notices)
{
    for (const model::Notice& n : notices) show(platform, n);
}

bool shown(platform::Platform& platform, const model::Outcome& outcome)
{
    if (outcome.notice) show(platform, *outcome.notice);
    return outcome.ok;
}

}  // namespace session
