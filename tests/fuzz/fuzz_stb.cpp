// SPDX-License-Identifier: GPL-3.0-or-later
// An ST-Bridge file: any bytes are read and mapped, or refused with a message; a project made
// from them never holds more grid lines or sections than its tables.
#include "fuzz_support.h"

#include "exchange/stb_import.h"
#include "exchange/stb_reader.h"

namespace fuzz {

int fuzzStb(const uint8_t* data, size_t size)
{
    const exchange::stb::ReadResult read = exchange::stb::readStbBytes(std::string(bytesOf(data, size)), "fuzz.stb");
    if (!read.ok) {
        check(!read.message.empty(), "a refused file says why");
        return 0;
    }
    std::array<model::GridNaming, 3> naming{};
    const exchange::stb::ImportResult r = exchange::stb::mapStb(read.file, naming);
    if (!r.ok) {
        check(!r.message.empty(), "a refused model says why");
        return 0;
    }
    for (int a = 0; a < 3; ++a) check(r.project.grid.spanCount[a] <= model::kMaxSpans, "no more lines than the grid holds");
    int sections = 0;
    for (const auto& e : *r.project.sections)
        if (e.secID > 0) ++sections;
    check(sections <= model::kSectionStoreCount, "no more sections than the table holds");
    return 0;
}

}  // namespace fuzz
