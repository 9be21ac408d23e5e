// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/drawn_lines.h"

#include <bit>
#include <cstdint>
#include <utility>

#include "model/helpers.h"

namespace draft {

namespace {

uint64_t bitsOf(double v)
{
    // -0 and 0 are the same coordinate.
    return std::bit_cast<uint64_t>(v == 0 ? 0.0 : v);
}

uint64_t mix(uint64_t h, uint64_t v)
{
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    return h;
}

}  // namespace

std::size_t DrawnLines::Hash::operator()(const Key& k) const
{
    uint64_t h = static_cast<uint64_t>(static_cast<uint32_t>(k.type)) << 40 ^
                 static_cast<uint64_t>(static_cast<uint32_t>(k.layer)) << 24 ^ static_cast<uint32_t>(k.colour);
    h = mix(h, bitsOf(k.x1));
    h = mix(h, bitsOf(k.y1));
    h = mix(h, bitsOf(k.x2));
    h = mix(h, bitsOf(k.y2));
    return static_cast<std::size_t>(h);
}

bool DrawnLines::firstTime(int type, int layer, int colour, double x1, double y1, double x2, double y2)
{
    Key k{type, layer, colour, model::round5(x1), model::round5(y1), model::round5(x2), model::round5(y2)};
    if ((k.y1 == k.y2 && k.x1 > k.x2) || k.y1 > k.y2) {
        std::swap(k.x1, k.x2);
        std::swap(k.y1, k.y2);
    }
    return seen_.insert(k).second;
}

int DraftModelLineOnce(Drafter& d, DrawnLines& drawn, int type, double x1, double y1, double x2, double y2)
{
    if (!drawn.firstTime(type, d.drawPen(), d.drawColour(), x1, y1, x2, y2)) return -1;
    return d.DraftModelLine(type, x1, y1, x2, y2);
}

}  // namespace draft
