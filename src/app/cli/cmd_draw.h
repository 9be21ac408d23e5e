// SPDX-License-Identifier: GPL-3.0-or-later
// draw: runs a drawing of the project and writes it as a DXF file.
#pragma once

#include <string>

namespace model {
class Session;
}

namespace cli {

// The settings of a drawing: the given file, else the window program's saved settings when
// there are any; false (and one line on stderr) when a file cannot be read.
bool loadDrawSettings(model::Session& session, const std::string& settingsFile);

// One line on stderr when the drawing just written to file filled the text buffer: the file
// lacks labels, and the user must know which file.
void sayIfLabelsLeftOut(const model::Session& session, const std::string& file);
void sayLabelsLeftOut(int labels, const std::string& file);

// tessmar-cli draw girder-list|column-list PROJECT.kel -o OUT.dxf [--settings FILE.ini]
// argv starts after "draw". Exit 0 on success (also for a drawing with nothing in it, which
// still gives a valid file and a notice on stderr), 1 on failure, 2 on wrong usage.
int runDrawCommand(int argc, char** argv);

}  // namespace cli
