// SPDX-License-Identifier: GPL-3.0-or-later
// The one writer of every saved file: a failed or refused save never touches the old file,
// links and permissions survive a save, and a save killed halfway leaves nothing behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "model/project_file.h"
#include "model/safe_file.h"
#include "settings/ini_file.h"
#include "support/temp_dir.h"

using namespace model;
namespace fs = std::filesystem;

namespace {

class SafeSave : public testing_support::TempDirTest {
protected:
    size_t filesInDir() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }
    static unsigned modeOf(const std::string& p)
    {
        struct stat st {};
        ::stat(p.c_str(), &st);
        return st.st_mode & 07777;
    }
};

}  // namespace

TEST_F(SafeSave, SavingThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink)
{
    fs::create_directories(dir / "real");
    writeBytes(dir / "real" / "plan.kel", "old");
    fs::create_symlink("real/plan.kel", dir / "link.kel");
    ASSERT_TRUE(writeFileAtomically(path("link.kel"), "new").ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.kel"));
    EXPECT_EQ(readBytes(dir / "real" / "plan.kel"), "new");
    // A link to a file not there yet makes the file where it points.
    fs::create_symlink("real/fresh.kel", dir / "dangling.kel");
    ASSERT_TRUE(writeFileAtomically(path("dangling.kel"), "made").ok);
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.kel"));
    EXPECT_EQ(readBytes(dir / "real" / "fresh.kel"), "made");
    // The ini file goes through the same writer.
    fs::create_symlink("real/tessmar.ini", dir / "tessmar.ini");
    settings::IniFile ini(dir / "tessmar.ini");
    ASSERT_TRUE(ini.write("Env", "Key", "1")) << ini.lastError();
    EXPECT_TRUE(fs::is_symlink(dir / "tessmar.ini"));
    EXPECT_NE(readBytes(dir / "real" / "tessmar.ini").find("Key"), std::string::npos);
}

TEST_F(SafeSave, TargetsThatAreNotRegularOrWritableFilesAreRefused)
{
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0644), 0);
    fs::create_directories(dir / "folder.kel");
    for (const char* name : {"fifo", "folder.kel"}) {
        FileResult r = writeFileAtomically(path(name), "x");
        EXPECT_FALSE(r.ok) << name;
        EXPECT_NE(r.message.find("通常のファイルではない"), std::string::npos) << r.message;
    }
    EXPECT_EQ(fs::status(path("fifo")).type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_directory(dir / "folder.kel"));

    writeBytes(path("locked.kel"), "keep");
    fs::permissions(path("locked.kel"), fs::perms::owner_read | fs::perms::group_read);
    FileResult r = writeFileAtomically(path("locked.kel"), "lost");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("読み取り専用"), std::string::npos) << r.message;
    EXPECT_EQ(readBytes(path("locked.kel")), "keep");
    EXPECT_EQ(filesInDir(), 3u);
}

TEST_F(SafeSave, ASavedFileKeepsItsPermissionsAndAnyNameFits)
{
    writeBytes(path("private.kel"), "old");
    ::chmod(path("private.kel").c_str(), 0600);
    ASSERT_TRUE(writeFileAtomically(path("private.kel"), "new").ok);
    EXPECT_EQ(modeOf(path("private.kel")), 0600u);
    EXPECT_EQ(readBytes(path("private.kel")), "new");

    const std::string longest(251, 'k');  // with ".kel", the longest name a folder holds
    writeBytes(path(longest + ".kel"), "old");
    ASSERT_TRUE(writeFileAtomically(path(longest + ".kel"), "new").ok);
    EXPECT_EQ(readBytes(path(longest + ".kel")), "new");
    EXPECT_EQ(filesInDir(), 2u);
}

TEST_F(SafeSave, ASaveKilledHalfwayLeavesOnlyTheOldFile)
{
    writeBytes(path("plan.kel"), "previous");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SafeFileWriter writer;
        writer.open(path("plan.kel"));
        writer.write(std::string(100000, 'x'));
        ::raise(SIGKILL);  // dies before commit, as a kill -9 during a save would
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(readBytes(path("plan.kel")), "previous");
    EXPECT_EQ(filesInDir(), 1u);

    SafeFileWriter discarded;
    ASSERT_TRUE(discarded.open(path("plan.kel")).ok);
    discarded.write("half");
    discarded.discard();
    EXPECT_EQ(readBytes(path("plan.kel")), "previous");
    EXPECT_EQ(filesInDir(), 1u);
}
