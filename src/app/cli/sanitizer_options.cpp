// SPDX-License-Identifier: GPL-3.0-or-later
// Allocations that fontconfig and Qt keep until exit (PDF sheets) are theirs, not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libqoffscreen\nleak:libglib\n";
}

extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
