// SPDX-License-Identifier: GPL-3.0-or-later
// grid: a new project holding only the grid lines of a building, as the grid command makes them.
#include <string>
#include <vector>

#include "cli_commands.h"
#include "cli_common.h"
#include "model/helpers.h"
#include "model/project_file.h"
#include "platform/console_platform.h"
#include "session/grid_build.h"
#include "session/session.h"

namespace cli {

namespace {

bool parseIntList(const std::string& text, std::vector<int>& out)
{
    out.clear();
    std::vector<std::string> fields;
    if (model::splitFields(text, ',', fields) < 0) return false;
    for (const std::string& f : fields) {
        try {
            out.push_back(model::strToIntStrict(f));
        } catch (const model::ConversionError&) {
            return false;
        }
    }
    return true;
}

}  // namespace

int runGrid(int argc, char** argv)
{
    std::string spans, output;
    std::string pitchText[3];
    for (int i = 0; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        bool ok = (a == "--spans" && value(spans)) || (a == "--pitch-x" && value(pitchText[0])) ||
                  (a == "--pitch-y" && value(pitchText[1])) || (a == "--pitch-z" && value(pitchText[2])) ||
                  (a == "-o" && value(output));
        if (!ok) return usage("grid: unexpected argument '" + a + "'");
    }
    if (spans.empty() || output.empty()) return usage("grid needs --spans and -o");

    std::vector<int> counts;
    if (!parseIntList(spans, counts) || counts.size() != 3) return usage("grid: --spans takes three whole numbers NX,NY,NZ");
    model::GridSpec spec;
    static const char* const axisNames[3] = {"x", "y", "z"};
    for (int a = 0; a < 3; ++a) {
        spec.spanCount[a] = counts[a];
        if (counts[a] < 0 || counts[a] > model::kMaxSpans)
            return fail("grid: the number of spans must be 0 to " + std::to_string(model::kMaxSpans));
        std::vector<int> pitches;
        if (pitchText[a].empty()) {
            if (counts[a] > 0) return usage(std::string("grid: --pitch-") + axisNames[a] + " is missing");
        } else if (!parseIntList(pitchText[a], pitches)) {
            return usage(std::string("grid: --pitch-") + axisNames[a] + " takes whole millimetres");
        }
        // A negative pitch would put a line before the one it follows, which the grid dialog
        // refuses too; such a line could not be kept in the file.
        for (int p : pitches)
            if (p < 0) return fail(std::string("grid: --pitch-") + axisNames[a] + " takes pitches of 0 or more");
        if (pitches.size() > 1 && static_cast<int>(pitches.size()) != counts[a])
            return usage(std::string("grid: --pitch-") + axisNames[a] + " needs one pitch or one per span");
        spec.pitches[a].assign(model::kMaxSpans, 0);
        for (int i = 0; i < counts[a]; ++i)
            spec.pitches[a][i] = pitches.size() == 1 ? pitches[0] : pitches[static_cast<size_t>(i)];
    }
    std::string refused = model::checkGridSpec(spec);
    if (!refused.empty()) return fail("grid: " + refused);

    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (model::buildGrid(session, spec) < 0) return fail("grid: the grid could not be made");
    model::FileResult r = model::writeProject(session, output);
    return r.ok ? kExitOk : fail(r.message);
}

}  // namespace cli
