// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands of tessmar-cli; argv starts after the subcommand's name.
#pragma once

namespace cli {

int runDump(int argc, char** argv);
int runUndoListing(int argc, char** argv);
int runResave(int argc, char** argv);
int runGrid(int argc, char** argv);
int runSectionsExport(int argc, char** argv);
int runSectionsImport(int argc, char** argv);
int runSectionsSs2(int argc, char** argv);
int runView3D(int argc, char** argv);
// stb import IN.stb -o OUT.kel [--settings FILE.ini] | stb export PROJECT.kel -o OUT.stb
int runStb(int argc, char** argv);

}  // namespace cli
