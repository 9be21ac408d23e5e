// SPDX-License-Identifier: GPL-3.0-or-later
// Small shared functions: number rules, text splitting and conversions, plane geometry.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace model {

// Raised where a text must be a whole number but is not (project file integers,
// strToIntOr0 on a fraction). Carries a message the user can read.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr double kPi = 3.14159265358979;

inline bool approxEq(double a, double b) { return (a > b ? a - b : b - a) < 1e-6; }
long long roundHalfAway(double v);
double round5(double v);
long long ceilTrunc(double v);

bool isNumber(std::string_view text);
bool isNumberOrEmpty(std::string_view text);
double strToFloatOr0(std::string_view text);
double strToFloatDef(std::string_view text, double fallback);
// 0 for empty or non-numeric text; throws ConversionError for a number with a fraction.
int strToIntOr0(std::string_view text);
// Strict decimal integer (optional sign, digits, surrounding blanks); throws ConversionError.
int strToIntStrict(std::string_view text);
// The same without throwing: false when text is not a decimal integer in range.
bool parseIntStrict(std::string_view text, int& value);
std::string padLeft(long long value, int width);

// Cuts text at every separator; -1 (and no fields) when the text is empty or separators only.
int splitFields(std::string_view text, char sep, std::vector<std::string>& fields);
std::string fieldAt(int index, std::string_view text, char sep);
std::string removeAll(std::string_view text, char c);
int lastPos(std::string_view text, char c);
std::string trim(std::string_view text);

// Plane geometry; angles in degrees counter-clockwise from +X unless named Rad.
struct Point {
    double x = 0;
    double y = 0;
};

double hypotLen(double dx, double dy);
double angleRad(double dx, double dy);
double angleDeg(double dx, double dy);
double normDeg(double deg);
double sinDeg(double deg);
double cosDeg(double deg);
bool angleOnArc(double start, double end, double angle);
bool perpFoot(Point p1, Point p2, Point q, Point& foot);

enum class CrossResult { Parallel = 0, OnBoth = 1, Outside = 255 };
CrossResult segmentCross(Point a1, Point a2, Point b1, Point b2, Point& at);

}  // namespace model
