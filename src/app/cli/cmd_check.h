// SPDX-License-Identifier: GPL-3.0-or-later
// check: the detailing checks of a project as aligned text on stdout or a CSV file.
#pragma once

namespace cli {

// tessmar-cli check PROJECT.kel [-o OUT.csv] [--settings FILE.ini]
// argv starts after "check". Exit 0 whatever was found, 1 on failure, 2 on wrong usage.
int runCheck(int argc, char** argv);

}  // namespace cli
