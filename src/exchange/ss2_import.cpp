// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ss2_import.h"

#include <algorithm>
#include <array>

#include "model/helpers.h"

namespace exchange {

namespace {

// How one sheet is laid out in one mode. Mark k (1-based) owns the columns
// fixedCols + perMark * (k - 1) onwards; its name stands over the column titleOffset further.
struct SheetLayout {
    const char* caption;
    int cols;
    int fixedCols;
    bool twoRowsPerLevel;
    int perMark;
    int titleOffset;
    std::array<const char*, 3> subHeaders;
    std::array<const char*, 2> rowMarks;  // second fixed column of two-row sheets
};

constexpr std::array<SheetLayout, kSs2SheetCount> kGirderSheets{{
    {"コンクリート", 101, 1, false, 2, 0, {"b(cm)", "D(cm)", nullptr}, {nullptr, nullptr}},
    {"主筋（本数）", 152, 2, true, 3, 1, {"左端", "中央", "右端"}, {"上端", "下層"}},
    {"主筋（径）", 152, 2, true, 3, 1, {"左端", "中央", "右端"}, {"上端", "下層"}},
    {"スターラップ", 151, 1, false, 3, 1, {"本数", "径", "ピッチ"}, {nullptr, nullptr}},
    // Not shown for girders.
    {"", 151, 1, false, 0, 0, {nullptr, nullptr, nullptr}, {nullptr, nullptr}},
}};

constexpr std::array<SheetLayout, kSs2SheetCount> kColumnSheets{{
    {"コンクリート", 101, 1, false, 2, 0, {"Dx(cm)", "Dy(cm)", nullptr}, {nullptr, nullptr}},
    {"主筋（本数）", 102, 2, true, 2, 0, {"Ｘ", "Ｙ", nullptr}, {"柱頭", "柱脚"}},
    {"主筋（径）", 102, 2, true, 2, 0, {"Ｘ", "Ｙ", nullptr}, {"柱頭", "柱脚"}},
    {"フープ（本数）", 151, 1, false, 2, 0, {"Ｘ", "Ｙ", nullptr}, {nullptr, nullptr}},
    {"フープ（径・ピッチ）", 151, 1, false, 2, 0, {"径", "ピッチ", nullptr}, {nullptr, nullptr}},
}};

const SheetLayout& layoutOf(int mode, int sheet)
{
    const auto& table = mode == kSs2ColumnMode ? kColumnSheets : kGirderSheets;
    return table[static_cast<size_t>(std::clamp(sheet, 0, kSs2SheetCount - 1))];
}

const std::string kEmpty;

// Lines at LF (a CR before it belongs to the line end); a last line end adds no empty line.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> cells;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find('\t', start);
        if (end == std::string_view::npos) {
            cells.push_back(line.substr(start));
            return cells;
        }
        cells.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

// A count cell "4/2" holds the first and the second layer; "4" only the first.
std::string layerCounts(const std::string& cell)
{
    const size_t slash = cell.find('/');
    if (slash == std::string::npos) return cell + ":";
    return cell.substr(0, slash) + ":" + cell.substr(slash + 1);
}

}  // namespace

Ss2Sheets::Ss2Sheets() : sheets_(kSs2SheetCount) {}

void Ss2Sheets::setInitDialog(int mode, int levelSpans)
{
    mode = mode == kSs2ColumnMode ? kSs2ColumnMode : kSs2GirderMode;
    if (mode != mode_)
        for (Sheet& s : sheets_) s.cells.assign(s.cells.size(), std::string());
    mode_ = mode;
    levelSpans_ = std::max(0, levelSpans);
    layOut();
}

std::string Ss2Sheets::dialogCaption() const
{
    return mode_ == kSs2ColumnMode ? "SS2から柱データインポート" : "SS2から梁データインポート";
}

std::string Ss2Sheets::sheetCaption(int sheet) const { return layoutOf(mode_, sheet).caption; }

bool Ss2Sheets::sheetVisible(int sheet) const
{
    return sheet >= 0 && sheet < kSs2SheetCount && (mode_ == kSs2ColumnMode || sheet < 4);
}

std::string Ss2Sheets::noteText(int sheet)
{
    switch (sheet) {
    case 1: return "注）柱脚は無視され、柱頭のみ参照します。";
    case 2: return "注）柱脚とＹの径は無視され、柱頭とＸの径のみ参照します。";
    case 3: return "注）このバージョンは２本のみ対応しています。";
    default: return "";
    }
}

int Ss2Sheets::levelRows() const { return mode_ == kSs2ColumnMode ? levelSpans_ : levelSpans_ + 1; }

int Ss2Sheets::rows(int sheet) const
{
    return sheet >= 0 && sheet < kSs2SheetCount ? sheets_[static_cast<size_t>(sheet)].rows : 0;
}

int Ss2Sheets::cols(int sheet) const
{
    return sheet >= 0 && sheet < kSs2SheetCount ? sheets_[static_cast<size_t>(sheet)].cols : 0;
}

int Ss2Sheets::firstDataColumn(int sheet) const { return layoutOf(mode_, sheet).fixedCols; }

bool Ss2Sheets::isDataCell(int sheet, int row, int col) const
{
    return row >= kSs2HeaderRows && row < rows(sheet) && col >= firstDataColumn(sheet) && col < cols(sheet);
}

const std::string& Ss2Sheets::cell(int sheet, int row, int col) const
{
    if (row < 0 || row >= rows(sheet) || col < 0 || col >= cols(sheet)) return kEmpty;
    const Sheet& s = sheets_[static_cast<size_t>(sheet)];
    return s.cells[static_cast<size_t>(row) * static_cast<size_t>(s.cols) + static_cast<size_t>(col)];
}

bool Ss2Sheets::setCell(int sheet, int row, int col, std::string text)
{
    if (!isDataCell(sheet, row, col)) return false;
    Sheet& s = sheets_[static_cast<size_t>(sheet)];
    s.cells[static_cast<size_t>(row) * static_cast<size_t>(s.cols) + static_cast<size_t>(col)] = std::move(text);
    return true;
}

int Ss2Sheets::paste(int sheet, int row, int col, std::string_view text)
{
    int dropped = 0;
    const auto lines = splitLines(text);
    for (size_t l = 0; l < lines.size(); ++l) {
        const auto cells = splitTabs(lines[l]);
        for (size_t c = 0; c < cells.size(); ++c) {
            const long long r = static_cast<long long>(row) + static_cast<long long>(l);
            const long long k = static_cast<long long>(col) + static_cast<long long>(c);
            const bool inside = r < rows(sheet) && k < cols(sheet);
            if (!inside || !setCell(sheet, static_cast<int>(r), static_cast<int>(k), std::string(cells[c]))) ++dropped;
        }
    }
    return dropped;
}

void Ss2Sheets::resize(Sheet& sheet, int rows, int cols)
{
    // Cells that still fit keep their text, as a grid keeps them when it gets fewer rows.
    std::vector<std::string> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
    for (int r = 0; r < std::min(rows, sheet.rows); ++r)
        for (int c = 0; c < std::min(cols, sheet.cols); ++c)
            cells[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)] =
                std::move(sheet.cells[static_cast<size_t>(r) * static_cast<size_t>(sheet.cols) + static_cast<size_t>(c)]);
    sheet.cells = std::move(cells);
    sheet.rows = rows;
    sheet.cols = cols;
}

void Ss2Sheets::label(Sheet& sheet, int row, int col, std::string text)
{
    sheet.cells[static_cast<size_t>(row) * static_cast<size_t>(sheet.cols) + static_cast<size_t>(col)] = std::move(text);
}

void Ss2Sheets::layOut()
{
    const bool girders = mode_ != kSs2ColumnMode;
    const std::string letter = girders ? "G" : "C";
    const int levels = levelRows();
    for (int i = 0; i < kSs2SheetCount; ++i) {
        const SheetLayout& lay = layoutOf(mode_, i);
        Sheet& s = sheets_[static_cast<size_t>(i)];
        const int perLevel = lay.twoRowsPerLevel ? 2 : 1;
        resize(s, kSs2HeaderRows + levels * perLevel, lay.cols);
        s.fixedCols = lay.fixedCols;
        for (int r = 0; r < kSs2HeaderRows; ++r)
            for (int c = 0; c < s.cols; ++c) label(s, r, c, "");
        for (int r = kSs2HeaderRows; r < s.rows; ++r)
            for (int c = 0; c < s.fixedCols; ++c) label(s, r, c, "");
        if (lay.perMark == 0) continue;
        for (int k = 1; k <= kSs2MaxMarks; ++k) {
            const int start = lay.fixedCols + lay.perMark * (k - 1);
            label(s, 0, start + lay.titleOffset, letter + std::to_string(k));
            for (int j = 0; j < lay.perMark; ++j)
                if (lay.subHeaders[static_cast<size_t>(j)]) label(s, 1, start + j, lay.subHeaders[static_cast<size_t>(j)]);
        }
        for (int level = 0; level < levels; ++level) {
            const int row = kSs2HeaderRows + level * perLevel;
            std::string name = girders ? (level == 0 ? "R層" : std::to_string(levelSpans_ + 1 - level) + "層")
                                       : std::to_string(levelSpans_ - level) + "階";
            label(s, row, 0, std::move(name));
            if (lay.twoRowsPerLevel) {
                label(s, row, 1, lay.rowMarks[0]);
                label(s, row + 1, 1, lay.rowMarks[1]);
            }
        }
    }
}

std::string Ss2Sheets::value(int sheet, int row, int col) const { return model::trim(cell(sheet, row, col)); }

int Ss2Sheets::markCount() const
{
    // Sheet 1 holds two columns per mark; a column empty on every level ends the list.
    const int levels = levelRows();
    int i = 0;
    for (; i < cols(0) - 1; ++i) {
        bool empty = true;
        for (int r = 0; r < levels && empty; ++r) empty = value(0, kSs2HeaderRows + r, i + 1).empty();
        if (empty) break;
    }
    return std::min(i / 2, kSs2MaxMarks);
}

std::string Ss2Sheets::girderSpec(int k, int r) const
{
    const int row = kSs2HeaderRows + r;
    std::string spec = "RC:" + value(0, row, 2 * k - 1) + "0:" + value(0, row, 2 * k) + "0;";
    const int top = kSs2HeaderRows + 2 * r;
    for (int col = 3 * k - 1; col <= 3 * k + 1; ++col)
        for (int bar = top; bar <= top + 1; ++bar)
            spec += layerCounts(value(1, bar, col)) + ":" + value(2, bar, col) + ";";
    spec += value(3, row, 3 * k - 2) + ":" + value(3, row, 3 * k - 1) + ":" + value(3, row, 3 * k) + ";";
    return spec + ":;";
}

std::string Ss2Sheets::columnSpec(int k, int r) const
{
    const int row = kSs2HeaderRows + r;
    const int head = kSs2HeaderRows + 2 * r;
    std::string spec = "RC:" + value(0, row, 2 * k - 1) + "0:" + value(0, row, 2 * k) + "0;";
    spec += value(1, head, 2 * k) + ":" + value(1, head, 2 * k + 1) + ":" + value(2, head, 2 * k) + ";";
    spec += value(3, row, 2 * k - 1) + ":" + value(3, row, 2 * k) + ":" + value(4, row, 2 * k - 1) + ":" +
            value(4, row, 2 * k) + ";";
    return spec;
}

Ss2Result Ss2Sheets::result() const
{
    Ss2Result out;
    out.mode = mode_ == kSs2ColumnMode ? kSs2ColumnMode : kSs2GirderMode;
    out.levelSpans = levelSpans_;
    out.markCount = markCount();
    const int levels = levelRows();
    out.specs.resize(static_cast<size_t>(out.markCount));
    for (int k = 1; k <= out.markCount; ++k) {
        auto& column = out.specs[static_cast<size_t>(k - 1)];
        for (int r = 0; r < levels; ++r) column.push_back(out.mode == kSs2ColumnMode ? columnSpec(k, r) : girderSpec(k, r));
    }
    return out;
}

}  // namespace exchange
