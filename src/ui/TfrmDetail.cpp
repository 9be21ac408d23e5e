// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmDetail.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

TfrmDetail::TfrmDetail(QWidget* parent) : QDialog(parent), canvas_(400, 400)
{
    setObjectName(QStringLiteral("frmDetail"));
    setWindowTitle(QStringLiteral("拡大図"));
    imgSection = new CanvasWidget(canvas_, this);
    imgSection->setObjectName(QStringLiteral("imgSection"));
    imgSection->setFocusPolicy(Qt::NoFocus);
    btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(imgSection, 1);
    layout->addLayout(buttons);
    setPictureSize(400, 400);
}

void TfrmDetail::setPictureSize(int width, int height)
{
    imgSection->setFixedSize(std::max(1, width), std::max(1, height));
    canvas_.resize(width, height);
}

}  // namespace ui
