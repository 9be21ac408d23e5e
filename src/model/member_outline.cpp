// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/member_outline.h"

#include <algorithm>

#include "model/element_store.h"

namespace model {

const MemberSection& SectionSizes::of(const SectionTable& table, int secID)
{
    static const MemberSection none;
    if (secID <= 0) return none;
    auto it = cache_.find(secID);
    if (it != cache_.end()) return it->second;
    MemberSection s;
    const auto size = sectionSizeMm(table, secID, 0);
    s.width = size.first;
    s.depth = size.second;
    s.markName = markNameOf(table, secID);
    return cache_.emplace(secID, std::move(s)).first->second;
}

MemberGeometry::MemberGeometry(ElementStore& store, const SectionTable& sections, ViewMode mode, SectionSizes& sizes)
    : store_(store), sections_(sections), mode_(mode), sizes_(sizes)
{
}

MemberOutline memberOutline(ElementStore& store, const SectionTable& sections, ViewMode mode, int index)
{
    SectionSizes sizes;
    return MemberGeometry(store, sections, mode, sizes).outline(index);
}

int MemberGeometry::checkedEntry(int entry)
{
    if (entry >= -1 && entry < store_.count()) return entry;
    badConnection_ = true;
    return -1;
}

MemberOutline MemberGeometry::outline(int index)
{
    if (index < 0 || index >= store_.count()) return {};
    switch (store_.at(index).kind) {
    case kind::GIRDER:
    case kind::BEAM: return girder(index);
    case kind::COLUMN: return column(index);
    default: return {};
    }
}

namespace {

void addEnd(MemberOutline& o, Point a, Point b)
{
    if (o.endCount >= static_cast<int>(o.ends.size())) return;
    if (approxEq(a.x, b.x) && approxEq(a.y, b.y)) return;
    o.ends[static_cast<size_t>(o.endCount++)] = {a, b};
}

// The parts of the span lo..hi a column face covering clo..chi leaves open.
template <typename AddPart>
void openParts(double lo, double hi, bool covered, double clo, double chi, AddPart add)
{
    if (!covered) {
        add(lo, hi);
        return;
    }
    if (clo > lo) add(lo, std::min(hi, clo));
    if (chi < hi) add(std::max(lo, chi), hi);
}

}  // namespace

MemberOutline MemberGeometry::column(int index)
{
    const Element& e = store_.at(index);
    const MemberSection& info = section(e.secID);
    const double dx = info.width, dy = info.depth;
    const Segment s = projectToSlice(mode_, e);
    const Point p1 = s.p1;
    MemberOutline o;
    o.markName = info.markName;

    if (mode_ == ViewMode::Plan) {
        const double l = p1.x - dx / 2, r = p1.x + dx / 2, b = p1.y - dy / 2, t = p1.y + dy / 2;
        o.shape = MemberOutline::Shape::Rectangle;
        o.sides = {Segment{{l, b}, {r, b}}, Segment{{r, t}, {l, t}}};
        o.ends[0] = {{r, b}, {r, t}};
        o.ends[1] = {{l, t}, {l, b}};
        o.endCount = 2;
        return o;
    }
    // Girders of this frame meeting the column's bottom (first) and top (second) points.
    const ConnectionRow row = store_.connections(index);
    const bool yFrame = mode_ == ViewMode::ElevationXZ;
    const int starts = yFrame ? con::GX_FIRST : con::GY_FIRST;
    const int ends = yFrame ? con::GX_SECOND : con::GY_SECOND;
    struct Face {
        bool present = false;
        double halfDepth = 0, oz = 0;
    };
    auto girderAt = [&](int entry) {
        Face f;
        const int g = checkedEntry(row[static_cast<size_t>(entry)]);
        if (g < 0) return f;
        const Element& ge = store_.at(g);
        f.present = true;
        f.halfDepth = section(ge.secID).depth / 2;
        f.oz = ge.OZ;
        return f;
    };
    const Face endsAtBottom = girderAt(ends), startsAtBottom = girderAt(starts);
    const Face endsAtTop = girderAt(con::SECOND_END + ends);
    const Face startsAtTop = girderAt(con::SECOND_END + starts);
    const double z1 = e.Z1, z2 = e.Z2;
    auto top = [](double z, const Face& f) { return z + f.halfDepth + f.oz; };
    auto under = [](double z, const Face& f) { return z - f.halfDepth + f.oz; };

    const double leftFrom = endsAtBottom.present ? top(z1, endsAtBottom) : under(z1, startsAtBottom);
    const double leftTo = endsAtTop.present ? under(z2, endsAtTop) : top(z2, startsAtTop);
    const double rightFrom = startsAtBottom.present ? top(z1, startsAtBottom) : under(z1, endsAtBottom);
    const double rightTo = startsAtTop.present ? under(z2, startsAtTop) : top(z2, endsAtTop);

    const double half = (yFrame ? dx : dy) / 2;
    o.shape = MemberOutline::Shape::Sides;
    o.sides = {Segment{{p1.x - half, leftFrom}, {p1.x - half, leftTo}},
               Segment{{p1.x + half, rightFrom}, {p1.x + half, rightTo}}};
    // A frame shows a column as its two sides alone, even at an end no girder meets.
    o.labelled = true;
    o.label = o.sides[0];
    return o;
}

MemberOutline MemberGeometry::girder(int index)
{
    const Element e = store_.at(index);
    const MemberSection& info = section(e.secID);
    const double halfB = info.width / 2, halfD = info.depth / 2;
    const ConnectionRow row = store_.connections(index);
    const Segment slice = projectToSlice(mode_, e);
    const Point p1 = slice.p1, p2 = slice.p2;
    MemberOutline o;
    o.markName = info.markName;

    struct Column {
        bool present = false;
        double centre = 0;        // position along the girder, offset included
        double offset = 0;        // its offset along the girder
        double half = 0;          // half its size along the girder
        double acrossCentre = 0;  // position across the girder, offset included
        double acrossHalf = 0;    // half its size across the girder
    };
    // acrossX: the girder runs along X (plan or Y-frame), so column sizes are Dx and offsets OX.
    auto column = [&](int entry, bool acrossX) {
        Column c;
        const int k = checkedEntry(row[static_cast<size_t>(entry)]);
        if (k < 0) return c;
        const Element& ce = store_.at(k);
        const MemberSection& ci = section(ce.secID);
        c.present = true;
        c.offset = acrossX ? ce.OX : ce.OY;
        c.centre = (acrossX ? ce.X1 : ce.Y1) + c.offset;
        c.half = (acrossX ? ci.width : ci.depth) / 2;
        c.acrossCentre = acrossX ? ce.Y1 + ce.OY : ce.X1 + ce.OX;
        c.acrossHalf = (acrossX ? ci.depth : ci.width) / 2;
        return c;
    };

    if (mode_ == ViewMode::Plan) {
        const bool alongY = approxEq(e.X1, e.X2);
        const bool alongX = !alongY && approxEq(e.Y1, e.Y2);
        if (!alongX && !alongY) {
            // No outline for a girder along neither axis; its centre line keeps it visible.
            o.shape = MemberOutline::Shape::CentreLine;
            o.sides[0] = {p1, p2};
            return o;
        }
        // The column at an end is the one below it, else the one above it.
        auto endColumn = [&](int end) {
            Column below = column(end + con::COL_SECOND, alongX);
            return below.present ? below : column(end + con::COL_FIRST, alongX);
        };
        const Column c1 = endColumn(0), c2 = endColumn(con::SECOND_END);
        // From the girder's end past half the column, shifted by the column's offset.
        auto from = [](const Column& c, double at) { return c.present ? at + c.half + c.offset : at; };
        auto to = [](const Column& c, double at) { return c.present ? at - c.half + c.offset : at; };
        const double s = from(c1, alongX ? e.X1 : e.Y1), t = to(c2, alongX ? e.X2 : e.Y2);
        const double centre = alongX ? e.Y1 + e.OY : e.X1 + e.OX;
        // Points of the slice from a position along the girder and one across it.
        auto at = [alongX](double along, double across) { return alongX ? Point{along, across} : Point{across, along}; };
        o.shape = MemberOutline::Shape::Sides;
        o.sides = {Segment{at(s, centre + halfB), at(t, centre + halfB)},
                   Segment{at(s, centre - halfB), at(t, centre - halfB)}};
        o.labelled = true;
        o.label = o.sides[0];
        auto closeEnd = [&](const Column& c, double along) {
            openParts(centre - halfB, centre + halfB, c.present, c.acrossCentre - c.acrossHalf,
                      c.acrossCentre + c.acrossHalf,
                      [&](double a, double b) { addEnd(o, at(along, a), at(along, b)); });
        };
        closeEnd(c1, s);
        closeEnd(c2, t);
        return o;
    }

    const bool acrossX = mode_ == ViewMode::ElevationXZ;
    const Column above1 = column(con::COL_FIRST, acrossX), below1 = column(con::COL_SECOND, acrossX);
    const Column above2 = column(con::SECOND_END + con::COL_FIRST, acrossX);
    const Column below2 = column(con::SECOND_END + con::COL_SECOND, acrossX);
    // Trimmed at the inner face of the column on the line's side; where no column goes on
    // that side, carried across the column of the other side to its outer face.
    auto leftEnd = [&](const Column& own, const Column& other) {
        return own.present ? own.centre + own.half : other.present ? other.centre - other.half : p1.x;
    };
    auto rightEnd = [&](const Column& own, const Column& other) {
        return own.present ? own.centre - own.half : other.present ? other.centre + other.half : p2.x;
    };
    o.shape = MemberOutline::Shape::Sides;
    o.sides = {Segment{{leftEnd(above1, below1), p1.y + halfD}, {rightEnd(above2, below2), p2.y + halfD}},
               Segment{{leftEnd(below1, above1), p1.y - halfD}, {rightEnd(below2, above2), p2.y - halfD}}};
    o.labelled = true;
    o.label = o.sides[0];
    // The columns' sides close an end a column meets; a free end needs a line of its own.
    if (!above1.present && !below1.present) addEnd(o, {p1.x, p1.y - halfD}, {p1.x, p1.y + halfD});
    if (!above2.present && !below2.present) addEnd(o, {p2.x, p2.y - halfD}, {p2.x, p2.y + halfD});
    return o;
}

}  // namespace model
