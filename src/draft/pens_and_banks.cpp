// SPDX-License-Identifier: GPL-3.0-or-later
// Pens, scale and the two store banks of the drawing output layer.
#include <climits>

#include "draft/draft.h"
#include "model/helpers.h"
#include "session/session.h"

namespace draft {

const std::array<Pen, kPenCount>& penTable()
{
    static const std::array<Pen, kPenCount> pens{{
        {1, 0x800080},
        {2, 0x800080},
        {3, 0x000080},
        {4, 0x008080},
        {5, 0x808000},
        {6, 0x0000FF},
        {7, 0x800080},
        {8, 0xFF0000},
        {9, 0x000000},
        {10, 0x000000},
        {11, 0x008000},
        {12, 0xFF0000},
        {13, 0x008000},
        {14, 0xFF0000},
        {15, 0x800080},
    }};
    return pens;
}

Drafter::Drafter(model::Session& session) : session_(session), state_(ownState_) {}

Drafter::Drafter(model::Session& session, DraftState& state) : session_(session), state_(state) {}

void Drafter::SetDraftScale(double mojiHeight, double scale)
{
    state_.draftScale = scale;
    const double height = mojiHeight * scale;
    // An absurd setting must not overflow the integer height.
    if (!(height > INT_MIN && height < INT_MAX))
        state_.draftTextHeight = height > 0 ? INT_MAX : 0;
    else
        state_.draftTextHeight = static_cast<int>(model::roundHalfAway(height));
}

void Drafter::SetPen(int n)
{
    if (n < 1 || n > kPenCount) return;
    const Pen& pen = penTable()[static_cast<size_t>(n - 1)];
    state_.drawPen = pen.layer;
    state_.drawColour = pen.colour;
}

void Drafter::SetColour(int colour) { state_.drawColour = colour; }

// The banks move whole stores, so a switch in the wrong order would drop one; each switch
// therefore checks where both stores are and never discards a store that holds data.

void Drafter::StashModelStore()
{
    if (state_.modelInBank) return;
    model::saveBank(session_, model::Bank::A);
    state_.modelInBank = true;
}

void Drafter::UseDrawingStore()
{
    StashModelStore();
    if (!state_.drawingInBank) return;
    model::restoreBank(session_, model::Bank::B);
    state_.drawingInBank = false;
}

void Drafter::StashDrawingStore()
{
    if (!state_.modelInBank || state_.drawingInBank) return;
    model::saveBank(session_, model::Bank::B);
    state_.drawingInBank = true;
}

void Drafter::UseModelStore()
{
    if (!state_.modelInBank) return;
    StashDrawingStore();
    model::restoreBank(session_, model::Bank::A);
    state_.modelInBank = false;
}

void Drafter::freeDrawing()
{
    if (state_.modelInBank) {
        session_.store.clear();
        model::restoreBank(session_, model::Bank::A);
    }
    session_.bankB.clear();
    state_.modelInBank = false;
    state_.drawingInBank = false;
    state_.nextUID = 0;
    state_.uidStoreCount = -1;
}

}  // namespace draft
