// SPDX-License-Identifier: GPL-3.0-or-later
// The detailing check report (配筋チェック): every finding of the project, "CSVで保存" and
// "閉じる"; a double-click on a row opens the section dialog on that mark and level. Modeless,
// so the sections can be put right while it is open; it checks again when it comes back to
// the front.
#pragma once

#include <QDialog>

#include "check/check_form.h"
#include "platform/check_port.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace ui {

class TfrmSection;

class TfrmCheck : public QDialog, public platform::CheckWindowPort {
    Q_OBJECT
public:
    TfrmCheck(model::Session& session, platform::FileDialogPort& files, TfrmSection& section, QWidget* parent = nullptr);

    void showChecks() override;
    // Checks again and fills the widgets when the findings changed (or when forced).
    void setInitDialog(bool force = false);
    check::CheckForm& form() { return form_; }
    // What a double-click on a row does.
    void openRow(int row);

    QLabel* lblSummary;
    QTableWidget* stgCheck;
    QPushButton* btnCSVSave;
    QPushButton* btnCancel;

protected:
    void changeEvent(QEvent* event) override;

private:
    check::CheckForm form_;
    TfrmSection& section_;
};

}  // namespace ui
