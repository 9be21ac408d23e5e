// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/grid_build.h"

#include "session/session.h"
#include "session/show_notice.h"

namespace model {

namespace {

const char* const kAxisLabel[3] = {"X軸", "Y軸", "Z軸"};

int32_t knownKind(int32_t k) { return k >= OFFSET_NONE && k <= OFFSET_RIGHT_UPPER ? k : OFFSET_NONE; }

// The new grid model, or the reason it cannot be made.
std::string gridFromSpec(const GridSpec& spec, GridModel& grid)
{
    for (int a = 0; a < 3; ++a) {
        const std::string axis = kAxisLabel[a];
        const int n = spec.spanCount[a];
        if (n < 0 || n > kMaxSpans) return axis + "のスパン数は0から100までです。";
        if (spec.pitches[a].size() < static_cast<size_t>(n)) return axis + "の幅がスパン数の分だけありません。";
        if (!setPositionsFromPitches(grid, a, n, spec.pitches[a])) return axis + "の通り心の位置が大きすぎます。";
    }
    if (!grid.isUsed(AXIS_X, 1) && !grid.isUsed(AXIS_Y, 1) && !grid.isUsed(AXIS_Z, 1))
        return "作成する通り心がありません。スパン数と幅を確かめて下さい。";
    for (int i = 0; i < kGridSlots; ++i) {
        BaseOffset o = spec.offsets[static_cast<size_t>(i)];
        o.nKindX = knownKind(o.nKindX);
        o.nKindY = knownKind(o.nKindY);
        o.nKindZ = knownKind(o.nKindZ);
        grid.offsets[static_cast<size_t>(i)] = o;
    }
    calcGridMax(grid);
    return "";
}

}  // namespace

std::string checkGridSpec(const GridSpec& spec)
{
    GridModel grid;
    return gridFromSpec(spec, grid);
}

int applyGridSpec(Session& session, const GridSpec& spec, int lineColour)
{
    // Built aside and swapped in whole, so refused input leaves the old grid as it was.
    GridModel grid = session.grid;
    const std::string error = gridFromSpec(spec, grid);
    if (!error.empty()) {
        session.platform.messageBox(platform::kConfirmCaption, error, platform::Buttons::Ok);
        return -1;
    }
    session.grid = std::move(grid);
    session.project.modified = true;
    const int lines = makeGridFrame(session.grid, session.store, session.view.currentLayer, lineColour);
    const int axes = lines < 0 ? -1 : makeGridAxes(session.grid, session.store);
    session::show(session.platform, session.store.takeNotices());
    session.platform.statusText(platform::kStatusCount, std::to_string(session.store.liveCount()));
    if (lines < 0 || axes < 0) return -1;
    return lines + axes;
}

int buildGrid(Session& session, const GridSpec& spec) { return buildGrid(session, spec, kNewLineColour); }

int buildGrid(Session& session, const GridSpec& spec, int lineColour)
{
    const std::string error = checkGridSpec(spec);
    if (!error.empty()) {
        session.platform.messageBox(platform::kConfirmCaption, error, platform::Buttons::Ok);
        return -1;
    }
    initStore(session, false);
    return applyGridSpec(session, spec, lineColour);
}

}  // namespace model
