// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/sheet_marks.h"

#include "draft/sheet_layout.h"
#include "model/encoding.h"

namespace draft {

SheetMarks sheetMarks(const Sheet& sheet, const std::vector<std::string>& titleRows)
{
    SheetMarks marks;
    constexpr double h = 3;  // millimetres, a match line's name
    for (const Sheet::MatchLine& m : sheet.matchLines) {
        marks.matchLines.push_back({m.from, m.to});
        // Inside the paper: above the top of a vertical cut, under (or over) a horizontal one.
        std::string label = "合わせ線 " + m.name;
        const double width = static_cast<double>(model::cp932Length(label)) * h / 2;
        const bool vertical = m.from.x == m.to.x;
        const model::Point at = vertical ? model::Point{m.farSide ? m.to.x - width - 1 : m.to.x + 1, m.to.y + 1}
                                         : model::Point{m.from.x + 1, m.farSide ? m.from.y + 1 : m.from.y - h - 1};
        marks.matchLabels.push_back({std::move(label), at, h});
    }
    const double right = sheet.width - kSheetMargin, left = right - kTitleWidth;
    const double bottom = kSheetMargin, top = bottom + kTitleRowHeight * static_cast<double>(titleRows.size());
    marks.titleLow = {left, bottom};
    marks.titleHigh = {right, top};
    for (size_t i = 1; i < titleRows.size(); ++i) {
        const double y = top - kTitleRowHeight * static_cast<double>(i);
        marks.titleRules.push_back({{left, y}, {right, y}});
    }
    for (size_t i = 0; i < titleRows.size(); ++i) {
        const double base = top - kTitleRowHeight * static_cast<double>(i + 1) + 2;
        marks.titleTexts.push_back({titleRows[i], {left + 2, base}, i == 0 ? 4.0 : 3.0});
    }
    return marks;
}

}  // namespace draft
