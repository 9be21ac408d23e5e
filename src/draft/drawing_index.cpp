// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/drawing_index.h"

#include "draft/list_common.h"

namespace draft {

std::string sheetNumber(int n)
{
    return std::string(n < 10 ? "S-0" : "S-") + std::to_string(n);
}

std::string sheetOfSet(int n, int total) { return sheetNumber(n) + " / " + std::to_string(total); }

SplitGuide drawDrawingIndex(Drafter& d, const std::vector<IndexEntry>& entries)
{
    // Columns and rows in text heights: number, name, scale.
    const double h = d.draftTextHeight();
    const double columns[] = {0, 10 * h, 50 * h, 60 * h};
    const double row = 2.5 * h;
    const double top = kListTop;
    const int rows = static_cast<int>(entries.size()) + 1;
    d.SetPen(kListPenText);
    listText(d, "図面リスト", columns[0], top + row, BASE_MIDDLE_LEFT);
    const char* headings[] = {"図面番号", "図面名称", "縮尺"};
    for (int c = 0; c < 3; ++c) listText(d, headings[c], (columns[c] + columns[c + 1]) / 2, top - row / 2);
    for (size_t i = 0; i < entries.size(); ++i) {
        const double y = top - row * (static_cast<double>(i) + 1.5);
        listText(d, entries[i].number, (columns[0] + columns[1]) / 2, y);
        listText(d, entries[i].caption, columns[1] + h, y, BASE_MIDDLE_LEFT);
        listText(d, entries[i].scale, (columns[2] + columns[3]) / 2, y);
    }
    SplitGuide guide;
    guide.headings = true;
    guide.xCuts = {columns[0], columns[3]};
    for (int r = 0; r <= rows; ++r) {
        const double y = top - row * r;
        d.SetPen(r <= 1 ? kListPenOuter : kListPenInner);
        d.DraftLine(columns[0], y, columns[3], y);
        if (r >= 1) guide.yCuts.push_back(y);
    }
    d.SetPen(kListPenOuter);
    for (double x : columns) d.DraftLine(x, top, x, top - row * rows);
    return guide;
}

}  // namespace draft
