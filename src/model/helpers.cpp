// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/helpers.h"

#include <cmath>
#include <charconv>
#include <cstdlib>
#include <limits>

namespace model {

long long roundHalfAway(double v)
{
    // Out-of-range values saturate instead of invoking undefined behaviour.
    double r = std::round(v);
    if (!(r > -9.2e18)) return r != r ? 0 : std::numeric_limits<long long>::min();
    if (r > 9.2e18) return std::numeric_limits<long long>::max();
    return static_cast<long long>(r);
}

double round5(double v) { return static_cast<double>(roundHalfAway(v * 100000.0)) / 100000.0; }

long long ceilTrunc(double v)
{
    double whole = std::trunc(v);
    return static_cast<long long>(whole) + (whole != v ? 1 : 0);
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Recognises [sign] digits [. digits] [e [sign] digits] with at least one mantissa digit.
bool scanNumber(std::string_view s, bool& hasFraction)
{
    size_t i = 0;
    hasFraction = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) { ++i; ++digits; hasFraction = true; }
        hasFraction = true;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) { ++i; ++expDigits; }
        if (expDigits == 0) return false;
        hasFraction = true;
    }
    return i == s.size();
}

std::string_view trimView(std::string_view text)
{
    size_t b = 0;
    size_t e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t' || text[b] == '\r' || text[b] == '\n')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r' || text[e - 1] == '\n')) --e;
    return text.substr(b, e - b);
}

// The number in text when the whole (trimmed) text is one; locale-independent.
bool parseNumber(std::string_view text, double& value)
{
    bool fraction = false;
    std::string_view t = trimView(text);
    if (!scanNumber(t, fraction)) return false;
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    auto r = std::from_chars(t.data(), t.data() + t.size(), value);
    return r.ec == std::errc() && std::isfinite(value);
}

}  // namespace

std::string trim(std::string_view text) { return std::string(trimView(text)); }

bool isNumber(std::string_view text)
{
    double v;
    return parseNumber(text, v);
}

bool isNumberOrEmpty(std::string_view text) { return text.empty() || isNumber(text); }

double strToFloatOr0(std::string_view text) { return strToFloatDef(text, 0.0); }

double strToFloatDef(std::string_view text, double fallback)
{
    double v;
    return parseNumber(text, v) ? v : fallback;
}

bool parseIntStrict(std::string_view text, int& value)
{
    std::string_view t = trimView(text);
    if (!t.empty() && t[0] == '+') t.remove_prefix(1);
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    return !t.empty() && ec == std::errc() && ptr == t.data() + t.size();
}

int strToIntStrict(std::string_view text)
{
    int value = 0;
    if (!parseIntStrict(text, value)) throw ConversionError("'" + std::string(text) + "' は整数ではありません");
    return value;
}

int strToIntOr0(std::string_view text)
{
    if (!isNumber(text)) return 0;
    return strToIntStrict(text);
}

std::string padLeft(long long value, int width)
{
    std::string digits = std::to_string(value);
    if (width > 20) width = 20;
    if (static_cast<int>(digits.size()) >= width) return digits;
    return std::string(static_cast<size_t>(width) - digits.size(), ' ') + digits;
}

int splitFields(std::string_view text, char sep, std::vector<std::string>& fields)
{
    fields.clear();
    if (text.find_first_not_of(sep) == std::string_view::npos) return -1;
    size_t start = 0;
    while (true) {
        size_t at = text.find(sep, start);
        if (at == std::string_view::npos) {
            fields.emplace_back(text.substr(start));
            break;
        }
        fields.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    return static_cast<int>(fields.size());
}

std::string fieldAt(int index, std::string_view text, char sep)
{
    if (index < 0 || text.find_first_not_of(sep) == std::string_view::npos) return {};
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        size_t at = text.find(sep, start);
        if (at == std::string_view::npos) return {};
        start = at + 1;
    }
    size_t end = text.find(sep, start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string removeAll(std::string_view text, char c)
{
    std::string out;
    out.reserve(text.size());
    for (char ch : text)
        if (ch != c) out.push_back(ch);
    return out;
}

int lastPos(std::string_view text, char c)
{
    size_t at = text.rfind(c);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

double hypotLen(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

double angleRad(double dx, double dy)
{
    double a = dx == 0 ? kPi / 2 : std::atan(std::fabs(dy) / std::fabs(dx));
    if (dx >= 0 && dy >= 0) return a;
    if (dx < 0 && dy >= 0) return kPi - a;
    if (dx < 0) return kPi + a;
    return 2 * kPi - a;
}

double angleDeg(double dx, double dy)
{
    if (dx == 0 && dy == 0) return 0;
    return normDeg(angleRad(dx, dy) * 180.0 / kPi);
}

double normDeg(double deg)
{
    // Stepping by 360 would never end for an infinite angle and take ages for a huge one.
    if (!std::isfinite(deg)) return deg;
    if (deg > 1e6) {
        deg = std::fmod(deg, 360.0);
        if (deg == 0) deg = 360;  // as the stepping gives for whole turns
    } else if (deg < -1e6) {
        deg = std::fmod(deg, 360.0) + 0.0;
    }
    while (deg < 0) deg += 360;
    while (deg > 360) deg -= 360;
    return deg;
}

double sinDeg(double deg) { return std::sin(deg * kPi / 180.0); }
double cosDeg(double deg) { return std::cos(deg * kPi / 180.0); }

bool angleOnArc(double start, double end, double angle)
{
    start = normDeg(start);
    end = normDeg(end);
    angle = normDeg(angle);
    if (start <= end) return start <= angle && angle <= end;
    return angle >= start || angle <= end;
}

bool perpFoot(Point p1, Point p2, Point q, Point& foot)
{
    if (p1.x == p2.x && p1.y == p2.y) return false;
    if (p1.y == p2.y) {
        foot = {q.x, p1.y};
    } else if (p1.x == p2.x) {
        foot = {p1.x, q.y};
    } else {
        double dx = p2.x - p1.x;
        double dy = p2.y - p1.y;
        double t = (dx * (q.x - p1.x) + dy * (q.y - p1.y)) / (dx * dx + dy * dy);
        foot = {round5(p1.x + t * dx), round5(p1.y + t * dy)};
    }
    return true;
}

CrossResult segmentCross(Point a1, Point a2, Point b1, Point b2, Point& at)
{
    double ax = a2.x - a1.x, ay = a2.y - a1.y;
    double bx = b2.x - b1.x, by = b2.y - b1.y;
    double det = ax * by - ay * bx;
    if (det == 0) return CrossResult::Parallel;
    double cx = b1.x - a1.x, cy = b1.y - a1.y;
    double t = (cx * by - cy * bx) / det;
    double u = (cx * ay - cy * ax) / det;
    at = {a1.x + t * ax, a1.y + t * ay};
    return (t >= 0 && t <= 1 && u >= 0 && u <= 1) ? CrossResult::OnBoth : CrossResult::Outside;
}

}  // namespace model
