// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmStbReport.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/AboveOpener.h"

namespace ui {

TfrmStbReport::TfrmStbReport(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStbReport"));
    resize(720, 420);
    memReport = new QPlainTextEdit(this);
    memReport->setObjectName(QStringLiteral("memReport"));
    memReport->setReadOnly(true);
    memReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    btnCopy = new QPushButton(QStringLiteral("コピー"), this);
    btnCopy->setObjectName(QStringLiteral("btnCopy"));
    btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    connect(btnCopy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(memReport->toPlainText()); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCopy);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memReport, 1);
    layout->addLayout(buttons);
}

void TfrmStbReport::setInitDialog(const std::string& caption, const std::vector<std::string>& lines)
{
    setWindowTitle(QString::fromStdString(caption));
    QStringList text;
    for (const std::string& l : lines) text << QString::fromStdString(l);
    memReport->setPlainText(text.join(QLatin1Char('\n')));
}

void TfrmStbReport::showStbReport(const std::string& caption, const std::vector<std::string>& lines)
{
    setInitDialog(caption, lines);
    const AboveOpener above(*this);
    exec();
}

}  // namespace ui
