// SPDX-License-Identifier: GPL-3.0-or-later
// Queries over the section table: identifiers by key or by level and mark, the texts and
// sizes of an identifier, the mark list of a kind and the column main-bar maximum.
#include "model/element_store.h"
#include "model/grid.h"
#include "model/helpers.h"
#include "model/sections.h"

namespace model {

namespace {

// Field i of a ":"-separated text without copying; these lookups run once per member.
std::string_view fieldView(std::string_view text, int index)
{
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        size_t at = text.find(':', start);
        if (at == std::string_view::npos) return {};
        start = at + 1;
    }
    size_t end = text.find(':', start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool keyHasLetter(std::string_view key, char letter)
{
    std::string_view f = fieldView(key, 0);
    return f.size() == 1 && f[0] == letter;
}

// The first used entry with the identifier; identifiers <= 0 belong to no section, and free
// entries keep stale texts that must never be picked up.
const SectionEntry* entryOf(const SectionTable& table, int secID)
{
    if (secID <= 0) return nullptr;
    for (const SectionEntry& e : table)
        if (e.secID == secID) return &e;
    return nullptr;
}

}  // namespace

int findSecIDByKey(const SectionTable& table, char letter, int level, int mark)
{
    std::string key = makeSecKey(letter, level, mark);
    for (const SectionEntry& e : table)
        if (e.secID > 0 && e.secKey == key) return e.secID;
    return -1;
}

int levelNumberOfZ(const GridModel& grid, double z)
{
    int level = -1;
    int n = grid.usedCount(AXIS_Z);
    for (int i = 0; i < n; ++i)
        if (static_cast<double>(grid.position(AXIS_Z, i)) == z) level = i + 1;
    // Foundation members sit at -2000 below the first level and take its sections.
    if (level < 0 && z == -2000.0) level = 1;
    return level;
}

int findSecIDByMark(const SectionTable& table, const GridModel& grid, const Element& element, char letter,
                    std::string_view markName)
{
    int level = levelNumberOfZ(grid, element.Z1);
    if (level < 0) return -1;
    std::string levelStr = std::to_string(level);
    int found = -1;
    for (const SectionEntry& e : table) {
        if (e.secID <= 0 || !keyHasLetter(e.secKey, letter)) continue;
        if (fieldView(e.secKey, 1) == levelStr && fieldView(e.secName, 1) == markName) found = e.secID;
    }
    return found;
}

std::string specOf(const SectionTable& table, int secID)
{
    const SectionEntry* e = entryOf(table, secID);
    return e ? e->secSpec : std::string();
}

std::string nameOf(const SectionTable& table, int secID)
{
    const SectionEntry* e = entryOf(table, secID);
    return e ? e->secName : std::string();
}

std::string markNameOf(const SectionTable& table, int secID)
{
    const SectionEntry* e = entryOf(table, secID);
    return e ? std::string(fieldView(e->secName, 1)) : std::string();
}

SectionSize sectionSize(const SectionTable& table, int secID, int position)
{
    const SectionEntry* e = entryOf(table, secID);
    return e ? sectionSizeOfSpec(e->secSpec, position) : SectionSize{};
}

std::pair<int, int> elementSectionSize(const SectionTable& table, int secID)
{
    SectionSize s = sectionSize(table, secID, 0);
    return {specInt(s.width), specInt(s.depth)};
}

std::pair<int, int> elementSectionSize(const ElementStore& store, const SectionTable& table, int index)
{
    if (index < 0 || index >= store.count()) return {0, 0};
    return elementSectionSize(table, store.at(index).secID);
}

std::pair<double, double> sectionSizeMm(const SectionTable& table, int secID, int position)
{
    SectionSize s = sectionSize(table, secID, position);
    return {strToFloatOr0(s.width), strToFloatOr0(s.depth)};
}

std::vector<std::string> markList(char letter, const SectionTable& table, int maxNames)
{
    std::vector<std::string> names;
    for (int i = 0; i < kSectionStoreCount && table[i].secID >= 0; ++i) {
        if (static_cast<int>(names.size()) >= maxNames) break;
        const SectionEntry& e = table[i];
        if (!keyHasLetter(e.secKey, letter)) continue;
        std::string_view name = fieldView(e.secName, 1);
        if (name.empty()) continue;  // entries cleared by deleting their mark
        bool known = false;
        for (const std::string& n : names)
            if (n == name) { known = true; break; }
        if (!known) names.emplace_back(name);
    }
    return names;
}

int maxColumnBars(const SectionTable& table, int secID, int field)
{
    if (field != 0 && field != 1) return -1;
    const SectionEntry* given = entryOf(table, secID);
    if (!given) return -1;
    std::string markNo(fieldView(given->secKey, 2));
    bool found = false;
    int best = 0;
    for (const SectionEntry& e : table) {
        if (e.secID <= 0 || !keyHasLetter(e.secKey, kColumnLetter) || fieldView(e.secKey, 2) != markNo) continue;
        int value = specInt(fieldView(specItem(e.secSpec, 1), field));
        if (!found || value > best) best = value;
        found = true;
    }
    return found ? best : -1;
}

}  // namespace model
