// SPDX-License-Identifier: GPL-3.0-or-later
// Tables of text cells as the reports write them (bar take-off, detailing checks): CSV text,
// CP932 files through the safe writer, and columns aligned for a fixed-width terminal.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/project_file.h"

namespace draft {

using Cells = std::vector<std::string>;

// The header line, then the rows; UTF-8 with CR LF line ends. A field that holds a separator,
// a quote or a line break is quoted, its quotes doubled.
std::string csvText(const Cells& header, const std::vector<Cells>& rows);
// Writes the text as CP932 through the safe writer; a text without a CP932 form is refused
// with `refusal` after the path.
model::FileResult writeCp932File(const std::string& path, const std::string& utf8, const std::string& refusal);
// The header and the rows in columns two blanks apart, widths counted in CP932 bytes (a
// full-width character takes two columns of a terminal); the columns for which rightAligned
// is true line up on the right. LF line ends, no trailing blanks.
std::string alignedText(const Cells& header, const std::vector<Cells>& rows,
                        const std::function<bool(size_t column)>& rightAligned);

}  // namespace draft
