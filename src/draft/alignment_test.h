// SPDX-License-Identifier: GPL-3.0-or-later
// The text alignment test drawing (Test01): the nine alignments against twelve angles, one
// "てすと" at every crossing of a blue grid, to check where texts land in the preview and in
// a CAD program.
#pragma once

#include "draft/draft.h"

namespace draft {

// Draws into the current store at the list scale (ListMojiHeight, ListScale): 9 rules at
// y = 0 ... -8000 and 12 at x = 0 ... 11000; the text in row r (1-9 from the top) and column
// c (0-11) has nBase r and angle 30 x c.
void drawAlignmentTest(Drafter& d);

}  // namespace draft
