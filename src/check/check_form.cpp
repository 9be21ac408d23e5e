// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/check_form.h"

#include <algorithm>

#include "draft/csv_save.h"
#include "session/session.h"

namespace check {

CheckForm::CheckForm(model::Session& session, platform::FileDialogPort* files) : session_(session), files_(files) {}

bool CheckForm::refresh()
{
    report_ = checkProject(session_.sections, session_.settings.check);
    std::vector<draft::Cells> rows = reportCells(report_);
    const bool changed = rows != rows_;
    rows_ = std::move(rows);
    return changed;
}

std::string CheckForm::summary() const
{
    const std::string head = std::to_string(report_.sections) + " 断面: ";
    if (report_.rows.empty()) return head + kNoFindings;
    const auto advisory = std::count_if(report_.rows.begin(), report_.rows.end(),
                                        [](const ReportRow& r) { return r.finding.grade == Grade::Advisory; });
    const auto fails = static_cast<long>(report_.rows.size()) - advisory;
    return head + "不適合 " + std::to_string(fails) + " 件、参考 " + std::to_string(advisory) + " 件";
}

std::optional<CheckForm::Target> CheckForm::target(int row) const
{
    if (row < 0 || row >= static_cast<int>(report_.rows.size())) return std::nullopt;
    const ReportRow& r = report_.rows[static_cast<size_t>(row)];
    return Target{r.kind == MemberKind::Girder ? model::kGirderLetter : model::kColumnLetter, r.mark, r.level};
}

bool CheckForm::saveCsv()
{
    if (!files_) return false;
    const std::optional<std::string> saved = draft::saveCsvAs(*files_, session_.platform, lastSaved_,
                                                              [this](const std::string& path) { return writeReportCsv(path, report_); });
    if (!saved) return false;
    lastSaved_ = *saved;
    return true;
}

}  // namespace check
