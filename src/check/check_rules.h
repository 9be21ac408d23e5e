// SPDX-License-Identifier: GPL-3.0-or-later
// The detailing checks (配筋チェック) of one section: one table of rules, each with the item
// it checks, what it compares, its default limit, the settings it reads and its source. A
// section is checked by walking the table once; adding a rule is adding a row, and the help
// page is checked against the same table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace settings {
struct CheckLimits;
}

namespace check {

enum class MemberKind { Girder, Column };
enum class Grade { Fails, Advisory };

const char* kindText(MemberKind kind);  // "梁", "柱"
const char* gradeText(Grade grade);     // "不適合", "参考"

// What one rule found at one place of a section.
struct Finding {
    std::string item;      // 項目
    std::string position;  // "左端 上端 1段目", "X面", ... or empty
    std::string value;     // the number with its unit ("6 mm"), or the size that is not known
    std::string limit;     // with its comparison ("≧ 38.1 mm")
    Grade grade = Grade::Fails;
    std::string source;
};

struct SectionInput {
    MemberKind kind = MemberKind::Girder;
    std::string_view spec;
    bool foundation = false;  // a girder of the lowest level: the foundation cover applies
};

struct ParsedSection;
struct Found {
    std::string position, value, limit;
};

struct Rule {
    const char* item;
    const char* members;   // "梁", "柱" or "梁・柱"
    const char* compared;  // what is compared, in words
    const char* limit;     // the default limit
    const char* settings;  // keys of section Check the rule reads, or ""
    const char* source;
    Grade grade;
    // A finding of this rule means the rest of the section cannot be checked.
    bool stopsSection;
    void (*apply)(const ParsedSection& section, const settings::CheckLimits& limits, std::vector<Found>& out);
};

const std::vector<Rule>& rules();

// One finding as the section dialog lists it: "主筋のあき 左端 上端 1段目: 6 mm (≧ 38.1 mm)",
// an advisory one marked "参考".
std::string findingText(const Finding& finding);

// False for a spec of nothing but separators and blanks: no section to check.
bool hasSpecification(std::string_view spec);

// Every finding of one section, in the order of the rules. A section without a specification,
// or an item left empty, gives no finding for it.
std::vector<Finding> checkSection(const SectionInput& input, const settings::CheckLimits& limits);

}  // namespace check
