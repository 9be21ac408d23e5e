// SPDX-License-Identifier: GPL-3.0-or-later
// RC section definitions of ST-Bridge 2.0.x and 2.1.0 as specification strings.
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "exchange/stb_import.h"
#include "model/bars.h"
#include "model/helpers.h"

namespace exchange::stb {

namespace {

enum Position { LEFT = 0, CENTRE = 1, RIGHT = 2 };

// Where a figure or a bar set applies: to all three positions or to one end or the centre.
enum class Tag { All, Start, Center, End, None };

Tag tagOf(const std::string& pos)
{
    if (pos == "START") return Tag::Start;
    if (pos == "CENTER") return Tag::Center;
    if (pos == "END") return Tag::End;
    return Tag::None;
}

// The n-th of `count` ordered parts along a 2.1.0 girder.
Tag tagOfOrder(int order, int count)
{
    if (count <= 1) return Tag::All;
    if (order == 1) return Tag::Start;
    if (order == count) return Tag::End;
    if (order == (count + 1) / 2 && count >= 3) return Tag::Center;
    return Tag::None;
}

std::optional<double> parse(const std::string* text)
{
    if (!text) return std::nullopt;
    const std::string t = model::trim(*text);
    double d = 0;
    const char* first = t.data();
    if (!t.empty() && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, t.data() + t.size(), d);
    if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return d;
}

// A number field as the specification string writes it; empty when absent, the text as written when not a number.
std::string field(const Attributes& a, std::string_view key)
{
    const std::string* v = a.find(key);
    if (!v) return "";
    const auto d = parse(v);
    return d ? numberText(*d) : model::trim(*v);
}

// A bar count: empty when absent or zero (a layer without bars).
std::string count(const Attributes& a, std::string_view key)
{
    const std::string f = field(a, key);
    return f == "0" ? std::string() : f;
}

struct Size {
    std::string b, D;
};

struct BarGroup {
    std::string n, n2, size;
    std::string item() const { return n + ":" + n2 + ":" + size + ";"; }
};

struct BeamBars {
    BarGroup top, bottom;
    std::string stirrupN, stirrupSize, pitch, webN, webSize;
};

template <typename T>
struct ByTag {
    std::array<std::optional<T>, 4> slot;  // All, Start, Center, End
    void set(Tag t, T value)
    {
        if (t != Tag::None) slot[static_cast<size_t>(t)] = std::move(value);
    }
    const std::optional<T>& at(Tag t) const { return slot[static_cast<size_t>(t)]; }
    // START is the left end, END the right; CENTER the centre. A missing one takes the value
    // that covers it: all three, else the nearest given part.
    T resolve(Position p) const
    {
        static const std::array<std::array<Tag, 3>, 3> order = {{
            {Tag::Start, Tag::All, Tag::Center},
            {Tag::Center, Tag::All, Tag::Start},
            {Tag::End, Tag::All, Tag::Center},
        }};
        for (Tag t : order[static_cast<size_t>(p)])
            if (at(t)) return *at(t);
        for (const auto& s : slot)
            if (s) return *s;
        return T{};
    }
};

// Stirrups and web bars carry the same attribute names in every version.
BeamBars stirrupsAndWeb(const Attributes& a)
{
    BeamBars b;
    b.stirrupN = count(a, "N_stirrup");
    b.stirrupSize = model::trim(a.text("D_stirrup"));
    b.pitch = field(a, "pitch_stirrup");
    b.webN = count(a, "N_web");
    b.webSize = b.webN.empty() ? std::string() : model::trim(a.text("D_web"));
    return b;
}

// 2.0.x: one bar set of StbSecBarBeam_RC_Same / _ThreeTypes / _StartEnd.
BeamBars beamBars20(const Attributes& a)
{
    BeamBars b = stirrupsAndWeb(a);
    auto group = [&](const char* face) {
        const std::string f = face;
        BarGroup g{count(a, "N_main_" + f + "_1st"), count(a, "N_main_" + f + "_2nd"), model::trim(a.text("D_main"))};
        // Bars only of the second diameter on this face.
        if (g.n.empty() && g.n2.empty() && !count(a, "N_2nd_main_" + f + "_1st").empty())
            g = {count(a, "N_2nd_main_" + f + "_1st"), count(a, "N_2nd_main_" + f + "_2nd"), model::trim(a.text("D_2nd_main"))};
        if (g.n.empty() && g.n2.empty()) g.size.clear();
        return g;
    };
    b.top = group("top");
    b.bottom = group("bottom");
    return b;
}


void addMain21(BeamBars& b, const Attributes& a)
{
    BarGroup& g = a.text("pos") == "BOTTOM" ? b.bottom : b.top;
    const std::string n = count(a, "N");
    if (field(a, "step") == "2") {
        g.n2 = n;
        if (g.size.empty()) g.size = model::trim(a.text("D"));
    } else {
        g.n = n;
        g.size = model::trim(a.text("D"));
    }
}

void noteSize(SectionSpec& out, const std::string& size)
{
    if (size.empty() || model::barSlot(size) >= 0) return;
    if (std::find(out.unknownSizes.begin(), out.unknownSizes.end(), size) == out.unknownSizes.end())
        out.unknownSizes.push_back(size);
}

// Orders of the ordered parts of a 2.1.0 section, counted first so each can be tagged.
int countOrders(const Section& s, const char* element)
{
    int n = 0;
    for (const SectionPart& p : s.parts)
        if (p.element == element) ++n;
    return n;
}

SectionSpec beamSpec(const Section& s)
{
    SectionSpec out;
    ByTag<Size> sizes;
    ByTag<BeamBars> bars;
    const int figures = countOrders(s, "StbSecFigureBeam_RC");
    const int arrangements = countOrders(s, "StbSecBarArrangementBeam_RC");
    Tag figureTag = Tag::All, barTag = Tag::All;
    std::optional<BeamBars> simple;  // 2.1.0 bars being gathered
    auto flush = [&] {
        if (simple) bars.set(barTag, *simple);
        simple.reset();
    };
    for (const SectionPart& p : s.parts) {
        const Attributes& a = p.attributes;
        const std::string& e = p.element;
        if (e == "StbSecBeam_RC_Straight") sizes.set(Tag::All, {field(a, "width"), field(a, "depth")});
        else if (e == "StbSecBeam_RC_Taper" || e == "StbSecBeam_RC_Haunch")
            sizes.set(tagOf(a.text("pos")), {field(a, "width"), field(a, "depth")});
        else if (e == "StbSecBarBeam_RC_Same") bars.set(Tag::All, beamBars20(a));
        else if (e == "StbSecBarBeam_RC_ThreeTypes" || e == "StbSecBarBeam_RC_StartEnd")
            bars.set(tagOf(a.text("pos")), beamBars20(a));
        else if (e == "StbSecFigureBeam_RC") figureTag = tagOfOrder(static_cast<int>(model::specInt(field(a, "order"))), figures);
        else if (e == "StbSecBeamStraight") sizes.set(figureTag, {field(a, "width"), field(a, "depth")});
        else if (e == "StbSecBeamTaper") {
            // A tapered part gives the size at its outer end: one over the whole girder both.
            const Size start{field(a, "start_width"), field(a, "start_depth")};
            const Size end{field(a, "end_width"), field(a, "end_depth")};
            if (figureTag == Tag::All) sizes.set(Tag::Start, start), sizes.set(Tag::End, end);
            else sizes.set(figureTag, figureTag == Tag::End ? end : start);
        } else if (e == "StbSecBarArrangementBeam_RC") {
            flush();
            barTag = tagOfOrder(static_cast<int>(model::specInt(field(a, "order"))), arrangements);
        } else if (e == "StbSecBarBeamSimple") {
            flush();
            // 2.1.0: the StbSecBarBeamSimpleMain rows that follow add the main bars.
            simple = stirrupsAndWeb(a);
        } else if (e == "StbSecBarBeamSimpleMain" && simple) addMain21(*simple, a);
    }
    flush();

    std::array<Size, 3> size;
    std::array<BeamBars, 3> bar;
    for (int p = 0; p < 3; ++p) {
        size[static_cast<size_t>(p)] = sizes.resolve(static_cast<Position>(p));
        bar[static_cast<size_t>(p)] = bars.resolve(static_cast<Position>(p));
    }
    out.spec = "RC";
    for (const Size& z : size) out.spec += ":" + z.b + ":" + z.D;
    out.spec += ";";
    for (const BeamBars& b : bar) out.spec += b.top.item() + b.bottom.item();
    // Stirrups and web bars are one item each: the left end's, where they stand closest.
    const BeamBars& c = bar[LEFT];
    out.spec += c.stirrupN + ":" + c.stirrupSize + ":" + c.pitch + ";" + c.webN + ":" + c.webSize + ";";
    for (const BeamBars& b : bar)
        for (const std::string* z : {&b.top.size, &b.bottom.size, &b.stirrupSize, &b.webSize}) noteSize(out, *z);
    out.endsDiffer = size[LEFT].b != size[RIGHT].b || size[LEFT].D != size[RIGHT].D ||
                     bar[LEFT].top.item() != bar[RIGHT].top.item() || bar[LEFT].bottom.item() != bar[RIGHT].bottom.item();
    return out;
}

SectionSpec columnSpec(const Section& s)
{
    SectionSpec out;
    Size size;
    std::optional<Attributes> bars20, bars21;
    for (const SectionPart& p : s.parts) {
        const Attributes& a = p.attributes;
        const std::string& e = p.element;
        if (e == "StbSecColumn_RC_Rect" || e == "StbSecColumnRect") size = {field(a, "width_X"), field(a, "width_Y")};
        else if (e == "StbSecColumn_RC_Circle" || e == "StbSecColumnCircle") out.circular = true;
        // Of a BASE/TOP (BOTTOM/TOP) pair the head is taken: the drawings show one section.
        else if (e == "StbSecBarColumn_RC_RectSame" || (e == "StbSecBarColumn_RC_RectNotSame" && (!bars20 || a.text("pos") == "TOP")))
            bars20 = a;
        else if (e == "StbSecBarColumnRectSameSimple" || (e == "StbSecBarColumnRectNotSameSimple" && (!bars21 || a.text("pos") == "TOP")))
            bars21 = a;
    }
    std::string mains = "::", hoops = ":::";
    if (bars20) {
        const Attributes& a = *bars20;
        mains = count(a, "N_main_X_1st") + ":" + count(a, "N_main_Y_1st") + ":" + model::trim(a.text("D_main"));
        hoops = count(a, "N_band_direction_X") + ":" + count(a, "N_band_direction_Y") + ":" + model::trim(a.text("D_band")) +
                ":" + field(a, "pitch_band");
        noteSize(out, model::trim(a.text("D_main")));
        noteSize(out, model::trim(a.text("D_band")));
    } else if (bars21) {
        const Attributes& a = *bars21;
        mains = count(a, "N_X") + ":" + count(a, "N_Y") + ":" + model::trim(a.text("D_main"));
        hoops = count(a, "N_hoop_X") + ":" + count(a, "N_hoop_Y") + ":" + model::trim(a.text("D_hoop")) + ":" +
                field(a, "pitch_hoop");
        noteSize(out, model::trim(a.text("D_main")));
        noteSize(out, model::trim(a.text("D_hoop")));
    }
    out.spec = "RC:" + size.b + ":" + size.D + ";" + mains + ";" + hoops + ";";
    return out;
}

}  // namespace

std::string numberText(double value)
{
    if (std::abs(value) < 1e15 && value == std::round(value)) return std::to_string(static_cast<long long>(value));
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

SectionSpec sectionSpec(const Section& section)
{
    return section.element == "StbSecColumn_RC" ? columnSpec(section) : beamSpec(section);
}

std::string swapGirderEnds(const std::string& spec)
{
    std::vector<std::string> items;
    model::splitFields(spec, ';', items);
    if (items.size() < 7) return spec;
    std::vector<std::string> size;
    model::splitFields(items[0], ':', size);
    if (size.size() >= 7) std::swap(size[1], size[5]), std::swap(size[2], size[6]);
    std::string head;
    for (size_t i = 0; i < size.size(); ++i) head += (i ? ":" : "") + size[i];
    items[0] = head;
    std::swap(items[1], items[5]);
    std::swap(items[2], items[6]);
    std::string out;
    for (const std::string& item : items)
        if (&item != &items.back() || !item.empty()) out += item + ";";
    return out;
}

bool markNameBefore(const std::string& a, const std::string& b)
{
    size_t i = 0, j = 0;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            size_t ei = i, ej = j;
            while (ei < a.size() && digit(a[ei])) ++ei;
            while (ej < b.size() && digit(b[ej])) ++ej;
            const std::string_view na = std::string_view(a).substr(i, ei - i);
            const std::string_view nb = std::string_view(b).substr(j, ej - j);
            const size_t za = na.find_first_not_of('0'), zb = nb.find_first_not_of('0');
            const std::string_view ta = za == std::string_view::npos ? "" : na.substr(za);
            const std::string_view tb = zb == std::string_view::npos ? "" : nb.substr(zb);
            if (ta.size() != tb.size()) return ta.size() < tb.size();
            if (ta != tb) return ta < tb;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
    return a < b;
}

}  // namespace exchange::stb
