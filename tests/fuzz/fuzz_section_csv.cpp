// The section CSV reader: any bytes either read or are refused with a line; an accepted file
// writes, reads and writes again to the same bytes.
#include "fuzz_support.h"

#include <sstream>

#include "exchange/section_csv.h"

namespace fuzz {

int fuzzSectionCsv(const uint8_t* data, size_t size)
{
    std::istringstream in{std::string(bytesOf(data, size))};
    const exchange::CsvRead read = exchange::readSectionCsv(in, "fuzz.csv");
    if (!read.status.ok) return 0;
    check(read.table != nullptr, "an accepted CSV gives a table");
    const exchange::CsvText first = exchange::sectionCsvText(*read.table);
    if (!first.ok) return 0;  // a text with no Shift-JIS form is refused on writing, not lost
    std::istringstream again(first.bytes);
    const exchange::CsvRead reread = exchange::readSectionCsv(again, "first.csv");
    check(reread.status.ok && reread.table, "a written CSV reads again", reread.status.message);
    const exchange::CsvText second = exchange::sectionCsvText(*reread.table);
    check(second.ok && second.bytes == first.bytes, "write, read, write gives the same bytes", first.bytes);
    exchange::sortAndRenumber(*read.table);
    return 0;
}

}  // namespace fuzz
