// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmd_draw_sets.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "cli_common.h"
#include "cli_options.h"
#include "cmd_draw.h"
#include "cmd_draw_pdf.h"
#include "draft/drawing_frame.h"
#include "draft/drawing_set.h"
#include "draft/drawing_set_files.h"
#include "draft/dxf_file_queue.h"
#include "dxf/dxf_writer.h"
#include "editor/command_codes.h"
#include "model/grid.h"
#include "model/view_slice.h"
#include "platform/console_platform.h"
#include "session/session.h"

namespace cli {

namespace {

namespace fs = std::filesystem;
namespace cmd = editor::cmd;

struct SetArgs {
    std::string project, output, settingsFile, view, tab;
    PdfChoice pdf;
    bool setPdf = false;  // draw all: the whole set as one PDF besides the DXF files
    bool setSheets = false;  // draw all: the same sheets as DXF files S-01.dxf, S-02.dxf, ...
};

// Empty when the arguments are fine, else what is wrong with them. withSlice: --view and
// --tab are allowed.
std::string parseSetArgs(int argc, char** argv, bool withSlice, SetArgs& args)
{
    std::vector<OptionSlot> slots{{"-o", &args.output}, {"--settings", &args.settingsFile}, {"--paper", &args.pdf.paper},
                                  {"--project-title", &args.pdf.projectTitle}, {"--designer", &args.pdf.designer}};
    if (withSlice) slots.insert(slots.end(), {{"--view", &args.view}, {"--tab", &args.tab}});
    args.pdf.mono = takeFlag(argc, argv, "--mono");
    if (!withSlice) args.setPdf = takeFlag(argc, argv, "--pdf");
    if (!withSlice) args.setSheets = takeFlag(argc, argv, "--sheets");
    if (std::string why = parseOptions(argc, argv, slots, args.project); !why.empty()) return why;
    if (args.output.empty()) return withSlice ? "no output file given (-o OUT.dxf)" : "no output folder given (-o FOLDER)";
    if (withSlice && args.view.empty()) return "no view given (--view plan, yframe or xframe)";
    return checkPdfChoice(args.pdf);
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
    if (isPdfName(args.output)) return writeSlicePdf(session, code, args.output, args.pdf, args.project);
    const std::string output = dxf::dxfFileName(args.output);
    std::error_code ec;
    if (fs::equivalent(fs::path(args.project), fs::path(output), ec))
        return fail(output + ": is the project file itself; choose another output file");
    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    if (std::string why = draft::writeDrawing(session, frame, code, output); !why.empty()) return fail(why);
    sayIfLabelsLeftOut(session, output);
    if (!something)
        std::fprintf(stderr, "tessmar-cli: nothing to draw on tab %d of the %s (%s written all the same)\n", tab,
                     viewWord(mode), output.c_str());
    return kExitOk;
}

int runAll(int argc, char** argv)
{
    SetArgs args;
    if (std::string why = parseSetArgs(argc, argv, false, args); !why.empty()) return usage("draw all: " + why);
    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!openProject(session, args)) return kExitFailure;
    draft::SetProgress progress;
    progress.leftOut = [](const draft::SetDrawing& d) {
        std::fprintf(stderr, "tessmar-cli: left out the %s: nothing to draw\n", d.what.c_str());
    };
    progress.written = [&session](const std::string& file) {
        std::printf("%s\n", file.c_str());
        std::fflush(stdout);
        sayIfLabelsLeftOut(session, file);
    };
    if (!args.setPdf && !args.setSheets) {
        if (std::string why = draft::writeDrawingSet(session, args.output, args.project, progress); !why.empty())
            return fail(why);
        return kExitOk;
    }
    // The drawings' files are written as the numbered set generates each drawing for its layout:
    // no drawing is generated for them alone.
    if (std::string why = draft::prepareSetFolder(args.output); !why.empty()) return fail(why);
    draft::DxfFileQueue queue(session.settings, [](const std::string& file, int labelsLeftOut) {
        std::printf("%s\n", file.c_str());
        std::fflush(stdout);
        sayLabelsLeftOut(labelsLeftOut, file);
    });
    draft::SetFileHooks files;
    files.nothingToDraw = progress.leftOut;
    files.generated = [&](const draft::SetDrawing& d, model::Session& s) {
        std::string file;
        if (std::string why = draft::setFileOf(args.output, args.project, d, file); !why.empty()) return why;
        return queue.add(s, file);
    };
    files.finished = [&] { return queue.finish(); };
    if (args.setPdf)
        if (int status = writeSetPdf(session, (fs::path(args.output) / "drawing-set.pdf").string(), args.pdf, args.project,
                                     files))
            return status;
    // With both, the PDF run has written the drawings' files already.
    if (args.setSheets)
        return writeSetSheets(session, args.output, args.pdf, args.project, args.setPdf ? draft::SetFileHooks{} : files);
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
