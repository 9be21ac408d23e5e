// SPDX-License-Identifier: GPL-3.0-or-later
// The measuring rules of the bar take-off (鉄筋数量), in one place: unit masses of the bar
// sizes, joints and laps, the surcharge of the required quantity, and the conditions the
// user sets (ini section "Quantity").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace settings {
class IniFile;
}

namespace draft::quantity {

struct Conditions {
    int grade = 345;         // steel grade of the anchorage table
    int fc = 21;             // concrete strength Fc of the anchorage table
    bool hooked = false;     // anchorage with hooks (shorter) or straight
    double lapFactor = 40;   // a lap adds this many bar diameters
    double surcharge = 1.04; // required quantity = design quantity x this
};

inline constexpr const char* kConditionsSection = "Quantity";

// Reads the conditions; a value that is missing keeps its default, one that is not a number
// of the right kind keeps it too and is named in problems.
Conditions readConditions(const settings::IniFile& ini, std::vector<std::string>& problems);
// False when the file could not take a value.
bool writeConditions(settings::IniFile& ini, const Conditions& c);

// Unit mass in kg/m of a bar size (JIS G 3112 nominal masses); 0 for a size the table lacks.
double unitMass(std::string_view size);
// Position of a size in the unit-mass table (deformed bars thin to thick, then round bars);
// -1 for a size the table lacks.
int sizeRank(std::string_view size);

// Joints of one bar of a given length (mm): one every 6.0 m up to 13 mm, every 7.0 m from
// 16 mm; bars up to D16 are lapped (each joint adds lapFactor x d), thicker ones gas pressure
// welded (no length added).
struct Joints {
    long long count = 0;
    double addedLength = 0;  // mm
};
Joints jointsOf(std::string_view size, double length, const Conditions& c);

// The anchorage length of a bar at an end where no girder continues it (mm).
double anchorage(std::string_view size, const Conditions& c);

// The conditions as lines of text for the window and the command line.
std::vector<std::string> conditionsText(const Conditions& c);

}  // namespace draft::quantity
