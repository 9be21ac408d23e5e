// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's own state (current command, view operation, cursor, transients) and the event
// structs the window system hands in. Plain data: the dispatcher owns one.
#pragma once

#include <string>

#include "editor/picking.h"
#include "editor/view_transform.h"
#include "model/helpers.h"

namespace editor {

enum class MouseButton { None = 0, Left = 1, Right = 2, Middle = 4 };

struct MouseEvent {
    MouseButton button = MouseButton::None;
    PixelPoint point;
    bool shift = false;
};

enum class Key { Shift, Escape, Space, PageUp, PageDown, Home, Left, Up, Right, Down, Delete, Other };

// 0 arrow, 1 cross with a crosshair over the whole canvas, 2 cross, 3 hand, 4 grip.
enum class CursorKind { Arrow = 0, CrossHair = 1, Cross = 2, Hand = 3, Grip = 4 };

enum class ViewOperation { None = 0, ZoomUp = 1, ZoomDown = 2, Pan = 3, ZoomWindow = 4, PickAndShow = 10, LoadDelete = 11 };

// What follows the pointer: nothing, a line from firstPoint, a rectangle from firstPoint.
enum class RubberKind { None = 0, Line = 1, Rectangle = 2 };

inline constexpr int kNoSavedCursor = -999;

struct EditorState {
    int currentCommand = 1;
    int lastCommand = 0;
    int commandStep = 1;
    ViewOperation viewOperation = ViewOperation::None;
    int zoomWindowStep = 1;
    CursorKind cursorKind = CursorKind::Hand;
    int savedCursorKind = kNoSavedCursor;
    std::string prompt;
    RubberKind rubberKind = RubberKind::None;
    model::Point firstPoint;
    model::Point secondPoint;
    int newLineColour = 0xFF0000;
    bool afterDialog = false;
    bool panDrag = false;
    bool middleZoomDrag = false;
    SnapState snap;  // snapMode, snapAllowed, orthoKey, lastPoint
};

// Check marks and enabled states of the main window's menus.
struct MenuState {
    SnapMode snapMode = SnapMode::EndPoint;
    bool gridVisible = false;       // "グリッド(&G)" checked, snap item "グリッド(&G)" enabled and checked
    bool gridPitchEnabled = false;  // the "グリッドピッチ(&P)" submenu
    int gridDivisor = 1;            // 1..4: which of "1/1(&1)" .. "1/4(&4)" is checked
    bool drawBaseLine = true;
    bool drawDim = true;
    bool showMemberName = true;
    bool showNumber = false;
    bool showDataNumber = false;
    bool showLineEndMark = false;
    bool showHelper = false;
    bool view3DVisible = false;
    bool saveEnabled = false;          // "上書き保存(&S)"
    bool rebarDrawingEnabled = false;  // "配筋図(&H)..." (off in the plan view)
};

}  // namespace editor
