// SPDX-License-Identifier: GPL-3.0-or-later
// The mark boxes of the draft settings show the drafting engine's own bar symbols.
#include <gtest/gtest.h>

#include "editor/bar_mark_picture.h"
#include "support/recording_canvas.h"
#include "support/recording_platform.h"

using testing_support::RecordingCanvas;

TEST(BarMarkPicture, DrawsTheEngineSymbolCentredAndBlack)
{
    testing_support::RecordingPlatform platform;
    RecordingCanvas canvas(56, 56);
    drawBarMarkPicture(canvas, 13, platform);  // circles 12 and 24, cross 24
    ASSERT_EQ(canvas.circles.size(), 2u);
    EXPECT_EQ(canvas.circles[1].radius, 24);  // one pixel per drawing unit at this size
    EXPECT_EQ(canvas.circles[0].radius, 12);
    EXPECT_EQ(canvas.circles[0].cx, 28);
    EXPECT_EQ(canvas.circles[0].cy, 28);
    EXPECT_EQ(canvas.lines.size(), 2u);
    for (const auto& c : canvas.circles) EXPECT_EQ(c.colour, editor::kBlack);
    EXPECT_TRUE(platform.messages.empty());

    for (int none : {0, 15}) {
        RecordingCanvas empty(56, 56);
        drawBarMarkPicture(empty, none, platform);
        EXPECT_EQ(empty.clears, 1);
        EXPECT_TRUE(empty.circles.empty() && empty.lines.empty()) << none;
    }
}
