// SPDX-License-Identifier: GPL-3.0-or-later
// The auxiliary-line commands: draw line (701), parallel lines (702), extend/cut to a base line
// (707), cut at cross points (708), members back to lines (709) and delete (207). Each gesture
// that changes the model is one undo step.
#pragma once

#include <vector>

#include "editor/command.h"

namespace editor {

class DrawLineCommand : public Command {
public:
    enum class Step { FirstPoint, SecondPoint };

    int code() const override { return 701; }
    int step() const override { return step_ == Step::FirstPoint ? 1 : 2; }
    std::string prompt() const override { return ""; }
    CursorKind cursor() const override { return CursorKind::CrossHair; }
    bool snapAllowed() const override { return true; }
    void press(EditorContext& ctx, MouseButton button, model::Point p) override;
    bool hasPreview() const override { return step_ == Step::SecondPoint; }
    void preview(EditorContext& ctx, model::Point pointer) override;

private:
    Step step_ = Step::FirstPoint;
};

class ParallelLineCommand : public Command {
public:
    enum class Step { Dialog, PickFirst, Direction, Pick };

    int code() const override { return 702; }
    int step() const override { return step_ == Step::Direction ? 2 : 1; }
    std::string prompt() const override;
    CursorKind cursor() const override { return step_ == Step::Dialog ? CursorKind::Arrow : CursorKind::Cross; }
    bool snapAllowed() const override { return step_ == Step::Dialog; }
    void begin(EditorContext& ctx) override { runDialog(ctx); }
    void release(EditorContext& ctx, MouseButton button, model::Point p) override;

private:
    void runDialog(EditorContext& ctx);
    void copy(EditorContext& ctx, model::Point towards);

    Step step_ = Step::Dialog;
    double distance_ = 0;
    int copies_ = 0;
};

class ExtendCutCommand : public Command {
public:
    enum class Step { Lines, LinesAgain, Base, Direction };

    int code() const override { return 707; }
    int step() const override;
    std::string prompt() const override;
    CursorKind cursor() const override { return CursorKind::Cross; }
    bool snapAllowed() const override { return false; }
    bool selectsOnPress() const override { return step_ == Step::Lines || step_ == Step::LinesAgain; }
    void release(EditorContext& ctx, MouseButton button, model::Point p) override;
    bool hasPreview() const override { return step_ == Step::Direction; }
    void preview(EditorContext& ctx, model::Point pointer) override;

    // A line P1-P2 against the base line B1-B2 for a pointer on `side` (+1 left of B1->B2,
    // -1 right): false when the line stays as it is (parallel, nothing to move, or it would
    // shrink to a point); else the new ends.
    static bool extendOrCut(model::Point p1, model::Point p2, model::Point b1, model::Point b2, int side,
                            model::Point& r1, model::Point& r2);
    // +1 left of the directed line A->B, -1 right, 0 on it (within 1e-6).
    static int sideOf(model::Point a, model::Point b, model::Point p);

private:
    struct Work {
        int index;
        model::Point p1, p2;
    };
    void chooseLines(EditorContext& ctx, model::Point release);
    void chooseBase(EditorContext& ctx, model::Point release);
    void apply(EditorContext& ctx, model::Point pointer);
    void restoreLines(EditorContext& ctx);

    Step step_ = Step::Lines;
    std::vector<Work> work_;
    int base_ = -1;
    model::Point b1_, b2_;
};

class CutAtCrossingsCommand : public Command {
public:
    int code() const override { return 708; }
    std::string prompt() const override { return "交点で切断する補助線を指定"; }
    CursorKind cursor() const override { return CursorKind::Cross; }
    bool snapAllowed() const override { return false; }
    bool selectsOnPress() const override { return true; }
    void release(EditorContext& ctx, MouseButton button, model::Point p) override;
};

class MembersToLinesCommand : public Command {
public:
    int code() const override { return 709; }
    std::string prompt() const override { return "補助線化する部材を指定"; }
    CursorKind cursor() const override { return CursorKind::Cross; }
    bool snapAllowed() const override { return false; }
    bool selectsOnPress() const override { return true; }
    void release(EditorContext& ctx, MouseButton button, model::Point p) override;
};

class DeleteCommand : public Command {
public:
    int code() const override { return 207; }
    std::string prompt() const override { return "削除する部材を指定"; }
    CursorKind cursor() const override { return CursorKind::Cross; }
    bool snapAllowed() const override { return false; }
    bool selectsOnPress() const override { return true; }
    void release(EditorContext& ctx, MouseButton button, model::Point p) override;
};

// Splits every visible LINE crossed by one of `lines` (indices of LINE elements) at the
// crossing, unless the crossing is an end of the crossed line. Returns how many were split.
int cutAtCrossings(EditorContext& ctx, const std::vector<int>& lines);

}  // namespace editor
