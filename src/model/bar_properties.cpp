// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/bar_properties.h"

#include <array>
#include <numbers>

#include "model/bars.h"

namespace model {

namespace {

// In the order of deformedBarNames().
constexpr std::array<BarProperties, 12> kDeformed{{
    {9.53, 71.33, 11}, {12.7, 126.7, 14}, {15.9, 198.6, 18}, {19.1, 286.5, 21},
    {22.2, 387.1, 25}, {25.4, 506.7, 28}, {28.6, 642.4, 33}, {31.8, 794.2, 36},
    {34.9, 956.6, 40}, {38.1, 1140, 43},  {41.3, 1340, 46},  {50.8, 2027, 58},
}};

}  // namespace

std::optional<BarProperties> barProperties(std::string_view size)
{
    const int slot = barSlot(size);
    if (slot < 0) return std::nullopt;
    if (size == deformedBarNames()[static_cast<size_t>(slot)]) return kDeformed[static_cast<size_t>(slot)];
    const double d = barDiameter(size);
    return BarProperties{d, std::numbers::pi * d * d / 4, d};
}

}  // namespace model
