// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmImport.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/AboveOpener.h"
#include "ui/OkCancel.h"

namespace ui {

namespace {

const QColor kFixedCell(0xF0, 0xF0, 0xF0);

}  // namespace

TfrmImport::TfrmImport(platform::Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform)
{
    setObjectName(QStringLiteral("frmImport"));
    resize(760, 460);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    for (int i = 0; i < exchange::kSs2SheetCount; ++i) {
        auto* grid = new QTableWidget(PageControl1);
        grid->setObjectName(QStringLiteral("StringGrid%1").arg(i + 1));
        // The two header rows and the label columns are cells of the grid, as the sheets have them.
        grid->horizontalHeader()->hide();
        grid->verticalHeader()->hide();
        grid->horizontalHeader()->setDefaultSectionSize(56);
        grid->verticalHeader()->setDefaultSectionSize(22);
        if (exchange::Ss2Sheets::takesTyping(i)) {
            grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
        } else {
            grid->setSelectionMode(QAbstractItemView::SingleSelection);
            grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        }
        connect(grid, &QTableWidget::cellChanged, this, [this, i](int row, int col) { cellEdited(i, row, col); });
        auto* paste = new QShortcut(QKeySequence::Paste, grid);
        paste->setContext(Qt::WidgetWithChildrenShortcut);
        connect(paste, &QShortcut::activated, this, [this] { btnPasteClick(); });
        StringGrid[static_cast<size_t>(i)] = grid;
        PageControl1->addTab(grid, QString());
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) { PageControl1Change(index); });

    lblCautious = new QLabel(this);
    lblCautious->setObjectName(QStringLiteral("lblCautious"));
    btnPaste = new QPushButton(QStringLiteral("貼り付け"), this);
    btnPaste->setObjectName(QStringLiteral("btnPaste"));
    btnPaste->setAutoDefault(false);
    connect(btnPaste, &QPushButton::clicked, this, [this] { btnPasteClick(); });
    const OkCancel okCancel = makeOkCancel(this, [this] { accept(); });
    btnOK = okCancel.ok;
    btnCancel = okCancel.cancel;
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnPaste);
    buttons->addStretch();
    buttons->addLayout(okCancel.row);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(lblCautious);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);
}

void TfrmImport::setInitDialog(int mode, int levelSpans)
{
    sheets_.setInitDialog(mode, levelSpans);
    setWindowTitle(QString::fromStdString(sheets_.dialogCaption()));
    for (int i = 0; i < exchange::kSs2SheetCount; ++i) {
        PageControl1->setTabText(i, QString::fromStdString(sheets_.sheetCaption(i)));
        PageControl1->setTabVisible(i, sheets_.sheetVisible(i));
        fillGrid(i);
        StringGrid[static_cast<size_t>(i)]->scrollToTop();
        StringGrid[static_cast<size_t>(i)]->horizontalScrollBar()->setValue(0);
    }
    StatusBar1->clearMessage();
    PageControl1->setCurrentIndex(0);
    PageControl1Change(0);
}

std::optional<exchange::Ss2Result> TfrmImport::importSs2(int mode, int levelSpans)
{
    setInitDialog(mode, levelSpans);
    const AboveOpener above(*this);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return sheets_.result();
}

void TfrmImport::fillGrid(int sheet)
{
    QTableWidget* grid = StringGrid[static_cast<size_t>(sheet)];
    filling_ = true;
    grid->clearContents();
    grid->setRowCount(sheets_.rows(sheet));
    grid->setColumnCount(sheets_.cols(sheet));
    for (int r = 0; r < sheets_.rows(sheet); ++r)
        for (int c = 0; c < sheets_.cols(sheet); ++c) {
            const std::string& text = sheets_.cell(sheet, r, c);
            const bool fixed = !sheets_.isDataCell(sheet, r, c);
            // Empty data cells get their item when they are edited.
            if (text.empty() && !fixed) continue;
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            if (fixed) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(kFixedCell);
            }
            grid->setItem(r, c, item);
        }
    filling_ = false;
}

void TfrmImport::cellEdited(int sheet, int row, int col)
{
    if (filling_) return;
    const QTableWidgetItem* item = StringGrid[static_cast<size_t>(sheet)]->item(row, col);
    sheets_.setCell(sheet, row, col, item ? item->text().toStdString() : std::string());
}

void TfrmImport::PageControl1Change(int index)
{
    lblCautious->setText(QString::fromStdString(exchange::Ss2Sheets::noteText(index)));
}

void TfrmImport::btnPasteClick()
{
    const int sheet = PageControl1->currentIndex();
    QTableWidget* grid = StringGrid[static_cast<size_t>(sheet)];
    int row = grid->currentRow(), col = grid->currentColumn();
    // Without a chosen cell the table goes to the first data cell.
    if (row < 0 || col < 0) {
        row = sheets_.firstDataRow();
        col = sheets_.firstDataColumn(sheet);
    }
    const int dropped = sheets_.paste(sheet, row, col, platform_.clipboardText());
    fillGrid(sheet);
    grid->setCurrentCell(row, col);
    StatusBar1->showMessage(dropped == 0 ? QStringLiteral("貼り付けました。")
                                         : QStringLiteral("表の外にはみ出した %1 個のセルは貼り付けませんでした。").arg(dropped));
}

}  // namespace ui
