// SPDX-License-Identifier: GPL-3.0-or-later
// The help menu finds its pages beside the program and says so plainly when it cannot show them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/help_pages.h"
#include "support/recording_platform.h"

namespace {

struct BrowserPlatform : testing_support::RecordingPlatform {
    bool browserWorks = true;
    std::vector<std::string> opened;
    bool openUrl(const std::string& url) override
    {
        opened.push_back(url);
        return browserWorks;
    }
};

class HelpPages : public ::testing::Test {
protected:
    HelpPages() : dir(std::filesystem::temp_directory_path() / ("tessmar_help_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(dir);
    }
    ~HelpPages() override { std::filesystem::remove_all(dir); }
    void writeManual()
    {
        std::filesystem::create_directories(dir / "docs");
        std::ofstream(dir / "docs" / "manual.html") << "<html></html>";
    }
    std::filesystem::path dir;
    BrowserPlatform platform;
};

TEST_F(HelpPages, APageBesideTheProgramGoesToTheBrowser)
{
    writeManual();
    editor::openHelpPage(platform, dir.string(), 1);
    ASSERT_EQ(platform.opened.size(), 1u);
    EXPECT_EQ(platform.opened[0], (dir / "docs" / "manual.html").string());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(HelpPages, AMissingPageIsNamedAndNoBrowserStarts)
{
    editor::openHelpPage(platform, dir.string(), 2);
    EXPECT_TRUE(platform.opened.empty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].caption, "確認");
    EXPECT_EQ(platform.messages[0].text, "ヘルプページ " + (dir / "docs" / "reference.html").string() + " が見つかりません。");
}

TEST_F(HelpPages, ABrowserThatFailsIsReported)
{
    writeManual();
    platform.browserWorks = false;
    editor::openHelpPage(platform, dir.string() + "/", 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, editor::cannotOpenText((dir / "docs" / "manual.html").string()));
    EXPECT_NE(platform.messages[0].text.find("ブラウザ"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(HelpPages, AnInstalledProgramFindsItsPagesUnderShare)
{
    const auto installedDocs = dir / "share" / "tessmar" / "docs";
    std::filesystem::create_directories(installedDocs);
    std::filesystem::create_directories(dir / "bin");
    std::ofstream(installedDocs / "index.html") << "<html></html>";
    std::ofstream(installedDocs / "manual.html") << "<html></html>";

    EXPECT_TRUE(editor::helpPagesFound((dir / "bin").string()));
    editor::openHelpPage(platform, (dir / "bin").string() + "/", 1);
    ASSERT_EQ(platform.opened.size(), 1u);
    EXPECT_EQ(platform.opened[0], (installedDocs / "manual.html").string());

    // Pages beside the program (a build folder) come first.
    std::filesystem::create_directories(dir / "bin" / "docs");
    std::ofstream(dir / "bin" / "docs" / "manual.html") << "<html></html>";
    editor::openHelpPage(platform, (dir / "bin").string(), 1);
    ASSERT_EQ(platform.opened.size(), 2u);
    EXPECT_EQ(platform.opened[1], (dir / "bin" / "docs" / "manual.html").string());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(HelpPages, NoPagesAnywhereIsNoticedAtStartUp)
{
    EXPECT_FALSE(editor::helpPagesFound(dir.string()));
    writeManual();
    EXPECT_FALSE(editor::helpPagesFound(dir.string()));  // the home page is what the start-up checks
    std::ofstream(dir / "docs" / "index.html") << "<html></html>";
    EXPECT_TRUE(editor::helpPagesFound(dir.string()));
}

}  // namespace
