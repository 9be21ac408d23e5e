// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/bars.h"

#include "model/helpers.h"
#include "model/sections.h"

namespace model {

namespace {
const std::array<const char*, 12> kDeformed{"D10", "D13", "D16", "D19", "D22", "D25",
                                            "D29", "D32", "D35", "D38", "D41", "D51"};
const std::array<int, 12> kDeformedDia{10, 13, 16, 19, 22, 25, 29, 32, 35, 38, 41, 51};
const std::array<const char*, 8> kRound{"9φ", "13φ", "16φ", "19φ", "22φ", "25φ", "28φ", "32φ"};
const std::array<int, 8> kRoundDia{9, 13, 16, 19, 22, 25, 28, 32};

int roundSlot(std::string_view size)
{
    for (size_t i = 0; i < kRound.size(); ++i)
        if (size == kRound[i]) return static_cast<int>(i);
    return -1;
}
}  // namespace

const char* const kScaleList[15] = {"1",  "2",  "3",   "4",   "5",   "10",  "20", "30",
                                    "40", "50", "100", "200", "300", "400", "500"};

const std::array<const char*, 12>& deformedBarNames() { return kDeformed; }
const std::array<const char*, 8>& roundBarNames() { return kRound; }

int barSlot(std::string_view size)
{
    for (size_t i = 0; i < kDeformed.size(); ++i)
        if (size == kDeformed[i]) return static_cast<int>(i);
    return roundSlot(size);
}

int barMark(std::string_view size, const RodMarks& marks)
{
    int slot = barSlot(size);
    return slot < 0 ? -1 : marks[static_cast<size_t>(slot)];
}

int barDiameter(std::string_view size)
{
    for (size_t i = 0; i < kDeformed.size(); ++i)
        if (size == kDeformed[i]) return kDeformedDia[i];
    int r = roundSlot(size);
    return r < 0 ? 255 : kRoundDia[static_cast<size_t>(r)];
}

int barSymbolSize(std::string_view size) { return barDiameter(size) > 15 ? 48 : 24; }

// Counts and pitches are read like every other spec number: a fraction typed into a section
// is rounded rather than stopping the drawing that decodes it.
BarGroup decodeBarGroup(std::string_view item, const RodMarks& marks)
{
    BarGroup g;
    if (item.empty()) return g;
    std::string size = fieldAt(2, item, ':');
    g.n = specInt(fieldAt(0, item, ':'));
    g.n2 = specInt(fieldAt(1, item, ':'));
    g.mark = barMark(size, marks);
    g.symbolSize = barSymbolSize(size);
    return g;
}

Bars decodeBars(std::string_view item, const RodMarks& marks)
{
    Bars b;
    if (item.empty()) return b;
    std::string size = fieldAt(1, item, ':');
    b.n = specInt(fieldAt(0, item, ':'));
    b.mark = barMark(size, marks);
    b.symbolSize = barSymbolSize(size);
    return b;
}

Stirrup decodeStirrup(std::string_view item, const RodMarks& marks)
{
    Stirrup s;
    if (trim(removeAll(item, ':')).empty()) return s;
    std::string size = fieldAt(1, item, ':');
    s.n = specInt(fieldAt(0, item, ':'));
    s.mark = barMark(size, marks);
    s.symbolSize = barSymbolSize(size);
    s.pitch = specInt(fieldAt(2, item, ':'));
    return s;
}

Hoop decodeHoop(std::string_view item, const RodMarks& marks)
{
    Hoop h;
    h.hx = specInt(fieldAt(0, item, ':'));
    h.hy = specInt(fieldAt(1, item, ':'));
    std::string size = fieldAt(2, item, ':');
    if (size.empty()) return h;
    h.mark = barMark(size, marks);
    h.symbolSize = barSymbolSize(size);
    h.pitch = specInt(fieldAt(3, item, ':'));
    return h;
}

std::string sizeField(std::string_view item0, int which, int position)
{
    std::string value = fieldAt(1 + which, item0, ':');
    if (position == 1 || position == 2) {
        std::string other = fieldAt(1 + 2 * position + which, item0, ':');
        if (!other.empty()) value = other;
    }
    return value;
}

}  // namespace model
