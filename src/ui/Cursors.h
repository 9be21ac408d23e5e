// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own pointer shapes: the open hand of the idle canvas and the closed hand of a
// pan drag.
#pragma once

#include <QCursor>

#include "editor/editor_state.h"

namespace ui {

QCursor handCursor();  // "curMYHAND"
QCursor gripCursor();  // "curMYGRIP"
// The pointer shape of an editor cursor kind.
QCursor cursorFor(editor::CursorKind kind);

}  // namespace ui
