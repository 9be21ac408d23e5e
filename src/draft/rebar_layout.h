// SPDX-License-Identifier: GPL-3.0-or-later
// Where the bars of a member lie: the clear span of a girder between the faces of its end
// columns, stirrup positions over a span, the storey and joint of a column with its hoops,
// main bars across a face, web bars, anchorage lengths. Pure computations on the model, so
// that the rebar arrangement drawing and the bar take-off measure a member the same way.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/sections.h"

namespace model {
class ElementStore;
}

namespace draft::rebar {

// Insets from the concrete faces, mm.
inline constexpr double kFirstLayerInset = 50;   // main bars, first layer; column main bars
inline constexpr double kSecondLayerInset = 90;  // main bars, second layer
inline constexpr double kStirrupInset = 35;      // stirrup ends; hoop ends
inline constexpr double kWebBarCover = 50;       // web bars share the depth less this at top and bottom
inline constexpr double kWebBarOverrun = 15;     // web bars run this far past the clear span
inline constexpr double kTopJointCover = 40;     // the joint of a top column keeps its hoops this far down

// TessmarStirStart: where the stirrup layout of a span starts.
enum StirStart : int { STIR_FROM_LEFT = 0, STIR_FROM_MIDDLE = 1, STIR_FROM_RIGHT = 2, STIR_EQUAL = 9 };

// The section specs by identifier, as specOf finds them (the first entry with an identifier
// wins), so a walk over a large building does not scan the table once per member.
class SpecCache {
public:
    explicit SpecCache(const model::SectionTable& table);
    // Empty for an identifier no entry has.
    const std::string& spec(int secID) const;
    const std::string& name(int secID) const;

private:
    struct Entry {
        std::string spec, name;
    };
    std::unordered_map<int, Entry> entries_;
};

// The horizontal axis a member is measured along: X (Y-frame elevation, girders along X) or
// Y (X-frame elevation, girders along Y).
enum class Axis { X, Y };

// A column at one end of a girder, seen along the girder's axis: half its section size along
// the axis and its offset along the axis (both 0 where no column meets the end).
struct EndColumn {
    double half = 0;
    double offset = 0;
};

struct Span {
    double left = 0;   // face of the left column
    double right = 0;  // face of the right column
    double length() const { return right - left; }
};
// end1 <= end2: the girder's end coordinates along the axis, its own offset included. The
// faces lie half a column size inside each end, moved by the column's offset.
Span clearSpan(double end1, double end2, const EndColumn& c1, const EndColumn& c2);

// One end of a girder with what meets it there, from the connection table.
struct GirderEnd {
    int column = -1;        // the column below the end, else the one above; -1 none
    double width = 0;       // that column's size along the axis
    int otherGirder = -1;   // a girder of the same line on the far side of the column; -1 none
    bool columnAbove = false;  // a column continues above the end
};
struct GirderSpan {
    GirderEnd left, right;   // left: the end with the smaller coordinate along the axis
    Span span;               // between the column faces
    double top = 0;          // top face at the left end: Z with the girder's OZ + D/2
    double depth = 0, width = 0;  // D and b of the left end
};
// The clear span and supports of a girder along axis. False for an index that is not a live
// girder along that axis.
bool girderSpan(model::ElementStore& store, const SpecCache& specs, int girder, Axis axis, GirderSpan& out);

// Stirrup positions over the span, ascending, for a TessmarStirStart value; none for an
// unknown value, a pitch that is not above 0 or a span shorter than 0.
std::vector<double> stirrupPositions(const Span& span, double pitch, int stirStart);

// A column in an elevation: its storey and the joint with the girders framing into its top.
struct ColumnSpan {
    double centre = 0;      // along the axis, offset included
    double width = 0;       // section size along the axis
    double bottom = 0, top = 0;  // Z of its ends with its offset
    double joint = 0;       // g: the larger depth of the girders of this line at its top
    bool columnAbove = false;
};
// False for an index that is not a live column.
bool columnSpan(model::ElementStore& store, const SpecCache& specs, int column, Axis axis, ColumnSpan& out);

struct HoopLayout {
    std::vector<double> below;  // from the column bottom to the joint, both ends included
    std::vector<double> joint;  // in the joint, from the first space upwards
};
// Hoop heights: ceil(h / pitch) equal spaces below the joint; in a joint of depth g
// (g - kTopJointCover where no column continues above) ceil(j / pitch) spaces.
HoopLayout hoopPositions(double bottom, double top, double joint, double pitch, bool columnAbove);

// n main bars across a face from face1 to face2: the outer two kFirstLayerInset inside the
// faces, the others evenly between; one bar lies in the middle.
std::vector<double> mainBarPositions(double face1, double face2, int n);

// Depths below the top face of the web bar lines of one side: k = round(count / 2) lines
// sharing depth - 2 * kWebBarCover evenly.
std::vector<double> webBarDepths(double depth, int count);

// The number of a bar size: 22 for "D22", 13 for "13φ"; 0 for a text that is neither.
int barNumber(std::string_view size);
// Anchorage length as a multiple of the bar number, by steel grade, concrete strength Fc and
// whether the bar ends in a hook; 0 where the table has no value.
int anchorageMultiple(int grade, int fc, bool hooked);
double anchorageLength(std::string_view size, int grade, int fc, bool hooked);
// What the rebar arrangement drawing uses: grade 345, Fc 21, hooked.
inline constexpr int kDrawingGrade = 345;
inline constexpr int kDrawingFc = 21;

// A girder bar anchored in an end column that only this girder frames into: it runs `reach`
// past the column face, bends through 90 degrees with `radius` and ends in a straight `tail`.
struct BentEnd {
    double reach = 0;
    double radius = 0;
    double tail = 0;
};
// layer 1 or 2; top: a top bar (turns down); columnAbove: a column continues above the end.
BentEnd anchoredEnd(std::string_view size, double columnWidth, int layer, bool top, bool columnAbove);

}  // namespace draft::rebar
