// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmGridPitchDistance.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/AboveOpener.h"
#include "ui/NumberText.h"
#include "ui/OkCancel.h"

namespace ui {

namespace {
// Below this the dots would merge into a grey area.
constexpr double kSmallestPitch = 100;
}  // namespace

TfrmGridPitchDistance::TfrmGridPitchDistance(platform::Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform)
{
    setObjectName(QStringLiteral("frmGridPitchDistance"));
    setWindowTitle(QStringLiteral("グリッド間隔"));

    cmbGridPitch = new QComboBox(this);
    cmbGridPitch->setObjectName(QStringLiteral("cmbGridPitch"));
    cmbGridPitch->setEditable(true);
    cmbGridPitch->addItems({QStringLiteral("900"), QStringLiteral("1000"), QStringLiteral("1800"),
                            QStringLiteral("2000"), QStringLiteral("5000")});
    cmbGridPitch->setCurrentIndex(1);

    const OkCancel okCancel = makeOkCancel(this, [this] { btnOKClick(); });
    btnOK = okCancel.ok;
    btnCancel = okCancel.cancel;

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("間隔(mm)"), this));
    row->addWidget(cmbGridPitch, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(okCancel.row);
}

std::optional<double> TfrmGridPitchDistance::chooseGridPitch()
{
    const AboveOpener above(*this);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return pitch_;
}

void TfrmGridPitchDistance::btnOKClick()
{
    const QString text = cmbGridPitch->currentText();
    const auto value = parseReal(text);
    if (!value) {
        platform_.messageBox(platform::kConfirmCaption, notAReal(text).toStdString(), platform::Buttons::Ok);
        return;
    }
    if (*value < kSmallestPitch) {
        platform_.messageBox(platform::kConfirmCaption, "間隔が小さすぎます", platform::Buttons::Ok);
        cmbGridPitch->setCurrentIndex(0);
        return;
    }
    pitch_ = *value;
    accept();
}

}  // namespace ui
