// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/line_commands.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "editor/edit_step.h"
#include "editor/segment_index.h"

namespace editor {

using model::Point;
namespace kind = model::kind;

namespace {

bool samePoint(Point a, Point b) { return model::approxEq(a.x, b.x) && model::approxEq(a.y, b.y); }

bool isMemberKind(int k) { return k == kind::LINE || k == kind::COLUMN || k == kind::BEAM || k == kind::GIRDER; }

Point first(const model::ViewSegment& s) { return {s.u1, s.v1}; }
Point second(const model::ViewSegment& s) { return {s.u2, s.v2}; }

// Live selected elements whose kind passes the test, in store order.
template <typename Test>
std::vector<int> selectedWhere(const model::ElementStore& store, Test test)
{
    std::vector<int> found;
    for (int i = -1; store.nextLive(i);)
        if (store.at(i).selected && test(store.at(i).kind)) found.push_back(i);
    return found;
}

// Window selection from the press point to the release point; when it holds no element the
// command handles, the nearest element at the release point instead (selected alone), if it
// passes `accept`. Returns the chosen elements; empty when the pick failed too.
template <typename Accept>
std::vector<int> windowOrPick(EditorContext& ctx, Point release, Accept accept, bool& picked)
{
    auto& store = ctx.store();
    ctx.selectWindow(ctx.state.firstPoint, release);
    std::vector<int> chosen = selectedWhere(store, accept);
    picked = chosen.empty();
    if (!picked) return chosen;
    const int e = ctx.pick(release);
    if (e < 0 || !accept(store.at(e).kind)) return {};
    store.selectOne(e);
    return {e};
}

// The right button ends the command; true for a left release, which the command handles.
bool leftOrEnd(EditorContext& ctx, MouseButton button)
{
    if (button == MouseButton::Right) {
        ctx.requestEnd();
        return false;
    }
    return button == MouseButton::Left;
}

// The element at the point if its kind passes `accept`; otherwise a beep and -1.
template <typename Accept>
int pickOrBeep(EditorContext& ctx, Point p, Accept accept)
{
    const int e = ctx.pick(p);
    if (e >= 0 && accept(ctx.store().at(e).kind)) return e;
    ctx.beep();
    return -1;
}

// The plane coordinate an element lies in for the view's mode (its own, not the view's).
double ownPlane(const model::Element& e, model::ViewMode mode)
{
    switch (mode) {
    case model::ViewMode::ElevationXZ: return e.Y1;
    case model::ViewMode::ElevationYZ: return e.X1;
    case model::ViewMode::Plan: break;
    }
    return e.Z1;
}

// A duplicate of element `old` whose ends in the view are (a, b) takes its place.
int replaceInView(EditorContext& ctx, EditStep& step, int old, Point a, Point b)
{
    auto& store = ctx.store();
    const model::Element e = store.at(old);
    model::ViewPlane plane = ctx.view();
    plane.plane = ownPlane(e, plane.mode);
    // View coordinates include the display offsets; the record keeps them apart.
    double du = e.OX, dv = e.OY;
    if (plane.mode == model::ViewMode::ElevationXZ) dv = e.OZ;
    if (plane.mode == model::ViewMode::ElevationYZ) {
        du = e.OY;
        dv = e.OZ;
    }
    return step.replace(old, [&] {
        const int i = store.addElemView(plane, e.kind, e.SID, e.LY, e.UID, e.secID, e.refUID, a.x - du, a.y - dv,
                                        b.x - du, b.y - dv, e.CL);
        if (i < 0) return -1;
        model::Element& n = store.at(i);
        n.OX = e.OX;
        n.OY = e.OY;
        n.OZ = e.OZ;
        n.memberNo = e.memberNo;
        return i;
    });
}

}  // namespace

// ---- draw line (701) ----

void DrawLineCommand::press(EditorContext& ctx, MouseButton button, Point p)
{
    auto& st = ctx.state;
    if (button == MouseButton::Left) {
        if (step_ == Step::FirstPoint) {
            st.firstPoint = p;
            step_ = Step::SecondPoint;
        } else if (samePoint(p, st.firstPoint)) {
            ctx.beep();
        } else {
            st.secondPoint = p;
            EditStep step(ctx);
            step.add([&] {
                return ctx.store().addElemView(ctx.view(), kind::LINE, 0, ctx.view().currentLayer, step.newUID(), 0, 0,
                                               st.firstPoint.x, st.firstPoint.y, p.x, p.y, st.newLineColour);
            });
            step_ = Step::FirstPoint;
        }
    } else if (button == MouseButton::Right) {
        if (step_ == Step::SecondPoint)
            step_ = Step::FirstPoint;
        else
            ctx.requestEnd();
    }
    st.snap.lastPoint = p;
}

void DrawLineCommand::preview(EditorContext& ctx, Point pointer)
{
    ctx.painter().DrawLine(ctx.state.newLineColour, false, PenStyle::Solid, ctx.state.firstPoint, pointer);
}

// ---- parallel lines (702) ----

std::string ParallelLineCommand::prompt() const
{
    switch (step_) {
    case Step::Dialog: return "平行補助線";
    case Step::PickFirst: return "複写する部材を指定";
    case Step::Direction: return "方向指定(右クリックで部材指示に戻る)";
    case Step::Pick: return "部材指定(右クリックでコマンド終了)";
    }
    return "";
}

void ParallelLineCommand::runDialog(EditorContext& ctx)
{
    step_ = Step::Dialog;
    ctx.showPrompt(prompt());
    ctx.setCursor(cursor());
    if (!ctx.ports.parallelCopy) {
        ctx.notAvailable();
        ctx.requestEnd();
        return;
    }
    while (true) {
        auto answer = ctx.ports.parallelCopy->chooseParallelCopy(ctx.parallelDistance);
        if (!answer) {
            ctx.requestEnd();
            return;
        }
        if (!std::isfinite(answer->distance) || answer->distance == 0) {
            ctx.notice("距離は0以外の数値を入力して下さい。");
            continue;
        }
        // Each copy is a new element; a count in the thousands is a typing slip.
        if (answer->copies < 1 || answer->copies > 1000) {
            ctx.notice("複写回数は1から1000までの整数を入力して下さい。");
            continue;
        }
        distance_ = answer->distance;
        copies_ = answer->copies;
        ctx.parallelDistance = distance_;
        break;
    }
    step_ = Step::PickFirst;
}

void ParallelLineCommand::release(EditorContext& ctx, MouseButton button, Point p)
{
    auto& store = ctx.store();
    if (button == MouseButton::Right) {
        if (step_ == Step::Direction)
            step_ = Step::Pick;
        else
            runDialog(ctx);
        return;
    }
    if (button != MouseButton::Left) return;
    if (step_ == Step::PickFirst || step_ == Step::Pick) {
        const int e = ctx.pick(p);
        if (e < 0) return;  // the first pick ignores misses without a beep
        const int k = store.at(e).kind;
        const bool base = k == kind::BASE && ctx.session.settings.env.DrawBaseLine;
        if (!isMemberKind(k) && !base) return;
        store.selectOne(e);
        const model::ViewSegment s = store.viewCoords(ctx.view(), e);
        ctx.state.firstPoint = {(s.u1 + s.u2) / 2, (s.v1 + s.v2) / 2};
        ctx.state.rubberKind = RubberKind::Line;
        step_ = Step::Direction;
    } else if (step_ == Step::Direction) {
        copy(ctx, p);
    }
}

void ParallelLineCommand::copy(EditorContext& ctx, Point towards)
{
    auto& store = ctx.store();
    const bool baseShown = ctx.session.settings.env.DrawBaseLine;
    const std::vector<int> sources =
        selectedWhere(store, [&](int k) { return isMemberKind(k) || (k == kind::BASE && baseShown); });
    EditStep step(ctx);
    bool onLine = false;
    for (int src : sources) {
        const model::ViewSegment s = store.viewCoords(ctx.view(), src);
        const Point a = first(s), b = second(s);
        if (samePoint(a, b)) continue;  // a point has no sides
        const double theta = std::atan2(b.y - a.y, b.x - a.x);
        const Point normal{-std::sin(theta), std::cos(theta)};
        const double side = (towards.x - a.x) * normal.x + (towards.y - a.y) * normal.y;
        if (std::fabs(side) < 1e-6) {
            onLine = true;
            continue;
        }
        const double sign = side > 0 ? 1.0 : -1.0;
        for (int k = 1; k <= copies_; ++k) {
            const double d = k * distance_ * sign;
            const int i = step.add([&] {
                return store.addElemView(ctx.view(), kind::LINE, 0, ctx.view().currentLayer, step.newUID(), 0, 0,
                                         a.x + d * normal.x, a.y + d * normal.y, b.x + d * normal.x,
                                         b.y + d * normal.y, ctx.state.newLineColour);
            });
            if (i < 0) break;
        }
    }
    if (!step.opened()) {
        // A click on the line itself names no side: ask again for the direction.
        ctx.beep();
        if (onLine) return;
    }
    step_ = Step::Pick;
}

// ---- extend / cut to a base line (707) ----

int ExtendCutCommand::step() const
{
    switch (step_) {
    case Step::Lines:
    case Step::LinesAgain: return 1;
    case Step::Base: return 2;
    case Step::Direction: return 3;
    }
    return 1;
}

std::string ExtendCutCommand::prompt() const
{
    switch (step_) {
    case Step::Lines: return "カットする補助線を指定";
    case Step::LinesAgain: return "カットする補助線を指定(右クリックでコマンド終了)";
    case Step::Base: return "基準線指定(右クリックで補助線指定に戻る)";
    case Step::Direction: return "方向指定(右クリックで基点線指定に戻る)";
    }
    return "";
}

int ExtendCutCommand::sideOf(Point a, Point b, Point p)
{
    const double len = model::hypotLen(b.x - a.x, b.y - a.y);
    if (len == 0) return 0;
    const double d = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / len;
    if (std::fabs(d) < 1e-6) return 0;
    return d > 0 ? 1 : -1;
}

bool ExtendCutCommand::extendOrCut(Point p1, Point p2, Point b1, Point b2, int side, Point& r1, Point& r2)
{
    const double dx = p2.x - p1.x, dy = p2.y - p1.y;
    const double ex = b2.x - b1.x, ey = b2.y - b1.y;
    const double det = dx * ey - dy * ex;
    const double scale = model::hypotLen(dx, dy) * model::hypotLen(ex, ey);
    if (scale == 0 || std::fabs(det) <= 1e-12 * scale) return false;  // parallel
    const double t = ((b1.x - p1.x) * ey - (b1.y - p1.y) * ex) / det;
    const Point at{p1.x + t * dx, p1.y + t * dy};
    const int s1 = sideOf(b1, b2, p1);
    const int s2 = sideOf(b1, b2, p2);
    r1 = p1;
    r2 = p2;
    if (s1 != s2) {
        // The line crosses the base line: the part on the pointer's side goes.
        if (s1 == side)
            r1 = at;
        else if (s2 == side)
            r2 = at;
        else
            return false;
    } else {
        const double d1 = model::hypotLen(p1.x - at.x, p1.y - at.y);
        const double d2 = model::hypotLen(p2.x - at.x, p2.y - at.y);
        const bool firstNearer = d1 < d2;  // equal distances count the second end as nearer
        const bool moveNearer = side != s1;
        if (firstNearer == moveNearer)
            r1 = at;
        else
            r2 = at;
    }
    if (samePoint(r1, r2)) return false;  // a line is never shrunk to a point
    return !(samePoint(r1, p1) && samePoint(r2, p2));
}

void ExtendCutCommand::release(EditorContext& ctx, MouseButton button, Point p)
{
    if (button == MouseButton::Right) {
        switch (step_) {
        case Step::Lines:
        case Step::LinesAgain: ctx.requestEnd(); break;
        case Step::Base: step_ = Step::LinesAgain; break;
        case Step::Direction:
            restoreLines(ctx);
            step_ = Step::LinesAgain;
            break;
        }
        return;
    }
    if (button != MouseButton::Left) return;
    switch (step_) {
    case Step::Lines:
    case Step::LinesAgain: chooseLines(ctx, p); break;
    case Step::Base: chooseBase(ctx, p); break;
    case Step::Direction: apply(ctx, p); break;
    }
}

void ExtendCutCommand::chooseLines(EditorContext& ctx, Point release)
{
    bool picked = false;
    const std::vector<int> lines =
        windowOrPick(ctx, release, [](int k) { return k == kind::LINE; }, picked);
    if (lines.empty()) {
        ctx.beep();
        return;
    }
    work_.clear();
    for (int i : lines) {
        const model::ViewSegment s = ctx.store().viewCoords(ctx.view(), i);
        work_.push_back({i, first(s), second(s)});
    }
    step_ = Step::Base;
}

void ExtendCutCommand::chooseBase(EditorContext& ctx, Point release)
{
    auto& store = ctx.store();
    const int b = ctx.pick(release);
    if (b < 0 || store.at(b).selected) {
        ctx.beep();
        return;
    }
    const model::ViewSegment s = store.viewCoords(ctx.view(), b);
    Point foot;
    if (!model::perpFoot(first(s), second(s), release, foot)) {
        ctx.beep();  // a point gives no base line
        return;
    }
    base_ = b;
    b1_ = first(s);
    b2_ = second(s);
    ctx.state.firstPoint = foot;
    ctx.state.rubberKind = RubberKind::Line;
    // The lines are shown by their preview while the direction is chosen.
    for (const Work& w : work_) ctx.eraseElement(w.index);
    step_ = Step::Direction;
}

void ExtendCutCommand::preview(EditorContext& ctx, Point pointer)
{
    const int side = sideOf(b1_, b2_, pointer);
    WorldPainter painter = ctx.painter();
    for (const Work& w : work_) {
        Point r1, r2;
        if (side == 0 || !extendOrCut(w.p1, w.p2, b1_, b2_, side, r1, r2)) {
            r1 = w.p1;
            r2 = w.p2;
        }
        painter.DrawLine(kCutPreviewColour, false, PenStyle::Solid, r1, r2);
    }
}

void ExtendCutCommand::restoreLines(EditorContext& ctx)
{
    for (const Work& w : work_)
        if (!ctx.store().isDead(w.index)) ctx.drawElement(w.index);
}

void ExtendCutCommand::apply(EditorContext& ctx, Point pointer)
{
    const int side = sideOf(b1_, b2_, pointer);
    if (side == 0) {
        ctx.beep();  // on the base line itself: no side to keep
        return;
    }
    auto& store = ctx.store();
    EditStep step(ctx);
    for (const Work& w : work_) {
        // The line may have gone meanwhile (undo while the command waited).
        if (store.isDead(w.index) || store.at(w.index).kind != kind::LINE) continue;
        Point r1, r2;
        if (!extendOrCut(w.p1, w.p2, b1_, b2_, side, r1, r2)) {
            ctx.drawElement(w.index);
            continue;
        }
        if (replaceInView(ctx, step, w.index, r1, r2) < 0) ctx.drawElement(w.index);
    }
    work_.clear();
    step_ = Step::LinesAgain;
}

// ---- cut at cross points (708) ----

int cutAtCrossings(EditorContext& ctx, const std::vector<int>& lines)
{
    auto& store = ctx.store();
    const model::ViewPlane& view = ctx.view();

    SegmentIndex index;
    std::vector<int> candidates;
    for (int i = -1; store.nextLive(i);)
        if (store.at(i).kind == kind::LINE && store.inPlane(view, i)) candidates.push_back(i);
    std::vector<model::ViewSegment> segments;
    segments.reserve(candidates.size());
    for (int i : candidates) segments.push_back(store.viewCoords(view, i));
    index.build(candidates, segments);

    // The selected lines keep the geometry they had when chosen, even once split themselves.
    struct Cutter {
        Point a, b;
    };
    std::vector<Cutter> cutters;
    for (int l : lines) {
        const model::ViewSegment s = store.viewCoords(view, l);
        cutters.push_back({first(s), second(s)});
    }

    EditStep step(ctx);
    int splits = 0;
    std::vector<int> near;
    for (size_t c = 0; c < lines.size(); ++c) {
        const Point a = cutters[c].a, b = cutters[c].b;
        index.query(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y), near);
        std::sort(near.begin(), near.end());
        for (int m : near) {
            if (m == lines[c] || store.isDead(m) || store.at(m).kind != kind::LINE) continue;
            const model::ViewSegment s = store.viewCoords(view, m);
            const Point m1 = first(s), m2 = second(s);
            const double ax = b.x - a.x, ay = b.y - a.y;
            const double mx = m2.x - m1.x, my = m2.y - m1.y;
            const double det = ax * my - ay * mx;
            if (det == 0) continue;
            const double cx = m1.x - a.x, cy = m1.y - a.y;
            const double t = (cx * my - cy * mx) / det;  // along the cutter
            const double u = (cx * ay - cy * ax) / det;  // along the crossed line
            if (t < 0 || t > 1 || u < 0 || u > 1) continue;
            const Point at{m1.x + u * mx, m1.y + u * my};
            if (samePoint(at, m1) || samePoint(at, m2)) continue;  // a line ending on the cutter stays whole

            const model::Element e = store.at(m);
            // The view maps linearly onto the record's 3-D points, so the split keeps its plane.
            const double x = e.X1 + u * (e.X2 - e.X1), y = e.Y1 + u * (e.Y2 - e.Y1), z = e.Z1 + u * (e.Z2 - e.Z1);
            auto piece = [&](int uid, double ax, double ay, double az, double bx, double by, double bz) {
                return [&, uid, ax, ay, az, bx, by, bz] {
                    const int i = store.addElem(e.kind, e.SID, e.LY, uid, e.secID, e.refUID, ax, ay, az, bx, by, bz, e.CL);
                    if (i < 0) return -1;
                    store.at(i).OX = e.OX;
                    store.at(i).OY = e.OY;
                    store.at(i).OZ = e.OZ;
                    return i;
                };
            };
            // Both pieces exist before the crossed line goes; without room for the second the
            // first is taken back and the line stays whole.
            const int p1 = step.add(piece(e.UID, e.X1, e.Y1, e.Z1, x, y, z));
            const int p2 = p1 < 0 ? -1 : step.replace(m, piece(step.newUID(), x, y, z, e.X2, e.Y2, e.Z2));
            if (p2 < 0) {
                if (p1 >= 0) store.delElem(p1);
                return splits;  // out of memory: the status bar says so
            }
            index.add(p1, store.viewCoords(view, p1));
            index.add(p2, store.viewCoords(view, p2));
            ++splits;
        }
    }
    return splits;
}

void CutAtCrossingsCommand::release(EditorContext& ctx, MouseButton button, Point p)
{
    if (!leftOrEnd(ctx, button)) return;
    bool picked = false;
    const std::vector<int> lines = windowOrPick(ctx, p, [](int k) { return k == kind::LINE; }, picked);
    if (lines.empty()) {
        ctx.beep();
        return;
    }
    cutAtCrossings(ctx, lines);
}

// ---- members back to lines (709) ----

void MembersToLinesCommand::release(EditorContext& ctx, MouseButton button, Point p)
{
    if (!leftOrEnd(ctx, button)) return;
    auto& store = ctx.store();
    ctx.selectWindow(ctx.state.firstPoint, p);
    std::vector<int> chosen = selectedWhere(store, isMemberKind);
    if (chosen.empty()) {
        const int e = pickOrBeep(ctx, p, [](int k) { return k == kind::COLUMN || k == kind::BEAM || k == kind::GIRDER; });
        if (e < 0) return;
        chosen = {e};
    }
    EditStep step(ctx);
    for (int i : chosen) {
        const model::Element e = store.at(i);
        // The identifier stays, so loads and later designations still find the member.
        const int n = step.replace(i, [&] {
            return store.addElem(kind::LINE, 0, ctx.view().currentLayer, e.UID, 0, 0, e.X1, e.Y1, e.Z1, e.X2, e.Y2,
                                 e.Z2, ctx.state.newLineColour);
        });
        if (n < 0) break;
    }
}

// ---- delete (207) ----

void DeleteCommand::release(EditorContext& ctx, MouseButton button, Point p)
{
    if (!leftOrEnd(ctx, button)) return;
    auto& store = ctx.store();
    ctx.selectWindow(ctx.state.firstPoint, p);
    std::vector<int> doomed;
    if (selectedWhere(store, isMemberKind).empty()) {
        const int e = pickOrBeep(ctx, p, isMemberKind);
        if (e < 0) return;
        doomed = {e};
    } else {
        // A window also takes the floors inside it.
        doomed = selectedWhere(store, [](int) { return true; });
    }
    EditStep step(ctx);
    std::unordered_set<int> uids;
    for (int i : doomed) {
        uids.insert(store.at(i).UID);
        step.remove(i);
    }
    // Loads go with the members they stand on; one pass for the whole gesture.
    for (int i = -1; store.nextLive(i);) {
        const model::Element& e = store.at(i);
        if (e.kind == kind::LOAD && uids.count(e.refUID)) step.remove(i);
    }
}

}  // namespace editor
