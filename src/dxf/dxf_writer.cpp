// SPDX-License-Identifier: GPL-3.0-or-later
#include "dxf/dxf_writer.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <initializer_list>

#include "dxf/dxf_tags.h"
#include "model/element_store.h"
#include "model/encoding.h"
#include "model/safe_file.h"
#include "model/text_buffer.h"
#include "session/session.h"
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

// One group of a fixed run: a literal value, or an integer written by the integer rules.
struct Fixed {
    constexpr Fixed(int c, const char* v) : code(c), text(v) {}
    constexpr Fixed(int c, int v) : code(c), number(v) {}
    int code;
    const char* text = nullptr;
    int number = 0;
};

void groups(TagWriter& t, std::initializer_list<Fixed> run)
{
    for (const Fixed& g : run) {
        if (g.text)
            t.group(g.code, g.text);
        else
            t.group(g.code, g.number);
    }
}

// A header variable holding a 2D point.
void pointVariable(TagWriter& t, const char* name, const model::Point& p)
{
    t.group(9, name);
    t.group(10, p.x);
    t.group(20, p.y);
}

// A point in the plane z = 0 under the codes base, base + 10 and base + 20.
void flatPoint(TagWriter& t, int base, double x, double y)
{
    t.group(base, x);
    t.group(base + 10, y);
    t.group(base + 20, "0.0");
}

void tableHead(TagWriter& t, const char* name, int count)
{
    groups(t, {{0, "TABLE"}, {2, name}, {70, count}});
}

void writePreamble(TagWriter& t, const DxfExtents& e)
{
    groups(t, {{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"},
               // Readers otherwise guess the code page of the Japanese texts.
               {9, "$DWGCODEPAGE"}, {3, "ANSI_932"},
               {9, "$INSBASE"}, {10, "0"}, {20, "0"}, {30, "0"}});
    pointVariable(t, "$EXTMIN", e.extMin);
    pointVariable(t, "$EXTMAX", e.extMax);
    pointVariable(t, "$LIMMIN", e.limMin);
    pointVariable(t, "$LIMMAX", e.limMax);
    groups(t, {{9, "$LTSCALE"}, {40, "4"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "TABLES"}});

    tableHead(t, "VPORT", 1);
    groups(t, {{0, "VPORT"}, {2, "*ACTIVE"}, {70, 0}, {10, "0.0"}, {20, "0.0"}, {11, "1.0"}, {21, "1.0"}});
    t.group(12, (e.extMin.x + e.extMax.x) / 2);
    t.group(22, (e.extMin.y + e.extMax.y) / 2);
    groups(t, {{13, "0.0"}, {23, "0.0"}, {14, "1000.0"}, {24, "1000.0"}, {15, "1000.0"}, {25, "1000.0"},
               {16, "0.0"}, {26, "0.0"}, {36, "1.0"}, {17, "0.0"}, {27, "0.0"}, {37, "0.0"},
               {40, "23760.0"}, {41, "1.414141"}, {42, "50.0"}, {43, "0.0"}, {44, "0.0"}, {50, "0.0"},
               {51, "0.0"}, {71, 0}, {72, 100}, {73, 1}, {74, 1}, {75, 0}, {76, 0}, {77, 0}, {78, 0},
               {0, "ENDTAB"}});

    tableHead(t, "LTYPE", kLineTypeTableCount);
    for (const LineType& lt : kLineTypes) {
        groups(t, {{0, "LTYPE"}, {2, lt.name}, {70, 64}, {3, lt.description}, {72, 65}, {73, lt.count},
                   {40, lt.length}});
        for (int i = 0; i < lt.count; ++i) t.group(49, lt.items[i]);
    }
    t.group(0, "ENDTAB");

    tableHead(t, "LAYER", kLayerCount);
    for (int n = 0; n < kLayerCount; ++n) {
        std::string name;
        appendInt(name, n);
        t.group(0, "LAYER");
        t.group(2, name);
        groups(t, {{70, 0}, {62, 7}, {6, "CONTINUOUS"}});
    }
    t.group(0, "ENDTAB");

    tableHead(t, "STYLE", 1);
    groups(t, {{0, "STYLE"}, {2, "STANDARD"}, {70, 0}, {40, "0.0"}, {41, "1.0"}, {50, "0.0"}, {71, 0},
               {42, "0.0"}, {3, "txt"}, {4, "extfont.shx"}, {0, "ENDTAB"},
               {0, "ENDSEC"}, {0, "SECTION"}, {2, "BLOCKS"}, {0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}});
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
        flatPoint(t, 10, e.X1, e.Y1);
        t.group(40, e.X2);
        if (e.kind == model::kind::ARC) {
            t.group(50, e.Z1);
            t.group(51, e.Z2);
        }
        return true;
    }
    writeHead(t, "LINE", lineType, e.CL, handle, layerText);
    flatPoint(t, 10, e.X1, e.Y1);
    flatPoint(t, 11, e.X2, e.Y2);
    return true;
}

void writeText(TagWriter& t, const model::Moji& m, const TextOptions& options, uint32_t handle)
{
    const int g = validBase(options.dxfBase) ? options.dxfBase : kNoAlignment;
    const model::Point p = dxfTextPoint(m, options);
    const double px = p.x, py = p.y, h = m.height;
    const std::string layer = withoutControls(m.layer);
    writeHead(t, "TEXT", "CONTINUOUS", m.colour, handle, layer.empty() ? std::string_view("0") : layer);
    flatPoint(t, 10, px, py);
    if (g != kNoAlignment) {
        t.groupPlain(72, hor(g));
        t.groupPlain(73, ver(g));
    }
    flatPoint(t, 11, px, py);
    t.group(40, h);
    t.group(41, options.mojiRatio);
    t.group(7, "STANDARD");
    t.group(50, m.angle);
    t.group(1, withoutControls(model::utf8ToCp932Escaped(m.text)));
}

}  // namespace

model::Point dxfTextPoint(const model::Moji& m, const TextOptions& options)
{
    // An alignment outside the keypad has no defined point: treat it as bottom-left.
    const int g = validBase(options.dxfBase) ? options.dxfBase : kNoAlignment;
    const int n = validBase(m.nBase) ? m.nBase : kNoAlignment;
    const double h = m.height;
    const double dx = (hor(g) - hor(n)) * dxfTextLength(m, options) / 2;
    const double dy = (ver(g) - ver(n)) * h / 2;
    if (dx == 0 && dy == 0) return {m.x, m.y};
    double s = 0;
    double c = 1;
    sinCosDeg(m.angle, s, c);
    return {m.x + dx * c - dy * s, m.y + dx * s + dy * c};
}

double dxfTextLength(const model::Moji& m, const TextOptions& options)
{
    return m.height * options.mojiRatio * static_cast<double>(model::cp932Length(m.text));
}

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
            for (int k = c + 1, last = store.lastRecordOf(c); k <= last; ++k) {
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

void writeDxfTo(TagWriter& t, const model::ElementStore& store, const model::TextBuffer& texts,
                const TextOptions& options, DxfExtents& extents)
{
    updateExtents(store, extents);
    writePreamble(t, extents);
    uint32_t handle = kFirstHandle;
    for (int c = -1; store.nextLive(c);)
        if (writeElement(t, store.at(c), handle)) ++handle;
    for (const model::Moji& m : texts.entries()) writeText(t, m, options, handle++);
    t.group(0, "ENDSEC");
    t.group(0, "EOF");
    t.flush();
}

std::string dxfBytes(const model::ElementStore& store, const model::TextBuffer& texts, const TextOptions& options,
                     DxfExtents& extents)
{
    std::string out;
    // Generous, so the buffer is never copied while it grows: untouched pages cost nothing.
    out.reserve(8192 + static_cast<size_t>(store.count()) * 192 + static_cast<size_t>(texts.count()) * 256);
    TagWriter t(out);
    writeDxfTo(t, store, texts, options, extents);
    return out;
}

namespace {

// A failed write is remembered by the file writer and reported by its commit.
class FileSink : public ByteSink {
public:
    explicit FileSink(model::SafeFileWriter& file) : file_(file) {}
    void put(std::string_view bytes) override { file_.write(bytes); }

private:
    model::SafeFileWriter& file_;
};

}  // namespace

model::FileResult WriteDxf(const std::string& fileName, const model::ElementStore& store,
                           const model::TextBuffer& texts, const settings::Settings& settings, DxfExtents& extents)
{
    if (fileName.empty()) return {false, "DXF: ファイル名がありません"};
    model::SafeFileWriter file;
    if (model::FileResult r = file.open(fileName); !r.ok) return r;
    DxfExtents next = extents;
    {
        FileSink sink(file);
        TagWriter t(sink);
        writeDxfTo(t, store, texts, textOptions(settings), next);
    }
    model::FileResult r = file.commit();
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
