// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/check_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "model/bar_properties.h"
#include "model/helpers.h"
#include "model/sections.h"
#include "settings/settings.h"

namespace check {

// A section read once for all rules. Sizes that are not numbers read as 0 and the rules
// that need them say nothing.
struct BarItem {
    int n = 0, n2 = 0;  // n2: second layer (girder groups); hy (hoops); ny (column bars)
    std::string size;
    int pitch = 0;
    std::optional<model::BarProperties> bar;
    bool given() const { return n > 0 || n2 > 0; }
};

struct ParsedSection {
    MemberKind kind = MemberKind::Girder;
    bool foundation = false;
    std::array<double, 3> b{}, D{};  // girder ends left, centre, right; column Dx, Dy in [0]
    std::array<BarItem, 6> groups;   // girder: left top, left bottom, centre top, ...
    BarItem stirrup;                 // girder stirrups; column hoops (n = hx, n2 = hy)
    BarItem main;                    // column main bars (n = nx, n2 = ny)
    BarItem web;
};

namespace {

const char* const kEnds[3] = {"左端", "中央", "右端"};
const char* const kSides[2] = {"上端", "下端"};
const char* const kLayers[2] = {"1段目", "2段目"};

// Numbers as the report prints them: at most `decimals` places, trailing zeros dropped.
double rounded(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

std::string number(double v, int decimals)
{
    char buf[400];  // room for any double in fixed notation
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, rounded(v, decimals), std::chars_format::fixed, decimals);
    std::string s = ec == std::errc() ? std::string(buf, end) : std::string("0");
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

constexpr int kMmDecimals = 1;
constexpr int kPercentDecimals = 3;
std::string mm(double v) { return number(v, kMmDecimals) + " mm"; }
std::string percent(double ratio) { return number(ratio * 100, kPercentDecimals) + " %"; }

// The comparisons are made on the numbers as printed, so that a value the report shows equal
// to its limit passes.
bool below(double value, double limit, int decimals) { return rounded(value, decimals) < rounded(limit, decimals); }
bool above(double value, double limit, int decimals) { return rounded(value, decimals) > rounded(limit, decimals); }

// Where a finding lies, joined into text only when there is a finding.
struct Place {
    const char* parts[3] = {};  // null or empty where there is no part
    std::string text() const
    {
        std::string t;
        for (const char* p : parts)
            if (p && *p) t += (t.empty() ? "" : " ") + std::string(p);
        return t;
    }
};

void atLeastMm(std::vector<Found>& out, const Place& place, double value, double limit)
{
    if (below(value, limit, kMmDecimals)) out.push_back({place.text(), mm(value), "≧ " + mm(limit)});
}
void atMostMm(std::vector<Found>& out, const Place& place, double value, double limit)
{
    if (above(value, limit, kMmDecimals)) out.push_back({place.text(), mm(value), "≦ " + mm(limit)});
}
void atLeastRatio(std::vector<Found>& out, const Place& place, double ratio, double limit)
{
    if (below(ratio * 100, limit * 100, kPercentDecimals))
        out.push_back({place.text(), percent(ratio), "≧ " + percent(limit)});
}

double lengthOf(std::string_view text)
{
    const double v = model::strToFloatOr0(model::trim(text));
    return std::isfinite(v) ? v : 0;
}

// The specification string split once (items at ";", fields at ":"), so that a whole section
// table is read in a fraction of a redraw; the grammar is the section table's.
class SpecFields {
public:
    explicit SpecFields(std::string_view spec)
    {
        for (size_t start = 0; start <= spec.size();) {
            size_t end = spec.find(';', start);
            if (end == std::string_view::npos) end = spec.size();
            const std::string_view item = spec.substr(start, end - start);
            std::vector<std::string_view> fields;
            for (size_t f = 0; f <= item.size();) {
                size_t e = item.find(':', f);
                if (e == std::string_view::npos) e = item.size();
                fields.push_back(item.substr(f, e - f));
                f = e + 1;
            }
            items_.push_back(std::move(fields));
            start = end + 1;
        }
    }
    std::string_view at(size_t item, size_t field) const
    {
        if (item >= items_.size() || field >= items_[item].size()) return {};
        return items_[item][field];
    }
    int integer(size_t item, size_t field) const { return model::specInt(at(item, field)); }
    size_t fields(size_t item) const { return item < items_.size() ? items_[item].size() : 0; }

private:
    std::vector<std::vector<std::string_view>> items_;
};

BarItem barItem(int n, int n2, std::string_view size, int pitch)
{
    BarItem b{n, n2, model::trim(size), pitch, std::nullopt};
    b.bar = model::barProperties(b.size);
    return b;
}

ParsedSection parse(const SectionInput& in)
{
    ParsedSection s;
    s.kind = in.kind;
    s.foundation = in.foundation;
    const SpecFields f(in.spec);
    // Item 0 is "RC:b:D" (columns "RC:Dx:Dy"); centre and right b and D fall back to the left.
    const bool sized = f.fields(0) >= 3;
    for (size_t end = 0; end < (in.kind == MemberKind::Girder ? 3u : 1u) && sized; ++end)
        for (size_t which = 0; which < 2; ++which) {
            std::string_view text = f.at(0, 1 + which);
            if (end > 0 && !f.at(0, 1 + 2 * end + which).empty()) text = f.at(0, 1 + 2 * end + which);
            (which == 0 ? s.b : s.D)[end] = lengthOf(text);
        }
    if (in.kind == MemberKind::Girder) {
        for (size_t g = 0; g < 6; ++g) s.groups[g] = barItem(f.integer(1 + g, 0), f.integer(1 + g, 1), f.at(1 + g, 2), 0);
        s.stirrup = barItem(f.integer(7, 0), 0, f.at(7, 1), f.integer(7, 2));
        s.web = barItem(f.integer(8, 0), 0, f.at(8, 1), 0);
    } else {
        s.main = barItem(f.integer(1, 0), f.integer(1, 1), f.at(1, 2), 0);
        s.stirrup = barItem(f.integer(2, 0), f.integer(2, 1), f.at(2, 2), f.integer(2, 3));
    }
    return s;
}

double cover(const ParsedSection& s, const settings::CheckLimits& l)
{
    if (s.kind == MemberKind::Column) return l.CoverColumn;
    return s.foundation ? l.CoverFoundation : l.CoverGirder;
}

// Outer diameter of the stirrup or hoop; none given takes no room.
double tieOuter(const ParsedSection& s) { return s.stirrup.bar ? s.stirrup.bar->outer : 0; }

Place groupPlace(int group, const char* layer = "") { return Place{{kEnds[group / 2], kSides[group % 2], layer}}; }

// ---- the rules ----

void unknownSizes(const ParsedSection& s, const settings::CheckLimits&, std::vector<Found>& out)
{
    auto check = [&](const BarItem& item, const std::string& position) {
        if (!item.size.empty() && !item.bar) out.push_back({position, item.size, "D10～D51、9φ～32φ"});
    };
    if (s.kind == MemberKind::Girder) {
        for (int g = 0; g < 6; ++g) check(s.groups[static_cast<size_t>(g)], groupPlace(g).text());
        check(s.stirrup, "あばら筋");
        check(s.web, "腹筋");
    } else {
        check(s.main, "主筋");
        check(s.stirrup, "帯筋");
    }
}

void clearSpace(const ParsedSection& s, const settings::CheckLimits& l, std::vector<Found>& out)
{
    // n bars of one layer across an available width.
    auto layer = [&](const BarItem& bars, int n, double width, const Place& place) {
        if (n < 2 || !bars.bar || !(width > 0)) return;
        const double available = width - 2 * (cover(s, l) + tieOuter(s));
        const double clear = (available - n * bars.bar->outer) / (n - 1.0);
        const double limit = std::max({1.5 * bars.bar->diameter, 1.25 * l.MaxAggregate, 25.0});
        atLeastMm(out, place, clear, limit);
    };
    if (s.kind == MemberKind::Column) {
        layer(s.main, s.main.n, s.b[0], Place{{"X面"}});
        layer(s.main, s.main.n2, s.D[0], Place{{"Y面"}});
        return;
    }
    for (int g = 0; g < 6; ++g) {
        const BarItem& bars = s.groups[static_cast<size_t>(g)];
        const double b = s.b[static_cast<size_t>(g / 2)];
        layer(bars, bars.n, b, groupPlace(g, kLayers[0]));
        layer(bars, bars.n2, b, groupPlace(g, kLayers[1]));
    }
}

// Main bars of a column, the corner bars counted once; counts are typed, so kept clear of
// integer overflow.
double columnBarCount(const ParsedSection& s) { return 2.0 * s.main.n + 2.0 * s.main.n2 - 4; }

void columnBarNumber(const ParsedSection& s, const settings::CheckLimits&, std::vector<Found>& out)
{
    if (!s.main.given()) return;
    const double count = columnBarCount(s);
    if (count < 4) out.push_back({"", number(count, 0) + " 本", "≧ 4 本"});
}

void columnBarRatio(const ParsedSection& s, const settings::CheckLimits&, std::vector<Found>& out)
{
    const double area = s.b[0] * s.D[0];
    if (!s.main.given() || !s.main.bar || !(area > 0)) return;
    atLeastRatio(out, Place{}, std::max(columnBarCount(s), 0.0) * s.main.bar->area / area, 0.008);
}

void hoopPitch(const ParsedSection& s, const settings::CheckLimits&, std::vector<Found>& out)
{
    if (s.stirrup.pitch <= 0) return;
    double limit = 100;
    if (s.main.bar) limit = std::min(limit, 15 * s.main.bar->diameter);
    atMostMm(out, Place{}, s.stirrup.pitch, limit);
}

// Legs times the bar area over the width across the legs and the pitch.
void tieRatio(std::vector<Found>& out, const BarItem& tie, int legs, double across, const Place& place)
{
    if (tie.pitch <= 0 || !tie.bar || !(across > 0)) return;
    atLeastRatio(out, place, legs * tie.bar->area / (across * tie.pitch), 0.002);
}

void hoopRatio(const ParsedSection& s, const settings::CheckLimits&, std::vector<Found>& out)
{
    // hx legs run along X and share Dy; hy legs run along Y and share Dx.
    tieRatio(out, s.stirrup, s.stirrup.n, s.D[0], Place{{"X方向"}});
    tieRatio(out, s.stirrup, s.stirrup.n2, s.b[0], Place{{"Y方向"}});
}

// A girder's stirrups serve every end: the shallowest depth and the widest width govern.
double smallestPositive(const std::array<double, 3>& v)
{
    double m = 0;
    for (double x : v)
        if (x > 0 && (m == 0 || x < m)) m = x;
    return m;
}

void stirrupPitch(const ParsedSection& s, const settings::CheckLimits&, std::vector<Found>& out)
{
    const double D = smallestPositive(s.D);
    if (s.stirrup.pitch <= 0 || !(D > 0)) return;
    atMostMm(out, Place{}, s.stirrup.pitch, std::min(D / 2, 250.0));
}

void stirrupRatio(const ParsedSection& s, const settings::CheckLimits&, std::vector<Found>& out)
{
    tieRatio(out, s.stirrup, s.stirrup.n, *std::max_element(s.b.begin(), s.b.end()), Place{});
}

void tensionRatio(const ParsedSection& s, const settings::CheckLimits& l, std::vector<Found>& out)
{
    // Top bars at both ends, bottom bars at the centre.
    for (int g : {0, 3, 4}) {
        const BarItem& bars = s.groups[static_cast<size_t>(g)];
        const double b = s.b[static_cast<size_t>(g / 2)];
        if (!bars.given() || !bars.bar || !(b > 0)) continue;
        const double d = s.D[static_cast<size_t>(g / 2)] - (cover(s, l) + tieOuter(s) + bars.bar->diameter / 2);
        if (!(d > 0)) continue;
        atLeastRatio(out, groupPlace(g), (double(bars.n) + bars.n2) * bars.bar->area / (b * d), 0.004);
    }
}

const std::vector<Rule> kRules{
    {"鉄筋径", "梁・柱", "鉄筋径が鉄筋の表(異形鉄筋 D10～D51、丸鋼 9φ～32φ)にあるか。ない径があると、その断面はほかの項目を検定できません",
     "表にある径", "", "JIS G 3112", Grade::Fails, true, unknownSizes},
    {"主筋のあき", "梁・柱",
     "各段・各面の隣り合う主筋のあき = (有効幅 − n × 最外径) / (n − 1)、n ≧ 2。有効幅 = b(柱は Dx、Dy) − 2 × (かぶり厚さ + "
     "あばら筋・帯筋の最外径)。梁は左端・中央・右端の上端・下端の 1段目と 2段目、柱は X面(nx 本、Dx)と Y面(ny 本、Dy)",
     "≧ max(1.5d, 1.25 × MaxAggregate, 25 mm)", "CoverGirder, CoverColumn, CoverFoundation, MaxAggregate",
     "公共建築工事標準仕様書、JASS 5", Grade::Fails, false, clearSpace},
    {"柱主筋本数", "柱", "柱の主筋の本数 2nx + 2ny − 4(隅の主筋は 1 本と数える)", "≧ 4 本", "", "建築基準法施行令 第77条",
     Grade::Fails, false, columnBarNumber},
    {"柱主筋量", "柱", "主筋の断面積の和 / (Dx × Dy)", "≧ 0.8 %", "", "建築基準法施行令 第77条", Grade::Fails, false,
     columnBarRatio},
    {"帯筋間隔", "柱", "帯筋の間隔", "≦ 100 mm かつ ≦ 15 × 主筋の d", "", "建築基準法施行令 第77条", Grade::Fails, false,
     hoopPitch},
    {"帯筋比", "柱",
     "方向ごとに 本数 × a / (脚を横切る幅 × 間隔)。X方向: hx 本(X に沿う脚)/ (Dy × 間隔)、Y方向: hy 本 / (Dx × 間隔)", "≧ 0.2 %",
     "", "建築基準法施行令 第77条", Grade::Fails, false, hoopRatio},
    {"あばら筋間隔", "梁", "あばら筋の間隔(端部で D が異なるときは最も小さい D)", "≦ D/2 かつ ≦ 250 mm", "",
     "RC規準 (日本建築学会)、建築基準法施行令 第78条 (≦ 3/4 D)", Grade::Fails, false, stirrupPitch},
    {"あばら筋比", "梁", "本数 × a / (b × 間隔)(端部で b が異なるときは最も大きい b)", "≧ 0.2 %", "", "RC規準 (日本建築学会)",
     Grade::Fails, false, stirrupRatio},
    {"引張鉄筋比", "梁",
     "必要鉄筋量が分からないときの目安。左端・右端の上端筋と中央の下端筋(1段目と 2段目の和)の断面積 / (b × d)、d = D − (かぶり厚さ + あばら筋の最外径 + "
     "主筋の d/2)",
     "≧ 0.4 %", "CoverGirder, CoverFoundation", "RC規準 (日本建築学会)", Grade::Advisory,
     false, tensionRatio},
};

}  // namespace

bool hasSpecification(std::string_view spec) { return spec.find_first_not_of(",:; \t\r\n") != std::string_view::npos; }

const char* kindText(MemberKind kind) { return kind == MemberKind::Girder ? "梁" : "柱"; }
const char* gradeText(Grade grade) { return grade == Grade::Fails ? "不適合" : "参考"; }

const std::vector<Rule>& rules() { return kRules; }

std::string findingText(const Finding& f)
{
    std::string text = f.grade == Grade::Advisory ? std::string("参考: ") : std::string();
    text += f.item;
    if (!f.position.empty()) text += " " + f.position;
    return text + ": " + f.value + " (" + f.limit + ")";
}

std::vector<Finding> checkSection(const SectionInput& input, const settings::CheckLimits& limits)
{
    std::vector<Finding> findings;
    if (!hasSpecification(input.spec)) return findings;
    const ParsedSection section = parse(input);
    const std::string_view members = input.kind == MemberKind::Girder ? "梁" : "柱";
    std::vector<Found> found;
    for (const Rule& rule : kRules) {
        if (std::string_view(rule.members).find(members) == std::string_view::npos) continue;
        found.clear();
        rule.apply(section, limits, found);
        for (Found& f : found)
            findings.push_back({rule.item, std::move(f.position), std::move(f.value), std::move(f.limit), rule.grade,
                                rule.source});
        if (rule.stopsSection && !found.empty()) break;
    }
    return findings;
}

}  // namespace check
