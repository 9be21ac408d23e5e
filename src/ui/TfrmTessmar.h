// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the plan canvas with its menus, toolbar, popup menu, view and level tabs
// and status bar. It turns every menu item, button and canvas event into a call of the
// editor's dispatcher and shows what the dispatcher reports back.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

#include "editor/dispatcher.h"
#include "editor/editor_host.h"
#include "editor/section_csv_commands.h"
#include "platform/ss2_port.h"
#include "session/session.h"
#include "settings/ini_file.h"
#include "ui/CanvasWidget.h"
#include "ui/QtCanvas.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtPlatform.h"

namespace model {
class Autosaver;
class RecoveryFolder;
}  // namespace model

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTabBar;
class QTimer;
class QToolBar;

namespace ui {

class Tfrm3DView;
class TfrmBaseLine;
class TfrmConfirm;
class TfrmDetail;
class TfrmDraft;
class TfrmDump;
class TfrmImport;
class TfrmDraftEnv;
class TfrmEnvironment;
class TfrmGridPitchDistance;
class TfrmKeypad;
class TfrmMember;
class TfrmPCopy;
class TfrmQuantity;
class TfrmCheck;
class TfrmStbReport;
class TfrmTitle;
class TfrmSetPdf;
class TfrmSection;
class TfrmVersion;

class TfrmTessmar : public QMainWindow, public editor::EditorHost, public CanvasEvents {
    Q_OBJECT
public:
    // arguments: the command line without the program's name. The settings of the session
    // have been read already; the window applies its geometry and check marks from them.
    TfrmTessmar(model::Session& session, QtPlatform& platform, settings::IniFile& ini,
                const std::vector<std::string>& arguments, QWidget* parent = nullptr);
    ~TfrmTessmar() override;

    editor::Dispatcher& dispatcher() { return *dispatcher_; }
    model::Session& session() { return session_; }
    QtPlatform& platform() { return platform_; }
    QtFileDialogs& fileDialogs() { return files_; }
    QtCanvas& canvas() { return canvas_; }

    TfrmBaseLine& frmBaseLine() { return *frmBaseLine_; }
    TfrmKeypad& frmKeypad() { return *frmKeypad_; }
    TfrmDump& frmDump() { return *frmDump_; }
    TfrmImport& frmImport() { return *frmImport_; }
    // The SS2 paste dialog, for the section dialog.
    platform::Ss2ImportPort& ss2Import();
    Tfrm3DView& frm3DView() { return *frm3DView_; }
    TfrmPCopy& frmPCopy() { return *frmPCopy_; }
    TfrmGridPitchDistance& frmGridPitchDistance() { return *frmGridPitch_; }
    TfrmMember& frmMember() { return *frmMember_; }
    TfrmDetail& frmDetail() { return *frmDetail_; }
    TfrmConfirm& frmConfirm() { return *frmConfirm_; }
    TfrmVersion& frmVersion() { return *frmVersion_; }
    TfrmSection& frmSection() { return *frmSection_; }
    TfrmDraft& frmDraft() { return *frmDraft_; }
    TfrmDraftEnv& frmDraftEnv() { return *frmDraftEnv_; }
    TfrmEnvironment& frmEnvironment() { return *frmEnvironment_; }
    TfrmQuantity& frmQuantity() { return *frmQuantity_; }
    TfrmCheck& frmCheck() { return *frmCheck_; }
    TfrmTitle& frmTitle() { return *frmTitle_; }
    TfrmSetPdf& frmSetPdf() { return *frmSetPdf_; }

    // A menu item, toolbar button or popup item by its name ("mnuFileSave", "tbGrid", ...).
    QAction* action(const QString& name) const;
    // What a menu item with this command code does.
    void runCommand(int code);
    // 作図 → 図面一式をPDFで保存: asks for the file, then writes the set with its progress.
    void saveDrawingSetPdf();
    // True once the first application message has been handled (home view, start-up file).
    bool started() const { return started_; }
    // The file named on the command line, when it existed at start-up.
    const std::string& startupFile() const { return startupFile_; }
    // Keeps a copy of unsaved work in the folder every intervalMs (0: never) and, at start-up,
    // offers the copies of programs that ended without saving. Call before the window is shown.
    void enableRecovery(std::unique_ptr<model::RecoveryFolder> folder, int intervalMs);

    // Window parts, named as in the window definition.
    QTabBar* tbcDirect;
    QTabBar* tbcNumber;
    QFrame* pnlKel;
    CanvasWidget* imgKel;
    QToolBar* ToolBar1;
    QMenu* PopupMenu1;
    std::array<QLabel*, QtPlatform::kPanelCount> StatusPanels{};

    // EditorHost
    void setCursor(editor::CursorKind kind) override;
    void showPopupMenu(editor::PixelPoint at, bool planCanvas) override;
    void focusCanvas() override;
    void stateChanged() override;
    void closeMainWindow() override;
    void canvasChanged() override;
    void storeWindowGeometry(settings::WindowPosition& position) override;
    void settingsLoaded(const settings::Settings& settings) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Unsaved changes are not dropped silently: the same question as before opening a file.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // CanvasEvents
    void canvasMouseDown(const editor::MouseEvent& event) override;
    void canvasMouseMove(const editor::MouseEvent& event) override;
    void canvasMouseUp(const editor::MouseEvent& event) override;
    void canvasWheel(int delta) override;
    void canvasResized() override;

    QAction* addItem(QMenu* menu, const char* name, const QString& caption, int code, bool hidden = false);
    void buildMenus();
    void buildToolBar();
    void buildPopupMenu();
    void buildStatusBar();
    void buildDialogs();
    void applyGeometry(const settings::WindowPosition& position);
    void updateTabs();
    void firstMessage();
    bool handleKey(QKeyEvent* event, bool press);
    void autosave();

    model::Session& session_;
    QtPlatform& platform_;
    settings::IniFile& ini_;
    std::vector<std::string> arguments_;
    std::string startupFile_;
    QtCanvas canvas_;
    QtFileDialogs files_;
    std::unique_ptr<editor::Dispatcher> dispatcher_;

    std::unique_ptr<TfrmBaseLine> frmBaseLine_;
    std::unique_ptr<TfrmKeypad> frmKeypad_;
    std::unique_ptr<TfrmDump> frmDump_;
    std::unique_ptr<TfrmImport> frmImport_;
    std::unique_ptr<editor::SectionCsvCommands> sectionCsv_;
    std::unique_ptr<Tfrm3DView> frm3DView_;
    std::unique_ptr<TfrmPCopy> frmPCopy_;
    std::unique_ptr<TfrmGridPitchDistance> frmGridPitch_;
    std::unique_ptr<TfrmMember> frmMember_;
    std::unique_ptr<TfrmDetail> frmDetail_;
    std::unique_ptr<TfrmConfirm> frmConfirm_;
    std::unique_ptr<TfrmDraftEnv> frmDraftEnv_;
    std::unique_ptr<TfrmEnvironment> frmEnvironment_;
    std::unique_ptr<TfrmVersion> frmVersion_;
    std::unique_ptr<TfrmSection> frmSection_;
    std::unique_ptr<TfrmDraft> frmDraft_;
    std::unique_ptr<TfrmQuantity> frmQuantity_;
    std::unique_ptr<TfrmCheck> frmCheck_;
    std::unique_ptr<TfrmStbReport> frmStbReport_;
    // The autosaver goes first: its writer must finish before the folder lets go of its lock.
    std::unique_ptr<model::RecoveryFolder> recovery_;
    std::unique_ptr<model::Autosaver> autosaver_;
    QTimer* autosaveTimer_ = nullptr;
    std::unique_ptr<TfrmTitle> frmTitle_;
    std::unique_ptr<TfrmSetPdf> frmSetPdf_;

    std::map<QString, QAction*> actions_;
    std::array<QAction*, 7> snapItems_{};
    std::array<QAction*, 4> pitchItems_{};
    QMenu* mnuGridPitch_ = nullptr;
    bool updating_ = false;
    bool shown_ = false;
    bool started_ = false;
    bool polling_ = false;
    // The key event last handed to the editor: a key the focused control does not take
    // travels up to its parents and would otherwise be seen again.
    const QEvent* lastKeyEvent_ = nullptr;
    quint64 lastKeyTime_ = 0;
};

}  // namespace ui
