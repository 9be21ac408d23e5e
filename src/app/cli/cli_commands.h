// The subcommands of tessmar-cli; argv starts after the subcommand's name.
#pragma once

namespace cli {

int runDump(int argc, char** argv);
int runUndoListing(int argc, char** argv);
int runResave(int argc, char** argv);
int runGrid(int argc, char** argv);
int runSectionsExport(int argc, char** argv);
int runSectionsImport(int argc, char** argv);

}  // namespace cli
