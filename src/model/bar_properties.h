// SPDX-License-Identifier: GPL-3.0-or-later
// Nominal dimensions of the bar sizes of the bar tables, for computations that need more than
// the drawing diameter: bar areas and the space a bar takes with its ribs.
#pragma once

#include <optional>
#include <string_view>

namespace model {

struct BarProperties {
    double diameter = 0;  // nominal diameter d, mm
    double area = 0;      // nominal area, mm2
    double outer = 0;     // outer diameter over the ribs, mm
};

// Deformed bars after JIS G 3112; a round bar "nφ" has d = outer = n and the area of its
// circle. Nothing for a text that is not a size of the bar tables.
std::optional<BarProperties> barProperties(std::string_view size);

}  // namespace model
