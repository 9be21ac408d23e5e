// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the large test building of the benchmarks: a 30 x 30 x 50 span grid with girders and
// columns on every grid segment (about 143 000 elements).
#pragma once

#include <string>

namespace model {
class Session;
}

namespace bench {

// Fills the session with the grid and turns the wire frame into members when `members` is set.
void buildLargeModel(model::Session& session, int nx = 30, int ny = 30, int nz = 50, bool members = true);
// One large building shared by a benchmark program: grid names made, connection table valid.
model::Session& largeSession();
// Gives every girder and column the section of its level (G:level:1 "G1", C:level:1 "C1"),
// as designation on a building with sections per storey does.
void giveLevelSections(model::Session& session);
// The large building with a section per level on every member, grid names made, connection
// table valid; shared by a benchmark program.
model::Session& largeSessionWithLevelSections();
// A full girder section table: `marks` marks on each of `floors` levels (500 sections at most).
void fillGirderMarks(model::Session& session, int marks, int floors);
// A temporary file path for benchmark files.
std::string tempPath(const std::string& name);

}  // namespace bench
