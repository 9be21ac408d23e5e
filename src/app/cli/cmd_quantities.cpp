// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmd_quantities.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_common.h"
#include "cli_options.h"
#include "cmd_draw.h"
#include "draft/quantity_table.h"
#include "draft/rebar_quantity.h"
#include "platform/console_platform.h"
#include "session/session.h"
#include "settings/ini_file.h"
#include "settings/settings_path.h"

namespace cli {

namespace {

namespace fs = std::filesystem;
namespace q = draft::quantity;

// The conditions from the same file the drawing settings come from; problems on stderr.
q::Conditions conditionsFrom(const std::string& settingsFile)
{
    fs::path path = settingsFile;
    if (path.empty()) path = settings::settingsPath(settings::ownProgramPath(nullptr).parent_path() / "tessmar");
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return {};
    settings::IniFile ini(path);
    std::vector<std::string> problems;
    const q::Conditions c = q::readConditions(ini, problems);
    for (const std::string& p : problems) std::fprintf(stderr, "tessmar-cli: %s: %s\n", path.string().c_str(), p.c_str());
    return c;
}

}  // namespace

int runQuantities(int argc, char** argv)
{
    std::string project, output, settingsFile;
    if (std::string why = parseOptions(argc, argv, {{"-o", &output}, {"--settings", &settingsFile}}, project);
        !why.empty())
        return usage("quantities: " + why);

    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, project)) return kExitFailure;
    if (!loadDrawSettings(session, settingsFile)) return kExitFailure;
    const q::Takeoff t = q::takeOff(session.store, session.sections, session.grid,
                                    session.settings.draft.TessmarStirStart, conditionsFrom(settingsFile));

    if (output.empty()) {
        std::fputs(q::quantityText(t).c_str(), stdout);
        return kExitOk;
    }
    std::error_code ec;
    if (fs::equivalent(project, output, ec))
        return fail(output + ": is the project file itself; choose another output file");
    const model::FileResult r = q::writeQuantityCsv(output, t);
    if (!r.ok) return fail(r.message);
    for (const std::string& line : q::omissionNotice(t)) std::fprintf(stderr, "%s\n", line.c_str());
    std::printf("%s\n", output.c_str());
    return kExitOk;
}

}  // namespace cli
