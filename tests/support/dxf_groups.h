// SPDX-License-Identifier: GPL-3.0-or-later
// The groups of a DXF file: code and value pairs as the file holds them, for tests that look
// at what was written without comparing whole files. Plain C++, so the fuzz targets use it too.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

struct DxfGroup {
    int code = 0;
    std::string value;
};

// The groups of a CR LF (or LF) file; false (with `why`) when a code line is not a whole
// number or a value line is missing.
bool parseDxfGroups(std::string_view file, std::vector<DxfGroup>& groups, std::string* why = nullptr);
// The groups of every entity of a type ("TEXT", "LINE", ...) in the file's ENTITIES section,
// one vector per entity, without its "0" group.
std::vector<std::vector<DxfGroup>> dxfEntities(const std::vector<DxfGroup>& groups, std::string_view type);

}  // namespace testing_support
