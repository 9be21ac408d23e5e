// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/designation.h"

#include <optional>

#include "editor/edit_step.h"
#include "editor/standing_members.h"
#include "model/member_offsets.h"
#include "model/sections.h"

namespace editor {

using model::Point;
namespace kind = model::kind;

namespace {

bool isMemberKind(int k) { return k == kind::LINE || k == kind::COLUMN || k == kind::BEAM || k == kind::GIRDER; }

bool planView(const model::ViewPlane& view) { return view.mode == model::ViewMode::Plan; }

// Standing in the slice: seen as a point from above, or rising in an elevation.
bool verticalInSlice(model::ElementStore& store, const model::ViewPlane& view, int i)
{
    const model::Element& e = store.at(i);
    if (!planView(view)) return !model::approxEq(e.Z1, e.Z2);
    const model::ViewSegment s = store.viewCoords(view, i);
    return model::approxEq(s.u1, s.u2) && model::approxEq(s.v1, s.v2);
}

// The member dialog, shown under the command's dialog prompt and cursor. Without a dialog or
// when it is cancelled the command ends and nothing is returned.
std::optional<platform::MemberChoice> askMark(EditorContext& ctx, const Command& command, const std::string& caption,
                                              int kind)
{
    ctx.showPrompt(command.prompt());
    ctx.setCursor(command.cursor());
    if (!ctx.ports.member) {
        ctx.notAvailable();
        ctx.requestEnd();
        return std::nullopt;
    }
    auto choice = ctx.ports.member->chooseMark(caption, kind, ctx.session.sections);
    if (!choice) ctx.requestEnd();
    return choice;
}

}  // namespace

std::string DesignateCommand::prompt() const
{
    const bool girder = type_ == MemberType::Girder;
    if (step_ == Step::Dialog) return girder ? "梁符号指示" : "柱符号指示";
    return girder ? "部材の指定" : "柱の指定";
}

void DesignateCommand::runDialog(EditorContext& ctx)
{
    step_ = Step::Dialog;
    const auto choice = askMark(ctx, *this, prompt(), type_ == MemberType::Girder ? 0 : 1);
    if (!choice) return;
    mark_ = choice->markName;
    rangeTarget_ = choice->rangeTarget;
    if (type_ == MemberType::Column) ctx.session.project.modified = true;
    step_ = Step::Pick;
}

void DesignateCommand::release(EditorContext& ctx, MouseButton button, Point p)
{
    if (step_ != Step::Pick) return;
    if (button == MouseButton::Right)
        runDialog(ctx);
    else if (button == MouseButton::Left)
        designateAt(ctx, p);
}

bool DesignateCommand::pickQualifies(EditorContext& ctx, int e) const
{
    auto& store = ctx.store();
    if (e < 0 || !isMemberKind(store.at(e).kind) || !visibleInSlice(store, ctx.view(), e)) return false;
    const bool vertical = verticalInSlice(store, ctx.view(), e);
    if (type_ == MemberType::Column) return vertical;
    if (planView(ctx.view())) return true;
    const model::ViewSegment s = store.viewCoords(ctx.view(), e);
    return !model::approxEq(s.u1, s.u2);
}

void DesignateCommand::designateAt(EditorContext& ctx, Point release)
{
    auto& store = ctx.store();
    const model::ViewPlane& view = ctx.view();
    ctx.selectWindow(ctx.state.firstPoint, release);
    // Columns of a plan stand on the level as points; the plan's slice does not hold them.
    const bool standing = type_ == MemberType::Column && planView(view);
    if (standing) selectStandingInBox(store, view.plane, ctx.state.firstPoint, release);
    std::vector<int> chosen;
    for (int i = -1; store.nextLive(i);) {
        model::Element& e = store.at(i);
        if (!e.selected) continue;
        // Range target 1 keeps the horizontal members (girders), 2 the vertical ones (columns).
        if (rangeTarget_ == 1 && verticalInSlice(store, view, i)) e.selected = 0;
        if (rangeTarget_ == 2 && !verticalInSlice(store, view, i)) e.selected = 0;
        if (e.selected && isMemberKind(e.kind)) chosen.push_back(i);
    }
    if (chosen.empty()) {
        const double pixelsPerMm = ctx.transform.pixelsPerMm();
        int m = standing && pixelsPerMm > 0 ? pickStanding(store, view.plane, release, kPickPixels / pixelsPerMm) : -1;
        if (m < 0) m = ctx.pick(release);
        if (!pickQualifies(ctx, m) && !(standing && m >= 0 && standsAtLevel(store.at(m), view.plane))) {
            if (type_ == MemberType::Column) ctx.beep();
            return;
        }
        chosen = {m};
    }
    designate(ctx, chosen, type_, mark_);
}

int designate(EditorContext& ctx, const std::vector<int>& elements, MemberType type, const std::string& mark)
{
    auto& session = ctx.session;
    auto& store = session.store;
    const bool girder = type == MemberType::Girder;
    EditStep step(ctx);
    // Members look different from lines and change how their neighbours are drawn.
    step.redrawWhole();
    bool oblique = false;
    int made = 0;
    for (int i : elements) {
        if (i < 0 || i >= store.count() || store.isDead(i)) continue;
        const model::Element e = store.at(i);
        if (!model::approxEq(e.X1, e.X2) && !model::approxEq(e.Y1, e.Y2)) {
            oblique = true;
            continue;
        }
        const int secID = model::findSecIDByMark(session.sections, session.grid, e,
                                                 girder ? model::kGirderLetter : model::kColumnLetter, mark);
        // The member is added before the line goes: without room the line stays as it was.
        const int n = step.replace(i, [&] {
            return store.addElem(girder ? kind::GIRDER : kind::COLUMN, 0, ctx.view().currentLayer, e.UID, secID,
                                 e.refUID, e.X1, e.Y1, e.Z1, e.X2, e.Y2, e.Z2, kMemberColour);
        });
        if (n < 0) break;
        if (girder)
            model::setGirderOffset(session, n);
        else
            model::setColumnOffset(session, n);
        ++made;
    }
    if (oblique) ctx.beep();
    return made;
}

void SmallBeamCommand::begin(EditorContext& ctx)
{
    step_ = Step::Dialog;
    if (!askMark(ctx, *this, "小梁編集", 0)) return;
    step_ = Step::Pick;
}

int resetDesignations(model::Session& session)
{
    auto& store = session.store;
    int n = 0;
    for (int i = -1; store.nextLive(i);) {
        model::Element& e = store.at(i);
        if (e.kind != kind::COLUMN && e.kind != kind::GIRDER) continue;
        e.kind = kind::LINE;
        e.secID = 0;
        e.CL = model::kNewLineColour;
        e.OX = e.OY = e.OZ = 0;
        ++n;
    }
    model::applyOffsets(session);
    store.invalidateConnections();
    return n;
}

}  // namespace editor
