// SPDX-License-Identifier: GPL-3.0-or-later
// PDF output of the draw subcommands: an output file ending in ".pdf" gets one sheet at the
// drawing's scale instead of a DXF file.
#pragma once

#include <optional>
#include <string>

#include "draft/drawing_frame.h"
#include "draft/numbered_set.h"
#include "draft/split_guide.h"

namespace model {
class Session;
}

namespace cli {

struct PdfChoice {
    std::string paper;  // --paper auto|A4|A3|A2|A1|A0 ("" = auto)
    bool mono = false;  // --mono
    std::string projectTitle;  // --project-title: 工事名称 for this run
    std::string designer;      // --designer: 設計者 for this run
};

bool isPdfName(const std::string& path);
// Takes "--mono" out of argv (it has no value, unlike the other options).
bool takeFlag(int& argc, char** argv, const char* flag);
// Empty when the paper name is one we know, else what is wrong with it.
std::string checkPaper(const std::string& paper);
// The paper, and the title fields given on the command line.
std::string checkPdfChoice(const PdfChoice& choice);
// Writes the session's current drawing as PDF sheets, split along the guide when it does not
// fit one; 0, or 1 with one line on stderr.
int writeDrawingPdf(const model::Session& session, const std::string& output, const std::string& caption,
                    draft::ScaleMode mode, const PdfChoice& choice, const std::string& projectPath,
                    const std::optional<draft::SplitGuide>& split = std::nullopt);

// Runs drawing `code` on the session's current slice and writes it as a PDF sheet.
int writeSlicePdf(model::Session& session, int code, const std::string& output, const PdfChoice& choice,
                  const std::string& projectPath);

// The whole drawing set, one sheet per drawing in the set's order, as one PDF; a drawing with
// nothing to draw or too big for the paper is left out with a notice. Prints the file on stdout.
// `files`: the drawings' own DXF files, written as the set generates them (empty: none).
int writeSetPdf(model::Session& session, const std::string& output, const PdfChoice& choice,
                const std::string& projectPath, const draft::SetFileHooks& files = {});

// The same set as DXF sheets, FOLDER/S-01.dxf (the index), S-02.dxf, ..., each sheet in model
// space at its drawing's scale; prints every file on stdout.
int writeSetSheets(model::Session& session, const std::string& folder, const PdfChoice& choice,
                   const std::string& projectPath, const draft::SetFileHooks& files = {});

}  // namespace cli
