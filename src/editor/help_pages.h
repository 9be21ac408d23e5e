// The help menu's pages: HTML files in the docs folder beside the program, opened in the
// desktop's default browser. When that cannot be done the user is told why.
#pragma once

#include <string>

namespace platform {
class Platform;
}

namespace editor {

// "<programDir>/docs/index.html" for page 0 (home), 1 (manual), 2 (reference).
std::string helpPagePath(const std::string& programDir, int page);
// What the user reads when no browser took the page.
std::string cannotOpenText(const std::string& path);
// Opens the page; a missing page or a failed browser start is said in a message box.
void openHelpPage(platform::Platform& platform, const std::string& programDir, int page);

}  // namespace editor
