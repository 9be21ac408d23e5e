// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmPCopy.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/AboveOpener.h"
#include "ui/KeypadButton.h"
#include "ui/NumberText.h"
#include "ui/OkCancel.h"

namespace ui {

TfrmPCopy::TfrmPCopy(settings::IniFile& ini, platform::Platform& platform, platform::KeypadPort& keypad, QWidget* parent)
    : QDialog(parent), memory_(ini, platform, "PCopy"), platform_(platform), keypad_(keypad)
{
    setObjectName(QStringLiteral("frmPCopy"));
    setWindowTitle(QStringLiteral("平行補助線"));

    edtDistance = new QLineEdit(memory_.read("edtDistance", QStringLiteral("1000")), this);
    edtDistance->setObjectName(QStringLiteral("edtDistance"));
    edtTimes = new QLineEdit(memory_.read("edtTimes", QStringLiteral("1")), this);
    edtTimes->setObjectName(QStringLiteral("edtTimes"));
    for (QLineEdit* e : {edtDistance, edtTimes}) {
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setFixedWidth(90);
    }
    sbDistance = makeKeypadButton(this, QStringLiteral("sbDistance"));
    sbTimes = makeKeypadButton(this, QStringLiteral("sbTimes"));
    connect(sbDistance, &QToolButton::clicked, this, [this] { runKeypadFor(keypad_, edtDistance); });
    connect(sbTimes, &QToolButton::clicked, this, [this] { runKeypadFor(keypad_, edtTimes); });

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("距離"), this), 0, 0);
    grid->addWidget(edtDistance, 0, 1);
    grid->addWidget(sbDistance, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("複写回数"), this), 1, 0);
    grid->addWidget(edtTimes, 1, 1);
    grid->addWidget(sbTimes, 1, 2);

    const OkCancel okCancel = makeOkCancel(this, [this] { btnOKClick(); });
    btnOK = okCancel.ok;
    btnCancel = okCancel.cancel;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(okCancel.row);
}

std::optional<platform::ParallelCopy> TfrmPCopy::chooseParallelCopy(double referenceDistance)
{
    if (referenceDistance > 0) edtDistance->setText(realText(referenceDistance));
    const AboveOpener above(*this);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return result_;
}

void TfrmPCopy::btnOKClick()
{
    const auto distance = parseReal(edtDistance->text());
    const auto times = parseReal(edtTimes->text());
    if (!distance || !times) {
        platform_.messageBox(platform::kConfirmCaption, "数値を入力して下さい。", platform::Buttons::Ok);
        (distance ? edtTimes : edtDistance)->setFocus();
        return;
    }
    const auto copies = parseInt(edtTimes->text());
    if (!copies) {
        platform_.messageBox(platform::kConfirmCaption, notAnInteger(edtTimes->text()).toStdString(),
                             platform::Buttons::Ok);
        edtTimes->setFocus();
        return;
    }
    result_ = platform::ParallelCopy{*distance, *copies};
    memory_.write("edtDistance", edtDistance->text());
    memory_.write("edtTimes", edtTimes->text());
    accept();
}

}  // namespace ui
