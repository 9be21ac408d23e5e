// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_path.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "settings/install_layout.h"

namespace settings {

namespace fs = std::filesystem;

std::optional<std::string> envVar(const char* name)
{
    const char* v = std::getenv(name);
    if (!v || !*v) return std::nullopt;
    return std::string(v);
}

namespace {

// A desktop session always sets HOME; a service or sudo -H may not.
std::optional<std::string> homeDir()
{
    if (auto home = envVar("HOME")) return home;
    const passwd* pw = ::getpwuid(::getuid());
    if (!pw || !pw->pw_dir || !*pw->pw_dir) return std::nullopt;
    return std::string(pw->pw_dir);
}

std::optional<fs::path> userConfigPath(const PathEnvironment& env)
{
    // Relative values of XDG_CONFIG_HOME are invalid and are ignored.
    if (env.xdgConfigHome && fs::path(*env.xdgConfigHome).is_absolute())
        return fs::path(*env.xdgConfigHome) / "tessmar" / "tessmar.ini";
    if (env.home && fs::path(*env.home).is_absolute()) return fs::path(*env.home) / ".config" / "tessmar" / "tessmar.ini";
    return std::nullopt;
}

}  // namespace

PathEnvironment systemPathEnvironment()
{
    PathEnvironment env;
    env.writable = [](const fs::path& dir) { return ::access(dir.c_str(), W_OK) == 0; };
    env.installed = [](const fs::path& dir) { return isInstalledLayout(dir); };
    env.xdgConfigHome = envVar("XDG_CONFIG_HOME");
    env.home = homeDir();
    return env;
}

fs::path settingsPath(const fs::path& programPath, const PathEnvironment& env)
{
    fs::path beside = programPath;
    beside.replace_extension(".ini");
    fs::path dir = beside.parent_path();
    if (dir.empty()) dir = ".";
    const bool installed = env.installed && env.installed(dir);
    if (!installed && env.writable && env.writable(dir)) return beside;
    if (auto user = userConfigPath(env)) return *user;
    return installed ? fs::path() : beside;
}

fs::path settingsPath(const fs::path& programPath) { return settingsPath(programPath, systemPathEnvironment()); }

fs::path ownProgramPath(const char* argv0)
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) return self;
    if (!argv0 || !*argv0) return fs::path("tessmar");
    fs::path p = fs::absolute(argv0, ec);
    return ec ? fs::path(argv0) : p;
}

}  // namespace settings
