// SPDX-License-Identifier: GPL-3.0-or-later
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

// The decimal digits of v at out; returns their end. 32-bit arithmetic: every number a page
// writes is below 10^9 (formatReal's limit).
char* formatWhole(char* out, uint32_t v)
{
    const int digits = v < 10 ? 1
                       : v < 100 ? 2
                       : v < 1000 ? 3
                       : v < 10000 ? 4
                       : v < 100000 ? 5
                       : v < 1000000 ? 6
                       : v < 10000000 ? 7
                       : v < 100000000 ? 8
                       : v < 1000000000 ? 9
                                          : 10;
    char* const end = out + digits;
    char* d = end;
    while (v >= 100) {
        const uint32_t pair = (v % 100) * 2;
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

void ref(std::string& out, int object)
{
    appendInt(out, object);
    out += " 0 R";
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
    if (!(v > -kLimit && v < kLimit)) v = std::isnan(v) ? 0 : std::clamp(v, -kLimit, kLimit);
    const auto whole = static_cast<int32_t>(v);  // |v| <= 10^9 < 2^31
    if (static_cast<double>(whole) == v) {
        if (whole < 0) *out++ = '-';
        return formatWhole(out, whole < 0 ? 0u - static_cast<uint32_t>(whole) : static_cast<uint32_t>(whole));
    }
    long long hundredths = static_cast<long long>(v * 100 + (v < 0 ? -0.5 : 0.5));
    if (hundredths < 0) {
        *out++ = '-';
        hundredths = -hundredths;
    }
    const unsigned frac = static_cast<unsigned>(hundredths % 100);
    out = formatWhole(out, static_cast<uint32_t>(hundredths / 100));
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

}  // namespace

std::u32string codePoints(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
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

namespace {

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
    size_t capacity = 0;
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
        spill_ = std::move(other.spill_);
        spilled_ = std::exchange(other.spilled_, 0);
        other.chunks_.clear();
        other.spill_ = nullptr;
    }
    return *this;
}

Content::~Content() = default;

char* Content::grow(size_t n)
{
    if (spill_ && !chunks_.empty()) {
        flush();
        if (static_cast<size_t>(end_ - at_) >= n) return at_;
    }
    if (!chunks_.empty()) chunks_.back().used = static_cast<size_t>(at_ - chunks_.back().bytes.get());
    // Small contents (a dash pattern) stay small; a page's grows a megabyte at a time.
    const size_t capacity = chunks_.empty() && !spill_ ? 256 : kChunk;
    chunks_.push_back({std::make_unique_for_overwrite<char[]>(capacity), 0, capacity});
    at_ = chunks_.back().bytes.get();
    end_ = at_ + capacity;
    return at_;
}

void Content::flush()
{
    if (!spill_ || chunks_.empty()) return;
    chunks_.back().used = static_cast<size_t>(at_ - chunks_.back().bytes.get());
    for (Chunk& c : chunks_) {
        if (c.used) spill_(std::string_view(c.bytes.get(), c.used));
        spilled_ += c.used;
        c.used = 0;
    }
    // The last megabyte is written again from its start; smaller ones are let go.
    if (chunks_.back().capacity == kChunk) {
        Chunk keep = std::move(chunks_.back());
        chunks_.clear();
        chunks_.push_back(std::move(keep));
        at_ = chunks_.back().bytes.get();
        end_ = at_ + kChunk;
    } else {
        chunks_.clear();
        at_ = end_ = nullptr;
    }
}

size_t Content::size() const
{
    size_t n = spilled_;
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
    spilled_ = 0;
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

Content& Content::longOp(std::string_view text)
{
    // A longer text goes in pieces (room() hands out at most a chunk); an empty one asks for no room.
    while (!text.empty()) {
        const size_t piece = std::min(text.size(), kShortOp);
        op(text.substr(0, piece));
        text.remove_prefix(piece);
    }
    return *this;
}

Content& Content::hexGlyphs(std::span<const uint16_t> ids)
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

struct Document::OpenPage {
    double width = 0, height = 0;
    int content = 0, length = 0, page = 0;  // object numbers
    Content stream;
};

Document::Document(std::function<void(std::string_view)> write) : write_(std::move(write))
{
    out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
}

Document::~Document() = default;

void Document::flush()
{
    if (out_.empty()) return;
    write_(out_);
    written_ += out_.size();
    out_.clear();
}

void Document::begin(int object)
{
    if (offsets_.size() < static_cast<size_t>(object)) offsets_.resize(static_cast<size_t>(object), 0);
    offsets_[static_cast<size_t>(object - 1)] = written_ + out_.size();
    appendInt(out_, object);
    out_ += " 0 obj\n";
}

void Document::end() { out_ += "\nendobj\n"; }

void Document::stream(int object, const std::string& dictionary, const std::string& data)
{
    begin(object);
    out_ += "<< /Length ";
    appendInt(out_, static_cast<long long>(data.size()));
    out_ += dictionary;
    out_ += " >>\nstream\n";
    flush();
    write_(data);
    written_ += data.size();
    out_ += "\nendstream";
    end();
}

EmbeddedFont& Document::font(const std::string& baseName, FontTables tables)
{
    if (EmbeddedFont* f = findFont(baseName)) return *f;
    fonts_.push_back(std::make_unique<EmbeddedFont>(baseName, std::move(tables)));
    fonts_.back()->resource_ = "F" + std::to_string(fonts_.size());
    // Type0 font, CID font, descriptor, font file, ToUnicode map: numbered now, so that pages
    // written before the font can name it.
    fontObjects_.push_back(allocate());
    for (int i = 0; i < 4; ++i) allocate();
    return *fonts_.back();
}

EmbeddedFont* Document::findFont(const std::string& baseName)
{
    for (auto& f : fonts_)
        if (f->baseName_ == baseName) return f.get();
    return nullptr;
}

Content& Document::beginPage(double widthPt, double heightPt)
{
    page_ = std::make_unique<OpenPage>();
    page_->width = widthPt;
    page_->height = heightPt;
    page_->content = allocate();
    page_->length = allocate();
    page_->page = allocate();
    begin(page_->content);
    out_ += "<< /Length ";
    ref(out_, page_->length);
    out_ += " >>\nstream\n";
    flush();
    page_->stream.spillTo([this](std::string_view piece) {
        write_(piece);
        written_ += piece.size();
    });
    return page_->stream;
}

void Document::endPage(const std::vector<const EmbeddedFont*>& fonts)
{
    if (!page_) return;
    OpenPage& p = *page_;
    p.stream.flush();
    out_ += "\nendstream";
    end();
    begin(p.length);
    appendInt(out_, static_cast<long long>(p.stream.size()));
    end();
    begin(p.page);
    out_ += "<< /Type /Page /Parent ";
    ref(out_, 2);
    out_ += " /MediaBox [0 0 ";
    appendReal(out_, p.width);
    out_ += ' ';
    appendReal(out_, p.height);
    out_ += "] /Resources << /ProcSet [/PDF /Text] /Font <<";
    for (const EmbeddedFont* f : fonts) {
        const auto own = std::find_if(fonts_.begin(), fonts_.end(), [f](const auto& e) { return e.get() == f; });
        if (own == fonts_.end()) continue;
        out_ += " /" + f->resource_ + ' ';
        ref(out_, fontObjects_[static_cast<size_t>(own - fonts_.begin())]);
    }
    out_ += " >> >> /Contents ";
    ref(out_, p.content);
    out_ += " >>";
    end();
    pageObjects_.push_back(p.page);
    page_.reset();
}

std::string Document::finish(const std::string& title, const std::string& creator)
{
    if (page_) return "a page is still open";
    if (pageObjects_.empty()) return "the document has no page";
    std::vector<FontSubset> subsets(fonts_.size());
    for (size_t i = 0; i < fonts_.size(); ++i) {
        const EmbeddedFont& f = *fonts_[i];
        if (std::string why = subsetTrueType(f.tables_, f.glyphs_, subsets[i]); !why.empty())
            return f.baseName_ + ": " + why;
        for (size_t k = 0; k < f.glyphs_.size(); ++k)
            if (k >= subsets[i].newId.size() || subsets[i].newId[k] != k + 1)
                return f.baseName_ + ": the font subset renumbered its glyphs unexpectedly";
    }

    for (size_t i = 0; i < fonts_.size(); ++i) {
        const FontSubset& s = subsets[i];
        const int type0 = fontObjects_[i], cid = type0 + 1, descriptor = type0 + 2, file = type0 + 3,
                  toUnicode = type0 + 4;
        const std::string name = subsetTag(fonts_[i]->glyphs_) + pdfName(fonts_[i]->baseName_);
        const double em = s.unitsPerEm > 0 ? 1000.0 / s.unitsPerEm : 1;
        begin(type0);
        out_ += "<< /Type /Font /Subtype /Type0 /BaseFont /" + name + " /Encoding /Identity-H /DescendantFonts [";
        ref(out_, cid);
        out_ += "] /ToUnicode ";
        ref(out_, toUnicode);
        out_ += " >>";
        end();
        begin(cid);
        out_ += "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
                " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor ";
        ref(out_, descriptor);
        out_ += " /CIDToGIDMap /Identity /DW 1000 /W [0 [";
        for (uint16_t a : s.advance) {
            out_ += ' ';
            appendReal(out_, a * em);
        }
        out_ += " ]] >>";
        end();
        begin(descriptor);
        out_ += "<< /Type /FontDescriptor /FontName /" + name + " /Flags 4 /FontBBox [";
        for (int v : {s.xMin, s.yMin, s.xMax, s.yMax}) {
            out_ += ' ';
            appendReal(out_, v * em);
        }
        out_ += " ] /ItalicAngle 0 /Ascent ";
        appendReal(out_, s.ascent * em);
        out_ += " /Descent ";
        appendReal(out_, s.descent * em);
        out_ += " /CapHeight ";
        appendReal(out_, s.ascent * em);
        out_ += " /StemV 80 /FontFile2 ";
        ref(out_, file);
        out_ += " >>";
        end();
        std::string length1 = " /Length1 ";
        appendInt(length1, static_cast<long long>(s.ttf.size()));
        stream(file, length1, s.ttf);
        stream(toUnicode, "", toUnicodeMap(fonts_[i]->unicode_));
    }

    begin(1);
    out_ += "<< /Type /Catalog /Pages ";
    ref(out_, 2);
    out_ += " >>";
    end();
    begin(2);
    out_ += "<< /Type /Pages /Count ";
    appendInt(out_, static_cast<long long>(pageObjects_.size()));
    out_ += " /Kids [";
    for (int page : pageObjects_) {
        out_ += ' ';
        ref(out_, page);
    }
    out_ += " ] >>";
    end();
    begin(3);
    out_ += "<< /Title " + pdfTextString(title) + " /Creator " + pdfTextString(creator) + " /Producer " +
            pdfTextString(creator) + " >>";
    end();

    const int objects = nextObject_ - 1;
    offsets_.resize(static_cast<size_t>(objects), 0);
    const size_t xref = written_ + out_.size();
    out_ += "xref\n0 ";
    appendInt(out_, objects + 1);
    out_ += "\n0000000000 65535 f \n";
    for (size_t offset : offsets_) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        out_ += entry;
    }
    out_ += "trailer\n<< /Size ";
    appendInt(out_, objects + 1);
    out_ += " /Root 1 0 R /Info 3 0 R >>\nstartxref\n";
    appendInt(out_, static_cast<long long>(xref));
    out_ += "\n%%EOF\n";
    flush();
    return {};
}

std::string pdfTextString(const std::string& utf8)
{
    std::string out = "<FEFF";
    for (char32_t cp : codePoints(utf8)) appendUtf16Hex(out, cp);
    return out + ">";
}

}  // namespace pdf
