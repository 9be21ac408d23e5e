// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file sits beside the program unless that folder cannot be written; then it goes
// to the user's configuration folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include "settings/install_layout.h"
#include "settings/settings_path.h"

using settings::PathEnvironment;
using settings::settingsPath;
namespace fs = std::filesystem;

namespace {

PathEnvironment environment(bool writable, std::optional<std::string> xdg, std::optional<std::string> home)
{
    PathEnvironment env;
    env.writable = [writable](const fs::path&) { return writable; };
    env.xdgConfigHome = std::move(xdg);
    env.home = std::move(home);
    return env;
}

}  // namespace

TEST(SettingsPath, BesideAWritableProgramWithItsExtensionReplaced)
{
    auto env = environment(true, "/xdg", "/home/u");
    EXPECT_EQ(settingsPath("/opt/tessmar/tessmar", env), fs::path("/opt/tessmar/tessmar.ini"));
    EXPECT_EQ(settingsPath("/opt/tessmar/tessmar.exe", env), fs::path("/opt/tessmar/tessmar.ini"));
    EXPECT_EQ(settingsPath("/opt/v1.2/tessmar", env), fs::path("/opt/v1.2/tessmar.ini"));

    fs::path asked;
    env.writable = [&asked](const fs::path& dir) {
        asked = dir;
        return true;
    };
    settingsPath("/opt/tessmar/bin/tessmar", env);
    EXPECT_EQ(asked, fs::path("/opt/tessmar/bin"));
}

TEST(SettingsPath, InstalledProgramUsesTheUserConfigurationFolder)
{
    EXPECT_EQ(settingsPath("/usr/bin/tessmar", environment(false, "/xdg", "/home/u")),
              fs::path("/xdg/tessmar/tessmar.ini"));
    EXPECT_EQ(settingsPath("/usr/bin/tessmar", environment(false, std::nullopt, "/home/u")),
              fs::path("/home/u/.config/tessmar/tessmar.ini"));
    // A relative XDG_CONFIG_HOME is not valid and is passed over.
    EXPECT_EQ(settingsPath("/usr/bin/tessmar", environment(false, "rel/cfg", "/home/u")),
              fs::path("/home/u/.config/tessmar/tessmar.ini"));
    // Nowhere better to go: stay beside the program, where reading still works.
    EXPECT_EQ(settingsPath("/usr/bin/tessmar", environment(false, std::nullopt, std::nullopt)),
              fs::path("/usr/bin/tessmar.ini"));
}

TEST(SettingsPath, AnInstalledProgramNeverWritesBesideItselfEvenWhenItCould)
{
    auto env = environment(true, std::nullopt, "/root");
    env.installed = [](const fs::path& dir) { return dir == fs::path("/usr/bin"); };
    EXPECT_EQ(settingsPath("/usr/bin/tessmar", env), fs::path("/root/.config/tessmar/tessmar.ini"));
    env.xdgConfigHome = "/xdg";
    EXPECT_EQ(settingsPath("/usr/bin/tessmar", env), fs::path("/xdg/tessmar/tessmar.ini"));
    // No home at all: settings for this run only, rather than a file in /usr/bin.
    env.xdgConfigHome.reset();
    env.home.reset();
    EXPECT_EQ(settingsPath("/usr/bin/tessmar", env), fs::path());
    // A build folder stays as it was.
    EXPECT_EQ(settingsPath("/src/build/release/tessmar", env), fs::path("/src/build/release/tessmar.ini"));
}

TEST(InstallLayout, APackagedProgramIsABinFolderWithShareTessmarBesideIt)
{
    const fs::path root = fs::temp_directory_path() / ("tessmar_layout_" + std::to_string(::getpid()));
    fs::create_directories(root / "bin");
    EXPECT_FALSE(settings::isInstalledLayout(root / "bin"));
    fs::create_directories(root / "share" / "tessmar");
    EXPECT_TRUE(settings::isInstalledLayout(root / "bin"));
    EXPECT_TRUE(settings::isInstalledLayout(root.string() + "/bin/"));
    // The data folder alone is not enough: a build folder is not named bin.
    EXPECT_FALSE(settings::isInstalledLayout(root / "share"));
    EXPECT_TRUE(settings::systemPathEnvironment().installed(root / "bin"));
    fs::remove_all(root);

    EXPECT_EQ(settings::installedDataDir("/usr/bin/"), fs::path("/usr/share/tessmar"));
    EXPECT_EQ(settings::installedDataDir("/usr/local/bin"), fs::path("/usr/local/share/tessmar"));
}
