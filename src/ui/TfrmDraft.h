// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing preview window (unit gDraft): the drawing on its canvas, with the scale, DXF
// save, CAD program and close controls along the bottom. Every handler hands over to the
// preview's core (editor::DraftPreview); this class only binds the widgets.
#pragma once

#include <functional>

#include <QDialog>

#include "editor/draft_preview.h"
#include "ui/CanvasWidget.h"
#include "ui/QtCanvas.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;

namespace ui {

class QtFileDialogs;
class QtPlatform;

class TfrmDraft : public QDialog, public editor::DraftWindow, public editor::SheetWriter, public CanvasEvents {
    Q_OBJECT
public:
    TfrmDraft(model::Session& session, QtPlatform& platform, QtFileDialogs& files, settings::IniFile& ini,
              platform::DumpWindowPort* dump, QWidget* parent = nullptr);

    editor::DraftPreview& preview() { return preview_; }
    QtCanvas& canvas() { return canvas_; }

    QFrame* pnlDraft;
    CanvasWidget* imgDraft;
    QPushButton* btnRef;
    QLineEdit* edtCADfname;
    QCheckBox* chkExecCAD;
    QComboBox* cmbDraftScale;
    QPushButton* btnAdapt;
    QPushButton* btnDXFSave;
    QPushButton* btnPDFSave;
    QPushButton* btnPrint;
    QComboBox* cmbPaper;
    QCheckBox* chkMono;
    QPushButton* btnCancel;
    QPushButton* btnDump;
    QMenu* PopupMenu;

    void btnRefClick();
    void cmbDraftScaleChange(const QString& text);
    void btnAdaptClick();
    void btnDXFSaveClick();
    void btnPDFSaveClick();
    void btnPrintClick();
    // Tests stand in for the print dialog: true prints to the printer as the hook set it up.
    void setPrintHook(std::function<bool(QPrinter&)> hook) { printHook_ = std::move(hook); }
    void btnCancelClick();
    void btnDumpClick();

    // DraftWindow
    void showModal() override;
    void closeWindow() override;
    void setCaption(const std::string& caption) override;
    void setCursor(editor::CursorKind kind) override;
    void showPopupMenu(editor::PixelPoint at, bool planCanvas) override;
    void focusCanvas() override;
    void stateChanged() override;
    void canvasChanged() override;
    // SheetWriter
    std::string writePdf(const Request& request) override;
    std::string print(const Request& request) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape closes as "閉じる" does.
    void reject() override { btnCancelClick(); }

private:
    // CanvasEvents
    void canvasMouseDown(const editor::MouseEvent& event) override { preview_.mouseDown(event); }
    void canvasMouseMove(const editor::MouseEvent& event) override { preview_.mouseMove(event); }
    void canvasMouseUp(const editor::MouseEvent& event) override { preview_.mouseUp(event); }
    void canvasWheel(int delta) override { preview_.wheel(delta); }
    void canvasResized() override { preview_.resized(); }
    bool canvasKey(editor::Key key) override { return preview_.key(key); }

    model::Session& session_;
    QtFileDialogs& files_;
    QtCanvas canvas_;
    editor::DraftPreview preview_;
    std::function<bool(QPrinter&)> printHook_;
    bool updating_ = false;
    bool polling_ = false;
};

}  // namespace ui
