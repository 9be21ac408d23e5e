// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a project as ST-Bridge 2.0.2 (UTF-8, the standard's namespace) through the safe
// writer: nodes at every member end, the X and Y grid as two axis groups, the levels as
// stories, the RC columns, girders and small beams with their sections.
#pragma once

#include <string>
#include <vector>

#include "model/project_file.h"

namespace model {
class Session;
}

namespace exchange::stb {

inline const std::string kStbNamespace = "https://www.building-smart.or.jp/dl";

struct ExportResult {
    model::FileResult status;
    std::vector<std::string> report;  // what could not be written as it is, one item a line
};

// projectName goes into StbCommon; appVersion is the program's version text.
ExportResult exportStb(const model::Session& session, const std::string& path, const std::string& projectName,
                       const std::string& appVersion);

// "plan" for "/dir/plan.kel"; "untitled" for an empty path.
std::string projectNameOf(const std::string& projectPath);
// Appends ".stb" unless the name ends in it (any letter case).
std::string withStbExtension(const std::string& name);

}  // namespace exchange::stb
