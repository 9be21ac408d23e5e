// SPDX-License-Identifier: GPL-3.0-or-later
// draw: the section lists of a project as DXF files, without a window.
#include "cmd_draw.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli_common.h"
#include "cli_options.h"
#include "cmd_draw_pdf.h"
#include "cmd_draw_sets.h"
#include "draft/column_list.h"
#include "draft/drawing_frame.h"
#include "draft/girder_list.h"
#include "dxf/dxf_writer.h"
#include "model/sections.h"
#include "platform/console_platform.h"
#include "session/session.h"
#include "settings/ini_file.h"
#include "settings/settings_path.h"
#include "settings/settings_store.h"

namespace cli {

namespace {

struct DrawingKind {
    const char* name;
    const char* caption;  // the sheet's title
    char letter;       // kind letter of the sections the drawing lists
    const char* what;  // for the notice about an empty drawing
    draft::DrawingFrame::Generator (*generator)(model::Session&);
    draft::SplitGuide (*split)(const model::Session&, int textHeight);
};

draft::DrawingFrame::Generator girderList(model::Session& session)
{
    return [&session](draft::Drafter& d) { draft::drawGirderList(session, d); };
}

draft::DrawingFrame::Generator columnList(model::Session& session)
{
    // false only says that there was nothing to draw; that is noticed from the sections.
    return [&session](draft::Drafter& d) { draft::drawColumnList(session, d); };
}

constexpr DrawingKind kDrawings[] = {
    {"girder-list", "梁断面リスト", 'G', "girder", &girderList, &draft::girderListSplit},
    {"column-list", "柱断面リスト", 'C', "column", &columnList, &draft::columnListSplit},
};

const DrawingKind* findDrawing(const std::string& name)
{
    for (const DrawingKind& k : kDrawings)
        if (name == k.name) return &k;
    return nullptr;
}

struct DrawArgs {
    std::string project;
    std::string output;
    std::string settingsFile;
    PdfChoice pdf;
};

// Empty string when the arguments are fine, else what is wrong with them.
std::string parseArgs(int argc, char** argv, DrawArgs& args)
{
    args.pdf.mono = takeFlag(argc, argv, "--mono");
    if (std::string why = parseOptions(argc, argv,
                                       {{"-o", &args.output}, {"--settings", &args.settingsFile}, {"--paper", &args.pdf.paper},
                                        {"--project-title", &args.pdf.projectTitle}, {"--designer", &args.pdf.designer}},
                                       args.project);
        !why.empty())
        return why;
    if (args.output.empty()) return "no output file given (-o OUT.dxf)";
    return checkPdfChoice(args.pdf);
}

bool loadSettingsFile(model::Session& session, const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        fail(path + ": settings file not found");
        return false;
    }
    settings::IniFile ini(path);
    if (!ini.reload()) {
        fail(path + ": " + ini.lastError());
        return false;
    }
    // Values that do not convert keep their defaults; the store names them on stderr.
    settings::loadSettingsInto(ini, session.settings, session.platform);
    return true;
}

}  // namespace

bool loadDrawSettings(model::Session& session, const std::string& settingsFile)
{
    if (!settingsFile.empty()) return loadSettingsFile(session, settingsFile);
    // The window program's own settings, when it has saved any: the same drawing as on screen.
    const std::filesystem::path programIni =
        settings::settingsPath(settings::ownProgramPath(nullptr).parent_path() / "tessmar");
    std::error_code ec;
    return !std::filesystem::is_regular_file(programIni, ec) || loadSettingsFile(session, programIni.string());
}

void sayLabelsLeftOut(int labels, const std::string& file)
{
    if (labels > 0) std::fprintf(stderr, "tessmar-cli: %s: the text buffer was full, %d labels left out\n", file.c_str(), labels);
}

void sayIfLabelsLeftOut(const model::Session& session, const std::string& file)
{
    sayLabelsLeftOut(session.texts.refused(), file);
}

int runDrawCommand(int argc, char** argv)
{
    if (argc < 1) return usage("draw needs a drawing: girder-list, column-list, framing, rebar or all");
    if (isDrawSetCommand(argv[0])) return runDrawSetCommand(argc, argv);
    const DrawingKind* kind = findDrawing(argv[0]);
    if (!kind) return usage("unknown drawing '" + std::string(argv[0]) + "' (girder-list, column-list, framing, rebar or all)");
    DrawArgs args;
    if (std::string why = parseArgs(argc - 1, argv + 1, args); !why.empty()) return usage("draw: " + why);

    platform::ConsolePlatform platform;
    model::Session session(platform);
    if (!loadProject(session, args.project)) return kExitFailure;
    if (!loadDrawSettings(session, args.settingsFile)) return kExitFailure;

    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    // A failing generator has already said why through the platform.
    if (!frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing, kind->generator(session)))
        return kExitFailure;

    if (isPdfName(args.output))
        return writeDrawingPdf(session, args.output, kind->caption, draft::ScaleMode::List, args.pdf, args.project,
                               kind->split(session, state.draftTextHeight));
    const std::string output = dxf::dxfFileName(args.output);
    std::error_code ec;
    if (std::filesystem::equivalent(args.project, output, ec))
        return fail(output + ": is the project file itself; choose another output file");
    // The lists always draw their frame; with no section of their kind they still hold nothing.
    const bool empty = model::markList(kind->letter, session.sections).empty() ||
                       (session.store.liveCount() == 0 && session.texts.count() == 0);
    model::FileResult written = dxf::WriteDxf(output, session.store, session.texts, session.settings);
    frame.close();
    if (!written.ok) return fail(written.message);
    sayIfLabelsLeftOut(session, output);
    if (empty)
        std::fprintf(stderr, "tessmar-cli: nothing to draw: the project has no %s sections (%s written all the same)\n",
                     kind->what, output.c_str());
    return kExitOk;
}

}  // namespace cli
