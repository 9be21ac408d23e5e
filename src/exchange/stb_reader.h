// SPDX-License-Identifier: GPL-3.0-or-later
// Reads an ST-Bridge file (2.0.1, 2.0.2, 2.1.0; Shift_JIS or UTF-8 as it declares) into plain
// records with libxml2's streaming reader, so a large file is never held whole in memory.
#pragma once

#include <string>

#include "exchange/stb_records.h"

namespace exchange::stb {

struct ReadResult {
    bool ok = false;
    std::string message;  // why not: the file, the line and what was wrong
    File file;
};

// name is used in messages only.
ReadResult readStbFile(const std::string& path);
ReadResult readStbBytes(const std::string& bytes, const std::string& name);

}  // namespace exchange::stb
