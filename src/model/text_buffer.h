// SPDX-License-Identifier: GPL-3.0-or-later
// The labels of a drawing, kept apart from the element records.
#pragma once

#include <string>
#include <vector>

namespace platform {
class Platform;
}

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
    explicit TextBuffer(platform::Platform* platform = nullptr) : platform_(platform) {}
    void setPlatform(platform::Platform* platform) { platform_ = platform; }

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
    // keeps every label; the message that it is full is shown once until it is cleared.
    int addMoji(int nBase, const std::string& text, double shift, double angle, double height, double x, double y,
                const std::string& layer, int colour);

private:
    void warnFull();

    std::vector<Moji> entries_;
    int refused_ = 0;
    bool warned_ = false;
    platform::Platform* platform_;
};

}  // namespace model
