// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmQuantity.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/ReportTable.h"
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
    stgQuantity = makeReportTable(this, QStringLiteral("stgQuantity"));
    lblNotice = new QLabel(this);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setStyleSheet(QStringLiteral("color: #c00000"));
    QHBoxLayout* buttons = csvAndCloseButtons(this, btnCSVSave, btnCancel);
    connect(btnCSVSave, &QPushButton::clicked, this, &TfrmQuantity::btnCSVSaveClick);
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
    // Counts, lengths, masses and joints line up on the right.
    fillReportTable(stgQuantity, form_.header(), form_.rows(), [](QTableWidgetItem& item, int, int c) {
        if (c >= 5) item.setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    });
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
