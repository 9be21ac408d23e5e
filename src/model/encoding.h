// The one place where texts cross between UTF-8 (inside) and CP932 (files, clipboard).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace model {

// Nullopt when some character has no CP932 form.
std::optional<std::string> utf8ToCp932(std::string_view utf8);
// CP932 to UTF-8; a byte sequence that is not CP932 becomes U+FFFD so nothing is lost silently.
std::string cp932ToUtf8(std::string_view cp932);
// Like utf8ToCp932, but writes a character without a CP932 form as "\U+XXXX".
std::string utf8ToCp932Escaped(std::string_view utf8);
// Bytes the text takes in CP932 (an unconvertible character counts as 2).
size_t cp932Length(std::string_view utf8);
bool isCp932LeadByte(unsigned char c);
bool isValidUtf8(std::string_view text);

}  // namespace model
