// SPDX-License-Identifier: GPL-3.0-or-later
// stb import and stb export: ST-Bridge files in and out, as the window's file menu does.
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli_commands.h"
#include "cli_common.h"
#include "cli_options.h"
#include "cmd_draw.h"
#include "editor/dispatcher.h"
#include "exchange/stb_export.h"
#include "exchange/stb_import.h"
#include "model/project_file.h"
#include "platform/console_platform.h"
#include "session/session.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace cli {

namespace {

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(std::filesystem::u8path(a), std::filesystem::u8path(b), ec);
}

int runImport(int argc, char** argv)
{
    std::string input, output, settingsFile;
    if (std::string why = parseOptions(argc, argv, {{"-o", &output}, {"--settings", &settingsFile}}, input); !why.empty())
        return usage("stb import: " + why);
    if (output.empty()) return usage("stb import takes IN.stb -o OUT.kel [--settings FILE.ini]");
    if (sameFile(input, output)) return fail(output + ": is the ST-Bridge file itself; choose another output file");

    platform::ConsolePlatform platform;
    model::Session session(platform);
    std::error_code ec;
    const bool settingsExist = !settingsFile.empty() && std::filesystem::is_regular_file(settingsFile, ec);
    if ((settingsFile.empty() || settingsExist) && !loadDrawSettings(session, settingsFile)) return kExitFailure;

    exchange::stb::ImportResult imported = exchange::stb::importStbFile(input, session.settings.draft.gridNaming);
    if (!imported.ok) return fail(imported.message);
    const bool namingFound = imported.project.namingFound[0] || imported.project.namingFound[1] || imported.project.namingFound[2];
    exchange::stb::installImport(session, std::move(imported.project));
    const model::FileResult written = model::writeProject(session, output);
    if (!written.ok) return fail(written.message);
    // The naming schemes found go into the settings file named, as the window keeps them.
    if (!settingsFile.empty() && namingFound) {
        settings::IniFile ini(settingsFile);
        if (settingsExist) ini.reload();
        if (!settings::WriteDraftEnv(ini, session.settings, platform)) return fail(settingsFile + ": cannot be written");
    }
    for (const std::string& line : imported.report) std::printf("%s\n", line.c_str());
    return kExitOk;
}

int runExport(int argc, char** argv)
{
    std::string project, output;
    if (std::string why = parseOptions(argc, argv, {{"-o", &output}}, project); !why.empty())
        return usage("stb export: " + why);
    if (output.empty()) return usage("stb export takes PROJECT.kel -o OUT.stb");
    if (sameFile(project, output)) return fail(output + ": is the project file itself; choose another output file");

    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, project)) return kExitFailure;
    if (!loadDrawSettings(session, "")) return kExitFailure;
    model::makeGridNames(session.grid, session.settings.draft.gridNaming);
    const exchange::stb::ExportResult r =
        exchange::stb::exportStb(session, output, exchange::stb::projectNameOf(project), editor::kVersionText);
    if (!r.status.ok) return fail(r.status.message);
    for (const std::string& line : r.report) std::fprintf(stderr, "tessmar-cli: %s\n", line.c_str());
    return kExitOk;
}

}  // namespace

int runStb(int argc, char** argv)
{
    const std::string what = argc > 0 ? argv[0] : "";
    if (what == "import") return runImport(argc - 1, argv + 1);
    if (what == "export") return runExport(argc - 1, argv + 1);
    return usage("stb needs import or export");
}

}  // namespace cli
