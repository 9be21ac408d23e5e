// draw: runs a drawing of the project and writes it as a DXF file.
#pragma once

namespace cli {

// tessmar-cli draw girder-list|column-list PROJECT.kel -o OUT.dxf [--settings FILE.ini]
// argv starts after "draw". Exit 0 on success (also for a drawing with nothing in it, which
// still gives a valid file and a notice on stderr), 1 on failure, 2 on wrong usage.
int runDrawCommand(int argc, char** argv);

}  // namespace cli
