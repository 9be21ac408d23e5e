// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmVersion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/dispatcher.h"

namespace ui {

TfrmVersion::TfrmVersion(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    lblProduct = new QLabel(QStringLiteral("Tessmar"), this);
    QFont big = lblProduct->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblProduct->setFont(big);
    lblVersion = new QLabel(QStringLiteral("Version : ") + QString::fromStdString(editor::kVersionText), this);
    lblNotice = new QLabel(QStringLiteral("鉄筋コンクリート造の配筋図作成プログラム"), this);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblProduct);
    layout->addWidget(lblVersion);
    layout->addWidget(lblNotice);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

}  // namespace ui
