// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/project_title.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "model/encoding.h"
#include "model/safe_file.h"

namespace model {

namespace {

constexpr const char* kProjectNameKey = "工事名称";
constexpr const char* kDesignerKey = "設計者";

}  // namespace

std::string projectTitlePath(const std::string& projectPath)
{
    return std::filesystem::path(projectPath).replace_extension(".title").string();
}

ProjectTitle readProjectTitle(const std::string& projectPath)
{
    ProjectTitle title;
    std::ifstream in(projectTitlePath(projectPath), std::ios::binary);
    if (!in) return title;
    std::istringstream lines(cp932ToUtf8(std::string(std::istreambuf_iterator<char>(in), {})));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == kProjectNameKey) title.projectName = value;
        if (key == kDesignerKey) title.designer = value;
    }
    return title;
}

std::string checkTitleField(const std::string& label, const std::string& value)
{
    if (value.find_first_of("\r\n") != std::string::npos) return label + "に改行は使えません。";
    if (!utf8ToCp932(value)) return label + "に Shift-JIS にない文字があります。";
    return {};
}

FileResult writeProjectTitle(const std::string& projectPath, const ProjectTitle& title)
{
    for (const auto& [label, value] : {std::pair{kProjectNameKey, &title.projectName}, std::pair{kDesignerKey, &title.designer}})
        if (std::string why = checkTitleField(label, *value); !why.empty()) return {false, why};
    const std::string text = std::string(kProjectNameKey) + "=" + title.projectName + "\r\n" + kDesignerKey + "=" +
                             title.designer + "\r\n";
    SafeFileWriter file;
    const std::string path = projectTitlePath(projectPath);
    if (FileResult r = file.open(path); !r.ok) return r;
    if (FileResult r = file.write(*utf8ToCp932(text)); !r.ok) return r;
    return file.commit();
}

}  // namespace model
