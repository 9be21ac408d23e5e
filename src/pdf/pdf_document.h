// SPDX-License-Identifier: GPL-3.0-or-later
// A PDF file of our own making: pages of vector content, one embedded TrueType font per face
// as a CID font (Identity-H, the font subset's glyph ids as character codes) with a ToUnicode
// map so that readers can search and copy the texts. Content streams stay uncompressed: the
// sheets are drawn a hundred thousand strokes at a time and deflating them costs several times
// what drawing them does. The file goes out as it is made, a page's content a megabyte at a
// time, so a set of hundreds of sheets never sits in memory; fonts follow at the end.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pdf/truetype_subset.h"

namespace pdf {

// Operators and operands of a content stream, numbers written as short as they can be read.
// A sheet writes millions of short pieces: they go into chunks that are never moved, so the
// stream grows without copying what it holds; a page's content hands each full chunk on and
// writes the next into the same memory.
class Content {
public:
    Content();
    Content(Content&&) noexcept;
    Content& operator=(Content&&) noexcept;
    ~Content();

    Content& num(double v);
    Content& fraction(double v);  // 0 to 1, as colour components are
    // Written as it stands, a space or newline included. Inline: a sheet writes millions of
    // operators of a few bytes each.
    Content& op(std::string_view text)
    {
        if (text.size() > kShortOp || text.empty()) return longOp(text);
        char* out = room(text.size());
        std::memcpy(out, text.data(), text.size());
        advance(out + text.size());
        return *this;
    }
    Content& hexGlyphs(std::span<const uint16_t> ids);
    Content& hexGlyphs(const std::vector<uint16_t>& ids) { return hexGlyphs(std::span<const uint16_t>(ids)); }

    size_t size() const;  // everything written, handed on or not
    bool empty() const { return size() == 0; }
    // From now on a full chunk goes to `spill` and its memory is used again.
    void spillTo(std::function<void(std::string_view)> spill) { spill_ = std::move(spill); }
    // Hands what is held to the spill.
    void flush();
    // What was written, in one string; the content is empty afterwards.
    std::string take();

private:
    // Hands the bytes held over in order.
    void writeTo(const std::function<void(std::string_view)>& write) const;
    // Room for `n` (at most kChunk) more bytes at the end; advance() takes what was used.
    char* room(size_t n) { return static_cast<size_t>(end_ - at_) >= n ? at_ : grow(n); }
    char* grow(size_t n);
    void advance(char* end) { at_ = end; }
    static constexpr size_t kShortOp = 256;
    Content& longOp(std::string_view text);
    static constexpr size_t kChunk = size_t(1) << 20;
    struct Chunk;
    std::vector<Chunk> chunks_;
    char* at_ = nullptr;
    char* end_ = nullptr;
    std::function<void(std::string_view)> spill_;
    size_t spilled_ = 0;
};

// A face's glyphs as the document hands them out: codes are dense, 1 for the first glyph used.
class EmbeddedFont {
public:
    EmbeddedFont(std::string baseName, FontTables tables);
    const std::string& resourceName() const { return resource_; }
    // The code of the font's glyph `glyph`, read back as `codePoint` when the page is searched.
    // The missing glyph keeps code 0.
    uint16_t code(uint16_t glyph, char32_t codePoint);

private:
    friend class Document;
    std::string resource_;  // "F1", ...
    std::string baseName_;
    FontTables tables_;
    std::unordered_map<uint16_t, uint16_t> codes_;  // glyph -> code
    std::vector<uint16_t> glyphs_;                  // by code - 1
    std::vector<char32_t> unicode_;                 // by code - 1
};

class Document {
public:
    // Every byte goes to `write` as soon as it is made. After an error the bytes written are no
    // PDF: the caller throws them away (the safe file writer keeps the old file).
    explicit Document(std::function<void(std::string_view)> write);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // A face for texts; the same name gives the same font.
    EmbeddedFont& font(const std::string& baseName, FontTables tables);
    EmbeddedFont* findFont(const std::string& baseName);

    // Starts a page of `widthPt` x `heightPt` points (ending the page before, if any); its
    // content is painted in the order written.
    Content& beginPage(double widthPt, double heightPt);
    // Ends the page begun last; `fonts` are the fonts its texts use.
    void endPage(const std::vector<const EmbeddedFont*>& fonts);

    // Writes the fonts and the file's tables; empty on success, else why not. Title and creator
    // go to the document information.
    std::string finish(const std::string& title, const std::string& creator);

private:
    struct OpenPage;
    int allocate() { return nextObject_++; }
    void begin(int object);  // "N 0 obj" at the current position
    void end();
    void flush();
    void stream(int object, const std::string& dictionary, const std::string& data);

    std::function<void(std::string_view)> write_;
    std::string out_;  // small objects, gathered until the next large stream
    size_t written_ = 0;
    std::vector<size_t> offsets_;  // by object number - 1
    int nextObject_ = 4;           // 1 catalog, 2 page tree, 3 information
    std::vector<std::unique_ptr<EmbeddedFont>> fonts_;
    std::vector<int> fontObjects_;  // the first of each font's five objects
    std::vector<int> pageObjects_;
    std::unique_ptr<OpenPage> page_;
};

// The code points of UTF-8 text; a broken sequence becomes U+FFFD.
std::u32string codePoints(std::string_view utf8);

// A PDF text string of UTF-8 text: UTF-16BE with its byte-order mark, in hex.
std::string pdfTextString(const std::string& utf8);

}  // namespace pdf
