// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmCheck.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/ReportTable.h"
#include "ui/TfrmSection.h"

namespace ui {

namespace {
constexpr int kGradeColumn = 7;
}

TfrmCheck::TfrmCheck(model::Session& session, platform::FileDialogPort& files, TfrmSection& section, QWidget* parent)
    : QDialog(parent), form_(session, &files), section_(section)
{
    setObjectName(QStringLiteral("frmCheck"));
    setWindowTitle(QStringLiteral("配筋チェック"));
    setModal(false);
    resize(900, 560);
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    stgCheck = makeReportTable(this, QStringLiteral("stgCheck"));
    stgCheck->setSelectionBehavior(QAbstractItemView::SelectRows);
    stgCheck->setSelectionMode(QAbstractItemView::SingleSelection);
    stgCheck->setToolTip(QStringLiteral("ダブルクリックでその符号と階の断面作成を開きます"));
    connect(stgCheck, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openRow(row); });
    QHBoxLayout* buttons = csvAndCloseButtons(this, btnCSVSave, btnCancel);
    connect(btnCSVSave, &QPushButton::clicked, this, [this] { form_.saveCsv(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary);
    layout->addWidget(stgCheck, 1);
    layout->addLayout(buttons);
}

void TfrmCheck::setInitDialog(bool force)
{
    const bool changed = form_.refresh();
    lblSummary->setText(QString::fromStdString(form_.summary()));
    if (!changed && !force) return;  // keeps the selection and the scroll position
    const auto& rows = form_.rows();
    // 不適合 in red; 参考 as it is.
    fillReportTable(stgCheck, form_.header(), rows, [&rows](QTableWidgetItem& item, int r, int c) {
        if (c == kGradeColumn && rows[static_cast<size_t>(r)][kGradeColumn] == check::gradeText(check::Grade::Fails))
            item.setForeground(QColor(0xc0, 0, 0));
    });
}

void TfrmCheck::showChecks()
{
    setInitDialog(true);
    show();
    raise();
    activateWindow();
}

void TfrmCheck::openRow(int row)
{
    const std::optional<check::CheckForm::Target> t = form_.target(row);
    if (t) section_.openSectionAt(t->letter, t->mark, t->level);
}

void TfrmCheck::changeEvent(QEvent* event)
{
    // Back in front after the sections were edited: the findings follow them.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) setInitDialog();
    QDialog::changeEvent(event);
}

}  // namespace ui
