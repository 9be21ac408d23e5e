// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide state of one open project: the model with the settings and the window
// system it is shown through, owned in one place and passed by reference.
#pragma once

#include <string>

#include "model/model.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace model {

class Session : public Model {
public:
    explicit Session(platform::Platform& platform, std::string programDir = ".");

    platform::Platform& platform;
    settings::Settings settings;
};

}  // namespace model
