// SPDX-License-Identifier: GPL-3.0-or-later
// Save dialogs ask about overwriting the name as typed; the name really written, with its
// extension added, may exist too and is then asked about here.
#pragma once

#include <string>

#include "platform/platform.h"

namespace editor {

// True when `name` may be written: it is the typed name, it does not exist, or the user agreed.
bool mayWrite(platform::Platform& platform, const std::string& typed, const std::string& name);

}  // namespace editor
