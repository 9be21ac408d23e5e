// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up offer of unsaved work: Yes brings it back as modified work under its own name,
// written to the user's file only when the user saves; No deletes the copy.
#include "test_dispatcher_harness.h"

#include <cstdlib>
#include <ctime>

#include "editor/recovery_offer.h"
#include "model/autosaver.h"
#include "model/project_file.h"
#include "model/recovery_folder.h"

namespace fs = std::filesystem;
using platform::Answer;
using testing_support::EditorTest;

namespace {

class RecoveryOffer : public EditorTest {
protected:
    RecoveryOffer() : folder(temp.path() / "state", 5151), saver((claimFolder(), folder.ownFile())) {}

    void claimFolder() { ASSERT_TRUE(folder.claim().ok); }
    // Unsaved work of a program with that number which then died: its lock is gone.
    void leaveWork(int pid, const std::string& projectPath)
    {
        session.project.path = projectPath;
        RecoveryFolder other(temp.path() / "state", pid);
        ASSERT_TRUE(other.claim().ok);
        model::Autosaver copy(other.ownFile());
        ASSERT_TRUE(copy.save(session));
        ASSERT_TRUE(copy.wait().ok);
    }
    std::string user(const std::string& name) { return (temp.path() / name).string(); }

    using RecoveryFolder = model::RecoveryFolder;
    RecoveryFolder folder;
    model::Autosaver saver;
};

}  // namespace

TEST(RecoveryQuestion, NamesTheTimeAndTheProjectFile)
{
    const char* tz = std::getenv("TZ");
    const std::string saved = tz ? tz : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(editor::recoveryQuestion({"/home/u/構造/sample.kel", 1765185300}),
              "前回、保存されずに終了した作業があります (2025/12/08 09:15, sample.kel)。復元しますか?");
    if (tz) ::setenv("TZ", saved.c_str(), 1);
    else ::unsetenv("TZ");
    ::tzset();
}

TEST_F(RecoveryOffer, YesBringsTheWorkBackModifiedUnderItsNameAndOnlySavingWritesTheUsersFile)
{
    addLine(0, 0, 6000, 0);
    ASSERT_TRUE(model::writeProject(session, user("plan.kel")).ok);
    const std::string saved = testing_support::readBytes(user("plan.kel"));
    addLine(0, 0, 0, 6000);
    leaveWork(4242, user("plan.kel"));
    ASSERT_TRUE(dispatcher.newProject());
    ASSERT_EQ(session.store.liveCount(), 0);

    platform.answers = {Answer::Yes};
    ASSERT_TRUE(editor::offerRecovery(dispatcher, folder, saver));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].buttons, platform::Buttons::YesNo);
    EXPECT_NE(platform.messages[0].text.find(", plan.kel)。復元しますか?"), std::string::npos);
    EXPECT_EQ(session.project.path, user("plan.kel"));
    EXPECT_TRUE(session.project.modified);
    EXPECT_EQ(session.store.liveCount(), 2);
    EXPECT_EQ(dispatcher.title().substr(dispatcher.title().size() - 8), "plan.kel");
    EXPECT_EQ(testing_support::readBytes(user("plan.kel")), saved);
    // The copy is this program's now: offered again if this one dies too.
    EXPECT_TRUE(fs::exists(folder.ownFile()));
    EXPECT_TRUE(saver.holdsWork());
    EXPECT_FALSE(fs::exists(temp.path() / "state" / "4242.kel"));

    ASSERT_TRUE(dispatcher.saveProject());
    model::Session reread(platform);
    ASSERT_TRUE(model::readProject(reread, user("plan.kel")).ok);
    EXPECT_EQ(reread.store.liveCount(), 2);
}

TEST_F(RecoveryOffer, NoDeletesEachCopyAndLeavesTheProjectAlone)
{
    addLine(0, 0, 6000, 0);
    leaveWork(4242, user("a.kel"));
    leaveWork(4343, user("b.kel"));
    session.project.path = session.defaultProjectPath();

    EXPECT_FALSE(editor::offerRecovery(dispatcher, folder, saver));
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(folder.orphans().empty());
    EXPECT_EQ(session.store.liveCount(), 1);
    EXPECT_FALSE(saver.holdsWork());
}
