// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/list_common.h"

#include <algorithm>
#include <charconv>

#include "model/encoding.h"
#include "model/helpers.h"

namespace draft {

ListLayout makeListLayout(const ListSizes& size, std::span<const int> titleKinds, int lastKind, int figureKind,
                          int textHeight)
{
    ListLayout l;
    l.size = size;
    l.uX = l.uY = textHeight;
    l.figureKind = figureKind;
    int textRows = 0, figureRows = 0;
    for (int kind : titleKinds) {
        if (kind <= 0 || kind > lastKind) continue;
        l.rows.push_back(kind);
        ++(kind == figureKind ? figureRows : textRows);
    }
    l.block = static_cast<int>(model::roundHalfAway(size.H * textRows + size.HD * figureRows));
    return l;
}

ListSections::ListSections(const model::SectionTable& table, char letter) : table_(table)
{
    const std::string kindText(1, letter);
    for (int i = 0; i < model::kSectionCount; ++i) {
        const model::SectionEntry& e = table[static_cast<size_t>(i)];
        if (e.secID <= 0 || model::fieldAt(0, e.secKey, ':') != kindText) continue;
        const int level = model::specInt(model::fieldAt(1, e.secKey, ':'));
        byLevelAndMark_.emplace(key(level, model::fieldAt(1, e.secName, ':')), i);
    }
}

std::string ListSections::key(int level, std::string_view mark) { return std::to_string(level) + ":" + std::string(mark); }

const model::SectionEntry* ListSections::find(int level, std::string_view mark) const
{
    auto it = byLevelAndMark_.find(key(level, mark));
    return it == byLevelAndMark_.end() ? nullptr : &table_[static_cast<size_t>(it->second)];
}

std::string ListSections::levelName(int level, const std::vector<std::string>& marks,
                                    const std::string& fallback) const
{
    for (const std::string& mark : marks)
        if (const model::SectionEntry* e = find(level, mark)) {
            std::string name = model::fieldAt(0, e->secName, ':');
            if (!name.empty()) return name;
        }
    return fallback;
}

void listText(Drafter& d, const std::string& text, double x, double y, int nBase)
{
    if (text.empty()) return;
    d.addMoji(nBase, text, x, y, d.draftTextHeight(), 0, 0);
}

void drawListHeader(Drafter& d, const ListLayout& l, const std::vector<std::string>& marks)
{
    d.SetPen(kListPenText);
    const double y = kListTop - l.size.H * l.uY / 2;
    listText(d, "階", l.levelX(), y);
    listText(d, "符　号", l.titleX(), y);
    for (size_t i = 0; i < marks.size(); ++i)
        listText(d, marks[i], l.columnLeft(static_cast<int>(i)) + l.columnWidth() / 2, y);
}

void drawListOuterRules(Drafter& d, const ListLayout& l, int markCount, int blocks)
{
    d.SetPen(kListPenOuter);
    const double right = l.columnLeft(markCount);
    const double bottom = l.blockTop(blocks);
    d.DraftLine(0, kListTop, right, kListTop);
    d.DraftLine(0, l.headerBottom(), right, l.headerBottom());
    for (int a = 0; a < blocks; ++a) d.DraftLine(0, l.blockTop(a + 1), right, l.blockTop(a + 1));
    d.DraftLine(0, kListTop, 0, bottom);
    d.DraftLine(l.size.W1 * l.uX, kListTop, l.size.W1 * l.uX, bottom);
    for (int k = 0; k <= markCount; ++k) d.DraftLine(l.columnLeft(k), kListTop, l.columnLeft(k), bottom);
}

SplitGuide listSplitGuide(const ListLayout& l, int markCount, int blocks)
{
    SplitGuide guide;
    guide.headings = true;
    for (int k = 0; k <= markCount; ++k) guide.xCuts.push_back(l.columnLeft(k));
    for (int a = 0; a <= blocks; ++a) guide.yCuts.push_back(l.blockTop(a));
    return guide;
}

void drawLegsText(Drafter& d, const ListLayout& l, double mojiRatio, const std::string& rest, int nVert, int nHoriz,
                  double columnLeft, double middle)
{
    d.SetPen(kListPenText);
    const double width = static_cast<double>(model::cp932Length(rest)) * l.uX * mojiRatio;
    const double start = columnLeft + l.columnWidth() / 2 - width / 2;
    listText(d, rest, start, middle, BASE_MIDDLE_LEFT);
    // The counts are typed by hand: a symbol one unit wide cannot show more strokes.
    nVert = std::clamp(nVert, 0, kMaxLegStrokes);
    nHoriz = std::clamp(nHoriz, 0, kMaxLegStrokes);
    d.DraftGrid(nVert, nHoriz, start - 1.5 * l.uX, middle + l.uY / 2, l.uX, l.uY);
}

void drawDimensionLine(Drafter& d, const std::string& text, double ax, double ay, double bx, double by, double ox,
                       double oy, double offset, double gap, double lift)
{
    const double l1x = ax + ox * offset, l1y = ay + oy * offset;
    const double l2x = bx + ox * offset, l2y = by + oy * offset;
    d.DraftLine(l1x, l1y, l2x, l2y);
    d.DraftLine(ax + ox * gap, ay + oy * gap, l1x, l1y);
    d.DraftLine(bx + ox * gap, by + oy * gap, l2x, l2y);
    d.DraftCircle(10, l1x, l1y);
    d.DraftCircle(10, l2x, l2y);
    d.DraftTextOnLine(text, BASE_BOTTOM_CENTRE, 2, l1x, l1y, l2x, l2y, lift);
}

std::string dimensionNumber(double v)
{
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

}  // namespace draft
