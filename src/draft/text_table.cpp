// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/text_table.h"

#include <algorithm>
#include <optional>

#include "model/encoding.h"

namespace draft {

namespace {

std::string csvField(const std::string& s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char ch : s) {
        if (ch == '"') q += '"';
        q += ch;
    }
    return q + "\"";
}

}  // namespace

std::string csvText(const Cells& header, const std::vector<Cells>& rows)
{
    std::string out;
    auto line = [&](const Cells& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i) out += ',';
            out += csvField(cells[i]);
        }
        out += "\r\n";
    };
    line(header);
    for (const Cells& row : rows) line(row);
    return out;
}

model::FileResult writeCp932File(const std::string& path, const std::string& utf8, const std::string& refusal)
{
    const std::optional<std::string> bytes = model::utf8ToCp932(utf8);
    if (!bytes) return {false, path + ": " + refusal};
    return model::writeFileAtomically(path, *bytes);
}

std::string alignedText(const Cells& header, const std::vector<Cells>& rows,
                        const std::function<bool(size_t column)>& rightAligned)
{
    std::vector<size_t> width(header.size(), 0);
    auto widen = [&](const Cells& r) {
        for (size_t i = 0; i < r.size() && i < width.size(); ++i)
            width[i] = std::max(width[i], model::cp932Length(r[i]));
    };
    widen(header);
    for (const Cells& r : rows) widen(r);
    std::string out;
    auto line = [&](const Cells& r) {
        std::string text;
        for (size_t i = 0; i < r.size() && i < width.size(); ++i) {
            const std::string pad(width[i] - model::cp932Length(r[i]), ' ');
            if (i) text += "  ";
            text += rightAligned(i) ? pad + r[i] : r[i] + pad;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text + "\n";
    };
    line(header);
    for (const Cells& r : rows) line(r);
    return out;
}

}  // namespace draft
