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

void saveBank(Session& session, Bank slot)
{
    ElementStore& bank = slot == Bank::A ? session.bankA : session.bankB;
    bank = std::move(session.store);
    session.store = ElementStore(&session.platform);
}

void restoreBank(Session& session, Bank slot)
{
    ElementStore& bank = slot == Bank::A ? session.bankA : session.bankB;
    session.store = std::move(bank);
    bank = ElementStore(&session.platform);
}

}  // namespace model
