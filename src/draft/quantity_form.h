// SPDX-License-Identifier: GPL-3.0-or-later
// What the rebar quantity window shows and does, without the window: the conditions from
// the settings, the table of the open project, the notice of members left out, and saving
// the table as CSV through the file dialog port.
#pragma once

#include <string>
#include <vector>

#include "draft/quantity_table.h"

namespace model {
class Session;
}
namespace platform {
class FileDialogPort;
}
namespace settings {
class IniFile;
}

namespace draft::quantity {

class QuantityForm {
public:
    QuantityForm(model::Session& session, const settings::IniFile& ini, platform::FileDialogPort* files);

    // Reads the conditions and takes the bars off the project again.
    void refresh();
    const Takeoff& takeoff() const { return takeoff_; }
    const Cells& header() const { return tableHeader(); }
    const std::vector<Cells>& rows() const { return rows_; }
    // The conditions, with any setting that was not understood named after them.
    std::vector<std::string> conditionLines() const;
    std::vector<std::string> noticeLines() const { return omissionNotice(takeoff_); }

    // "CSVで保存": asks for a file (".csv" added when the name has no extension) and writes
    // it. False when cancelled or when writing failed (the reason is shown in a message).
    bool saveCsv();
    const std::string& lastSaved() const { return lastSaved_; }

private:
    model::Session& session_;
    const settings::IniFile& ini_;
    platform::FileDialogPort* files_;
    Takeoff takeoff_;
    std::vector<Cells> rows_;
    std::vector<std::string> problems_;
    std::string lastSaved_;
};

}  // namespace draft::quantity
