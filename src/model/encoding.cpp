// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/encoding.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <stdexcept>

namespace model {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts one chunk; returns false at the first sequence that does not convert,
    // leaving `in` at that sequence.
    bool run(std::string_view& in, std::string& out)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                return false;
            }
        }
        return true;
    }

private:
    iconv_t cd_;
};

Converter& toCp932()
{
    static thread_local Converter c("CP932", "UTF-8");
    return c;
}
Converter& fromCp932()
{
    static thread_local Converter c("UTF-8", "CP932");
    return c;
}

size_t utf8SequenceLength(unsigned char c)
{
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) return 2;
    if ((c & 0xF0) == 0xE0) return 3;
    if ((c & 0xF8) == 0xF0) return 4;
    return 1;
}

unsigned decodeCodePoint(std::string_view s, size_t len)
{
    unsigned cp = static_cast<unsigned char>(s[0]);
    if (len == 1) return cp;
    cp &= (0xFFu >> (len + 1));
    for (size_t i = 1; i < len && i < s.size(); ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3Fu);
    return cp;
}

// The byte a raw-byte character stands for; -1 for any other character.
int rawByte(std::string_view utf8, size_t len)
{
    if (len != 3 || utf8.size() < 3) return -1;
    for (size_t i = 1; i < 3; ++i)
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) return -1;
    const unsigned cp = decodeCodePoint(utf8, len);
    return cp >= kRawByteBase + 0x80 && cp <= kRawByteBase + 0xFF ? static_cast<int>(cp - kRawByteBase) : -1;
}

void appendRawByte(std::string& out, unsigned char byte)
{
    const unsigned cp = kRawByteBase + byte;
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
}

// Converts to CP932; at a character without a CP932 form, `other` decides what is written.
// Raw-byte characters always become their byte again. False when `other` gave up.
template <typename Other>
bool toCp932With(std::string_view utf8, std::string& out, Other other)
{
    out.reserve(utf8.size());
    while (!toCp932().run(utf8, out)) {
        size_t len = utf8SequenceLength(static_cast<unsigned char>(utf8[0]));
        if (len > utf8.size()) len = utf8.size();
        if (const int b = rawByte(utf8, len); b >= 0) out += static_cast<char>(b);
        else if (!other(utf8.substr(0, len), out)) return false;
        utf8.remove_prefix(len);
    }
    return true;
}

}  // namespace

bool isCp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool isValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        size_t len = utf8SequenceLength(c);
        if (len == 1 && c >= 0x80) return false;
        if (i + len > text.size()) return false;
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

std::optional<std::string> utf8ToCp932(std::string_view utf8)
{
    std::string out;
    if (!toCp932With(utf8, out, [](std::string_view, std::string&) { return false; })) return std::nullopt;
    return out;
}

std::string utf8ToCp932Escaped(std::string_view utf8)
{
    std::string out;
    toCp932With(utf8, out, [](std::string_view ch, std::string& to) {
        char esc[16];
        std::snprintf(esc, sizeof esc, "\\U+%04X", decodeCodePoint(ch, ch.size()));
        to += esc;
        return true;
    });
    return out;
}

// True when the bytes are one or more characters that convert to UTF-8 and back to the very
// same bytes.
bool convertsExactly(std::string_view cp932, std::string& utf8)
{
    std::string_view in = cp932;
    if (!fromCp932().run(in, utf8)) return false;
    std::string back;
    std::string_view again = utf8;
    return toCp932().run(again, back) && back == cp932;
}

std::string cp932ToUtf8(std::string_view cp932)
{
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    while (!fromCp932().run(cp932, out)) {
        size_t skip = (isCp932LeadByte(static_cast<unsigned char>(cp932[0])) && cp932.size() > 1) ? 2 : 1;
        out += "\xEF\xBF\xBD";
        cp932.remove_prefix(skip);
    }
    return out;
}

std::string cp932ToUtf8Keeping(std::string_view cp932, bool* keptRaw)
{
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    bool raw = false;
    if (!convertsExactly(cp932, out)) {
        // Character by character: a byte that starts no character, or a character that would
        // be written back as other bytes (CP932 has a few twice), is kept raw. Only its first
        // byte: the next one may start a character of its own (or be the field separator).
        // Then writing gives exactly the bytes read, and reading that again the same text.
        out.clear();
        size_t i = 0;
        while (i < cp932.size()) {
            const auto c = static_cast<unsigned char>(cp932[i]);
            if (c < 0x80) {
                out += static_cast<char>(c);
                ++i;
                continue;
            }
            const size_t len = isCp932LeadByte(c) && i + 1 < cp932.size() ? 2 : 1;
            std::string piece;
            if (convertsExactly(cp932.substr(i, len), piece)) {
                out += piece;
                i += len;
            } else {
                appendRawByte(out, c);
                raw = true;
                ++i;
            }
        }
    }
    if (keptRaw) *keptRaw = raw;
    return out;
}

size_t cp932Length(std::string_view utf8)
{
    // Labels repeat a few characters ("×", kana): each one's length is found once and kept; CP932
    // has no shift states, so the lengths add up. 0: not known yet.
    static std::array<std::atomic<unsigned char>, 0x10000> known{};
    auto convert = [](std::string_view piece) {
        std::string out;
        toCp932With(piece, out, [](std::string_view, std::string& to) {
            to += "??";
            return true;
        });
        return out.size();
    };
    size_t n = 0;
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            ++n;
            ++i;
            continue;
        }
        const size_t len = std::min(utf8SequenceLength(c), utf8.size() - i);
        const std::string_view piece = utf8.substr(i, len);
        i += len;
        const unsigned cp = decodeCodePoint(piece, len);
        // Only a well-formed shortest form stands for its code point alone.
        if (!isValidUtf8(piece) || !((len == 2 && cp >= 0x80) || (len == 3 && cp >= 0x800))) {
            n += convert(piece);
            continue;
        }
        unsigned char k = known[cp].load(std::memory_order_relaxed);
        if (k == 0) {
            k = static_cast<unsigned char>(convert(piece));
            known[cp].store(k, std::memory_order_relaxed);
        }
        n += k;
    }
    return n;
}

}  // namespace model
