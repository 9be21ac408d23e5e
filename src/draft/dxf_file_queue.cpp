// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/dxf_file_queue.h"

#include <exception>

#include "dxf/dxf_writer.h"
#include "model/element_store.h"
#include "session/session.h"

namespace draft {

DxfFileQueue::DxfFileQueue(const settings::Settings& settings, Written written, size_t waitingBytes)
    : settings_(settings), written_(std::move(written)), waitingBytes_(waitingBytes), worker_([this] { run(); })
{
}

DxfFileQueue::~DxfFileQueue()
{
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

std::string DxfFileQueue::add(const model::Session& session, const std::string& file)
{
    Job job{file, session.store.records(), session.texts, session.texts.refused(), 0};
    job.bytes = job.records.size() * sizeof(model::Element);
    for (const model::Moji& m : job.texts.entries()) job.bytes += sizeof m + m.text.size() + m.layer.size();
    std::unique_lock lock(mutex_);
    // One drawing bigger than the bound still goes, alone.
    changed_.wait(lock, [&] { return !failed_.empty() || waiting_ == 0 || waiting_ + job.bytes <= waitingBytes_; });
    if (!failed_.empty()) return failed_;
    waiting_ += job.bytes;
    jobs_.push_back(std::move(job));
    changed_.notify_all();
    return {};
}

std::string DxfFileQueue::finish()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !failed_.empty() || (jobs_.empty() && !busy_); });
    return failed_;
}

void DxfFileQueue::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return closing_ || !jobs_.empty(); });
        if (jobs_.empty()) return;  // closing, everything written
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        const bool skip = !failed_.empty();
        busy_ = true;
        lock.unlock();
        model::FileResult result{true, {}};
        if (!skip) {
            // Nothing may leave the thread: what goes wrong fails the file instead.
            try {
                model::ElementStore store;
                store.records() = std::move(job.records);
                result = dxf::WriteDxf(job.file, store, job.texts, settings_);
            } catch (const std::exception& e) {
                result = {false, job.file + ": " + e.what()};
            }
            if (result.ok && written_) written_(job.file, job.labelsLeftOut);
        }
        lock.lock();
        busy_ = false;
        waiting_ -= job.bytes;
        if (!result.ok && failed_.empty()) failed_ = result.message;
        changed_.notify_all();
    }
}

}  // namespace draft
