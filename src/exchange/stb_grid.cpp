// SPDX-License-Identifier: GPL-3.0-or-later
// The grid of an ST-Bridge file: parallel axis groups along X and Y, and the stories.
#include <algorithm>
#include <cmath>

#include "exchange/stb_import.h"
#include "model/helpers.h"

namespace exchange::stb {

namespace {

const char* const kAxisName[3] = {"X", "Y", "Z"};

struct Line {
    double at = 0;
    std::string name;
};

// 0 when the lines of a group run along X, 1 along Y, -1 at any other angle.
int runsAlong(double angle)
{
    double a = std::fmod(angle, 180.0);
    if (a < 0) a += 180;
    if (std::abs(a) < 1e-6 || std::abs(a - 180) < 1e-6) return 0;
    if (std::abs(a - 90) < 1e-6) return 1;
    return -1;
}

// Sorted, rounded to whole millimetres, one line per position; what changed goes to the report.
std::string settle(std::vector<Line>& lines, int axis, GridLines& out, std::vector<std::string>& report)
{
    std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.at < b.at; });
    const std::string axisText = axis == 2 ? "階" : std::string(kAxisName[axis]) + "通り";
    for (const Line& l : lines) {
        if (std::abs(l.at) > 1e9) return axisText + " " + l.name + " の位置 " + numberText(l.at) + " が大きすぎます";
        const long long mm = model::roundHalfAway(l.at);
        if (std::abs(l.at - static_cast<double>(mm)) > 1e-6)
            report.push_back(axisText + " " + l.name + " の位置 " + numberText(l.at) + " を " + std::to_string(mm) + " mm にしました");
        if (!out.positions[axis].empty() && out.positions[axis].back() == mm) {
            report.push_back(axisText + " " + l.name + " は " + out.names[axis].back() + " と同じ位置にあるため一本にしました");
            continue;
        }
        out.positions[axis].push_back(static_cast<int>(mm));
        out.names[axis].push_back(l.name);
    }
    if (out.positions[axis].size() > static_cast<size_t>(model::kGridSlots))
        return axisText + "が " + std::to_string(out.positions[axis].size()) + " 本あります (読み込めるのは " +
               std::to_string(model::kGridSlots) + " 本まで)";
    if (!out.positions[axis].empty() && out.positions[axis].front() < 0) {
        const int shift = -out.positions[axis].front();
        for (int& p : out.positions[axis]) p += shift;
        out.shift[axis] = shift;
        report.push_back(std::string(kAxisName[axis]) + "方向の通り心と部材を " + std::to_string(shift) +
                         " mm 移しました (負の位置があるため、最小の位置を 0 にしました)");
    }
    return "";
}

}  // namespace

std::string gridFromFile(const File& file, GridLines& out, std::vector<std::string>& report)
{
    if (file.stories.empty()) return "階 (StbStory) がありません";
    std::array<std::vector<Line>, 3> lines;
    for (const AxisGroup& g : file.axisGroups) {
        const std::string where = "通り心グループ " + g.name + " (" + g.element + ", " + std::to_string(g.line) + "行目)";
        if (g.element != "StbParallelAxes") return where + " は読み込めません: 平行な通り心だけを扱います";
        const int along = runsAlong(g.angle);
        if (along < 0) return where + " の角度 " + numberText(g.angle) + "° は読み込めません: X または Y に平行な通り心だけを扱います";
        // Lines running along X lie at Y positions, and the other way round; the distance is
        // measured along (sin a, cos a) from the group's origin.
        const double rad = g.angle * model::kPi / 180.0;
        for (const AxisLine& a : g.axes) {
            if (along == 0) lines[1].push_back({g.y + a.distance * std::cos(rad), a.name});
            else lines[0].push_back({g.x + a.distance * std::sin(rad), a.name});
        }
    }
    for (const Story& s : file.stories) lines[2].push_back({s.height, s.name});
    for (int axis = 0; axis < 3; ++axis) {
        if (lines[axis].empty()) report.push_back(std::string(kAxisName[axis]) + "方向の通り心がありません");
        const std::string why = settle(lines[axis], axis, out, report);
        if (!why.empty()) return why;
    }
    return "";
}

bool findNamingScheme(const std::vector<std::string>& names, model::GridNaming& scheme)
{
    if (names.empty()) return false;
    const std::string& first = names.front();
    const size_t lead = first.find_first_of("0123456789");
    const size_t tail = first.find_last_not_of("0123456789");
    std::vector<model::GridNaming> candidates;
    // Prefix and number ("X1"), number and suffix ("1FL"), one stepping character ("A").
    if (lead != std::string::npos && first.find_first_not_of("0123456789", lead) == std::string::npos) {
        model::GridNaming c;
        c.mode = 2;
        c.moji2 = first.substr(0, lead);
        c.num2 = first.substr(lead);
        candidates.push_back(c);
    }
    if (lead == 0 && tail != std::string::npos) {
        const size_t digitsEnd = first.find_first_not_of("0123456789");
        model::GridNaming c;
        c.mode = 3;
        c.num3 = first.substr(0, digitsEnd);
        c.moji3 = first.substr(digitsEnd);
        candidates.push_back(c);
    }
    if (!first.empty()) {
        model::GridNaming c;
        c.mode = 1;
        c.moji1 = first;
        candidates.push_back(c);
    }
    const size_t n = std::min(names.size(), static_cast<size_t>(model::kGridNamedLines));
    for (const model::GridNaming& c : candidates) {
        model::GridModel grid;
        std::array<model::GridNaming, 3> schemes;
        schemes.fill(c);
        model::makeGridNames(grid, schemes);
        bool all = true;
        for (size_t i = 0; i < n && all; ++i) all = grid.names[0][i] == names[i];
        if (all) {
            scheme = c;
            return true;
        }
    }
    return false;
}

}  // namespace exchange::stb
