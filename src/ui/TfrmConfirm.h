// SPDX-License-Identifier: GPL-3.0-or-later
// The mark-name dialog of the section dialog: the name of a new mark (mode 1) or a new name
// for a mark (mode 2).
#pragma once

#include <optional>
#include <string>

#include <QDialog>

#include "platform/mark_name_port.h"
#include "platform/platform.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class TfrmConfirm : public QDialog {
    Q_OBJECT
public:
    explicit TfrmConfirm(QWidget* parent = nullptr);

    void setInitDialog(int mode, const std::string& name);
    // Shows the dialog; the name typed, or nothing when cancelled.
    std::optional<std::string> askMarkName(int mode, const std::string& name);
    // The same, but OK refuses a name the check finds fault with: its message is shown and
    // the dialog stays open.
    std::optional<std::string> askMarkName(int mode, const std::string& name, const platform::MarkNamePort::Check& check,
                                           platform::Platform* platform);
    void btnOKClick();

    QLabel* lblTitle;
    QLineEdit* edtName;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    platform::MarkNamePort::Check check_;
    platform::Platform* platform_ = nullptr;
};

}  // namespace ui
