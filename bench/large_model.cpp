// SPDX-License-Identifier: GPL-3.0-or-later
#include "large_model.h"

#include <filesystem>

#include "model/sections.h"
#include "platform/console_platform.h"
#include "session/grid_build.h"
#include "session/session.h"

namespace bench {

void buildLargeModel(model::Session& session, int nx, int ny, int nz, bool members)
{
    model::GridSpec spec;
    spec.spanCount = {nx, ny, nz};
    spec.pitches[0].assign(model::kMaxSpans, 6000);
    spec.pitches[1].assign(model::kMaxSpans, 5000);
    spec.pitches[2].assign(model::kMaxSpans, 3500);
    model::buildGrid(session, spec);
    if (!members) return;
    session.sections[0] = {1, "G:1:1", "1:G1", "RC:400:900;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;"};
    session.sections[1] = {2, "C:1:1", "1:C1", "RC:600:600;4:3:D22;2:2:D13:100;"};
    // Turn horizontal frame lines into girders and vertical ones into columns, as designation does.
    auto& store = session.store;
    const int n = store.count();
    for (int i = 0; i < n; ++i) {
        model::Element e = store.at(i);
        if (e.kind != model::kind::LINE || store.isDead(i)) continue;
        bool vertical = e.X1 == e.X2 && e.Y1 == e.Y2;
        store.delElem(i);
        store.addElem(vertical ? model::kind::COLUMN : model::kind::GIRDER, 0, e.LY, e.UID, vertical ? 2 : 1, 0, e.X1,
                      e.Y1, e.Z1, e.X2, e.Y2, e.Z2, e.CL);
    }
}

model::Session& largeSession()
{
    static platform::ConsolePlatform platform;
    static model::Session* session = [] {
        auto* s = new model::Session(platform);
        buildLargeModel(*s);
        model::makeGridNames(s->grid, s->settings.draft.gridNaming);
        s->store.computeConnections();
        return s;
    }();
    return *session;
}

void giveLevelSections(model::Session& session)
{
    const int levels = session.grid.usedCount(model::AXIS_Z);
    const std::string girder = "RC:400:900;3::D22;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;";
    const std::string column = "RC:600:600;4:3:D22;2:2:D13:100;";
    int slot = 0;
    for (int level = 1; level <= levels; ++level) {
        const std::string n = std::to_string(level);
        session.sections[static_cast<size_t>(slot++)] = {level, "G:" + n + ":1", n + ":G1", girder};
        session.sections[static_cast<size_t>(slot++)] = {1000 + level, "C:" + n + ":1", n + ":C1", column};
    }
    auto& store = session.store;
    for (int i = -1; store.nextLive(i);) {
        model::Element& e = store.at(i);
        if (e.kind != model::kind::GIRDER && e.kind != model::kind::COLUMN) continue;
        const int level = model::levelNumberOfZ(session.grid, e.Z1);
        e.secID = level < 0 ? 0 : e.kind == model::kind::GIRDER ? level : 1000 + level;
    }
    store.invalidateConnections();
}

model::Session& largeSessionWithLevelSections()
{
    static platform::ConsolePlatform platform;
    static model::Session* session = [] {
        auto* s = new model::Session(platform);
        buildLargeModel(*s);
        giveLevelSections(*s);
        model::makeGridNames(s->grid, s->settings.draft.gridNaming);
        s->store.computeConnections();
        return s;
    }();
    return *session;
}

std::string tempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("tessmar-bench-" + name)).string();
}

void fillGirderMarks(model::Session& s, int marks, int floors)
{
    model::GridSpec spec;
    spec.spanCount = {2, 2, floors - 1};
    model::buildGrid(s, spec);
    const std::string girder = "RC:" + s.settings.draft.InitGSec + s.settings.draft.InitGirder;
    const std::string variant = "RC:450:1000:400:900:450:1000;5:2:D25;4::D25;3::D25;4:2:D25;5:2:D25;4::D25;4:D13:100;4:D10;";
    for (int level : model::levelNumbers(model::kGirderLetter, floors - 1))
        for (int m = 1; m <= marks; ++m)
            model::setMemRod(s.sections, model::makeSecKey(model::kGirderLetter, level, m),
                             model::makeSecName(model::levelText(model::kGirderLetter, level, floors - 1),
                                                "G" + std::to_string(m)),
                             m % 2 ? girder : variant);
}

}  // namespace bench
