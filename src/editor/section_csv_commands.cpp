// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/section_csv_commands.h"

#include <filesystem>

#include "exchange/section_csv.h"

namespace editor {

void SectionCsvCommands::notice(const std::string& text)
{
    session_.platform.messageBox(platform::kConfirmCaption, text, platform::Buttons::Ok);
}

bool SectionCsvCommands::importSections()
{
    const auto chosen = files_.openFile(exchange::kSectionCsvFilter, exchange::proposedCsvName(session_.project.path));
    if (!chosen || chosen->empty()) return false;
    // The table is replaced only when the whole file was read.
    const model::FileResult result = exchange::importSectionCsv(session_, *chosen);
    if (!result.ok) notice("断面ＣＳＶを読み込めませんでした。\n" + result.message);
    else if (!result.notice.empty()) notice(result.notice);
    return result.ok;
}

void SectionCsvCommands::exportSections()
{
    const auto chosen = files_.saveFile(exchange::kSectionCsvFilter, exchange::proposedCsvName(session_.project.path));
    if (!chosen || chosen->empty()) return;
    const std::string name = exchange::withCsvExtension(*chosen);
    std::error_code ec;
    // The dialog asked about the name as typed; the name really written may exist too.
    if (name != *chosen && std::filesystem::exists(std::filesystem::u8path(name), ec) &&
        session_.platform.messageBox(platform::kConfirmCaption, name + " は既に存在します。上書きしますか?",
                                     platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    const model::FileResult result = exchange::exportSectionCsv(session_, name);
    if (!result.ok) notice("断面ＣＳＶを書けませんでした。\n" + result.message);
}

}  // namespace editor
