// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the section dialog as plain values: one text per edit or combo box, their
// control names, their choice lists and the bar-size lists of the three rebar kinds.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace editor {

enum SectionField : int {
    // girders: b and D at the left end, the centre, the right end
    SecA1, SecB1, SecA2, SecB2, SecA3, SecB3,
    // top and bottom bars at the left, the centre and the right: count, second layer, size
    NoLUP, NoLUPe, NmLUP, NoLDN, NoLDNe, NmLDN,
    NoMUP, NoMUPe, NmMUP, NoMDN, NoMDNe, NmMDN,
    NoRUP, NoRUPe, NmRUP, NoRDN, NoRDNe, NmRDN,
    NoSTAR, NmSTAR, PitchSTAR,
    NoBODY, NmBODY,
    // columns
    SecX, SecY, NoMX, NoMY, NmMain, NoHoopX, NoHoopY, NmHoop, PitchHoop,
    kSectionFieldCount
};

inline constexpr int kGirderFieldFirst = SecA1;
inline constexpr int kGirderFieldEnd = SecX;
inline constexpr int kColumnFieldFirst = SecX;
inline constexpr int kColumnFieldEnd = kSectionFieldCount;

using SectionFields = std::array<std::string, kSectionFieldCount>;

// "edtSecA1_RC", "cmbNoLUP", ...
const char* fieldControlName(SectionField field);
// The field as a message names it: "左端 b", "左上端 径", "フープ ピッチ", ...
std::string fieldLabel(SectionField field);
// Why a field's text cannot go into a specification string, or the empty text: a bar size may
// be any text (a high-strength bar not in the lists) without the separators; every other
// field is empty or a whole number.
std::string fieldFault(SectionField field, const std::string& text);
bool isEditField(SectionField field);
bool isSizeField(SectionField field);
// The group of bar fields (count, second layer, size) of end group g = 0..5 in the order of the secSpec items:
// left top, left bottom, centre top, centre bottom, right top, right bottom.
inline SectionField barCount(int g) { return static_cast<SectionField>(NoLUP + 3 * g); }
inline SectionField barSecond(int g) { return static_cast<SectionField>(NoLUPe + 3 * g); }
inline SectionField barSize(int g) { return static_cast<SectionField>(NmLUP + 3 * g); }
// b (which 0) or D (which 1) at end 0 left, 1 centre, 2 right.
inline SectionField sizeEdit(int end, int which) { return static_cast<SectionField>(SecA1 + 2 * end + which); }

// Rebar kinds of cmbRSelect.
enum RodKindChoice : int { ROD_DEFORMED = 0, ROD_ROUND = 1, ROD_BOTH = 2 };
inline const std::array<const char*, 3> kRodKindNames{"異型鉄筋", "丸鋼", "異型+丸鋼"};

// The size list of a kind: an empty item, then the deformed sizes (kinds 0, 2), then the
// round sizes (kinds 1, 2).
std::vector<std::string> sizeChoices(int rodKind);
// The choices of a combo box that is not a size list (blank first); empty for edits.
std::vector<std::string> fieldChoices(SectionField field, int rodKind);
// A size chosen under one kind as it reads under another: the size keeps its position in
// its list (D13 is 13φ, D29 is 28φ); a position the new list lacks gives the empty text.
// Typed texts that are no bar size stay as typed.
std::string sizeForKind(const std::string& size, int newKind);

}  // namespace editor
