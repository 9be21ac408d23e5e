#include "pdf/pdf_document.h"

#include <algorithm>
#include <utility>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace pdf {

namespace {

void appendInt(std::string& out, long long v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

const char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The decimal digits of v (below 10^18) at out; returns their end.
char* formatWhole(char* out, unsigned long long v)
{
    int digits = 1;
    for (unsigned long long bound = 10; digits < 18 && v >= bound; bound *= 10) ++digits;
    char* const end = out + digits;
    char* d = end;
    while (v >= 100) {
        const unsigned pair = static_cast<unsigned>(v % 100) * 2;
        v /= 100;
        *--d = kPairs[pair + 1];
        *--d = kPairs[pair];
    }
    if (v >= 10) {
        *--d = kPairs[v * 2 + 1];
        *--d = kPairs[v * 2];
    } else {
        *--d = static_cast<char>('0' + v);
    }
    return end;
}

// Reals with two decimals at most, written without trailing zeros, into buf (at least 32
// chars); returns the end. Content coordinates are in 1/1200 inch, so a hundredth of that is
// far below anything a printer shows. Sheets write a million of them, most of them whole
// numbers, hence no to_chars here.
char* formatReal(char* buf, double v)
{
    char* out = buf;
    // Readers take integers up to 2^31 - 1; nothing on a sheet lies near that.
    constexpr double kLimit = 1e9;
    if (std::isnan(v)) v = 0;
    v = std::clamp(v, -kLimit, kLimit);
    if (v > -kLimit && v < kLimit) {
        const long long whole = static_cast<long long>(v);
        if (static_cast<double>(whole) == v) {
            if (whole < 0) *out++ = '-';
            return formatWhole(out, static_cast<unsigned long long>(whole < 0 ? -whole : whole));
        }
    }
    long long hundredths = static_cast<long long>(v * 100 + (v < 0 ? -0.5 : 0.5));
    if (hundredths < 0) {
        *out++ = '-';
        hundredths = -hundredths;
    }
    const unsigned frac = static_cast<unsigned>(hundredths % 100);
    out = formatWhole(out, static_cast<unsigned long long>(hundredths / 100));
    if (frac != 0) {
        *out++ = '.';
        *out++ = kPairs[frac * 2];
        if (frac % 10) *out++ = kPairs[frac * 2 + 1];
    }
    return out;
}

void appendReal(std::string& out, double v)
{
    char buf[32];
    out.append(buf, formatReal(buf, v));
}

const char kHex[] = "0123456789ABCDEF";

void appendHex4(std::string& out, unsigned v)
{
    out += kHex[(v >> 12) & 15];
    out += kHex[(v >> 8) & 15];
    out += kHex[(v >> 4) & 15];
    out += kHex[v & 15];
}

// UTF-8 to code points; a broken sequence becomes U+FFFD.
std::vector<char32_t> codePoints(const std::string& utf8)
{
    std::vector<char32_t> out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool ok = extra >= 0 && i + static_cast<size_t>(extra) < utf8.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const unsigned char n = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
            if ((n & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (n & 0x3F);
        }
        out.push_back(ok && cp <= 0x10FFFF ? cp : 0xFFFD);
        i += ok ? static_cast<size_t>(extra) + 1 : 1;
    }
    return out;
}

void appendUtf16Hex(std::string& out, char32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        appendHex4(out, 0xD800 + static_cast<unsigned>(cp >> 10));
        appendHex4(out, 0xDC00 + static_cast<unsigned>(cp & 0x3FF));
    } else {
        appendHex4(out, static_cast<unsigned>(cp));
    }
}

// Six capitals naming the subset, as readers expect before a subset font's name.
std::string subsetTag(const std::vector<uint16_t>& glyphs)
{
    uint32_t h = 2166136261u;
    for (uint16_t g : glyphs) h = (h ^ g) * 16777619u;
    std::string tag;
    for (int i = 0; i < 6; ++i, h /= 26) tag += static_cast<char>('A' + h % 26);
    return tag + "+";
}

// A PDF name of the face: letters, digits, '-' and '_' only.
std::string pdfName(const std::string& face)
{
    std::string out;
    for (char c : face)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_')
            out += c;
    return out.empty() ? "Font" : out;
}

// The file goes out in pieces: small objects are gathered in `out` and handed over before
// each large stream, which is handed over as it is.
class Writer {
    const std::function<void(std::string_view)>& write_;
    size_t flushed_ = 0;

public:
    std::string out;
    std::vector<size_t> offsets;  // by object number - 1

    Writer(const std::function<void(std::string_view)>& write, int objects)
        : write_(write), offsets(static_cast<size_t>(objects), 0)
    {
    }
    size_t position() const { return flushed_ + out.size(); }
    void flush()
    {
        if (out.empty()) return;
        write_(out);
        flushed_ += out.size();
        out.clear();
    }
    void begin(int object)
    {
        offsets[static_cast<size_t>(object - 1)] = position();
        appendInt(out, object);
        out += " 0 obj\n";
    }
    void end() { out += "\nendobj\n"; }
    void ref(int object)
    {
        appendInt(out, object);
        out += " 0 R";
    }
    void stream(int object, const std::string& dictionary, size_t length,
                const std::function<void(Writer&)>& data)
    {
        begin(object);
        out += "<< /Length ";
        appendInt(out, static_cast<long long>(length));
        out += dictionary;
        out += " >>\nstream\n";
        data(*this);
        out += "\nendstream";
        end();
    }
    void stream(int object, const std::string& dictionary, const std::string& data)
    {
        stream(object, dictionary, data.size(), [&data](Writer& w) { w.out += data; });
    }
    void stream(int object, const Content& content)
    {
        stream(object, "", content.size(), [&content](Writer& w) {
            w.flush();
            content.writeTo([&w](std::string_view piece) {
                w.write_(piece);
                w.flushed_ += piece.size();
            });
        });
    }
};

std::string toUnicodeMap(const std::vector<char32_t>& unicode)
{
    std::string m =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (size_t from = 0; from < unicode.size(); from += 100) {
        const size_t to = std::min(unicode.size(), from + 100);
        appendInt(m, static_cast<long long>(to - from));
        m += " beginbfchar\n";
        for (size_t i = from; i < to; ++i) {
            m += '<';
            appendHex4(m, static_cast<unsigned>(i + 1));
            m += "> <";
            appendUtf16Hex(m, unicode[i]);
            m += ">\n";
        }
        m += "endbfchar\n";
    }
    m += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend";
    return m;
}

}  // namespace

struct Content::Chunk {
    std::unique_ptr<char[]> bytes;
    size_t used = 0;
};

Content::Content() = default;

// The write position points into the chunks, so it moves with them and the source is emptied.
Content::Content(Content&& other) noexcept { *this = std::move(other); }

Content& Content::operator=(Content&& other) noexcept
{
    if (this != &other) {
        chunks_ = std::move(other.chunks_);
        at_ = std::exchange(other.at_, nullptr);
        end_ = std::exchange(other.end_, nullptr);
        other.chunks_.clear();
    }
    return *this;
}

Content::~Content() = default;

char* Content::room(size_t n)
{
    if (static_cast<size_t>(end_ - at_) >= n) return at_;
    if (!chunks_.empty()) chunks_.back().used = static_cast<size_t>(at_ - chunks_.back().bytes.get());
    // Small contents (a dash pattern) stay small; a page's grows a megabyte at a time.
    const size_t capacity = chunks_.empty() ? 256 : kChunk;
    chunks_.push_back({std::make_unique_for_overwrite<char[]>(capacity), 0});
    at_ = chunks_.back().bytes.get();
    end_ = at_ + capacity;
    return at_;
}

size_t Content::size() const
{
    size_t n = 0;
    for (size_t i = 0; i + 1 < chunks_.size(); ++i) n += chunks_[i].used;
    if (!chunks_.empty()) n += static_cast<size_t>(at_ - chunks_.back().bytes.get());
    return n;
}

void Content::writeTo(const std::function<void(std::string_view)>& write) const
{
    for (size_t i = 0; i < chunks_.size(); ++i) {
        const size_t used =
            i + 1 < chunks_.size() ? chunks_[i].used : static_cast<size_t>(at_ - chunks_[i].bytes.get());
        if (used) write(std::string_view(chunks_[i].bytes.get(), used));
    }
}

std::string Content::take()
{
    std::string out;
    out.reserve(size());
    writeTo([&out](std::string_view piece) { out += piece; });
    chunks_.clear();
    at_ = end_ = nullptr;
    return out;
}

Content& Content::num(double v)
{
    char* end = formatReal(room(32), v);
    *end++ = ' ';
    advance(end);
    return *this;
}

Content& Content::fraction(double v)
{
    // Six decimals keep an 8-bit colour component exact through a reader's arithmetic.
    const long long millionths = std::llround(std::clamp(v, 0.0, 1.0) * 1e6);
    char* out = room(16);
    if (millionths >= 1000000) {
        *out++ = '1';
    } else if (millionths == 0) {
        *out++ = '0';
    } else {
        *out++ = '0';
        *out++ = '.';
        long long rest = millionths;
        for (long long unit = 100000; unit > 0 && rest > 0; unit /= 10) {
            *out++ = static_cast<char>('0' + rest / unit);
            rest %= unit;
        }
    }
    *out++ = ' ';
    advance(out);
    return *this;
}

Content& Content::op(const char* text)
{
    // Operators are short; a longer text goes in pieces.
    for (size_t n = std::strlen(text); n > 0;) {
        const size_t piece = std::min(n, size_t(256));
        char* out = room(piece);
        std::memcpy(out, text, piece);
        advance(out + piece);
        text += piece;
        n -= piece;
    }
    return *this;
}

Content& Content::hexGlyphs(const std::vector<uint16_t>& ids)
{
    op("<");
    for (uint16_t id : ids) {
        char* out = room(4);
        for (int shift = 12; shift >= 0; shift -= 4) *out++ = kHex[(id >> shift) & 15];
        advance(out);
    }
    return op(">");
}

EmbeddedFont::EmbeddedFont(std::string baseName, FontTables tables)
    : baseName_(std::move(baseName)), tables_(std::move(tables))
{
}

uint16_t EmbeddedFont::code(uint16_t glyph, char32_t codePoint)
{
    if (glyph == 0) return 0;
    auto [it, added] = codes_.try_emplace(glyph, static_cast<uint16_t>(glyphs_.size() + 1));
    if (added) {
        // 65 535 glyphs are more than a font has: the font itself limits this.
        glyphs_.push_back(glyph);
        unicode_.push_back(codePoint);
    }
    return it->second;
}

Document::Document() = default;
Document::~Document() = default;

EmbeddedFont& Document::font(const std::string& baseName, FontTables tables)
{
    if (EmbeddedFont* f = findFont(baseName)) return *f;
    fonts_.push_back(std::make_unique<EmbeddedFont>(baseName, std::move(tables)));
    fonts_.back()->resource_ = "F" + std::to_string(fonts_.size());
    return *fonts_.back();
}

EmbeddedFont* Document::findFont(const std::string& baseName)
{
    for (auto& f : fonts_)
        if (f->baseName_ == baseName) return f.get();
    return nullptr;
}

void Document::addPage(double widthPt, double heightPt, Content content, std::vector<const EmbeddedFont*> fonts)
{
    pages_.push_back({widthPt, heightPt, std::move(content), std::move(fonts)});
}

std::string Document::finish(const std::string& title, const std::string& creator, std::string& out)
{
    out.clear();
    return finish(title, creator, [&out](std::string_view piece) { out += piece; });
}

std::string Document::finish(const std::string& title, const std::string& creator,
                             const std::function<void(std::string_view)>& write)
{
    if (pages_.empty()) return "the document has no page";
    // Subsets first: a font that cannot be embedded fails the file before anything is written.
    std::vector<FontSubset> subsets(fonts_.size());
    for (size_t i = 0; i < fonts_.size(); ++i) {
        const EmbeddedFont& f = *fonts_[i];
        if (std::string why = subsetTrueType(f.tables_, f.glyphs_, subsets[i]); !why.empty())
            return f.baseName_ + ": " + why;
        for (size_t k = 0; k < f.glyphs_.size(); ++k)
            if (k >= subsets[i].newId.size() || subsets[i].newId[k] != k + 1)
                return f.baseName_ + ": the font subset renumbered its glyphs unexpectedly";
    }

    // Objects: catalog, page tree, information, five per font, two per page.
    const int firstFont = 4;
    const int firstPage = firstFont + 5 * static_cast<int>(fonts_.size());
    const int objects = firstPage + 2 * static_cast<int>(pages_.size()) - 1;
    Writer w(write, objects);
    std::string& out = w.out;
    out += "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";

    w.begin(1);
    out += "<< /Type /Catalog /Pages ";
    w.ref(2);
    out += " >>";
    w.end();
    w.begin(2);
    out += "<< /Type /Pages /Count ";
    appendInt(out, static_cast<long long>(pages_.size()));
    out += " /Kids [";
    for (size_t i = 0; i < pages_.size(); ++i) {
        out += ' ';
        w.ref(firstPage + 2 * static_cast<int>(i));
    }
    out += " ] >>";
    w.end();
    w.begin(3);
    out += "<< /Title " + pdfTextString(title) + " /Creator " + pdfTextString(creator) + " /Producer " +
           pdfTextString(creator) + " >>";
    w.end();

    for (size_t i = 0; i < fonts_.size(); ++i) {
        const FontSubset& s = subsets[i];
        const int type0 = firstFont + 5 * static_cast<int>(i), cid = type0 + 1, descriptor = type0 + 2,
                  file = type0 + 3, toUnicode = type0 + 4;
        const std::string name = subsetTag(fonts_[i]->glyphs_) + pdfName(fonts_[i]->baseName_);
        const double em = s.unitsPerEm > 0 ? 1000.0 / s.unitsPerEm : 1;
        w.begin(type0);
        out += "<< /Type /Font /Subtype /Type0 /BaseFont /" + name + " /Encoding /Identity-H /DescendantFonts [";
        w.ref(cid);
        out += "] /ToUnicode ";
        w.ref(toUnicode);
        out += " >>";
        w.end();
        w.begin(cid);
        out += "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
               " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor ";
        w.ref(descriptor);
        out += " /CIDToGIDMap /Identity /DW 1000 /W [0 [";
        for (uint16_t a : s.advance) {
            out += ' ';
            appendReal(out, a * em);
        }
        out += " ]] >>";
        w.end();
        w.begin(descriptor);
        out += "<< /Type /FontDescriptor /FontName /" + name + " /Flags 4 /FontBBox [";
        for (int v : {s.xMin, s.yMin, s.xMax, s.yMax}) {
            out += ' ';
            appendReal(out, v * em);
        }
        out += " ] /ItalicAngle 0 /Ascent ";
        appendReal(out, s.ascent * em);
        out += " /Descent ";
        appendReal(out, s.descent * em);
        out += " /CapHeight ";
        appendReal(out, s.ascent * em);
        out += " /StemV 80 /FontFile2 ";
        w.ref(file);
        out += " >>";
        w.end();
        std::string length1 = " /Length1 ";
        appendInt(length1, static_cast<long long>(s.ttf.size()));
        w.stream(file, length1, s.ttf);
        w.stream(toUnicode, "", toUnicodeMap(fonts_[i]->unicode_));
    }

    for (size_t i = 0; i < pages_.size(); ++i) {
        const Page& p = pages_[i];
        const int page = firstPage + 2 * static_cast<int>(i), content = page + 1;
        w.begin(page);
        out += "<< /Type /Page /Parent ";
        w.ref(2);
        out += " /MediaBox [0 0 ";
        appendReal(out, p.width);
        out += ' ';
        appendReal(out, p.height);
        out += "] /Resources << /ProcSet [/PDF /Text] /Font <<";
        for (const EmbeddedFont* f : p.fonts) {
            const int index = static_cast<int>(std::find_if(fonts_.begin(), fonts_.end(),
                                                            [f](const auto& own) { return own.get() == f; }) -
                                               fonts_.begin());
            out += " /" + f->resource_ + ' ';
            w.ref(firstFont + 5 * index);
        }
        out += " >> >> /Contents ";
        w.ref(content);
        out += " >>";
        w.end();
        w.stream(content, p.content);
    }

    const size_t xref = w.position();
    out += "xref\n0 ";
    appendInt(out, objects + 1);
    out += "\n0000000000 65535 f \n";
    for (size_t offset : w.offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        out += entry;
    }
    out += "trailer\n<< /Size ";
    appendInt(out, objects + 1);
    out += " /Root 1 0 R /Info 3 0 R >>\nstartxref\n";
    appendInt(out, static_cast<long long>(xref));
    out += "\n%%EOF\n";
    w.flush();
    return {};
}

std::string pdfTextString(const std::string& utf8)
{
    std::string out = "<FEFF";
    for (char32_t cp : codePoints(utf8)) appendUtf16Hex(out, cp);
    return out + ">";
}

}  // namespace pdf
