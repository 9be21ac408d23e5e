// SPDX-License-Identifier: GPL-3.0-or-later
// What the SS2 paste dialog hands back on OK, for the section dialog to turn into pages.
#pragma once

#include <string>
#include <vector>

namespace exchange {

struct Ss2Result {
    int mode = 0;        // 0 girders, 1 columns
    int levelSpans = 0;  // n, the level span count the dialog was opened with
    int markCount = 0;   // N
    // specs[k][r]: the specification string of mark k + 1 at data row r; row 0 is the top
    // ("R" for girders, storey n for columns).
    std::vector<std::vector<std::string>> specs;
};

}  // namespace exchange
