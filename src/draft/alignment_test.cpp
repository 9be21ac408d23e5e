// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/alignment_test.h"

#include "session/session.h"

namespace draft {

namespace {

constexpr int kRows = 9;
constexpr int kColumns = 12;
constexpr double kPitch = 1000;
constexpr int kBluePen = 8;
constexpr int kRedPen = 6;

}  // namespace

void drawAlignmentTest(Drafter& d)
{
    const settings::DraftEnv& env = d.session().settings.draft;
    d.SetDraftScale(env.ListMojiHeight, env.ListScale);
    const double right = (kColumns - 1) * kPitch, bottom = -(kRows - 1) * kPitch;
    d.SetPen(kBluePen);
    for (int row = 0; row < kRows; ++row) d.DraftLine(0, -row * kPitch, right, -row * kPitch);
    for (int col = 0; col < kColumns; ++col) d.DraftLine(col * kPitch, 0, col * kPitch, bottom);
    d.SetPen(kRedPen);
    for (int row = 0; row < kRows; ++row)
        for (int col = 0; col < kColumns; ++col)
            d.addMoji(row + 1, "てすと", col * kPitch, -row * kPitch, d.draftTextHeight(), 30.0 * col, 0);
}

}  // namespace draft
