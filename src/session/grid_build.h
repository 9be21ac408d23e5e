// SPDX-License-Identifier: GPL-3.0-or-later
// Making a new grid from span counts and pitches: what the grid creation command does on OK.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/grid.h"

namespace model {

class Session;

struct GridSpec {
    std::array<int, 3> spanCount{2, 3, 2};
    // Pitch of span i of each axis at index i-1; at least spanCount entries.
    std::array<std::vector<int>, 3> pitches{
        std::vector<int>(kMaxSpans, 5000),
        std::vector<int>(kMaxSpans, 4000),
        std::vector<int>(kMaxSpans, 3000),
    };
    std::array<BaseOffset, kGridSlots> offsets{};  // default rows
};

// Empty when these counts and pitches make a grid; otherwise the reason, for the user.
std::string checkGridSpec(const GridSpec& spec);

// Replaces the grid by the new one and adds its wire frame (LINE on the current level) and axis
// lines (BASE) to the store as it is; marks the project modified and shows the element
// count. Returns the elements added, or -1 when the input was refused (message shown, model
// untouched) or the store ran out of room (status message shown).
int applyGridSpec(Session& session, const GridSpec& spec, int lineColour);
// The same after emptying the element store (and the text buffer); the section table stays.
int buildGrid(Session& session, const GridSpec& spec);
int buildGrid(Session& session, const GridSpec& spec, int lineColour);

}  // namespace model
