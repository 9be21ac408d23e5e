// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/autosaver.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <new>
#include <system_error>
#include <vector>

#include "model/model.h"
#include "model/project_text.h"
#include "model/recovery_file.h"
#include "model/safe_file.h"

namespace model {

// What the project file is made of, read by the worker while it writes.
struct ProjectCopy {
    std::vector<Element> records;  // only those written
    SectionTable sections;
    GridModel grid;
    RecoveryNote note;
};

namespace {

FileResult writeCopy(const ProjectCopy& copy, const std::string& file, const std::atomic<bool>& cancelled)
{
    const std::string bytes = projectText(copy.records, copy.sections, copy.grid, recoveryNoteLines(copy.note));
    SafeFileWriter writer;
    if (FileResult r = writer.open(file); !r.ok) return r;
    if (FileResult r = writer.write(bytes); !r.ok) return r;
    // Saved or thrown away meanwhile: the copy must not come back after the file was removed.
    if (cancelled) return {};
    return writer.commit();
}

}  // namespace

Autosaver::Autosaver(std::string file) : file_(std::move(file)), copy_(std::make_unique<ProjectCopy>()) {}

Autosaver::~Autosaver() { wait(); }

bool Autosaver::save(const Model& session)
{
    if (!done_) return false;
    wait();
    reported_ = false;
    try {
        copyWrittenRecords(session.store.records(), copy_->records);
        copy_->sections = session.sections;
        copy_->grid = session.grid;
        copy_->note = {session.project.path, static_cast<std::int64_t>(std::time(nullptr))};
    } catch (const std::bad_alloc&) {
        result_ = {false, file_ + ": 複写のためのメモリが足りません"};
        return false;
    }
    done_ = false;
    cancelled_ = false;
    holdsWork_ = true;
    try {
        worker_ = std::thread([this] {
            try {
                result_ = writeCopy(*copy_, file_, cancelled_);
            } catch (const std::bad_alloc&) {
                result_ = {false, file_ + ": 書き出しのためのメモリが足りません"};
            }
            done_ = true;
        });
    } catch (const std::system_error& e) {
        result_ = {false, file_ + ": " + e.what()};
        done_ = true;
        return false;
    }
    return true;
}

FileResult Autosaver::wait()
{
    if (worker_.joinable()) worker_.join();
    return result_;
}

std::optional<FileResult> Autosaver::finished()
{
    if (!done_ || reported_) return std::nullopt;
    reported_ = true;
    return wait();
}

void Autosaver::discard()
{
    cancelled_ = true;
    wait();
    reported_ = true;
    if (holdsWork_) std::remove(file_.c_str());
    holdsWork_ = false;
}

}  // namespace model
