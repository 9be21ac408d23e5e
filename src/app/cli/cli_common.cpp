// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_common.h"

#include <cstdio>

#include "model/project_file.h"
#include "session/session.h"

namespace cli {

int fail(const std::string& message)
{
    std::fprintf(stderr, "tessmar-cli: %s\n", message.c_str());
    return kExitFailure;
}

int usage(const std::string& message)
{
    std::fprintf(stderr, "tessmar-cli: %s\n", message.c_str());
    std::fprintf(stderr, "usage: tessmar-cli dump FILE.kel | undo-listing FILE.kel | resave IN.kel OUT.kel |\n"
                         "       grid --spans NX,NY,NZ --pitch-x P[,P...] --pitch-y P[,P...] --pitch-z P[,P...] -o OUT.kel |\n"
                         "       draw girder-list|column-list PROJECT.kel -o OUT.dxf [--settings FILE.ini] |\n"
                         "       sections export PROJECT.kel -o OUT.csv [--renumbered OUT.kel] |\n"
                         "       sections import PROJECT.kel IN.csv -o OUT.kel [--reset-designations] |\n"
                         "       sections ss2 PROJECT.kel --kind G|C --sheet N=FILE.tsv ... -o OUT.kel |\n"
                         "       draw framing|rebar PROJECT.kel --view plan|yframe|xframe [--tab N] -o OUT.dxf [--settings FILE.ini] |\n"
                         "       draw all PROJECT.kel -o FOLDER [--settings FILE.ini] [--pdf] [--sheets] [--paper P] |\n"
                         "       quantities PROJECT.kel [-o OUT.csv] [--settings FILE.ini] |\n"
                         "       check PROJECT.kel [-o OUT.csv] [--settings FILE.ini] |\n"
                         "       stb import IN.stb -o OUT.kel [--settings FILE.ini] | stb export PROJECT.kel -o OUT.stb |\n"
                         "       view3d FILE.kel [ANGLE_A ANGLE_B ZOOM]\n");
    return kExitUsage;
}

bool loadProject(model::Session& session, const std::string& path)
{
    model::FileResult r = model::readProject(session, path);
    if (!r.ok) fail(r.message);
    else if (!r.notice.empty()) std::fprintf(stderr, "tessmar-cli: %s\n", r.notice.c_str());
    return r.ok;
}

}  // namespace cli
