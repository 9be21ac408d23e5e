// SPDX-License-Identifier: GPL-3.0-or-later
// dump, undo-listing and resave: the model as text, and a read-write round trip.
#include <cstdio>
#include <string>

#include "cli_commands.h"
#include "cli_common.h"
#include "model/dump.h"
#include "model/project_file.h"
#include "platform/console_platform.h"
#include "session/session.h"

namespace cli {

namespace {
int printListing(int argc, char** argv, bool undo)
{
    if (argc != 1) return usage(std::string(undo ? "undo-listing" : "dump") + " takes one project file");
    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, argv[0])) return kExitFailure;
    for (const std::string& line : undo ? model::undoListing(session) : model::modelDump(session))
        std::printf("%s\n", line.c_str());
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}
}  // namespace

int runDump(int argc, char** argv) { return printListing(argc, argv, false); }
int runUndoListing(int argc, char** argv) { return printListing(argc, argv, true); }

int runResave(int argc, char** argv)
{
    if (argc != 2) return usage("resave takes IN.kel OUT.kel");
    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, argv[0])) return kExitFailure;
    model::FileResult r = model::writeProject(session, argv[1]);
    return r.ok ? kExitOk : fail(r.message);
}

}  // namespace cli
