// The one way the program replaces a file: the new bytes go to a temporary file in the
// target's folder, and only a complete write is renamed over the target, so a failed save
// never destroys the previous file.
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
    std::string path_;
    std::string temp_;
    int fd_ = -1;
    FileResult failed_;
};

}  // namespace model
