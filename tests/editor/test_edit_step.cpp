// SPDX-License-Identifier: GPL-3.0-or-later
// One gesture is one edit object: a replacement is added before the old element goes, and the
// after-edit work happens once when the gesture ends.
#include "test_dispatcher_harness.h"

#include "editor/edit_step.h"

namespace kind = model::kind;
using testing_support::EditorTest;

namespace {

class EditStepTest : public EditorTest {
protected:
    int countShown()
    {
        int n = 0;
        for (const auto& [panel, text] : platform.statusTexts) n += panel == platform::kStatusCount;
        return n;
    }
};

}  // namespace

TEST_F(EditStepTest, AReplaceThatCannotAddKeepsTheOldElement)
{
    const int line = addLine(0, 0, 5000, 0);
    {
        editor::EditStep step(dispatcher.context());
        EXPECT_EQ(step.replace(line, [] { return -1; }), -1);  // the store could not grow
    }
    EXPECT_FALSE(session.store.isDead(line));
    EXPECT_EQ(session.store.liveCount(), 1);
}

TEST_F(EditStepTest, TheAfterEditWorkIsDoneOnceWhenTheGestureEnds)
{
    const int a = addLine(0, 0, 5000, 0);
    const int b = addLine(0, 1000, 5000, 1000);
    session.project.modified = false;
    session.store.computeConnections();
    const int before = countShown();
    {
        editor::EditStep step(dispatcher.context());
        step.remove(a);
        step.replace(b, [&] { return session.store.addElem(kind::GIRDER, 0, 1, el(b).UID, 0, 0, 0, 1000, 0, 5000, 1000, 0, 0); });
        EXPECT_EQ(countShown(), before);
        EXPECT_FALSE(session.project.modified);
    }
    EXPECT_EQ(countShown(), before + 1);
    EXPECT_EQ(lastStatus(platform::kStatusCount), "1");
    EXPECT_TRUE(session.project.modified);
    EXPECT_FALSE(session.store.connectionsValid());
    dispatcher.undo();  // the whole gesture was one step
    EXPECT_FALSE(session.store.isDead(a));
    EXPECT_FALSE(session.store.isDead(b));

    // A gesture that changes nothing does no after-edit work and keeps the redo history.
    session.project.modified = false;
    { editor::EditStep nothing(dispatcher.context()); }
    EXPECT_FALSE(session.project.modified);
    EXPECT_EQ(countShown(), before + 2);  // only the undo showed the count
}
