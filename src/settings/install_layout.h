// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's own files are once it is installed: the programs in <prefix>/bin, their
// data (help pages) in <prefix>/share/tessmar. A build folder or a copied folder keeps
// everything beside the program instead.
#pragma once

#include <filesystem>

namespace settings {

// <prefix>/share/tessmar for a program in <prefix>/bin ("/usr/bin/" and "/usr/bin" alike).
std::filesystem::path installedDataDir(const std::filesystem::path& programDir);

// True when programDir is a folder named "bin" beside which share/tessmar exists: the
// layout the package installs.
bool isInstalledLayout(const std::filesystem::path& programDir);

}  // namespace settings
