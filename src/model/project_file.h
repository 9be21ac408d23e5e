// SPDX-License-Identifier: GPL-3.0-or-later
// The .kel project file: CP932 text, CR LF, grid lines, sections, then one element a line.
#pragma once

#include <string>

namespace model {

class Model;

struct FileResult {
    FileResult() = default;
    FileResult(bool success, std::string why) : ok(success), message(std::move(why)) {}

    bool ok = true;
    std::string message;  // why it failed: file, line and what was wrong
    std::string notice;   // read or written, but something the user should hear once
};

// Reads into a fresh model and swaps it in only when the whole file was read; a failed read
// leaves the open project exactly as it was.
FileResult readProject(Model& session, const std::string& path);
// The same for the bytes of a project file; path names it in messages and becomes the
// project's name.
FileResult readProjectBytes(Model& session, std::string bytes, const std::string& path);
// The bytes of the project as it would be written.
std::string projectText(const Model& session);
// Writes through a temporary file renamed over the target, so a failed save keeps the old
// file whole; clears the modified flag on success.
FileResult writeProject(Model& session, const std::string& path);

// Writes bytes to path through a temporary file in the same folder.
FileResult writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace model
