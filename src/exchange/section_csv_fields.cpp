// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/section_csv.h"

namespace exchange {

std::string csvField(std::string_view field)
{
    // A field that begins with a quote would read back as a quoted one: it is quoted too.
    const bool quote = field.find(',') != std::string_view::npos || (!field.empty() && field.front() == '"');
    if (!quote) return std::string(field);
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

namespace {

// A quoted field starting at `at` (on the opening quote): its text and the position after
// the closing quote, or false when the quote is never closed before "," or the line end.
bool quotedField(std::string_view line, size_t at, std::string& text, size_t& end)
{
    text.clear();
    for (size_t i = at + 1; i < line.size(); ++i) {
        if (line[i] != '"') {
            text += line[i];
            continue;
        }
        if (i + 1 < line.size() && line[i + 1] == '"') {
            text += '"';
            ++i;
            continue;
        }
        if (i + 1 == line.size() || line[i + 1] == ',') {
            end = i + 1;
            return true;
        }
        return false;
    }
    return false;
}

}  // namespace

std::vector<std::string> splitCsvLine(std::string_view line, size_t maxFields)
{
    std::vector<std::string> fields;
    size_t at = 0;
    while (fields.size() < maxFields) {
        std::string text;
        size_t end = 0;
        // A field that only looks quoted (no proper closing quote) is taken as it stands.
        if (at < line.size() && line[at] == '"' && quotedField(line, at, text, end)) {
            fields.push_back(std::move(text));
        } else {
            end = line.find(',', at);
            if (end == std::string_view::npos) end = line.size();
            fields.emplace_back(line.substr(at, end - at));
        }
        if (end >= line.size()) break;
        at = end + 1;  // past the ","
    }
    return fields;
}

}  // namespace exchange
