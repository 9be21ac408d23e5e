// SPDX-License-Identifier: GPL-3.0-or-later
// The SS2 paste: any clipboard text pasted at any cell of any sheet stays inside the sheets,
// and the specification strings built from them decode.
#include "fuzz_support.h"

#include "exchange/ss2_import.h"
#include "model/sections.h"

namespace fuzz {

int fuzzSs2Paste(const uint8_t* data, size_t size)
{
    if (size < 4) return 0;
    // The first bytes choose the mode, the level count and where the text is pasted.
    exchange::Ss2Sheets sheets;
    sheets.setInitDialog(data[0] % 2, data[1] % 12);
    const int sheet = data[2] % exchange::kSs2SheetCount;
    const int row = data[3] % 16 - 2, col = data[3] / 16 - 2;
    const int dropped = sheets.paste(sheet, row, col, bytesOf(data + 4, size - 4));
    check(dropped >= 0, "a paste drops no negative count of cells");
    const exchange::Ss2Result result = sheets.result();
    check(result.markCount <= exchange::kSs2MaxMarks, "no more marks than the sheets hold");
    for (const auto& mark : result.specs)
        for (const std::string& spec : mark) {
            model::girderItem(spec, 1);
            model::fmtHoop(model::specItem(spec, 2));
        }
    return 0;
}

}  // namespace fuzz
