// SPDX-License-Identifier: GPL-3.0-or-later
// While the 3-D view is shown it follows the model: every full redraw, a delete and a parallel
// copy reload it; closing it turns the menu switch off and stops the reloads.
#include "test_dispatcher_harness.h"

namespace cmd = editor::cmd;
using editor::MouseButton;

namespace {

class View3DReload : public testing_support::EditorTest {};

TEST_F(View3DReload, TheShownViewFollowsEditsAndRedraws)
{
    const int line = addLine(1000, 1000, 6000, 1000);
    dispatcher.DispatchCommand(cmd::VIEW_3D);
    ASSERT_EQ(dialogs.visibility, std::vector<bool>{true});
    EXPECT_TRUE(dispatcher.menuState().view3DVisible);
    int seen = dialogs.reloads;
    EXPECT_GE(seen, 1);

    dispatcher.DispatchCommand(cmd::REDRAW);
    EXPECT_GT(dialogs.reloads, seen);
    seen = dialogs.reloads;

    dialogs.copies.push_back(platform::ParallelCopy{500, 2});
    dispatcher.DispatchCommand(cmd::PARALLEL);
    left(3000, 1000);
    left(3000, 3000);
    ASSERT_EQ(live(model::kind::LINE).size(), 3u);
    EXPECT_GT(dialogs.reloads, seen);
    seen = dialogs.reloads;
    dispatcher.EndCommand();

    dispatcher.DispatchCommand(cmd::DELETE);
    left(3000, 1000);
    ASSERT_TRUE(session.store.isDead(line));
    EXPECT_GT(dialogs.reloads, seen);

    dispatcher.view3DClosed();
    EXPECT_FALSE(dispatcher.menuState().view3DVisible);
    seen = dialogs.reloads;
    dispatcher.DispatchCommand(cmd::REDRAW);
    EXPECT_EQ(dialogs.reloads, seen);
}

}  // namespace
