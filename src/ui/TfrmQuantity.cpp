#include "ui/TfrmQuantity.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/AboveOpener.h"

namespace ui {

namespace {

QString joined(const std::vector<std::string>& lines)
{
    QStringList l;
    for (const std::string& s : lines) l << QString::fromStdString(s);
    return l.join(QLatin1Char('\n'));
}

}  // namespace

TfrmQuantity::TfrmQuantity(model::Session& session, const settings::IniFile& ini, platform::FileDialogPort& files,
                           QWidget* parent)
    : QDialog(parent), form_(session, ini, &files)
{
    setObjectName(QStringLiteral("frmQuantity"));
    setWindowTitle(QStringLiteral("鉄筋数量表"));
    resize(820, 600);
    lblConditions = new QLabel(this);
    lblConditions->setObjectName(QStringLiteral("lblConditions"));
    stgQuantity = new QTableWidget(this);
    stgQuantity->setObjectName(QStringLiteral("stgQuantity"));
    stgQuantity->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stgQuantity->verticalHeader()->setVisible(false);
    stgQuantity->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    lblNotice = new QLabel(this);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setStyleSheet(QStringLiteral("color: #c00000"));
    btnCSVSave = new QPushButton(QStringLiteral("CSVで保存"), this);
    btnCSVSave->setObjectName(QStringLiteral("btnCSVSave"));
    btnCancel = new QPushButton(QStringLiteral("閉じる"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnCSVSave, &QPushButton::clicked, this, &TfrmQuantity::btnCSVSaveClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCSVSave);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblConditions);
    layout->addWidget(stgQuantity, 1);
    layout->addWidget(lblNotice);
    layout->addLayout(buttons);
}

void TfrmQuantity::setInitDialog()
{
    form_.refresh();
    lblConditions->setText(joined(form_.conditionLines()));
    const draft::quantity::Cells& header = form_.header();
    const auto& rows = form_.rows();
    stgQuantity->clear();
    stgQuantity->setColumnCount(static_cast<int>(header.size()));
    stgQuantity->setRowCount(static_cast<int>(rows.size()));
    QStringList labels;
    for (const std::string& h : header) labels << QString::fromStdString(h);
    stgQuantity->setHorizontalHeaderLabels(labels);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[static_cast<size_t>(r)].size()); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(rows[static_cast<size_t>(r)][static_cast<size_t>(c)]));
            // Counts, lengths, masses and joints line up on the right.
            if (c >= 5) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            stgQuantity->setItem(r, c, item);
        }
    stgQuantity->resizeColumnsToContents();
    const std::vector<std::string> notice = form_.noticeLines();
    lblNotice->setText(joined(notice));
    lblNotice->setVisible(!notice.empty());
}

void TfrmQuantity::showQuantities()
{
    setInitDialog();
    const AboveOpener above(*this);
    exec();
}

void TfrmQuantity::btnCSVSaveClick() { form_.saveCsv(); }

}  // namespace ui
