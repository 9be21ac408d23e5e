// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/rebar_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/element_store.h"
#include "model/helpers.h"

namespace draft::rebar {

namespace {

constexpr double kEps = 1e-6;
// A storey, span or pitch finer than this would ask for millions of lines; it is a typing
// error, not a layout.
constexpr double kMaxLines = 100000;

const std::string kNone;

// Whole equal spaces of at most pitch over a length: ceil(length / pitch), counted without
// the rounding noise of the division (5000 / 200 is 25 spaces, not 26).
int spacesOver(double length, double pitch)
{
    const double q = length / pitch;
    const double n = std::ceil(q - 1e-9);
    return static_cast<int>(std::max(1.0, n));
}

// How many of 0, pitch, 2 pitch, ... lie short of length (by more than kEps); at most kMaxLines.
int stepsShortOf(double length, double pitch)
{
    if (!(length > kEps) || !(pitch > 0)) return 0;
    return static_cast<int>(std::min(kMaxLines, std::ceil((length - kEps) / pitch)));
}

bool sensibleLayout(double length, double pitch)
{
    return pitch > 0 && length >= 0 && std::isfinite(length) && length / pitch < kMaxLines;
}

int liveEntry(model::ElementStore& store, int entry, int kindCode)
{
    if (entry < 0 || entry >= store.count() || store.isDead(entry) || store.at(entry).kind != kindCode) return -1;
    return entry;
}

double along(const model::Element& e, Axis axis, int end)
{
    if (axis == Axis::X) return (end == 0 ? e.X1 : e.X2) + e.OX;
    return (end == 0 ? e.Y1 : e.Y2) + e.OY;
}

struct Size {
    double width = 0, depth = 0;
};
Size leftEndSize(const SpecCache& specs, int secID)
{
    const model::SectionSize s = model::sectionSizeOfSpec(specs.spec(secID), 0);
    return {model::strToFloatOr0(s.width), model::strToFloatOr0(s.depth)};
}

// The girder entries of a connection row for girders along the axis.
int startsHere(Axis axis) { return axis == Axis::X ? model::con::GX_FIRST : model::con::GY_FIRST; }
int endsHere(Axis axis) { return axis == Axis::X ? model::con::GX_SECOND : model::con::GY_SECOND; }

}  // namespace

SpecCache::SpecCache(const model::SectionTable& table)
{
    for (const model::SectionEntry& s : table)
        if (s.secID > 0) entries_.try_emplace(s.secID, Entry{s.secSpec, s.secName});
}

const std::string& SpecCache::spec(int secID) const
{
    auto it = entries_.find(secID);
    return it == entries_.end() ? kNone : it->second.spec;
}

const std::string& SpecCache::name(int secID) const
{
    auto it = entries_.find(secID);
    return it == entries_.end() ? kNone : it->second.name;
}

Span clearSpan(double end1, double end2, const EndColumn& c1, const EndColumn& c2)
{
    return {end1 + c1.half + c1.offset, end2 - c2.half + c2.offset};
}

bool girderSpan(model::ElementStore& store, const SpecCache& specs, int girder, Axis axis, GirderSpan& out)
{
    if (liveEntry(store, girder, model::kind::GIRDER) < 0) return false;
    const model::Element g = store.at(girder);
    const bool alongAxis = axis == Axis::X ? model::approxEq(g.Y1, g.Y2) : model::approxEq(g.X1, g.X2);
    if (!alongAxis) return false;
    const model::ConnectionRow row = store.connections(girder);

    // The end with the smaller coordinate is the left one, whichever point it is.
    const bool swapped = along(g, axis, 0) > along(g, axis, 1);
    auto end = [&](int point, EndColumn& c) {
        const int base = point == 0 ? 0 : model::con::SECOND_END;
        GirderEnd r;
        int col = liveEntry(store, row[static_cast<size_t>(base + model::con::COL_SECOND)], model::kind::COLUMN);
        if (col < 0) col = liveEntry(store, row[static_cast<size_t>(base + model::con::COL_FIRST)], model::kind::COLUMN);
        r.columnAbove = liveEntry(store, row[static_cast<size_t>(base + model::con::COL_FIRST)], model::kind::COLUMN) >= 0;
        // The girder on the far side ends where this one starts, or starts where it ends.
        const int far = point == 0 ? endsHere(axis) : startsHere(axis);
        const int other = liveEntry(store, row[static_cast<size_t>(base + far)], model::kind::GIRDER);
        r.otherGirder = other == girder ? -1 : other;
        if (col >= 0) {
            const model::Element& ce = store.at(col);
            const Size cs = leftEndSize(specs, ce.secID);
            r.column = col;
            r.width = axis == Axis::X ? cs.width : cs.depth;
            c.half = r.width / 2;
            c.offset = axis == Axis::X ? ce.OX : ce.OY;
        }
        return r;
    };
    EndColumn c1, c2;
    GirderEnd e1 = end(swapped ? 1 : 0, c1);
    GirderEnd e2 = end(swapped ? 0 : 1, c2);
    const double u1 = along(g, axis, swapped ? 1 : 0), u2 = along(g, axis, swapped ? 0 : 1);
    const Size size = leftEndSize(specs, g.secID);
    out.left = e1;
    out.right = e2;
    out.span = clearSpan(u1, u2, c1, c2);
    out.width = size.width;
    out.depth = size.depth;
    out.top = (swapped ? g.Z2 : g.Z1) + g.OZ + size.depth / 2;
    return true;
}

std::vector<double> stirrupPositions(const Span& span, double pitch, int stirStart)
{
    std::vector<double> at;
    const double l = span.left, r = span.right;
    if (!sensibleLayout(span.length(), pitch)) return at;
    // Counted by index, never stepped: at coordinates so large that adding the pitch changes
    // nothing, a stepping loop would never reach its end.
    switch (stirStart) {
    case STIR_FROM_LEFT:
        for (int i = 0, n = stepsShortOf(r - l, pitch); i < n; ++i) at.push_back(l + i * pitch);
        at.push_back(r);
        break;
    case STIR_FROM_RIGHT:
        for (int i = 0, n = stepsShortOf(r - l, pitch); i < n; ++i) at.push_back(r - i * pitch);
        at.push_back(l);
        break;
    case STIR_FROM_MIDDLE: {
        // Rounding saturates far out; the middle must stay inside the span all the same.
        const double mid = std::clamp(static_cast<double>(model::roundHalfAway((l + r) / 2)), l, r);
        at.push_back(l);
        if (mid > l + kEps && mid < r - kEps) at.push_back(mid);
        for (int i = 1, n = stepsShortOf(mid - l, pitch); i < n; ++i) at.push_back(mid - i * pitch);
        for (int i = 1, n = stepsShortOf(r - mid, pitch); i < n; ++i) at.push_back(mid + i * pitch);
        if (r > l + kEps) at.push_back(r);
        break;
    }
    case STIR_EQUAL: {
        const int n = spacesOver(span.length(), pitch);
        for (int i = 0; i <= n; ++i) at.push_back(i == n ? r : l + span.length() * i / n);
        break;
    }
    default:
        return at;
    }
    std::sort(at.begin(), at.end());
    return at;
}

bool columnSpan(model::ElementStore& store, const SpecCache& specs, int column, Axis axis, ColumnSpan& out)
{
    if (liveEntry(store, column, model::kind::COLUMN) < 0) return false;
    const model::Element c = store.at(column);
    const model::ConnectionRow row = store.connections(column);
    const bool upward = c.Z1 <= c.Z2;
    const int topBase = upward ? model::con::SECOND_END : 0;
    const Size size = leftEndSize(specs, c.secID);
    out.width = axis == Axis::X ? size.width : size.depth;
    out.centre = axis == Axis::X ? c.X1 + c.OX : c.Y1 + c.OY;
    out.bottom = std::min(c.Z1, c.Z2) + c.OZ;
    out.top = std::max(c.Z1, c.Z2) + c.OZ;
    out.columnAbove = liveEntry(store, row[static_cast<size_t>(topBase + model::con::COL_FIRST)], model::kind::COLUMN) >= 0;
    out.joint = 0;
    for (int entry : {startsHere(axis), endsHere(axis)}) {
        const int g = liveEntry(store, row[static_cast<size_t>(topBase + entry)], model::kind::GIRDER);
        if (g >= 0) out.joint = std::max(out.joint, leftEndSize(specs, store.at(g).secID).depth);
    }
    return true;
}

HoopLayout hoopPositions(double bottom, double top, double joint, double pitch, bool columnAbove)
{
    HoopLayout h;
    const double jointBottom = top - joint;
    const double below = jointBottom - bottom;
    if (sensibleLayout(below, pitch) && below > kEps) {
        const int n = spacesOver(below, pitch);
        for (int i = 0; i <= n; ++i) h.below.push_back(i == n ? jointBottom : bottom + below * i / n);
    }
    const double j = columnAbove ? joint : joint - kTopJointCover;
    if (joint > 0 && j > kEps && sensibleLayout(j, pitch)) {
        const int m = spacesOver(j, pitch);
        for (int i = 1; i <= m; ++i) h.joint.push_back(jointBottom + j * i / m);
    }
    return h;
}

std::vector<double> mainBarPositions(double face1, double face2, int n)
{
    std::vector<double> at;
    if (n <= 0) return at;
    const double a = face1 + kFirstLayerInset, b = face2 - kFirstLayerInset;
    if (n == 1) {
        at.push_back((face1 + face2) / 2);
        return at;
    }
    for (int i = 0; i < n; ++i) at.push_back(i == n - 1 ? b : a + (b - a) * i / (n - 1));
    return at;
}

std::vector<double> webBarDepths(double depth, int count)
{
    std::vector<double> at;
    const long long k = model::roundHalfAway(count / 2.0);
    if (k <= 0 || k > 1000) return at;
    const double share = (depth - 2 * kWebBarCover) / static_cast<double>(k + 1);
    for (long long i = 1; i <= k; ++i) at.push_back(kWebBarCover + static_cast<double>(i) * share);
    return at;
}

int barNumber(std::string_view size)
{
    std::string_view digits;
    static constexpr std::string_view kRound = "φ";
    if (size.size() > 1 && size.front() == 'D') digits = size.substr(1);
    else if (size.size() > kRound.size() && size.ends_with(kRound)) digits = size.substr(0, size.size() - kRound.size());
    int n = 0;
    if (digits.empty()) return 0;
    auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec != std::errc() || p != digits.data() + digits.size() || n <= 0) return 0;
    return n;
}

int anchorageMultiple(int grade, int fc, bool hooked)
{
    const bool common = grade == 295 || grade == 345;
    int straight = 0;
    if (common && fc == 18) straight = 40;
    else if (fc >= 21 && fc <= 27) straight = common ? 35 : 40;
    else if (fc >= 30 && fc <= 45) straight = common ? 30 : 35;
    else if (fc >= 48 && fc <= 60) straight = common ? 25 : 30;
    if (straight == 0) return 0;
    return hooked ? straight - 10 : straight;
}

double anchorageLength(std::string_view size, int grade, int fc, bool hooked)
{
    return static_cast<double>(anchorageMultiple(grade, fc, hooked) * barNumber(size));
}

BentEnd anchoredEnd(std::string_view size, double columnWidth, int layer, bool top, bool columnAbove)
{
    const double d = barNumber(size);
    const double la = anchorageLength(size, kDrawingGrade, kDrawingFc, true);
    BentEnd b;
    b.reach = static_cast<double>(model::roundHalfAway(columnWidth * 3 / 4));
    if (layer == 2) b.reach = std::min(b.reach, static_cast<double>(model::roundHalfAway(la * 2 / 3)));
    b.radius = 2 * d;
    // The first top layer of a roof girder hangs down its full anchorage; other bars are
    // held by the concrete of the column above or the girder's other face.
    b.tail = layer == 1 && top && !columnAbove ? la : 10 * d;
    return b;
}

}  // namespace draft::rebar
