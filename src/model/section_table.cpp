#include "model/sections.h"

namespace model {

void clearSections(SectionTable& table)
{
    for (int i = 0; i < kSectionCount - 1; ++i) {
        table[i].secID = -1;
        table[i].secName.clear();
        table[i].secSpec.clear();
    }
}

}  // namespace model
