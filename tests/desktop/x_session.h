// SPDX-License-Identifier: GPL-3.0-or-later
// A real X display for window tests whose point is stacking and focus: Xvfb on a display
// number of its own choosing (-displayfd, so parallel test programs never share one) and the
// openbox window manager on it, started before the first window and ended with the program.
// The user's actions go through the X server with xdotool, as a user's would.
#pragma once

#include <string>
#include <vector>

#include <QWidget>

namespace desktop {

// The client windows, bottom first, as the window manager stacks them.
std::vector<unsigned long> stacking();
// The window the window manager gave the keyboard focus (0 when none).
unsigned long activeWindow();
// True when `upper` is stacked above `lower` and has the focus, within `milliseconds`.
bool cameAbove(const QWidget& upper, const QWidget& lower, int milliseconds = 4000);

// A real pointer click at the centre of `widget` (or at a point of it); keys typed and pressed.
void click(const QWidget& widget);
void click(const QWidget& widget, QPoint at, int button = 1);
void typeText(const std::string& text);
void pressKey(const std::string& keysym);  // "Return", "Escape", "ctrl+z"

}  // namespace desktop
