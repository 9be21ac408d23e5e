// SPDX-License-Identifier: GPL-3.0-or-later
// Number texts typed into the dialogs: strict parsing (the whole text must be the number) and
// the shortest real-to-text form the dialogs show.
#pragma once

#include <optional>
#include <string>

#include <QString>

namespace ui {

// A finite real written in plain C notation ("12", "-3.5", "1e3"); blanks around it are
// allowed, thousands separators and anything else are not.
std::optional<double> parseReal(const QString& text);
// A decimal integer that fits an int.
std::optional<int> parseInt(const QString& text);
// Shortest text that reads back as the same number, no exponent for ordinary sizes.
QString realText(double value);

// The message shown when a text is not the number a field needs.
QString notAnInteger(const QString& text);
QString notAReal(const QString& text);

}  // namespace ui
