// SPDX-License-Identifier: GPL-3.0-or-later
// The rebar quantity window (鉄筋数量表): the conditions, the table by floor, part, mark, kind
// and bar size with the totals, the members left out, and "CSVで保存".
#pragma once

#include <QDialog>

#include "draft/quantity_form.h"
#include "platform/quantity_port.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace ui {

class TfrmQuantity : public QDialog, public platform::QuantityWindowPort {
    Q_OBJECT
public:
    TfrmQuantity(model::Session& session, const settings::IniFile& ini, platform::FileDialogPort& files,
                 QWidget* parent = nullptr);

    void showQuantities() override;
    // Fills the widgets from a fresh take-off (showQuantities does it before it opens).
    void setInitDialog();
    draft::quantity::QuantityForm& form() { return form_; }

    QLabel* lblConditions;
    QTableWidget* stgQuantity;
    QLabel* lblNotice;
    QPushButton* btnCSVSave;
    QPushButton* btnCancel;

private:
    void btnCSVSaveClick();

    draft::quantity::QuantityForm form_;
};

}  // namespace ui
