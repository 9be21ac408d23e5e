#include "cmd_draw_sets.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <vector>

#include "cli_common.h"
#include "cmd_draw.h"
#include "draft/drawing_frame.h"
#include "draft/drawing_set.h"
#include "dxf/dxf_writer.h"
#include "editor/command_codes.h"
#include "model/grid.h"
#include "model/session.h"
#include "model/view_slice.h"
#include "platform/console_platform.h"

namespace cli {

namespace {

namespace fs = std::filesystem;
namespace cmd = editor::cmd;

struct SetArgs {
    std::string project, output, settingsFile, view, tab;
};

// Empty when the arguments are fine, else what is wrong with them. withSlice: --view and
// --tab are allowed.
std::string parseSetArgs(int argc, char** argv, bool withSlice, SetArgs& args)
{
    struct Option {
        const char* name;
        std::string SetArgs::*slot;
        bool slice;
    };
    static const Option options[] = {{"-o", &SetArgs::output, false},
                                     {"--settings", &SetArgs::settingsFile, false},
                                     {"--view", &SetArgs::view, true},
                                     {"--tab", &SetArgs::tab, true}};
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        const Option* found = nullptr;
        for (const Option& o : options)
            if (a == o.name && (withSlice || !o.slice)) found = &o;
        if (found) {
            std::string& slot = args.*(found->slot);
            if (!slot.empty()) return a + " given twice";
            if (i + 1 >= argc || std::string(argv[i + 1]).empty()) return a + " needs a value";
            slot = argv[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option '" + a + "'";
        } else if (args.project.empty()) {
            args.project = a;
        } else {
            return "more than one project file given";
        }
    }
    if (args.project.empty()) return "no project file given";
    if (args.output.empty()) return withSlice ? "no output file given (-o OUT.dxf)" : "no output folder given (-o FOLDER)";
    if (withSlice && args.view.empty()) return "no view given (--view plan, yframe or xframe)";
    return {};
}

bool parseView(const std::string& text, model::ViewMode& mode)
{
    if (text == "plan") mode = model::ViewMode::Plan;
    else if (text == "yframe") mode = model::ViewMode::ElevationXZ;
    else if (text == "xframe") mode = model::ViewMode::ElevationYZ;
    else return false;
    return true;
}

bool parseTab(const std::string& text, int& tab)
{
    if (text.empty()) {
        tab = 0;
        return true;
    }
    return model::parseIntStrict(text, tab) && tab >= 0;
}

// The project as the window shows it: read, its settings applied, its grid lines named.
bool openProject(model::Session& session, const SetArgs& args)
{
    if (!loadProject(session, args.project)) return false;
    if (!loadDrawSettings(session, args.settingsFile)) return false;
    model::makeGridNames(session.grid, session.settings.draft.gridNaming);
    return true;
}

const char* viewWord(model::ViewMode mode)
{
    switch (mode) {
    case model::ViewMode::ElevationXZ: return "Y frame";
    case model::ViewMode::ElevationYZ: return "X frame";
    case model::ViewMode::Plan: break;
    }
    return "plan";
}

// Runs the drawing of code for the session's view and writes it; empty on success, else why not.
std::string writeDrawing(model::Session& session, draft::DrawingFrame& frame, int code, const std::string& file,
                         const std::string& project)
{
    std::error_code ec;
    if (fs::equivalent(fs::path(project), fs::path(file), ec))
        return file + ": is the project file itself; choose another output";
    const auto drawing = draft::drawingForCode(code, session);
    // A failing generator has already said why through the platform.
    if (!drawing || !frame.run(drawing->scale, drawing->store, drawing->generate)) return "could not draw " + file;
    const model::FileResult written = dxf::WriteDxf(file, session.store, session.texts, session.settings);
    frame.close();
    return written.ok ? std::string() : written.message;
}

int runSlice(int code, int argc, char** argv)
{
    SetArgs args;
    if (std::string why = parseSetArgs(argc, argv, true, args); !why.empty()) return usage("draw: " + why);
    model::ViewMode mode;
    if (!parseView(args.view, mode)) return usage("draw: unknown view '" + args.view + "' (plan, yframe or xframe)");
    int tab = 0;
    if (!parseTab(args.tab, tab)) return usage("draw: --tab needs a whole number from 0, not '" + args.tab + "'");

    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!openProject(session, args)) return kExitFailure;
    const int tabs = model::sliceCount(session.grid, mode);
    if (!model::selectSlice(session.grid, mode, tab, session.view)) {
        if (tabs == 0) return fail(args.project + ": the project has no grid lines, so no " + viewWord(mode) + " to draw");
        return fail("tab " + std::to_string(tab) + " does not exist: the " + viewWord(mode) + " has tabs 0 to " +
                    std::to_string(tabs - 1));
    }
    const bool something = draft::hasSomethingToDraw(code, session);
    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    const std::string output = dxf::dxfFileName(args.output);
    if (std::string why = writeDrawing(session, frame, code, output, args.project); !why.empty()) return fail(why);
    if (!something)
        std::fprintf(stderr, "tessmar-cli: nothing to draw on tab %d of the %s (%s written all the same)\n", tab,
                     viewWord(mode), output.c_str());
    return kExitOk;
}

// ---- the whole set ----

struct SetEntry {
    int code;
    model::ViewMode mode;
    int tab;
    std::string name;  // file name without the extension
    std::string what;  // for the notice about an empty drawing
};

// A grid name made safe as part of a file name: no folders, no characters Windows refuses.
std::string fileSafe(const std::string& name, int index)
{
    std::string out;
    for (unsigned char c : name) out += (c < 0x20 || std::string_view("/\\:*?\"<>|").find(char(c)) != std::string_view::npos) ? '_' : char(c);
    return out.empty() || out == "." || out == ".." ? std::to_string(index) : out;
}

std::vector<SetEntry> drawingSet(const model::GridModel& grid)
{
    std::vector<SetEntry> set{{cmd::DRAW_GIRDER_LIST, model::ViewMode::Plan, 0, "girder-list", "girder list"},
                              {cmd::DRAW_COLUMN_LIST, model::ViewMode::Plan, 0, "column-list", "column list"}};
    std::set<std::string> used;
    auto slices = [&](int code, model::ViewMode mode, const std::string& prefix, const char* what) {
        for (int tab = 0; tab < model::sliceCount(grid, mode); ++tab) {
            const std::string gridName = grid.name(model::tabAxis(mode), tab);
            std::string name = prefix + fileSafe(gridName, tab);
            // Two lines of one name still give two files.
            if (!used.insert(name).second) name += "-" + std::to_string(tab);
            used.insert(name);
            set.push_back({code, mode, tab, name, std::string(what) + " " + (gridName.empty() ? std::to_string(tab) : gridName)});
        }
    };
    slices(cmd::DRAW_FRAMING, model::ViewMode::Plan, "framing-plan-", "framing plan of level");
    slices(cmd::DRAW_FRAMING, model::ViewMode::ElevationXZ, "framing-Y-", "framing elevation of Y line");
    slices(cmd::DRAW_FRAMING, model::ViewMode::ElevationYZ, "framing-X-", "framing elevation of X line");
    slices(cmd::DRAW_REBAR, model::ViewMode::ElevationXZ, "rebar-Y-", "rebar arrangement of Y line");
    slices(cmd::DRAW_REBAR, model::ViewMode::ElevationYZ, "rebar-X-", "rebar arrangement of X line");
    return set;
}

int runAll(int argc, char** argv)
{
    SetArgs args;
    if (std::string why = parseSetArgs(argc, argv, false, args); !why.empty()) return usage("draw all: " + why);
    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!openProject(session, args)) return kExitFailure;
    const fs::path folder(args.output);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) return fail(args.output + ": is not a folder that can be made");

    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    for (const SetEntry& entry : drawingSet(session.grid)) {
        model::selectSlice(session.grid, entry.mode, entry.tab, session.view);
        if (!draft::hasSomethingToDraw(entry.code, session)) {
            std::fprintf(stderr, "tessmar-cli: left out the %s: nothing to draw\n", entry.what.c_str());
            continue;
        }
        const std::string file = (folder / (entry.name + ".dxf")).string();
        if (std::string why = writeDrawing(session, frame, entry.code, file, args.project); !why.empty()) return fail(why);
        std::printf("%s\n", file.c_str());
        std::fflush(stdout);
    }
    return kExitOk;
}

}  // namespace

bool isDrawSetCommand(const std::string& drawing) { return drawing == "framing" || drawing == "rebar" || drawing == "all"; }

int runDrawSetCommand(int argc, char** argv)
{
    const std::string drawing = argv[0];
    if (drawing == "all") return runAll(argc - 1, argv + 1);
    return runSlice(drawing == "framing" ? cmd::DRAW_FRAMING : cmd::DRAW_REBAR, argc - 1, argv + 1);
}

}  // namespace cli
