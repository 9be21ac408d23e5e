// SPDX-License-Identifier: GPL-3.0-or-later
// What the plan editor asks of the main window that shows it.
#pragma once

#include "editor/editor_state.h"

namespace settings {
struct Settings;
struct WindowPosition;
}  // namespace settings

namespace editor {

class EditorHost {
public:
    virtual ~EditorHost() = default;
    virtual void setCursor(CursorKind kind) = 0;
    // The canvas popup menu at a canvas pixel; "仮部材作成" and "3D表示" only on the plan canvas.
    virtual void showPopupMenu(PixelPoint at, bool planCanvas) = 0;
    virtual void focusCanvas() = 0;
    // Title, menu check marks and level tabs may have changed: read them again.
    virtual void stateChanged() = 0;
    virtual void closeMainWindow() = 0;
    // The canvas image changed and should be shown.
    virtual void canvasChanged() {}
    // Before the settings are written: bring the window geometry up to date.
    virtual void storeWindowGeometry(settings::WindowPosition&) {}
    // After the settings were read again.
    virtual void settingsLoaded(const settings::Settings&) {}
};

}  // namespace editor
