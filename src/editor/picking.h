// SPDX-License-Identifier: GPL-3.0-or-later
// Pointer input for the plan commands: the nearest-element pick, the seven snap modes with
// the Shift ortho constraint, and window selection. Everything works on the 2-D slice of the
// current view.
#pragma once

#include <initializer_list>

#include "editor/view_transform.h"
#include "model/element.h"
#include "model/helpers.h"

namespace model {
class ElementStore;
}
namespace platform {
class Platform;
}

namespace editor {

enum class SnapMode {
    Free = 0,           // "フリー(&F)"
    EndPoint = 1,       // "端点(&E)"
    CrossPoint = 2,     // "交点(&C)"
    MidPoint = 3,       // "中点(&M)"
    Perpendicular = 4,  // "垂直点(&P)"
    OnLine = 5,         // "線上点(&L)"
    Grid = 6,           // "グリッド(&G)"
};

// Pick tolerance: a candidate 20 pixels or more away is no pick.
inline constexpr double kPickPixels = 20.0;
// Status-bar panels that show the snapped pointer position.
inline constexpr int kStatusX = 1;
inline constexpr int kStatusY = 2;

// The part of the editor state that snapping reads; the dispatcher owns it.
struct SnapState {
    SnapMode snapMode = SnapMode::EndPoint;
    bool snapAllowed = true;  // the current command step accepts snapped points
    bool orthoKey = false;    // Shift held
    model::Point lastPoint;   // last point given to the line command
};

// What picking and snapping look at.
struct PickContext {
    model::ElementStore& store;
    const model::ViewPlane& view;
    const ViewTransform& transform;
    const DotGrid& grid;
    bool drawBaseLine = true;  // grid-line elements take part in end-point snapping
};

struct SnapResult {
    model::Point world;
    PixelPoint pixel;
    bool snapped = false;  // a snap mode moved the point (ortho alone does not count)
};

// Whether an element shows in the current slice. Grid-line elements show in every slice.
bool visibleInSlice(model::ElementStore& store, const model::ViewPlane& view, int index);

// Distance from (x, y) to the segment: to the nearer end when the foot of the perpendicular
// falls outside it, else the perpendicular distance.
double SegmentDistance(const model::ViewSegment& segment, double x, double y);
double SegmentDistance(model::ElementStore& store, const model::ViewPlane& view, int index, double x, double y);

// Nearest element on the current level within 20 pixels of (x, y) in view coordinates,
// skipping `excluded`; -1 when none (also when the view has no scale yet).
int PickElement(const PickContext& context, int excluded, double x, double y);

// The world point for a pointer position: ortho first, then the snap mode when the step
// allows snapping.
SnapResult SnapPoint(const PickContext& context, const SnapState& state, PixelPoint pointer);
// Writes the snapped point's X and Y ("%.0f") to status panels 1 and 2.
void showSnapPosition(platform::Platform& platform, const SnapResult& at);

// Selects LINE, COLUMN, BEAM, GIRDER and FLOOR elements of the slice lying wholly inside the
// rectangle (borders included) after clearing the selection; returns how many.
int SelectWindow(model::ElementStore& store, const model::ViewPlane& view, model::Point corner1,
                 model::Point corner2);
// Selected live elements whose kind is one of `kinds`.
int countSelected(const model::ElementStore& store, std::initializer_list<int> kinds);

}  // namespace editor
