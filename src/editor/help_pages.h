// SPDX-License-Identifier: GPL-3.0-or-later
// The help menu's pages: HTML files in the docs folder beside the program (a build folder), or
// in <prefix>/share/tessmar/docs of an installed program, opened in the desktop's default
// browser. When that cannot be done the user is told why.
#pragma once

#include <string>

namespace platform {
class Platform;
}

namespace editor {

// "<programDir>/docs/index.html" for page 0 (home), 1 (manual), 2 (reference); for an installed
// program without pages beside it "<prefix>/share/tessmar/docs/index.html". A missing page is
// named where the program looked first.
std::string helpPagePath(const std::string& programDir, int page);
// Whether the home page is where helpPagePath looks: the program's start-up warns otherwise.
bool helpPagesFound(const std::string& programDir);
// What the user reads when no browser took the page.
std::string cannotOpenText(const std::string& path);
// Opens the page; a missing page or a failed browser start is said in a message box.
void openHelpPage(platform::Platform& platform, const std::string& programDir, int page);

}  // namespace editor
