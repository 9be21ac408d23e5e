// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/pen_width.h"

#include <array>
#include <cstddef>

namespace draft {

namespace {

// Index = pen. 1, 2: girder and column outlines; 3: a list's outer frame; 4, 9, 10: bars;
// 6: dimensions; 8: grid lines; the rest (list cells, texts, hoops, stirrups, hidden lines).
constexpr std::array<double, 16> kWidths = {0.18, 0.35, 0.35, 0.35, 0.25, 0.18, 0.13, 0.18,
                                            0.13, 0.25, 0.25, 0.18, 0.18, 0.18, 0.18, 0.18};

}  // namespace

double penWidth(int pen)
{
    if (pen < 1 || pen >= static_cast<int>(kWidths.size())) return kWidths[0];
    return kWidths[static_cast<std::size_t>(pen)];
}

}  // namespace draft
