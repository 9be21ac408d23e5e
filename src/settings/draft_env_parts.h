// SPDX-License-Identifier: GPL-3.0-or-later
// Where each box of the default girder and column sections sits in the stored defaults, and
// which control shows it.
#pragma once

#include <array>
#include <string>

#include "settings/draft_env_form.h"

namespace settings {

template <class T>
struct DefaultPart {
    std::string T::*field;
    bool inBars;  // false: InitGSec / InitCSec, true: InitGirder / InitColumn
    int group;    // ";" group of the stored text
    int item;     // ":" item of that group
    const char* control;
    const char* label;  // as the message names the box
    bool number;        // must be a number (the section sizes)
};

const std::array<DefaultPart<GirderDefaults>, 11>& girderParts();
const std::array<DefaultPart<ColumnDefaults>, 9>& columnParts();

}  // namespace settings
