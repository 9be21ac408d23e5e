// SPDX-License-Identifier: GPL-3.0-or-later
// The bar take-off of a building (鉄筋拾い): every girder and column with a section, measured
// over the clear spans, stirrup and hoop layouts the rebar arrangement drawing uses, summed
// by floor, part, mark, kind and bar size, with totals per size and the required quantity.
#pragma once

#include <string>
#include <vector>

#include "draft/quantity_rules.h"
#include "model/sections.h"

namespace model {
class ElementStore;
struct GridModel;
}  // namespace model

namespace draft::quantity {

inline constexpr const char* kPartGirder = "大梁";
inline constexpr const char* kPartColumn = "柱";
inline constexpr const char* kKindMain = "主筋";
inline constexpr const char* kKindStirrup = "スターラップ";
inline constexpr const char* kKindWeb = "腹筋";
inline constexpr const char* kKindHoop = "フープ";

struct QuantityRow {
    std::string floor;  // "R", "3", ... (the level of a girder, the storey of a column)
    std::string part;   // kPartGirder, kPartColumn
    std::string mark;
    std::string kind;   // kKindMain ...
    std::string size;
    long long count = 0;   // bars
    double length = 0;     // mm, laps included
    double mass = 0;       // kg, rounded to 0.1 as listed
    long long joints = 0;
};

struct SizeTotal {
    std::string size;
    long long count = 0;
    double length = 0;  // mm
    double mass = 0;    // kg: the sum of the listed row masses
    long long joints = 0;
};

// A member left out of the quantities, with why.
struct Omission {
    std::string part, floor, mark, reason;
};

struct Takeoff {
    Conditions conditions;
    std::vector<QuantityRow> rows;       // top floor first; girders, then columns; marks in order
    std::vector<SizeTotal> totals;       // in the order of the bar-size tables
    double designMass = 0;               // kg
    double requiredMass = 0;             // kg, rounded to 0.1
    std::vector<Omission> omitted;       // each member kind, floor and mark once
};

// The take-off of every live girder and column of the store. stirStart: TessmarStirStart.
Takeoff takeOff(model::ElementStore& store, const model::SectionTable& sections, const model::GridModel& grid,
                int stirStart, const Conditions& conditions);

// "数量に含めなかった部材" and one line per omission; empty when nothing was left out.
std::vector<std::string> omissionNotice(const Takeoff& t);

}  // namespace draft::quantity
