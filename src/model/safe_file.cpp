// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/safe_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace model {

namespace {

FileResult failure(const std::string& path, int error)
{
    return {false, path + ": 書き込めません (" + std::strerror(error) + ")"};
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The file a path names once every symbolic link on the way is followed: saving through a
// link replaces the file it points to and keeps the link. A loop ends after 40 links (ELOOP).
bool followLinks(std::string path, std::string& out, int& error)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            out = path;
            return true;
        }
        std::string target(static_cast<size_t>(PATH_MAX), '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) {
            error = errno;
            return false;
        }
        target.resize(static_cast<size_t>(n));
        path = target[0] == '/' ? target : folderOf(path) + "/" + target;
    }
    error = ELOOP;
    return false;
}

void syncFolder(const std::string& folder)
{
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return;
    ::fsync(dfd);
    ::close(dfd);
}

}  // namespace

SafeFileWriter::~SafeFileWriter()
{
    discard();
}

FileResult SafeFileWriter::refuse(const std::string& why)
{
    failed_ = {false, path_ + ": " + why};
    return failed_;
}

FileResult SafeFileWriter::open(const std::string& path)
{
    discard();
    path_ = path;
    failed_ = {};
    int error = 0;
    if (path.empty()) return refuse("ファイル名がありません");
    if (!followLinks(path, target_, error)) return failed_ = failure(path_, error);

    struct stat st {};
    existed_ = ::stat(target_.c_str(), &st) == 0;
    if (existed_) {
        // Replacing a device, a FIFO or a folder by a file would break the system or lose data.
        if (!S_ISREG(st.st_mode)) return refuse("通常のファイルではないため保存できません");
        // Write bits are checked too: the super-user passes access() on any file.
        if ((st.st_mode & 0222) == 0 || ::access(target_.c_str(), W_OK) != 0)
            return refuse("読み取り専用のファイルのため保存できません");
        mode_ = st.st_mode & 07777;
        owner_ = st.st_uid;
        group_ = st.st_gid;
    } else if (errno != ENOENT) {
        return failed_ = failure(path_, errno);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode_ = 0666 & ~mask;
    }

    const std::string folder = folderOf(target_);
    // An unnamed file in the target's folder: it disappears by itself if the program dies.
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    unnamed_ = fd_ >= 0;
    if (fd_ < 0) {
        // File systems without unnamed files get a short name, so any target name fits.
        temp_ = folder + "/.tsm-XXXXXX";
        fd_ = ::mkstemp(temp_.data());
        if (fd_ < 0) {
            failed_ = failure(path_, errno);
            temp_.clear();
        }
    }
    return failed_;
}

FileResult SafeFileWriter::write(std::string_view bytes)
{
    if (!failed_.ok) return failed_;
    if (fd_ < 0) return failed_ = {false, path_ + ": 書き込めません"};
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t w = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            return failed_ = failure(path_, errno);
        }
        done += static_cast<size_t>(w);
    }
    return {};
}

// Gives the finished temporary file the target's name.
FileResult SafeFileWriter::publish()
{
    if (unnamed_) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        // A new file gets its name in one step; an existing one is replaced by a rename, which
        // needs a name to rename from for the moment between the two calls.
        if (!existed_) {
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) return {};
            if (errno != EEXIST) return failure(path_, errno);
        }
        for (int attempt = 0; attempt < 100 && temp_.empty(); ++attempt) {
            std::string name = folderOf(target_) + "/.tsm-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) temp_ = name;
            else if (errno != EEXIST) return failure(path_, errno);
        }
        if (temp_.empty()) return failure(path_, EEXIST);
    }
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) return failure(path_, errno);
    temp_.clear();
    return {};
}

FileResult SafeFileWriter::commit()
{
    if (!failed_.ok || fd_ < 0) {
        FileResult r = failed_.ok ? FileResult{false, path_ + ": 書き込めません"} : failed_;
        discard();
        return r;
    }
    // The old file's permissions, and its owner where this process may give it away.
    if (existed_ && ::fchown(fd_, owner_, group_) != 0 && errno != EPERM) {
        const int error = errno;
        discard();
        return failure(path_, error);
    }
    if (::fchmod(fd_, static_cast<mode_t>(mode_)) != 0 || ::fsync(fd_) != 0) {
        const int error = errno;
        discard();
        return failure(path_, error);
    }
    FileResult r = publish();
    if (!r.ok) {
        discard();
        return r;
    }
    const int fd = fd_;
    fd_ = -1;
    unnamed_ = false;
    if (::close(fd) != 0) return failure(path_, errno);
    // The rename itself is on disk only once the folder is.
    syncFolder(folderOf(target_));
    return {};
}

void SafeFileWriter::discard()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    unnamed_ = false;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

}  // namespace model
