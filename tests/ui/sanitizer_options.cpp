// SPDX-License-Identifier: GPL-3.0-or-later
// Allocations that fontconfig and Qt's platform plugins keep until exit are theirs, not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\nleak:libQt6XcbQpa\n"
           "leak:libqoffscreen\nleak:libdbus\nleak:libglib\n";
}
