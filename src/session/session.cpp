// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session.h"

namespace model {

Session::Session(platform::Platform& p, std::string dir) : Model(std::move(dir)), platform(p) {}

}  // namespace model
