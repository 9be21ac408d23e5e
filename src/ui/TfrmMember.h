// SPDX-License-Identifier: GPL-3.0-or-later
// The member-mark dialog of member designation: which section mark the picked lines get and
// which members a selection window takes.
#pragma once

#include <optional>
#include <string>

#include <QDialog>

#include "platform/dialog_ports.h"
#include "ui/DialogMemory.h"

class QComboBox;
class QPushButton;

namespace ui {

class TfrmMember : public QDialog, public platform::MemberDialogPort {
    Q_OBJECT
public:
    TfrmMember(settings::IniFile& ini, platform::Platform& platform, QWidget* parent = nullptr);

    std::optional<platform::MemberChoice> chooseMark(const std::string& caption, int kind,
                                                     const model::SectionTable& sections) override;

    // kind 0 girders (and small beams), 1 columns.
    void setInitDialog(int kind, const model::SectionTable& sections);
    // The blank item and the distinct marks of the kind, in table order.
    static QStringList markList(int kind, const model::SectionTable& sections);

    QComboBox* cmbSectionMark;
    QComboBox* cmbDirect;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void btnOKClick();

    DialogMemory memory_;
    int kind_ = 0;
    platform::MemberChoice result_;
};

}  // namespace ui
