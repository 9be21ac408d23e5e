// SPDX-License-Identifier: GPL-3.0-or-later
#include "dxf/dxf_tags.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

namespace dxf {

namespace {

// append(pointer, count) is a plain copy; the iterator-pair form goes through replace().
void appendRange(std::string& out, const char* first, const char* last)
{
    out.append(first, static_cast<size_t>(last - first));
}

constexpr std::string_view kEol = "\r\n";
constexpr int kMaxDigits = 15;

bool isPaddedCode(int code) { return code == 62 || (code >= 70 && code <= 78); }

// Writes the significant digits and the decimal exponent of v (v = d.ddd x 10^exp),
// rounded to at most 15 digits, trailing zeros removed. Returns the digit count.
int decimalDigits(double v, char* digits, int& exp)
{
    char buf[64];
    // The shortest round-trip form equals the 15-digit rounding whenever it has at most 15
    // digits, except for subnormals, whose shortest form is coarser.
    auto r = v < std::numeric_limits<double>::min()
                 ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, kMaxDigits - 1)
                 : std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    int count = 0;
    const char* p = buf;
    const char* end = r.ptr;
    for (; p < end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits[count++] = *p;
    if (count > kMaxDigits) {
        r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, kMaxDigits - 1);
        end = r.ptr;
        count = 0;
        for (p = buf; p < end && *p != 'e'; ++p)
            if (*p >= '0' && *p <= '9') digits[count++] = *p;
    }
    while (count > 1 && digits[count - 1] == '0') --count;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exp);
    return count;
}

// Writes v in the general format at `o` (room for 64 characters); returns the end.
char* writeReal(char* o, double v)
{
    if (v == 0 || !std::isfinite(v)) {
        *o++ = '0';
        return o;
    }
    char* const limit = o + 64;
    const double mag = std::fabs(v);
    // Whole numbers are by far the most common coordinates of a drawing.
    if (mag < 1e15 && v == std::trunc(v)) return std::to_chars(o, limit, static_cast<long long>(v)).ptr;
    // Most other values of a drawing have few digits: their shortest form, when it comes out
    // in fixed notation, is then already the 15-digit form without trailing zeros.
    if (mag >= 1e-5 && mag < 1e15) {
        char* end = std::to_chars(o, limit, v).ptr;
        int significant = 0;
        bool leading = true;
        bool exponent = false;
        for (char* p = o; p < end; ++p) {
            if (*p == 'e') exponent = true;
            if (*p < '0' || *p > '9') continue;
            if (leading && *p == '0') continue;
            leading = false;
            ++significant;
        }
        if (!exponent && significant <= kMaxDigits) return end;
    }
    char digits[32];
    int exp = 0;
    const int n = decimalDigits(mag, digits, exp);
    if (v < 0) *o++ = '-';
    if (exp >= -5 && exp < kMaxDigits) {
        if (exp >= 0) {
            for (int i = 0; i <= exp; ++i) *o++ = i < n ? digits[i] : '0';
            if (n > exp + 1) {
                *o++ = '.';
                for (int i = exp + 1; i < n; ++i) *o++ = digits[i];
            }
        } else {
            *o++ = '0';
            *o++ = '.';
            for (int i = 0; i < -exp - 1; ++i) *o++ = '0';
            for (int i = 0; i < n; ++i) *o++ = digits[i];
        }
    } else {
        *o++ = digits[0];
        if (n > 1) {
            *o++ = '.';
            for (int i = 1; i < n; ++i) *o++ = digits[i];
        }
        *o++ = 'E';
        o = std::to_chars(o, limit, exp).ptr;
    }
    return o;
}

// "  8\r\n": the code right-justified in three characters and the line end.
char* writeCode(char* o, int code)
{
    if (code >= 0 && code < 1000) {
        o[0] = code >= 100 ? static_cast<char>('0' + code / 100) : ' ';
        o[1] = code >= 10 ? static_cast<char>('0' + code / 10 % 10) : ' ';
        o[2] = static_cast<char>('0' + code % 10);
        o += 3;
    } else {
        o = std::to_chars(o, o + 16, code).ptr;
    }
    *o++ = '\r';
    *o++ = '\n';
    return o;
}

char* writeEol(char* o)
{
    *o++ = '\r';
    *o++ = '\n';
    return o;
}

char* writeHandle(char* o, uint32_t handle)
{
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, handle, 16);
    for (std::ptrdiff_t i = r.ptr - buf; i < 3; ++i) *o++ = '0';
    for (char* p = buf; p < r.ptr; ++p) *o++ = (*p >= 'a' && *p <= 'f') ? static_cast<char>(*p - 'a' + 'A') : *p;
    return o;
}

}  // namespace

void appendReal(std::string& out, double v)
{
    char buf[80];
    appendRange(out, buf, writeReal(buf, v));
}

std::string formatReal(double value)
{
    std::string s;
    appendReal(s, value);
    return s;
}

void appendHandle(std::string& out, uint32_t handle)
{
    char buf[32];
    appendRange(out, buf, writeHandle(buf, handle));
}

TagWriter::TagWriter(std::string& out) : out_(&out), chunk_(new char[kChunk]) {}

TagWriter::TagWriter(ByteSink& sink) : sink_(&sink), chunk_(new char[kChunk]) {}

void TagWriter::emit(std::string_view bytes)
{
    if (sink_)
        sink_->put(bytes);
    else
        out_->append(bytes);
}

void TagWriter::flush()
{
    if (used_ > 0) emit(std::string_view(chunk_.get(), used_));
    used_ = 0;
}

// Longest code, padded integer, real or handle with their line ends.
constexpr size_t kGroupRoom = 128;

void TagWriter::group(int c, std::string_view value)
{
    if (value.size() > kChunk / 2) {
        // Far larger than any group we write: no point in passing it through the chunk.
        done(writeCode(room(kGroupRoom), c));
        flush();
        emit(value);
        emit(kEol);
        return;
    }
    char* o = writeCode(room(kGroupRoom + value.size()), c);
    o = std::copy(value.begin(), value.end(), o);
    done(writeEol(o));
}

void TagWriter::group(int c, int value)
{
    if (!isPaddedCode(c)) {
        groupPlain(c, value);
        return;
    }
    char* o = writeCode(room(kGroupRoom), c);
    char digits[16];
    auto r = std::to_chars(digits, digits + sizeof digits, value);
    const std::ptrdiff_t len = r.ptr - digits;
    // Six characters, right-justified; longer numbers keep their last six characters.
    if (len < 6) {
        o = std::fill_n(o, 6 - len, ' ');
        o = std::copy(digits, r.ptr, o);
    } else {
        o = std::copy(r.ptr - 6, r.ptr, o);
    }
    done(writeEol(o));
}

void TagWriter::group(int c, double value)
{
    char* o = writeCode(room(kGroupRoom), c);
    done(writeEol(writeReal(o, value)));
}

void TagWriter::groupPlain(int c, int value)
{
    char* o = writeCode(room(kGroupRoom), c);
    done(writeEol(std::to_chars(o, o + 16, value).ptr));
}

void TagWriter::groupHandle(int c, uint32_t handle)
{
    char* o = writeCode(room(kGroupRoom), c);
    done(writeEol(writeHandle(o, handle)));
}

}  // namespace dxf
