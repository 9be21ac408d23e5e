// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery copies of unsaved work: a copy reads back as the project it was taken from, never
// touches the user's file, and only the copies of programs that no longer run are offered.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/autosaver.h"
#include "model/project_file.h"
#include "model/project_text.h"
#include "model/recovery_folder.h"
#include "session/session.h"
#include "support/recording_platform.h"
#include "support/temp_dir.h"

using namespace model;
namespace fs = std::filesystem;

namespace {

class Recovery : public testing_support::TempDirTest {
protected:
    Recovery() : session(platform)
    {
        const std::string sample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";
        EXPECT_TRUE(readProject(session, sample).ok);
    }
    // A recovery file as a program that ended without saving leaves it.
    void leaveCopy(int pid, const std::string& projectPath, std::int64_t savedAt)
    {
        writeBytes(dir / (std::to_string(pid) + ".kel"),
                   projectText(session.store.records(), session.sections, session.grid,
                               recoveryNoteLines({projectPath, savedAt})));
    }
    static std::vector<int> owners(const std::vector<OrphanRecovery>& orphans)
    {
        std::vector<int> out;
        for (const auto& o : orphans) out.push_back(o.owner);
        return out;
    }

    testing_support::RecordingPlatform platform;
    Session session;
};

}  // namespace

TEST_F(Recovery, ACopyReadsBackAsTheProjectWithItsNameAndTimeAndLeavesTheUsersFileAlone)
{
    // Any byte a path may hold, and text that is no CP932 at all.
    const std::string user = (dir / "a b%20\n計画🏗.kel").string();
    writeBytes(user, "the user's own bytes");
    session.project.path = user;
    session.store.addElem(kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 7000, 0, 0, kNewLineColour);
    session.project.modified = true;

    Autosaver saver(path("1.kel"));
    ASSERT_TRUE(saver.save(session));
    ASSERT_TRUE(saver.wait().ok) << saver.wait().message;
    EXPECT_EQ(readBytes(user), "the user's own bytes");
    EXPECT_TRUE(session.project.modified);

    const std::optional<RecoveryNote> note = readRecoveryNote(path("1.kel"));
    ASSERT_TRUE(note);
    EXPECT_EQ(note->projectPath, user);
    EXPECT_NEAR(static_cast<double>(note->savedAt), static_cast<double>(std::time(nullptr)), 60);

    Session back(platform);
    const FileResult read = readProject(back, path("1.kel"));
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_TRUE(read.notice.empty()) << read.notice;
    EXPECT_EQ(projectText(back), projectText(session));

    EXPECT_FALSE(readRecoveryNote(std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel")) << "a plain project";
}

TEST_F(Recovery, DiscardingRemovesTheCopyEvenWhileItIsBeingWritten)
{
    Autosaver saver(path("1.kel"));
    ASSERT_TRUE(saver.save(session));
    saver.discard();
    EXPECT_FALSE(fs::exists(path("1.kel")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 0) << "no temporary left";

    ASSERT_TRUE(saver.save(session));
    ASSERT_TRUE(saver.wait().ok);
    ASSERT_TRUE(saver.holdsWork());
    saver.discard();
    EXPECT_FALSE(fs::exists(path("1.kel")));
    EXPECT_FALSE(saver.holdsWork());
}

TEST_F(Recovery, OnlyCopiesOfProgramsThatNoLongerRunAreOfferedAndOnlyToOneProgram)
{
    auto running = std::make_unique<RecoveryFolder>(dir, 1001);
    ASSERT_TRUE(running->claim().ok);
    Autosaver runningSaver(running->ownFile());
    ASSERT_TRUE(runningSaver.save(session));
    ASSERT_TRUE(runningSaver.wait().ok);
    leaveCopy(999997, "/old.kel", 1000);
    leaveCopy(999999, "/newer.kel", 2000);
    writeBytes(dir / "999998.lock", "");  // killed with nothing to recover
    writeBytes(dir / "notes.kel", "");    // not a copy of this program

    RecoveryFolder starting(dir, 1002);
    ASSERT_TRUE(starting.claim().ok);
    const std::vector<OrphanRecovery> offered = starting.orphans();
    EXPECT_EQ(owners(offered), (std::vector<int>{999999, 999997})) << "newest first, the running program's never";
    EXPECT_FALSE(fs::exists(dir / "999998.lock"));

    // A third program starting meanwhile does not offer what the second is offering.
    RecoveryFolder third(dir, 1003);
    ASSERT_TRUE(third.claim().ok);
    EXPECT_TRUE(third.orphans().empty());

    ASSERT_TRUE(starting.adopt(offered[0]).ok);
    EXPECT_EQ(readRecoveryNote(starting.ownFile())->projectPath, "/newer.kel");
    EXPECT_FALSE(fs::exists(dir / "999999.kel"));
    starting.remove(offered[1]);
    EXPECT_FALSE(fs::exists(dir / "999997.kel"));
    EXPECT_FALSE(fs::exists(dir / "999997.lock"));

    // The first program dies: its copy is offered now, and the adopted one is the second's.
    running.reset();
    EXPECT_EQ(owners(third.orphans()), (std::vector<int>{1001}));
}

TEST(RecoveryFolderPath, IsTheUsersStateFolder)
{
    EXPECT_EQ(recoveryFolderPath(std::string("/xdg/state"), std::string("/home/u")), fs::path("/xdg/state/tessmar"));
    EXPECT_EQ(recoveryFolderPath(std::string("relative"), std::string("/home/u")),
              fs::path("/home/u/.local/state/tessmar"));
    EXPECT_EQ(recoveryFolderPath(std::nullopt, std::nullopt), fs::path());
    RecoveryFolder nowhere({}, 1);
    EXPECT_FALSE(nowhere.claim().ok);
}
