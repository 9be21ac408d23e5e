#include "ui/TfrmCheck.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

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
    stgCheck = new QTableWidget(this);
    stgCheck->setObjectName(QStringLiteral("stgCheck"));
    stgCheck->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stgCheck->setSelectionBehavior(QAbstractItemView::SelectRows);
    stgCheck->setSelectionMode(QAbstractItemView::SingleSelection);
    stgCheck->verticalHeader()->setVisible(false);
    stgCheck->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    stgCheck->setToolTip(QStringLiteral("ダブルクリックでその符号と階の断面作成を開きます"));
    connect(stgCheck, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openRow(row); });
    btnCSVSave = new QPushButton(QStringLiteral("CSVで保存"), this);
    btnCSVSave->setObjectName(QStringLiteral("btnCSVSave"));
    btnCancel = new QPushButton(QStringLiteral("閉じる"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnCSVSave, &QPushButton::clicked, this, [this] { form_.saveCsv(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCSVSave);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary);
    layout->addWidget(stgCheck, 1);
    layout->addLayout(buttons);
}

void TfrmCheck::setInitDialog(bool force)
{
    if (!form_.refresh() && !force) {
        lblSummary->setText(QString::fromStdString(form_.summary()));
        return;
    }
    lblSummary->setText(QString::fromStdString(form_.summary()));
    const draft::Cells& header = form_.header();
    const auto& rows = form_.rows();
    stgCheck->clear();
    stgCheck->setColumnCount(static_cast<int>(header.size()));
    stgCheck->setRowCount(static_cast<int>(rows.size()));
    QStringList labels;
    for (const std::string& h : header) labels << QString::fromStdString(h);
    stgCheck->setHorizontalHeaderLabels(labels);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const draft::Cells& cells = rows[static_cast<size_t>(r)];
        const bool fails = cells[kGradeColumn] == check::gradeText(check::Grade::Fails);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[static_cast<size_t>(c)]));
            if (fails && c == kGradeColumn) item->setForeground(QColor(0xc0, 0, 0));
            stgCheck->setItem(r, c, item);
        }
    }
    stgCheck->resizeColumnsToContents();
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
