// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/session.h"

namespace model {

Session::Session(platform::Platform& p, std::string dir)
    : platform(p), programDir(std::move(dir)), store(&p), bankA(&p), bankB(&p), texts(&p)
{
    resetProject(*this);
}

std::string Session::defaultProjectPath() const
{
    if (programDir.empty()) return kDefaultProjectFile;
    return programDir + (programDir.back() == '/' ? "" : "/") + kDefaultProjectFile;
}

void initStore(Session& session, bool projectFlag)
{
    session.store.clear();
    session.texts.clear();
    session.gridHistory.clear();
    if (projectFlag) {
        session.sections[0].secID = -1;
        session.sections[0].secName.clear();
        session.sections[0].secSpec.clear();
        clearGrid(session.grid);
    }
}

void resetProject(Session& session)
{
    initStore(session, true);
    clearSections(session.sections);
    session.grid.clear();
    session.view = ViewPlane{};
    session.project.path = session.defaultProjectPath();
    session.project.modified = false;
}

namespace {
// Drawings that read the model switch banks for every line they add, so a switch exchanges
// the two stores instead of allocating a fresh empty one; the side left behind is emptied
// only when it holds records.
void exchange(Session& session, ElementStore& keeps, ElementStore& leftEmpty)
{
    std::swap(keeps, leftEmpty);
    if (leftEmpty.count() > 0) leftEmpty.clear();
    leftEmpty.setPlatform(&session.platform);
}
}  // namespace

void saveBank(Session& session, Bank slot)
{
    exchange(session, slot == Bank::A ? session.bankA : session.bankB, session.store);
}

void restoreBank(Session& session, Bank slot)
{
    exchange(session, session.store, slot == Bank::A ? session.bankA : session.bankB);
}

}  // namespace model
