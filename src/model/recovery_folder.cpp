// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/recovery_folder.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace model {

namespace fs = std::filesystem;

namespace {

// The number of a file named <digits><extension>; nothing for any other name.
std::optional<int> ownerOf(const fs::path& file, const std::string& extension)
{
    if (file.extension() != extension) return std::nullopt;
    const std::string stem = file.stem().string();
    int pid = 0;
    const auto r = std::from_chars(stem.data(), stem.data() + stem.size(), pid);
    if (stem.empty() || r.ec != std::errc() || r.ptr != stem.data() + stem.size() || pid <= 0) return std::nullopt;
    return pid;
}

bool tryLock(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

std::string systemError(const fs::path& file) { return file.string() + ": " + std::strerror(errno); }

// The files of the folder with that extension, by the number in their names.
std::vector<int> ownersIn(const fs::path& dir, const std::string& extension)
{
    std::vector<int> out;
    std::error_code ec;
    for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        if (const auto owner = ownerOf(it->path(), extension)) out.push_back(*owner);
    return out;
}

}  // namespace

fs::path recoveryFolderPath(const std::optional<std::string>& xdgStateHome, const std::optional<std::string>& home)
{
    // A relative XDG_STATE_HOME is invalid and ignored.
    if (xdgStateHome && fs::path(*xdgStateHome).is_absolute()) return fs::path(*xdgStateHome) / "tessmar";
    if (home && fs::path(*home).is_absolute()) return fs::path(*home) / ".local" / "state" / "tessmar";
    return {};
}

RecoveryFolder::RecoveryFolder(fs::path dir, int pid) : dir_(std::move(dir)), pid_(pid) {}

RecoveryFolder::~RecoveryFolder()
{
    releaseOrphans();
    if (lockFd_ < 0) return;
    ::unlink(lockPath(pid_).c_str());
    ::close(lockFd_);
}

fs::path RecoveryFolder::lockPath(int pid) const { return dir_ / (std::to_string(pid) + ".lock"); }
fs::path RecoveryFolder::filePath(int pid) const { return dir_ / (std::to_string(pid) + ".kel"); }
std::string RecoveryFolder::ownFile() const { return filePath(pid_).string(); }

FileResult RecoveryFolder::claim()
{
    if (lockFd_ >= 0) return {};
    if (dir_.empty()) return {false, "復元用のフォルダが決まりません (HOME が設定されていません)"};
    std::error_code ec;
    // The copies hold the user's work: the folder is the user's alone.
    if (fs::create_directories(dir_, ec)) fs::permissions(dir_, fs::perms::owner_all, ec);
    if (ec) return {false, dir_.string() + ": " + ec.message()};
    const fs::path lock = lockPath(pid_);
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return {false, systemError(lock)};
    // Held for a moment by a program starting up that tidies the lock of a dead program that had
    // this number: writing alongside its offer could overwrite the file it offers.
    if (!tryLock(fd)) {
        ::close(fd);
        return {false, lock.string() + ": ほかのプログラムが使用中です"};
    }
    lockFd_ = fd;
    return {};
}

bool RecoveryFolder::holdIfDead(int pid)
{
    if (held_.count(pid)) return true;
    const int fd = ::open(lockPath(pid).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (!tryLock(fd)) {
        ::close(fd);
        return false;
    }
    held_[pid] = fd;
    return true;
}

void RecoveryFolder::letGo(int pid, bool removeLock)
{
    const auto it = held_.find(pid);
    if (it == held_.end()) return;
    // Removed while still locked, so nobody takes the lock of a file about to go.
    if (removeLock) ::unlink(lockPath(pid).c_str());
    ::close(it->second);
    held_.erase(it);
}

std::vector<OrphanRecovery> RecoveryFolder::orphans()
{
    std::vector<OrphanRecovery> out;
    for (int owner : ownersIn(dir_, ".kel")) {
        // A file with this program's number is from a dead program that had it before.
        if (owner != pid_ && !holdIfDead(owner)) continue;
        const std::string file = filePath(owner).string();
        std::optional<RecoveryNote> note = readRecoveryNote(file);
        if (!note) {
            letGo(owner, false);
            continue;
        }
        out.push_back({file, std::move(*note), owner});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const OrphanRecovery& a, const OrphanRecovery& b) { return a.note.savedAt > b.note.savedAt; });
    sweepStaleLocks();
    return out;
}

void RecoveryFolder::sweepStaleLocks()
{
    // Programs killed while their project was unmodified leave a lock file and nothing else.
    std::error_code ec;
    for (int owner : ownersIn(dir_, ".lock")) {
        if (owner == pid_ || held_.count(owner) || fs::exists(filePath(owner), ec)) continue;
        const int fd = ::open(lockPath(owner).c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) continue;
        if (tryLock(fd)) ::unlink(lockPath(owner).c_str());
        ::close(fd);
    }
}

FileResult RecoveryFolder::adopt(const OrphanRecovery& orphan)
{
    if (orphan.owner == pid_) return {};
    const std::string own = ownFile();
    if (::rename(orphan.file.c_str(), own.c_str()) != 0) return {false, systemError(orphan.file)};
    letGo(orphan.owner, true);
    return {};
}

void RecoveryFolder::remove(const OrphanRecovery& orphan)
{
    ::unlink(orphan.file.c_str());
    if (orphan.owner != pid_) letGo(orphan.owner, true);
}

void RecoveryFolder::releaseOrphans()
{
    while (!held_.empty()) letGo(held_.begin()->first, false);
}

}  // namespace model
