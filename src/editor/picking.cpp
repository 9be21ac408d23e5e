// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/picking.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "model/element_store.h"
#include "platform/platform.h"

namespace editor {

namespace {

double pointDistance(double x1, double y1, double x2, double y2) { return model::hypotLen(x2 - x1, y2 - y1); }

std::string fixed0(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
}

// Within `kPickPixels` of the pointer, for a world distance d.
bool withinPickTolerance(const ViewTransform& view, double d)
{
    if (!(view.viewScale > 0)) return false;
    const double pixels = d / view.viewScale;
    return pixels * pixels < kPickPixels * kPickPixels;
}

bool snapToEndPoint(const PickContext& c, model::Point& p)
{
    double best = 1.7e308;
    model::Point winner;
    bool found = false;
    auto consider = [&](double u, double v) {
        const double d = pointDistance(p.x, p.y, u, v);
        if (d < best) {
            best = d;
            winner = {u, v};
            found = true;
        }
    };
    for (int i = -1; c.store.nextLive(i);) {
        const model::Element& e = c.store.at(i);
        if (e.kind == model::kind::DISCARDED) continue;
        if (e.kind == model::kind::BASE && !c.drawBaseLine) continue;
        if (!visibleInSlice(c.store, c.view, i)) continue;
        model::ViewSegment s = c.store.viewCoords(c.view, i);
        consider(s.u1, s.v1);
        if (model::kindClass(e.kind) == 2) consider(s.u2, s.v2);
    }
    if (!found || !withinPickTolerance(c.transform, best)) return false;
    p = winner;
    return true;
}

model::Point first(const model::ViewSegment& s) { return {s.u1, s.v1}; }
model::Point second(const model::ViewSegment& s) { return {s.u2, s.v2}; }

}  // namespace

bool visibleInSlice(model::ElementStore& store, const model::ViewPlane& view, int index)
{
    // Grid lines frame every plan and every elevation, whatever plane they were made in.
    if (store.at(index).kind == model::kind::BASE) return true;
    return store.inPlane(view, index);
}

double SegmentDistance(const model::ViewSegment& s, double x, double y)
{
    auto nearerEnd = [&] { return std::min(pointDistance(x, y, s.u1, s.v1), pointDistance(x, y, s.u2, s.v2)); };
    if (s.u1 == s.u2 && s.v1 == s.v2) return pointDistance(x, y, s.u1, s.v1);
    if (s.u1 == s.u2) {
        if (y >= std::min(s.v1, s.v2) && y <= std::max(s.v1, s.v2)) return std::fabs(x - s.u1);
        return nearerEnd();
    }
    if (s.v1 == s.v2) {
        if (x >= std::min(s.u1, s.u2) && x <= std::max(s.u1, s.u2)) return std::fabs(y - s.v1);
        return nearerEnd();
    }
    const double dx = s.u2 - s.u1;
    const double dy = s.v2 - s.v1;
    const double t = ((x - s.u1) * dx + (y - s.v1) * dy) / (dx * dx + dy * dy);
    if (t < 0 || t > 1) return nearerEnd();
    return std::fabs((x - s.u1) * dy - (y - s.v1) * dx) / std::sqrt(dx * dx + dy * dy);
}

double SegmentDistance(model::ElementStore& store, const model::ViewPlane& view, int index, double x, double y)
{
    return SegmentDistance(store.viewCoords(view, index), x, y);
}

int PickElement(const PickContext& c, int excluded, double x, double y)
{
    if (!(c.transform.viewScale > 0)) return -1;
    return c.store.nearestElement(c.view, excluded, x, y, c.transform.pixelsPerMm());
}

SnapResult SnapPoint(const PickContext& c, const SnapState& state, PixelPoint pointer)
{
    model::Point p = c.transform.ToWorld(pointer.x, pointer.y);
    if (state.orthoKey) {
        if (std::fabs(state.lastPoint.x - p.x) > std::fabs(state.lastPoint.y - p.y))
            p.y = state.lastPoint.y;
        else
            p.x = state.lastPoint.x;
    }

    bool snapped = false;
    if (state.snapAllowed) {
        switch (state.snapMode) {
        case SnapMode::Free:
            break;
        case SnapMode::EndPoint:
            snapped = snapToEndPoint(c, p);
            break;
        case SnapMode::CrossPoint: {
            int a = PickElement(c, -1, p.x, p.y);
            int b = a < 0 ? -1 : PickElement(c, a, p.x, p.y);
            if (a >= 0 && b >= 0) {
                model::ViewSegment sa = c.store.viewCoords(c.view, a);
                model::ViewSegment sb = c.store.viewCoords(c.view, b);
                model::Point at;
                if (model::segmentCross(first(sa), second(sa), first(sb), second(sb), at) ==
                    model::CrossResult::OnBoth) {
                    p = at;
                    snapped = true;
                }
            }
            break;
        }
        case SnapMode::MidPoint: {
            int a = PickElement(c, -1, p.x, p.y);
            if (a >= 0) {
                model::ViewSegment s = c.store.viewCoords(c.view, a);
                p = {(s.u1 + s.u2) / 2, (s.v1 + s.v2) / 2};
                snapped = true;
            }
            break;
        }
        case SnapMode::Perpendicular:
        case SnapMode::OnLine: {
            int a = PickElement(c, -1, p.x, p.y);
            if (a >= 0) {
                model::ViewSegment s = c.store.viewCoords(c.view, a);
                const model::Point from = state.snapMode == SnapMode::Perpendicular ? state.lastPoint : p;
                model::Point foot;
                if (model::perpFoot(first(s), second(s), from, foot)) {
                    p = foot;
                    snapped = true;
                }
            }
            break;
        }
        case SnapMode::Grid:
            snapped = c.grid.snap(c.transform, p);
            break;
        }
    }

    SnapResult result;
    result.world = p;
    result.snapped = snapped;
    if (!c.transform.ToPixel(p.x, p.y, result.pixel)) result.pixel = pointer;
    return result;
}

void showSnapPosition(platform::Platform& platform, const SnapResult& at)
{
    platform.statusText(kStatusX, fixed0(at.world.x));
    platform.statusText(kStatusY, fixed0(at.world.y));
}

int SelectWindow(model::ElementStore& store, const model::ViewPlane& view, model::Point corner1,
                 model::Point corner2)
{
    store.selectInBox(view, corner1.x, corner1.y, corner2.x, corner2.y);
    int n = 0;
    for (int i = -1; store.nextLive(i);)
        if (store.at(i).selected) ++n;
    return n;
}

int countSelected(const model::ElementStore& store, std::initializer_list<int> kinds)
{
    int n = 0;
    for (int i = -1; store.nextLive(i);) {
        const model::Element& e = store.at(i);
        if (e.selected && std::find(kinds.begin(), kinds.end(), e.kind) != kinds.end()) ++n;
    }
    return n;
}

}  // namespace editor
