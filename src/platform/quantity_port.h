// SPDX-License-Identifier: GPL-3.0-or-later
// The rebar quantity window (鉄筋数量表), opened from the drawing menu.
#pragma once

namespace platform {

class QuantityWindowPort {
public:
    virtual ~QuantityWindowPort() = default;
    // Takes off the open project's bars and shows the table modally.
    virtual void showQuantities() = 0;
};

}  // namespace platform
