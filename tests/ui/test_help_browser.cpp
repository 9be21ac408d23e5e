// SPDX-License-Identifier: GPL-3.0-or-later
// A desktop whose browser fails to take a page says so instead of doing nothing.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "ui_harness.h"

namespace {

// Puts a stand-in xdg-open that exits with the given status first on PATH.
class FakeOpener {
public:
    FakeOpener(const uitest::TempDir& dir, int status) : oldPath_(qgetenv("PATH"))
    {
        const auto script = dir.path() / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nexit " << status << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        qputenv("PATH", QByteArray::fromStdString(dir.path().string()) + ":" + oldPath_);
    }
    ~FakeOpener() { qputenv("PATH", oldPath_); }

private:
    QByteArray oldPath_;
};

std::vector<std::string> openThroughDesktop(int exitStatus)
{
    uitest::app();
    uitest::TempDir dir;
    const std::string page = dir.file("index.html");
    std::ofstream(page) << "<html></html>";
    FakeOpener opener(dir, exitStatus);
    ui::QtPlatform platform;
    std::vector<std::string> said;
    platform.setMessageHook([&](const std::string&, const std::string& text, platform::Buttons) {
        said.push_back(text);
        return platform::Answer::Ok;
    });
    EXPECT_TRUE(platform.openUrl(page));
    uitest::processEvents(500);
    return said;
}

TEST(HelpBrowser, ABrowserThatFailsIsReported)
{
    const std::vector<std::string> said = openThroughDesktop(4);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("を開けませんでした。"), std::string::npos);
}

TEST(HelpBrowser, ABrowserThatTakesThePageSaysNothing)
{
    EXPECT_TRUE(openThroughDesktop(0).empty());
}

}  // namespace
