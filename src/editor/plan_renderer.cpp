// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/plan_renderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "editor/picking.h"
#include "model/element_store.h"
#include "model/grid.h"
#include "model/grid_marks.h"
#include "model/text_buffer.h"
#include "model/view_slice.h"
#include "session/session.h"
#include "settings/settings.h"

namespace editor {

using model::Point;

namespace {

constexpr double kFloorInset = 600;
constexpr int kEndMarkPixels = 5;
// Dots beyond this many are not worth drawing (a very wide, very low canvas).
constexpr double kMaxGridDots = 1e6;

Point midpoint(Point a, Point b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

bool isLive(const model::Element& e) { return !model::isDeadRecord(e) && e.UID != -2; }

int modeColour(ColourMode mode, int own)
{
    switch (mode) {
    case ColourMode::Erase: return kWhite;
    case ColourMode::Own: return own;
    case ColourMode::Highlight: return kHighlightColour;
    case ColourMode::Red: return kRed;
    }
    return own;
}

}  // namespace

DisplaySwitches DisplaySwitches::fromSettings(const settings::Settings& s)
{
    DisplaySwitches d;
    d.DrawBaseLine = s.env.DrawBaseLine;
    d.DrawDim = s.env.DrawDim;
    d.ShowMemberName = s.env.ShowMemberName;
    d.ShowNumber = s.env.ShowNumber;
    d.ShowLineEndMark = s.env.ShowLineEndMark;
    d.SHowHelper = s.env.SHowHelper;
    d.MojiSize = s.env.MojiSize;
    d.arrowSize = s.arrowSize;
    return d;
}

PlanScene PlanScene::of(model::Session& session)
{
    return {session.store, session.view, session.sections, session.grid};
}

PlanRenderer::PlanRenderer(Canvas& canvas, const ViewTransform& transform, const DotGrid& dotGrid,
                           const DisplaySwitches& switches)
    : canvas_(canvas), view_(transform), dotGrid_(dotGrid), switches_(switches),
      painter_(canvas, transform)
{
}

bool PlanRenderer::Redraw(const PlanScene& scene, RenderControl& control)
{
    control.abort = false;
    const unsigned generation = ++control.generation;
    canvas_.clear();
    sizes_.clear();
    conErrorShown_ = false;
    if (!(view_.viewScale > 0)) return false;

    if (!scene.store.connectionsValid()) scene.store.computeConnections();
    if (switches_.DrawBaseLine) {
        drawGridLines(scene, &control);
        if (control.abort || control.generation != generation) return false;
        drawGridNames(scene);
    }
    if (dotGrid_.gridVisible) drawDotGrid();
    if (switches_.DrawDim) drawDimensions(scene);

    int walked = 0;
    for (int i = -1; scene.store.nextLive(i);) {
        if (control.pollInput && control.pollEvery > 0 && ++walked % control.pollEvery == 0) control.pollInput();
        if (control.abort || control.generation != generation) return false;
        if (scene.store.at(i).kind == model::kind::BASE) continue;
        DrawElement(scene, i, ColourMode::Own, false);
    }
    return true;
}

void PlanRenderer::drawGridLines(const PlanScene& scene, RenderControl* control)
{
    const unsigned generation = control ? control->generation : 0;
    int walked = 0;
    for (int i = -1; scene.store.nextLive(i);) {
        if (control) {
            if (control->pollInput && control->pollEvery > 0 && ++walked % control->pollEvery == 0)
                control->pollInput();
            if (control->abort || control->generation != generation) return;
        }
        if (scene.store.at(i).kind == model::kind::BASE) DrawElement(scene, i, ColourMode::Own, false);
    }
}

void PlanRenderer::DrawElement(const PlanScene& scene, int index, ColourMode mode, bool force, bool copy)
{
    if (index < 0 || index >= scene.store.count()) return;
    const model::Element& e = scene.store.at(index);
    if (!isLive(e)) return;
    switch (e.kind) {
    case model::kind::LINE:
    case model::kind::BEAM:
    case model::kind::COLUMN:
    case model::kind::GIRDER:
    case model::kind::FLOOR:
    case model::kind::TURTLE:
        break;
    case model::kind::BASE:
        if (!switches_.DrawBaseLine) return;
        break;
    default:
        return;
    }
    if (!force && !visibleInSlice(scene.store, scene.view, index)) return;

    const model::Element& el = scene.store.at(index);
    const int colour = modeColour(mode, el.CL);
    const model::Segment s = model::projectToSlice(scene.view.mode, el);
    switch (el.kind) {
    case model::kind::FLOOR:
    case model::kind::TURTLE:
        if (scene.view.mode == model::ViewMode::Plan) drawPolygon(scene, index, colour, copy, el.kind == model::kind::FLOOR);
        return;
    case model::kind::BASE: {
        if (!model::gridLineInRange(scene.grid, scene.view.mode, s)) return;
        if (view_.segmentOutside(s.p1.x, s.p1.y, s.p2.x, s.p2.y)) return;
        painter_.DrawLine(colour, copy, PenStyle::DashDot, s.p1, s.p2);
        return;
    }
    case model::kind::LINE:
    case model::kind::BEAM:
        if (view_.segmentOutside(s.p1.x, s.p1.y, s.p2.x, s.p2.y)) return;
        drawLineElement(el, s.p1, s.p2, colour, copy);
        return;
    case model::kind::COLUMN:
        if (memberOutside(scene, el, s.p1, s.p2)) return;
        drawColumn(scene, index, s.p1, s.p2, colour, copy);
        return;
    case model::kind::GIRDER:
        if (memberOutside(scene, el, s.p1, s.p2)) return;
        drawGirder(scene, index, s.p1, s.p2, colour, copy);
        return;
    default:
        return;
    }
}

bool PlanRenderer::memberOutside(const PlanScene& scene, const model::Element& e, Point p1, Point p2)
{
    // An outline reaches past its centre line by about one section size (its own width, or a
    // column face it is extended to); the window is widened by that much before the test.
    const model::MemberSection& info = sizes_.of(scene.sections, e.secID);
    const double m = std::max(std::fabs(info.width), std::fabs(info.depth));
    const double x1 = std::min(p1.x, p2.x) - m, x2 = std::max(p1.x, p2.x) + m;
    const double y1 = std::min(p1.y, p2.y) - m, y2 = std::max(p1.y, p2.y) + m;
    return x2 < view_.viewLeft || x1 > view_.viewRight() || y2 < view_.viewBottom || y1 > view_.viewTop();
}

void PlanRenderer::drawLineElement(const model::Element& e, Point p1, Point p2, int colour, bool copy)
{
    painter_.DrawLine(colour, copy, PenStyle::Solid, p1, p2);
    if (e.kind != model::kind::LINE) return;
    if (switches_.ShowLineEndMark) {
        const double r = kEndMarkPixels * view_.viewScale;
        auto mark = [&](Point end, Point other) {
            const double theta = model::angleRad(other.x - end.x, other.y - end.y);
            const double d = 30 * model::kPi / 180;
            Point a{end.x + r * std::cos(theta + d), end.y + r * std::sin(theta + d)};
            Point b{end.x + r * std::cos(theta - d), end.y + r * std::sin(theta - d)};
            painter_.DrawLine(colour, copy, PenStyle::Solid, a, b);
        };
        mark(p1, p2);
        mark(p2, p1);
    }
    if (switches_.SHowHelper) {
        const double len = switches_.arrowSize;
        if (model::hypotLen(p1.x - p2.x, p1.y - p2.y) > len) {
            const double theta = model::angleRad(p1.x - p2.x, p1.y - p2.y);
            const double d = 15 * model::kPi / 180;
            Point a{p2.x + len * std::cos(theta + d), p2.y + len * std::sin(theta + d)};
            Point b{p2.x + len * std::cos(theta - d), p2.y + len * std::sin(theta - d)};
            painter_.DrawLine(colour, copy, PenStyle::Solid, a, p2);
            painter_.DrawLine(colour, copy, PenStyle::Solid, b, p2);
            painter_.DrawLine(colour, copy, PenStyle::Solid, a, b);
        }
    }
}

model::MemberOutline PlanRenderer::outline(const PlanScene& scene, int index)
{
    model::MemberGeometry geometry(scene.store, scene.sections, scene.view.mode, sizes_);
    model::MemberOutline o = geometry.outline(index);
    // One notice per redraw is enough; the outline goes on as if no member met there.
    if (geometry.sawBadConnection() && !conErrorShown_)
        notices_.push_back({model::Notice::Via::MessageBox, "checkCon error"});
    conErrorShown_ = conErrorShown_ || geometry.sawBadConnection();
    return o;
}

void PlanRenderer::drawOutline(const model::MemberOutline& o, int colour, bool copy)
{
    auto line = [&](const model::Segment& s) { painter_.DrawLine(colour, copy, PenStyle::Solid, s.p1, s.p2); };
    // The plan shows the side lines (a column's rectangle edge after edge); the end lines
    // are for drawings that need closed outlines.
    if (o.shape == model::MemberOutline::Shape::Rectangle) {
        line(o.sides[0]);
        line(o.ends[0]);
        line(o.sides[1]);
        line(o.ends[1]);
        return;
    }
    for (int i = 0; i < o.sideCount(); ++i) line(o.sides[static_cast<size_t>(i)]);
}

void PlanRenderer::drawColumn(const PlanScene& scene, int index, Point p1, Point p2, int colour, bool copy)
{
    const model::Element& e = scene.store.at(index);
    const model::MemberOutline o = outline(scene, index);
    drawOutline(o, colour, copy);
    // Labelled only in frames: the plan never names columns.
    if (copy && switches_.ShowMemberName && e.secID > 0 && o.labelled && !o.markName.empty())
        painter_.DrawTextAlong(o.markName, colour, 8, 2, switches_.MojiSize, o.label.p1, o.label.p2);
    if (copy && switches_.ShowNumber && e.memberNo > 0)
        painter_.DrawText("C" + std::to_string(e.memberNo), colour, 1, 0, switches_.MojiSize, midpoint(p1, p2));
}

void PlanRenderer::drawGirder(const PlanScene& scene, int index, Point p1, Point p2, int colour, bool copy)
{
    const model::Element& e = scene.store.at(index);
    const model::MemberOutline o = outline(scene, index);
    drawOutline(o, colour, copy);
    if (copy && o.labelled) {
        if (switches_.ShowMemberName && e.secID > 0 && !o.markName.empty())
            painter_.DrawTextAlong(o.markName, colour, 8, 2, switches_.MojiSize, o.label.p1, o.label.p2);
        if (switches_.showDataNumber)
            painter_.DrawTextAlong(std::to_string(index), colour, 8, 2, switches_.MojiSize, o.label.p1, o.label.p2);
    }
    if (copy && switches_.ShowNumber && e.memberNo > 0)
        painter_.DrawText("G" + std::to_string(e.memberNo), colour, 1, 0, switches_.MojiSize, midpoint(p1, p2));
}

void PlanRenderer::drawPolygon(const PlanScene& scene, int index, int colour, bool copy, bool inset)
{
    const model::Element& head = scene.store.at(index);
    std::vector<Point> v;
    const int last = scene.store.lastRecordOf(index);
    for (int k = index + 1; k <= last; ++k) {
        const model::Element& r = scene.store.at(k);
        Point p{r.X1 + head.OX, r.Y1 + head.OY};
        if (v.empty() || p.x != v.back().x || p.y != v.back().y) v.push_back(p);
    }
    while (v.size() > 1 && v.front().x == v.back().x && v.front().y == v.back().y) v.pop_back();
    if (v.size() < 2) return;

    std::vector<Point> ring;
    if (!inset) {
        ring = v;
    } else {
        const size_t n = v.size();
        auto dir = [&](size_t i, size_t j) { return std::atan2(v[j].y - v[i].y, v[j].x - v[i].x); };
        std::vector<Point> kept;
        for (size_t i = 0; i < n; ++i) {
            const size_t prev = (i + n - 1) % n, next = (i + 1) % n;
            if (dir(prev, i) != dir(i, next)) kept.push_back(v[i]);
        }
        const size_t m = kept.size();
        if (m < 3) return;
        auto shifted = [&](size_t i, size_t j, Point& a, Point& b) {
            const double theta = std::atan2(kept[j].y - kept[i].y, kept[j].x - kept[i].x);
            const double nx = -std::sin(theta) * kFloorInset, ny = std::cos(theta) * kFloorInset;
            a = {kept[i].x + nx, kept[i].y + ny};
            b = {kept[j].x + nx, kept[j].y + ny};
        };
        for (size_t i = 0; i < m; ++i) {
            const size_t prev = (i + m - 1) % m, next = (i + 1) % m;
            Point a1, a2, b1, b2, at;
            shifted(prev, i, a1, a2);
            shifted(i, next, b1, b2);
            // The corner is where the two shifted edges' lines meet, whether or not that lies
            // on the shifted segments: that is what keeps reflex corners and clockwise floors.
            if (model::segmentCross(a1, a2, b1, b2, at) != model::CrossResult::Parallel) ring.push_back(at);
        }
    }
    if (ring.size() < 2) return;
    double minX = ring[0].x, maxX = minX, minY = ring[0].y, maxY = minY;
    for (const Point& p : ring) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    if (maxX < view_.viewLeft || minX > view_.viewRight() || maxY < view_.viewBottom || minY > view_.viewTop()) return;
    for (size_t i = 0; i < ring.size(); ++i)
        painter_.DrawLine(colour, copy, PenStyle::Solid, ring[i], ring[(i + 1) % ring.size()]);
}

void PlanRenderer::drawGridNames(const PlanScene& scene)
{
    for (const model::GridNamePlace& p : model::gridNamePlaces(scene.grid, scene.view.mode, switches_.MojiSize * view_.viewScale))
        painter_.DrawText(scene.grid.names[p.axis][p.index], kRed, p.anchor, 0, switches_.MojiSize, p.at);
}

void PlanRenderer::drawDimensions(const PlanScene& scene)
{
    for (const model::GridDimension& d : model::gridDimensions(scene.grid, scene.view.mode)) {
        painter_.DrawLine(kBlack, true, PenStyle::Solid, d.lineFrom, d.lineTo);
        painter_.DrawLine(kBlack, true, PenStyle::Solid, d.from, d.lineFrom);
        painter_.DrawLine(kBlack, true, PenStyle::Solid, d.to, d.lineTo);
        painter_.DrawTextAlong(model::dimensionText(d.length), kBlack, 8, 2, switches_.MojiSize, d.lineFrom, d.lineTo);
    }
}

void PlanRenderer::drawDotGrid()
{
    const double pitch = dotGrid_.gridPitch;
    if (!dotGrid_.gridVisible || !(pitch > 0) || !(view_.viewScale > 0)) return;
    PixelPoint o;
    if (view_.ToPixel(0, 0, o)) painter_.xorPlus(o, 15);
    const Point origin = dotGrid_.gridOrigin;
    if ((origin.x != 0 || origin.y != 0) && view_.ToPixel(origin.x, origin.y, o)) painter_.xorCross(o, 5);
    if (view_.viewHeight / pitch > 200) return;
    if ((view_.viewWidth / pitch + 2) * (view_.viewHeight / pitch + 2) > kMaxGridDots) return;

    const double i0 = std::floor((view_.viewLeft - origin.x) / pitch);
    const double j0 = std::floor((view_.viewBottom - origin.y) / pitch);
    // Counted by index up to the dots the view can hold: far from the origin, adding 1 to a
    // huge index changes nothing and a stepping loop would never end.
    const long long columns = static_cast<long long>(view_.viewWidth / pitch) + 2;
    const long long rows = static_cast<long long>(view_.viewHeight / pitch) + 2;
    for (long long i = 0; i < columns; ++i) {
        const double x = origin.x + (i0 + static_cast<double>(i)) * pitch;
        if (x > view_.viewRight()) break;
        for (long long j = 0; j < rows; ++j) {
            const double y = origin.y + (j0 + static_cast<double>(j)) * pitch;
            if (y > view_.viewTop()) break;
            PixelPoint p;
            if (!view_.ToPixel(x, y, p)) return;
            canvas_.line(p.x, p.y, p.x + 1, p.y + 1, kBlack, PenStyle::Solid, PenMode::Copy);
        }
    }
}

bool PlanRenderer::RedrawDrawing(const model::ElementStore& store, const model::TextBuffer& texts,
                                 RenderControl& control)
{
    control.abort = false;
    const unsigned generation = ++control.generation;
    canvas_.clear();
    if (!(view_.viewScale > 0)) return false;
    int walked = 0;
    auto stopped = [&] {
        if (control.pollInput && control.pollEvery > 0 && ++walked % control.pollEvery == 0) control.pollInput();
        return control.abort || control.generation != generation;
    };
    for (int i = -1; store.nextLive(i);) {
        if (stopped()) return false;
        const model::Element& e = store.at(i);
        const Point p1{e.X1 + e.OX, e.Y1 + e.OY}, p2{e.X2 + e.OX, e.Y2 + e.OY};
        PenStyle style;
        switch (e.kind) {
        case model::kind::LINE: style = PenStyle::Solid; break;
        case model::kind::DASHLINE: style = PenStyle::Dash; break;
        case model::kind::DOTLINE: style = PenStyle::Dot; break;
        case model::kind::DASHDOT: style = PenStyle::DashDot; break;
        case model::kind::CIRCLE:
            painter_.DrawCircle(e.CL, true, e.X2, p1);
            continue;
        case model::kind::ARC:
            painter_.DrawArc(e.CL, true, e.X2, p1, e.Z1, e.Z2);
            continue;
        default:
            continue;
        }
        if (view_.segmentOutside(p1.x, p1.y, p2.x, p2.y)) continue;
        painter_.DrawLine(e.CL, true, style, p1, p2);
    }
    for (const model::Moji& m : texts.entries()) {
        if (stopped()) return false;
        const double px = m.height / view_.viewScale * 96 / 72;
        if (!(px < 1e6)) continue;
        painter_.DrawText(m.text, m.colour, m.nBase, m.angle, static_cast<int>(model::roundHalfAway(px)), {m.x, m.y});
    }
    return true;
}

}  // namespace editor
