// SPDX-License-Identifier: GPL-3.0-or-later
// Bar-size tables and decoders of single items of a specification string.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace model {

inline constexpr int kBarSlots = 12;
// Bar-mark numbers of the twelve slots, from the drawing settings.
using RodMarks = std::array<int, kBarSlots>;
inline constexpr RodMarks kDefaultRodMarks{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};

const std::array<const char*, 12>& deformedBarNames();  // "D10" ... "D51"
const std::array<const char*, 8>& roundBarNames();      // "9φ" ... "32φ"
extern const char* const kScaleList[15];

int barSlot(std::string_view size);  // -1 when not a bar size
int barMark(std::string_view size, const RodMarks& marks);
int barDiameter(std::string_view size);  // 255 when not a bar size
int barSymbolSize(std::string_view size);

struct BarGroup {
    int n = -1;
    int n2 = -1;
    int mark = -1;
    int symbolSize = -1;
};
struct Bars {
    int n = -1;
    int mark = -1;
    int symbolSize = -1;
};
struct Stirrup {
    int n = 0;
    int mark = 0;
    int symbolSize = -1;
    int pitch = 0;
};
struct Hoop {
    int hx = 0;
    int hy = 0;
    int mark = 0;
    int symbolSize = -1;
    int pitch = 0;
};

BarGroup decodeBarGroup(std::string_view item, const RodMarks& marks);
Bars decodeBars(std::string_view item, const RodMarks& marks);
Stirrup decodeStirrup(std::string_view item, const RodMarks& marks);
Hoop decodeHoop(std::string_view item, const RodMarks& marks);
// Width (which 0) or depth (which 1) of item 0 of a girder spec at position 0/1/2.
std::string sizeField(std::string_view item0, int which, int position);

}  // namespace model
