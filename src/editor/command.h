// SPDX-License-Identifier: GPL-3.0-or-later
// An interactive command: a small state machine whose steps each have one prompt, one cursor
// and one snapping rule. The dispatcher routes canvas events to it (already snapped to world
// points) and ends it when it asks.
#pragma once

#include <string>

#include "editor/editor_context.h"

namespace editor {

class Command {
public:
    virtual ~Command() = default;

    virtual int code() const = 0;
    // The step number of the editor state, 1..3.
    virtual int step() const { return 1; }
    virtual std::string prompt() const = 0;
    virtual CursorKind cursor() const = 0;
    virtual bool snapAllowed() const = 0;

    // Runs once when the command has become current (dialogs open here).
    virtual void begin(EditorContext&) {}
    // A press of any button. Commands that select by a window let the dispatcher start the
    // selection rectangle instead (selectsOnPress).
    virtual bool selectsOnPress() const { return false; }
    virtual void press(EditorContext&, MouseButton, model::Point) {}
    virtual void release(EditorContext&, MouseButton, model::Point) {}
    // The XOR preview for a pointer position; drawing it twice erases it.
    virtual bool hasPreview() const { return false; }
    virtual void preview(EditorContext&, model::Point) {}
};

// A command with a fixed state and no mouse handling (codes 203, 206, and the grid commands
// while their dialogs are open): it keeps the step, prompt and cursor it found.
class InertCommand : public Command {
public:
    InertCommand(int code, int step, std::string prompt, CursorKind cursor)
        : code_(code), step_(step), prompt_(std::move(prompt)), cursor_(cursor)
    {
    }
    int code() const override { return code_; }
    int step() const override { return step_; }
    std::string prompt() const override { return prompt_; }
    CursorKind cursor() const override { return cursor_; }
    bool snapAllowed() const override { return true; }

private:
    int code_;
    int step_;
    std::string prompt_;
    CursorKind cursor_;
};

// The idle command: hand cursor, no prompt; the dispatcher pans and opens the popup menu.
class IdleCommand : public Command {
public:
    int code() const override { return 1; }
    std::string prompt() const override { return ""; }
    CursorKind cursor() const override { return CursorKind::Hand; }
    bool snapAllowed() const override { return true; }
};

// Grid origin (315): a left click puts the dot grid's origin at the snapped point.
class GridOriginCommand : public Command {
public:
    int code() const override { return 315; }
    std::string prompt() const override { return "グリッド原点位置指定"; }
    CursorKind cursor() const override { return CursorKind::CrossHair; }
    bool snapAllowed() const override { return true; }
    void press(EditorContext& ctx, MouseButton button, model::Point p) override;
};

}  // namespace editor
