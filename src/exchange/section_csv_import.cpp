// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "exchange/section_csv.h"
#include "model/encoding.h"
#include "model/helpers.h"
#include "session/session.h"

namespace exchange {

namespace {

// Fields first .. first+count-1 joined by ":"; missing fields are empty.
std::string joined(const std::vector<std::string>& f, size_t first, size_t count)
{
    std::string out;
    for (size_t i = first; i < first + count; ++i) {
        if (i > first) out += ':';
        if (i < f.size()) out += f[i];
    }
    return out;
}

std::string segment(const std::vector<std::string>& f, size_t first, size_t count)
{
    return joined(f, first, count) + ";";
}

// b2, D2, b3, D3 of a haunched girder follow the 31 fields of the line. They are taken only
// when all four are whole numbers: a spreadsheet's remark column there ("要確認") is no size.
bool haunchFields(const std::vector<std::string>& f)
{
    for (size_t i = 31; i < 35; ++i) {
        int size = 0;
        if (i >= f.size() || !model::parseIntStrict(f[i], size) || size < 0) return false;
    }
    return true;
}

std::string girderSpec(const std::vector<std::string>& f)
{
    std::string spec = haunchFields(f) ? joined(f, 5, 3) + ":" + segment(f, 31, 4) : segment(f, 5, 3);
    for (size_t first = 8; first <= 26; first += 3) spec += segment(f, first, 3);
    return spec + segment(f, 29, 2);
}

std::string columnSpec(const std::vector<std::string>& f)
{
    return segment(f, 5, 3) + segment(f, 8, 3) + segment(f, 11, 4);
}

bool hasAny(const std::vector<std::string>& f, size_t first, size_t count)
{
    for (size_t i = first; i < first + count && i < f.size(); ++i)
        if (!model::trim(f[i]).empty()) return true;
    return false;
}

// "3, 7, 12" and " ほか" after ten lines.
std::string lineList(const std::vector<int>& lines)
{
    std::string text;
    for (size_t k = 0; k < lines.size() && k < 10; ++k) text += (k ? ", " : "") + std::to_string(lines[k]);
    return lines.size() > 10 ? text + " ほか" : text;
}

model::FileResult lineError(const std::string& name, int line, const std::string& what)
{
    return {false, name + " " + std::to_string(line) + "行目: " + what};
}

// The fields a line of that kind is read from (with the four haunch fields of a girder).
size_t fieldsRead(const std::string& kind) { return kind == "G" ? 35 : 15; }

// A "," (possible inside a quoted field), ":" or ";" would cut secKey, secName or secSpec
// apart once stored, and the project file would lose the rest of the section on saving.
// Returns the 1-based column of the first such field, or 0.
size_t columnWithSeparator(const std::vector<std::string>& f)
{
    const size_t used = std::min(f.size(), fieldsRead(f[0]));
    for (size_t i = 0; i < used; ++i)
        if (f[i].find_first_of(",:;") != std::string::npos) return i + 1;
    return 0;
}

}  // namespace

CsvRead readSectionCsv(std::istream& in, const std::string& name)
{
    CsvRead out;
    auto table = std::make_unique<model::SectionTable>();
    model::clearSections(*table);
    std::string raw;
    int lineNo = 0;
    std::vector<int> ignoredHaunches;  // lines whose haunch fields were not taken
    while (std::getline(in, raw)) {
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const std::string line = model::cp932ToUtf8(raw);
        if (line.find(kUnreadableCharacter) != std::string::npos) {
            out.status = lineError(name, lineNo, "Shift-JIS として読めない文字があります");
            return out;
        }
        const std::vector<std::string> f = splitCsvLine(line);
        if (f[0] != "G" && f[0] != "C") continue;  // header lines and anything else
        if (out.count >= model::kSectionStoreCount) {
            out.status = lineError(name, lineNo,
                                   "断面は " + std::to_string(model::kSectionStoreCount) + " までしか読み込めません");
            return out;
        }
        if (const size_t column = columnWithSeparator(f)) {
            out.status = lineError(name, lineNo, std::to_string(column) + "列目に「,」「:」「;」は使えません");
            return out;
        }
        auto field = [&f](size_t i) { return i < f.size() ? f[i] : std::string(); };
        model::SectionEntry& e = (*table)[static_cast<size_t>(out.count)];
        ++out.count;
        e.secID = out.count;
        e.secKey = f[0] + ":" + field(1) + ":" + field(2);
        e.secName = field(3) + ":" + field(4);
        e.secSpec = f[0] == "G" ? girderSpec(f) : columnSpec(f);
        if (f[0] == "G" && !haunchFields(f) && hasAny(f, 31, 4)) ignoredHaunches.push_back(lineNo);
    }
    if (in.bad()) {
        out.status = {false, name + ": 読み込めません"};
        return out;
    }
    out.table = std::move(table);
    if (!ignoredHaunches.empty())
        out.status.notice = name + " の " + lineList(ignoredHaunches) +
                            " 行目の 32〜35 列目 (中央・右端の b, D) は整数でないので読み込みませんでした。";
    return out;
}

CsvRead readSectionCsvFile(const std::string& path)
{
    std::error_code ec;
    std::ifstream file;
    if (std::filesystem::is_regular_file(std::filesystem::u8path(path), ec))
        file.open(std::filesystem::u8path(path), std::ios::binary);
    if (!file.is_open()) {
        CsvRead out;
        out.status = {false, path + ": 開けません"};
        return out;
    }
    return readSectionCsv(file, path);
}

model::FileResult importSectionCsv(model::Session& session, const std::string& path)
{
    CsvRead read = readSectionCsvFile(path);
    if (!read.status.ok) return read.status;
    session.sections = *read.table;
    return read.status;
}

}  // namespace exchange
