// SPDX-License-Identifier: GPL-3.0-or-later
// One girder section figure of the girder section list: outline with slab, under-beam
// layers, main bars, stirrup with its inner legs, web bars with ties, and dimensions.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "draft/girder_list.h"
#include "draft/list_common.h"
#include "model/helpers.h"
#include "model/sections.h"
#include "settings/settings.h"

namespace draft {

namespace {

constexpr int kPenOutline = 1;
constexpr int kPenUnderBeam = 15;
constexpr int kPenStirrup = 12;
constexpr int kPenBars = 9;
constexpr double kCover = 40;       // face to stirrup, and stirrup to bar surface
constexpr double kLayerGap = 80;    // first to second bar layer
constexpr double kSlab = 150;
// A bar count is typed by hand; beyond this many per row a figure means nothing, and an
// absurd count must not flood the drawing store.
constexpr int kMaxBarsPerRow = 100;

int clampCount(int n) { return std::clamp(n, 0, kMaxBarsPerRow); }

double radiusOf(int symbolSize) { return symbolSize > 0 ? symbolSize / 2.0 : 0.0; }

// Inner stirrup legs: bar number (from the left, 1-based) and side of the tangent, per
// top-bar count 3..7 and leg count 3..7. 'L' left of the bar, 'R' right of it.
struct Leg {
    int bar;
    char side;
};
struct LegSet {
    int count;
    std::array<Leg, 5> legs;
};
// [topBars - 3][legs - 3]
constexpr std::array<std::array<LegSet, 5>, 5> kInnerLegs{{
    {{{1, {{{2, 'R'}}}}, {}, {}, {}, {}}},
    {{{1, {{{2, 'R'}}}}, {2, {{{2, 'L'}, {3, 'R'}}}}, {}, {}, {}}},
    {{{1, {{{3, 'R'}}}}, {2, {{{2, 'R'}, {4, 'L'}}}}, {3, {{{2, 'L'}, {3, 'R'}, {4, 'R'}}}}, {}, {}}},
    {{{1, {{{3, 'R'}}}},
      {2, {{{2, 'L'}, {5, 'R'}}}},
      {3, {{{2, 'L'}, {3, 'R'}, {5, 'R'}}}},
      {4, {{{2, 'L'}, {3, 'L'}, {4, 'R'}, {5, 'R'}}}},
      {}}},
    {{{1, {{{4, 'R'}}}},
      {2, {{{3, 'L'}, {5, 'R'}}}},
      {3, {{{2, 'L'}, {4, 'R'}, {6, 'R'}}}},
      {4, {{{2, 'L'}, {3, 'L'}, {5, 'R'}, {6, 'R'}}}},
      {5, {{{2, 'L'}, {3, 'L'}, {4, 'R'}, {5, 'R'}, {6, 'R'}}}}}},
}};

const LegSet* innerLegs(int topBars, int legs)
{
    if (topBars < 3 || topBars > 7 || legs < 3 || legs > 7) return nullptr;
    const LegSet& set = kInnerLegs[static_cast<size_t>(topBars - 3)][static_cast<size_t>(legs - 3)];
    return set.count > 0 ? &set : nullptr;
}

// x of bar k (0-based) of n bars spread evenly from left to right.
double spread(double left, double right, int n, int k) { return n < 2 ? left : left + k * (right - left) / (n - 1); }

// A second layer: one bar at the left position, or n across the span.
void secondLayer(Drafter& d, int mark, int n, double left, double right, double y)
{
    n = clampCount(n);
    if (n == 1) {
        d.DraftBarMark(mark, left, y);
        return;
    }
    for (int k = 0; k < n; ++k) d.DraftBarMark(mark, spread(left, right, n, k), y);
}

void dimensions(Drafter& d, const settings::DraftEnv& env, const GirderFigure& f, FigurePlace place, double x0,
                double y0)
{
    const int mode = env.GirderListMark;
    const bool letters = mode == 0 || (mode == 1 && place.firstCell);
    const bool numbers = mode == 2 || (mode == 3 && place.firstCell);
    if (!letters && !numbers) return;
    d.SetPen(kListPenDimension);
    const double th = d.draftTextHeight();
    const double left = x0 - f.b / 2, right = x0 + f.b / 2, bottom = y0 - f.D;
    const double lift = env.DrawMojiUki * d.draftScale();
    drawDimensionLine(d, letters ? "b" : dimensionNumber(f.b), left, bottom, right, bottom, 0, -1, 2 * th, th / 5, lift);
    drawDimensionLine(d, letters ? "D" : dimensionNumber(f.D), left, bottom, left, y0, -1, 0, 2 * th, th, lift);
}

void outline(Drafter& d, const settings::DraftEnv& env, const GirderFigure& f, double slabWidth, double x0, double y0)
{
    d.SetPen(kPenOutline);
    const double hb = f.b / 2;
    double sideTop = y0;
    if (env.GirderListSlab) {
        const double hs = slabWidth * f.b;
        d.DraftLine(x0 - hs, y0, x0 + hs, y0);
        d.DraftLine(x0 - hs, y0 - kSlab, x0 - hb, y0 - kSlab);
        d.DraftLine(x0 + hb, y0 - kSlab, x0 + hs, y0 - kSlab);
        sideTop = y0 - kSlab;
    } else {
        d.DraftLine(x0 - hb, y0, x0 + hb, y0);
    }
    d.DraftLine(x0 - hb, sideTop, x0 - hb, y0 - f.D);
    d.DraftLine(x0 + hb, sideTop, x0 + hb, y0 - f.D);
    d.DraftLine(x0 - hb, y0 - f.D, x0 + hb, y0 - f.D);
}

void underBeam(Drafter& d, const settings::DraftEnv& env, const GirderFigure& f, double x0, double y0)
{
    d.SetPen(kPenUnderBeam);
    const double a = env.BaseSizeA, b = env.BaseSizeB;
    const double left = x0 - f.b / 2 - a, right = x0 + f.b / 2 + a, bottom = y0 - f.D;
    d.DraftLine(left, bottom, right, bottom);
    d.DraftLine(left, bottom - a, right, bottom - a);
    d.DraftLine(left, bottom - a - b, right, bottom - a - b);
    d.DraftLine(left, bottom, left, bottom - a - b);
    d.DraftLine(right, bottom, right, bottom - a - b);
}

}  // namespace

GirderFigure girderFigure(std::string_view secSpec, int end, const model::RodMarks& marks)
{
    GirderFigure f;
    const std::string item0 = model::specItem(secSpec, 0);
    f.b = model::strToFloatOr0(model::sizeField(item0, 0, end));
    f.D = model::strToFloatOr0(model::sizeField(item0, 1, end));
    // The model's decoders, so a fix there reaches the section list too.
    f.top = model::decodeBarGroup(model::specItem(secSpec, 1 + 2 * end), marks);
    f.bottom = model::decodeBarGroup(model::specItem(secSpec, 2 + 2 * end), marks);
    f.stirrup = model::decodeStirrup(model::specItem(secSpec, 7), marks);
    f.web = model::decodeBars(model::specItem(secSpec, 8), marks);
    return f;
}

void drawGirderSection(Drafter& d, const settings::DraftEnv& env, const GirderFigure& f, FigurePlace place,
                       double x0, double y0)
{
    if (!(f.b > 0) || !(f.D > 0)) return;
    dimensions(d, env, f, place, x0, y0);
    outline(d, env, f, place.slabWidth, x0, y0);
    if (env.GirderListBase == 2 || (env.GirderListBase == 1 && place.lastBlock)) underBeam(d, env, f, x0, y0);

    const int n1 = clampCount(f.top.n);
    if (n1 < 2) return;  // without a full top layer there is nothing to hang the stirrup on
    const double hb = f.b / 2;
    const double rt = radiusOf(f.top.symbolSize);
    const double rb = radiusOf(f.bottom.symbolSize);

    d.SetPen(kPenBars);
    d.SetColour(kColourOlive);
    const double topLeft = x0 - hb + kCover + rt, topRight = x0 + hb - kCover - rt;
    const double topY = y0 - kCover - rt;
    for (int k = 0; k < n1; ++k) d.DraftBarMark(f.top.mark, spread(topLeft, topRight, n1, k), topY);
    secondLayer(d, f.top.mark, f.top.n2, topLeft, topRight, topY - kLayerGap);

    const double botLeft = x0 - hb + kCover + rb, botRight = x0 + hb - kCover - rb;
    const double botY = y0 - f.D + kCover + rb;
    // One bottom bar is drawn once, at the left, like a single bar of a second layer;
    // a count of 0 (or no bottom bars at all) draws none.
    const int m1 = clampCount(f.bottom.n);
    if (m1 == 1) {
        d.DraftBarMark(f.bottom.mark, botLeft, botY);
    } else if (m1 >= 2) {
        d.DraftBarMark(f.bottom.mark, botLeft, botY);
        d.DraftBarMark(f.bottom.mark, botRight, botY);
        for (int k = 1; k < m1 - 1; ++k) d.DraftBarMark(f.bottom.mark, spread(botLeft, botRight, m1, k), botY);
    }
    secondLayer(d, f.bottom.mark, f.bottom.n2, botLeft, botRight, botY + kLayerGap);

    d.SetPen(kPenStirrup);
    if (f.stirrup.n >= 2) {
        d.DraftRoundRect(x0 - hb + kCover, y0 - f.D + kCover, x0 + hb - kCover, y0 - kCover, rb, rt);
        if (const LegSet* legs = innerLegs(n1, f.stirrup.n)) {
            for (int k = 0; k < legs->count; ++k) {
                const Leg& leg = legs->legs[static_cast<size_t>(k)];
                const double bx = spread(topLeft, topRight, n1, leg.bar - 1);
                const double x = leg.side == 'L' ? bx - rt : bx + rt;
                d.DraftLine(x, botY, x, topY);
            }
        }
    }

    const int pairs = clampCount(static_cast<int>(model::roundHalfAway(clampCount(f.web.n) / 2.0)));
    if (pairs > 0) {
        d.SetColour(kColourOlive);
        const double rw = radiusOf(f.web.symbolSize);
        const double wx = hb - kCover - rw;
        const double step = f.D / (pairs + 1);
        for (int i = 1; i <= pairs; ++i) {
            const double tieY = y0 - f.D + i * step;
            d.DraftBarMark(f.web.mark, x0 - wx, tieY - rw);
            d.DraftBarMark(f.web.mark, x0 + wx, tieY - rw);
            d.DraftDotLine(x0 - wx, tieY, x0 + wx, tieY);
        }
    }
}

}  // namespace draft
