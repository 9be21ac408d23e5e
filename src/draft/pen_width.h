// SPDX-License-Identifier: GPL-3.0-or-later
// The width each drawing pen prints with, in millimetres of paper. Outlines stand out, bars
// come next, lists and texts are fine, and dimension and grid lines are the finest, so a 1/100
// sheet stays readable.
#pragma once

namespace draft {

inline constexpr double kThinnestPen = 0.13;
inline constexpr double kWidestPen = 0.35;

// Pens 1..15 (the element's LY); any other number prints as a plain fine line.
double penWidth(int pen);

}  // namespace draft
