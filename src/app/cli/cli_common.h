// SPDX-License-Identifier: GPL-3.0-or-later
// Shared pieces of the command-line subcommands.
#pragma once

#include <string>

namespace model {
class Session;
}

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Prints one line to stderr and returns the failure status.
int fail(const std::string& message);
int usage(const std::string& message);
// Reads a project into the session; prints why on failure.
bool loadProject(model::Session& session, const std::string& path);

}  // namespace cli
