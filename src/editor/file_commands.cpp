// SPDX-License-Identifier: GPL-3.0-or-later
// New, open, save and save as, with the unsaved-changes questions.
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "dxf/dxf_writer.h"
#include "editor/command_codes.h"
#include "editor/dispatcher.h"
#include "editor/overwrite_check.h"
#include "model/project_file.h"
#include "session/show_notice.h"

namespace editor {

namespace {

bool endsWithKel(const std::string& name)
{
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".kel";
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::u8path(path), ec);
}

}  // namespace

bool mayWrite(platform::Platform& platform, const std::string& typed, const std::string& name)
{
    if (name == typed || !fileExists(name)) return true;
    return platform.messageBox(platform::kConfirmCaption, name + " は既に存在します。上書きしますか?",
                               platform::Buttons::YesNo) == platform::Answer::Yes;
}

bool Dispatcher::askToSave(bool withCancel)
{
    auto& session = ctx_.session;
    if (!session.project.modified) return true;
    const auto answer = session.platform.messageBox(
        platform::kConfirmCaption, session.project.path + "は変更されています。変更を保存しますか?",
        withCancel ? platform::Buttons::YesNoCancel : platform::Buttons::YesNo);
    if (answer == platform::Answer::Cancel) return false;
    if (answer == platform::Answer::Yes) return saveProjectAs();
    return true;
}

void Dispatcher::resetEditor()
{
    auto& st = ctx_.state;
    EndViewOperation();
    EndCommand();
    st.rubberKind = RubberKind::None;
    st.savedCursorKind = kNoSavedCursor;
    st.commandStep = 1;
    st.snap.snapAllowed = true;
    st.zoomWindowStep = 1;
    st.afterDialog = false;
    st.panDrag = false;
    st.middleZoomDrag = false;
    ctx_.setCursor(CursorKind::Hand);
    ctx_.session.view.currentLayer = 1;
    rememberedTab_ = {0, 0, 0};
}

bool Dispatcher::newProject()
{
    if (!askToSave(false)) return false;
    auto& session = ctx_.session;
    resetEditor();
    model::resetProject(session);
    ctx_.transform.setCanvasSize(ctx_.canvas.width(), ctx_.canvas.height());
    if (ctx_.canvas.width() > 0 && ctx_.canvas.height() > 0) session::shown(session.platform, ctx_.transform.HomeView());
    ctx_.redraw(true);
    ctx_.showCount();
    stateChanged();
    return true;
}

bool Dispatcher::openProject()
{
    if (!askToSave(true)) return false;
    if (!ctx_.ports.files) {
        ctx_.notAvailable();
        return false;
    }
    auto& project = ctx_.session.project;
    const auto path = ctx_.ports.files->openFile(platform::kProjectFilter,
                                                 ctx_.session.hasDefaultName() ? "" : project.path);
    if (!path) return false;
    return openProjectFile(*path);
}

bool Dispatcher::openProjectFile(const std::string& path) { return openAs(path, path); }

bool Dispatcher::openRecovered(const std::string& recoveryFile, const std::string& projectPath)
{
    return openAs(recoveryFile, projectPath);
}

bool Dispatcher::openAs(const std::string& file, const std::string& projectPath)
{
    auto& session = ctx_.session;
    EndViewOperation();
    const model::ViewMode mode = session.view.mode;
    // The file is read into a model of its own; a failure leaves the open project as it was.
    const model::FileResult result = model::readProject(session, file);
    if (result.ok && file != projectPath) {
        // A copy of unsaved work: the user's own file is written only when the user saves.
        session.project.path = projectPath;
        session.project.modified = true;
    }
    saveEnabled_ = true;
    if (!result.ok) {
        ctx_.notice("プロジェクトを開けませんでした。\n" + result.message);
        ctx_.fitAll();
        stateChanged();
        return false;
    }
    resetEditor();
    session.view.mode = mode;
    showReplacedModel();
    if (!result.notice.empty()) ctx_.notice(result.notice);
    return true;
}

bool Dispatcher::saveProject()
{
    auto& session = ctx_.session;
    if (session.hasDefaultName()) {
        ctx_.notice("名前をつけて保存して下さい。");
        return false;
    }
    const model::FileResult result = model::writeProject(session, session.project.path);
    if (!result.ok) ctx_.notice("保存できませんでした。\n" + result.message);
    stateChanged();
    return result.ok;
}

bool Dispatcher::saveProjectAs()
{
    auto& session = ctx_.session;
    if (!ctx_.ports.files) {
        ctx_.notAvailable();
        return false;
    }
    const auto chosen =
        ctx_.ports.files->saveFile(platform::kProjectFilter, session.hasDefaultName() ? "" : session.project.path);
    if (!chosen || chosen->empty()) return false;
    const std::string name = endsWithKel(*chosen) ? *chosen : *chosen + ".kel";
    if (!mayWrite(session.platform, *chosen, name)) return false;
    const model::FileResult result = model::writeProject(session, name);
    if (!result.ok) {
        ctx_.notice("保存できませんでした。\n" + result.message);
        return false;
    }
    session.project.path = name;
    saveEnabled_ = true;
    stateChanged();
    return true;
}

void Dispatcher::writeDxf()
{
    if (!ctx_.ports.files) {
        ctx_.notAvailable();
        return;
    }
    const auto chosen = ctx_.ports.files->saveFile(platform::kDxfFilter, "");
    if (!chosen || chosen->empty()) return;
    const std::string name = dxf::dxfFileName(*chosen);
    if (!mayWrite(ctx_.session.platform, *chosen, name)) return;
    // The model's own lines, circles, arcs and labels; members and grid lines are not entities.
    dxf::DxfExtents extents;
    const model::FileResult result = dxf::WriteDxf(name, ctx_.session, extents);
    if (!result.ok) ctx_.notice("DXFファイルを書けませんでした。\n" + result.message);
}

}  // namespace editor
