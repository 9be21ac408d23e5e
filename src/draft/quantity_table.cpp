#include "draft/quantity_table.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "model/encoding.h"

namespace draft::quantity {

namespace {

std::string fixed(double v, int decimals)
{
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string metres(double mm) { return fixed(mm / 1000, 2); }

// A field that holds a separator, a quote or a line break is quoted, its quotes doubled.
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

std::string quantityCsv(const Takeoff& t)
{
    std::string out;
    auto line = [&](const Cells& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i) out += ',';
            out += csvField(cells[i]);
        }
        out += "\r\n";
    };
    line(tableHeader());
    for (const Cells& row : tableRows(t)) line(row);
    return out;
}

model::FileResult writeQuantityCsv(const std::string& path, const Takeoff& t)
{
    const std::optional<std::string> bytes = model::utf8ToCp932(quantityCsv(t));
    if (!bytes) return {false, path + ": 符号に Shift-JIS で書けない文字があります"};
    return model::writeFileAtomically(path, *bytes);
}

std::string quantityText(const Takeoff& t)
{
    std::vector<Cells> rows = tableRows(t);
    rows.insert(rows.begin(), tableHeader());
    // Widths in CP932 bytes: a full-width character takes two columns of a terminal.
    std::vector<size_t> width(tableHeader().size(), 0);
    for (const Cells& r : rows)
        for (size_t i = 0; i < r.size(); ++i) width[i] = std::max(width[i], model::cp932Length(r[i]));
    std::string out;
    for (const std::string& c : conditionsText(t.conditions)) out += c + "\n";
    out += "\n";
    for (const Cells& r : rows) {
        std::string line;
        for (size_t i = 0; i < r.size(); ++i) {
            const std::string pad(width[i] - model::cp932Length(r[i]), ' ');
            if (i) line += "  ";
            line += numeric(i) ? pad + r[i] : r[i] + pad;
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    const std::vector<std::string> notice = omissionNotice(t);
    if (!notice.empty()) out += "\n";
    for (const std::string& n : notice) out += n + "\n";
    return out;
}

}  // namespace draft::quantity
