// SPDX-License-Identifier: GPL-3.0-or-later
// The five paste sheets of the SS2 import: their fixed columns, headers and row labels, the
// paste of copied table text at a cell, and the specification strings built from them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exchange/ss2_result.h"

namespace exchange {

inline constexpr int kSs2SheetCount = 5;
inline constexpr int kSs2MaxMarks = 50;
inline constexpr int kSs2HeaderRows = 2;
inline constexpr int kSs2GirderMode = 0;
inline constexpr int kSs2ColumnMode = 1;

// Sheets are counted from 0 (the tabs 1 to 5); rows and columns include the fixed header rows
// and label columns, as the grids show them.
class Ss2Sheets {
public:
    Ss2Sheets();

    // Opens the sheets for a mode (0 girders, 1 columns) and n level spans. Another mode than
    // the last time empties every sheet; the same mode keeps what was pasted.
    void setInitDialog(int mode, int levelSpans);

    int mode() const { return mode_; }
    int levelSpans() const { return levelSpans_; }
    // "SS2から梁データインポート" / "SS2から柱データインポート".
    std::string dialogCaption() const;
    std::string sheetCaption(int sheet) const;
    bool sheetVisible(int sheet) const;
    // The note line shown under a sheet (empty for most).
    static std::string noteText(int sheet);
    // Sheets 1 to 4 take typing and range selection; sheet 5 is only pasted into.
    static bool takesTyping(int sheet) { return sheet >= 0 && sheet < 4; }

    int rows(int sheet) const;
    int cols(int sheet) const;
    int firstDataRow() const { return kSs2HeaderRows; }
    int firstDataColumn(int sheet) const;
    bool isDataCell(int sheet, int row, int col) const;

    // Empty outside the grid.
    const std::string& cell(int sheet, int row, int col) const;
    // Only data cells take text; false for a fixed cell or a place outside the grid.
    bool setCell(int sheet, int row, int col, std::string text);

    // Writes TAB-separated cells, lines separated by CR LF (or LF), with the first cell at
    // (row, col). Cells that fall outside the grid or on its fixed cells are dropped; returns
    // how many were.
    int paste(int sheet, int row, int col, std::string_view text);

    // Marks side by side on sheet 1; the first empty column ends the list.
    int markCount() const;
    // The specification string of mark k (1-based) at data row r (0 = top).
    std::string girderSpec(int mark, int row) const;
    std::string columnSpec(int mark, int row) const;
    // Every secSpec of every mark, as the dialog hands it back on OK.
    Ss2Result result() const;

    // Data rows of sheet 1 (one per level): n + 1 for girders, n for columns.
    int levelRows() const;

private:
    struct Sheet {
        int rows = 0;
        int cols = 0;
        int fixedCols = 1;
        std::vector<std::string> cells;  // rows * cols, row by row
    };

    void layOut();
    void resize(Sheet& sheet, int rows, int cols);
    void label(Sheet& sheet, int row, int col, std::string text);
    // Trimmed data text of a cell.
    std::string value(int sheet, int row, int col) const;

    int mode_ = -1;  // none before the first opening
    int levelSpans_ = 0;
    std::vector<Sheet> sheets_;
};

}  // namespace exchange
