// SPDX-License-Identifier: GPL-3.0-or-later
// Grid lines (X, Y and levels), their names and the offset rule of every line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace model {

class ElementStore;
struct ViewPlane;

inline constexpr int kGridSlots = 101;  // lines 0..100
inline constexpr int kGridNameSlots = 102;
inline constexpr int kGridNamedLines = 100;  // names are generated for lines 0..99
inline constexpr int kMaxSpans = 100;
inline constexpr int kGridMaxStart = -100000;
inline constexpr int kGridAxisColour = 0xFFFF00;  // cyan BASE lines
inline constexpr int kGridAxisLayer = 1;
inline constexpr int kMinGridExtension = 4000;  // BASE lines run at least this far past the last line

enum OffsetKind : int32_t {
    OFFSET_NONE = -1,
    OFFSET_CENTER = 0,
    OFFSET_LEFT_LOWER = 1,
    OFFSET_RIGHT_UPPER = 2,
};

struct BaseOffset {
    int32_t nKindX = OFFSET_CENTER;
    int32_t nDistX = 0;
    int32_t nKindY = OFFSET_CENTER;
    int32_t nDistY = 0;
    int32_t nKindZ = OFFSET_RIGHT_UPPER;
    int32_t nDistZ = 0;
};

enum Axis { AXIS_X = 0, AXIS_Y = 1, AXIS_Z = 2 };

struct GridModel {
    std::array<int, 3> spanCount{0, 0, 0};  // m_nBaseCountX, Y, Z
    std::array<std::array<int32_t, kGridSlots>, 3> line{};  // m_nBaseLineX, Y, Z
    std::array<int32_t, 3> maxPos{kGridMaxStart, kGridMaxStart, kGridMaxStart};  // m_nBaseMaxX, Y, Z
    std::array<std::array<std::string, kGridNameSlots>, 3> names;  // m_strBaseName
    std::array<BaseOffset, kGridSlots> offsets;  // m_BaseOffset

    GridModel() { clear(); }
    void clear();  // every slot but 0 unused, default offsets, counts 0

    // Position of line i; -1 (unused) for an axis or index outside the tables.
    int32_t position(int axis, int i) const;
    // A slot is used when it holds a position of 0 or more.
    bool isUsed(int axis, int i) const { return position(axis, i) >= 0; }
    // Lines of an axis: slots from 0 up to the first unused one.
    int usedCount(int axis) const;
    // Span count clamped to the tables, so loops over 0..count never leave them.
    int spans(int axis) const;
    // Name of line i; empty outside the tables.
    const std::string& name(int axis, int i) const;
    // OFFSET_NONE and 0 outside the table; setOffset ignores rows outside it and says so.
    int32_t offsetKind(int axis, int i) const;
    int32_t offsetDist(int axis, int i) const;
    bool setOffset(int axis, int i, int32_t kindValue, int32_t dist);
};

// Settings of one axis' naming scheme.
struct GridNaming {
    int mode = 2;  // 1 letter increment, 2 prefix + number, 3 number + suffix
    std::string moji1, num1, moji2, num2, moji3, num3;
};

// Slots 1..100 unused, counts 0, extents recomputed; slot 0 and the offsets stay.
void clearGrid(GridModel& grid);
// Largest used position among slots 1..100 per axis; an axis without spans has its slot 0.
void calcGridMax(GridModel& grid);
void makeGridNames(GridModel& grid, const std::array<GridNaming, 3>& schemes);
// Name i of a one-character scheme that steps the character's code (mode 1).
std::string steppedGridName(const std::string& firstName, int i);
// slot 0 = 0, slot i = slot i-1 + pitch i (pitches[i-1]); slots above spanCount become -1.
// False, with the grid untouched, when the count is outside 0..100, fewer pitches than
// spans are given or a position leaves the 32-bit range.
bool setPositionsFromPitches(GridModel& grid, int axis, int spanCount, const std::vector<int>& pitches);

// Offset kind from the word the user sees ("中心", "左(下)", "右(上)"); any other text -1.
int32_t offsetKindFromWord(const std::string& word);
// The word of kinds 0..2; empty for any other value.
std::string offsetKindWord(int32_t kindValue);

// Segments and axis lines the two generators below will add for this grid.
int gridFrameCount(const GridModel& grid);
int gridAxesCount(const GridModel& grid);
// The wire frame of LINE elements along every grid line, on every level; returns how many,
// or -1 when the store could not make room (nothing is added then).
int makeGridFrame(const GridModel& grid, ElementStore& store, int currentLayer, int lineColour);
// The BASE axis lines with room for the names at their far ends; returns how many, or -1
// when the store could not make room. Uses the extents of calcGridMax.
int makeGridAxes(const GridModel& grid, ElementStore& store);

}  // namespace model
