// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing on its sheets through Qt's painter: the PDF files of the command line and of the
// preview window, and the preview's printing. Qt Gui only, so the command-line tool can use it
// on Qt's offscreen platform without a display.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "draft/sheet_layout.h"
#include "draft/sheet_split.h"
#include "draft/title_block.h"

class QPainter;

namespace model {
class Session;
}

namespace print {

struct SheetOptions {
    std::string paper = draft::kAutoPaper;  // "自動", "A4" ... "A0"
    bool mono = false;                      // everything black
    double scale = 40;                      // the drawing's scale denominator
    bool list = false;                      // a section list: its size on paper ignores the scale
    std::optional<draft::SplitGuide> split{};  // where a drawing too big for the paper may be cut
    draft::TitleBlock title{};  // caption, project, date (empty: today), 工事名称 and 設計者, place in a set
};

// A QGuiApplication for painting when the program has none yet (the command-line tool).
void ensureGuiApplication();

// The sheets the session's current drawing takes: one when it fits, else its parts.
draft::SheetSet sheetsFor(const model::Session& session, const SheetOptions& options);

// Paints the listed elements and texts of the session's current drawing, each piece of the
// sheet clipped to its rectangle, with the title block naming the part.
void paintSheet(QPainter& painter, double dotsPerMm, const draft::Sheet& sheet, const model::Session& session,
                const SheetOptions& options, const draft::SheetItems& items);

// Paints every sheet of `set` of the session's current drawing, one page each, the title blocks
// naming the part: `page` makes the device ready for the sheet (its paper, the right way round)
// and returns its dots per millimetre.
void paintSheets(QPainter& painter, const model::Session& session, const SheetOptions& options,
                 const draft::SheetSet& set, const std::function<double(const draft::Sheet&)>& page);

// A PDF of several sheets, one page each, each page the size of its own sheet; the file
// replaces its target only when finished whole.
class PdfBook {
public:
    // `title` names the document in a viewer's title bar; empty: the first sheet's caption.
    explicit PdfBook(std::string path, std::string title = {});
    ~PdfBook();
    PdfBook(const PdfBook&) = delete;
    PdfBook& operator=(const PdfBook&) = delete;
    // The session's current drawing as the next pages, one per sheet it takes; empty, or why it
    // is not in the book.
    std::string addSheet(const model::Session& session, const SheetOptions& options);
    // The same drawing already laid out as `set` (its title blocks from options).
    std::string addSheets(const model::Session& session, const SheetOptions& options, const draft::SheetSet& set);
    int pages() const { return pages_; }
    // The file cannot be written at all: every further sheet would fail the same way.
    bool broken() const { return broken_; }
    // Writes the file; empty on success, else why not. A book without pages writes nothing.
    std::string finish();

private:
    struct Pdf;
    std::string path_;
    std::string title_;
    std::unique_ptr<Pdf> pdf_;
    int pages_ = 0;
    bool broken_ = false;
};

// Writes the session's current store and texts as a one-page PDF, replacing `path` only when
// the whole file is written. Empty on success, else why not (too big for the paper, I/O).
std::string writePdf(const std::string& path, const model::Session& session, const SheetOptions& options);

}  // namespace print
