// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the sample project through the model API, so it always matches what the program writes:
// a 2 x 3 span building on three levels with girders G1, G2 and column C1 on every level.
#include <cstdio>
#include <string>

#include "model/member_offsets.h"
#include "model/project_file.h"
#include "model/sections.h"
#include "platform/console_platform.h"
#include "session/grid_build.h"
#include "session/session.h"

namespace {

void addSections(model::Session& s)
{
    const settings::DraftEnv& d = s.settings.draft;
    const std::string girder = "RC:" + d.InitGSec + d.InitGirder;
    const std::string girderVariant = "RC:350:700:350:700:350:700;4:2:D25;3::D25;3::D25;3::D25;4:2:D25;3::D25;2:D13:150;2:D10;";
    const std::string column = "RC:" + d.InitCSec + d.InitColumn;
    const std::string columnVariant = "RC:650:650;5:4:D25;3:3:D13:100;";
    const int nz = s.grid.spanCount[model::AXIS_Z];
    for (int level : model::levelNumbers(model::kGirderLetter, nz)) {
        const std::string levelName = model::levelText(model::kGirderLetter, level, nz);
        model::setMemRod(s.sections, model::makeSecKey(model::kGirderLetter, level, 1),
                         model::makeSecName(levelName, "G1"), girder);
        model::setMemRod(s.sections, model::makeSecKey(model::kGirderLetter, level, 2),
                         model::makeSecName(levelName, "G2"), girderVariant);
    }
    for (int level : model::levelNumbers(model::kColumnLetter, nz)) {
        model::setMemRod(s.sections, model::makeSecKey(model::kColumnLetter, level, 1),
                         model::makeSecName(model::levelText(model::kColumnLetter, level, nz), "C1"),
                         level == 1 ? columnVariant : column);
    }
}

// Every wire-frame line becomes a member, as designation does: the line is deleted and a member
// with the same identifier and points takes its place.
void designateFrame(model::Session& s)
{
    auto& store = s.store;
    const int n = store.count();
    for (int i = 0; i < n; ++i) {
        const model::Element e = store.at(i);
        if (store.isDead(i) || e.kind != model::kind::LINE) continue;
        const bool column = e.X1 == e.X2 && e.Y1 == e.Y2;
        const bool alongX = e.Y1 == e.Y2;
        const char letter = column ? model::kColumnLetter : model::kGirderLetter;
        const char* mark = column ? "C1" : alongX ? "G1" : "G2";
        const int secID = model::findSecIDByMark(s.sections, s.grid, e, letter, mark);
        store.delElem(i);
        store.addElem(column ? model::kind::COLUMN : model::kind::GIRDER, 0, e.LY, e.UID, secID, 0, e.X1, e.Y1, e.Z1,
                      e.X2, e.Y2, e.Z2, 0x000000);
    }
    model::applyOffsets(s);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string out = argc > 1 ? argv[1] : "samples/sample.kel";
    platform::ConsolePlatform platform;
    model::Session session(platform);
    model::GridSpec spec;
    spec.spanCount = {2, 3, 2};
    spec.pitches[model::AXIS_X].assign(model::kMaxSpans, 6000);
    spec.pitches[model::AXIS_Y].assign(model::kMaxSpans, 5000);
    spec.pitches[model::AXIS_Z].assign(model::kMaxSpans, 3500);
    spec.pitches[model::AXIS_Z][0] = 4000;
    // The outer X lines carry their girders flush with the building's faces.
    spec.offsets[0].nKindX = model::OFFSET_LEFT_LOWER;
    spec.offsets[0].nDistX = 0;
    spec.offsets[2].nKindX = model::OFFSET_RIGHT_UPPER;
    spec.offsets[2].nDistX = 0;
    if (model::buildGrid(session, spec) < 0) return 1;
    addSections(session);
    designateFrame(session);
    model::FileResult r = model::writeProject(session, out);
    if (!r.ok) {
        std::fprintf(stderr, "make-sample: %s\n", r.message.c_str());
        return 1;
    }
    return 0;
}
