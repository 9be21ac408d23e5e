// SPDX-License-Identifier: GPL-3.0-or-later
// Storage of the section table: clearing, finding and storing entries by key, and the
// key and name texts of an entry.
#include <climits>

#include "model/helpers.h"
#include "model/sections.h"

namespace model {

void clearSections(SectionTable& table)
{
    for (int i = 0; i < kSectionCount - 1; ++i) {
        table[i].secID = -1;
        table[i].secName.clear();
        table[i].secSpec.clear();
    }
}

std::string normaliseSpec(std::string_view spec)
{
    std::string content = removeAll(removeAll(removeAll(spec, ','), ':'), ';');
    if (trim(content).empty()) return {};
    return std::string(spec);
}

FoundSection findSection(const SectionTable& work, std::string_view secKey)
{
    FoundSection result;
    for (int i = 0; i < kSectionStoreCount; ++i) {
        const SectionEntry& e = work[i];
        if (e.secID > 0 && e.secKey == secKey) {
            result.found = true;
            result.secID = e.secID;
            result.secName = e.secName;
            result.secSpec = e.secSpec;
            break;
        }
    }
    return result;
}

namespace {

Outcome tableFull() { return Outcome::failed(Notice{Notice::Via::StatusBar, kSectionTableFull, true}); }

}  // namespace

Outcome setMemRod(SectionTable& work, const std::string& secKey, const std::string& secName,
                  const std::string& secSpec)
{
    // An entry that is not free and carries the key is updated wherever it lies, so a key is
    // never stored twice; otherwise the first free entry is taken. Free entries keep stale
    // keys, so they never count as a match.
    int target = -1;
    int firstFree = -1;
    for (int i = 0; i < kSectionStoreCount; ++i) {
        const SectionEntry& e = work[i];
        if (e.secID < 0) {
            if (firstFree < 0) firstFree = i;
            continue;
        }
        if (e.secKey == secKey) {
            target = i;
            break;
        }
    }
    if (target < 0) target = firstFree;
    if (target < 0) {
        return tableFull();
    }

    SectionEntry& entry = work[target];
    if (entry.secID <= 0) {
        // A fresh identifier above every one in use: members must never share a section by
        // accident, even when used entries lie beyond a free one.
        int largest = 0;
        for (const SectionEntry& e : work)
            if (e.secID > largest) largest = e.secID;
        if (largest == INT_MAX) {
            return tableFull();
        }
        entry.secID = largest + 1;
    }
    entry.secKey = secKey;
    entry.secName = secName;
    entry.secSpec = normaliseSpec(secSpec);
    return {};
}

std::string makeSecKey(char letter, int level, int mark)
{
    return std::string(1, letter) + ":" + std::to_string(level) + ":" + std::to_string(mark);
}

std::string makeSecName(std::string_view levelText, std::string_view markName)
{
    std::string name(levelText);
    name += ':';
    name += markName;
    return name;
}

int topLevelNumber(int spanCountZ) { return (spanCountZ < 0 ? 0 : spanCountZ) + 1; }

std::vector<int> levelNumbers(char letter, int spanCountZ)
{
    int top = letter == kColumnLetter ? topLevelNumber(spanCountZ) - 1 : topLevelNumber(spanCountZ);
    std::vector<int> levels;
    for (int level = top; level >= 1; --level) levels.push_back(level);
    return levels;
}

std::string levelText(char letter, int level, int spanCountZ)
{
    if (letter != kColumnLetter && level == topLevelNumber(spanCountZ)) return "R";
    return std::to_string(level);
}

std::string levelRowLabel(char letter, int level, int spanCountZ)
{
    return levelText(letter, level, spanCountZ) + (letter == kColumnLetter ? " 階" : " 層");
}

}  // namespace model
