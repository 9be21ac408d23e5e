// SPDX-License-Identifier: GPL-3.0-or-later
// The labels of a drawing, kept apart from the element records.
#pragma once

#include <string>
#include <vector>

#include "model/notice.h"

namespace model {

struct Moji {
    double x = 0;
    double y = 0;
    std::string layer;  // drawing layer number as decimal text
    int colour = 0;
    double height = 0;
    double angle = 0;  // degrees, counter-clockwise
    int nBase = 7;     // which point of the text box lies at the anchor, 1-9 keypad order from the top
    std::string text;
};

class TextBuffer {
public:
    void clear()
    {
        entries_.clear();
        refused_ = 0;
        warned_ = false;
    }
    int count() const { return static_cast<int>(entries_.size()); }
    // Labels refused since the buffer was last cleared because no memory was left for them: a
    // drawing with any is missing labels.
    int refused() const { return refused_; }
    const Moji& at(int i) const { return entries_[static_cast<size_t>(i)]; }
    const std::vector<Moji>& entries() const { return entries_; }

    // Appends a label moved by `shift` at right angles to its direction. Returns its index, or
    // -1 when memory ran out. The buffer grows as the element store does, so a large drawing
    // keeps every label; the notice that it is full is given once until it is cleared.
    int addMoji(int nBase, const std::string& text, double shift, double angle, double height, double x, double y,
                const std::string& layer, int colour);
    // The notices of addMoji since they were last taken, for the caller to show.
    Notices takeNotices() { return takeAll(notices_); }

private:
    void warnFull();

    std::vector<Moji> entries_;
    int refused_ = 0;
    bool warned_ = false;
    Notices notices_;
};

}  // namespace model
