// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/quantity_table.h"

#include <charconv>

#include "draft/text_table.h"

namespace draft::quantity {

namespace {

std::string fixed(double v, int decimals)
{
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string metres(double mm) { return fixed(mm / 1000, 2); }

// Columns whose numbers line up on the right.
bool numeric(size_t column) { return column >= 5; }

}  // namespace

const Cells& tableHeader()
{
    static const Cells header{"階", "部位", "符号", "種別", "径", "本数", "長さ(m)", "質量(kg)", "継手(箇所)"};
    return header;
}

std::vector<Cells> tableRows(const Takeoff& t)
{
    std::vector<Cells> rows;
    for (const QuantityRow& r : t.rows)
        rows.push_back({r.floor, r.part, r.mark, r.kind, r.size, std::to_string(r.count), metres(r.length),
                        fixed(r.mass, 1), std::to_string(r.joints)});
    for (const SizeTotal& s : t.totals)
        rows.push_back({"計", "", "", "", s.size, std::to_string(s.count), metres(s.length), fixed(s.mass, 1),
                        std::to_string(s.joints)});
    rows.push_back({"設計数量", "", "", "", "", "", "", fixed(t.designMass, 1), ""});
    rows.push_back({"所要数量", "", "", "", "", "", "", fixed(t.requiredMass, 1), ""});
    return rows;
}

std::string quantityCsv(const Takeoff& t) { return csvText(tableHeader(), tableRows(t)); }

model::FileResult writeQuantityCsv(const std::string& path, const Takeoff& t)
{
    return writeCp932File(path, quantityCsv(t), "符号に Shift-JIS で書けない文字があります");
}

std::string quantityText(const Takeoff& t)
{
    std::string out;
    for (const std::string& c : conditionsText(t.conditions)) out += c + "\n";
    out += "\n";
    out += alignedText(tableHeader(), tableRows(t), numeric);
    const std::vector<std::string> notice = omissionNotice(t);
    if (!notice.empty()) out += "\n";
    for (const std::string& n : notice) out += n + "\n";
    return out;
}

}  // namespace draft::quantity
