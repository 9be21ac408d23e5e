// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/install_layout.h"

namespace settings {

namespace fs = std::filesystem;

namespace {

fs::path withoutTrailingSlash(const fs::path& dir)
{
    fs::path p = dir.lexically_normal();
    return p.has_filename() ? p : p.parent_path();
}

}  // namespace

fs::path installedDataDir(const fs::path& programDir)
{
    return withoutTrailingSlash(programDir).parent_path() / "share" / "tessmar";
}

bool isInstalledLayout(const fs::path& programDir)
{
    if (withoutTrailingSlash(programDir).filename() != "bin") return false;
    std::error_code ec;
    return fs::is_directory(installedDataDir(programDir), ec);
}

}  // namespace settings
