// SPDX-License-Identifier: GPL-3.0-or-later
// The OK / キャンセル pair that ends the small dialogs.
#pragma once

#include <functional>

#include <QHBoxLayout>
#include <QPushButton>

class QDialog;

namespace ui {

struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;  // the two buttons at the right, for the dialog's layout
};

// Makes the pair on `dialog`: OK is the default button and runs onOk, キャンセル rejects.
OkCancel makeOkCancel(QDialog* dialog, std::function<void()> onOk);

}  // namespace ui
