// SPDX-License-Identifier: GPL-3.0-or-later
// Where a framing plan, framing elevation or rebar arrangement drawing may be split over
// sheets: at its grid lines, so that every part holds whole bays (and whole storeys).
#pragma once

#include "draft/split_guide.h"

namespace model {
class Session;
}

namespace draft {

// The grid lines across and up the session's current view, with their names. The text height
// is not needed: grid lines lie where the building has them.
SplitGuide gridSplitGuide(const model::Session& session, int textHeight);

}  // namespace draft
