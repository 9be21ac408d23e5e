// SPDX-License-Identifier: GPL-3.0-or-later
// Sheets as DXF files: each sheet of a laid-out drawing in model space at the drawing's scale,
// with the paper's outline, its match lines and its title block, so that plotting it 1:S on
// that paper gives the sheet the PDF shows. Every file is written by the DXF writer.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "draft/numbered_set.h"

namespace model {
class ElementStore;
class TextBuffer;
}  // namespace model

namespace draft {

// The sheet in drawing units: what lies on it of the session's current drawing (the listed
// items; lines clipped at each piece, texts by their anchor) where the sheet puts it, times S,
// then the paper's outline, the match lines and the title block with `titleRows`.
void sheetInModelSpace(const model::Session& session, const Sheet& sheet, const SheetItems& items,
                       const std::vector<std::string>& titleRows, model::ElementStore& store, model::TextBuffer& texts);

// Writes each sheet handed to it as FOLDER/S-NN.dxf, by its number in the set.
class DxfSheetFiles : public SheetWriter {
public:
    DxfSheetFiles(std::string folder, std::function<void(const std::string& file)> written)
        : folder_(std::move(folder)), written_(std::move(written))
    {
    }
    std::string addSheets(const model::Session& session, const SheetSet& set, const TitleBlock& block) override;
    // Once the whole set is written: removes the sheet files of an earlier, larger set that this
    // one did not rewrite (only FOLDER/S-<two or more digits>.dxf), which would pass for part of
    // it. Empty, or why one could not be removed.
    std::string removeOlderSheets() const;

private:
    std::string folder_;
    std::function<void(const std::string& file)> written_;
    std::set<std::string> names_;  // of the sheet files written
};

}  // namespace draft
