// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/recovery_file.h"

#include <charconv>
#include <fstream>

#include "model/helpers.h"

namespace model {

namespace {

const std::string kPathKey = "tessmar-recovery-path=";
const std::string kTimeKey = "tessmar-recovery-time=";
// Longer than any header this program writes (303 grid lines, 501 sections): a damaged header
// size must not make the start-up read a whole large file.
constexpr int kMaxHeaderLines = 1000;

bool plain(unsigned char c) { return c > ' ' && c < 0x7f && c != '%'; }

// Paths may hold any byte but "/" and NUL; the line must stay ASCII, and one line.
std::string escaped(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (plain(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size()) return std::nullopt;
        const auto r = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (r.ec != std::errc() || r.ptr != text.data() + i + 3) return std::nullopt;
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

bool startsWith(const std::string& line, const std::string& prefix) { return line.compare(0, prefix.size(), prefix) == 0; }

}  // namespace

std::vector<std::string> recoveryNoteLines(const RecoveryNote& note)
{
    return {kPathKey + escaped(note.projectPath), kTimeKey + std::to_string(note.savedAt)};
}

std::optional<RecoveryNote> readRecoveryNote(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    int header = 0;
    if (!std::getline(in, line) || !std::getline(in, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!parseIntStrict(line, header)) return std::nullopt;
    std::optional<std::string> projectPath;
    std::optional<std::int64_t> savedAt;
    // Grid and section lines start with a number, so the notes cannot be mistaken for them.
    for (int n = 3; n < header && n < kMaxHeaderLines && std::getline(in, line); ++n) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (startsWith(line, kPathKey)) projectPath = unescaped(std::string_view(line).substr(kPathKey.size()));
        if (startsWith(line, kTimeKey)) {
            std::int64_t t = 0;
            const char* first = line.data() + kTimeKey.size();
            const char* last = line.data() + line.size();
            const auto r = std::from_chars(first, last, t);
            if (r.ec == std::errc() && r.ptr == last) savedAt = t;
        }
    }
    if (!projectPath || projectPath->empty() || !savedAt) return std::nullopt;
    return RecoveryNote{*projectPath, *savedAt};
}

}  // namespace model
