// SPDX-License-Identifier: GPL-3.0-or-later
// The section CSV: girder and column sections as one comma-separated CP932 line each, for
// editing in a spreadsheet. Export sorts and renumbers the sections; import replaces them.
#pragma once

#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/project_file.h"
#include "model/sections.h"

namespace model {
class ElementStore;
class Session;
}  // namespace model

namespace exchange {

inline const std::string kSectionCsvFilter = "CSVファイル|*.csv|すべて|*.*";
// What a byte that is not Shift-JIS reads as (U+FFFD); a file holding it is refused.
inline const std::string kUnreadableCharacter = "\xEF\xBF\xBD";

inline const std::string kGirderCsvHeader =
    "//梁,階(編集不可),符号(編集不可),階名称,符号名称,構造(編集不可),b,D,"
    "上段筋(左),２段筋(左),サイズ(左),下段筋(左),２段筋(左),サイズ(左),"
    "上段筋(中),２段筋(中),サイズ(中),下段筋(中),２段筋(中),サイズ(中),"
    "上段筋(右),２段筋(右),サイズ(右),下段筋(右),２段筋(右),サイズ(右),"
    "あばら筋,サイズ,ピッチ,腹筋,サイズ";
inline const std::string kColumnCsvHeader =
    "//柱,階(編集不可),符号(編集不可),階名称,符号名称,構造(編集不可),X,Y,"
    "主筋Ｘ,主筋Ｙ,サイズ,フープＸ,フープＹ,サイズ,ピッチ";

// ---- export (section_csv_export.cpp) ----

// The sections in export order (girders, then columns; marks ascending; higher levels first)
// with identifiers 1, 2, ... and the map from every old identifier to its new one.
struct Renumbering {
    std::unique_ptr<model::SectionTable> table;
    std::unordered_map<int, int> newIds;
};
Renumbering sortAndRenumber(const model::SectionTable& table);
// Every member record follows its section to the new identifier in one pass; a reference to
// a section that does not exist becomes -1 so it cannot land on a renumbered one. Returns
// how many records changed.
int applyRenumbering(model::ElementStore& store, const Renumbering& renumbering);

// "plan.a-断面.csv" for "plan.a.kel"; "untitled-断面.csv" (in the folder the path names) for a
// path whose file name has no ".".
std::string proposedCsvName(const std::string& projectPath);
// Appends ".csv" unless the name already ends in it (any letter case).
std::string withCsvExtension(const std::string& name);

// The file's bytes (CP932, CR LF) for the table in table order, or why it cannot be written.
struct CsvText {
    bool ok = true;
    std::string message;
    std::string bytes;
};
CsvText sectionCsvText(const model::SectionTable& table);

// Sorts and renumbers the session's sections, writes the file, and only then moves the
// table and the members over to the new numbering. A failure changes nothing.
model::FileResult exportSectionCsv(model::Session& session, const std::string& path);

// ---- import (section_csv_import.cpp) ----

struct CsvRead {
    model::FileResult status;
    std::unique_ptr<model::SectionTable> table;  // set when the whole file was read
    int count = 0;
};
// Refuses more than 500 sections, bytes that are not CP932 and a field holding ",", ":" or ";"
// (naming the line); name is used in messages only.
CsvRead readSectionCsv(std::istream& in, const std::string& name);
CsvRead readSectionCsvFile(const std::string& path);

// Replaces the session's section table with the file's; a failure leaves it as it was.
// Members keep their identifiers.
model::FileResult importSectionCsv(model::Session& session, const std::string& path);

// ---- fields (section_csv_fields.cpp) ----

// A field holding "," is written in double quotes, quotes inside doubled; nothing else is.
std::string csvField(std::string_view field);
// Cuts a line at ","; a field that opens with a quote is read up to its closing quote.
// At most maxFields fields.
std::vector<std::string> splitCsvLine(std::string_view line, size_t maxFields = 100);

}  // namespace exchange
