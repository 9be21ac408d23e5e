// SPDX-License-Identifier: GPL-3.0-or-later
// A search of a short sorted array without branches, for loops that search once per member of a
// large building: a mispredicted branch per step costs more than the steps themselves.
#pragma once

#include <cstddef>

namespace model {

// How many leading items satisfy below, which holds for a prefix of them (the items are sorted).
template <typename T, typename Below>
size_t prefixCount(const T* items, size_t n, Below below)
{
    if (n == 0) return 0;
    const T* base = items;
    while (n > 1) {
        const size_t half = n / 2;
        base = below(base[half]) ? base + half : base;
        n -= half;
    }
    return static_cast<size_t>(base - items) + (below(*base) ? 1 : 0);
}

}  // namespace model
