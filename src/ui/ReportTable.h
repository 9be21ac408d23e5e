// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces the report windows (鉄筋数量表, 配筋チェック) share: a read-only table filled
// from text cells, and the "CSVで保存" / "閉じる" buttons at the bottom right.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QString;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace ui {

QTableWidget* makeReportTable(QWidget* parent, const QString& name);
// Header and rows into the table, columns sized to their contents; `style` may align or
// colour each item.
void fillReportTable(QTableWidget* table, const std::vector<std::string>& header,
                     const std::vector<std::vector<std::string>>& rows,
                     const std::function<void(QTableWidgetItem& item, int row, int column)>& style);
// "CSVで保存" (btnCSVSave) and "閉じる" (btnCancel, which rejects the dialog) in a row.
QHBoxLayout* csvAndCloseButtons(QDialog* dialog, QPushButton*& save, QPushButton*& close);

}  // namespace ui
