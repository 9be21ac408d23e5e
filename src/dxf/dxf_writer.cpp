#include "dxf/dxf_writer.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "dxf/dxf_tags.h"
#include "model/element_store.h"
#include "model/encoding.h"
#include "model/session.h"
#include "model/text_buffer.h"
#include "settings/settings.h"

namespace dxf {

namespace {

constexpr int kDivideKind = 104;
constexpr int kLayerCount = 16;
constexpr int kNoAlignment = 7;  // bottom-left: the CAD program's default, needs no 72/73

struct LineType {
    const char* name;
    const char* description;
    int count;  // 73: number of dash items
    const char* length;
    const char* items[7];
};

// Only five are defined, but the table has always announced nine; CAD programs read on.
constexpr int kLineTypeTableCount = 9;
constexpr LineType kLineTypes[] = {
    {"CONTINUOUS", "Solid line", 0, "0.0", {}},
    {"HIDDEN", "__ __ __ __ __ __ __ __ __ __ __ __ __ __ __ __", 5, "8.0", {"1.0", "-2.0", "2.0", "-2.0", "1.0"}},
    {"DOT", ". . . . . . . . . . . . . . . . . . . . . . . .", 3, "1.6", {"0.4", "-0.8", "0.4"}},
    {"CENTER", "____ _ ____ _ ____ _ ____ _ ____ _ ____ _ ____ ", 5, "12.0", {"5.0", "-0.8", "0.4", "-0.8", "5.0"}},
    {"DIVIDE",
     "____ . . ____ . . ____ . . ____ . . ____ . . __",
     7,
     "13.2",
     {"5.0", "-0.8", "0.4", "-0.8", "0.4", "-0.8", "5.0"}},
};

bool validBase(int n) { return n >= 1 && n <= 9; }
int hor(int c) { return (c - 1) % 3; }        // 0 left, 1 centre, 2 right
int ver(int c) { return 3 - (c - 1) / 3; }    // 3 top, 2 middle, 1 bottom

// Exact values on the quarter turns, so a vertical label does not drift by 1e-13.
void sinCosDeg(double deg, double& s, double& c)
{
    double q = deg / 90.0;
    if (q == std::trunc(q) && std::fabs(q) < 1e9) {
        static constexpr double kSin[] = {0, 1, 0, -1};
        static constexpr double kCos[] = {1, 0, -1, 0};
        auto k = static_cast<long long>(q) % 4;
        if (k < 0) k += 4;
        s = kSin[k];
        c = kCos[k];
        return;
    }
    const double rad = deg * 3.14159265358979323846 / 180.0;
    s = std::sin(rad);
    c = std::cos(rad);
}

// A line break inside a value would end the group early and break the file's structure.
std::string withoutControls(std::string s)
{
    for (char& ch : s)
        if (static_cast<unsigned char>(ch) < 0x20) ch = ' ';
    return s;
}

void appendInt(std::string& out, int v)
{
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void writePreamble(TagWriter& t, const DxfExtents& e)
{
    t.group(0, "SECTION");
    t.group(2, "HEADER");
    t.group(9, "$ACADVER");
    t.group(1, "AC1009");
    // Readers otherwise guess the code page of the Japanese texts.
    t.group(9, "$DWGCODEPAGE");
    t.group(3, "ANSI_932");
    t.group(9, "$INSBASE");
    t.group(10, "0");
    t.group(20, "0");
    t.group(30, "0");
    t.group(9, "$EXTMIN");
    t.group(10, e.extMin.x);
    t.group(20, e.extMin.y);
    t.group(9, "$EXTMAX");
    t.group(10, e.extMax.x);
    t.group(20, e.extMax.y);
    t.group(9, "$LIMMIN");
    t.group(10, e.limMin.x);
    t.group(20, e.limMin.y);
    t.group(9, "$LIMMAX");
    t.group(10, e.limMax.x);
    t.group(20, e.limMax.y);
    t.group(9, "$LTSCALE");
    t.group(40, "4");
    t.group(0, "ENDSEC");

    t.group(0, "SECTION");
    t.group(2, "TABLES");

    t.group(0, "TABLE");
    t.group(2, "VPORT");
    t.group(70, 1);
    t.group(0, "VPORT");
    t.group(2, "*ACTIVE");
    t.group(70, 0);
    t.group(10, "0.0");
    t.group(20, "0.0");
    t.group(11, "1.0");
    t.group(21, "1.0");
    t.group(12, (e.extMin.x + e.extMax.x) / 2);
    t.group(22, (e.extMin.y + e.extMax.y) / 2);
    t.group(13, "0.0");
    t.group(23, "0.0");
    t.group(14, "1000.0");
    t.group(24, "1000.0");
    t.group(15, "1000.0");
    t.group(25, "1000.0");
    t.group(16, "0.0");
    t.group(26, "0.0");
    t.group(36, "1.0");
    t.group(17, "0.0");
    t.group(27, "0.0");
    t.group(37, "0.0");
    t.group(40, "23760.0");
    t.group(41, "1.414141");
    t.group(42, "50.0");
    t.group(43, "0.0");
    t.group(44, "0.0");
    t.group(50, "0.0");
    t.group(51, "0.0");
    t.group(71, 0);
    t.group(72, 100);
    t.group(73, 1);
    t.group(74, 1);
    t.group(75, 0);
    t.group(76, 0);
    t.group(77, 0);
    t.group(78, 0);
    t.group(0, "ENDTAB");

    t.group(0, "TABLE");
    t.group(2, "LTYPE");
    t.group(70, kLineTypeTableCount);
    for (const LineType& lt : kLineTypes) {
        t.group(0, "LTYPE");
        t.group(2, lt.name);
        t.group(70, 64);
        t.group(3, lt.description);
        t.group(72, 65);
        t.group(73, lt.count);
        t.group(40, lt.length);
        for (int i = 0; i < lt.count; ++i) t.group(49, lt.items[i]);
    }
    t.group(0, "ENDTAB");

    t.group(0, "TABLE");
    t.group(2, "LAYER");
    t.group(70, kLayerCount);
    for (int n = 0; n < kLayerCount; ++n) {
        std::string name;
        appendInt(name, n);
        t.group(0, "LAYER");
        t.group(2, name);
        t.group(70, 0);
        t.group(62, 7);
        t.group(6, "CONTINUOUS");
    }
    t.group(0, "ENDTAB");

    t.group(0, "TABLE");
    t.group(2, "STYLE");
    t.group(70, 1);
    t.group(0, "STYLE");
    t.group(2, "STANDARD");
    t.group(70, 0);
    t.group(40, "0.0");
    t.group(41, "1.0");
    t.group(50, "0.0");
    t.group(71, 0);
    t.group(42, "0.0");
    t.group(3, "txt");
    t.group(4, "extfont.shx");
    t.group(0, "ENDTAB");

    t.group(0, "ENDSEC");
    t.group(0, "SECTION");
    t.group(2, "BLOCKS");
    t.group(0, "ENDSEC");
    t.group(0, "SECTION");
    t.group(2, "ENTITIES");
}

void writeHead(TagWriter& t, const char* entity, const char* lineType, int colour, uint32_t handle,
               std::string_view layer)
{
    t.group(0, entity);
    t.group(8, layer);
    t.group(6, lineType);
    t.group(62, dxfColour(colour));
    t.groupHandle(5, handle);
}

// True when the element produced an entity.
bool writeElement(TagWriter& t, const model::Element& e, uint32_t handle)
{
    const char* lineType = dxfLineType(e.kind);
    if (!lineType) return false;
    char layer[16];
    auto r = std::to_chars(layer, layer + sizeof layer, e.LY);
    const std::string_view layerText(layer, static_cast<size_t>(r.ptr - layer));
    if (e.kind == model::kind::CIRCLE || e.kind == model::kind::ARC) {
        writeHead(t, e.kind == model::kind::CIRCLE ? "CIRCLE" : "ARC", lineType, e.CL, handle, layerText);
        t.group(10, e.X1);
        t.group(20, e.Y1);
        t.group(30, "0.0");
        t.group(40, e.X2);
        if (e.kind == model::kind::ARC) {
            t.group(50, e.Z1);
            t.group(51, e.Z2);
        }
        return true;
    }
    writeHead(t, "LINE", lineType, e.CL, handle, layerText);
    t.group(10, e.X1);
    t.group(20, e.Y1);
    t.group(30, "0.0");
    t.group(11, e.X2);
    t.group(21, e.Y2);
    t.group(31, "0.0");
    return true;
}

void writeText(TagWriter& t, const model::Moji& m, const TextOptions& options, uint32_t handle)
{
    // An alignment outside the keypad has no defined point: treat it as bottom-left.
    const int g = validBase(options.dxfBase) ? options.dxfBase : kNoAlignment;
    const int n = validBase(m.nBase) ? m.nBase : kNoAlignment;
    const double h = m.height;
    const double length = h * options.mojiRatio * static_cast<double>(model::cp932Length(m.text));
    const double dx = (hor(g) - hor(n)) * length / 2;
    const double dy = (ver(g) - ver(n)) * h / 2;
    double px = m.x;
    double py = m.y;
    if (dx != 0 || dy != 0) {
        double s = 0;
        double c = 1;
        sinCosDeg(m.angle, s, c);
        px = m.x + dx * c - dy * s;
        py = m.y + dx * s + dy * c;
    }
    const std::string layer = withoutControls(m.layer);
    writeHead(t, "TEXT", "CONTINUOUS", m.colour, handle, layer.empty() ? std::string_view("0") : layer);
    t.group(10, px);
    t.group(20, py);
    t.group(30, "0.0");
    if (g != kNoAlignment) {
        t.groupPlain(72, hor(g));
        t.groupPlain(73, ver(g));
    }
    t.group(11, px);
    t.group(21, py);
    t.group(31, "0.0");
    t.group(40, h);
    t.group(41, options.mojiRatio);
    t.group(7, "STANDARD");
    t.group(50, m.angle);
    t.group(1, withoutControls(model::utf8ToCp932Escaped(m.text)));
}

}  // namespace

TextOptions textOptions(const settings::Settings& s) { return {s.draft.DXFnBASE, s.draft.MojiRatio}; }

int dxfColour(int colour)
{
    switch (colour) {
    case 0x000000: return 7;
    case 0x0000FF: return 1;
    case 0x00FFFF: return 2;
    case 0x008000: return 3;
    case 0xFFFF00: return 4;
    case 0xFF0000: return 5;
    case 0x800080: return 6;
    default: return 8;
    }
}

const char* dxfLineType(int kind)
{
    switch (kind) {
    case model::kind::LINE: return "CONTINUOUS";
    // Dashed lines have their line type in the table; leaving them out would lose lines.
    case model::kind::DASHLINE: return "HIDDEN";
    case model::kind::DOTLINE: return "DOT";
    case model::kind::DASHDOT: return "CENTER";
    case kDivideKind: return "DIVIDE";
    case model::kind::CIRCLE: return "CONTINUOUS";
    case model::kind::ARC: return "CONTINUOUS";
    default: return nullptr;
    }
}

std::string dxfFileName(const std::string& name)
{
    static constexpr std::string_view kExt = ".dxf";
    if (name.size() >= kExt.size()) {
        bool same = true;
        for (size_t i = 0; i < kExt.size(); ++i)
            same = same && std::tolower(static_cast<unsigned char>(name[name.size() - kExt.size() + i])) == kExt[i];
        if (same) return name;
    }
    return name + std::string(kExt);
}

bool updateExtents(const model::ElementStore& store, DxfExtents& extents)
{
    double minX = 1.7e308, minY = 1.7e308, maxX = -1.7e308, maxY = -1.7e308;
    bool found = false;
    auto take = [&](double x, double y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        found = true;
    };
    for (int c = -1; store.nextLive(c);) {
        const model::Element& e = store.at(c);
        if (e.kind == model::kind::RESERVED) break;
        if (e.kind == model::kind::CIRCLE || e.kind == model::kind::ARC) {
            // X2 of a circle is its radius, not a point: bound the whole circle instead.
            const double r = std::fabs(e.X2);
            take(e.X1 - r, e.Y1 - r);
            take(e.X1 + r, e.Y1 + r);
        } else if (e.kind == model::kind::FLOOR || e.kind == model::kind::TURTLE) {
            for (int k = c + 1; k <= c + e.ndata - 1 && k < store.count(); ++k) {
                take(store.at(k).X1, store.at(k).Y1);
                take(store.at(k).X2, store.at(k).Y2);
            }
        } else {
            take(e.X1, e.Y1);
            take(e.X2, e.Y2);
        }
    }
    if (!found) return false;
    extents.extMin = extents.limMin = {minX, minY};
    extents.extMax = extents.limMax = {maxX, maxY};
    return true;
}

std::string dxfBytes(const model::ElementStore& store, const model::TextBuffer& texts, const TextOptions& options,
                     DxfExtents& extents)
{
    updateExtents(store, extents);
    std::string out;
    // Generous, so the buffer is never copied while it grows: untouched pages cost nothing.
    out.reserve(8192 + static_cast<size_t>(store.count()) * 192 + static_cast<size_t>(texts.count()) * 256);
    TagWriter t(out);
    writePreamble(t, extents);
    uint32_t handle = kFirstHandle;
    for (int c = -1; store.nextLive(c);)
        if (writeElement(t, store.at(c), handle)) ++handle;
    for (const model::Moji& m : texts.entries()) writeText(t, m, options, handle++);
    t.group(0, "ENDSEC");
    t.group(0, "EOF");
    t.flush();
    return out;
}

model::FileResult WriteDxf(const std::string& fileName, const model::ElementStore& store,
                           const model::TextBuffer& texts, const settings::Settings& settings, DxfExtents& extents)
{
    if (fileName.empty()) return {false, "DXF: ファイル名がありません"};
    DxfExtents next = extents;
    model::FileResult r = model::writeFileAtomically(fileName, dxfBytes(store, texts, textOptions(settings), next));
    if (r.ok) extents = next;
    return r;
}

model::FileResult WriteDxf(const std::string& fileName, const model::ElementStore& store,
                           const model::TextBuffer& texts, const settings::Settings& settings)
{
    DxfExtents fresh;
    return WriteDxf(fileName, store, texts, settings, fresh);
}

model::FileResult WriteDxf(const std::string& fileName, const model::Session& session, DxfExtents& extents)
{
    return WriteDxf(fileName, session.store, session.texts, session.settings, extents);
}

}  // namespace dxf
