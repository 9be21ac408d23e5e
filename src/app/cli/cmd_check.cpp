// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmd_check.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "check/check_report.h"
#include "cli_common.h"
#include "cli_options.h"
#include "cmd_draw.h"
#include "platform/console_platform.h"
#include "session/session.h"

namespace cli {

int runCheck(int argc, char** argv)
{
    std::string project, output, settingsFile;
    if (std::string why = parseOptions(argc, argv, {{"-o", &output}, {"--settings", &settingsFile}}, project);
        !why.empty())
        return usage("check: " + why);

    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, project)) return kExitFailure;
    // Covers and the aggregate size come from section Check of the same settings file.
    if (!loadDrawSettings(session, settingsFile)) return kExitFailure;
    const check::Report report = check::checkProject(session.sections, session.settings.check);

    if (output.empty()) {
        std::fputs(check::reportText(report).c_str(), stdout);
        return kExitOk;
    }
    std::error_code ec;
    if (std::filesystem::equivalent(project, output, ec))
        return fail(output + ": is the project file itself; choose another output file");
    const model::FileResult r = check::writeReportCsv(output, report);
    if (!r.ok) return fail(r.message);
    std::printf("%s\n", output.c_str());
    return kExitOk;
}

}  // namespace cli
