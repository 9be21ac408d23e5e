// SPDX-License-Identifier: GPL-3.0-or-later
// The mark-name dialog the section dialog opens for a new mark and for a renamed one.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace platform {

class MarkNamePort {
public:
    virtual ~MarkNamePort() = default;
    // Returns the message that refuses a name, or the empty text for a name that may be used.
    using Check = std::function<std::string(const std::string&)>;
    // mode 1 adds a mark ("符号を追加します。"), 2 renames one ("符号を変更します。"). A refused
    // name is told with its message and the dialog stays open. Nothing when cancelled.
    virtual std::optional<std::string> askMarkName(int mode, const std::string& name, const Check& check) = 0;
};

}  // namespace platform
