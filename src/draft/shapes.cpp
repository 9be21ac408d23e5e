// SPDX-License-Identifier: GPL-3.0-or-later
// Composite shapes of the drawing output layer: rounded rectangles, table rules, bar symbols.
#include <array>
#include <vector>

#include "draft/draft.h"

namespace draft {

void Drafter::DraftRoundRect(double x1, double y1, double x2, double y2, double r1, double r2)
{
    DraftLine(x1 + r1, y1, x2 - r1, y1);
    DraftArc(x2 - r1, y1 + r1, r1, 270, 0);
    DraftLine(x2, y1 + r1, x2, y2 - r2);
    DraftArc(x2 - r2, y2 - r2, r2, 0, 90);
    DraftLine(x2 - r2, y2, x1 + r2, y2);
    DraftArc(x1 + r2, y2 - r2, r2, 90, 180);
    DraftLine(x1, y2 - r2, x1, y1 + r1);
    DraftArc(x1 + r1, y1 + r1, r1, 180, 270);
}

void Drafter::DraftGrid(int nVert, int nHoriz, double left, double top, double width, double height)
{
    // A single rule sits on the table's edge rather than dividing by zero.
    for (int i = 0; i < nVert; ++i) {
        const double x = nVert == 1 ? left : left + i * width / (nVert - 1);
        DraftLine(x, top, x, top - height);
    }
    for (int j = 0; j < nHoriz; ++j) {
        const double y = nHoriz == 1 ? top : top - j * height / (nHoriz - 1);
        DraftLine(left, y, left + width, y);
    }
}

namespace {
struct BarMarkShape {
    int dotTo;      // concentric circles 3, 6, ... up to this radius (0: none)
    bool circle12;
    bool circle24;
    int cross;      // half-size of both diagonals (0: none)
    int slash;      // half-size of the first diagonal alone (0: none)
};

// Symbols 1..14.
constexpr std::array<BarMarkShape, kBarMarkLast> kBarMarks{{
    {0, false, false, 12, 0},
    {12, false, false, 0, 0},
    {12, false, false, 0, 24},
    {24, false, false, 24, 0},
    {0, false, true, 0, 0},
    {0, false, true, 0, 24},
    {0, false, true, 24, 0},
    {12, false, true, 0, 0},
    {12, false, true, 0, 24},
    {12, false, true, 24, 0},
    {0, true, true, 0, 0},
    {0, true, true, 0, 24},
    {0, true, true, 24, 0},
    {24, false, false, 0, 0},
}};
}  // namespace

void Drafter::DraftBarMark(int type, double x, double y)
{
    if (type < kBarMarkFirst || type > kBarMarkLast) return;
    const BarMarkShape& shape = kBarMarks[static_cast<size_t>(type - 1)];
    // Circles from the smallest radius up; no symbol combines a dot with a circle of 12.
    for (int r = 3; r <= shape.dotTo; r += 3) DraftCircle(r, x, y);
    if (shape.circle12) DraftCircle(12, x, y);
    if (shape.circle24) DraftCircle(24, x, y);
    const int s = shape.cross > 0 ? shape.cross : shape.slash;
    if (s > 0) DraftLine(x + s, y + s, x - s, y - s);
    if (shape.cross > 0) DraftLine(x - s, y + s, x + s, y - s);
}

}  // namespace draft
