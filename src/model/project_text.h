// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a project file made from its parts, so that a copy of the project taken on one
// thread can be written on another (autosave).
#pragma once

#include <string>
#include <vector>

#include "model/element.h"
#include "model/grid.h"
#include "model/sections.h"

namespace model {

// notes go on header lines of their own after the sections; the header size counts them, so
// every reader of project files skips them.
std::string projectText(const std::vector<Element>& records, const SectionTable& sections, const GridModel& grid,
                        const std::vector<std::string>& notes = {});

// The records a project file holds, in order, copied into out (its memory is reused): the copy
// writes the same file as the records, at half their size or less.
void copyWrittenRecords(const std::vector<Element>& records, std::vector<Element>& out);

}  // namespace model
