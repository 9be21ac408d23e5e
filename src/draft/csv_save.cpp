// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/csv_save.h"

#include <filesystem>

#include "platform/dialog_ports.h"
#include "platform/platform.h"

namespace draft {

std::optional<std::string> saveCsvAs(platform::FileDialogPort& files, platform::Platform& platform,
                                     const std::string& initialPath,
                                     const std::function<model::FileResult(const std::string& path)>& write)
{
    const std::optional<std::string> chosen = files.saveFile(kCsvFilter, initialPath);
    if (!chosen || chosen->empty()) return std::nullopt;
    std::string path = *chosen;
    if (!std::filesystem::path(path).has_extension()) path += ".csv";
    const model::FileResult r = write(path);
    if (!r.ok) {
        platform.messageBox(platform::kConfirmCaption, r.message, platform::Buttons::Ok);
        return std::nullopt;
    }
    return path;
}

}  // namespace draft
