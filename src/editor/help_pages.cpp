#include "editor/help_pages.h"

#include <filesystem>

#include "editor/dispatcher.h"
#include "platform/platform.h"

namespace editor {

std::string helpPagePath(const std::string& programDir, int page)
{
    const std::string& name = kHelpPages.at(static_cast<size_t>(page));
    if (programDir.empty()) return name;
    return programDir + (programDir.back() == '/' ? "" : "/") + name;
}

std::string cannotOpenText(const std::string& path)
{
    return path + " を開けませんでした。既定のブラウザが設定されているか確認して下さい。";
}

void openHelpPage(platform::Platform& platform, const std::string& programDir, int page)
{
    const std::string path = helpPagePath(programDir, page);
    std::error_code ec;
    const std::u8string name(path.begin(), path.end());
    if (!std::filesystem::is_regular_file(std::filesystem::path(name), ec)) {
        platform.messageBox(platform::kConfirmCaption, "ヘルプページ " + path + " が見つかりません。",
                            platform::Buttons::Ok);
        return;
    }
    if (!platform.openUrl(path)) platform.messageBox(platform::kConfirmCaption, cannotOpenText(path), platform::Buttons::Ok);
}

}  // namespace editor
