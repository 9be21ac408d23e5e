// SPDX-License-Identifier: GPL-3.0-or-later
// The folder of recovery files, shared by every running copy of the program. Each program keeps
// its own file (<pid>.kel) and holds a lock on <pid>.lock while it runs, so a recovery file
// whose lock nobody holds was left by a program that was killed or crashed, whatever process
// has that number now, and one of a running program is never offered to another.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/project_file.h"
#include "model/recovery_file.h"

namespace model {

// $XDG_STATE_HOME/tessmar (an absolute value only), else ~/.local/state/tessmar; empty when
// neither is known.
std::filesystem::path recoveryFolderPath(const std::optional<std::string>& xdgStateHome,
                                         const std::optional<std::string>& home);

// A recovery file left by a program that no longer runs.
struct OrphanRecovery {
    std::string file;
    RecoveryNote note;
    int owner = 0;  // the number in its name
};

class RecoveryFolder {
public:
    RecoveryFolder(std::filesystem::path dir, int pid);
    // Lets go of the lock and removes the lock file (the recovery file is the autosaver's).
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    // Creates the folder and takes this program's lock; false (with the reason) when it cannot.
    FileResult claim();
    // This program's recovery file.
    std::string ownFile() const;

    // Recovery files of programs that no longer run, newest first. Each stays locked by this
    // program until it is adopted, removed or released, so a program starting at the same time
    // does not offer it as well. Call before this program writes its own file.
    std::vector<OrphanRecovery> orphans();
    // Makes an orphan this program's recovery file.
    FileResult adopt(const OrphanRecovery& orphan);
    // Deletes an orphan.
    void remove(const OrphanRecovery& orphan);
    // Lets go of the orphans still held: the next start offers them again.
    void releaseOrphans();

private:
    std::filesystem::path lockPath(int pid) const;
    std::filesystem::path filePath(int pid) const;
    // Takes the lock of a program that no longer runs; false when it is alive (or unreadable).
    bool holdIfDead(int pid);
    void letGo(int pid, bool removeLock);
    void sweepStaleLocks();

    std::filesystem::path dir_;
    int pid_;
    int lockFd_ = -1;
    std::map<int, int> held_;  // pid of a dead program -> the descriptor holding its lock
};

}  // namespace model
