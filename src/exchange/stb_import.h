// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the records of an ST-Bridge file into a new project: the grid with its wire frame and
// axis lines as the grid command makes them, the RC members designated on it, the sections
// keyed by kind, level and mark. Knows nothing of XML; what it leaves out or changes is data
// in the report it returns.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "exchange/stb_records.h"
#include "model/element_store.h"
#include "model/grid.h"
#include "model/sections.h"

namespace model {
class Session;
}

namespace exchange::stb {

inline const std::string kStbFilter = "ST-Bridgeファイル (*.stb)|*.stb|すべて|*.*";

struct ImportedProject {
    model::GridModel grid;
    std::unique_ptr<model::SectionTable> sections = std::make_unique<model::SectionTable>();
    model::ElementStore store;
    // The naming scheme of an axis whose file names follow one; the others stay as they are.
    std::array<model::GridNaming, 3> naming{};
    std::array<bool, 3> namingFound{false, false, false};
};

struct ImportResult {
    bool ok = false;
    std::string message;              // why refused (nothing was made then)
    std::vector<std::string> report;  // one item a line
    ImportedProject project;
};

// currentNaming: the settings' schemes, for the names of axes whose file names follow none.
ImportResult mapStb(const File& file, const std::array<model::GridNaming, 3>& currentNaming);

// Reads and maps a file.
ImportResult importStbFile(const std::string& path, const std::array<model::GridNaming, 3>& currentNaming);

// Replaces the session's project by the imported one: unnamed and modified; the naming
// schemes found go into the session's settings and the grid names are made from them.
void installImport(model::Session& session, ImportedProject&& project);

// ---- parts of the mapping, each testable on its own ----

// The specification string of an RC section, and what the report must say of it.
struct SectionSpec {
    std::string spec;
    bool circular = false;             // a round column: left out
    bool endsDiffer = false;           // left and right end hold different sizes or bars
    std::vector<std::string> unknownSizes;  // bar sizes outside the program's tables
};
SectionSpec sectionSpec(const Section& section);
// The specification string with its left and right ends exchanged (a girder whose start is its right end).
std::string swapGirderEnds(const std::string& spec);

// Grid lines of the file per axis (X, Y, levels), ascending, in whole millimetres, with the
// amount every position and member moves so that none is negative.
struct GridLines {
    std::array<std::vector<int>, 3> positions;
    std::array<std::vector<std::string>, 3> names;
    std::array<int, 3> shift{0, 0, 0};
};
// Empty when the axes and stories make a grid; otherwise why not (nothing is made then).
std::string gridFromFile(const File& file, GridLines& out, std::vector<std::string>& report);

// The scheme that makes these names for lines 0, 1, ...; nothing when none does.
bool findNamingScheme(const std::vector<std::string>& names, model::GridNaming& scheme);

// "G1" < "G2" < "G10" < "GA": letters by text, digits by value.
bool markNameBefore(const std::string& a, const std::string& b);

// Whole millimetres when whole, else the shortest text that reads back the same.
std::string numberText(double value);

}  // namespace exchange::stb
