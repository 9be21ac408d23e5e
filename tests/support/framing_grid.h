// SPDX-License-Identifier: GPL-3.0-or-later
// The small grid the framing drawing tests draw on: X lines 0, 6000, 10500; Y lines 0, 5000;
// levels 0, 3000, 6000 (two spans along X and up Z), named as the settings name them.
#pragma once

#include "model/grid.h"
#include "session/grid_build.h"
#include "session/session.h"

namespace testing_support {

inline void buildFramingGrid(model::Session& session)
{
    model::GridSpec spec;
    spec.spanCount = {2, 1, 2};
    spec.pitches[model::AXIS_X] = {6000, 4500};
    spec.pitches[model::AXIS_Y] = {5000};
    spec.pitches[model::AXIS_Z] = {3000, 3000};
    model::buildGrid(session, spec);
    model::makeGridNames(session.grid, session.settings.draft.gridNaming);
}

}  // namespace testing_support
