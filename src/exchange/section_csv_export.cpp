// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cctype>

#include "exchange/section_csv.h"
#include "model/element_store.h"
#include "model/encoding.h"
#include "model/helpers.h"
#include "session/session.h"

namespace exchange {

namespace {

struct SortKey {
    int kindRank = 1;  // girders first, columns last
    int level = 0;
    int mark = 0;
};

SortKey sortKey(const model::SectionEntry& e)
{
    SortKey k;
    const std::string kind = model::fieldAt(0, e.secKey, ':');
    if (kind == "G") k.kindRank = 0;
    if (kind == "C") k.kindRank = 2;
    k.level = model::specInt(model::fieldAt(1, e.secKey, ':'));
    k.mark = model::specInt(model::fieldAt(2, e.secKey, ':'));
    return k;
}

// Girders before columns, marks ascending, higher levels first.
bool exportsBefore(const SortKey& a, const SortKey& b)
{
    if (a.kindRank != b.kindRank) return a.kindRank < b.kindRank;
    if (a.mark != b.mark) return a.mark < b.mark;
    return a.level > b.level;
}

// Fields 0 .. count-1 of one item of a secSpec.
void appendItemFields(std::vector<std::string>& out, const std::string& spec, int item, int count)
{
    const std::string text = model::specItem(spec, item);
    for (int f = 0; f < count; ++f) out.push_back(model::fieldAt(f, text, ':'));
}

std::vector<std::string> csvFields(const model::SectionEntry& e, bool girder)
{
    std::vector<std::string> fields;
    for (int f = 0; f < 3; ++f) fields.push_back(model::fieldAt(f, e.secKey, ':'));
    for (int f = 0; f < 2; ++f) fields.push_back(model::fieldAt(f, e.secName, ':'));
    if (!girder) {
        appendItemFields(fields, e.secSpec, 0, 3);
        appendItemFields(fields, e.secSpec, 1, 3);
        appendItemFields(fields, e.secSpec, 2, 4);
        return fields;
    }
    for (int item = 0; item <= 7; ++item) appendItemFields(fields, e.secSpec, item, 3);
    appendItemFields(fields, e.secSpec, 8, 2);
    // A haunched girder keeps its centre and right sizes in four more fields; a uniform one
    // is written exactly as before, so ordinary files do not change.
    const model::SectionSize left = model::sectionSizeOfSpec(e.secSpec, 0);
    const model::SectionSize centre = model::sectionSizeOfSpec(e.secSpec, 1);
    const model::SectionSize right = model::sectionSizeOfSpec(e.secSpec, 2);
    const bool uniform = centre.width == left.width && centre.depth == left.depth && right.width == left.width &&
                         right.depth == left.depth;
    if (!uniform) {
        fields.push_back(centre.width);
        fields.push_back(centre.depth);
        fields.push_back(right.width);
        fields.push_back(right.depth);
    }
    return fields;
}

// Why the import would not give these fields back, or the empty text: it refuses a field
// holding a separator of the stored texts and takes the haunch sizes only as whole numbers.
std::string notReadBack(const std::vector<std::string>& fields)
{
    for (const std::string& f : fields)
        if (f.find_first_of(",:;") != std::string::npos) return "に「,」「:」「;」を含む項目があります";
    for (size_t i = 31; i < fields.size(); ++i) {
        int size = 0;
        if (!model::parseIntStrict(fields[i], size) || size < 0) return "の中央・右端の b, D が整数ではありません";
    }
    return {};
}

std::string csvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += csvField(fields[i]);
    }
    return line;
}

}  // namespace

Renumbering sortAndRenumber(const model::SectionTable& table)
{
    // Every used entry takes part, also one that a cleared entry separates from the rest.
    std::vector<std::pair<SortKey, int>> used;
    for (int i = 0; i < model::kSectionCount; ++i)
        if (table[static_cast<size_t>(i)].secID > 0) used.emplace_back(sortKey(table[static_cast<size_t>(i)]), i);
    std::stable_sort(used.begin(), used.end(),
                     [](const auto& a, const auto& b) { return exportsBefore(a.first, b.first); });

    Renumbering r;
    r.table = std::make_unique<model::SectionTable>();
    model::clearSections(*r.table);
    std::vector<int> newIdOfEntry(model::kSectionCount, 0);
    for (size_t p = 0; p < used.size(); ++p) {
        model::SectionEntry& entry = (*r.table)[p];
        entry = table[static_cast<size_t>(used[p].second)];
        entry.secID = static_cast<int>(p) + 1;
        newIdOfEntry[static_cast<size_t>(used[p].second)] = entry.secID;
    }
    // Lookups take the first entry in table order holding an identifier, so that entry's
    // members follow it.
    for (int i = 0; i < model::kSectionCount; ++i)
        if (newIdOfEntry[static_cast<size_t>(i)] > 0)
            r.newIds.emplace(table[static_cast<size_t>(i)].secID, newIdOfEntry[static_cast<size_t>(i)]);
    return r;
}

int applyRenumbering(model::ElementStore& store, const Renumbering& renumbering)
{
    int changed = 0;
    // Deleted records too: undo brings them back, and they must come back on their section.
    for (model::Element& e : store.records()) {
        if (e.secID <= 0) continue;
        const auto it = renumbering.newIds.find(e.secID);
        const int id = it == renumbering.newIds.end() ? -1 : it->second;
        if (id != e.secID) ++changed;
        e.secID = id;
    }
    return changed;
}

std::string proposedCsvName(const std::string& projectPath)
{
    const size_t slash = projectPath.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = projectPath.find_last_of('.');
    // Only a "." of the file's own name starts its extension, not one of a folder; a name
    // without one is no project name.
    if (dot == std::string::npos || dot < nameStart) return projectPath.substr(0, nameStart) + "untitled-断面.csv";
    return projectPath.substr(0, dot) + "-断面.csv";
}

std::string withCsvExtension(const std::string& name)
{
    if (name.size() >= 4) {
        std::string tail = name.substr(name.size() - 4);
        std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
        if (tail == ".csv") return name;
    }
    return name + ".csv";
}

CsvText sectionCsvText(const model::SectionTable& table)
{
    CsvText out;
    bool girderHeader = false, columnHeader = false;
    auto append = [&out](const std::string& utf8, const std::string& what) {
        const auto bytes = model::utf8ToCp932(utf8);
        // A byte kept from a project file that was not Shift-JIS would make the import refuse
        // the file; it reads as U+FFFD, which itself has no Shift-JIS form.
        if (!bytes || model::cp932ToUtf8(*bytes).find(kUnreadableCharacter) != std::string::npos) {
            out = CsvText{false, what + " に Shift-JIS で書けない文字があります", {}};
            return false;
        }
        out.bytes += *bytes + "\r\n";
        return true;
    };
    for (const model::SectionEntry& e : table) {
        if (e.secID == -1) break;
        if (e.secID == 0) continue;
        const std::string kind = model::fieldAt(0, e.secKey, ':');
        const bool girder = kind == "G";
        if (!girder && kind != "C") continue;
        bool& headerDone = girder ? girderHeader : columnHeader;
        if (!headerDone && !append(girder ? kGirderCsvHeader : kColumnCsvHeader, "見出し")) return out;
        headerDone = true;
        const std::string what = "断面 " + e.secKey + " (" + e.secName + ")";
        const std::vector<std::string> fields = csvFields(e, girder);
        if (const std::string why = notReadBack(fields); !why.empty()) return CsvText{false, what + " " + why, {}};
        if (!append(csvLine(fields), what)) return out;
    }
    return out;
}

model::FileResult exportSectionCsv(model::Session& session, const std::string& path)
{
    Renumbering renumbered = sortAndRenumber(session.sections);
    const CsvText text = sectionCsvText(*renumbered.table);
    if (!text.ok) return {false, path + ": " + text.message};
    model::FileResult written = model::writeFileAtomically(path, text.bytes);
    if (!written.ok) return written;
    bool changed = applyRenumbering(session.store, renumbered) > 0;
    for (size_t i = 0; i < renumbered.table->size() && !changed; ++i) {
        const model::SectionEntry& a = session.sections[i];
        const model::SectionEntry& b = (*renumbered.table)[i];
        if (a.secID <= 0 && b.secID == -1) break;
        changed = a.secID != b.secID || a.secKey != b.secKey || a.secName != b.secName || a.secSpec != b.secSpec;
    }
    session.sections = *renumbered.table;
    if (changed) session.project.modified = true;
    return written;
}

}  // namespace exchange
