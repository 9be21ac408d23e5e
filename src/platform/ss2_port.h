// SPDX-License-Identifier: GPL-3.0-or-later
// The SS2 paste dialog, opened modally by the section dialog.
#pragma once

#include <optional>

#include "exchange/ss2_result.h"

namespace platform {

class Ss2ImportPort {
public:
    virtual ~Ss2ImportPort() = default;
    // mode 0 girders, 1 columns; levelSpans the level span count n. Nothing when cancelled.
    virtual std::optional<exchange::Ss2Result> importSs2(int mode, int levelSpans) = 0;
};

}  // namespace platform
