// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReportTable.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace ui {

QTableWidget* makeReportTable(QWidget* parent, const QString& name)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(parent->fontMetrics().height() + 6);
    return table;
}

void fillReportTable(QTableWidget* table, const std::vector<std::string>& header,
                     const std::vector<std::vector<std::string>>& rows,
                     const std::function<void(QTableWidgetItem& item, int row, int column)>& style)
{
    table->clear();
    table->setColumnCount(static_cast<int>(header.size()));
    table->setRowCount(static_cast<int>(rows.size()));
    QStringList labels;
    for (const std::string& h : header) labels << QString::fromStdString(h);
    table->setHorizontalHeaderLabels(labels);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& cells = rows[static_cast<size_t>(r)];
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[static_cast<size_t>(c)]));
            if (style) style(*item, r, c);
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
}

QHBoxLayout* csvAndCloseButtons(QDialog* dialog, QPushButton*& save, QPushButton*& close)
{
    save = new QPushButton(QStringLiteral("CSVで保存"), dialog);
    save->setObjectName(QStringLiteral("btnCSVSave"));
    close = new QPushButton(QStringLiteral("閉じる"), dialog);
    close->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    return buttons;
}

}  // namespace ui
