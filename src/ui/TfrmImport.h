// SPDX-License-Identifier: GPL-3.0-or-later
// The SS2 paste dialog: five sheets in a page control, each a grid with two header rows and
// the level labels, into which tables copied in the analysis program are pasted.
#pragma once

#include <array>
#include <optional>

#include <QDialog>

#include "exchange/ss2_import.h"
#include "platform/platform.h"
#include "platform/ss2_port.h"

class QLabel;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTableWidget;

namespace ui {

class TfrmImport : public QDialog, public platform::Ss2ImportPort {
    Q_OBJECT
public:
    explicit TfrmImport(platform::Platform& platform, QWidget* parent = nullptr);

    // Modal; nothing when cancelled.
    std::optional<exchange::Ss2Result> importSs2(int mode, int levelSpans) override;

    // Lays the sheets out for the mode and the level spans and shows sheet 1.
    void setInitDialog(int mode, int levelSpans);
    const exchange::Ss2Sheets& sheets() const { return sheets_; }

    QTabWidget* PageControl1;
    std::array<QTableWidget*, exchange::kSs2SheetCount> StringGrid{};
    QLabel* lblCautious;
    QPushButton* btnPaste;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QStatusBar* StatusBar1;

private:
    void btnPasteClick();
    void PageControl1Change(int index);
    void cellEdited(int sheet, int row, int col);
    // Shows the sheet's cells again; fixed cells grey and not selectable.
    void fillGrid(int sheet);

    platform::Platform& platform_;
    exchange::Ss2Sheets sheets_;
    bool filling_ = false;
};

}  // namespace ui
