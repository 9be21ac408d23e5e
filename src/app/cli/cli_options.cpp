// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_options.h"

namespace cli {

std::string parseOptions(int argc, char** argv, const std::vector<OptionSlot>& slots, std::string& project)
{
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        const OptionSlot* found = nullptr;
        for (const OptionSlot& s : slots)
            if (a == s.name) found = &s;
        if (found) {
            if (!found->value->empty()) return a + " given twice";
            if (i + 1 >= argc || std::string(argv[i + 1]).empty()) return a + " needs a value";
            *found->value = argv[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option '" + a + "'";
        } else if (project.empty()) {
            project = a;
        } else {
            return "more than one project file given";
        }
    }
    if (project.empty()) return "no project file given";
    return {};
}

}  // namespace cli
