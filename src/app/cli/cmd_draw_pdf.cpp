// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmd_draw_pdf.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli_common.h"
#include "draft/drawing_set.h"
#include "draft/drawing_set_files.h"
#include "draft/dxf_sheets.h"
#include "draft/sheet_layout.h"
#include "model/project_title.h"
#include "model/view_slice.h"
#include "print/PdfDrawingSet.h"
#include "print/PdfSheet.h"
#include "session/session.h"

namespace cli {

bool isPdfName(const std::string& path)
{
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".pdf";
}

bool takeFlag(int& argc, char** argv, const char* flag)
{
    bool found = false;
    int out = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], flag) == 0)
            found = true;
        else
            argv[out++] = argv[i];
    }
    argc = out;
    return found;
}

std::string checkPaper(const std::string& paper)
{
    if (paper.empty() || paper == "auto") return {};
    for (const draft::PaperSize& p : draft::isoPapers())
        if (paper == p.name) return {};
    return "unknown paper '" + paper + "' (auto, A4, A3, A2, A1 or A0)";
}

std::string checkPdfChoice(const PdfChoice& choice)
{
    if (std::string why = model::checkTitleField("--project-title", choice.projectTitle); !why.empty()) return why;
    if (std::string why = model::checkTitleField("--designer", choice.designer); !why.empty()) return why;
    return checkPaper(choice.paper);
}

namespace {

// The project's title file, with what the command line says instead.
model::ProjectTitle titleFields(const PdfChoice& choice, const std::string& projectPath)
{
    model::ProjectTitle fields = model::readProjectTitle(projectPath);
    if (!choice.projectTitle.empty()) fields.projectName = choice.projectTitle;
    if (!choice.designer.empty()) fields.designer = choice.designer;
    return fields;
}

// "auto" is the layout's own automatic choice.
std::string paperOf(const PdfChoice& choice) { return choice.paper == "auto" ? std::string() : choice.paper; }

std::optional<draft::SplitGuide> splitOf(const draft::DrawingKind& kind, const model::Session& session,
                                         const draft::DraftState& state)
{
    if (!kind.split) return std::nullopt;
    return kind.split(session, state.draftTextHeight);
}

}  // namespace

int writeDrawingPdf(const model::Session& session, const std::string& output, const std::string& caption,
                    draft::ScaleMode mode, const PdfChoice& choice, const std::string& projectPath,
                    const std::optional<draft::SplitGuide>& split)
{
    const print::SheetOptions options{.paper = paperOf(choice),
                                      .mono = choice.mono,
                                      .scale = draft::scaleOf(session.settings, mode).scale,
                                      .list = mode == draft::ScaleMode::List,
                                      .split = split,
                                      .title = {.caption = caption,
                                                .projectPath = projectPath,
                                                .date = {},  // today
                                                .fields = titleFields(choice, projectPath)}};
    const std::string why = print::writePdf(output, session, options);
    // A file that could not be written names itself; a sheet that does not fit does not.
    if (!why.empty()) return fail(why.rfind(output + ": ", 0) == 0 ? why : output + ": " + why);
    return kExitOk;
}

int writeSlicePdf(model::Session& session, int code, const std::string& output, const PdfChoice& choice,
                  const std::string& projectPath)
{
    const std::optional<draft::DrawingKind> kind = draft::drawingForCode(code, session);
    if (!kind) return fail("no such drawing");
    draft::DraftState state;
    draft::DrawingFrame frame(session, state);
    // A failing generator has already said why through the platform.
    if (!frame.run(kind->scale, kind->store, kind->generate)) return kExitFailure;
    return writeDrawingPdf(session, output, draft::sheetCaption(*kind, session), kind->scale, choice, projectPath,
                           splitOf(*kind, session, state));
}

namespace {

// The hooks, keeping in `failed` what one of the drawings' files said of itself: that message
// names its own file, not the set's.
draft::SetFileHooks watched(const draft::SetFileHooks& files, std::string& failed)
{
    draft::SetFileHooks w = files;
    if (files.generated)
        w.generated = [&failed, g = files.generated](const draft::SetDrawing& d, model::Session& s) {
            return failed = g(d, s);
        };
    if (files.finished) w.finished = [&failed, f = files.finished] { return failed = f(); };
    return w;
}

// The numbered set the options ask for; a drawing left out is said naming what it is left out
// of ("PDF", "sheets").
draft::NumberedSet numberedSet(const PdfChoice& choice, const std::string& projectPath, const std::string& into,
                               const draft::SetFileHooks& files, std::string& fileFailed)
{
    draft::NumberedSet set;
    set.paper = paperOf(choice);
    set.projectPath = projectPath;
    set.fields = titleFields(choice, projectPath);
    set.leftOut = [into](const std::string& what, const std::string& why) {
        std::fprintf(stderr, "tessmar-cli: left the %s out of the %s: %s\n", what.c_str(), into.c_str(), why.c_str());
    };
    set.files = watched(files, fileFailed);
    return set;
}

}  // namespace

int writeSetPdf(model::Session& session, const std::string& output, const PdfChoice& choice,
                const std::string& projectPath, const draft::SetFileHooks& files)
{
    std::string fileFailed;  // named by its own file, not the PDF's
    const print::DrawingSetPdf request{output, choice.mono, numberedSet(choice, projectPath, "PDF", files, fileFailed)};
    if (std::string why = print::writeDrawingSetPdf(session, request); !why.empty())
        return fail(!fileFailed.empty() || why.rfind(output, 0) == 0 ? why : output + ": " + why);
    std::printf("%s\n", output.c_str());
    return kExitOk;
}

int writeSetSheets(model::Session& session, const std::string& folder, const PdfChoice& choice,
                   const std::string& projectPath, const draft::SetFileHooks& files)
{
    draft::DxfSheetFiles writer(folder, [](const std::string& file) {
        std::printf("%s\n", file.c_str());
        std::fflush(stdout);
    });
    std::string fileFailed;
    const draft::NumberedSet set = numberedSet(choice, projectPath, "sheets", files, fileFailed);
    if (std::string why = draft::writeNumberedSet(session, set, writer); !why.empty())
        return fail(fileFailed.empty() ? folder + ": " + why : why);
    // Only now: a run that failed half-way leaves the previous set as it was.
    if (std::string why = writer.removeOlderSheets(); !why.empty()) return fail(why);
    return kExitOk;
}

}  // namespace cli
