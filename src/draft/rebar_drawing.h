// SPDX-License-Identifier: GPL-3.0-or-later
// The rebar arrangement drawing (配筋図): the members of the view's slice (session.view, a
// frame elevation or a level plan) as outlines, and in an elevation the girder and column
// details with their main bars, stirrups, hoops, web bars and labels.
#pragma once

#include "draft/draft.h"

namespace model {
class Session;
}

namespace draft {

// Runs with the model store current (GeneratorStore::Model in the drawing frame): it reads
// the model while it draws into the drawing store in its bank with DraftModelLine /
// DraftModelArc, at the scale of DrawScale / DrawMojiHeight set by the frame.
void drawRebarArrangement(model::Session& session, Drafter& d);

}  // namespace draft
