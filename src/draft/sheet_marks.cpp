// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/sheet_marks.h"

#include <cmath>

#include "draft/sheet_layout.h"
#include "model/encoding.h"
#include "model/view_slice.h"

namespace draft {

namespace {

constexpr double kNameHeight = 3.5, kDimensionHeight = 2.5;  // millimetres
constexpr double kExtensionFrom = 2, kDimensionLine = 7, kExtensionTo = 8, kNameFrom = 12;  // beyond the edge

double labelWidth(const std::string& text, double height)
{
    return static_cast<double>(model::cp932Length(text)) * height / 2;
}

// The names of a part's own grid lines above (across) or right of it, and the chain of their
// dimensions between it and them, as the whole drawing has them beyond its last lines.
void addPartGrid(SheetMarks& marks, const std::vector<Sheet::GridTick>& ticks, double edge, bool across)
{
    // Sheet point `along` the edge, `out` millimetres beyond it.
    auto at = [&](double along, double out) {
        return across ? model::Point{along, edge + out} : model::Point{edge + out, along};
    };
    for (size_t i = 0; i < ticks.size(); ++i) {
        const Sheet::GridTick& t = ticks[i];
        marks.gridStrokes.push_back({at(t.at, kExtensionFrom), at(t.at, kExtensionTo)});
        if (!t.name.empty()) {
            const double w = labelWidth(t.name, kNameHeight);
            // Centred over its line across, level with its line beside.
            const model::Point lowerLeft = across ? at(t.at - w / 2, kNameFrom) : at(t.at - kNameHeight / 2, kNameFrom - 2);
            marks.gridLabels.push_back({t.name, lowerLeft, kNameHeight});
        }
        if (i == 0) continue;
        const Sheet::GridTick& before = ticks[i - 1];
        marks.gridStrokes.push_back({at(before.at, kDimensionLine), at(t.at, kDimensionLine)});
        const std::string text = model::dimensionText(std::fabs(t.world - before.world));
        const double w = labelWidth(text, kDimensionHeight), middle = (before.at + t.at) / 2;
        // Above the line across, and to its left reading upwards beside it.
        if (across) marks.gridLabels.push_back({text, at(middle - w / 2, kDimensionLine + 0.5), kDimensionHeight});
        else marks.gridLabels.push_back({text, at(middle - w / 2, kDimensionLine - 0.5), kDimensionHeight, 90});
    }
}

}  // namespace

SheetMarks sheetMarks(const Sheet& sheet, const std::vector<std::string>& titleRows)
{
    SheetMarks marks;
    if (!sheet.pieces.empty() && (!sheet.acrossTicks.empty() || !sheet.upTicks.empty())) {
        const SheetPiece& body = sheet.pieces.back();
        const model::Point corner = body.toSheet(body.maxX, body.maxY, sheet.scale);
        addPartGrid(marks, sheet.acrossTicks, corner.y, true);
        addPartGrid(marks, sheet.upTicks, corner.x, false);
    }
    const bool marksAbove = !sheet.acrossTicks.empty();
    constexpr double h = 3;  // millimetres, a match line's name
    for (const Sheet::MatchLine& m : sheet.matchLines) {
        marks.matchLines.push_back({m.from, m.to});
        // Inside the paper: above the top of a vertical cut, under (or over) a horizontal one.
        std::string label = "合わせ線 " + m.name;
        const double width = labelWidth(label, h);
        const bool vertical = m.from.x == m.to.x;
        // A vertical one's name goes above the part's own grid names where they stand.
        const double y = marksAbove ? m.to.y + kNameFrom + kNameHeight + 1.5 : m.to.y + 1;
        const model::Point at = vertical ? model::Point{m.farSide ? m.to.x - width - 1 : m.to.x + 1, y}
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
