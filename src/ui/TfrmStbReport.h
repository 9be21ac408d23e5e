// SPDX-License-Identifier: GPL-3.0-or-later
// The report of an ST-Bridge import or export: one item a line, selectable, with a button that
// copies the whole report to the clipboard.
#pragma once

#include <QDialog>

#include "platform/stb_port.h"

class QPlainTextEdit;
class QPushButton;

namespace ui {

class TfrmStbReport : public QDialog, public platform::StbReportPort {
    Q_OBJECT
public:
    explicit TfrmStbReport(QWidget* parent = nullptr);

    void showStbReport(const std::string& caption, const std::vector<std::string>& lines) override;
    // Fills the window without showing it (showStbReport does it before it opens).
    void setInitDialog(const std::string& caption, const std::vector<std::string>& lines);

    QPlainTextEdit* memReport;
    QPushButton* btnCopy;
    QPushButton* btnClose;
};

}  // namespace ui
