// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings file lives: beside the program, or in the user's configuration folder
// when the program's folder cannot be written (an installed program).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace settings {

// What the choice depends on, so that it can be decided without touching the real system.
struct PathEnvironment {
    std::function<bool(const std::filesystem::path& dir)> writable;
    // Whether the program's folder is that of an installed program (see install_layout.h).
    std::function<bool(const std::filesystem::path& dir)> installed;
    std::optional<std::string> xdgConfigHome;  // $XDG_CONFIG_HOME
    std::optional<std::string> home;           // $HOME, else the user's home in the password file
};

// A variable of the running process's environment; nothing when it is unset or empty.
std::optional<std::string> envVar(const char* name);

// The running process: access(2) for writability, the real environment variables and files.
PathEnvironment systemPathEnvironment();

// <program path without extension>.ini when its folder is writable; otherwise
// $XDG_CONFIG_HOME/tessmar/tessmar.ini (an absolute XDG_CONFIG_HOME only), else
// ~/.config/tessmar/tessmar.ini. With neither variable usable the file stays beside the
// program, where reading still works and a failed write is reported.
// An installed program always uses the configuration folder, even when its folder is writable
// (run by root): nothing is ever written next to /usr/bin. Without any home it gets an empty
// path: the settings then live in memory for that run only.
std::filesystem::path settingsPath(const std::filesystem::path& programPath, const PathEnvironment& env);
std::filesystem::path settingsPath(const std::filesystem::path& programPath);

// The program's own path: the running executable, or argv0 made absolute when the system
// cannot tell.
std::filesystem::path ownProgramPath(const char* argv0);

}  // namespace settings
