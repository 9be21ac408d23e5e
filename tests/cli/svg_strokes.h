// SPDX-License-Identifier: GPL-3.0-or-later
// The stroked straight segments of a PDF page as poppler's pdftocairo -svg writes them: colour,
// width and end points, in millimetres of paper.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

namespace testing_pdf {

struct Segment {
    double x1, y1, x2, y2;
};
struct Stroke {
    std::string colour;  // "rgb(50.195312%,0%,50.195312%)"
    double width = 0;    // millimetres
    std::vector<Segment> segments;
};

inline std::string attribute(const std::string& element, const std::string& name)
{
    const size_t at = element.find(name + "=\"");
    if (at == std::string::npos) return {};
    const size_t from = at + name.size() + 2;
    return element.substr(from, element.find('"', from) - from);
}

inline std::string styleValue(const std::string& style, const std::string& name)
{
    const size_t at = style.find(name + ":");
    if (at == std::string::npos) return {};
    const size_t from = at + name.size() + 1;
    return style.substr(from, style.find(';', from) - from);
}

// Every stroked path of `svg`; its straight segments (curves only move the current point).
inline std::vector<Stroke> svgStrokes(const std::string& svg)
{
    constexpr double kMmPerPt = 25.4 / 72;
    std::vector<Stroke> out;
    for (size_t at = svg.find("<path "); at != std::string::npos; at = svg.find("<path ", at + 1)) {
        const std::string element = svg.substr(at, svg.find("/>", at) - at);
        const std::string style = attribute(element, "style");
        const std::string width = styleValue(style, "stroke-width");
        if (width.empty()) continue;
        double scale = 1;  // pdftocairo scales by a uniform matrix(a,0,0,a,0,0)
        const std::string transform = attribute(element, "transform");
        if (transform.rfind("matrix(", 0) == 0) scale = std::atof(transform.c_str() + 7);
        Stroke s{styleValue(style, "stroke"), std::atof(width.c_str()) * scale * kMmPerPt, {}};
        const std::string d = attribute(element, "d");
        const char* p = d.c_str();
        double x = 0, y = 0;
        while (*p) {
            const char op = *p++;
            if (op != 'M' && op != 'L' && op != 'C') continue;
            char* end = const_cast<char*>(p);
            if (op == 'C')
                for (int i = 0; i < 4; ++i) std::strtod(end, &end);  // the two control points
            const double nx = std::strtod(end, &end) * scale * kMmPerPt;
            const double ny = std::strtod(end, &end) * scale * kMmPerPt;
            p = end;
            if (op == 'L') s.segments.push_back({x, y, nx, ny});
            x = nx;
            y = ny;
        }
        out.push_back(std::move(s));
    }
    return out;
}

}  // namespace testing_pdf
