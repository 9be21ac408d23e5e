// SPDX-License-Identifier: GPL-3.0-or-later
// The small calculator button beside a number field that opens the keypad.
#pragma once

#include <QIcon>
#include <QLineEdit>
#include <QToolButton>

#include "platform/dialog_ports.h"

namespace ui {

// The "dentaku" picture.
QIcon keypadIcon();
QToolButton* makeKeypadButton(QWidget* parent, const QString& name);
// Opens the keypad with the field's text; on "En" the field takes the number.
void runKeypadFor(platform::KeypadPort& keypad, QLineEdit* field);

}  // namespace ui
