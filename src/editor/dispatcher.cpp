// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/dispatcher.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "editor/command_codes.h"
#include "editor/designation.h"
#include "editor/help_pages.h"
#include "editor/line_commands.h"
#include "model/grid.h"
#include "model/undo.h"
#include "model/view_slice.h"
#include "session/show_notice.h"
#include "settings/settings_store.h"

namespace editor {

namespace {

bool dialogCommand(int code)
{
    return code == cmd::SMALL_BEAM || code == cmd::GIRDER_MARK || code == cmd::COLUMN_MARK || code == cmd::PARALLEL;
}

std::string elementLine(const model::ElementStore& store, int i)
{
    const model::Element& e = store.at(i);
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "No.%d kind=%d SID=%d LY=%d CL=%d UID=%d refUID=%d secID=%d memberNo=%d "
                  "(%.3f, %.3f, %.3f)-(%.3f, %.3f, %.3f) offset(%.3f, %.3f, %.3f)",
                  i, e.kind, e.SID, e.LY, e.CL, e.UID, e.refUID, e.secID, e.memberNo, e.X1, e.Y1, e.Z1, e.X2, e.Y2,
                  e.Z2, e.OX, e.OY, e.OZ);
    return buf;
}

}  // namespace

Dispatcher::Dispatcher(model::Session& session, Canvas& canvas, EditorHost* host, const Ports& ports,
                       settings::IniFile* ini)
    : ctx_(session, canvas, host, ports), navigator_(ctx_), command_(std::make_unique<IdleCommand>()), ini_(ini)
{
    ctx_.command = command_.get();
    ctx_.state.newLineColour = model::kNewLineColour;
    model::makeGridNames(session.grid, session.settings.draft.gridNaming);
}

Dispatcher::~Dispatcher() { ctx_.command = nullptr; }

// ---- the dispatch table ----

void Dispatcher::DispatchCommand(int code)
{
    ctx_.state.lastCommand = code;
    runImmediate(code);
    stateChanged();
}

void Dispatcher::runImmediate(int code)
{
    auto& ports = ctx_.ports;
    switch (code) {
    case cmd::FILE_NEW:
        EndViewOperation();
        if (!settleSectionDialog()) break;
        if (newProject()) {
            saveSettings();
            loadSettingsBack();
        }
        break;
    case cmd::FILE_OPEN:
        EndViewOperation();
        if (settleSectionDialog()) openProject();
        break;
    case cmd::FILE_SAVE:
        EndViewOperation();
        saveProject();
        break;
    case cmd::FILE_SAVE_AS:
        EndViewOperation();
        saveProjectAs();
        break;
    case cmd::FILE_DXF:
        EndViewOperation();
        writeDxf();
        break;
    case cmd::DRAFT_SETTINGS:
        EndViewOperation();
        if (ports.draftSettings)
            ports.draftSettings->openDraftSettings();
        else
            ctx_.notAvailable();
        break;
    case cmd::INERT_203:
    case cmd::INERT_206:
    case cmd::DELETE:
    case cmd::GRID_ORIGIN:
    case cmd::SMALL_BEAM:
    case cmd::GIRDER_MARK:
    case cmd::COLUMN_MARK:
    case cmd::LINE:
    case cmd::PARALLEL:
    case cmd::EXTEND_CUT:
    case cmd::CUT_AT_CROSSINGS:
    case cmd::MEMBERS_TO_LINES:
        // A command chosen during a view operation would otherwise not start at all.
        EndViewOperation();
        StartCommand(code);
        break;
    case cmd::REDRAW: ctx_.redraw(); break;
    case cmd::FIT_ALL: ctx_.fitAll(); break;
    case cmd::ZOOM_WINDOW: EnterViewOperation(ViewOperation::ZoomWindow, "ズーム１点目指定"); break;
    case cmd::GRID: toggleGrid(); break;
    case 308:
    case 309:
    case 310:
    case 311: setGridDivisor(code - 307); break;
    case cmd::GRID_DISTANCE:
        EndViewOperation();
        if (!ports.gridPitch) {
            ctx_.notAvailable();
        } else if (auto pitch = ports.gridPitch->chooseGridPitch()) {
            if (ctx_.dotGrid.SetGridDistance(*pitch) && ctx_.dotGrid.gridVisible) ctx_.redraw();
        }
        break;
    case cmd::PROPERTY: EnterViewOperation(ViewOperation::PickAndShow, "図形を選択(右クリックで終了)"); break;
    case cmd::LINE_END_MARK:
    case cmd::LINE_DIRECTION_MARK:
    case cmd::MEMBER_NAME:
    case cmd::DIMENSIONS:
    case cmd::GRID_LINES_SHOWN:
    case cmd::MEMBER_NUMBER:
    case cmd::DATA_NUMBER: toggleDisplay(code); break;
    case cmd::GIRDER_SECTIONS:
    case cmd::COLUMN_SECTIONS:
        EndViewOperation();
        if (!ports.sectionDialog) {
            ctx_.notAvailable();
            break;
        }
        // The section dialog lists levels; without any it offers three.
        if (ctx_.session.grid.spanCount[model::AXIS_Z] < 1) ctx_.session.grid.spanCount[model::AXIS_Z] = 3;
        ports.sectionDialog->openSectionDialog(code == cmd::GIRDER_SECTIONS ? 'G' : 'C');
        break;
    case cmd::VIEW_3D:
        EndViewOperation();
        toggle3D();
        break;
    case cmd::CSV_IMPORT:
        EndViewOperation();
        if (sectionDialogHoldsSections()) break;
        if (!ports.sectionCsv)
            ctx_.notAvailable();
        else if (ports.sectionCsv->importSections()) {
            askResetDesignations();
            ctx_.sectionsChanged();
        }
        break;
    case cmd::CSV_EXPORT:
        EndViewOperation();
        if (sectionDialogHoldsSections()) break;
        if (ports.sectionCsv)
            ports.sectionCsv->exportSections();
        else
            ctx_.notAvailable();
        break;
    case cmd::DRAW_FRAMING:
    case cmd::DRAW_COLUMN_LIST:
    case cmd::DRAW_GIRDER_LIST:
    case cmd::DRAW_EMPTY:
    case cmd::DRAW_REBAR:
    case cmd::TEST_01:
    case cmd::TEST_02:
        EndViewOperation();
        if (!ports.drawings) {
            ctx_.notAvailable();
            break;
        }
        ports.drawings->runDrawing(code);
        ctx_.transform.setCanvasSize(ctx_.canvas.width(), ctx_.canvas.height());
        ctx_.redraw();
        break;
    case cmd::GRID_CREATE: createGridCommand(); break;
    case cmd::GRID_OFFSETS: editOffsetCommand(); break;
    case cmd::DUMP:
        EndViewOperation();
        if (ports.dump)
            ports.dump->showDump();
        else
            ctx_.notAvailable();
        break;
    case cmd::EXIT:
        EndViewOperation();
        saveSettings();
        if (ctx_.host) ctx_.host->closeMainWindow();
        break;
    case cmd::HELP_HOME:
    case cmd::HELP_MANUAL:
    case cmd::HELP_REFERENCE: openHelpPage(ctx_.platform(), ctx_.session.programDir, code - cmd::HELP_HOME); break;
    case cmd::VERSION:
        EndViewOperation();
        if (ports.version)
            ports.version->showVersion();
        else
            ctx_.notAvailable();
        break;
    case cmd::FILE_STB_IMPORT:
        EndViewOperation();
        if (!sectionDialogHoldsSections()) importStb();
        break;
    case cmd::FILE_STB_EXPORT:
        EndViewOperation();
        exportStb();
        break;
    case cmd::QUANTITIES:
        EndViewOperation();
        if (ports.quantities)
            ports.quantities->showQuantities();
        else
            ctx_.notAvailable();
        break;
    case cmd::CHECKS:
        EndViewOperation();
        if (ports.checks)
            ports.checks->showChecks();
        else
            ctx_.notAvailable();
        break;
    default: break;  // codes without an action
    }
}

// ---- commands and view operations ----

std::unique_ptr<Command> Dispatcher::makeCommand(int code)
{
    const EditorState& st = ctx_.state;
    switch (code) {
    case cmd::IDLE: return std::make_unique<IdleCommand>();
    case cmd::DELETE: return std::make_unique<DeleteCommand>();
    case cmd::GRID_ORIGIN: return std::make_unique<GridOriginCommand>();
    case cmd::SMALL_BEAM: return std::make_unique<SmallBeamCommand>();
    case cmd::GIRDER_MARK: return std::make_unique<DesignateCommand>(MemberType::Girder);
    case cmd::COLUMN_MARK: return std::make_unique<DesignateCommand>(MemberType::Column);
    case cmd::LINE: return std::make_unique<DrawLineCommand>();
    case cmd::PARALLEL: return std::make_unique<ParallelLineCommand>();
    case cmd::EXTEND_CUT: return std::make_unique<ExtendCutCommand>();
    case cmd::CUT_AT_CROSSINGS: return std::make_unique<CutAtCrossingsCommand>();
    case cmd::MEMBERS_TO_LINES: return std::make_unique<MembersToLinesCommand>();
    default: return std::make_unique<InertCommand>(code, st.commandStep, st.prompt, st.cursorKind);
    }
}

void Dispatcher::StartCommand(int code)
{
    auto& st = ctx_.state;
    if (st.viewOperation != ViewOperation::None || inCommand_ > 0) return;
    ctx_.EraseTransients();
    auto next = makeCommand(code);
    const bool inert = dynamic_cast<InertCommand*>(next.get()) != nullptr;
    command_ = std::move(next);
    ctx_.command = command_.get();
    ctx_.endRequested = false;
    st.currentCommand = code;
    st.snap.snapAllowed = true;
    if (!inert) {
        st.rubberKind = RubberKind::None;
        st.firstPoint = {};
        st.secondPoint = {};
        st.prompt.clear();
        if (code == cmd::LINE) st.newLineColour = model::kNewLineColour;
    }
    st.afterDialog = dialogCommand(code);
    syncFromCommand();
    {
        CommandScope scope(inCommand_);
        command_->begin(ctx_);
    }
    st.afterDialog = false;
    if (ctx_.endRequested) {
        ctx_.endRequested = false;
        StartCommand(cmd::IDLE);
        return;
    }
    syncFromCommand();
    ctx_.showPrompt(st.prompt);
    ctx_.setCursor(st.cursorKind);
    if (ctx_.host) ctx_.host->focusCanvas();
}

void Dispatcher::syncFromCommand()
{
    auto& st = ctx_.state;
    st.commandStep = command_->step();
    st.prompt = command_->prompt();
    st.snap.snapAllowed = command_->snapAllowed();
    st.cursorKind = command_->cursor();
}

void Dispatcher::afterCommandEvent()
{
    if (ctx_.endRequested) {
        ctx_.endRequested = false;
        EndCommand();
        return;
    }
    syncFromCommand();
    ctx_.setCursor(ctx_.state.cursorKind);
    ctx_.showPrompt(ctx_.state.prompt);
    ctx_.canvasChanged();
}

void Dispatcher::EndViewOperation() { navigator_.EndViewOperation(); }

void Dispatcher::EnterViewOperation(ViewOperation mode, const std::string& prompt)
{
    navigator_.EnterViewOperation(mode, prompt);
}

void Dispatcher::setSnapMode(SnapMode mode)
{
    ctx_.state.snap.snapMode = mode;
    stateChanged();
}

void Dispatcher::undo()
{
    model::undoCommand(ctx_.session, ctx_.session.settings.draft.gridNaming);
    applyLevelTab();  // the step may have brought another grid
    ctx_.redraw(true);
    ctx_.showCount();
    stateChanged();
}

void Dispatcher::redo()
{
    model::redoCommand(ctx_.session, ctx_.session.settings.draft.gridNaming);
    applyLevelTab();  // the step may have brought another grid
    ctx_.redraw(true);
    ctx_.showCount();
    stateChanged();
}

// ---- canvas events ----

void Dispatcher::mouseDown(const MouseEvent& ev)
{
    auto& st = ctx_.state;
    pointer_ = ev.point;
    if (navigator_.dragging() || inCommand_ > 0) return;  // one thing at a time
    st.snap.orthoKey = ev.shift;

    const bool idle = st.currentCommand == cmd::IDLE && st.viewOperation == ViewOperation::None && st.commandStep == 1;
    if (navigator_.startDrag(ev, idle)) return;
    if (idle && ev.button == MouseButton::Right) {
        ctx_.EraseTransients();
        ctx_.canvasChanged();
        if (ctx_.host) ctx_.host->showPopupMenu(ev.point, true);
        return;
    }
    const SnapResult at = ctx_.snap(ev.point);
    if (st.viewOperation != ViewOperation::None) {
        if (!navigator_.press(ev.button, at)) pickAndShow(at);
        return;
    }
    ctx_.session.project.modified = true;
    ctx_.EraseTransients();
    if (command_->selectsOnPress()) {
        st.firstPoint = at.world;
        st.rubberKind = RubberKind::Rectangle;
    } else {
        CommandScope scope(inCommand_);
        command_->press(ctx_, ev.button, at.world);
    }
    afterCommandEvent();
}

void Dispatcher::mouseMove(const MouseEvent& ev)
{
    auto& st = ctx_.state;
    pointer_ = ev.point;
    if (navigator_.dragMove(ev.point)) return;
    // Half way through a command or a redraw the marks would land on a picture being changed.
    if (inCommand_ > 0 || ctx_.redrawing > 0) return;
    st.snap.orthoKey = ev.shift;
    if (ev.shift != shiftAtLastMove_) ctx_.erasePreview();
    shiftAtLastMove_ = ev.shift;
    const SnapResult at = ctx_.snap(ev.point);

    if (st.viewOperation != ViewOperation::None) {
        navigator_.move(ev.point);
        return;
    }
    ctx_.EraseTransients();
    if (st.cursorKind == CursorKind::CrossHair) ctx_.drawCrosshair(ev.point);
    if (st.currentCommand != cmd::IDLE && st.snap.snapAllowed && st.snap.snapMode != SnapMode::Free)
        ctx_.drawMarker(at.pixel);
    ctx_.drawPreview(at.world);
    if (st.rubberKind != RubberKind::None) {
        PixelPoint from;
        if (ctx_.transform.ToPixel(st.firstPoint.x, st.firstPoint.y, from)) ctx_.drawRubber(st.rubberKind, from, at.pixel);
    }
    ctx_.canvasChanged();
}

void Dispatcher::mouseUp(const MouseEvent& ev)
{
    auto& st = ctx_.state;
    pointer_ = ev.point;
    if (navigator_.endDrag(ev)) return;
    if (inCommand_ > 0) return;
    const SnapResult at = ctx_.snap(ev.point);
    if (st.viewOperation != ViewOperation::None) {
        navigator_.release(ev.button, at);
        return;
    }
    ctx_.EraseTransients();
    st.rubberKind = RubberKind::None;
    {
        CommandScope scope(inCommand_);
        command_->release(ctx_, ev.button, at.world);
    }
    afterCommandEvent();
}

void Dispatcher::pickAndShow(const SnapResult& at)
{
    const int i = ctx_.pick(at.world);
    if (i < 0)
        ctx_.beep();
    else
        ctx_.notice(elementLine(ctx_.store(), i));
    ctx_.canvasChanged();
}

void Dispatcher::wheel(int delta) { navigator_.wheel(delta); }

bool Dispatcher::keyDown(Key key)
{
    switch (key) {
    case Key::Shift: ctx_.state.snap.orthoKey = true; return true;
    case Key::Escape:
        mouseDown(MouseEvent{MouseButton::Right, pointer_, ctx_.state.snap.orthoKey});
        return true;
    case Key::Space: DispatchCommand(ctx_.state.lastCommand); return false;
    case Key::PageUp:
    case Key::PageDown:
    case Key::Home:
    case Key::Left:
    case Key::Up:
    case Key::Right:
    case Key::Down: return navigator_.key(key);
    case Key::Delete: return true;
    case Key::Other: return false;
    }
    return false;
}

void Dispatcher::keyUp(Key) { ctx_.state.snap.orthoKey = false; }

void Dispatcher::canvasResized() { navigator_.resized(); }

void Dispatcher::firstShow()
{
    if (firstShown_) return;
    firstShown_ = true;
    ctx_.transform.setCanvasSize(ctx_.canvas.width(), ctx_.canvas.height());
    if (session::shown(ctx_.platform(), ctx_.transform.HomeView())) ctx_.redraw();
    ctx_.showCount();
    if (ctx_.host) ctx_.host->focusCanvas();
    stateChanged();
}

// ---- tabs ----

std::vector<std::string> Dispatcher::levelTabs() const
{
    std::vector<std::string> names;
    const model::GridModel& grid = ctx_.session.grid;
    const model::ViewMode mode = ctx_.session.view.mode;
    const int n = model::sliceCount(grid, mode);
    for (int i = 0; i < n; ++i) {
        if (mode == model::ViewMode::Plan)
            names.push_back(i == 0 ? "F層" : i == n - 1 ? "R層" : std::to_string(i + 1) + "層");
        else {
            // The grid's own names, as the canvas labels the lines.
            const int axis = mode == model::ViewMode::ElevationXZ ? model::AXIS_Y : model::AXIS_X;
            const std::string& name = grid.name(axis, i);
            names.push_back(name.empty() ? (axis == model::AXIS_Y ? "Y" : "X") + std::to_string(i) : name);
        }
    }
    return names;
}

int Dispatcher::currentLevelTab() const
{
    const int n = static_cast<int>(levelTabs().size());
    if (n == 0) return -1;
    return std::clamp(rememberedTab_[static_cast<size_t>(ctx_.session.view.mode)], 0, n - 1);
}

void Dispatcher::applyLevelTab()
{
    const int tab = currentLevelTab();
    if (tab < 0) return;
    auto& view = ctx_.session.view;
    rememberedTab_[static_cast<size_t>(view.mode)] = tab;
    model::selectSlice(ctx_.session.grid, view.mode, tab, view);
}

void Dispatcher::selectViewTab(model::ViewMode mode)
{
    EndViewOperation();
    EndCommand();
    ctx_.session.view.mode = mode;
    applyLevelTab();
    ctx_.redraw(true);
    stateChanged();
}

void Dispatcher::selectLevelTab(int index)
{
    const int n = static_cast<int>(levelTabs().size());
    if (index < 0 || index >= n) return;
    rememberedTab_[static_cast<size_t>(ctx_.session.view.mode)] = index;
    applyLevelTab();
    ctx_.redraw();
    stateChanged();
}

// ---- display switches ----

void Dispatcher::toggleGrid()
{
    // The switch shows what it says: one use shows the grid, the next hides it.
    const bool v = !ctx_.dotGrid.gridVisible;
    ctx_.session.settings.env.ShowGrid = v;
    ctx_.dotGrid.gridVisible = v;
    ctx_.state.snap.snapMode = v ? SnapMode::Grid : SnapMode::EndPoint;
    ctx_.redraw();
}

void Dispatcher::setGridDivisor(int divisor)
{
    if (ctx_.dotGrid.SetGridDivisor(divisor) && ctx_.dotGrid.gridVisible) ctx_.redraw();
}

void Dispatcher::toggleDisplay(int code)
{
    auto& env = ctx_.session.settings.env;
    switch (code) {
    case cmd::LINE_END_MARK: env.ShowLineEndMark = !env.ShowLineEndMark; break;
    case cmd::LINE_DIRECTION_MARK: env.SHowHelper = !env.SHowHelper; break;
    case cmd::MEMBER_NAME:
        env.ShowMemberName = !env.ShowMemberName;
        if (env.ShowMemberName) env.ShowNumber = false;
        break;
    case cmd::DIMENSIONS: env.DrawDim = !env.DrawDim; break;
    case cmd::GRID_LINES_SHOWN: env.DrawBaseLine = !env.DrawBaseLine; break;
    case cmd::MEMBER_NUMBER: env.ShowNumber = !env.ShowNumber; break;
    case cmd::DATA_NUMBER: ctx_.showDataNumber = !ctx_.showDataNumber; break;
    default: return;
    }
    ctx_.redraw();
}

void Dispatcher::toggle3D()
{
    if (!ctx_.ports.view3D) {
        ctx_.notAvailable();
        return;
    }
    ctx_.view3DVisible = !ctx_.view3DVisible;
    ctx_.ports.view3D->setVisible(ctx_.view3DVisible);
    if (ctx_.view3DVisible) ctx_.ports.view3D->reload();
}

void Dispatcher::view3DClosed()
{
    ctx_.view3DVisible = false;
    stateChanged();
}

// ---- reading back ----

MenuState Dispatcher::menuState() const
{
    const auto& env = ctx_.session.settings.env;
    MenuState m;
    m.snapMode = ctx_.state.snap.snapMode;
    m.gridVisible = ctx_.dotGrid.gridVisible;
    m.gridPitchEnabled = ctx_.dotGrid.gridVisible;
    m.gridDivisor = static_cast<int>(ctx_.dotGrid.gridDivisor);
    m.drawBaseLine = env.DrawBaseLine;
    m.drawDim = env.DrawDim;
    m.showMemberName = env.ShowMemberName;
    m.showNumber = env.ShowNumber;
    m.showDataNumber = ctx_.showDataNumber;
    m.showLineEndMark = env.ShowLineEndMark;
    m.showHelper = env.SHowHelper;
    m.view3DVisible = ctx_.view3DVisible;
    m.saveEnabled = saveEnabled_;
    m.rebarDrawingEnabled = ctx_.session.view.mode != model::ViewMode::Plan;
    return m;
}

std::string Dispatcher::title() const
{
    const std::string& path = ctx_.session.project.path;
    const size_t slash = path.find_last_of("/\\");
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return firstArgument_ + "Tessmar(Ver" + kVersionText.substr(0, kVersionText.size() - 1) + ") - " + file;
}

void Dispatcher::stateChanged()
{
    if (ctx_.host) ctx_.host->stateChanged();
}

// ---- settings ----

void Dispatcher::saveSettings()
{
    if (!ini_) return;
    if (ctx_.host) ctx_.host->storeWindowGeometry(ctx_.session.settings.position);
    settings::SaveSettings(*ini_, ctx_.session.settings, ctx_.platform());
}

void Dispatcher::loadSettingsBack()
{
    if (!ini_) return;
    settings::LoadSettings(*ini_, ctx_.session.settings, ctx_.platform());
    model::makeGridNames(ctx_.session.grid, ctx_.session.settings.draft.gridNaming);
    if (ctx_.host) ctx_.host->settingsLoaded(ctx_.session.settings);
    ctx_.redraw();
}

bool Dispatcher::settleSectionDialog()
{
    auto* dialog = ctx_.ports.sectionDialog;
    if (!dialog || !dialog->sectionDialogOpen()) return true;
    bool keep = false;
    if (dialog->sectionEditsPending()) {
        const auto answer =
            ctx_.platform().messageBox(platform::kConfirmCaption, kUnconfirmedSections, platform::Buttons::YesNoCancel);
        if (answer == platform::Answer::Cancel) return false;
        keep = answer == platform::Answer::Yes;
    }
    // Its rows belong to the project that is going away; a refused field stops the close or
    // open, so the edits are not lost behind the message.
    return dialog->closeSectionDialog(keep);
}

bool Dispatcher::sectionDialogHoldsSections()
{
    // Its OK would write back the table it copied on opening over whatever replaced the table
    // in between (export renumbers it too).
    if (!ctx_.ports.sectionDialog || !ctx_.ports.sectionDialog->sectionDialogOpen()) return false;
    ctx_.platform().messageBox(platform::kConfirmCaption, kCloseSectionDialogFirst, platform::Buttons::Ok);
    return true;
}

bool Dispatcher::askResetDesignations()
{
    const auto answer = ctx_.platform().messageBox(platform::kConfirmCaption, "部材の指示関係を初期化します。",
                                                   platform::Buttons::YesNo);
    if (answer != platform::Answer::Yes) return false;
    resetDesignations(ctx_.session);
    ctx_.session.project.modified = true;
    ctx_.redraw(true);
    return true;
}

}  // namespace editor
