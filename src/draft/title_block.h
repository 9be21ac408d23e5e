// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of a sheet's title block, from the top, in the four rows of draft::titleRows:
// caption with its part; 工事名称 (else the project file's name); scale with the sheet's place in
// the set; date with 設計者. Shared by every writer of sheets so that they say the same.
#pragma once

#include <string>
#include <vector>

#include "model/project_title.h"

namespace draft {

struct Sheet;

struct TitleBlock {
    std::string caption;      // "梁断面リスト"
    std::string projectPath;
    std::string date;         // "2026-12-08"
    model::ProjectTitle fields;
    int firstSheet = 0;       // the drawing's first sheet in a numbered set; 0: not in one
    int setSheets = 0;
};

std::vector<std::string> titleBlockRows(const TitleBlock& block, const Sheet& sheet);

}  // namespace draft
