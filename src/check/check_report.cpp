// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/check_report.h"

#include <algorithm>

#include "settings/settings.h"

namespace check {

namespace {

// Field i of a key or name ("G:3:1", "R:G1"); cheaper than splitting the whole text.
std::string_view part(std::string_view text, int index)
{
    for (; index > 0; --index) {
        const size_t colon = text.find(':');
        if (colon == std::string_view::npos) return {};
        text.remove_prefix(colon + 1);
    }
    return text.substr(0, text.find(':'));
}

struct SectionRef {
    MemberKind kind;
    int level, markNumber;
    const model::SectionEntry* entry;
};

}  // namespace

Report checkProject(const model::SectionTable& table, const settings::CheckLimits& limits)
{
    std::vector<SectionRef> refs;
    for (const model::SectionEntry& e : table) {
        if (e.secID <= 0) continue;
        const std::string_view letter = part(e.secKey, 0);
        if (letter.size() != 1 || (letter[0] != model::kGirderLetter && letter[0] != model::kColumnLetter)) continue;
        const MemberKind kind = letter[0] == model::kGirderLetter ? MemberKind::Girder : MemberKind::Column;
        refs.push_back({kind, model::specInt(part(e.secKey, 1)), model::specInt(part(e.secKey, 2)), &e});
    }
    std::stable_sort(refs.begin(), refs.end(), [](const SectionRef& a, const SectionRef& b) {
        if (a.kind != b.kind) return a.kind == MemberKind::Girder;
        if (a.level != b.level) return a.level > b.level;
        return a.markNumber < b.markNumber;
    });
    Report report;
    for (const SectionRef& r : refs) {
        const bool foundation = r.kind == MemberKind::Girder && r.level == 1;
        std::vector<Finding> found = checkSection({r.kind, r.entry->secSpec, foundation}, limits);
        if (hasSpecification(r.entry->secSpec)) ++report.sections;
        for (Finding& f : found)
            report.rows.push_back({r.kind, std::string(part(r.entry->secName, 0)), r.level,
                                   std::string(part(r.entry->secName, 1)), std::move(f)});
    }
    return report;
}

const draft::Cells& reportHeader()
{
    static const draft::Cells header{"種別", "階", "符号", "位置", "項目", "値", "基準", "区分", "根拠"};
    return header;
}

std::vector<draft::Cells> reportCells(const Report& report)
{
    std::vector<draft::Cells> cells;
    cells.reserve(report.rows.size());
    for (const ReportRow& r : report.rows) {
        const Finding& f = r.finding;
        cells.push_back({kindText(r.kind), r.levelText, r.mark, f.position, f.item, f.value, f.limit,
                         gradeText(f.grade), f.source});
    }
    return cells;
}

std::string reportCsv(const Report& report) { return draft::csvText(reportHeader(), reportCells(report)); }

model::FileResult writeReportCsv(const std::string& path, const Report& report)
{
    return draft::writeCp932File(path, reportCsv(report), "符号に Shift-JIS で書けない文字があります");
}

std::string reportText(const Report& report)
{
    if (report.rows.empty()) return kNoFindings + "\n";
    return draft::alignedText(reportHeader(), reportCells(report), [](size_t) { return false; });
}

}  // namespace check
