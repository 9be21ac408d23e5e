// SPDX-License-Identifier: GPL-3.0-or-later
// What the framing plan and elevation draw alike: member outlines as the member geometry
// yields them, member marks along them, and grid lines as centre lines; grid lines and girder
// end lines once.
#pragma once

#include <functional>

#include "draft/draft.h"
#include "draft/drawn_lines.h"
#include "model/member_outline.h"

namespace model {
class ElementStore;
class Session;
}  // namespace model

namespace draft {

// Pens of the framing drawings.
inline constexpr int kGirderPen = 1;
inline constexpr int kColumnPen = 2;
inline constexpr int kDimensionPen = 6;
inline constexpr int kMarkPen = 7;
inline constexpr int kGridLinePen = 8;

class FramingLines {
public:
    // Reads the session's view; the model store must be current.
    FramingLines(model::Session& session, Drafter& d);

    // The outline of the member at index in the view with pen, and with withMark its
    // section's mark along its first side line (when the settings show member names).
    void member(int index, int pen, bool withMark);
    // A grid line (BASE) as a centre line, when it lies within the grid's range.
    void gridLine(int index);

private:
    // A line unless the same one was drawn before; a line of one member alone.
    void line(int type, const model::Segment& s);
    void ownLine(const model::Segment& s);

    model::Session& session_;
    Drafter& d_;
    DrawnLines drawn_;
    model::SectionSizes sizes_;
    model::MemberGeometry geometry_;
};

// How a framing drawing draws one member: not at all, or with a pen and perhaps its mark.
struct MemberStyle {
    bool drawn = false;
    int pen = kGirderPen;
    bool withMark = false;
};
using MemberChoice = std::function<MemberStyle(model::ElementStore& store, int index)>;

// Walks the live elements of the model in store order: members as `choose` says, every grid
// line as a centre line.
void drawFramingWalk(model::Session& session, Drafter& d, const MemberChoice& choose);

}  // namespace draft
