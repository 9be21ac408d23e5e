// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OkCancel.h"

#include <QDialog>

namespace ui {

OkCancel makeOkCancel(QDialog* dialog, std::function<void()> onOk)
{
    OkCancel b{};
    b.ok = new QPushButton(QStringLiteral("OK"), dialog);
    b.ok->setObjectName(QStringLiteral("btnOK"));
    b.ok->setDefault(true);
    b.cancel = new QPushButton(QStringLiteral("キャンセル"), dialog);
    b.cancel->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(b.ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    return b;
}

}  // namespace ui
