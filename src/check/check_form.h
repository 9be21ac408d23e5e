// SPDX-License-Identifier: GPL-3.0-or-later
// What the check report window (配筋チェック) shows and does, without the window: every
// finding of the open project, the section a row names, and saving the report as CSV.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/check_report.h"

namespace model {
class Session;
}
namespace platform {
class FileDialogPort;
}

namespace check {

class CheckForm {
public:
    CheckForm(model::Session& session, platform::FileDialogPort* files);

    // Checks the project's section table again; true when the findings differ from before.
    bool refresh();
    const Report& report() const { return report_; }
    const draft::Cells& header() const { return reportHeader(); }
    const std::vector<draft::Cells>& rows() const { return rows_; }
    // "12 断面: 不適合 3 件、参考 4 件", or "12 断面: 指摘はありません。".
    std::string summary() const;

    // The section of a row, for opening the section dialog on it.
    struct Target {
        char letter = 'G';
        std::string mark;
        int level = 0;
    };
    std::optional<Target> target(int row) const;

    // "CSVで保存": false when cancelled or when writing failed (said in a message).
    bool saveCsv();
    const std::string& lastSaved() const { return lastSaved_; }

private:
    model::Session& session_;
    platform::FileDialogPort* files_;
    Report report_;
    std::vector<draft::Cells> rows_;
    std::string lastSaved_;
};

}  // namespace check
