// SPDX-License-Identifier: GPL-3.0-or-later
// The grammar of a section's specification string: items and fields, the section sizes, the short
// bar notations printed by the dialog and the drawings, and the web-bar suggestion.
#include <climits>
#include <cmath>

#include "model/helpers.h"
#include "model/sections.h"

namespace model {

namespace {

std::string field(std::string_view item, int index) { return fieldAt(index, item, ':'); }

// True when an item holds more than separators and blanks; a cleared dialog group such as
// ":::" must print nothing rather than zeros.
bool hasContent(std::string_view item) { return !trim(removeAll(item, ':')).empty(); }

bool isGroupNotationEmpty(std::string_view item) { return item.size() < 3 || !hasContent(item); }

// The text without its first character (a whole UTF-8 sequence).
std::string withoutFirstChar(std::string_view text)
{
    if (text.empty()) return {};
    size_t len = 1;
    while (len < text.size() && (static_cast<unsigned char>(text[len]) & 0xC0) == 0x80) ++len;
    return std::string(text.substr(len));
}

}  // namespace

int specInt(std::string_view text)
{
    if (!isNumber(text)) return 0;
    double v = std::round(strToFloatOr0(text));
    if (v < static_cast<double>(INT_MIN) || v > static_cast<double>(INT_MAX)) return 0;
    return static_cast<int>(v);
}

std::string specItem(std::string_view secSpec, int item) { return fieldAt(item, secSpec, ';'); }

SectionSize sectionSizeOfSpec(std::string_view secSpec, int position)
{
    SectionSize size;
    std::string item0 = specItem(secSpec, 0);
    std::vector<std::string> fields;
    if (splitFields(item0, ':', fields) < 3) return size;
    size.material = fields[0];
    size.width = sizeField(item0, 0, position);
    size.depth = sizeField(item0, 1, position);
    return size;
}

GirderItem girderItem(std::string_view secSpec, int item)
{
    GirderItem g;
    std::string text = specItem(secSpec, item);
    if (item == 0) {
        g.b = specInt(field(text, 1));
        g.D = specInt(field(text, 2));
    } else if (item >= 1 && item <= 6) {
        g.n = specInt(field(text, 0));
        g.n2 = specInt(field(text, 1));
        g.size = field(text, 2);
    } else if (item == 7) {
        g.n = specInt(field(text, 0));
        g.size = field(text, 1);
        g.pitch = specInt(field(text, 2));
    } else if (item == 8) {
        g.n = specInt(field(text, 0));
        g.size = field(text, 1);
    }
    return g;
}

ColumnItem columnItem(std::string_view secSpec, int item)
{
    ColumnItem c;
    std::string text = specItem(secSpec, item);
    if (item == 1) {
        c.nx = specInt(field(text, 0));
        c.ny = specInt(field(text, 1));
        c.size = field(text, 2);
        c.sizeWithoutFirst = withoutFirstChar(c.size);
    } else if (item == 2) {
        c.nx = specInt(field(text, 0));
        c.ny = specInt(field(text, 1));
        c.size = field(text, 2);
        c.pitch = specInt(field(text, 3));
    }
    return c;
}

std::string fmtBarGroup(std::string_view item)
{
    long long n = static_cast<long long>(specInt(field(item, 0))) + specInt(field(item, 1));
    if (n <= 0) return {};
    return std::to_string(n) + "-" + field(item, 2);
}

std::string fmtBars(std::string_view item)
{
    int n = specInt(field(item, 0));
    if (n <= 0) return {};
    return std::to_string(n) + "-" + field(item, 1);
}

std::string fmtStirrup(std::string_view item)
{
    if (isGroupNotationEmpty(item)) return {};
    return std::to_string(specInt(field(item, 0))) + "-" + field(item, 1) + "-@" +
           std::to_string(specInt(field(item, 2)));
}

std::string fmtHoop(std::string_view item)
{
    if (isGroupNotationEmpty(item)) return {};
    return std::to_string(specInt(field(item, 0))) + "-" + std::to_string(specInt(field(item, 1))) + "-" +
           field(item, 2) + "-@" + std::to_string(specInt(field(item, 3)));
}

std::string fmtColumnMain(std::string_view item)
{
    if (isGroupNotationEmpty(item)) return {};
    // Corner bars sit on two faces and are counted once.
    long long n = 2LL * specInt(field(item, 0)) + 2LL * specInt(field(item, 1)) - 4;
    if (n <= 0) return {};
    return std::to_string(n) + "-" + field(item, 2);
}

std::string fmtSize(std::string_view secSpec, int position)
{
    SectionSize s = sectionSizeOfSpec(secSpec, position);
    if (s.material != "RC") return {};
    return s.width + "x" + s.depth;
}

std::string fmtSizeForDrawing(std::string_view secSpec, int position)
{
    if (normaliseSpec(secSpec).empty()) return {};
    SectionSize s = sectionSizeOfSpec(secSpec, position);
    if (s.width.empty() && s.depth.empty()) return {};
    return s.width + "×" + s.depth;
}

std::string sectionText(const SectionTable& table, int secID, MemberKind kind, int item)
{
    std::string spec = specOf(table, secID);
    if (item == 0) return fmtSizeForDrawing(spec, 0);
    std::string text = specItem(spec, item);
    if (kind == MemberKind::Girder) {
        if (item >= 1 && item <= 6) return fmtBarGroup(text);
        if (item == 7) return fmtStirrup(text);
        if (item == 8) return fmtBars(text);
        return {};
    }
    if (item == 1) return fmtColumnMain(text);
    if (item == 2) return fmtHoop(text);
    return {};
}

WebBarSuggestion suggestWebBars(double depth, int rodKind)
{
    WebBarSuggestion s;
    if (!(depth >= 600)) return s;  // also refuses NaN
    s.size = rodKind == 1 ? "9φ" : "D10";
    long long count;
    if (depth < 900) {
        count = 2;
    } else if (depth < 1200) {
        count = 4;
    } else if (depth <= 1500) {
        count = 6;
    } else {
        // Bounded so that an absurd depth cannot overflow the conversion.
        double steps = std::trunc(std::fmin((depth - 1500) / 300, 1e9));
        count = 2 * static_cast<long long>(steps) + 6;
    }
    s.count = std::to_string(count);
    return s;
}

}  // namespace model
