// SPDX-License-Identifier: GPL-3.0-or-later
// Specification strings and their notations: every decoder and formatter takes any text a
// section may hold, and the text's bytes survive the way through the program's encoding.
#include "fuzz_support.h"

#include "check/check_rules.h"
#include "draft/girder_list.h"
#include "model/encoding.h"
#include "model/sections.h"
#include "settings/settings.h"

namespace fuzz {

int fuzzSpec(const uint8_t* data, size_t size)
{
    const std::string_view bytes = bytesOf(data, size);
    bool raw = false;
    model::cp932ToUtf8(bytes);
    const std::string spec = model::cp932ToUtf8Keeping(bytes, &raw);
    check(model::isValidUtf8(spec), "a decoded text is UTF-8");
    const std::string written = model::utf8ToCp932Escaped(spec);
    check(written == bytes, "a text read keeping its bytes writes back the same bytes", written);
    check(model::cp932ToUtf8Keeping(written) == spec, "a text written and read again is the same text", written);
    model::cp932Length(spec);

    const model::RodMarks& marks = model::kDefaultRodMarks;
    for (int item = 0; item < 10; ++item) {
        const std::string it = model::specItem(spec, item);
        model::decodeBarGroup(it, marks);
        model::decodeBars(it, marks);
        model::decodeStirrup(it, marks);
        model::decodeHoop(it, marks);
        model::girderItem(spec, item);
        model::columnItem(spec, item);
        model::fmtBarGroup(it);
        model::fmtBars(it);
        model::fmtStirrup(it);
        model::fmtHoop(it);
        model::fmtColumnMain(it);
    }
    for (int position = 0; position < 3; ++position) {
        model::sectionSizeOfSpec(spec, position);
        model::fmtSize(spec, position);
        model::fmtSizeForDrawing(spec, position);
        model::sizeField(model::specItem(spec, 0), position % 2, position);
        draft::girderFigure(spec, position, marks);
    }
    model::normaliseSpec(spec);
    for (bool foundation : {false, true}) {
        check::checkSection({check::MemberKind::Girder, spec, foundation}, {});
        check::checkSection({check::MemberKind::Column, spec, foundation}, {});
    }

    model::SectionTable table;
    model::clearSections(table);
    if (model::setMemRod(table, "G:1:1", "1:G1", spec) && model::setMemRod(table, "C:1:1", "1:C1", spec)) {
        for (int item = 0; item < 10; ++item) {
            model::sectionText(table, table[0].secID, model::MemberKind::Girder, item);
            model::sectionText(table, table[1].secID, model::MemberKind::Column, item);
        }
        model::maxColumnBars(table, table[1].secID, 0);
        model::sectionSizeMm(table, table[0].secID, 1);
    }
    return 0;
}

}  // namespace fuzz
