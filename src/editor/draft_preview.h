// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing preview: runs a drawing command in the drawing frame, shows the drawing store in
// its own window with the plan renderer's drawing mode, and handles that window's controls:
// the scale and its apply button (regenerate), DXF save with the optional CAD start, the CAD
// program choice, the window size memory, close and dump. The window itself (Qt) only binds
// widgets to these calls; the main canvas and its view transform are never touched.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "draft/drawing_frame.h"
#include "draft/split_guide.h"
#include "dxf/dxf_writer.h"
#include "editor/editor_context.h"
#include "editor/view_navigator.h"
#include "platform/feature_ports.h"

namespace settings {
class IniFile;
}

namespace editor {

// What the preview asks of its window.
class DraftWindow : public EditorHost {
public:
    // Shows the window modally; returns when it has closed.
    virtual void showModal() = 0;
    virtual void closeWindow() = 0;
    virtual void setCaption(const std::string& caption) = 0;
    // Scale text, apply button or CAD path changed: read them again. (stateChanged of the host.)
    void closeMainWindow() override { closeWindow(); }
};

// Puts the current drawing on a sheet (the window system's painter does it).
class SheetWriter {
public:
    virtual ~SheetWriter() = default;
    struct Request {
        std::string path;
        std::string paper;  // "自動", "A4" ... "A0"
        bool mono = false;
        double scale = 40;
        std::string caption;
        bool list = false;  // drawn at the list scale: its size on paper ignores the scale
        std::optional<draft::SplitGuide> split;  // where a drawing too big for the paper may be cut
    };
    // Empty on success, else why not.
    virtual std::string writePdf(const Request& request) = 0;
    // Through the system's print dialog, the same sheets as writePdf, one page each (path: the
    // file proposed for printing to a file); empty also when the user cancelled.
    virtual std::string print(const Request& request) = 0;
};

struct DraftPreviewPorts {
    platform::FileDialogPort* files = nullptr;
    platform::DumpWindowPort* dump = nullptr;
    settings::IniFile* ini = nullptr;  // "DRAFT" Width / Height; null: not remembered
    SheetWriter* sheets = nullptr;     // null: no PDF
};

inline const std::string kPdfFilter = "PDFファイル|*.pdf|すべて|*.*";
inline const std::string kCadFilter = "CADファイル|*.exe|すべて|*.*";
inline constexpr int kDefaultDraftWidth = 800;
inline constexpr int kDefaultDraftHeight = 600;

// The file a sheet is saved or printed to unless the user says otherwise: the project's
// folder and name, then the sheet's caption ("/proj/sample-配筋図 Y1.pdf"); extension with its dot.
std::string proposedSheetPath(const std::string& projectPath, const std::string& caption, const std::string& extension);

// A scale typed into the scale box: a positive finite number, or nothing.
std::optional<double> parseScale(const std::string& text);
// "40", "12.5": the general number format of the scale box.
std::string scaleText(double scale);

class DraftPreview : public platform::DrawingPort {
public:
    DraftPreview(model::Session& session, Canvas& canvas, DraftWindow& window, const DraftPreviewPorts& ports);

    // Codes 501-505 (and 991): generate, show modally, regenerate while the apply button
    // closed the window; the model store is current again when it returns. 992 does nothing.
    void runDrawing(int code) override;

    // ---- the window's controls ----
    // The window has been laid out for showing: fit the drawing (factor 0.8) and draw it.
    void windowShown();
    void setInitDialog(draft::ScaleMode mode);
    const std::vector<std::string>& scaleList() const { return scaleList_; }
    const std::string& typedScale() const { return typedScale_; }
    // The scale box's text changed; apply is enabled exactly when it is another positive number.
    void scaleTyped(const std::string& text);
    bool applyEnabled() const { return applyEnabled_; }
    void apply();                 // "適用"
    bool regenerate() const { return regenerate_; }
    // "DXFで保存": false when nothing was written (cancelled or failed; a failure is shown).
    bool saveDxf(bool startCad);
    // "PDFで保存": the drawing at its scale on the paper chosen ("自動" picks the smallest).
    bool savePdf(const std::string& paper, bool mono);
    void printSheet(const std::string& paper, bool mono);  // "印刷..."
    void chooseCadProgram();      // "CAD参照"
    void setCadProgram(const std::string& path);
    const std::string& cadProgram() const;
    void close(int width, int height);  // "閉じる": the size is remembered
    void dump();                  // "Dump"
    // The remembered window size ("DRAFT" Width / Height).
    std::pair<int, int> windowSize() const;

    // ---- the canvas ----
    void mouseDown(const MouseEvent& event);
    void mouseMove(const MouseEvent& event);
    void mouseUp(const MouseEvent& event);
    void wheel(int delta) { navigator_.wheel(delta); }
    // Home, Page Up / Down and the arrows move the view as on the main canvas.
    bool key(Key key) { return navigator_.key(key); }
    void resized() { navigator_.resized(); }
    bool fitAll() { return navigator_.fitAll(); }
    void zoomWindow() { navigator_.EnterViewOperation(ViewOperation::ZoomWindow, "ズーム１点目指定"); }

    EditorContext& context() { return ctx_; }
    const ViewTransform& transform() const { return ctx_.transform; }
    RenderControl& renderControl() { return ctx_.control; }
    draft::DraftState& draftState() { return draftState_; }
    bool showing() const { return showing_; }

private:
    double currentScale() const;
    SnapResult pointAt(PixelPoint pixel) { return ctx_.snap(pixel); }

    model::Session& session_;
    DraftWindow& window_;
    DraftPreviewPorts ports_;
    EditorContext ctx_;
    ViewNavigator navigator_;
    draft::DraftState draftState_;
    dxf::DxfExtents extents_;  // kept from one save to the next, as an empty drawing needs
    draft::ScaleMode mode_ = draft::ScaleMode::List;
    std::string caption_;
    std::optional<draft::SplitGuide> split_;  // of the drawing showing
    std::vector<std::string> scaleList_;
    std::string typedScale_;
    bool applyEnabled_ = false;
    bool regenerate_ = false;
    bool showing_ = false;
};

}  // namespace editor
