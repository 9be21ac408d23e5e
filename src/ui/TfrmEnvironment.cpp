// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmEnvironment.h"

namespace ui {

TfrmEnvironment::TfrmEnvironment(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEnvironment"));
    setWindowTitle(QStringLiteral("環境設定"));
}

}  // namespace ui
