// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the program replaces a file: the new bytes go to a temporary file in the
// target's folder, and only a complete write is renamed over the target, so a failed save
// never destroys the previous file. A symbolic link is followed (the link stays), targets
// that are not regular files or are read-only are refused, the old file's permissions (and
// owner, where allowed) are kept, and the content is on disk before commit reports success.
// The temporary file has no name until it is complete, where the file system allows that,
// so a save killed halfway leaves nothing behind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/project_file.h"

namespace model {

class SafeFileWriter {
public:
    SafeFileWriter() = default;
    // A writer that was neither committed nor closed leaves the target untouched.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Prepares the replacement of path; false (with the reason) when it cannot be written.
    FileResult open(const std::string& path);
    // Appends bytes; a failure is remembered and reported again by commit.
    FileResult write(std::string_view bytes);
    // Puts the complete new content in place of the target.
    FileResult commit();
    // Throws the new content away; the target stays as it was.
    void discard();

private:
    FileResult refuse(const std::string& why);
    FileResult publish();

    std::string path_;    // as the caller named it, for messages
    std::string target_;  // the file really replaced: links followed
    std::string temp_;    // the named temporary file, when it has a name
    int fd_ = -1;
    bool unnamed_ = false;  // fd_ is an O_TMPFILE without a name yet
    bool existed_ = false;
    unsigned mode_ = 0;
    unsigned owner_ = 0, group_ = 0;
    FileResult failed_;
};

}  // namespace model
