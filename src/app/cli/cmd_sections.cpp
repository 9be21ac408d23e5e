// SPDX-License-Identifier: GPL-3.0-or-later
// sections export and sections import: the section CSV of the menu commands, for scripts.
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli_commands.h"
#include "cli_common.h"
#include "editor/designation.h"
#include "exchange/section_csv.h"
#include "model/member_offsets.h"
#include "model/project_file.h"
#include "platform/console_platform.h"
#include "session/session.h"

namespace cli {

namespace {

struct Arguments {
    std::vector<std::string> files;
    std::string output;
    std::string renumbered;
    bool resetDesignations = false;
};

// Positional files and the options a subcommand allows; false on anything else.
bool parse(int argc, char** argv, bool exportOptions, Arguments& out, std::string& wrong)
{
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        bool ok;
        if (a == "-o")
            ok = value(out.output);
        else if (exportOptions && a == "--renumbered")
            ok = value(out.renumbered);
        else if (!exportOptions && a == "--reset-designations")
            ok = out.resetDesignations = true;
        else if (!a.empty() && a[0] == '-')
            ok = false;
        else {
            out.files.push_back(a);
            ok = true;
        }
        if (!ok) {
            wrong = a;
            return false;
        }
    }
    return true;
}

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(std::filesystem::u8path(a), std::filesystem::u8path(b), ec);
}

}  // namespace

int runSectionsExport(int argc, char** argv)
{
    Arguments args;
    std::string wrong;
    if (!parse(argc, argv, true, args, wrong)) return usage("sections export: unexpected argument '" + wrong + "'");
    if (args.files.size() != 1 || args.output.empty())
        return usage("sections export takes PROJECT.kel -o OUT.csv [--renumbered OUT.kel]");
    const std::string& project = args.files[0];
    // The export renumbers in memory only; the project it read stays as it is.
    if (sameFile(args.output, project) || (!args.renumbered.empty() && sameFile(args.renumbered, project)))
        return fail("sections export: " + project + " is the input and is never overwritten");

    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, project)) return kExitFailure;
    model::FileResult r = exchange::exportSectionCsv(session, args.output);
    if (r.ok && !args.renumbered.empty()) r = model::writeProject(session, args.renumbered);
    return r.ok ? kExitOk : fail(r.message);
}

int runSectionsImport(int argc, char** argv)
{
    Arguments args;
    std::string wrong;
    if (!parse(argc, argv, false, args, wrong)) return usage("sections import: unexpected argument '" + wrong + "'");
    if (args.files.size() != 2 || args.output.empty())
        return usage("sections import takes PROJECT.kel IN.csv -o OUT.kel [--reset-designations]");

    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, args.files[0])) return kExitFailure;
    model::FileResult r = exchange::importSectionCsv(session, args.files[1]);
    if (!r.ok) return fail(r.message);
    if (!r.notice.empty()) std::fprintf(stderr, "tessmar-cli: %s\n", r.notice.c_str());
    // As the window's Yes answer does; either way members take the sizes of the new sections.
    if (args.resetDesignations) editor::resetDesignations(session);
    model::applyOffsets(session);
    r = model::writeProject(session, args.output);
    return r.ok ? kExitOk : fail(r.message);
}

}  // namespace cli
