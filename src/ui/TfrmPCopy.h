// SPDX-License-Identifier: GPL-3.0-or-later
// The parallel-line dialog of command 702: distance and number of copies.
#pragma once

#include <optional>

#include <QDialog>

#include "platform/dialog_ports.h"
#include "ui/DialogMemory.h"

class QLineEdit;
class QPushButton;
class QToolButton;

namespace ui {

class TfrmPCopy : public QDialog, public platform::ParallelCopyDialogPort {
    Q_OBJECT
public:
    TfrmPCopy(settings::IniFile& ini, platform::Platform& platform, platform::KeypadPort& keypad,
              QWidget* parent = nullptr);

    std::optional<platform::ParallelCopy> chooseParallelCopy(double referenceDistance) override;

    QLineEdit* edtDistance;
    QLineEdit* edtTimes;
    QToolButton* sbDistance;
    QToolButton* sbTimes;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void btnOKClick();

    DialogMemory memory_;
    platform::Platform& platform_;
    platform::KeypadPort& keypad_;
    platform::ParallelCopy result_;
};

}  // namespace ui
