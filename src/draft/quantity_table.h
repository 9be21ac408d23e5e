// SPDX-License-Identifier: GPL-3.0-or-later
// The bar take-off as a table: the cells the window shows, the CSV file and the aligned text
// of the command line, all from one list of rows.
#pragma once

#include <string>
#include <vector>

#include "draft/rebar_quantity.h"
#include "model/project_file.h"

namespace draft::quantity {

using Cells = std::vector<std::string>;

// "階,部位,符号,種別,径,本数,長さ(m),質量(kg),継手(箇所)".
const Cells& tableHeader();
// Every row of the table after the header: the quantity rows, one "計" row per bar size (the
// size in the 径 column), then "設計数量" and "所要数量" with the mass only. Lengths in m with 2
// decimals, masses in kg with 1, written with "." whatever the locale.
std::vector<Cells> tableRows(const Takeoff& t);

// The CSV text (UTF-8, CR LF line ends): the header line, then the rows.
std::string quantityCsv(const Takeoff& t);
// Writes the CSV as CP932 through the safe writer; a text without a CP932 form is refused.
model::FileResult writeQuantityCsv(const std::string& path, const Takeoff& t);
// The conditions, the table in columns aligned for a fixed-width terminal, and the notice of
// members left out (UTF-8, LF line ends).
std::string quantityText(const Takeoff& t);

}  // namespace draft::quantity
