// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf/truetype_subset.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

namespace pdf {

namespace {

// Big-endian reads at an offset; each one fails instead of reading past the end.
class Reader {
public:
    explicit Reader(std::string_view data) : data_(data) {}

    size_t size() const { return data_.size(); }
    bool has(size_t at, size_t count) const
    {
        return at <= data_.size() && count <= data_.size() - at;
    }
    bool u16(size_t at, uint16_t& v) const
    {
        if (!has(at, 2)) return false;
        v = static_cast<uint16_t>((byte(at) << 8) | byte(at + 1));
        return true;
    }
    bool i16(size_t at, int16_t& v) const
    {
        uint16_t u = 0;
        if (!u16(at, u)) return false;
        v = static_cast<int16_t>(u);
        return true;
    }
    bool u32(size_t at, uint32_t& v) const
    {
        if (!has(at, 4)) return false;
        v = (uint32_t{byte(at)} << 24) | (uint32_t{byte(at + 1)} << 16) |
            (uint32_t{byte(at + 2)} << 8) | uint32_t{byte(at + 3)};
        return true;
    }

private:
    uint8_t byte(size_t at) const { return static_cast<uint8_t>(data_[at]); }
    std::string_view data_;
};

void put16(std::string& out, uint16_t v)
{
    out.push_back(static_cast<char>(v >> 8));
    out.push_back(static_cast<char>(v & 0xFF));
}

void put32(std::string& out, uint32_t v)
{
    put16(out, static_cast<uint16_t>(v >> 16));
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
}

// Callers only patch fields whose table size they have already checked.
void set16(std::string& out, size_t at, uint16_t v)
{
    out[at] = static_cast<char>(v >> 8);
    out[at + 1] = static_cast<char>(v & 0xFF);
}

void set32(std::string& out, size_t at, uint32_t v)
{
    set16(out, at, static_cast<uint16_t>(v >> 16));
    set16(out, at + 2, static_cast<uint16_t>(v & 0xFFFF));
}

uint32_t checksum(std::string_view bytes)
{
    uint32_t sum = 0;
    size_t i = 0;
    for (; i + 4 <= bytes.size(); i += 4) {
        sum += (uint32_t{static_cast<uint8_t>(bytes[i])} << 24) |
               (uint32_t{static_cast<uint8_t>(bytes[i + 1])} << 16) |
               (uint32_t{static_cast<uint8_t>(bytes[i + 2])} << 8) |
               uint32_t{static_cast<uint8_t>(bytes[i + 3])};
    }
    uint32_t last = 0;
    for (size_t k = 0; i + k < bytes.size(); ++k)
        last |= uint32_t{static_cast<uint8_t>(bytes[i + k])} << (24 - 8 * k);
    return sum + last;
}

void padTo4(std::string& s)
{
    while (s.size() % 4 != 0) s.push_back('\0');
}

std::string tagName(uint32_t tag)
{
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) s.push_back(static_cast<char>((tag >> shift) & 0xFF));
    return s;
}

const std::string* findTable(const FontTables& tables, const char* tag)
{
    const auto it = tables.find(tag);
    return it == tables.end() ? nullptr : &it->second;
}

// ---- cmap ----

// Format 4 holds the Basic Multilingual Plane only, as segments with a delta or an index array.
uint16_t lookupFormat4(const Reader& r, char32_t c)
{
    if (c > 0xFFFF) return 0;
    uint16_t segX2 = 0;
    if (!r.u16(6, segX2) || segX2 < 2) return 0;
    const size_t segCount = segX2 / 2;
    const size_t endAt = 14;
    const size_t startAt = endAt + segX2 + 2;
    const size_t deltaAt = startAt + segX2;
    const size_t rangeAt = deltaAt + segX2;
    // The first segment whose end is at or above c.
    size_t lo = 0, hi = segCount;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        uint16_t end = 0;
        if (!r.u16(endAt + 2 * mid, end)) return 0;
        if (end < c)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == segCount) return 0;
    uint16_t start = 0, delta = 0, rangeOffset = 0;
    if (!r.u16(startAt + 2 * lo, start) || !r.u16(deltaAt + 2 * lo, delta) ||
        !r.u16(rangeAt + 2 * lo, rangeOffset))
        return 0;
    if (c < start) return 0;
    if (rangeOffset == 0) return static_cast<uint16_t>(c + delta);
    // The offset counts from the idRangeOffset entry itself into the glyph index array.
    const size_t at = rangeAt + 2 * lo + rangeOffset + 2 * (c - start);
    uint16_t glyph = 0;
    if (!r.u16(at, glyph) || glyph == 0) return 0;
    return static_cast<uint16_t>(glyph + delta);
}

// Format 12: sorted groups of consecutive code points mapping to consecutive glyphs.
uint16_t lookupFormat12(const Reader& r, char32_t c)
{
    uint32_t groups = 0;
    if (!r.u32(12, groups)) return 0;
    size_t lo = 0, hi = groups;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        const size_t at = 16 + 12 * mid;
        uint32_t first = 0, last = 0, glyph = 0;
        if (!r.u32(at, first) || !r.u32(at + 4, last) || !r.u32(at + 8, glyph)) return 0;
        if (c < first)
            hi = mid;
        else if (c > last)
            lo = mid + 1;
        else {
            const uint32_t g = glyph + (c - first);
            return g > 0xFFFF || g < glyph ? 0 : static_cast<uint16_t>(g);
        }
    }
    return 0;
}

// ---- glyf ----

struct GlyphLocator {
    Reader loca;
    bool longOffsets = false;
    size_t glyfSize = 0;

    std::string range(uint16_t glyph, size_t& start, size_t& end) const
    {
        if (longOffsets) {
            uint32_t a = 0, b = 0;
            if (!loca.u32(4 * size_t{glyph}, a) || !loca.u32(4 * size_t{glyph} + 4, b))
                return "font table 'loca' is truncated";
            start = a;
            end = b;
        } else {
            uint16_t a = 0, b = 0;
            if (!loca.u16(2 * size_t{glyph}, a) || !loca.u16(2 * size_t{glyph} + 2, b))
                return "font table 'loca' is truncated";
            start = 2 * size_t{a};
            end = 2 * size_t{b};
        }
        if (start > end || end > glyfSize)
            return "font table 'loca' is inconsistent at glyph " + std::to_string(glyph) +
                   " (offsets " + std::to_string(start) + ".." + std::to_string(end) +
                   ", glyf has " + std::to_string(glyfSize) + " bytes)";
        return {};
    }
};

// Where a composite glyph names its components: the byte offset of each glyph index field.
struct ComponentRef {
    size_t at = 0;
    uint16_t glyph = 0;
};

std::string findComponents(std::string_view data, uint16_t glyph, std::vector<ComponentRef>& refs)
{
    refs.clear();
    if (data.empty()) return {}; // an empty outline (space)
    const Reader r(data);
    int16_t contours = 0;
    if (data.size() < 10 || !r.i16(0, contours))
        return "glyph " + std::to_string(glyph) + " is truncated";
    if (contours >= 0) return {};

    constexpr uint16_t kArgsAreWords = 0x0001;
    constexpr uint16_t kHaveScale = 0x0008;
    constexpr uint16_t kMoreComponents = 0x0020;
    constexpr uint16_t kHaveXYScale = 0x0040;
    constexpr uint16_t kHaveTwoByTwo = 0x0080;
    size_t at = 10;
    uint16_t flags = 0;
    do {
        uint16_t component = 0;
        if (!r.u16(at, flags) || !r.u16(at + 2, component))
            return "composite glyph " + std::to_string(glyph) + " is truncated";
        refs.push_back({at + 2, component});
        at += 4;
        at += (flags & kArgsAreWords) ? 4 : 2;
        if (flags & kHaveScale)
            at += 2;
        else if (flags & kHaveXYScale)
            at += 4;
        else if (flags & kHaveTwoByTwo)
            at += 8;
        if (at > data.size()) return "composite glyph " + std::to_string(glyph) + " is truncated";
    } while (flags & kMoreComponents);
    return {};
}

// The sfnt wrapper around finished tables: directory sorted by tag, each table 4-byte aligned,
// head's checkSumAdjustment set last so that the whole file sums to the fixed constant.
std::string writeFontFile(FontTables tables)
{
    const auto head = tables.find("head");
    set32(head->second, 8, 0);

    const uint16_t count = static_cast<uint16_t>(tables.size());
    uint16_t power = 1, log2 = 0;
    while (power * 2 <= count) {
        power = static_cast<uint16_t>(power * 2);
        ++log2;
    }
    std::string file;
    put32(file, 0x00010000);
    put16(file, count);
    put16(file, static_cast<uint16_t>(power * 16));
    put16(file, log2);
    put16(file, static_cast<uint16_t>(count * 16 - power * 16));

    size_t offset = 12 + 16 * size_t{count};
    size_t headOffset = 0;
    for (const auto& [tag, data] : tables) { // std::map keeps the tags sorted
        file.append(tag);
        put32(file, checksum(data));
        put32(file, static_cast<uint32_t>(offset));
        put32(file, static_cast<uint32_t>(data.size()));
        if (tag == "head") headOffset = offset;
        offset += (data.size() + 3) / 4 * 4;
    }
    for (const auto& entry : tables) {
        file.append(entry.second);
        padTo4(file);
    }
    set32(file, headOffset + 8, 0xB1B0AFBA - checksum(file));
    return file;
}

} // namespace

std::string readFontTables(const std::string& fileBytes, FontTables& out)
{
    const Reader r(fileBytes);
    uint32_t version = 0;
    uint16_t count = 0;
    if (!r.u32(0, version) || !r.u16(4, count)) return "font file is truncated (no table directory)";
    if (version == 0x74746366) return "TrueType collections (.ttc) are not supported";
    if (version == 0x4F54544F) return "font has PostScript (CFF) outlines, not TrueType glyphs";
    if (version != 0x00010000 && version != 0x74727565) return "not a TrueType font file";

    FontTables tables;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 12 + 16 * i;
        uint32_t tag = 0, offset = 0, length = 0;
        if (!r.u32(at, tag) || !r.u32(at + 8, offset) || !r.u32(at + 12, length))
            return "font file is truncated (table directory)";
        if (!r.has(offset, length))
            return "font table '" + tagName(tag) + "' lies beyond the end of the file";
        if (!tables.emplace(tagName(tag), fileBytes.substr(offset, length)).second)
            return "font table '" + tagName(tag) + "' appears twice";
    }
    out = std::move(tables);
    return {};
}

uint16_t glyphForCodePoint(const FontTables& tables, char32_t codePoint)
{
    const std::string* cmap = findTable(tables, "cmap");
    if (!cmap) return 0;
    const Reader r(*cmap);
    uint16_t count = 0;
    if (!r.u16(2, count)) return 0;

    // Wanted subtables, the full-Unicode format 12 first so that it wins over format 4.
    std::array<std::vector<uint32_t>, 2> byFormat; // [0]: format 12, [1]: format 4
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 4 + 8 * i;
        uint16_t platform = 0, encoding = 0, format = 0;
        uint32_t offset = 0;
        if (!r.u16(at, platform) || !r.u16(at + 2, encoding) || !r.u32(at + 4, offset)) break;
        const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
        if (!unicode || !r.u16(offset, format)) continue;
        if (format == 12) byFormat[0].push_back(offset);
        if (format == 4) byFormat[1].push_back(offset);
    }

    uint16_t numGlyphs = 0xFFFF;
    if (const std::string* maxp = findTable(tables, "maxp")) Reader(*maxp).u16(4, numGlyphs);

    for (size_t f = 0; f < byFormat.size(); ++f) {
        for (const uint32_t offset : byFormat[f]) {
            // Bounded by the cmap table rather than the subtable's own length field: large
            // format 4 tables are known to overflow that 16-bit field.
            const Reader sub(std::string_view(*cmap).substr(offset));
            const uint16_t g = f == 0 ? lookupFormat12(sub, codePoint) : lookupFormat4(sub, codePoint);
            if (g != 0 && g < numGlyphs) return g;
        }
    }
    return 0;
}

std::string postScriptName(const FontTables& tables)
{
    const std::string* name = findTable(tables, "name");
    if (!name) return {};
    const Reader r(*name);
    uint16_t count = 0, storage = 0;
    if (!r.u16(2, count) || !r.u16(4, storage)) return {};
    std::string best;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 6 + 12 * i;
        uint16_t platform = 0, nameId = 0, length = 0, offset = 0;
        if (!r.u16(at, platform) || !r.u16(at + 6, nameId) || !r.u16(at + 8, length) || !r.u16(at + 10, offset))
            return {};
        if (nameId != 6 || !r.has(size_t{storage} + offset, length)) continue;
        // Windows names are UTF-16BE, Macintosh ones single bytes; PostScript names are ASCII.
        const bool wide = platform == 3 || platform == 0;
        std::string text;
        for (size_t k = wide ? 1 : 0; k < length; k += wide ? 2 : 1) {
            const char c = (*name)[size_t{storage} + offset + k];
            if (c > 32 && c < 127 && c != '[' && c != ']' && c != '(' && c != ')' && c != '{' && c != '}' &&
                c != '<' && c != '>' && c != '/' && c != '%')
                text += c;
        }
        if (!text.empty() && (best.empty() || platform == 3)) best = text;
    }
    return best;
}

std::string subsetTrueType(const FontTables& tables, const std::vector<uint16_t>& glyphs,
                           FontSubset& out)
{
    for (const char* tag : {"head", "hhea", "maxp", "hmtx", "loca", "glyf"})
        if (!findTable(tables, tag)) return std::string("font has no '") + tag + "' table";
    const std::string& head = *findTable(tables, "head");
    const std::string& hhea = *findTable(tables, "hhea");
    const std::string& maxp = *findTable(tables, "maxp");
    const std::string& glyf = *findTable(tables, "glyf");
    const Reader headR(head), hheaR(hhea), maxpR(maxp), hmtxR(*findTable(tables, "hmtx"));

    if (head.size() < 54) return "font table 'head' is truncated";
    if (hhea.size() < 36) return "font table 'hhea' is truncated";
    if (maxp.size() < 6) return "font table 'maxp' is truncated";
    uint32_t magic = 0;
    uint16_t unitsPerEm = 0, numGlyphs = 0, numHMetrics = 0;
    int16_t xMin = 0, yMin = 0, xMax = 0, yMax = 0, locFormat = 0, ascent = 0, descent = 0;
    headR.u32(12, magic);
    headR.u16(18, unitsPerEm);
    headR.i16(36, xMin);
    headR.i16(38, yMin);
    headR.i16(40, xMax);
    headR.i16(42, yMax);
    headR.i16(50, locFormat);
    hheaR.i16(4, ascent);
    hheaR.i16(6, descent);
    hheaR.u16(34, numHMetrics);
    maxpR.u16(4, numGlyphs);
    if (magic != 0x5F0F3CF5) return "font table 'head' is corrupt (wrong magic number)";
    if (locFormat != 0 && locFormat != 1)
        return "font table 'head' has an unknown indexToLocFormat " + std::to_string(locFormat);
    if (numGlyphs == 0) return "font has no glyphs";
    if (numHMetrics == 0 || numHMetrics > numGlyphs)
        return "font table 'hhea' is inconsistent (numberOfHMetrics " + std::to_string(numHMetrics) +
               ", " + std::to_string(numGlyphs) + " glyphs)";
    if (!hmtxR.has(0, 4 * size_t{numHMetrics} + 2 * (size_t{numGlyphs} - numHMetrics)))
        return "font table 'hmtx' is truncated";
    const GlyphLocator locator{Reader(*findTable(tables, "loca")), locFormat == 1, glyf.size()};
    if (!locator.loca.has(0, (size_t{numGlyphs} + 1) * (locator.longOffsets ? 4 : 2)))
        return "font table 'loca' is truncated";

    // Subset id by original id; glyph 0 keeps its place so that missing characters show .notdef.
    std::vector<int> mapped(numGlyphs, -1);
    std::vector<uint16_t> order{0};
    mapped[0] = 0;
    auto add = [&](uint16_t g) {
        if (mapped[g] < 0) {
            mapped[g] = static_cast<int>(order.size());
            order.push_back(g);
        }
        return static_cast<uint16_t>(mapped[g]);
    };
    FontSubset result;
    result.newId.reserve(glyphs.size());
    for (const uint16_t g : glyphs) {
        if (g >= numGlyphs)
            return "glyph id " + std::to_string(g) + " is beyond the font's " +
                   std::to_string(numGlyphs) + " glyphs";
        result.newId.push_back(add(g));
    }
    // Components join at the end; walking the growing list also takes in nested composites,
    // and `mapped` keeps a glyph that names itself from looping.
    std::vector<std::vector<ComponentRef>> components;
    for (size_t i = 0; i < order.size(); ++i) {
        size_t start = 0, end = 0;
        if (std::string error = locator.range(order[i], start, end); !error.empty()) return error;
        std::vector<ComponentRef> refs;
        const std::string_view data = std::string_view(glyf).substr(start, end - start);
        if (std::string error = findComponents(data, order[i], refs); !error.empty()) return error;
        for (const ComponentRef& ref : refs) {
            if (ref.glyph >= numGlyphs)
                return "composite glyph " + std::to_string(order[i]) + " uses glyph " +
                       std::to_string(ref.glyph) + ", beyond the font's " +
                       std::to_string(numGlyphs) + " glyphs";
            add(ref.glyph);
        }
        components.push_back(std::move(refs));
    }

    std::string newGlyf, newHmtx;
    std::vector<size_t> offsets;
    for (size_t i = 0; i < order.size(); ++i) {
        const uint16_t g = order[i];
        size_t start = 0, end = 0;
        locator.range(g, start, end); // checked above
        offsets.push_back(newGlyf.size());
        const size_t at = newGlyf.size();
        newGlyf.append(glyf, start, end - start);
        for (const ComponentRef& ref : components[i])
            set16(newGlyf, at + ref.at, static_cast<uint16_t>(mapped[ref.glyph]));
        padTo4(newGlyf);

        // Glyphs past numberOfHMetrics share the last advance and keep their own side bearing.
        uint16_t advance = 0;
        int16_t lsb = 0;
        if (g < numHMetrics) {
            hmtxR.u16(4 * size_t{g}, advance);
            hmtxR.i16(4 * size_t{g} + 2, lsb);
        } else {
            hmtxR.u16(4 * (size_t{numHMetrics} - 1), advance);
            hmtxR.i16(4 * size_t{numHMetrics} + 2 * (size_t{g} - numHMetrics), lsb);
        }
        put16(newHmtx, advance);
        put16(newHmtx, static_cast<uint16_t>(lsb));
        result.advance.push_back(advance);
    }
    offsets.push_back(newGlyf.size());
    if (newGlyf.size() > 0xFFFFFFFFu) return "subset glyph data is too large for loca";

    // Short offsets (halved, 16-bit) whenever the glyphs fit: half the loca size.
    const bool longLoca = newGlyf.size() / 2 > 0xFFFF;
    std::string newLoca;
    for (const size_t offset : offsets) {
        if (longLoca)
            put32(newLoca, static_cast<uint32_t>(offset));
        else
            put16(newLoca, static_cast<uint16_t>(offset / 2));
    }

    const uint16_t count = static_cast<uint16_t>(order.size());
    FontTables outTables;
    outTables["head"] = head;
    set16(outTables["head"], 50, longLoca ? 1 : 0);
    outTables["hhea"] = hhea;
    set16(outTables["hhea"], 34, count);
    outTables["maxp"] = maxp;
    set16(outTables["maxp"], 4, count);
    outTables["hmtx"] = std::move(newHmtx);
    outTables["loca"] = std::move(newLoca);
    outTables["glyf"] = std::move(newGlyf);
    for (const char* tag : {"cvt ", "fpgm", "prep"})
        if (const std::string* t = findTable(tables, tag)) outTables[tag] = *t;

    result.ttf = writeFontFile(std::move(outTables));
    result.unitsPerEm = unitsPerEm;
    result.xMin = xMin;
    result.yMin = yMin;
    result.xMax = xMax;
    result.yMax = yMax;
    result.ascent = ascent;
    result.descent = descent;
    out = std::move(result);
    return {};
}

} // namespace pdf
