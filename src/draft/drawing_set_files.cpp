// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/drawing_set_files.h"

#include <filesystem>
#include <set>
#include <string_view>

#include "draft/drawing_frame.h"
#include "draft/drawing_set.h"
#include "dxf/dxf_writer.h"
#include "editor/command_codes.h"
#include "model/grid.h"
#include "model/view_slice.h"
#include "session/session.h"

namespace draft {

namespace {

namespace fs = std::filesystem;
namespace cmd = editor::cmd;

// A grid name made safe as part of a file name: no folders, no characters Windows refuses.
std::string fileSafe(const std::string& name, int index)
{
    std::string out;
    for (unsigned char c : name) {
        const bool bad = c < 0x20 || std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
        out += bad ? '_' : static_cast<char>(c);
    }
    return out.empty() || out == "." || out == ".." ? std::to_string(index) : out;
}

}  // namespace

std::vector<SetDrawing> wholeDrawingSet(const model::GridModel& grid)
{
    std::vector<SetDrawing> set{{cmd::DRAW_GIRDER_LIST, model::ViewMode::Plan, 0, "girder-list.dxf", "girder list"},
                                {cmd::DRAW_COLUMN_LIST, model::ViewMode::Plan, 0, "column-list.dxf", "column list"}};
    std::set<std::string> used;
    auto slices = [&](int code, model::ViewMode mode, const std::string& prefix, const std::string& what) {
        for (int tab = 0; tab < model::sliceCount(grid, mode); ++tab) {
            const std::string& gridName = grid.name(model::tabAxis(mode), tab);
            std::string stem = prefix + fileSafe(gridName, tab);
            // Two lines of one name still give two files.
            if (!used.insert(stem).second) stem += "-" + std::to_string(tab);
            used.insert(stem);
            set.push_back({code, mode, tab, stem + ".dxf", what + " " + (gridName.empty() ? std::to_string(tab) : gridName)});
        }
    };
    slices(cmd::DRAW_FRAMING, model::ViewMode::Plan, "framing-plan-", "framing plan of level");
    slices(cmd::DRAW_FRAMING, model::ViewMode::ElevationXZ, "framing-Y-", "framing elevation of Y line");
    slices(cmd::DRAW_FRAMING, model::ViewMode::ElevationYZ, "framing-X-", "framing elevation of X line");
    slices(cmd::DRAW_REBAR, model::ViewMode::ElevationXZ, "rebar-Y-", "rebar arrangement of Y line");
    slices(cmd::DRAW_REBAR, model::ViewMode::ElevationYZ, "rebar-X-", "rebar arrangement of X line");
    return set;
}

std::string writeDrawing(model::Session& session, DrawingFrame& frame, int code, const std::string& file)
{
    const auto drawing = drawingForCode(code, session);
    if (!drawing) return "no drawing for command " + std::to_string(code);
    // A failing generator has already said why through the platform.
    if (!frame.run(drawing->scale, drawing->store, drawing->generate)) return "could not draw " + file;
    const model::FileResult written = dxf::WriteDxf(file, session.store, session.texts, session.settings);
    frame.close();
    return written.ok ? std::string() : written.message;
}

std::string prepareSetFolder(const std::string& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) return folder + ": is not a folder and cannot be made one";
    return {};
}

std::string setFileOf(const std::string& folder, const std::string& keep, const SetDrawing& entry, std::string& file)
{
    file = (fs::path(folder) / entry.fileName).string();
    std::error_code ec;
    if (fs::equivalent(fs::path(keep), fs::path(file), ec)) return file + ": is the project file itself";
    return {};
}

std::string writeDrawingSet(model::Session& session, const std::string& folder, const std::string& keep,
                            const SetProgress& progress)
{
    if (std::string why = prepareSetFolder(folder); !why.empty()) return why;
    DraftState state;
    DrawingFrame frame(session, state);
    // Every slice of the building is drawn: one table for all of them costs less than one per slice.
    if (!session.store.connectionsValid()) session.store.computeConnections();
    for (const SetDrawing& entry : wholeDrawingSet(session.grid)) {
        model::selectSlice(session.grid, entry.mode, entry.tab, session.view);
        if (!hasSomethingToDraw(entry.code, session)) {
            if (progress.leftOut) progress.leftOut(entry);
            continue;
        }
        std::string file;
        if (std::string why = setFileOf(folder, keep, entry, file); !why.empty()) return why;
        if (std::string why = writeDrawing(session, frame, entry.code, file); !why.empty()) return why;
        if (progress.written) progress.written(file);
    }
    return {};
}

}  // namespace draft
