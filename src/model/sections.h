// SPDX-License-Identifier: GPL-3.0-or-later
// The section table: every member section with its specification string, and the lookups
// and short bar notations the dialogs and drawings use.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/bars.h"
#include "model/notice.h"

namespace model {

struct GridModel;
struct Element;
class ElementStore;

struct SectionEntry {
    int secID = -1;       // > 0 used; -1 free; 0 cleared by the section dialog
    std::string secKey;   // kind letter ":" level number ":" mark number
    std::string secName;  // level text ":" mark name
    std::string secSpec;  // items ended by ";", fields separated by ":"
};

inline constexpr int kSectionCount = 501;
// The store-by-key operation keeps the last entry free as the end mark of the table.
inline constexpr int kSectionStoreCount = 500;
using SectionTable = std::array<SectionEntry, kSectionCount>;

inline constexpr char kGirderLetter = 'G';
inline constexpr char kColumnLetter = 'C';
inline constexpr char kBeamLetter = 'B';

inline const std::string kSectionTableFull = "setMemRodメモリが確保できませんでした。終了して下さい";

// ---- table and keys (section_table.cpp) ----

// Entries 0-499 free with empty texts (the keys stay, as a new project leaves them).
void clearSections(SectionTable& table);
// A spec that holds nothing but separators and blanks becomes the empty text.
std::string normaliseSpec(std::string_view spec);

struct FoundSection {
    bool found = false;
    int secID = -1;
    std::string secName;
    std::string secSpec;
};
FoundSection findSection(const SectionTable& work, std::string_view secKey);
// Stores by key or into the first free entry; fails with a status-bar notice and a beep when full.
// A new entry, or a cleared one (secID 0) that is reused, gets an identifier above every
// identifier in the table, so two entries never share one.
Outcome setMemRod(SectionTable& work, const std::string& secKey, const std::string& secName,
                  const std::string& secSpec);

// "G:4:1".
std::string makeSecKey(char letter, int level, int mark);
// "R:G1".
std::string makeSecName(std::string_view levelText, std::string_view markName);
// Level number of the top girder level ("R") for a grid of spanCountZ storeys.
int topLevelNumber(int spanCountZ);
// Level numbers of the dialog rows, top first: girders and small beams n+1 .. 1, columns n .. 1.
std::vector<int> levelNumbers(char letter, int spanCountZ);
// The level text of a secName: "R" for the top girder (or small-beam) level, else the number.
std::string levelText(char letter, int level, int spanCountZ);
// The row label of the section dialog: level text followed by " 層" (girders) or " 階" (columns).
std::string levelRowLabel(char letter, int level, int spanCountZ);

// ---- lookups over the table (section_lookup.cpp) ----

int findSecIDByKey(const SectionTable& table, char letter, int level, int mark);
// 1-based number of the Z grid line at height z (last match wins; -2000 counts as level 1);
// -1 when no line lies there.
int levelNumberOfZ(const GridModel& grid, double z);
int findSecIDByMark(const SectionTable& table, const GridModel& grid, const Element& element, char letter,
                    std::string_view markName);
// Texts of the first used entry with that identifier; empty for none or secID <= 0.
std::string specOf(const SectionTable& table, int secID);
std::string nameOf(const SectionTable& table, int secID);
std::string markNameOf(const SectionTable& table, int secID);

struct SectionSize {
    std::string material;
    std::string width;
    std::string depth;
};
SectionSize sectionSize(const SectionTable& table, int secID, int position);
// Width and depth of an element's section at the left end as integers; 0, 0 when none.
std::pair<int, int> elementSectionSize(const SectionTable& table, int secID);
// The same for the element at an index of a store; 0, 0 for an index outside the store.
std::pair<int, int> elementSectionSize(const ElementStore& store, const SectionTable& table, int index);
// Width and depth at a position as lengths for drawing (0 where not a number).
std::pair<double, double> sectionSizeMm(const SectionTable& table, int secID, int position);

// Distinct non-empty mark names of a kind in order of first appearance.
std::vector<std::string> markList(char letter, const SectionTable& table, int maxNames = 100);
// Largest main-bar count (field 0 = nx, 1 = ny) of the column sections sharing the mark
// number of secID, over every level; -1 when none.
int maxColumnBars(const SectionTable& table, int secID, int field);

// ---- spec grammar and notations (section_notation.cpp) ----

// Integer of a spec field: 0 when empty or not a number, fractions rounded half away from
// zero, 0 when out of range. Never throws: spec texts come from users and files.
int specInt(std::string_view field);
// Item i of a spec ("" when missing).
std::string specItem(std::string_view secSpec, int item);
SectionSize sectionSizeOfSpec(std::string_view secSpec, int position);

struct GirderItem {
    int b = 0, D = 0;          // item 0
    int n = 0, n2 = 0;         // items 1-8 (n only for 7, 8)
    std::string size;
    int pitch = 0;             // item 7
};
GirderItem girderItem(std::string_view secSpec, int item);
struct ColumnItem {
    int nx = 0, ny = 0;        // item 1, or hx, hy of item 2
    std::string size;
    std::string sizeWithoutFirst;  // item 1
    int pitch = 0;             // item 2
};
ColumnItem columnItem(std::string_view secSpec, int item);

std::string fmtBarGroup(std::string_view item);
std::string fmtBars(std::string_view item);
std::string fmtStirrup(std::string_view item);
std::string fmtHoop(std::string_view item);
std::string fmtColumnMain(std::string_view item);
std::string fmtSize(std::string_view secSpec, int position);
std::string fmtSizeForDrawing(std::string_view secSpec, int position);
enum class MemberKind { Girder, Column };
std::string sectionText(const SectionTable& table, int secID, MemberKind kind, int item);

// Web-bar count and size suggested for a girder depth; both empty below 600.
struct WebBarSuggestion {
    std::string count;
    std::string size;
};
WebBarSuggestion suggestWebBars(double depth, int rodKind);

}  // namespace model
