// SPDX-License-Identifier: GPL-3.0-or-later
// The environment window "環境設定": created at start-up with the other windows, without
// controls; nothing opens it.
#pragma once

#include <QDialog>

namespace ui {

class TfrmEnvironment : public QDialog {
    Q_OBJECT
public:
    explicit TfrmEnvironment(QWidget* parent = nullptr);
};

}  // namespace ui
