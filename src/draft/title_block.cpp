// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/title_block.h"

#include "draft/drawing_index.h"
#include "draft/sheet_split.h"

namespace draft {

std::vector<std::string> titleBlockRows(const TitleBlock& block, const Sheet& sheet)
{
    std::vector<std::string> rows = titleRows(partCaption(block.caption, sheet), block.projectPath, sheet.scale, block.date);
    if (!block.fields.projectName.empty()) rows[1] = "工事名称 " + block.fields.projectName + "  (" + rows[1] + ")";
    if (block.firstSheet > 0) rows[2] += "    " + sheetOfSet(block.firstSheet + sheet.part - 1, block.setSheets);
    if (!block.fields.designer.empty()) rows[3] += "    設計者 " + block.fields.designer;
    return rows;
}

}  // namespace draft
