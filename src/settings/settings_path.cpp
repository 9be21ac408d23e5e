#include "settings/settings_path.h"

#include <cstdlib>
#include <unistd.h>

namespace settings {

namespace fs = std::filesystem;

std::optional<std::string> envVar(const char* name)
{
    const char* v = std::getenv(name);
    if (!v || !*v) return std::nullopt;
    return std::string(v);
}

PathEnvironment systemPathEnvironment()
{
    PathEnvironment env;
    env.writable = [](const fs::path& dir) { return ::access(dir.c_str(), W_OK) == 0; };
    env.xdgConfigHome = envVar("XDG_CONFIG_HOME");
    env.home = envVar("HOME");
    return env;
}

fs::path settingsPath(const fs::path& programPath, const PathEnvironment& env)
{
    fs::path beside = programPath;
    beside.replace_extension(".ini");
    fs::path dir = beside.parent_path();
    if (dir.empty()) dir = ".";
    if (env.writable && env.writable(dir)) return beside;
    // Relative values of XDG_CONFIG_HOME are invalid and are ignored.
    if (env.xdgConfigHome && fs::path(*env.xdgConfigHome).is_absolute())
        return fs::path(*env.xdgConfigHome) / "tessmar" / "tessmar.ini";
    if (env.home && fs::path(*env.home).is_absolute()) return fs::path(*env.home) / ".config" / "tessmar" / "tessmar.ini";
    return beside;
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
