// SPDX-License-Identifier: GPL-3.0-or-later
// ST-Bridge読込 and ST-Bridge出力 of the file menu.
#include "editor/command_codes.h"
#include "editor/dispatcher.h"
#include "editor/overwrite_check.h"
#include "exchange/stb_export.h"
#include "exchange/stb_import.h"
#include "session/show_notice.h"
#include "settings/settings_store.h"

namespace editor {

void Dispatcher::showReplacedModel()
{
    auto& session = ctx_.session;
    applyLevelTab();
    ctx_.showCount();
    ctx_.transform.setCanvasSize(ctx_.canvas.width(), ctx_.canvas.height());
    if (ctx_.canvas.width() > 0 && ctx_.canvas.height() > 0) session::shown(session.platform, ctx_.transform.HomeView());
    if (!ctx_.fitAll()) ctx_.redraw();
    ctx_.reload3D();
    stateChanged();
}

namespace {

void showReport(EditorContext& ctx, const std::string& caption, const std::vector<std::string>& lines)
{
    if (lines.empty()) return;
    if (ctx.ports.stbReport) {
        ctx.ports.stbReport->showStbReport(caption, lines);
        return;
    }
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    ctx.notice(text);
}

}  // namespace

bool Dispatcher::importStb()
{
    if (!askToSave(true)) return false;
    if (!ctx_.ports.files) {
        ctx_.notAvailable();
        return false;
    }
    const auto path = ctx_.ports.files->openFile(exchange::stb::kStbFilter, "");
    if (!path) return false;
    auto& session = ctx_.session;
    // Read and mapped aside: a refused file leaves the open project as it was.
    exchange::stb::ImportResult imported = exchange::stb::importStbFile(*path, session.settings.draft.gridNaming);
    if (!imported.ok) {
        ctx_.notice("ST-Bridgeファイルを読み込めませんでした。\n" + imported.message);
        return false;
    }
    const bool naming = imported.project.namingFound[0] || imported.project.namingFound[1] || imported.project.namingFound[2];
    const model::ViewMode mode = session.view.mode;
    resetEditor();
    exchange::stb::installImport(session, std::move(imported.project));
    if (naming && ini_) settings::WriteDraftEnv(*ini_, session.settings, session.platform);
    session.view.mode = mode;
    showReplacedModel();
    showReport(ctx_, "ST-Bridge読込", imported.report);
    return true;
}

bool Dispatcher::exportStb()
{
    if (!ctx_.ports.files) {
        ctx_.notAvailable();
        return false;
    }
    auto& session = ctx_.session;
    const auto chosen = ctx_.ports.files->saveFile(exchange::stb::kStbFilter, "");
    if (!chosen || chosen->empty()) return false;
    const std::string name = exchange::stb::withStbExtension(*chosen);
    if (!mayWrite(session.platform, *chosen, name)) return false;
    const std::string project = session.hasDefaultName() ? std::string() : session.project.path;
    const exchange::stb::ExportResult r =
        exchange::stb::exportStb(session, name, exchange::stb::projectNameOf(project), kVersionText);
    if (!r.status.ok) {
        ctx_.notice("ST-Bridgeファイルを書けませんでした。\n" + r.status.message);
        return false;
    }
    showReport(ctx_, "ST-Bridge出力", r.report);
    return true;
}

}  // namespace editor
