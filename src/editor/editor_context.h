// SPDX-License-Identifier: GPL-3.0-or-later
// What the interactive commands work with: the session, the view, picking and snapping, the
// canvas with its transient XOR marks, the prompt, the dialog ports. The dispatcher owns one
// and hands it to the current command.
#pragma once

#include <string>
#include <vector>

#include "editor/canvas.h"
#include "editor/editor_host.h"
#include "editor/editor_state.h"
#include "editor/picking.h"
#include "editor/plan_renderer.h"
#include "editor/view_transform.h"
#include "platform/check_port.h"
#include "platform/dialog_ports.h"
#include "platform/feature_ports.h"
#include "platform/quantity_port.h"
#include "platform/stb_port.h"
#include "session/session.h"

namespace editor {

class Command;

// Every window the editor may open. A null port means the window is not part of the program
// yet; its commands then say so instead of doing nothing.
struct Ports {
    platform::FileDialogPort* files = nullptr;
    platform::MemberDialogPort* member = nullptr;
    platform::ParallelCopyDialogPort* parallelCopy = nullptr;
    platform::GridPitchDialogPort* gridPitch = nullptr;
    platform::GridLineDialogPort* gridLines = nullptr;
    platform::KeypadPort* keypad = nullptr;
    platform::SectionDialogPort* sectionDialog = nullptr;
    platform::DraftSettingsPort* draftSettings = nullptr;
    platform::DrawingPort* drawings = nullptr;
    platform::View3DPort* view3D = nullptr;
    platform::SectionCsvPort* sectionCsv = nullptr;
    platform::DumpWindowPort* dump = nullptr;
    platform::VersionBoxPort* version = nullptr;
    platform::QuantityWindowPort* quantities = nullptr;
    platform::CheckWindowPort* checks = nullptr;
    platform::StbReportPort* stbReport = nullptr;
};

inline const std::string kNotAvailable = "この機能はまだ使えません。";
inline const std::string kUnconfirmedSections = "断面の変更が確定されていません。確定しますか?";
inline const std::string kCloseSectionDialogFirst = "断面作成の画面を OK かキャンセルで閉じてから実行してください。";

// Colour of the extend/cut preview as seen on white.
inline constexpr int kCutPreviewColour = 0x3F3F3F;
// Arm length of the snap marker in pixels.
inline constexpr int kSnapMarkerArm = 10;

class EditorContext {
public:
    EditorContext(model::Session& session, Canvas& canvas, EditorHost* host, const Ports& ports);

    model::Session& session;
    Canvas& canvas;
    EditorHost* host;
    Ports ports;
    ViewTransform transform;
    DotGrid dotGrid;
    RenderControl control;
    EditorState state;
    bool showDataNumber = false;
    bool view3DVisible = false;
    // The canvas shows a drawing's store and texts (the preview), not a slice of the model.
    bool drawingMode = false;
    double parallelDistance = 0;  // the last parallel-copy distance, offered again

    platform::Platform& platform() { return session.platform; }
    model::ElementStore& store() { return session.store; }
    const model::ViewPlane& view() const { return session.view; }
    DisplaySwitches switches() const;
    PickContext pickContext();

    int pick(model::Point p, int excluded = -1);
    int selectWindow(model::Point a, model::Point b);
    SnapResult snap(PixelPoint pointer);

    // Drawing the model. A full redraw also reloads the 3-D view when it is shown, whatever
    // the flag says (callers that pass true ask for what now always happens).
    void redraw(bool update3D = false);
    void drawElement(int index, ColourMode mode = ColourMode::Own, bool force = false);
    void eraseElement(int index) { drawElement(index, ColourMode::Erase, true); }
    WorldPainter painter() { return WorldPainter(canvas, transform); }
    bool fitAll();  // factor 0.8; redraws when the view changed
    void canvasChanged();

    // After an edit: element count, stale connection table, 3-D view reloaded.
    void modelChanged();
    void showCount();
    void reload3D();
    // The section table was replaced (section dialog OK, CSV or SS2 import): member offsets
    // follow the new sizes, connections are stale, the plan is drawn again, the project is
    // modified.
    void sectionsChanged();

    void beep() { session.platform.beep(); }
    void notice(const std::string& text);
    void notAvailable() { notice(kNotAvailable); }
    void showPrompt(const std::string& text);
    void setCursor(CursorKind kind);

    int redrawing = 0;  // depth of full redraws in progress

    // A command asks to end itself; the dispatcher ends it when the event is handled.
    void requestEnd() { endRequested = true; }
    bool endRequested = false;

    // Transient XOR marks, each remembered where it was drawn so that drawing it again
    // erases it. A full redraw forgets them all.
    struct Transients {
        bool zoomRect = false;
        PixelPoint zoomFrom, zoomTo;
        bool crosshair = false;
        PixelPoint crosshairAt;
        bool marker = false;
        PixelPoint markerAt;
        bool rubber = false;
        RubberKind rubberKind = RubberKind::None;
        PixelPoint rubberFrom, rubberTo;
        bool preview = false;
        model::Point previewAt;
    } transients;
    // The current interactive command (owned by the dispatcher); draws its own preview.
    Command* command = nullptr;

    void EraseTransients();
    void eraseZoomRect();
    void eraseCrosshairAndMarker();
    void eraseRubber();
    void erasePreview();
    void drawZoomRect(PixelPoint from, PixelPoint to);
    void drawCrosshair(PixelPoint at);
    void drawMarker(PixelPoint at);
    void drawRubber(RubberKind kind, PixelPoint from, PixelPoint to);
    void drawPreview(model::Point pointer);
    void forgetTransients() { transients = Transients{}; }
};

}  // namespace editor
