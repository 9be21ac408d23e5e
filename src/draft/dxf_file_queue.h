// SPDX-License-Identifier: GPL-3.0-or-later
// Drawings' DXF files written on a thread of their own, in the order they are handed over,
// while the caller goes on generating the next drawings and painting sheets: a set that writes
// both costs the slower of the two, not their sum. What waits to be written is bounded.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/element.h"
#include "model/text_buffer.h"
#include "settings/settings.h"

namespace model {
class Session;
}

namespace draft {

class DxfFileQueue {
public:
    // Told on the writing thread of each file written, with the labels its drawing lost.
    using Written = std::function<void(const std::string& file, int labelsLeftOut)>;
    DxfFileQueue(const settings::Settings& settings, Written written, size_t waitingBytes = size_t{32} << 20);
    ~DxfFileQueue();  // waits for the files handed over
    DxfFileQueue(const DxfFileQueue&) = delete;
    DxfFileQueue& operator=(const DxfFileQueue&) = delete;

    // A copy of the session's current drawing, to be written as `file`; waits while too much
    // is waiting. The first failure so far, if any: after one nothing more is written.
    std::string add(const model::Session& session, const std::string& file);
    // Waits until every file handed over is written; the first failure, if any.
    std::string finish();

private:
    struct Job {
        std::string file;
        std::vector<model::Element> records;
        model::TextBuffer texts;
        int labelsLeftOut = 0;
        size_t bytes = 0;
    };
    void run();

    const settings::Settings settings_;  // a copy: the caller's may change while files are written
    Written written_;
    size_t waitingBytes_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    size_t waiting_ = 0;  // bytes of the jobs not yet written
    bool busy_ = false;   // a job is being written
    bool closing_ = false;
    std::string failed_;
    std::thread worker_;  // last: it starts once the rest is ready
};

}  // namespace draft
