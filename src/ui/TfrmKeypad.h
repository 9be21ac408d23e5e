// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric keypad: a small calculator-style window that edits one number and hands it
// back as text. The grid-line, parallel-line and section dialogs open it.
#pragma once

#include <optional>
#include <string>

#include <QDialog>
#include <QLineEdit>

#include "platform/dialog_ports.h"
#include "platform/platform.h"

class QPushButton;

namespace ui {

// An edit whose text is aligned right and whose selection stays visible without focus.
class TNumEdit : public QLineEdit {
public:
    explicit TNumEdit(QWidget* parent = nullptr);
};

class TfrmKeypad : public QDialog, public platform::KeypadPort {
    Q_OBJECT
public:
    TfrmKeypad(platform::Platform& platform, QWidget* parent = nullptr);

    std::optional<std::string> enterNumber(const std::string& startText) override;

    // The value of the start text (0 when it is not a number), shown in its shortest form.
    void initValue(const QString& text);
    bool confirmed() const { return confirmed_; }
    QString resultText() const { return result_; }

    // Pressing a key of the pad: "0".."9", ".", "←", "En", "+-", "1/", "C".
    void press(const QString& key);
    QPushButton* button(const QString& key) const;

    TNumEdit* edtDisplay;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void typeCharacter(const QString& c);

    platform::Platform& platform_;
    bool confirmed_ = false;
    QString result_;
};

}  // namespace ui
