// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved work survives kill -9 of the real window program under a real window manager: the
// next start offers it, Yes brings it back without touching the user's file, and a clean exit
// leaves no copy behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "support/temp_dir.h"
#include "x_session.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> filesIn(const fs::path& dir)
{
    std::vector<fs::path> out;
    std::error_code ec;
    for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        out.push_back(it->path().filename());
    return out;
}

}  // namespace

TEST(RecoveryWindow, WorkOfAKilledProgramIsOfferedAtTheNextStartAndAQuitRemovesTheCopy)
{
    uitest::XSession x;
    if (!x.missing().empty()) GTEST_SKIP() << x.missing();
    testing_support::TempDir temp;
    const std::string plan = temp.file("plan.kel");
    fs::copy_file(std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel", plan);
    const std::string userBytes = testing_support::readBytes(plan);
    const fs::path state = temp.path() / "state" / "tessmar";
    const std::vector<std::string> env = {"DISPLAY=" + x.display(), "QT_QPA_PLATFORM=xcb",
                                          "XDG_STATE_HOME=" + (temp.path() / "state").string(),
                                          "TESSMAR_AUTOSAVE_MS=300", "ASAN_OPTIONS=detect_leaks=0"};
    const std::string log = temp.file("tessmar.log");
    const auto copyOf = [&](pid_t pid) { return state / (std::to_string(pid) + ".kel"); };

    // Delete what a window drawn across the plan holds, then wait for the copy.
    const pid_t first = uitest::spawn({TESSMAR_GUI_PROGRAM, plan}, env, log);
    const std::string main = x.waitForWindow("Tessmar", 60000);
    ASSERT_FALSE(main.empty()) << testing_support::readBytes(log);
    const auto [status, geometry] = x.run("xdotool getwindowgeometry --shell " + main);
    ASSERT_EQ(status, 0);
    const auto value = [&g = geometry](const std::string& key) {
        const size_t at = g.find(key + "=");
        return std::stoi(g.substr(at + key.size() + 1));
    };
    const int left = value("X"), top = value("Y"), width = value("WIDTH"), height = value("HEIGHT");
    x.keys("alt+e d");
    x.run("xdotool mousemove " + std::to_string(left + width * 15 / 100) + " " + std::to_string(top + height / 4) +
          " mousedown 1 mousemove " + std::to_string(left + width / 2) + " " + std::to_string(top + height / 2) +
          " mousemove " + std::to_string(left + width * 8 / 10) + " " + std::to_string(top + height * 85 / 100) +
          " mouseup 1");
    ASSERT_TRUE(uitest::waitUntil([&] { return fs::exists(copyOf(first)); }, 30000)) << "no copy was written";
    ::kill(first, SIGKILL);
    ASSERT_EQ(uitest::waitExit(first, 10000), 128 + SIGKILL);
    EXPECT_EQ(testing_support::readBytes(plan), userBytes);
    const std::string copied = testing_support::readBytes(copyOf(first));
    ASSERT_NE(copied, userBytes) << "the copy holds the deletion";

    // The next start asks; Yes takes the copy over as this program's own.
    const pid_t second = uitest::spawn({TESSMAR_GUI_PROGRAM}, env, log);
    ASSERT_FALSE(x.waitForWindow("^確認$", 60000).empty()) << "no recovery question";
    x.keys("alt+y");
    ASSERT_TRUE(uitest::waitUntil([&] { return fs::exists(copyOf(second)) && !fs::exists(copyOf(first)); }, 20000));
    EXPECT_EQ(testing_support::readBytes(copyOf(second)), copied);
    EXPECT_FALSE(x.waitForWindow("plan.kel", 20000).empty()) << "the restored project keeps its name";

    // Restored work is modified: closing asks to save; No quits without a copy left behind.
    x.keys("alt+F4");
    ASSERT_FALSE(x.waitForWindow("^確認$", 20000).empty()) << "closing did not ask about unsaved work";
    x.keys("alt+n");
    EXPECT_EQ(uitest::waitExit(second, 20000), 0) << testing_support::readBytes(log);
    for (const fs::path& left : filesIn(state)) ADD_FAILURE() << "left behind: " << left;
    EXPECT_EQ(testing_support::readBytes(plan), userBytes);
}
