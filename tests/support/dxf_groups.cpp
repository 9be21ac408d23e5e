// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/dxf_groups.h"

#include <charconv>

namespace testing_support {

namespace {

bool nextLine(std::string_view& file, std::string_view& line)
{
    if (file.empty()) return false;
    size_t end = file.find('\n');
    line = file.substr(0, end);
    file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

}  // namespace

bool parseDxfGroups(std::string_view file, std::vector<DxfGroup>& groups, std::string* why)
{
    groups.clear();
    std::string_view codeLine, valueLine;
    while (nextLine(file, codeLine)) {
        std::string_view digits = codeLine;
        while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
        DxfGroup g;
        auto r = std::from_chars(digits.data(), digits.data() + digits.size(), g.code);
        if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size()) {
            if (why) *why = "group code '" + std::string(codeLine) + "' after " + std::to_string(groups.size()) + " groups";
            return false;
        }
        if (!nextLine(file, valueLine)) {
            if (why) *why = "no value after group code " + std::to_string(g.code);
            return false;
        }
        g.value = std::string(valueLine);
        groups.push_back(std::move(g));
    }
    return true;
}

std::vector<std::vector<DxfGroup>> dxfEntities(const std::vector<DxfGroup>& groups, std::string_view type)
{
    std::vector<std::vector<DxfGroup>> out;
    bool inEntities = false;
    std::vector<DxfGroup>* current = nullptr;
    for (size_t i = 0; i < groups.size(); ++i) {
        const DxfGroup& g = groups[i];
        if (g.code == 2 && i > 0 && groups[i - 1].code == 0 && groups[i - 1].value == "SECTION")
            inEntities = g.value == "ENTITIES";
        if (g.code == 0) {
            current = nullptr;
            if (inEntities && g.value == type) current = &out.emplace_back();
            continue;
        }
        if (current) current->push_back(g);
    }
    return out;
}

}  // namespace testing_support
