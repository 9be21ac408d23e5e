// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/help_pages.h"

#include <filesystem>

#include "editor/dispatcher.h"
#include "platform/platform.h"
#include "settings/install_layout.h"

namespace editor {

namespace {

bool isFile(const std::string& path)
{
    std::error_code ec;
    const std::u8string name(path.begin(), path.end());
    return std::filesystem::is_regular_file(std::filesystem::path(name), ec);
}

std::string besideProgram(const std::string& programDir, const std::string& name)
{
    if (programDir.empty()) return name;
    return programDir + (programDir.back() == '/' ? "" : "/") + name;
}

}  // namespace

std::string helpPagePath(const std::string& programDir, int page)
{
    const std::string& name = kHelpPages.at(static_cast<size_t>(page));
    std::string beside = besideProgram(programDir, name);
    if (programDir.empty() || isFile(beside)) return beside;
    const std::u8string dir(programDir.begin(), programDir.end());
    const std::u8string installed = (settings::installedDataDir(std::filesystem::path(dir)) / name).u8string();
    std::string path(installed.begin(), installed.end());
    return isFile(path) ? path : beside;
}

bool helpPagesFound(const std::string& programDir) { return isFile(helpPagePath(programDir, 0)); }

std::string cannotOpenText(const std::string& path)
{
    return path + " を開けませんでした。既定のブラウザが設定されているか確認して下さい。";
}

void openHelpPage(platform::Platform& platform, const std::string& programDir, int page)
{
    const std::string path = helpPagePath(programDir, page);
    if (!isFile(path)) {
        platform.messageBox(platform::kConfirmCaption, "ヘルプページ " + path + " が見つかりません。",
                            platform::Buttons::Ok);
        return;
    }
    if (!platform.openUrl(path)) platform.messageBox(platform::kConfirmCaption, cannotOpenText(path), platform::Buttons::Ok);
}

}  // namespace editor
