#include "model/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace model {

namespace {

FileResult failure(const std::string& path, int error)
{
    return {false, path + ": 書き込めません (" + std::strerror(error) + ")"};
}

}  // namespace

SafeFileWriter::~SafeFileWriter()
{
    discard();
}

FileResult SafeFileWriter::open(const std::string& path)
{
    discard();
    path_ = path;
    failed_ = {};
    temp_ = path + ".tmp-XXXXXX";
    fd_ = mkstemp(temp_.data());
    if (fd_ < 0) {
        failed_ = failure(path_, errno);
        temp_.clear();
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

FileResult SafeFileWriter::commit()
{
    if (!failed_.ok || fd_ < 0) {
        FileResult r = failed_.ok ? FileResult{false, path_ + ": 書き込めません"} : failed_;
        discard();
        return r;
    }
    // The temporary file is private to us; give it the usual permissions of a document.
    fchmod(fd_, 0644);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || std::rename(temp_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp_.c_str());
        temp_.clear();
        return failure(path_, error);
    }
    temp_.clear();
    return {};
}

void SafeFileWriter::discard()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

}  // namespace model
