// SPDX-License-Identifier: GPL-3.0-or-later
// The dump window: the model dump and the undo listing as text, for looking into a project.
#pragma once

#include <QDialog>

#include "platform/feature_ports.h"
#include "session/session.h"

class QPlainTextEdit;
class QPushButton;

namespace ui {

class TfrmDump : public QDialog, public platform::DumpWindowPort {
    Q_OBJECT
public:
    TfrmDump(const model::Session& session, QWidget* parent = nullptr);

    // Shown without blocking the main window; opening empties the memo.
    void showDump() override;
    void btnDumpClick();
    void btnUndoClick();

    QPlainTextEdit* Memo1;
    QPushButton* btnDump;
    QPushButton* btnUndo;

private:
    void fill(const std::vector<std::string>& lines);

    const model::Session& session_;
};

}  // namespace ui
