// SPDX-License-Identifier: GPL-3.0-or-later
// The lowest level of DXF output: one group (code line and value line) at a time into one
// growing buffer, with the padding and number rules of the release 12 files we write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace dxf {

// A real in the general format CAD programs expect from us: at most 15 significant digits,
// "." as decimal point, no trailing zeros or point ("100", "0.5"), fixed notation from 1E-5
// up to 15 integral digits, otherwise "1.5E-6" / "1E15". Zero (and anything not finite) is "0".
void appendReal(std::string& out, double value);
std::string formatReal(double value);

// Upper-case hexadecimal with at least three digits ("14A", "FFF", "1000").
void appendHandle(std::string& out, uint32_t handle);

// Where the tag writer's finished chunks go: a file, or a string.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void put(std::string_view bytes) = 0;
};

// Groups are formed in a bounded chunk of its own and handed on a chunk at a time, so forming
// one costs little more than the digits themselves and a file of any size needs no more memory
// than the chunk. The output is complete after flush() or when the writer goes out of scope.
class TagWriter {
public:
    explicit TagWriter(std::string& out);  // appends to out
    explicit TagWriter(ByteSink& sink);
    ~TagWriter() { flush(); }
    TagWriter(const TagWriter&) = delete;
    TagWriter& operator=(const TagWriter&) = delete;

    // A literal value, written as given.
    void group(int code, std::string_view value);
    // An integer: right-justified in six characters for codes 62 and 70-78, plain otherwise.
    void group(int code, int value);
    // A computed real in the general format.
    void group(int code, double value);
    // An integer always written as plain decimal (the text alignment groups).
    void groupPlain(int code, int value);
    void groupHandle(int code, uint32_t handle);

    void flush();

private:
    static constexpr size_t kChunk = 64 * 1024;
    // Room for n more bytes in the chunk.
    char* room(size_t n)
    {
        if (kChunk - used_ < n) flush();
        return chunk_.get() + used_;
    }
    void done(const char* end) { used_ = static_cast<size_t>(end - chunk_.get()); }

    void emit(std::string_view bytes);

    std::string* out_ = nullptr;
    ByteSink* sink_ = nullptr;
    std::unique_ptr<char[]> chunk_;
    size_t used_ = 0;
};

}  // namespace dxf
