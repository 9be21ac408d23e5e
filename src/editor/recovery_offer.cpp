// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/recovery_offer.h"

#include <ctime>

#include "editor/dispatcher.h"
#include "model/autosaver.h"
#include "model/recovery_folder.h"
#include "session/session.h"

namespace editor {

namespace {

std::string localTime(std::int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    char text[32] = "";
    if (!localtime_r(&t, &local) || std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local) == 0) return "?";
    return text;
}

std::string fileName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string recoveryQuestion(const model::RecoveryNote& note)
{
    return "前回、保存されずに終了した作業があります (" + localTime(note.savedAt) + ", " +
           fileName(note.projectPath) + ")。復元しますか?";
}

bool offerRecovery(Dispatcher& dispatcher, model::RecoveryFolder& folder, model::Autosaver& autosaver)
{
    platform::Platform& platform = dispatcher.context().session.platform;
    bool restored = false;
    for (const model::OrphanRecovery& orphan : folder.orphans()) {
        const platform::Answer answer =
            platform.messageBox(platform::kConfirmCaption, recoveryQuestion(orphan.note), platform::Buttons::YesNo);
        if (answer != platform::Answer::Yes) {
            folder.remove(orphan);
            continue;
        }
        // An unreadable copy is kept for the user (the message names it); the next one is offered.
        if (!dispatcher.openRecovered(orphan.file, orphan.note.projectPath)) continue;
        const model::FileResult taken = folder.adopt(orphan);
        if (taken.ok) autosaver.takeOver();
        else platform.statusText(platform::kStatusMessage, "復元用ファイルを引き継げませんでした: " + taken.message);
        restored = true;
        break;
    }
    folder.releaseOrphans();
    return restored;
}

}  // namespace editor
