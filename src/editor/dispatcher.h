// SPDX-License-Identifier: GPL-3.0-or-later
// The plan editor's one entry point: every command code of the menus, toolbar, popup menu and
// hot keys, the canvas mouse and wheel, the application's keys, the view and level tabs. It
// owns the editor state, the view transform and the dot grid, runs the interactive command
// and draws the transient marks on the canvas. No window system here: the main window hands
// in event structs and implements EditorHost and the dialog ports.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "editor/command.h"
#include "editor/editor_context.h"
#include "editor/view_navigator.h"

namespace settings {
class IniFile;
}

namespace editor {

// Addresses opened by the help menu (codes 951-953): the local documentation of the program.
inline const std::array<std::string, 3> kHelpPages = {"docs/index.html", "docs/manual.html", "docs/reference.html"};
inline const std::string kVersionText = "0.980";

class Dispatcher {
public:
    // ini may be null: the settings are then neither written nor read back.
    Dispatcher(model::Session& session, Canvas& canvas, EditorHost* host, const Ports& ports,
               settings::IniFile* ini = nullptr);
    ~Dispatcher();
    Dispatcher(const Dispatcher&) = delete;
    Dispatcher& operator=(const Dispatcher&) = delete;

    // ---- commands ----
    void DispatchCommand(int code);
    void StartCommand(int code);
    void EndCommand() { StartCommand(1); }
    void EndViewOperation();
    void EnterViewOperation(ViewOperation mode, const std::string& prompt);
    void setSnapMode(SnapMode mode);
    void undo();
    void redo();

    // ---- canvas events ----
    void mouseDown(const MouseEvent& event);
    void mouseMove(const MouseEvent& event);
    void mouseUp(const MouseEvent& event);
    void wheel(int delta);
    // True when the key is consumed. Escape acts at the last pointer position seen.
    bool keyDown(Key key);
    void keyUp(Key key);
    // The canvas image has a new size (keeps the scale and the top-left world point).
    void canvasResized();
    // The first application message: home view, redraw, focus. Runs once.
    void firstShow();

    // ---- view and level tabs ----
    void selectViewTab(model::ViewMode mode);
    void selectLevelTab(int index);
    model::ViewMode currentView() const { return ctx_.session.view.mode; }
    std::vector<std::string> levelTabs() const;
    int currentLevelTab() const;

    // ---- project ----
    // New project, open, save, save as; each false when it did not happen (cancelled / failed).
    bool newProject();
    // Before the project goes (open, new, exit): the section dialog's unconfirmed edits are
    // confirmed or dropped as the user answers, and the dialog closes. False: the user stays.
    bool settleSectionDialog();
    bool openProject();
    bool saveProject();
    bool saveProjectAs();
    // Opens the file without asking (a file named on the command line).
    bool openProjectFile(const std::string& path);
    // ST-Bridge: a new project from a file (asking about unsaved changes as open does), and
    // the project written as a file; each shows its report. False when it did not happen.
    bool importStb();
    bool exportStb();
    // Opens a recovery file as the modified project projectPath.
    bool openRecovered(const std::string& recoveryFile, const std::string& projectPath);
    // The section CSV import's question; true when the designations were reset.
    bool askResetDesignations();

    // ---- reading back ----
    const EditorState& state() const { return ctx_.state; }
    MenuState menuState() const;
    std::string title() const;
    void setFirstArgument(const std::string& argument) { firstArgument_ = argument; }
    bool modified() const { return ctx_.session.project.modified; }
    void view3DClosed();
    void Redraw(bool update3D = false) { ctx_.redraw(update3D); }

    ViewTransform& transform() { return ctx_.transform; }
    DotGrid& dotGrid() { return ctx_.dotGrid; }
    RenderControl& renderControl() { return ctx_.control; }
    EditorContext& context() { return ctx_; }
    ViewNavigator& navigator() { return navigator_; }
    const Command& command() const { return *command_; }

private:
    void runImmediate(int code);
    // Told and true while the section dialog is open: the command would replace its table.
    bool sectionDialogHoldsSections();
    void startInteractive(int code);
    std::unique_ptr<Command> makeCommand(int code);
    void syncFromCommand();
    void afterCommandEvent();
    void resetEditor();
    void stateChanged();
    // The unsaved-changes question; true when the caller may go on.
    bool askToSave(bool withCancel);

    // view operation 10: the element under the pointer in a message
    void pickAndShow(const SnapResult& at);

    // display switches and grid
    void toggleGrid();
    void setGridDivisor(int divisor);
    void toggleDisplay(int code);
    void toggle3D();

    // grid commands
    void createGridCommand();
    void editOffsetCommand();

    void loadSettingsBack();
    void saveSettings();
    void writeDxf();
    // After the whole model was replaced: editor state, level tabs, count, fitted view.
    void showReplacedModel();
    void applyLevelTab();
    // Reads file as the project named projectPath.
    bool openAs(const std::string& file, const std::string& projectPath);

    EditorContext ctx_;
    ViewNavigator navigator_;
    std::unique_ptr<Command> command_;
    settings::IniFile* ini_;
    std::string firstArgument_;
    bool saveEnabled_ = false;
    bool firstShown_ = false;
    std::array<int, 3> rememberedTab_{0, 0, 0};
    PixelPoint pointer_;         // last pointer position seen
    bool shiftAtLastMove_ = false;
    // Set while a command's own code runs. Input that arrives meanwhile (a long redraw lets the
    // window system deliver it) must not replace or re-enter that command.
    int inCommand_ = 0;
    struct CommandScope {
        explicit CommandScope(int& depth) : depth_(depth) { ++depth_; }
        ~CommandScope() { --depth_; }
        int& depth_;
    };
};

}  // namespace editor
