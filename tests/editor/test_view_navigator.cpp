// SPDX-License-Identifier: GPL-3.0-or-later
// The view navigator on a canvas of its own in drawing mode: keys zoom, fit and scroll that
// canvas's view, a resize keeps the scale and the top edge and draws the drawing again, and a
// zoom window steps back on the right button before it ends.
#include <gtest/gtest.h>

#include "editor/view_navigator.h"
#include "session/session.h"
#include "support/recording_canvas.h"
#include "support/recording_platform.h"

namespace {

using editor::Key;
using editor::MouseButton;

struct Navigator : ::testing::Test {
    testing_support::RecordingPlatform platform;
    model::Session session{platform};
    testing_support::RecordingCanvas canvas{400, 300};
    editor::EditorContext ctx{session, canvas, nullptr, editor::Ports{}};
    editor::ViewNavigator nav{ctx};

    void SetUp() override
    {
        ctx.drawingMode = true;
        session.store.addElem(model::kind::LINE, 0, 1, -1, 0, 0, 0, 0, 0, 8000, 6000, 0, 0);
    }
};

TEST_F(Navigator, KeysZoomFitAndScrollTheCanvasView)
{
    EXPECT_TRUE(nav.key(Key::Home));
    const editor::ViewTransform fitted = ctx.transform;
    EXPECT_NEAR(fitted.viewWidth, 8000 / 0.8 * 1.1, 1e-6);
    EXPECT_FALSE(canvas.lines.empty());  // the drawing, not a plan slice, was drawn

    EXPECT_TRUE(nav.key(Key::PageUp));
    EXPECT_NEAR(ctx.transform.viewWidth, fitted.viewWidth / 1.1, 1e-6);
    EXPECT_TRUE(nav.key(Key::PageDown));
    EXPECT_NEAR(ctx.transform.viewWidth, fitted.viewWidth, 1e-6);
    EXPECT_TRUE(nav.key(Key::Up));
    EXPECT_NEAR(ctx.transform.viewBottom, fitted.viewBottom + fitted.viewWidth / 8, 1e-6);
    EXPECT_FALSE(nav.key(Key::Space));
    EXPECT_FALSE(nav.key(Key::Escape));
}

TEST_F(Navigator, ResizeKeepsScaleAndTopEdgeAndDrawsAgain)
{
    ASSERT_TRUE(nav.fitAll());
    const double scale = ctx.transform.viewScale, top = ctx.transform.viewTop(), left = ctx.transform.viewLeft;
    canvas.resize(600, 200);
    canvas.lines.clear();
    nav.resized();
    EXPECT_EQ(ctx.transform.viewScale, scale);
    EXPECT_NEAR(ctx.transform.viewTop(), top, 1e-6);
    EXPECT_EQ(ctx.transform.viewLeft, left);
    EXPECT_NEAR(ctx.transform.viewWidth, 600 * scale, 1e-6);
    EXPECT_FALSE(canvas.lines.empty());
}

TEST_F(Navigator, ZoomWindowStepsBackOnTheRightButtonThenEnds)
{
    ASSERT_TRUE(nav.fitAll());
    ctx.state.cursorKind = editor::CursorKind::Hand;
    nav.EnterViewOperation(editor::ViewOperation::ZoomWindow, "ズーム１点目指定");
    editor::SnapResult at;
    at.world = ctx.transform.ToWorld(50, 50);
    at.pixel = {50, 50};
    EXPECT_TRUE(nav.press(MouseButton::Left, at));
    EXPECT_EQ(ctx.state.zoomWindowStep, 2);
    nav.release(MouseButton::Right, at);
    EXPECT_EQ(ctx.state.zoomWindowStep, 1);
    EXPECT_EQ(ctx.state.viewOperation, editor::ViewOperation::ZoomWindow);
    nav.release(MouseButton::Right, at);
    EXPECT_EQ(ctx.state.viewOperation, editor::ViewOperation::None);
    EXPECT_EQ(ctx.state.cursorKind, editor::CursorKind::Hand);
}

}  // namespace
