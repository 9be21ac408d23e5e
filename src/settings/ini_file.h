// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: an ini document in CP932 with [sections] and key=value lines, keys and
// section names compared without regard to (ASCII) case, values written in double quotes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace settings {

// A value as found in the file, quotes removed. encodingOk is false when its line held
// bytes that are not CP932; such bytes read as U+FFFD.
struct IniValue {
    std::string text;
    bool encodingOk = true;
};

// One ini document, kept in memory and bound to a file (or to none, for a document that
// lives only in memory).
//
// Reads answer from memory; reload() brings the memory up to date with the disk. Every
// write re-reads the file, changes the one key and writes the whole file through a temporary
// file that is renamed over it, so a failed write never destroys the previous file and writes
// of another process or another IniFile on the same path are not lost. Inside a Batch the
// writes are collected and the file is written once when the batch ends.
//
// A missing file reads as empty and is created by the first write. A file that exists but
// cannot be read (no permission, far too large to be a settings file) also reads as empty,
// but is never written over. Damaged lines (binary bytes, lines without '=', text before the
// first section) are ignored when reading and kept as they were when the file is rewritten.
class IniFile {
public:
    // Files above this size are not settings files; they are left alone.
    static constexpr std::uintmax_t kMaxFileBytes = 4u << 20;

    IniFile() = default;  // in memory only
    explicit IniFile(std::filesystem::path path);  // reads the file now

    // A document parsed from the bytes of a file (CP932), bound to no file.
    static IniFile fromBytes(std::string_view cp932);
    // The document as it would be written: CP932 lines ended by CR LF.
    std::string toBytes() const;

    const std::filesystem::path& path() const { return path_; }
    bool hasFile() const { return !path_.empty(); }

    // Re-reads the bound file. False (with lastError) when it exists but cannot be read; the
    // document is empty then.
    bool reload();

    std::optional<IniValue> lookup(std::string_view section, std::string_view key) const;
    // The stored value without its enclosing quotes, or fallback when the key is missing.
    std::string read(std::string_view section, std::string_view key, std::string_view fallback) const;

    // Stores value (UTF-8) enclosed in double quotes, so that leading and trailing blanks
    // survive. False, with lastError and the file unchanged, when the value has a line break or
    // a character without a CP932 form, when the names are unusable, or when the file cannot
    // be written.
    bool write(std::string_view section, std::string_view key, std::string_view value);

    // The reason of the last failure, in words for the user; empty when none.
    const std::string& lastError() const { return lastError_; }

    // Collects the writes made while it lives and writes the file once.
    class Batch {
    public:
        explicit Batch(IniFile& ini);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        // Writes the collected changes; false when that failed (see lastError). Called by the
        // destructor when not called before.
        bool commit();

    private:
        IniFile& ini_;
        bool done_ = false;
    };

private:
    struct Line {
        enum class Kind { Other, Section, Entry };
        std::string raw;  // CP932 bytes without the line end, as on disk
        Kind kind = Kind::Other;
        std::string name;  // section name or key (UTF-8, trimmed)
        std::string value;  // unquoted value (UTF-8)
        bool encodingOk = true;
    };
    struct Change {
        std::string section;  // UTF-8, to match the parsed names
        std::string key;
        std::string headerCp932;  // the [section] line, should the section be new
        std::string lineCp932;  // the key=value line as written
    };

    static Line parseLine(std::string raw);
    void parse(std::string_view bytes);
    const Line* findEntry(std::string_view section, std::string_view key) const;
    // Applies one change to the lines of the document.
    void apply(const Change& change);
    // Re-reads the file, applies the pending changes and writes it; false on failure.
    bool flush();
    bool readFile(std::string& bytes, bool& exists);
    bool writeFile(const std::string& bytes);

    std::filesystem::path path_;
    std::vector<Line> lines_;
    std::vector<Change> pending_;
    int batchDepth_ = 0;
    std::string lastError_;
};

// The settings-file access of the shared helpers, under their usual names.
std::string iniRead(const IniFile& ini, std::string_view section, std::string_view key, std::string_view fallback);
bool iniWrite(IniFile& ini, std::string_view section, std::string_view key, std::string_view value);

// True when the two names are equal without regard to ASCII case.
bool sameName(std::string_view a, std::string_view b);

}  // namespace settings
