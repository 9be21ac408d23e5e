// SPDX-License-Identifier: GPL-3.0-or-later
// Options of the form "NAME VALUE" and one project file, as the draw subcommands take them.
#pragma once

#include <string>
#include <vector>

namespace cli {

struct OptionSlot {
    const char* name;    // "-o", "--settings", ...
    std::string* value;  // filled with the option's value
};

// Fills the slots and `project` from argv; empty when the arguments are fine, else what is
// wrong with them (unknown option, option given twice or without a value, no project or
// more than one).
std::string parseOptions(int argc, char** argv, const std::vector<OptionSlot>& slots, std::string& project);

}  // namespace cli
