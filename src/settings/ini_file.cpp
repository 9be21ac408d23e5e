// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ini_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "model/encoding.h"
#include "model/helpers.h"
#include "model/project_file.h"

namespace settings {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::string systemReason(int err) { return std::strerror(err); }

}  // namespace

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

IniFile::IniFile(fs::path path) : path_(std::move(path)) { reload(); }

IniFile IniFile::fromBytes(std::string_view cp932)
{
    IniFile ini;
    ini.parse(cp932);
    return ini;
}

std::string IniFile::toBytes() const
{
    std::string out;
    for (const auto& line : lines_) {
        out += line.raw;
        out += "\r\n";
    }
    return out;
}

IniFile::Line IniFile::parseLine(std::string raw)
{
    Line line;
    line.raw = std::move(raw);
    std::string_view bytes = line.raw;
    // A BOM left by an editor would otherwise hide the first section header.
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
    std::string text = model::cp932ToUtf8(bytes);
    line.encodingOk = text.find(kReplacementChar) == std::string::npos;
    std::string t = model::trim(text);
    if (t.empty() || t[0] == ';' || t[0] == '#') return line;
    if (t[0] == '[') {
        size_t close = t.find(']');
        if (close == std::string::npos) return line;
        line.kind = Line::Kind::Section;
        line.name = model::trim(std::string_view(t).substr(1, close - 1));
        return line;
    }
    size_t eq = t.find('=');
    if (eq == std::string::npos) return line;
    std::string key = model::trim(std::string_view(t).substr(0, eq));
    if (key.empty()) return line;
    std::string value = model::trim(std::string_view(t).substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    line.kind = Line::Kind::Entry;
    line.name = std::move(key);
    line.value = std::move(value);
    return line;
}

void IniFile::parse(std::string_view bytes)
{
    lines_.clear();
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view piece = bytes.substr(start, end - start);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        lines_.push_back(parseLine(std::string(piece)));
        start = next;
    }
}

bool IniFile::readFile(std::string& bytes, bool& exists)
{
    bytes.clear();
    exists = false;
    std::error_code ec;
    fs::file_status st = fs::status(path_, ec);
    if (st.type() == fs::file_type::not_found) return true;
    exists = true;
    if (ec) {
        lastError_ = "設定ファイル " + path_.string() + " を調べられません: " + ec.message();
        return false;
    }
    if (st.type() != fs::file_type::regular) {
        lastError_ = "設定ファイル " + path_.string() + " は通常のファイルではありません。";
        return false;
    }
    std::uintmax_t size = fs::file_size(path_, ec);
    if (ec) {
        lastError_ = "設定ファイル " + path_.string() + " を調べられません: " + ec.message();
        return false;
    }
    if (size > kMaxFileBytes) {
        lastError_ = "設定ファイル " + path_.string() + " は大きすぎるため設定ファイルとして扱いません。";
        return false;
    }
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        lastError_ = "設定ファイル " + path_.string() + " を読めません: " + systemReason(errno);
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));  // the file may have shrunk meanwhile
    if (in.bad()) {
        lastError_ = "設定ファイル " + path_.string() + " を読めません。";
        bytes.clear();
        return false;
    }
    return true;
}

bool IniFile::writeFile(const std::string& bytes)
{
    std::error_code ec;
    fs::path dir = path_.parent_path();
    if (!dir.empty()) fs::create_directories(dir, ec);
    if (ec) {
        lastError_ = "設定ファイルのフォルダ " + dir.string() + " を作れません: " + ec.message();
        return false;
    }
    // The program's one safe writer: links followed, permissions kept, nothing half-written.
    const model::FileResult r = model::writeFileAtomically(path_.string(), bytes);
    if (!r.ok) lastError_ = "設定ファイルを書き込めません: " + r.message;
    return r.ok;
}

bool IniFile::reload()
{
    lines_.clear();
    if (!hasFile()) return true;
    std::string bytes;
    bool exists = false;
    if (!readFile(bytes, exists)) return false;
    parse(bytes);
    return true;
}

const IniFile::Line* IniFile::findEntry(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    for (const auto& line : lines_) {
        if (line.kind == Line::Kind::Section) {
            inSection = sameName(line.name, section);
        } else if (inSection && line.kind == Line::Kind::Entry && sameName(line.name, key)) {
            return &line;
        }
    }
    return nullptr;
}

std::optional<IniValue> IniFile::lookup(std::string_view section, std::string_view key) const
{
    const Line* line = findEntry(section, key);
    if (!line) return std::nullopt;
    return IniValue{line->value, line->encodingOk};
}

std::string IniFile::read(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const Line* line = findEntry(section, key);
    return line ? line->value : std::string(fallback);
}

void IniFile::apply(const Change& change)
{
    Line entry = parseLine(change.lineCp932);
    // The first entry of the first section of that name is the one read back, so it is the
    // one replaced; otherwise the key joins the end of the first such section.
    bool inSection = false;
    size_t insertAt = 0;
    bool sectionFound = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == Line::Kind::Section) {
            if (sectionFound && inSection) break;
            inSection = sameName(line.name, change.section);
            if (inSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
        } else if (inSection && line.kind == Line::Kind::Entry) {
            if (sameName(line.name, change.key)) {
                lines_[i] = std::move(entry);
                return;
            }
            insertAt = i + 1;
        }
    }
    if (sectionFound) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
        return;
    }
    if (!lines_.empty() && !lines_.back().raw.empty()) lines_.push_back(parseLine(""));
    lines_.push_back(parseLine(change.headerCp932));
    lines_.push_back(std::move(entry));
}

bool IniFile::write(std::string_view section, std::string_view key, std::string_view value)
{
    std::string where = "[" + std::string(section) + "] " + std::string(key);
    if (section.empty() || key.empty() || hasLineBreak(section) || hasLineBreak(key) ||
        section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
        key.front() == '[' || key.front() == ';' || key.front() == '#' || model::trim(key) != key ||
        model::trim(section) != section) {
        lastError_ = "設定の名前 " + where + " は使えません。";
        return false;
    }
    if (hasLineBreak(value)) {
        lastError_ = "設定 " + where + " の値に改行が含まれているため保存できません。";
        return false;
    }
    auto sectionCp = model::utf8ToCp932(section);
    auto keyCp = model::utf8ToCp932(key);
    auto valueCp = model::utf8ToCp932(value);
    if (!sectionCp || !keyCp || !valueCp) {
        lastError_ = "設定 " + where + " の値に Shift-JIS で表せない文字があるため保存できません。";
        return false;
    }
    Change change{std::string(section), std::string(key), "[" + *sectionCp + "]", *keyCp + "=\"" + *valueCp + "\""};
    apply(change);
    if (!hasFile()) return true;
    pending_.push_back(std::move(change));
    if (batchDepth_ > 0) return true;
    return flush();
}

bool IniFile::flush()
{
    if (pending_.empty()) return true;
    std::vector<Change> changes = std::move(pending_);
    pending_.clear();
    std::string bytes;
    bool exists = false;
    // Never write over a file that is there but could not be read: it may hold more than
    // this program knows about.
    if (!readFile(bytes, exists)) return false;
    parse(bytes);
    for (const auto& change : changes) apply(change);
    return writeFile(toBytes());
}

IniFile::Batch::Batch(IniFile& ini) : ini_(ini) { ++ini_.batchDepth_; }

IniFile::Batch::~Batch()
{
    if (!done_) commit();
}

bool IniFile::Batch::commit()
{
    if (done_) return true;
    done_ = true;
    if (--ini_.batchDepth_ > 0) return true;
    return ini_.flush();
}

std::string iniRead(const IniFile& ini, std::string_view section, std::string_view key, std::string_view fallback)
{
    return ini.read(section, key, fallback);
}

bool iniWrite(IniFile& ini, std::string_view section, std::string_view key, std::string_view value)
{
    return ini.write(section, key, value);
}

}  // namespace settings
