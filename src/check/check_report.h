// SPDX-License-Identifier: GPL-3.0-or-later
// The detailing checks of a whole project: every girder and column section of the section
// table checked, the findings sorted by kind (girders first), level from the top and mark,
// and the report as table cells, aligned text and CSV.
#pragma once

#include <string>
#include <vector>

#include "check/check_rules.h"
#include "draft/text_table.h"
#include "model/project_file.h"
#include "model/sections.h"

namespace check {

struct ReportRow {
    MemberKind kind = MemberKind::Girder;
    std::string levelText;  // "R", "2", ...
    int level = 0;          // level number of the section's key
    std::string mark;
    Finding finding;
};

struct Report {
    std::vector<ReportRow> rows;
    int sections = 0;  // sections checked
};

Report checkProject(const model::SectionTable& table, const settings::CheckLimits& limits);

inline const std::string kNoFindings = "指摘はありません。";

// "種別,階,符号,位置,項目,値,基準,区分,根拠".
const draft::Cells& reportHeader();
std::vector<draft::Cells> reportCells(const Report& report);
// The CSV text (UTF-8, CR LF): the header, then one finding a line.
std::string reportCsv(const Report& report);
// Writes the CSV as CP932 through the safe writer.
model::FileResult writeReportCsv(const std::string& path, const Report& report);
// The table in aligned columns, or kNoFindings alone (UTF-8, LF).
std::string reportText(const Report& report);

}  // namespace check
