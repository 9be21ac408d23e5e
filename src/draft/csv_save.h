// SPDX-License-Identifier: GPL-3.0-or-later
// "CSVで保存" of the report windows (bar take-off, detailing checks) without the window.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "model/project_file.h"

namespace platform {
class FileDialogPort;
class Platform;
}  // namespace platform

namespace draft {

inline constexpr const char* kCsvFilter = "CSVファイル|*.csv|すべて|*.*";

// Asks for a file (".csv" added when the name has no extension) and writes it; a failure is
// shown in a message. The path written, or nothing when cancelled or when writing failed.
std::optional<std::string> saveCsvAs(platform::FileDialogPort& files, platform::Platform& platform,
                                     const std::string& initialPath,
                                     const std::function<model::FileResult(const std::string& path)>& write);

}  // namespace draft
