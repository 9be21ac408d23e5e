// SPDX-License-Identifier: GPL-3.0-or-later
// The section CSV reader: any bytes either read or are refused with a line; an accepted file
// writes, reads and writes again to the same bytes. And the other way round: any section table
// the program can hold either exports to a file that imports back to the same table, or the
// export says which section it cannot write.
#include "fuzz_support.h"

#include <sstream>

#include "exchange/section_csv.h"

namespace fuzz {

namespace {

void readWriteRead(std::string_view bytes)
{
    std::istringstream in{std::string(bytes)};
    const exchange::CsvRead read = exchange::readSectionCsv(in, "fuzz.csv");
    if (!read.status.ok) return;
    check(read.table != nullptr, "an accepted CSV gives a table");
    const exchange::CsvText first = exchange::sectionCsvText(*read.table);
    if (!first.ok) return;  // a text with no Shift-JIS form is refused on writing, not lost
    std::istringstream again(first.bytes);
    const exchange::CsvRead reread = exchange::readSectionCsv(again, "first.csv");
    check(reread.status.ok && reread.table, "a written CSV reads again", reread.status.message);
    const exchange::CsvText second = exchange::sectionCsvText(*reread.table);
    check(second.ok && second.bytes == first.bytes, "write, read, write gives the same bytes", first.bytes);
    exchange::sortAndRenumber(*read.table);
}

// The bytes as a section table: one section a line, "secKey,secName,secSpec" (the
// specification string is the rest of the line, as a project file's section line keeps it).
model::SectionTable tableOf(std::string_view bytes)
{
    model::SectionTable table;
    model::clearSections(table);
    int n = 0;
    for (size_t start = 0; start < bytes.size() && n < model::kSectionStoreCount;) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        const size_t a = line.find(','), b = a == std::string_view::npos ? a : line.find(',', a + 1);
        if (b == std::string_view::npos) continue;
        model::SectionEntry& e = table[static_cast<size_t>(n)];
        e = {++n, std::string(line.substr(0, a)), std::string(line.substr(a + 1, b - a - 1)),
             std::string(line.substr(b + 1))};
    }
    return table;
}

void tableRoundTrip(std::string_view bytes)
{
    const exchange::Renumbering sorted = exchange::sortAndRenumber(tableOf(bytes));
    const exchange::CsvText file = exchange::sectionCsvText(*sorted.table);
    if (!file.ok) {
        check(!file.message.empty(), "a refused export says why");
        return;
    }
    std::istringstream in(file.bytes);
    const exchange::CsvRead read = exchange::readSectionCsv(in, "export.csv");
    check(read.status.ok && read.table, "an exported table imports", read.status.message + "\n" + file.bytes);
    check(read.status.notice.empty(), "an exported table imports without a notice", read.status.notice);
    // The same table as the file tells it: the imported one writes the very same file.
    const exchange::CsvText again = exchange::sectionCsvText(*read.table);
    check(again.ok && again.bytes == file.bytes, "an imported table exports the same file", file.bytes);
}

}  // namespace

int fuzzSectionCsv(const uint8_t* data, size_t size)
{
    readWriteRead(bytesOf(data, size));
    tableRoundTrip(bytesOf(data, size));
    return 0;
}

}  // namespace fuzz
