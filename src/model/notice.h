// SPDX-License-Identifier: GPL-3.0-or-later
// What a core call has to tell the user. The core only reports it; the command or window that
// made the call shows it, so a call that may talk to the user says so in its result.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace model {

struct Notice {
    enum class Via { MessageBox, StatusBar };
    Via via = Via::MessageBox;
    std::string text;
    bool beep = false;
};

// Notices a long-lived object gathers until its owner takes them.
using Notices = std::vector<Notice>;

inline Notices takeAll(Notices& pending)
{
    Notices taken;
    taken.swap(pending);
    return taken;
}

// The success of a call and what to tell the user about it.
struct Outcome {
    bool ok = true;
    std::optional<Notice> notice;

    static Outcome failed(std::optional<Notice> why = std::nullopt) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace model
