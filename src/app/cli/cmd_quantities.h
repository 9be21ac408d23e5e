// SPDX-License-Identifier: GPL-3.0-or-later
// quantities: the bar take-off of a project as a table on stdout or a CSV file.
#pragma once

namespace cli {

// tessmar-cli quantities PROJECT.kel [-o OUT.csv] [--settings FILE.ini]
// argv starts after "quantities". Without -o the table goes to stdout as aligned text; members
// left out are named (on stderr when writing a file). Exit 0, 1 on failure, 2 on wrong usage.
int runQuantities(int argc, char** argv);

}  // namespace cli
