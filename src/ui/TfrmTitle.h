// SPDX-License-Identifier: GPL-3.0-or-later
// ファイル → 図面表題: the project's 工事名称 and 設計者 for the title blocks of its sheets, kept
// in the title file beside the project (model/project_title).
#pragma once

#include <string>

#include <QDialog>

#include "platform/platform.h"

class QLineEdit;
class QPushButton;

namespace ui {

class TfrmTitle : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTitle(platform::Platform& platform, QWidget* parent = nullptr);

    // Shows the fields of the project's title file; OK writes them back.
    void editFor(const std::string& projectPath);

    QLineEdit* edtProjectName;
    QLineEdit* edtDesigner;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    void btnOKClick();

    platform::Platform& platform_;
    std::string projectPath_;
};

}  // namespace ui
