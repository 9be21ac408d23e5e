// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PdfDrawingSet.h"

#include <filesystem>

#include "print/PdfSheet.h"
#include "session/session.h"

namespace print {

namespace {

// Paints each drawing's sheets straight into the book, one page each.
class BookWriter : public draft::SheetWriter {
public:
    BookWriter(PdfBook& book, const DrawingSetPdf& request) : book_(book), request_(request) {}

    std::string addSheets(const model::Session& session, const draft::SheetSet& set,
                          const draft::TitleBlock& block) override
    {
        // The set has laid the drawing out: scale, list and split no longer matter here.
        return book_.addSheets(session, {.paper = request_.set.paper, .mono = request_.mono, .title = block}, set);
    }

private:
    PdfBook& book_;
    const DrawingSetPdf& request_;
};

}  // namespace

std::string writeDrawingSetPdf(model::Session& session, const DrawingSetPdf& request)
{
    PdfBook book(request.output, std::filesystem::path(request.set.projectPath).filename().string());
    BookWriter writer(book, request);
    // Cancelled or failed: the book's file is discarded with it.
    if (std::string why = draft::writeNumberedSet(session, request.set, writer); !why.empty()) return why;
    return book.finish();
}

}  // namespace print
