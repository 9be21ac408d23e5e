// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/section_fields.h"

#include "model/bars.h"
#include "model/encoding.h"
#include "model/helpers.h"

namespace editor {

namespace {

constexpr std::array<const char*, kSectionFieldCount> kNames{
    "edtSecA1_RC", "edtSecB1_RC", "edtSecA2_RC", "edtSecB2_RC", "edtSecA3_RC", "edtSecB3_RC",
    "cmbNoLUP",    "cmbNoLUPe",   "cmbNmLUP",    "cmbNoLDN",    "cmbNoLDNe",   "cmbNmLDN",
    "cmbNoMUP",    "cmbNoMUPe",   "cmbNmMUP",    "cmbNoMDN",    "cmbNoMDNe",   "cmbNmMDN",
    "cmbNoRUP",    "cmbNoRUPe",   "cmbNmRUP",    "cmbNoRDN",    "cmbNoRDNe",   "cmbNmRDN",
    "cmbNoSTAR",   "cmbNmSTAR",   "cmbPitchSTAR", "cmbNoBODY",  "cmbNmBODY",
    "edtSecX_RC",  "edtSecY_RC",  "cmbNoMX",     "cmbNoMY",     "cmbNmMain",
    "cmbNoHoopX",  "cmbNoHoopY",  "cmbNmHoop",   "cmbPitchHoop",
};

// Where each bar group sits, in the order of the fields, and what its three fields hold.
constexpr std::array<const char*, 6> kGroupNames{"左上端", "左下端", "中上端", "中下端", "右上端", "右下端"};
constexpr std::array<const char*, 3> kGroupParts{"本数", "2段筋", "径"};

bool wholeNumber(const std::string& text)
{
    const std::string t = model::trim(text);
    return !t.empty() && t.size() <= 9 && t.find_first_not_of("0123456789") == std::string::npos;
}

std::vector<std::string> numbers(int from, int to, int step = 1)
{
    std::vector<std::string> list{""};
    for (int n = from; n <= to; n += step) list.push_back(std::to_string(n));
    return list;
}

}  // namespace

const char* fieldControlName(SectionField field) { return kNames[static_cast<size_t>(field)]; }

std::string fieldLabel(SectionField field)
{
    static const std::array<const char*, 6> sizes{"左端 b", "左端 D", "中央 b", "中央 D", "右端 b", "右端 D"};
    if (field <= SecB3) return sizes[static_cast<size_t>(field)];
    if (field < NoSTAR) {
        const int k = field - NoLUP;
        return std::string(kGroupNames[static_cast<size_t>(k / 3)]) + " " + kGroupParts[static_cast<size_t>(k % 3)];
    }
    static const std::array<const char*, kSectionFieldCount - NoSTAR> rest{
        "スターラップ 本数", "スターラップ 径", "スターラップ ピッチ", "腹筋 本数", "腹筋 径", "Dx", "Dy",
        "主筋 X", "主筋 Y", "主筋 径", "フープ X", "フープ Y", "フープ 径", "フープ ピッチ"};
    return rest[static_cast<size_t>(field - NoSTAR)];
}

std::string fieldFault(SectionField field, const std::string& text)
{
    if (text.find_first_of(":;,") != std::string::npos) return "「:」「;」「,」は使えません。";
    if (!model::isValidUtf8(text) || !model::utf8ToCp932(text)) return "シフトJISで表せない文字があります。";
    if (!isSizeField(field) && !model::trim(text).empty() && !wholeNumber(text)) return "整数を入力して下さい。";
    return {};
}

bool isEditField(SectionField field) { return field <= SecB3 || field == SecX || field == SecY; }

bool isSizeField(SectionField field)
{
    switch (field) {
    case NmLUP: case NmLDN: case NmMUP: case NmMDN: case NmRUP: case NmRDN:
    case NmSTAR: case NmBODY: case NmMain: case NmHoop: return true;
    default: return false;
    }
}

std::vector<std::string> sizeChoices(int rodKind)
{
    std::vector<std::string> list{""};
    if (rodKind != ROD_ROUND)
        for (const char* s : model::deformedBarNames()) list.emplace_back(s);
    if (rodKind != ROD_DEFORMED)
        for (const char* s : model::roundBarNames()) list.emplace_back(s);
    return list;
}

std::vector<std::string> fieldChoices(SectionField field, int rodKind)
{
    if (isEditField(field)) return {};
    if (isSizeField(field)) return sizeChoices(rodKind);
    switch (field) {
    case NoLUPe: case NoLDNe: case NoMUPe: case NoMDNe: case NoRUPe: case NoRDNe: return numbers(1, 10);
    case PitchSTAR: case PitchHoop: return {"", "100", "200"};
    case NoBODY: return numbers(2, 10, 2);
    default: return numbers(2, 10);
    }
}

std::string sizeForKind(const std::string& size, int newKind)
{
    if (size.empty()) return size;
    const std::vector<std::string> target = sizeChoices(newKind);
    for (const std::string& s : target)
        if (s == size) return size;
    int position = -1;
    const auto& deformed = model::deformedBarNames();
    const auto& round = model::roundBarNames();
    for (size_t i = 0; i < deformed.size(); ++i)
        if (size == deformed[i]) position = static_cast<int>(i);
    for (size_t i = 0; i < round.size(); ++i)
        if (size == round[i]) position = static_cast<int>(i);
    if (position < 0) return size;
    // Only a change between the two single lists moves a size: the combined list holds both.
    if (newKind == ROD_ROUND) return position < static_cast<int>(round.size()) ? round[static_cast<size_t>(position)] : "";
    return deformed[static_cast<size_t>(position)];
}

}  // namespace editor
