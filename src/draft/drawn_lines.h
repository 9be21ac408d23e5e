// SPDX-License-Identifier: GPL-3.0-or-later
// The lines a drawing already holds, so that a line drawn by two members (a shared end line,
// a grid line present twice in the model) goes into the drawing once. A hash set: looking
// each new line up in the drawing store would cost a walk of the whole store per line.
#pragma once

#include <cstddef>
#include <unordered_set>

#include "draft/draft.h"

namespace draft {

class DrawnLines {
public:
    // True for a line not seen before, which is remembered; false for one of the same type,
    // layer, colour and ends. Ends compare as the store keeps them: rounded to 5 decimals and
    // in the store's order, so a line drawn the other way round is the same line.
    bool firstTime(int type, int layer, int colour, double x1, double y1, double x2, double y2);
    std::size_t size() const { return seen_.size(); }

private:
    struct Key {
        int type, layer, colour;
        double x1, y1, x2, y2;
        bool operator==(const Key&) const = default;
    };
    struct Hash {
        std::size_t operator()(const Key& k) const;
    };
    std::unordered_set<Key, Hash> seen_;
};

// DraftModelLine with the current pen, unless the same line was drawn through `drawn`
// before; -1 when it was (or when DraftModelLine adds nothing).
int DraftModelLineOnce(Drafter& d, DrawnLines& drawn, int type, double x1, double y1, double x2, double y2);

}  // namespace draft
