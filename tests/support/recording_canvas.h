// SPDX-License-Identifier: GPL-3.0-or-later
// A canvas that records every call, so drawing code can be checked without a window.
#pragma once

#include <string>
#include <vector>

#include "editor/canvas.h"

namespace testing_support {

class RecordingCanvas : public editor::Canvas {
public:
    struct Line {
        int x1, y1, x2, y2;
        int colour;
        editor::PenStyle style;
        editor::PenMode mode;
    };
    struct Circle {
        int cx, cy, radius;
        int colour;
        editor::PenMode mode;
    };
    struct Arc {
        int cx, cy, radius;
        double startDeg, endDeg;
        int colour;
        editor::PenMode mode;
    };
    struct Text {
        int left, top;
        std::string text;
        int heightPx;
        double angleDeg;
        int colour;
        std::string face;
    };
    enum class Call { Clear, Line, Circle, Arc, Text };

    RecordingCanvas(int width = 1000, int height = 1000) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void clear() override
    {
        ++clears;
        calls.push_back(Call::Clear);
    }
    void line(int x1, int y1, int x2, int y2, int colour, editor::PenStyle style, editor::PenMode mode) override
    {
        lines.push_back({x1, y1, x2, y2, colour, style, mode});
        calls.push_back(Call::Line);
    }
    void circle(int cx, int cy, int radius, int colour, editor::PenMode mode) override
    {
        circles.push_back({cx, cy, radius, colour, mode});
        calls.push_back(Call::Circle);
    }
    void arc(int cx, int cy, int radius, double startDeg, double endDeg, int colour, editor::PenMode mode) override
    {
        arcs.push_back({cx, cy, radius, startDeg, endDeg, colour, mode});
        calls.push_back(Call::Arc);
    }
    void text(int left, int top, const std::string& utf8, int heightPx, double angleDeg, int colour,
              const std::string& face) override
    {
        texts.push_back({left, top, utf8, heightPx, angleDeg, colour, face});
        calls.push_back(Call::Text);
    }

    void resize(int width, int height)
    {
        width_ = width;
        height_ = height;
    }
    void reset()
    {
        calls.clear();
        lines.clear();
        circles.clear();
        arcs.clear();
        texts.clear();
        clears = 0;
    }

    // A line between the two pixel points, in either direction.
    bool hasLine(int x1, int y1, int x2, int y2) const { return countLines(x1, y1, x2, y2) > 0; }
    int countLines(int x1, int y1, int x2, int y2) const
    {
        int n = 0;
        for (const Line& l : lines)
            if ((l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2) ||
                (l.x1 == x2 && l.y1 == y2 && l.x2 == x1 && l.y2 == y1))
                ++n;
        return n;
    }
    std::vector<Text> textsSaying(const std::string& s) const
    {
        std::vector<Text> out;
        for (const Text& t : texts)
            if (t.text == s) out.push_back(t);
        return out;
    }
    int linesInColour(int colour) const
    {
        int n = 0;
        for (const Line& l : lines)
            if (l.colour == colour) ++n;
        return n;
    }

    std::vector<Call> calls;
    std::vector<Line> lines;
    std::vector<Circle> circles;
    std::vector<Arc> arcs;
    std::vector<Text> texts;
    int clears = 0;

private:
    int width_;
    int height_;
};

}  // namespace testing_support
