#include "editor/section_fields.h"

#include "model/bars.h"

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

std::vector<std::string> numbers(int from, int to, int step = 1)
{
    std::vector<std::string> list{""};
    for (int n = from; n <= to; n += step) list.push_back(std::to_string(n));
    return list;
}

}  // namespace

const char* fieldControlName(SectionField field) { return kNames[static_cast<size_t>(field)]; }

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
