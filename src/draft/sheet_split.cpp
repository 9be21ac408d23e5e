// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/sheet_split.h"

#include <algorithm>
#include <cmath>

#include "editor/segment_clip.h"
#include "model/element_store.h"
#include "model/text_buffer.h"

namespace draft {

namespace {

using Band = std::pair<double, double>;
constexpr double kEps = 1e-6;

// Consecutive cuts joined into bands no longer than `room` millimetres at 1/scale, in the
// cuts' order; empty when one gap alone is longer (its length in `widest`).
std::vector<Band> groupBands(const std::vector<double>& cuts, double room, double scale, double& widest)
{
    std::vector<Band> bands;
    widest = 0;
    for (size_t i = 1; i < cuts.size(); ++i) widest = std::max(widest, std::fabs(cuts[i] - cuts[i - 1]) / scale);
    if (widest > room) return {};
    size_t start = 0;
    for (size_t i = 1; i < cuts.size(); ++i) {
        const bool last = i + 1 == cuts.size();
        if (last || std::fabs(cuts[i + 1] - cuts[start]) / scale > room) {
            bands.emplace_back(cuts[start], cuts[i]);
            start = i;
        }
    }
    return bands;
}

// The guide's cuts reaching out to the drawing's edges where no heading lies beyond them.
std::vector<double> bodyCuts(std::vector<double> cuts, double low, double high, bool headingAtLow)
{
    if (cuts.size() < 2) return {low, high};
    const bool descending = cuts.front() > cuts.back();
    double& first = cuts.front();
    double& last = cuts.back();
    if (descending) {
        if (!headingAtLow) first = std::max(first, high);
        last = std::min(last, low);
    } else {
        if (!headingAtLow) first = std::min(first, low);
        last = std::max(last, high);
    }
    return cuts;
}

struct Split {
    std::vector<Band> columns, rows;
    double needScale = 0;  // when it failed: the scale at which the widest gap would fit
};

// Room above and right of a part for the names and dimensions of its own grid lines.
double marksRoom(const SplitGuide& guide) { return guide.partMarks ? kPartMarksRoom : 0; }

Split splitOn(const PaperSize& paper, const DrawingBox& box, const SplitGuide& guide, double scale)
{
    const double room = marksRoom(guide);
    const double aw = paper.height - 2 * kSheetMargin - room, ah = paper.width - 2 * kSheetMargin - kTitleHeight - room;
    const double headingW = guide.headings ? (guide.xCuts.front() - box.minX) / scale : 0;
    const double headerH = guide.headings ? (box.maxY - guide.yCuts.front()) / scale : 0;
    Split s;
    double wideX = 0, wideY = 0;
    s.columns = groupBands(bodyCuts(guide.xCuts, box.minX, box.maxX, guide.headings), aw - headingW, scale, wideX);
    s.rows = groupBands(bodyCuts(guide.yCuts, box.minY, box.maxY, guide.headings), ah - headerH, scale, wideY);
    if (s.columns.empty() || s.rows.empty())
        s.needScale = scale * std::max((headingW + wideX) / aw, (headerH + wideY) / ah);
    return s;
}

// The guide's cuts from `low` to `high` (either order), where the sheet's body piece puts them.
std::vector<Sheet::GridTick> ticksOf(const std::vector<double>& cuts, const std::vector<std::string>& names, double low,
                                     double high, const SheetPiece& body, double scale, bool across)
{
    std::vector<Sheet::GridTick> ticks;
    for (size_t i = 0; i < cuts.size(); ++i) {
        const double v = cuts[i];
        if (v < std::min(low, high) - kEps || v > std::max(low, high) + kEps) continue;
        const model::Point p = across ? body.toSheet(v, body.maxY, scale) : body.toSheet(body.maxX, v, scale);
        ticks.push_back({across ? p.x : p.y, v, i < names.size() ? names[i] : std::string()});
    }
    return ticks;
}

const PaperSize* paperNamed(const std::string& name)
{
    for (const PaperSize& p : isoPapers())
        if (name == p.name) return &p;
    return nullptr;
}

constexpr double kNone = 1.7e308;

const std::string* nameAt(const std::vector<double>& cuts, const std::vector<std::string>& names, double v)
{
    for (size_t i = 0; i < cuts.size() && i < names.size(); ++i)
        if (cuts[i] == v && !names[i].empty()) return &names[i];
    return nullptr;
}

// The sheet's cut edges that lie on named grid lines, along the body piece.
void addMatchLines(Sheet& sheet, const SplitGuide& guide, double left, double right, double top, double bottom)
{
    const SheetPiece& body = sheet.pieces.back();
    for (double x : {left, right})
        if (const std::string* name = x == kNone ? nullptr : nameAt(guide.xCuts, guide.xNames, x))
            sheet.matchLines.push_back({body.toSheet(x, body.minY, sheet.scale), body.toSheet(x, body.maxY, sheet.scale),
                                        *name, x == right});
    for (double y : {top, bottom})
        if (const std::string* name = y == kNone ? nullptr : nameAt(guide.yCuts, guide.yNames, y))
            sheet.matchLines.push_back({body.toSheet(body.minX, y, sheet.scale), body.toSheet(body.maxX, y, sheet.scale),
                                        *name, y == bottom});
}

SheetSet placeParts(const PaperSize& paper, const DrawingBox& box, const SplitGuide& guide, double scale,
                    const Split& split)
{
    SheetSet set;
    set.columns = split.columns;
    set.rows = split.rows;
    if (guide.headings) {
        set.headingRight = guide.xCuts.front();
        set.headerBottom = guide.yCuts.front();
    }
    const double headingW = guide.headings ? (set.headingRight - box.minX) / scale : 0;
    const double headerH = guide.headings ? (box.maxY - set.headerBottom) / scale : 0;
    const double room = marksRoom(guide);
    const int parts = static_cast<int>(split.columns.size() * split.rows.size());
    for (size_t c = 0; c < split.columns.size(); ++c)
        for (size_t r = 0; r < split.rows.size(); ++r) {
            const auto [x0, x1] = split.columns[c];
            const auto [y0, y1] = split.rows[r];  // top, bottom
            Sheet sheet;
            sheet.paper = paper.name;
            sheet.landscape = true;
            sheet.width = paper.height;
            sheet.height = paper.width;
            sheet.scale = scale;
            sheet.column = static_cast<int>(c);
            sheet.row = static_cast<int>(r);
            sheet.part = static_cast<int>(set.sheets.size()) + 1;
            sheet.parts = parts;
            // The part with its headings and its grid's marks centred in the room above the title block.
            const double w = headingW + (x1 - x0) / scale + room, h = headerH + (y0 - y1) / scale + room;
            const double left = (sheet.width - w) / 2;
            const double top =
                kSheetMargin + kTitleHeight + (sheet.height - 2 * kSheetMargin - kTitleHeight + h) / 2 - room;
            auto piece = [&](double px0, double py0, double px1, double py1, model::Point at) {
                if (px1 - px0 <= kEps || py1 - py0 <= kEps) return;
                sheet.pieces.push_back({px0, py0, px1, py1, {px0, py1}, at});
            };
            piece(box.minX, set.headerBottom, set.headingRight, box.maxY, {left, top});
            piece(x0, set.headerBottom, x1, box.maxY, {left + headingW, top});
            piece(box.minX, y1, set.headingRight, y0, {left, top - headerH});
            piece(x0, y1, x1, y0, {left + headingW, top - headerH});
            sheet.worldOrigin = sheet.pieces.back().worldOrigin;
            sheet.sheetOrigin = sheet.pieces.back().sheetOrigin;
            addMatchLines(sheet, guide, c > 0 ? x0 : kNone, c + 1 < split.columns.size() ? x1 : kNone,
                          r > 0 ? y0 : kNone, r + 1 < split.rows.size() ? y1 : kNone);
            if (guide.partMarks) {
                const SheetPiece& body = sheet.pieces.back();
                sheet.acrossTicks = ticksOf(guide.xCuts, guide.xNames, x0, x1, body, scale, true);
                sheet.upTicks = ticksOf(guide.yCuts, guide.yNames, y0, y1, body, scale, false);
            }
            set.sheets.push_back(std::move(sheet));
        }
    return set;
}

// The bands of `bands` that [a, b] touches; every band when it reaches into the headings. The
// bands run one after the other (descending: from the top down), so both ends are searched.
std::pair<size_t, size_t> touched(const std::vector<Band>& bands, double a, double b, bool heading, bool descending)
{
    if (heading) return {0, bands.size()};
    auto lo = [descending](const Band& band) { return descending ? band.second : band.first; };
    auto hi = [descending](const Band& band) { return descending ? band.first : band.second; };
    size_t first, last;
    if (descending) {
        first = static_cast<size_t>(std::partition_point(bands.begin(), bands.end(), [&](const Band& band) {
                                        return lo(band) - kEps > b;
                                    }) - bands.begin());
        last = static_cast<size_t>(std::partition_point(bands.begin(), bands.end(), [&](const Band& band) {
                                       return !(hi(band) + kEps < a);
                                   }) - bands.begin());
    } else {
        first = static_cast<size_t>(std::partition_point(bands.begin(), bands.end(), [&](const Band& band) {
                                        return hi(band) + kEps < a;
                                    }) - bands.begin());
        last = static_cast<size_t>(std::partition_point(bands.begin(), bands.end(), [&](const Band& band) {
                                       return !(lo(band) - kEps > b);
                                   }) - bands.begin());
    }
    if (first >= last) return {bands.size(), bands.size()};
    return {first, last};
}

// The band holding v: the first whose far edge lies beyond it.
size_t holding(const std::vector<Band>& bands, double v, bool descending)
{
    const auto at = std::partition_point(bands.begin(), bands.end(), [&](const Band& band) {
        return descending ? !(v > band.second) : !(v < band.second);
    });
    return at == bands.end() ? bands.size() - 1 : static_cast<size_t>(at - bands.begin());
}

}  // namespace

SheetSet layoutSheets(const DrawingBox& box, const SplitGuide* guide, double scale, const std::string& paper,
                      SheetSize size)
{
    const bool automatic = paper.empty() || paper == kAutoPaper;
    const SheetResult whole = layoutSheet(box, scale, paper, size);
    if (whole.sheet) {
        SheetSet set;
        set.sheets.push_back(*whole.sheet);
        set.columns = {{box.minX, box.maxX}};
        set.rows = {{box.maxY, box.minY}};
        return set;
    }
    const PaperSize* chosen = paperNamed(automatic ? kSplitPaper : paper);
    if (!guide || !chosen || !(scale > 0) || box.empty) return {{}, whole.error, {}, {}};
    DrawingBox body = box;
    if (guide->partMarks) {  // the whole drawing's grid marks give way to each part's
        body.maxX = std::max(body.minX, std::min(body.maxX, guide->marksRight));
        body.maxY = std::max(body.minY, std::min(body.maxY, guide->marksTop));
    }
    const Split split = splitOn(*chosen, body, *guide, scale);
    if (!split.columns.empty() && !split.rows.empty()) return placeParts(*chosen, body, *guide, scale, split);
    if (size == SheetSize::Fixed) {
        for (const PaperSize& p : isoPapers()) {
            const Split larger = splitOn(p, body, *guide, scale);
            if (p.width > chosen->width && !larger.columns.empty() && !larger.rows.empty())
                return {{}, "図面の一区画が " + std::string(chosen->name) + " に入りません。" + p.name + " なら入ります。", {}, {}};
        }
        return {{}, "図面の一区画が " + std::string(chosen->name) + " に入りません。", {}, {}};
    }
    return {{}, "図面の一区画が " + std::string(chosen->name) + " に入りません。S=1/" +
                    numberText(standardScaleAtLeast(split.needScale)) + " なら入ります。", {}, {}};
}

std::vector<SheetItems> sheetItems(const SheetSet& set, const model::ElementStore& store,
                                   const model::TextBuffer& texts)
{
    std::vector<SheetItems> items(set.sheets.size());
    if (items.empty()) return items;
    const size_t rows = set.rows.size();
    auto add = [&](std::pair<size_t, size_t> cs, std::pair<size_t, size_t> rs, auto member, int index) {
        for (size_t c = cs.first; c < cs.second; ++c)
            for (size_t r = rs.first; r < rs.second; ++r) (items[c * rows + r].*member).push_back(index);
    };
    for (int i = -1; store.nextLive(i);) {
        const model::Element& e = store.at(i);
        const bool round = e.kind == model::kind::CIRCLE || e.kind == model::kind::ARC;
        const double x0 = round ? e.X1 - e.X2 : std::min(e.X1, e.X2), x1 = round ? e.X1 + e.X2 : std::max(e.X1, e.X2);
        const double y0 = round ? e.Y1 - e.X2 : std::min(e.Y1, e.Y2), y1 = round ? e.Y1 + e.X2 : std::max(e.Y1, e.Y2);
        add(touched(set.columns, x0, x1, x0 < set.headingRight + kEps, false),
            touched(set.rows, y0, y1, y1 > set.headerBottom - kEps, true), &SheetItems::elements, i);
    }
    for (int t = 0; t < texts.count(); ++t) {
        const model::Moji& m = texts.at(t);
        const bool rowHeading = m.x < set.headingRight, columnHeading = m.y > set.headerBottom;
        const size_t c = holding(set.columns, m.x, false), r = holding(set.rows, m.y, true);
        add(rowHeading ? std::pair<size_t, size_t>{0, set.columns.size()} : std::pair<size_t, size_t>{c, c + 1},
            columnHeading ? std::pair<size_t, size_t>{0, rows} : std::pair<size_t, size_t>{r, r + 1},
            &SheetItems::texts, t);
    }
    return items;
}

std::string partCaption(const std::string& caption, const Sheet& sheet)
{
    if (sheet.parts <= 1) return caption;
    return caption + " (" + std::to_string(sheet.part) + "/" + std::to_string(sheet.parts) + ")";
}

std::vector<SheetPiece> piecesOf(const Sheet& sheet)
{
    if (!sheet.pieces.empty()) return sheet.pieces;
    return {{-1e300, -1e300, 1e300, 1e300, sheet.worldOrigin, sheet.sheetOrigin}};
}

bool clipToPiece(const SheetPiece& piece, double& x1, double& y1, double& x2, double& y2)
{
    double t0 = 0, t1 = 1;
    if (!editor::clipSegment(x1, y1, x2, y2, piece.minX - kEps, piece.minY - kEps, piece.maxX + kEps, piece.maxY + kEps,
                             t0, t1))
        return false;
    const double ax = x1, ay = y1, dx = x2 - x1, dy = y2 - y1;
    x1 = ax + t0 * dx;
    y1 = ay + t0 * dy;
    x2 = ax + t1 * dx;
    y2 = ay + t1 * dy;
    return true;
}

bool pieceHolds(const SheetPiece& piece, double x, double y)
{
    return x >= piece.minX - kEps && x <= piece.maxX + kEps && y >= piece.minY - kEps && y <= piece.maxY + kEps;
}

}  // namespace draft
