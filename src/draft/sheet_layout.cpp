// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/sheet_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "draft/drawing_set.h"
#include "model/bars.h"
#include "model/element_store.h"
#include "model/grid.h"
#include "model/text_buffer.h"
#include "model/view_slice.h"
#include "session/session.h"

namespace draft {

namespace {

struct Fit {
    bool fits = false;
    bool landscape = true;
    bool beside = false;  // the drawing left of the title block, not above it
};

// Whether a sheet of sw x sh millimetres holds a drawing of w x h with margins and title block.
Fit fitSheet(double sw, double sh, double w, double h, bool landscape)
{
    const double aw = sw - 2 * kSheetMargin, ah = sh - 2 * kSheetMargin;
    if (w <= aw && h + kTitleHeight <= ah) return {true, landscape, false};
    if (w + kTitleWidth <= aw && h <= ah) return {true, landscape, true};
    return {};
}

// Which way round, if any, the paper holds the drawing; landscape first.
Fit fitOn(const PaperSize& paper, double w, double h)
{
    if (Fit f = fitSheet(paper.height, paper.width, w, h, true); f.fits) return f;
    return fitSheet(paper.width, paper.height, w, h, false);
}

}  // namespace

std::string numberText(double v)
{
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

double standardScaleAtLeast(double needed)
{
    for (const char* s : model::kScaleList) {
        double v = 0;
        std::from_chars(s, s + std::char_traits<char>::length(s), v);
        if (v >= needed) return v;
    }
    return std::ceil(needed);
}

const std::array<PaperSize, 5>& isoPapers()
{
    static const std::array<PaperSize, 5> papers{{
        {"A4", 210, 297}, {"A3", 297, 420}, {"A2", 420, 594}, {"A1", 594, 841}, {"A0", 841, 1189}}};
    return papers;
}

DrawingBox drawingBox(const model::ElementStore& store, const model::TextBuffer& texts,
                      const dxf::TextOptions& options)
{
    DrawingBox box;
    auto take = [&box](double x, double y) {
        if (box.empty) {
            box = {x, y, x, y, false};
            return;
        }
        box.minX = std::min(box.minX, x);
        box.maxX = std::max(box.maxX, x);
        box.minY = std::min(box.minY, y);
        box.maxY = std::max(box.maxY, y);
    };
    dxf::DxfExtents ext;
    if (dxf::updateExtents(store, ext)) {
        take(ext.extMin.x, ext.extMin.y);
        take(ext.extMax.x, ext.extMax.y);
    }
    for (const model::Moji& m : texts.entries()) {
        const model::Point p = dxf::dxfTextPoint(m, options);
        const double a = m.angle * M_PI / 180, c = std::cos(a), s = std::sin(a);
        const double l = dxf::dxfTextLength(m, options), h = m.height;
        // The four corners of the box whose lower-left corner is p.
        take(p.x, p.y);
        take(p.x + l * c, p.y + l * s);
        take(p.x - h * s, p.y + h * c);
        take(p.x + l * c - h * s, p.y + l * s + h * c);
    }
    return box;
}

SheetResult layoutSheet(const DrawingBox& box, double scale, const std::string& paper, SheetSize size)
{
    if (!(scale > 0) || !std::isfinite(scale)) return {std::nullopt, "縮尺が正しくありません。"};
    const double w = box.empty ? 0 : (box.maxX - box.minX) / scale;
    const double h = box.empty ? 0 : (box.maxY - box.minY) / scale;
    const bool automatic = paper.empty() || paper == kAutoPaper;
    const PaperSize* chosen = nullptr;
    Fit fit;
    for (const PaperSize& p : isoPapers()) {
        if (!automatic && paper != p.name) continue;
        fit = fitOn(p, w, h);
        chosen = &p;
        if (fit.fits) break;
    }
    if (!chosen) return {std::nullopt, "用紙 " + paper + " はありません (A4 ... A0)。"};
    if (!fit.fits && size == SheetSize::Fixed) {
        // Another scale would draw a list just as large on paper; only a larger sheet helps.
        for (const PaperSize& p : isoPapers())
            if (p.width > chosen->width && fitOn(p, w, h).fits)
                return {std::nullopt, "図面が " + std::string(chosen->name) + " に入りません。" + p.name + " なら入ります。"};
        return {std::nullopt, "図面が " + std::string(chosen->name) +
                                  " に入りません。リストは縮尺を変えても用紙の上では同じ大きさです。"};
    }
    if (!fit.fits) {
        // The scale at which the drawing fits the paper in its better orientation.
        // Room for the drawing above the title block, the sheet either way round.
        const double longSide = chosen->height - 2 * kSheetMargin, shortSide = chosen->width - 2 * kSheetMargin;
        const double needed = scale * std::min(std::max(w / longSide, h / (shortSide - kTitleHeight)),
                                               std::max(w / shortSide, h / (longSide - kTitleHeight)));
        return {std::nullopt, "図面が " + std::string(chosen->name) + " に入りません。S=1/" +
                                  numberText(standardScaleAtLeast(needed)) + " なら入ります。"};
    }
    Sheet sheet;
    sheet.paper = chosen->name;
    sheet.landscape = fit.landscape;
    sheet.width = fit.landscape ? chosen->height : chosen->width;
    sheet.height = fit.landscape ? chosen->width : chosen->height;
    sheet.scale = scale;
    sheet.worldOrigin = {box.empty ? 0 : (box.minX + box.maxX) / 2, box.empty ? 0 : (box.minY + box.maxY) / 2};
    // Centred in what the title block leaves free.
    sheet.sheetOrigin = fit.beside ? model::Point{(sheet.width - kTitleWidth) / 2, sheet.height / 2}
                                   : model::Point{sheet.width / 2, (sheet.height + kTitleHeight) / 2};
    return {sheet, {}};
}

std::string sheetCaption(const DrawingKind& kind, const model::Session& session)
{
    if (kind.store != GeneratorStore::Model) return kind.caption;
    const int axis = model::tabAxis(session.view.mode);
    for (int i = 0; i < model::sliceCount(session.grid, session.view.mode); ++i)
        if (session.grid.position(axis, i) == session.view.plane && !session.grid.name(axis, i).empty())
            return kind.caption + " " + session.grid.name(axis, i);
    return kind.caption;
}

std::vector<std::string> titleRows(const std::string& caption, const std::string& projectPath, double scale,
                                   const std::string& date)
{
    const size_t slash = projectPath.find_last_of("/\\");
    const std::string file = slash == std::string::npos ? projectPath : projectPath.substr(slash + 1);
    return {caption, file, "S=1/" + numberText(scale), date};
}

}  // namespace draft
