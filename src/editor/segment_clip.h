// SPDX-License-Identifier: GPL-3.0-or-later
// Cutting a segment to a rectangle, shared by the world painter and the pixel canvas.
#pragma once

#include <algorithm>

namespace editor {

// Liang-Barsky: the part of the segment inside [xmin, xmax] x [ymin, ymax] as the parameters
// t0 <= t1 along it (0 at the first end, 1 at the second); false when nothing lies inside.
inline bool clipSegment(double x1, double y1, double x2, double y2, double xmin, double ymin, double xmax,
                        double ymax, double& t0, double& t1)
{
    t0 = 0;
    t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
    }
    return true;
}

}  // namespace editor
