// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/text_buffer.h"

#include <cmath>
#include <new>

#include "model/helpers.h"

namespace model {

int TextBuffer::addMoji(int nBase, const std::string& text, double shift, double angle, double height, double x,
                        double y, const std::string& layer, int colour)
{
    if (nBase > 9) notices_.push_back({Notice::Via::MessageBox, "addMoji_NB:nBaseが不正です"});
    double theta = angle * kPi / 180.0;
    Moji m;
    m.x = x - shift * std::sin(theta);
    m.y = y + shift * std::cos(theta);
    m.layer = layer;
    m.colour = colour;
    m.height = height;
    m.angle = angle;
    m.nBase = nBase;
    m.text = text;
    try {
        entries_.push_back(std::move(m));
    } catch (const std::bad_alloc&) {
        // Only memory limits the buffer: refuse the label and count it so the drawing can be
        // reported as incomplete.
        ++refused_;
        warnFull();
        return -1;
    }
    return count() - 1;
}

void TextBuffer::warnFull()
{
    // One message per drawing: a large drawing would otherwise bring one for every label.
    if (warned_) return;
    warned_ = true;
    notices_.push_back({Notice::Via::MessageBox, "文字列バッファが一杯です"});
}

}  // namespace model
