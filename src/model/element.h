// SPDX-License-Identifier: GPL-3.0-or-later
// The element record, kind codes and the live/dead rule.
#pragma once

#include <cstdint>

namespace model {

namespace kind {
inline constexpr int JOINT = 11;
inline constexpr int CIRCLE = 50;
inline constexpr int ARC = 51;
inline constexpr int LINE = 100;
inline constexpr int DASHLINE = 101;
inline constexpr int DOTLINE = 102;
inline constexpr int DASHDOT = 103;
inline constexpr int COLUMN = 111;
inline constexpr int FRAME = 112;
inline constexpr int BEAM = 121;
inline constexpr int GIRDER = 122;
inline constexpr int FLOOR = 123;
inline constexpr int TURTLE = 124;
inline constexpr int WALL = 151;
inline constexpr int LOAD = 202;
inline constexpr int BASE = 701;
inline constexpr int CONTINUE = -2;
inline constexpr int DISCARDED = 0;
inline constexpr int RESERVED = -1;
}  // namespace kind

// 1 point-like, 2 lines and members, 3 loads, 4 (unused), -1 reserved, 0 everything else.
int kindClass(int kindCode);

struct Element {
    int32_t kind = kind::RESERVED;
    int32_t SID = 0;
    int32_t ndata = 0;
    int32_t LY = 0;
    int32_t CL = 0;
    int32_t UID = 0;
    int32_t refUID = 0;
    int32_t secID = 0;
    int32_t memberNo = 0;
    double X1 = 0, Y1 = 0, Z1 = 0;
    double X2 = 0, Y2 = 0, Z2 = 0;
    double OX = 0, OY = 0, OZ = 0;
    int32_t showAge = 0;
    int32_t delAge = 0;
    uint8_t selected = 0;
    int32_t selGroup = -1;
};

inline bool isDeadRecord(const Element& e)
{
    return e.delAge >= 1 || e.showAge < 0 || (e.showAge == 0 && e.delAge == 0) || e.kind == kind::DISCARDED;
}

// Which plane the editor looks at: plan of a level, or an elevation on a grid line.
enum class ViewMode { Plan = 0, ElevationXZ = 1, ElevationYZ = 2 };

struct ViewPlane {
    ViewMode mode = ViewMode::Plan;
    double plane = 0;       // the level's Z, or the grid line's Y (XZ) or X (YZ)
    int currentLayer = 1;   // LY of new lines and members; level filter of picking
};

struct ViewSegment {
    double u1 = 0, v1 = 0, u2 = 0, v2 = 0;
    bool inPlane = false;
};

}  // namespace model
