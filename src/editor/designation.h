// SPDX-License-Identifier: GPL-3.0-or-later
// Member designation: auxiliary lines become girders (412) or columns (414) carrying the
// section of a mark chosen in the member dialog. Also the small-beam edit state (409) and the
// reset of all designations after a section CSV import.
#pragma once

#include <string>
#include <vector>

#include "editor/command.h"

namespace editor {

enum class MemberType { Girder, Column };

inline constexpr int kMemberColour = 0x000000;

class DesignateCommand : public Command {
public:
    enum class Step { Dialog, Pick };

    explicit DesignateCommand(MemberType type) : type_(type) {}
    int code() const override { return type_ == MemberType::Girder ? 412 : 414; }
    std::string prompt() const override;
    CursorKind cursor() const override { return step_ == Step::Dialog ? CursorKind::Arrow : CursorKind::Cross; }
    bool snapAllowed() const override { return step_ == Step::Dialog; }
    void begin(EditorContext& ctx) override { runDialog(ctx); }
    bool selectsOnPress() const override { return true; }
    void release(EditorContext& ctx, MouseButton button, model::Point p) override;

    const std::string& markName() const { return mark_; }
    int rangeTarget() const { return rangeTarget_; }

private:
    void runDialog(EditorContext& ctx);
    void designateAt(EditorContext& ctx, model::Point release);
    bool pickQualifies(EditorContext& ctx, int e) const;

    MemberType type_;
    Step step_ = Step::Dialog;
    std::string mark_;
    int rangeTarget_ = 0;
};

// Small-beam edit (409): the dialog and a selection rectangle, no change to the model.
class SmallBeamCommand : public Command {
public:
    enum class Step { Dialog, Pick };

    int code() const override { return 409; }
    std::string prompt() const override { return step_ == Step::Dialog ? "小梁編集" : "編集する部材の指定"; }
    CursorKind cursor() const override { return step_ == Step::Dialog ? CursorKind::Arrow : CursorKind::Cross; }
    bool snapAllowed() const override { return step_ == Step::Dialog; }
    void begin(EditorContext& ctx) override;
    bool selectsOnPress() const override { return true; }

private:
    Step step_ = Step::Dialog;
};

// Replaces each element by a member of the type with the section of the mark on the element's
// level (secID -1 when the mark has none there); same identifier and points, current layer,
// offsets from the grid. Oblique elements (both X and Y differ) stay and beep once. Returns
// how many became members; opens the undo step only when one did.
int designate(EditorContext& ctx, const std::vector<int>& elements, MemberType type, const std::string& mark);

// Every live girder and column becomes a blue line again (kind, section, colour and offsets
// reset in place). Returns how many.
int resetDesignations(model::Session& session);

}  // namespace editor
