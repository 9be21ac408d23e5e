// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/dxf_sheets.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "draft/drawing_index.h"
#include "draft/sheet_marks.h"
#include "dxf/dxf_writer.h"
#include "model/element_store.h"
#include "session/session.h"
#include "model/text_buffer.h"

namespace draft {

namespace {

constexpr int kMarkPen = 0;     // layer "0", black: the sheet's own lines and texts
constexpr int kMarkColour = 0;

model::Element line(int kind, model::Point a, model::Point b)
{
    model::Element e;
    e.kind = kind;
    e.ndata = 1;
    e.showAge = 1;
    e.LY = kMarkPen;
    e.CL = kMarkColour;
    e.X1 = a.x;
    e.Y1 = a.y;
    e.X2 = b.x;
    e.Y2 = b.y;
    return e;
}

// The sheet's marks, in sheet millimetres, at 1/S.
void addMarks(const Sheet& sheet, const std::vector<std::string>& titleRows, model::ElementStore& store,
              model::TextBuffer& texts)
{
    const double s = sheet.scale;
    auto at = [s](model::Point p) { return model::Point{p.x * s, p.y * s}; };
    auto add = [&](int kind, model::Point a, model::Point b) { store.records().push_back(line(kind, at(a), at(b))); };
    auto box = [&](model::Point low, model::Point high) {
        add(model::kind::LINE, low, {high.x, low.y});
        add(model::kind::LINE, {high.x, low.y}, high);
        add(model::kind::LINE, high, {low.x, high.y});
        add(model::kind::LINE, {low.x, high.y}, low);
    };
    auto label = [&](const SheetLabel& l) {
        const model::Point p = at(l.at);
        texts.addMoji(7, l.text, 0, l.angle, l.height * s, p.x, p.y, "0", kMarkColour);  // by its lower-left corner
    };
    box({0, 0}, {sheet.width, sheet.height});
    const SheetMarks marks = sheetMarks(sheet, titleRows);
    for (const SheetStroke& m : marks.gridStrokes) add(model::kind::LINE, m.from, m.to);
    for (const SheetLabel& l : marks.gridLabels) label(l);
    for (const SheetStroke& m : marks.matchLines) add(model::kind::DASHDOT, m.from, m.to);
    for (const SheetLabel& l : marks.matchLabels) label(l);
    box(marks.titleLow, marks.titleHigh);
    for (const SheetStroke& r : marks.titleRules) add(model::kind::LINE, r.from, r.to);
    for (const SheetLabel& l : marks.titleTexts) label(l);
}

}  // namespace

void sheetInModelSpace(const model::Session& session, const Sheet& sheet, const SheetItems& items,
                       const std::vector<std::string>& titleRows, model::ElementStore& store, model::TextBuffer& texts)
{
    const double s = sheet.scale;
    for (const SheetPiece& piece : piecesOf(sheet)) {
        auto at = [&](double x, double y) {
            const model::Point p = piece.toSheet(x, y, s);
            return model::Point{p.x * s, p.y * s};
        };
        for (int i : items.elements) {
            model::Element e = session.store.at(i);
            if (!dxf::dxfLineType(e.kind)) continue;
            e.ndata = 1;
            if (e.kind == model::kind::CIRCLE || e.kind == model::kind::ARC) {
                if (!pieceHolds(piece, e.X1, e.Y1)) continue;
                const model::Point c = at(e.X1, e.Y1);
                e.X1 = c.x;
                e.Y1 = c.y;
            } else {
                if (!clipToPiece(piece, e.X1, e.Y1, e.X2, e.Y2)) continue;
                const model::Point a = at(e.X1, e.Y1), b = at(e.X2, e.Y2);
                e.X1 = a.x;
                e.Y1 = a.y;
                e.X2 = b.x;
                e.Y2 = b.y;
            }
            store.records().push_back(e);
        }
        for (int t : items.texts) {
            const model::Moji& m = session.texts.at(t);
            if (!pieceHolds(piece, m.x, m.y)) continue;
            const model::Point p = at(m.x, m.y);
            texts.addMoji(m.nBase, m.text, 0, m.angle, m.height, p.x, p.y, m.layer, m.colour);
        }
    }
    addMarks(sheet, titleRows, store, texts);
}

std::string DxfSheetFiles::addSheets(const model::Session& session, const SheetSet& set, const TitleBlock& block)
{
    if (set.sheets.empty()) return set.error;
    const std::vector<SheetItems> items = sheetItems(set, session.store, session.texts);
    for (size_t i = 0; i < set.sheets.size(); ++i) {
        const Sheet& sheet = set.sheets[i];
        model::ElementStore store;
        model::TextBuffer texts;
        sheetInModelSpace(session, sheet, items[i], titleBlockRows(block, sheet), store, texts);
        const std::string name = sheetNumber(block.firstSheet + sheet.part - 1) + ".dxf";
        const std::string file = (std::filesystem::path(folder_) / name).string();
        const model::FileResult written = dxf::WriteDxf(file, store, texts, session.settings);
        if (!written.ok) return written.message;
        names_.insert(name);
        if (written_) written_(file);
    }
    return {};
}

namespace {

// "S-05.dxf", "S-123.dxf": a name this writer gives, whatever the set's size.
bool isSheetFileName(const std::string& name)
{
    constexpr std::string_view prefix = "S-", suffix = ".dxf";
    if (name.size() < prefix.size() + 2 + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
        return false;
    const std::string_view digits = std::string_view(name).substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string DxfSheetFiles::removeOlderSheets() const
{
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<fs::path> older;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code kind;
        if (isSheetFileName(name) && !names_.contains(name) && it->is_regular_file(kind)) older.push_back(it->path());
    }
    if (ec) return folder_ + ": " + ec.message();
    for (const fs::path& file : older)
        if (!fs::remove(file, ec) && ec) return file.string() + ": 以前の図面一式のシートを削除できません (" + ec.message() + ")";
    return {};
}

}  // namespace draft
