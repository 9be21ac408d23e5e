// SPDX-License-Identifier: GPL-3.0-or-later
// What the section dialog offers the detailing checks: the findings of the shown row, and
// going to the section a line of the check report names.
#include <algorithm>

#include "editor/dispatcher.h"
#include "editor/section_editor.h"
#include "session/session.h"

namespace editor {

std::vector<check::Finding> SectionEditor::currentFindings() const
{
    if (!open_ || row_ < 0 || row_ >= static_cast<int>(rows_.size())) return {};
    const check::MemberKind kind = girders() ? check::MemberKind::Girder : check::MemberKind::Column;
    // Girders of the lowest level are the foundation.
    const bool foundation = girders() && rows_[static_cast<size_t>(row_)].level == 1;
    return check::checkSection({kind, currentSpec(), foundation}, dispatcher_.context().session.settings.check);
}

bool SectionEditor::showSection(const std::string& mark, int level)
{
    if (!open_) return false;
    const auto page = std::find(pages_.begin(), pages_.end(), mark);
    const auto row = std::find_if(rows_.begin(), rows_.end(), [level](const SectionGridRow& r) { return r.level == level; });
    if (page == pages_.end() || row == rows_.end()) return false;
    selectTab(static_cast<int>(page - pages_.begin()));
    selectRow(static_cast<int>(row - rows_.begin()));
    return true;
}

}  // namespace editor
