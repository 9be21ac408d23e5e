// SPDX-License-Identifier: GPL-3.0-or-later
// Display offsets of girders and columns that sit on grid lines, from the offset rule of the
// line and the member's section size. The member's coordinates are never changed.
#pragma once

#include "model/element.h"
#include "model/grid.h"
#include "model/sections.h"

namespace model {

class ElementStore;
class Model;

struct MemberOffset {
    double OX = 0;
    double OY = 0;
    double OZ = 0;
};

// Offsets of a girder of width w and depth d; where several lines match, the last one wins.
MemberOffset girderOffset(const Element& girder, const GridModel& grid, int w, int d);
// Offsets of a column of size dx, dy; OZ is the column's own.
MemberOffset columnOffset(const Element& column, const GridModel& grid, int dx, int dy);

// Compute and store the offsets of the element at index; false for an index outside the store.
bool setGirderOffset(ElementStore& store, int index, const GridModel& grid, const SectionTable& sections);
bool setColumnOffset(ElementStore& store, int index, const GridModel& grid, const SectionTable& sections);
bool setGirderOffset(Model& session, int index);
bool setColumnOffset(Model& session, int index);

// Every live girder and column of the store.
void applyOffsets(ElementStore& store, const GridModel& grid, const SectionTable& sections);
void applyOffsets(Model& session);

}  // namespace model
