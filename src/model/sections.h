// The section table: every member section with its specification string, and the lookups
// and short bar notations the dialogs and drawings use.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/bars.h"

namespace platform {
class Platform;
}

namespace model {

struct GridModel;
struct Element;

struct SectionEntry {
    int secID = -1;       // > 0 used; -1 free
    std::string secKey;   // kind letter ":" level number ":" mark number
    std::string secName;  // level text ":" mark name
    std::string secSpec;  // items ended by ";", fields separated by ":"
};

inline constexpr int kSectionCount = 501;
using SectionTable = std::array<SectionEntry, kSectionCount>;

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
// Stores by key or into the first free entry; false (status message and beep) when full.
bool setMemRod(SectionTable& work, const std::string& secKey, const std::string& secName,
               const std::string& secSpec, platform::Platform* platform);
int findSecIDByKey(const SectionTable& table, char letter, int level, int mark);
int findSecIDByMark(const SectionTable& table, const GridModel& grid, const Element& element, char letter,
                    std::string_view markName);
std::string specOf(const SectionTable& table, int secID);
std::string nameOf(const SectionTable& table, int secID);
std::string markNameOf(const SectionTable& table, int secID);

struct SectionSize {
    std::string material;
    std::string width;
    std::string depth;
};
SectionSize sectionSize(const SectionTable& table, int secID, int position);
SectionSize sectionSizeOfSpec(std::string_view secSpec, int position);
// Width and depth of an element's section at the left end as integers; 0, 0 when none.
std::pair<int, int> elementSectionSize(const SectionTable& table, int secID);

std::vector<std::string> markList(char letter, const SectionTable& table, int maxNames = 100);

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
int maxColumnBars(const SectionTable& table, int secID, int field);

std::string fmtBarGroup(std::string_view item);
std::string fmtBars(std::string_view item);
std::string fmtStirrup(std::string_view item);
std::string fmtHoop(std::string_view item);
std::string fmtColumnMain(std::string_view item);
std::string fmtSize(std::string_view secSpec, int position);
std::string fmtSizeForDrawing(std::string_view secSpec, int position);
enum class MemberKind { Girder, Column };
std::string sectionText(const SectionTable& table, int secID, MemberKind kind, int item);
// Item i of a spec ("" when missing).
std::string specItem(std::string_view secSpec, int item);

// Web-bar count and size suggested for a girder depth; both empty below 600.
struct WebBarSuggestion {
    std::string count;
    std::string size;
};
WebBarSuggestion suggestWebBars(double depth, int rodKind);

}  // namespace model
