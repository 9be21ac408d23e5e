// SPDX-License-Identifier: GPL-3.0-or-later
// 断面ＣＳＶ読込 and 断面ＣＳＶ出力: the file dialogs around the section CSV, with the messages
// the user sees when a file cannot be read or written.
#pragma once

#include "platform/dialog_ports.h"
#include "platform/feature_ports.h"
#include "session/session.h"

namespace editor {

class SectionCsvCommands : public platform::SectionCsvPort {
public:
    SectionCsvCommands(model::Session& session, platform::FileDialogPort& files) : session_(session), files_(files) {}

    // True when a file was chosen and its sections replaced the table.
    bool importSections() override;
    // Sorts and renumbers the sections (members follow) and writes them to the chosen file.
    void exportSections() override;

private:
    void notice(const std::string& text);

    model::Session& session_;
    platform::FileDialogPort& files_;
};

}  // namespace editor
