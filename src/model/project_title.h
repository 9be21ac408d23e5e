// SPDX-License-Identifier: GPL-3.0-or-later
// The title block's fields that belong to a project (工事名称, 設計者). The .kel format has no
// room for them and other programs read it, so they live in a small CP932 text file beside the
// project: PROJECT.kel → PROJECT.title, one "key=value" line each, CR LF.
#pragma once

#include <string>

#include "model/project_file.h"

namespace model {

struct ProjectTitle {
    std::string projectName;  // 工事名称
    std::string designer;     // 設計者
    bool operator==(const ProjectTitle&) const = default;
};

// The title file of a project: its path with the extension replaced by ".title".
std::string projectTitlePath(const std::string& projectPath);
// The fields of the project's title file; empty fields when there is none. A line that is not
// one of ours is ignored, so a newer file still reads.
ProjectTitle readProjectTitle(const std::string& projectPath);
// Why a field cannot be kept (a character without a CP932 form, a line break), or empty.
std::string checkTitleField(const std::string& label, const std::string& value);
// Writes the title file beside the project through the safe writer; the fields are checked first.
FileResult writeProjectTitle(const std::string& projectPath, const ProjectTitle& title);

}  // namespace model
