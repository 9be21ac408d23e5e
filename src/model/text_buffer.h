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
    static constexpr int kCapacity = 10001;
    static constexpr int kWarnAbove = 9000;

    explicit TextBuffer(platform::Platform* platform = nullptr) : platform_(platform) {}
    void setPlatform(platform::Platform* platform) { platform_ = platform; }

    void clear()
    {
        entries_.clear();
        refused_ = 0;
        warned_ = false;
        kept_ = 0;
    }
    // Keeps the last n places for what a drawing writes last: labels are refused, as by a full
    // buffer, once only n places are left. 0 gives them back; clear() does too.
    void keepRoom(int n) { kept_ = n < 0 ? 0 : n > kCapacity ? kCapacity : n; }
    int count() const { return static_cast<int>(entries_.size()); }
    // Labels refused since the buffer was last cleared because the table was full: a drawing
    // with any is missing labels.
    int refused() const { return refused_; }
    const Moji& at(int i) const { return entries_[static_cast<size_t>(i)]; }
    const std::vector<Moji>& entries() const { return entries_; }

    // Appends a label moved by `shift` at right angles to its direction. Returns its index,
    // or -1 when the buffer is full. The message that the buffer is full is shown once until
    // the buffer is cleared: when it passes its working limit or refuses a first label.
    int addMoji(int nBase, const std::string& text, double shift, double angle, double height, double x, double y,
                const std::string& layer, int colour);

private:
    void warnFull();

    std::vector<Moji> entries_;
    int refused_ = 0;
    bool warned_ = false;
    int kept_ = 0;
    platform::Platform* platform_;
};

}  // namespace model
