#include "editor/plan_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "editor/picking.h"
#include "model/element_store.h"
#include "model/grid.h"
#include "model/session.h"
#include "model/text_buffer.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace editor {

using model::Point;

namespace {

constexpr double kFloorInset = 600;
constexpr int kEndMarkPixels = 5;
constexpr double kDimensionShift = 1000;
// Dots beyond this many are not worth drawing (a very wide, very low canvas).
constexpr double kMaxGridDots = 1e6;

struct Segment {
    Point p1, p2;
};

// The element's two points in the slice, offsets included.
Segment project(const model::ViewPlane& view, const model::Element& e)
{
    switch (view.mode) {
    case model::ViewMode::ElevationXZ:
        return {{e.X1 + e.OX, e.Z1 + e.OZ}, {e.X2 + e.OX, e.Z2 + e.OZ}};
    case model::ViewMode::ElevationYZ:
        return {{e.Y1 + e.OY, e.Z1 + e.OZ}, {e.Y2 + e.OY, e.Z2 + e.OZ}};
    case model::ViewMode::Plan:
        break;
    }
    return {{e.X1 + e.OX, e.Y1 + e.OY}, {e.X2 + e.OX, e.Y2 + e.OY}};
}

Point midpoint(Point a, Point b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

bool isLive(const model::Element& e) { return !model::isDeadRecord(e) && e.UID != -2; }

// Largest used position of a grid axis (slot 0 always counts).
double largestLine(const model::GridModel& grid, int axis)
{
    const int n = grid.usedCount(axis);
    double m = grid.line[axis][0];
    for (int i = 1; i < n; ++i) m = std::max<double>(m, grid.line[axis][i]);
    return m;
}

bool gridExists(const model::GridModel& grid)
{
    return grid.line[model::AXIS_X][1] >= 0 || grid.line[model::AXIS_Y][1] >= 0 || grid.line[model::AXIS_Z][1] >= 0;
}

double firstStorey(const model::GridModel& grid)
{
    return static_cast<double>(grid.line[model::AXIS_Z][1]) - grid.line[model::AXIS_Z][0];
}

// The horizontal and vertical axes of a slice: plan X and Y, Y-frame X and Z, X-frame Y and Z.
int horizontalAxis(model::ViewMode mode) { return mode == model::ViewMode::ElevationYZ ? model::AXIS_Y : model::AXIS_X; }
int verticalAxis(model::ViewMode mode) { return mode == model::ViewMode::Plan ? model::AXIS_Y : model::AXIS_Z; }

std::string fixed0(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
}

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
                           const DisplaySwitches& switches, platform::Platform* platform)
    : canvas_(canvas), view_(transform), dotGrid_(dotGrid), switches_(switches), platform_(platform),
      painter_(canvas, transform)
{
}

const PlanRenderer::SectionInfo& PlanRenderer::section(const PlanScene& scene, int secID)
{
    static const SectionInfo none;
    if (secID <= 0) return none;
    auto it = sectionCache_.find(secID);
    if (it != sectionCache_.end()) return it->second;
    SectionInfo info;
    auto size = model::sectionSizeMm(scene.sections, secID, 0);
    info.width = size.first;
    info.depth = size.second;
    info.markName = model::markNameOf(scene.sections, secID);
    return sectionCache_.emplace(secID, std::move(info)).first->second;
}

int PlanRenderer::checkedEntry(const PlanScene& scene, int entry)
{
    if (entry >= -1 && entry < scene.store.count()) return entry;
    // One notice per redraw is enough; the outline goes on as if no member met there.
    if (!conErrorShown_ && platform_)
        platform_->messageBox(platform::kConfirmCaption, "checkCon error", platform::Buttons::Ok);
    conErrorShown_ = true;
    return -1;
}

bool PlanRenderer::Redraw(const PlanScene& scene, RenderControl& control)
{
    control.abort = false;
    const unsigned generation = ++control.generation;
    canvas_.clear();
    sectionCache_.clear();
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
    const Segment s = project(scene.view, el);
    switch (el.kind) {
    case model::kind::FLOOR:
    case model::kind::TURTLE:
        if (scene.view.mode == model::ViewMode::Plan) drawPolygon(scene, index, colour, copy, el.kind == model::kind::FLOOR);
        return;
    case model::kind::BASE: {
        const model::GridModel& g = scene.grid;
        const int h = horizontalAxis(scene.view.mode);
        const int v = verticalAxis(scene.view.mode);
        const double firstH = g.line[h][0];
        const double lastV = largestLine(g, v);
        if (s.p1.x < firstH && s.p2.x < firstH) return;
        if (s.p1.y > lastV && s.p2.y > lastV) return;
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
    const SectionInfo& info = section(scene, e.secID);
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

void PlanRenderer::drawColumn(const PlanScene& scene, int index, Point p1, Point p2, int colour, bool copy)
{
    const model::Element& e = scene.store.at(index);
    const SectionInfo& info = section(scene, e.secID);
    const double dx = info.width, dy = info.depth;
    const model::ViewMode mode = scene.view.mode;

    if (mode == model::ViewMode::Plan) {
        const double l = p1.x - dx / 2, r = p1.x + dx / 2, b = p1.y - dy / 2, t = p1.y + dy / 2;
        painter_.DrawLine(colour, copy, PenStyle::Solid, {l, b}, {r, b});
        painter_.DrawLine(colour, copy, PenStyle::Solid, {r, b}, {r, t});
        painter_.DrawLine(colour, copy, PenStyle::Solid, {r, t}, {l, t});
        painter_.DrawLine(colour, copy, PenStyle::Solid, {l, t}, {l, b});
    } else {
        // Girders of this frame meeting the column's bottom (first) and top (second) points.
        const model::ConnectionRow row = scene.store.connections(index);
        const bool yFrame = mode == model::ViewMode::ElevationXZ;
        const int starts = yFrame ? model::con::GX_FIRST : model::con::GY_FIRST;
        const int ends = yFrame ? model::con::GX_SECOND : model::con::GY_SECOND;
        struct Face {
            bool present = false;
            double halfDepth = 0, oz = 0;
        };
        auto girder = [&](int entry) {
            Face f;
            const int g = checkedEntry(scene, row[static_cast<size_t>(entry)]);
            if (g < 0) return f;
            const model::Element& ge = scene.store.at(g);
            f.present = true;
            f.halfDepth = section(scene, ge.secID).depth / 2;
            f.oz = ge.OZ;
            return f;
        };
        const Face endsAtBottom = girder(ends), startsAtBottom = girder(starts);
        const Face endsAtTop = girder(model::con::SECOND_END + ends);
        const Face startsAtTop = girder(model::con::SECOND_END + starts);
        const double z1 = e.Z1, z2 = e.Z2;
        auto top = [](double z, const Face& f) { return z + f.halfDepth + f.oz; };
        auto under = [](double z, const Face& f) { return z - f.halfDepth + f.oz; };

        const double leftFrom = endsAtBottom.present ? top(z1, endsAtBottom) : under(z1, startsAtBottom);
        const double leftTo = endsAtTop.present ? under(z2, endsAtTop) : top(z2, startsAtTop);
        const double rightFrom = startsAtBottom.present ? top(z1, startsAtBottom) : under(z1, endsAtBottom);
        const double rightTo = startsAtTop.present ? under(z2, startsAtTop) : top(z2, endsAtTop);

        const double half = (yFrame ? dx : dy) / 2;
        const Point leftA{p1.x - half, leftFrom}, leftB{p1.x - half, leftTo};
        painter_.DrawLine(colour, copy, PenStyle::Solid, leftA, leftB);
        painter_.DrawLine(colour, copy, PenStyle::Solid, {p1.x + half, rightFrom}, {p1.x + half, rightTo});
        if (copy && switches_.ShowMemberName && e.secID > 0 && !info.markName.empty())
            painter_.DrawTextAlong(info.markName, colour, 8, 2, switches_.MojiSize, leftA, leftB);
    }
    if (copy && switches_.ShowNumber && e.memberNo > 0)
        painter_.DrawText("C" + std::to_string(e.memberNo), colour, 1, 0, switches_.MojiSize, midpoint(p1, p2));
}

void PlanRenderer::drawGirder(const PlanScene& scene, int index, Point p1, Point p2, int colour, bool copy)
{
    const model::Element e = scene.store.at(index);
    const SectionInfo& info = section(scene, e.secID);
    const double halfB = info.width / 2, halfD = info.depth / 2;
    const model::ConnectionRow row = scene.store.connections(index);
    const model::ViewMode mode = scene.view.mode;

    struct Column {
        bool present = false;
        double centre = 0;  // position along the girder, offset included
        double offset = 0;  // its offset along the girder
        double half = 0;    // half its size along the girder
    };
    // acrossX: the girder runs along X (plan or Y-frame), so column sizes are Dx and offsets OX.
    auto column = [&](int entry, bool acrossX) {
        Column c;
        const int k = checkedEntry(scene, row[static_cast<size_t>(entry)]);
        if (k < 0) return c;
        const model::Element& ce = scene.store.at(k);
        const SectionInfo& ci = section(scene, ce.secID);
        c.present = true;
        c.offset = acrossX ? ce.OX : ce.OY;
        c.centre = (acrossX ? ce.X1 : ce.Y1) + c.offset;
        c.half = (acrossX ? ci.width : ci.depth) / 2;
        return c;
    };
    using namespace model::con;

    bool outlined = true;
    Point firstA, firstB;
    if (mode == model::ViewMode::Plan) {
        const bool alongY = model::approxEq(e.X1, e.X2);
        const bool alongX = !alongY && model::approxEq(e.Y1, e.Y2);
        if (alongX || alongY) {
            // The column at an end is the one below it, else the one above it.
            auto endColumn = [&](int end) {
                Column below = column(end + COL_SECOND, alongX);
                return below.present ? below : column(end + COL_FIRST, alongX);
            };
            const Column c1 = endColumn(0), c2 = endColumn(SECOND_END);
            // From the girder's end past half the column, shifted by the column's offset.
            auto from = [](const Column& c, double at) { return c.present ? at + c.half + c.offset : at; };
            auto to = [](const Column& c, double at) { return c.present ? at - c.half + c.offset : at; };
            if (alongX) {
                const double s = from(c1, e.X1), t = to(c2, e.X2);
                const double y = e.Y1 + e.OY;
                firstA = {s, y + halfB};
                firstB = {t, y + halfB};
                painter_.DrawLine(colour, copy, PenStyle::Solid, firstA, firstB);
                painter_.DrawLine(colour, copy, PenStyle::Solid, {s, y - halfB}, {t, y - halfB});
            } else {
                const double s = from(c1, e.Y1), t = to(c2, e.Y2);
                const double x = e.X1 + e.OX;
                firstA = {x + halfB, s};
                firstB = {x + halfB, t};
                painter_.DrawLine(colour, copy, PenStyle::Solid, firstA, firstB);
                painter_.DrawLine(colour, copy, PenStyle::Solid, {x - halfB, s}, {x - halfB, t});
            }
        } else {
            // No outline for a girder along neither axis; its centre line keeps it visible.
            outlined = false;
            painter_.DrawLine(colour, copy, PenStyle::Solid, p1, p2);
        }
    } else {
        const bool acrossX = mode == model::ViewMode::ElevationXZ;
        const Column above1 = column(COL_FIRST, acrossX), below1 = column(COL_SECOND, acrossX);
        const Column above2 = column(SECOND_END + COL_FIRST, acrossX), below2 = column(SECOND_END + COL_SECOND, acrossX);
        // Trimmed at the inner face of the column on the line's side; where no column goes on
        // that side, carried across the column of the other side to its outer face.
        auto leftEnd = [&](const Column& own, const Column& other) {
            return own.present ? own.centre + own.half : other.present ? other.centre - other.half : p1.x;
        };
        auto rightEnd = [&](const Column& own, const Column& other) {
            return own.present ? own.centre - own.half : other.present ? other.centre + other.half : p2.x;
        };
        firstA = {leftEnd(above1, below1), p1.y + halfD};
        firstB = {rightEnd(above2, below2), p2.y + halfD};
        painter_.DrawLine(colour, copy, PenStyle::Solid, firstA, firstB);
        painter_.DrawLine(colour, copy, PenStyle::Solid, {leftEnd(below1, above1), p1.y - halfD},
                          {rightEnd(below2, above2), p2.y - halfD});
    }

    if (copy && outlined) {
        if (switches_.ShowMemberName && e.secID > 0 && !info.markName.empty())
            painter_.DrawTextAlong(info.markName, colour, 8, 2, switches_.MojiSize, firstA, firstB);
        if (switches_.showDataNumber)
            painter_.DrawTextAlong(std::to_string(index), colour, 8, 2, switches_.MojiSize, firstA, firstB);
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
    const model::GridModel& g = scene.grid;
    if (!gridExists(g)) return;
    const int h = horizontalAxis(scene.view.mode);
    const int v = verticalAxis(scene.view.mode);
    const double e = switches_.MojiSize * view_.viewScale + std::max(4000.0, firstStorey(g));
    const double beyondV = largestLine(g, v) + e;
    const double beyondH = largestLine(g, h) + e;
    const int nh = g.usedCount(h), nv = g.usedCount(v);
    for (int i = 0; i < nh && i < model::kGridNameSlots; ++i)
        painter_.DrawText(g.names[h][i], kRed, 8, 0, switches_.MojiSize, {double(g.line[h][i]), beyondV});
    for (int j = 0; j < nv && j < model::kGridNameSlots; ++j)
        painter_.DrawText(g.names[v][j], kRed, 4, 0, switches_.MojiSize, {beyondH, double(g.line[v][j])});
}

void PlanRenderer::drawDimensions(const PlanScene& scene)
{
    const model::GridModel& g = scene.grid;
    if (!gridExists(g)) return;
    const int h = horizontalAxis(scene.view.mode);
    const int v = verticalAxis(scene.view.mode);
    const double d = std::max(3000.0, firstStorey(g)) / 2;
    auto dimension = [&](Point a, Point b, Point shift) {
        const Point a2{a.x + shift.x, a.y + shift.y}, b2{b.x + shift.x, b.y + shift.y};
        painter_.DrawLine(kBlack, true, PenStyle::Solid, a2, b2);
        painter_.DrawLine(kBlack, true, PenStyle::Solid, a, a2);
        painter_.DrawLine(kBlack, true, PenStyle::Solid, b, b2);
        painter_.DrawTextAlong(fixed0(model::hypotLen(b.x - a.x, b.y - a.y)), kBlack, 8, 2, switches_.MojiSize, a2, b2);
    };
    const double top = largestLine(g, v) + d;
    const int nh = g.usedCount(h);
    for (int i = 0; i + 1 < nh; ++i)
        dimension({double(g.line[h][i]), top}, {double(g.line[h][i + 1]), top}, {0, kDimensionShift});
    const double side = largestLine(g, h) + d;
    const int nv = g.usedCount(v);
    for (int j = 0; j + 1 < nv; ++j)
        dimension({side, double(g.line[v][j])}, {side, double(g.line[v][j + 1])}, {kDimensionShift, 0});
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
    for (double i = i0;; ++i) {
        const double x = origin.x + i * pitch;
        if (x > view_.viewRight()) break;
        for (double j = j0;; ++j) {
            const double y = origin.y + j * pitch;
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
