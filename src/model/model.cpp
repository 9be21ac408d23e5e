// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model.h"

namespace model {

Model::Model(std::string dir) : programDir(std::move(dir)) { resetProject(*this); }

std::string Model::defaultProjectPath() const
{
    if (programDir.empty()) return kDefaultProjectFile;
    return programDir + (programDir.back() == '/' ? "" : "/") + kDefaultProjectFile;
}

void initStore(Model& m, bool projectFlag)
{
    m.store.clear();
    m.texts.clear();
    m.gridHistory.clear();
    if (projectFlag) {
        m.sections[0].secID = -1;
        m.sections[0].secName.clear();
        m.sections[0].secSpec.clear();
        clearGrid(m.grid);
    }
}

void resetProject(Model& m)
{
    initStore(m, true);
    clearSections(m.sections);
    m.grid.clear();
    m.view = ViewPlane{};
    m.project.path = m.defaultProjectPath();
    m.project.modified = false;
}

namespace {
// Drawings that read the model switch banks for every line they add, so a switch exchanges
// the two stores instead of allocating a fresh empty one; the side left behind is emptied
// only when it holds records.
void exchange(ElementStore& keeps, ElementStore& leftEmpty)
{
    std::swap(keeps, leftEmpty);
    if (leftEmpty.count() > 0) leftEmpty.clear();
}
}  // namespace

void saveBank(Model& m, Bank slot)
{
    exchange(slot == Bank::A ? m.bankA : m.bankB, m.store);
}

void restoreBank(Model& m, Bank slot)
{
    exchange(m.store, slot == Bank::A ? m.bankA : m.bankB);
}

}  // namespace model
