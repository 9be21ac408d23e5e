// SPDX-License-Identifier: GPL-3.0-or-later
// The grid pitch dialog of command 312: the spacing of the dot grid in millimetres.
#pragma once

#include <optional>

#include <QDialog>

#include "platform/dialog_ports.h"
#include "platform/platform.h"

class QComboBox;
class QPushButton;

namespace ui {

class TfrmGridPitchDistance : public QDialog, public platform::GridPitchDialogPort {
    Q_OBJECT
public:
    explicit TfrmGridPitchDistance(platform::Platform& platform, QWidget* parent = nullptr);

    std::optional<double> chooseGridPitch() override;

    QComboBox* cmbGridPitch;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void btnOKClick();

    platform::Platform& platform_;
    double pitch_ = 1000;
};

}  // namespace ui
