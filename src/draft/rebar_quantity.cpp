// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/rebar_quantity.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <unordered_map>

#include "draft/rebar_layout.h"
#include "model/element_store.h"
#include "model/grid.h"
#include "model/helpers.h"

namespace draft::quantity {

namespace {

using rebar::Axis;

double round1(double v) { return static_cast<double>(model::roundHalfAway(v * 10)) / 10; }

struct BarLayer {
    int n = 0;
    std::string size;
};

// A section decoded once per identifier.
struct Section {
    std::string floor, mark;
    int level = 0, markNo = 0;  // from the key, for the order of the rows
    // Girders: zone (left, centre, right) x face (top, bottom) x layer (first, second).
    BarLayer bars[3][2][2];
    int legs = 0, pitch = 0, webCount = 0;
    std::string stirrupSize, webSize;
    // Columns.
    int nx = 0, ny = 0, hx = 0, hy = 0;
    std::string mainSize, hoopSize;
};

Section decode(const std::string& secKey, const std::string& secName, const std::string& spec, bool girder)
{
    Section s;
    s.floor = model::fieldAt(0, secName, ':');
    s.mark = model::fieldAt(1, secName, ':');
    s.level = model::specInt(model::fieldAt(1, secKey, ':'));
    s.markNo = model::specInt(model::fieldAt(2, secKey, ':'));
    if (girder) {
        for (int z = 0; z < 3; ++z)
            for (int face = 0; face < 2; ++face) {
                const model::GirderItem g = model::girderItem(spec, 1 + 2 * z + face);
                s.bars[z][face][0] = {g.n, g.size};
                s.bars[z][face][1] = {g.n2, g.size};
            }
        const model::GirderItem st = model::girderItem(spec, 7);
        s.legs = st.n;
        s.stirrupSize = st.size;
        s.pitch = st.pitch;
        const model::GirderItem web = model::girderItem(spec, 8);
        s.webCount = web.n;
        s.webSize = web.size;
    } else {
        const model::ColumnItem main = model::columnItem(spec, 1);
        s.nx = main.nx;
        s.ny = main.ny;
        s.mainSize = main.size;
        const model::ColumnItem hoop = model::columnItem(spec, 2);
        s.hx = hoop.nx;
        s.hy = hoop.ny;
        s.hoopSize = hoop.size;
        s.pitch = hoop.pitch;
    }
    return s;
}

// Bars of one member before they are added to the table.
struct Piece {
    int kindOrder;  // 0 main, 1 stirrup, 2 web, 3 hoop
    std::string size;
    long long count;
    double length;  // mm, one bar
};
const char* const kKinds[] = {kKindMain, kKindStirrup, kKindWeb, kKindHoop};

class Takeoffer {
public:
    Takeoffer(model::ElementStore& store, const model::SectionTable& sections, const model::GridModel& grid,
              int stirStart, const Conditions& c)
        : store_(store), specs_(sections), grid_(grid), stirStart_(stirStart), c_(c)
    {
        for (const model::SectionEntry& e : sections)
            if (e.secID > 0) keys_.try_emplace(e.secID, &e);
    }

    void member(int index);
    Takeoff result();

private:
    const Section* section(int secID, bool girder);
    void girder(int index, const Section& s);
    void column(int index, const Section& s);
    double allowance(const rebar::GirderEnd& end, int otherZone, int face, int layer, const std::string& size);
    void omit(int index, bool girder, const Section* s, const std::string& reason);
    void add(bool girder, const Section& s, const std::vector<Piece>& pieces, int index);

    model::ElementStore& store_;
    rebar::SpecCache specs_;
    const model::GridModel& grid_;
    int stirStart_;
    Conditions c_;
    std::unordered_map<int, const model::SectionEntry*> keys_;
    std::unordered_map<int, std::unique_ptr<Section>> decoded_;

    // Row order: level from the top, girders before columns, mark, kind, size.
    using Key = std::tuple<int, int, int, std::string, int, int, std::string>;
    std::map<Key, QuantityRow> rows_;
    std::set<std::tuple<std::string, std::string, std::string>> omittedOnce_;
    std::vector<Omission> omitted_;
};

const Section* Takeoffer::section(int secID, bool girder)
{
    auto it = decoded_.find(secID);
    if (it != decoded_.end()) return it->second.get();
    auto entry = keys_.find(secID);
    std::unique_ptr<Section> s;
    if (entry != keys_.end() && !entry->second->secSpec.empty())
        s = std::make_unique<Section>(
            decode(entry->second->secKey, entry->second->secName, entry->second->secSpec, girder));
    return decoded_.emplace(secID, std::move(s)).first->second.get();
}

void Takeoffer::member(int index)
{
    const model::Element& e = store_.at(index);
    const bool girder = e.kind == model::kind::GIRDER;
    if (!girder && e.kind != model::kind::COLUMN) return;
    const Section* s = e.secID > 0 ? section(e.secID, girder) : nullptr;
    if (!s) return omit(index, girder, nullptr, "断面がありません");
    if (girder) this->girder(index, *s);
    else column(index, *s);
}

double Takeoffer::allowance(const rebar::GirderEnd& end, int otherZone, int face, int layer, const std::string& size)
{
    if (end.otherGirder >= 0) {
        const Section* o = section(store_.at(end.otherGirder).secID, true);
        const BarLayer* b = o ? &o->bars[otherZone][face][layer] : nullptr;
        // The same bar carried on through the column.
        if (b && b->n > 0 && b->size == size) return end.width / 2;
    }
    return anchorage(size, c_);
}

void Takeoffer::girder(int index, const Section& s)
{
    const model::Element& e = store_.at(index);
    const Axis axis = model::approxEq(e.Y1, e.Y2) && !model::approxEq(e.X1, e.X2) ? Axis::X : Axis::Y;
    rebar::GirderSpan g;
    if (!rebar::girderSpan(store_, specs_, index, axis, g)) return omit(index, true, &s, "通り（X または Y）に沿っていません");
    const double L = g.span.length();
    if (!(L > 0)) return omit(index, true, &s, "柱面間の長さが 0 以下です");

    std::vector<Piece> pieces;
    auto piece = [&](int kind, const std::string& size, long long n, double length) {
        if (n > 0) pieces.push_back({kind, size, n, length});
    };
    for (int face = 0; face < 2; ++face)
        for (int layer = 0; layer < 2; ++layer) {
            const BarLayer& l = s.bars[0][face][layer];
            const BarLayer& m = s.bars[1][face][layer];
            const BarLayer& r = s.bars[2][face][layer];
            // Bars every third has, in one size, run the whole span; the rest one third each.
            const bool through = l.n > 0 && m.n > 0 && r.n > 0 && l.size == m.size && m.size == r.size;
            const int common = through ? std::min({l.n, m.n, r.n}) : 0;
            const double aLeft = allowance(g.left, 2, face, layer, l.size);
            const double aRight = allowance(g.right, 0, face, layer, r.size);
            piece(0, m.size, common, L + aLeft + aRight);
            piece(0, l.size, l.n - common, L / 3 + aLeft);
            piece(0, m.size, m.n - common, L / 3);
            piece(0, r.size, r.n - common, L / 3 + aRight);
        }
    if (s.legs > 0) {
        const auto at = rebar::stirrupPositions(g.span, s.pitch, stirStart_);
        piece(1, s.stirrupSize, static_cast<long long>(at.size()), s.legs * g.depth + 2 * g.width);
    }
    piece(2, s.webSize, s.webCount, L);
    add(true, s, pieces, index);
}

void Takeoffer::column(int index, const Section& s)
{
    rebar::ColumnSpan cx, cy;
    if (!rebar::columnSpan(store_, specs_, index, Axis::X, cx) || !rebar::columnSpan(store_, specs_, index, Axis::Y, cy))
        return;
    const double H = cx.top - cx.bottom;
    if (!(H > 0)) return omit(index, false, &s, "高さが 0 です");
    std::vector<Piece> pieces;
    const long long mainCount = 2LL * s.nx + 2LL * s.ny - 4;
    if (mainCount > 0) pieces.push_back({0, s.mainSize, mainCount, H});
    // The deeper of the girders framing into the top from either direction makes the joint.
    const rebar::HoopLayout h = rebar::hoopPositions(cx.bottom, cx.top, std::max(cx.joint, cy.joint), s.pitch, cx.columnAbove);
    const long long hoops = static_cast<long long>(h.below.size() + h.joint.size());
    if (hoops > 0 && (s.hx > 0 || s.hy > 0))
        pieces.push_back({3, s.hoopSize, hoops, s.hx * cy.width + s.hy * cx.width});
    add(false, s, pieces, index);
}

void Takeoffer::omit(int index, bool girder, const Section* s, const std::string& reason)
{
    Omission o;
    o.part = girder ? kPartGirder : kPartColumn;
    if (s) {
        o.floor = s->floor;
        o.mark = s->mark;
    } else {
        const int level = model::levelNumberOfZ(grid_, store_.at(index).Z1);
        o.floor = level < 0 ? "?" : model::levelText(girder ? model::kGirderLetter : model::kColumnLetter, level, grid_.spanCount[model::AXIS_Z]);
        o.mark = "(符号なし)";
    }
    o.reason = reason;
    if (omittedOnce_.emplace(o.part, o.floor, o.mark).second) omitted_.push_back(std::move(o));
}

void Takeoffer::add(bool girder, const Section& s, const std::vector<Piece>& pieces, int index)
{
    for (const Piece& p : pieces)
        if (sizeRank(p.size) < 0)
            return omit(index, girder, &s, "径「" + p.size + "」の単位質量がありません");
    for (const Piece& p : pieces) {
        const Key key{-s.level, girder ? 0 : 1, s.markNo, s.mark, p.kindOrder, sizeRank(p.size), s.floor};
        QuantityRow& row = rows_[key];
        if (row.part.empty()) row = {s.floor, girder ? kPartGirder : kPartColumn, s.mark, kKinds[p.kindOrder], p.size};
        const Joints j = jointsOf(p.size, p.length, c_);
        row.count += p.count;
        row.length += static_cast<double>(p.count) * (p.length + j.addedLength);
        row.joints += p.count * j.count;
    }
}

Takeoff Takeoffer::result()
{
    Takeoff t;
    t.conditions = c_;
    std::map<int, SizeTotal> totals;
    for (auto& [key, row] : rows_) {
        row.mass = round1(row.length / 1000 * unitMass(row.size));
        SizeTotal& total = totals[sizeRank(row.size)];
        total.size = row.size;
        total.count += row.count;
        total.length += row.length;
        total.mass += row.mass;
        total.joints += row.joints;
        t.rows.push_back(row);
    }
    for (auto& [rank, total] : totals) {
        total.mass = round1(total.mass);
        t.designMass += total.mass;
        t.totals.push_back(total);
    }
    t.designMass = round1(t.designMass);
    t.requiredMass = round1(t.designMass * c_.surcharge);
    t.omitted = std::move(omitted_);
    return t;
}

}  // namespace

Takeoff takeOff(model::ElementStore& store, const model::SectionTable& sections, const model::GridModel& grid,
                int stirStart, const Conditions& conditions)
{
    if (!store.connectionsValid()) store.computeConnections();
    Takeoffer t(store, sections, grid, stirStart, conditions);
    for (int i = -1; store.nextLive(i);) t.member(i);
    return t.result();
}

std::vector<std::string> omissionNotice(const Takeoff& t)
{
    std::vector<std::string> lines;
    if (t.omitted.empty()) return lines;
    lines.push_back("数量に含めなかった部材");
    for (const Omission& o : t.omitted) lines.push_back(o.part + " " + o.floor + " " + o.mark + ": " + o.reason);
    return lines;
}

}  // namespace draft::quantity
