// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "model/encoding.h"
#include "model/grid.h"
#include "model/helpers.h"

namespace model {

namespace {

size_t firstCharLength(const std::string& text)
{
    const auto c = static_cast<unsigned char>(text[0]);
    size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    return len > text.size() ? text.size() : len;
}

bool isOneCodePoint(const std::string& utf8)
{
    return !utf8.empty() && isValidUtf8(utf8) && firstCharLength(utf8) == utf8.size();
}

// The character of a CP932 code, or "#" and the code in hexadecimal when the code is no
// printable character by itself (a lone lead byte, a control byte, an unassigned code):
// the name stays unique per line and survives every later conversion.
std::string nameOfCode(unsigned code, bool doubleByte)
{
    std::string bytes;
    bool candidate;
    if (doubleByte) {
        const auto hi = static_cast<unsigned char>((code >> 8) & 0xFF);
        const auto lo = static_cast<unsigned char>(code & 0xFF);
        bytes = {static_cast<char>(hi), static_cast<char>(lo)};
        candidate = isCp932LeadByte(hi);
    } else {
        const auto b = static_cast<unsigned char>(code & 0xFF);
        bytes = std::string(1, static_cast<char>(b));
        candidate = b >= 0x20 && b != 0x7F && !isCp932LeadByte(b);
    }
    if (candidate) {
        std::string utf8 = cp932ToUtf8(bytes);
        if (isOneCodePoint(utf8) && utf8 != "\xEF\xBF\xBD") return utf8;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, doubleByte ? "#%04X" : "#%02X", code & (doubleByte ? 0xFFFFu : 0xFFu));
    return hex;
}

// Number of line 0 in modes 2 and 3: the text's whole value, 0 when it is empty, not a
// number, has a fraction or does not fit.
long long startNumber(const std::string& text)
{
    try {
        return strToIntOr0(text);
    } catch (const ConversionError&) {
        return 0;
    }
}

}  // namespace

std::string steppedGridName(const std::string& firstName, int i)
{
    if (firstName.empty()) return "";
    const auto cp932 = utf8ToCp932(std::string_view(firstName).substr(0, firstCharLength(firstName)));
    if (!cp932 || cp932->empty()) return "";
    const auto b0 = static_cast<unsigned char>((*cp932)[0]);
    if (isCp932LeadByte(b0) && cp932->size() >= 2) {
        const unsigned c = b0 * 256u + static_cast<unsigned char>((*cp932)[1]);
        return nameOfCode(c + static_cast<unsigned>(i), true);
    }
    const int stepped = ((b0 + i) % 256 + 256) % 256;
    return nameOfCode(static_cast<unsigned>(stepped), false);
}

void makeGridNames(GridModel& grid, const std::array<GridNaming, 3>& schemes)
{
    for (int a = 0; a < 3; ++a) {
        const GridNaming& s = schemes[a];
        auto& names = grid.names[a];
        switch (s.mode) {
        case 1:
            for (int i = 0; i < kGridNamedLines; ++i) names[i] = steppedGridName(s.moji1, i);
            break;
        case 2: {
            const long long n = startNumber(s.num2);
            for (int i = 0; i < kGridNamedLines; ++i) names[i] = s.moji2 + std::to_string(i + n);
            break;
        }
        case 3: {
            const long long n = startNumber(s.num3);
            for (int i = 0; i < kGridNamedLines; ++i) names[i] = std::to_string(i + n) + s.moji3;
            break;
        }
        default:
            break;  // an unknown scheme keeps the names the axis had
        }
    }
}

}  // namespace model
