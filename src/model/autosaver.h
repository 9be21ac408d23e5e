// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a copy of the modified project to this program's recovery file. Taking the copy of the
// records, sections and grid is the only work done on the caller's thread; the file's bytes are
// made and written through the safe writer on a thread of its own, so the window does not
// pause even for a large building.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "model/project_file.h"

namespace model {

class Model;
struct ProjectCopy;

class Autosaver {
public:
    explicit Autosaver(std::string file);
    // Waits for a write under way; the file stays (only discard removes it).
    ~Autosaver();
    Autosaver(const Autosaver&) = delete;
    Autosaver& operator=(const Autosaver&) = delete;

    const std::string& file() const { return file_; }
    // Starts writing a copy of the project. False when nothing was started: the last write is
    // still under way, or the copy or its thread could not be had (finished() says why).
    bool save(const Model& session);
    // The outcome of the last write once it has finished, reported once.
    std::optional<FileResult> finished();
    // Waits for a write under way; its outcome.
    FileResult wait();
    // Stops a write under way and deletes the recovery file.
    void discard();
    // The file holds this program's work: written by it, or a recovery file taken over.
    bool holdsWork() const { return holdsWork_; }
    void takeOver() { holdsWork_ = true; }

private:
    std::string file_;
    // Kept from one copy to the next: refilling memory already in use costs a fraction of
    // fresh memory, and this copy is the part that blocks the window.
    std::unique_ptr<ProjectCopy> copy_;
    std::thread worker_;
    std::atomic<bool> done_{true};
    std::atomic<bool> cancelled_{false};
    bool reported_ = true;
    bool holdsWork_ = false;
    FileResult result_;
};

}  // namespace model
