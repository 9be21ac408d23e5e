// A PDF file of our own making: pages of vector content, one embedded TrueType font per face
// as a CID font (Identity-H, the font subset's glyph ids as character codes) with a ToUnicode
// map so that readers can search and copy the texts. Content streams stay uncompressed: the
// sheets are drawn a hundred thousand strokes at a time and deflating them costs several times
// what drawing them does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "pdf/truetype_subset.h"

namespace pdf {

// Operators and operands of a content stream, numbers written as short as they can be read.
class Content {
public:
    Content& num(double v);
    Content& fraction(double v);  // 0 to 1, as colour components are
    Content& op(const char* text);  // written as it stands, a space or newline included
    Content& hexGlyphs(const std::vector<uint16_t>& ids);
    // What was written; the content is empty afterwards.
    std::string take();
    bool empty() const { return used_ == 0; }

private:
    // Room for `n` more bytes at the end; a sheet writes millions of short pieces, so they go
    // straight into one growing buffer.
    char* room(size_t n);
    std::string buffer_;
    size_t used_ = 0;
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
    Document();
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // A face for texts; the same name gives the same font.
    EmbeddedFont& font(const std::string& baseName, const FontTables& tables);
    EmbeddedFont* findFont(const std::string& baseName);

    // A page `widthPt` x `heightPt` points whose content is `content`, painted in the order given.
    void addPage(double widthPt, double heightPt, std::string content, std::vector<const EmbeddedFont*> fonts);
    int pages() const { return static_cast<int>(pages_.size()); }

    // The whole file; empty error on success. Title and creator go to the document information.
    std::string finish(const std::string& title, const std::string& creator, std::string& out);

private:
    struct Page {
        double width, height;
        std::string content;
        std::vector<const EmbeddedFont*> fonts;
    };
    std::vector<std::unique_ptr<EmbeddedFont>> fonts_;
    std::vector<Page> pages_;
};

// A PDF text string of UTF-8 text: UTF-16BE with its byte-order mark, in hex.
std::string pdfTextString(const std::string& utf8);

}  // namespace pdf
