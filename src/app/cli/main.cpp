// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar-cli: the batch face of the program, for scripts and black-box tests.
#include <cstring>
#include <exception>
#include <string>

#include "cli_commands.h"
#include "cmd_check.h"
#include "cli_common.h"
#include "cmd_draw.h"
#include "cmd_quantities.h"

int main(int argc, char** argv)
{
    if (argc < 2) return cli::usage("no subcommand given");
    const std::string command = argv[1];
    int rest = argc - 2;
    char** args = argv + 2;
    try {
        if (command == "dump") return cli::runDump(rest, args);
        if (command == "undo-listing") return cli::runUndoListing(rest, args);
        if (command == "resave") return cli::runResave(rest, args);
        if (command == "grid") return cli::runGrid(rest, args);
        if (command == "view3d") return cli::runView3D(rest, args);
        if (command == "draw") return cli::runDrawCommand(rest, args);
        if (command == "sections" && rest > 0 && std::strcmp(args[0], "export") == 0)
            return cli::runSectionsExport(rest - 1, args + 1);
        if (command == "sections" && rest > 0 && std::strcmp(args[0], "import") == 0)
            return cli::runSectionsImport(rest - 1, args + 1);
        if (command == "sections" && rest > 0 && std::strcmp(args[0], "ss2") == 0)
            return cli::runSectionsSs2(rest - 1, args + 1);
        if (command == "quantities") return cli::runQuantities(rest, args);
        if (command == "check") return cli::runCheck(rest, args);
        if (command == "stb") return cli::runStb(rest, args);
    } catch (const std::exception& e) {
        return cli::fail(e.what());
    }
    return cli::usage("unknown subcommand '" + command + "'");
}
