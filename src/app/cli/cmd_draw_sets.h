// SPDX-License-Identifier: GPL-3.0-or-later
// draw framing | rebar | all: the drawings of a view's slice, and the whole drawing set of a
// building, as DXF files.
#pragma once

#include <string>

namespace cli {

bool isDrawSetCommand(const std::string& drawing);

// argv starts at the drawing's name:
//   framing PROJECT.kel --view plan|yframe|xframe [--tab N] -o OUT.dxf [--settings FILE.ini]
//   rebar   PROJECT.kel --view yframe|xframe|plan [--tab N] -o OUT.dxf [--settings FILE.ini]
//   all     PROJECT.kel -o FOLDER [--settings FILE.ini]
// --view and --tab (0-based, default 0) pick the slice the window's view and level tabs pick.
// Exit 0 on success, 1 on failure, 2 on wrong usage.
int runDrawSetCommand(int argc, char** argv);

}  // namespace cli
