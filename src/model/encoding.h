// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where texts cross between UTF-8 (inside) and CP932 (files, clipboard).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace model {

// A byte of a file that has no CP932 meaning is kept inside as one private-use character
// (kRawByteBase + byte), which the writers turn back into the same byte: such bytes survive
// a read and a write unchanged. CP932 itself maps its user-defined area elsewhere (U+E000..).
inline constexpr unsigned kRawByteBase = 0xF700;
// Nullopt when some character has no CP932 form.
std::optional<std::string> utf8ToCp932(std::string_view utf8);
// CP932 to UTF-8; a byte sequence that is not CP932 becomes U+FFFD so nothing is lost silently.
std::string cp932ToUtf8(std::string_view cp932);
// CP932 to UTF-8 keeping every byte: bytes that are not CP932 (or would be written back as
// other bytes) become raw-byte characters, so the writers give back exactly these bytes;
// keptRaw (when given) tells whether there were any.
std::string cp932ToUtf8Keeping(std::string_view cp932, bool* keptRaw = nullptr);
// Like utf8ToCp932, but writes a character without a CP932 form as "\U+XXXX".
std::string utf8ToCp932Escaped(std::string_view utf8);
// Bytes the text takes in CP932 (an unconvertible character counts as 2, a raw byte as 1).
size_t cp932Length(std::string_view utf8);
bool isCp932LeadByte(unsigned char c);
bool isValidUtf8(std::string_view text);

}  // namespace model
