// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <new>
#include <span>
#include <string_view>
#include <stdexcept>
#include <memory>
#include <vector>

#include "model/encoding.h"
#include "model/helpers.h"
#include "model/model.h"
#include "model/project_file.h"

namespace model {

namespace {

// A read failure at a line of the file; turned into the message the user sees.
struct ReadError {
    int line;
    std::string what;
};

class LineReader {
public:
    explicit LineReader(std::string bytes) : bytes_(std::move(bytes)) {}

    bool next(std::string& line)
    {
        if (pos_ >= bytes_.size()) return false;
        size_t end = bytes_.find('\n', pos_);
        if (end == std::string::npos) end = bytes_.size();
        size_t stop = end;
        if (stop > pos_ && bytes_[stop - 1] == '\r') --stop;
        std::string_view raw = std::string_view(bytes_).substr(pos_, stop - pos_);
        bool ascii = true;
        for (char c : raw) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        // Element lines are plain ASCII; only texts of sections need the code-page conversion.
        ++lineNo_;
        if (ascii) {
            line.assign(raw);
        } else {
            bool keptRaw = false;
            line = cp932ToUtf8Keeping(raw, &keptRaw);
            if (keptRaw) rawLines_.push_back(lineNo_);
        }
        pos_ = end + 1;
        return true;
    }
    // The next line, or a failure naming what was expected.
    std::string require(const char* what)
    {
        std::string line;
        if (!next(line)) throw ReadError{lineNo_ + 1, std::string("ファイルが途中で終わっています (") + what + " がありません)"};
        return line;
    }
    int lineNo() const { return lineNo_; }
    // At most how many element lines are left: every one has its 17 commas.
    size_t elementLinesLeft() const
    {
        const auto rest = std::string_view(bytes_).substr(std::min(pos_, bytes_.size()));
        return static_cast<size_t>(std::count(rest.begin(), rest.end(), ','));
    }
    // Lines holding bytes that are not CP932 (kept as they are).
    const std::vector<int>& rawLines() const { return rawLines_; }

private:
    std::string bytes_;
    size_t pos_ = 0;
    int lineNo_ = 0;
    std::vector<int> rawLines_;
};

int requireInt(LineReader& in, std::string_view text, const char* what)
{
    int value = 0;
    if (!parseIntStrict(text, value))
        throw ReadError{in.lineNo(), std::string(what) + " '" + std::string(text) + "' が整数ではありません"};
    return value;
}

int readCount(LineReader& in, const char* what, int limit)
{
    int n = requireInt(in, in.require(what), what);
    if (n < 0 || n > limit)
        throw ReadError{in.lineNo(), std::string(what) + " " + std::to_string(n) + " は読めません (0〜" +
                                         std::to_string(limit) + " まで)"};
    return n;
}

// A line cut short (a copy that stopped half-way) is refused, naming the fields it lacks,
// rather than read with the missing values as 0.
void requireFields(const LineReader& in, size_t have, std::span<const char* const> names, const char* what)
{
    if (have >= names.size()) return;
    std::string missing;
    for (size_t k = have; k < names.size(); ++k) missing += (k > have ? ", " : "") + std::string(names[k]);
    throw ReadError{in.lineNo(), std::string(what) + "の項目が足りません (" + std::to_string(names.size()) +
                                     " 項目のところ " + std::to_string(have) + " 項目: " + missing + " がありません)"};
}

size_t fieldCount(std::string_view line, char sep) { return static_cast<size_t>(std::count(line.begin(), line.end(), sep)) + 1; }

// The project read so far; swapped into the session only when the whole file was read.
struct Incoming {
    ElementStore store;
    std::vector<int> elementLines;  // the file line of every record, for messages
    SectionTable sections;
    GridModel grid;
};

int readGridAxis(LineReader& in, Incoming& m, int axis)
{
    static const char* const names[3] = {"X通り心の数", "Y通り心の数", "層の数"};
    int n = readCount(in, names[axis], kGridSlots);
    for (int i = 0; i < n; ++i) {
        std::string line = in.require("通り心");
        static const char* const gridFields[3] = {"通り心の位置", "オフセットの種類", "オフセットの値"};
        requireFields(in, fieldCount(line, ':'), gridFields, "通り心");
        std::string f0 = fieldAt(0, line, ':'), f1 = fieldAt(1, line, ':'), f2 = fieldAt(2, line, ':');
        const int position = requireInt(in, f0, "通り心の位置");
        // A negative position means "no line" inside the program; in a file it cannot be kept
        // apart from the lines around it, so it is refused rather than silently dropped.
        if (position < 0)
            throw ReadError{in.lineNo(), "通り心の位置 " + std::to_string(position) + " が負の値です"};
        m.grid.line[axis][i] = position;
        m.grid.setOffset(axis, i, requireInt(in, f1, "オフセットの種類"), requireInt(in, f2, "オフセットの値"));
    }
    m.grid.spanCount[axis] = n > 0 ? n - 1 : 0;
    if (n == 0) m.grid.line[axis][0] = -1;  // an axis without lines, written back as such
    return n;
}

void readSections(LineReader& in, Incoming& m, int n)
{
    clearSections(m.sections);
    for (int i = 0; i < n; ++i) {
        std::string line = in.require("断面");
        static const char* const sectionFields[4] = {"断面番号", "secKey", "secName", "secSpec"};
        requireFields(in, fieldCount(line, ','), sectionFields, "断面");
        SectionEntry& e = m.sections[i];
        try {
            e.secID = strToIntOr0(fieldAt(0, line, ','));
        } catch (const ConversionError&) {
            throw ReadError{in.lineNo(), "断面番号 '" + fieldAt(0, line, ',') + "' が整数ではありません"};
        }
        e.secKey = fieldAt(1, line, ',');
        e.secName = fieldAt(2, line, ',');
        // secSpec is the rest of the line: a "," typed into a bar field must not cut it off.
        size_t at = 0;
        for (int k = 0; k < 3 && at != std::string::npos; ++k) {
            at = line.find(',', at);
            if (at != std::string::npos) ++at;
        }
        e.secSpec = at == std::string::npos ? std::string() : line.substr(at);
    }
    if (n < kSectionCount) m.sections[n].secID = -1;
}

// Cuts an element line at "," without copying; fields past `max` are ignored.
size_t splitElementFields(std::string_view line, std::array<std::string_view, 18>& fields)
{
    size_t n = 0;
    size_t start = 0;
    while (n < fields.size()) {
        size_t at = line.find(',', start);
        fields[n++] = line.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start);
        if (at == std::string_view::npos) break;
        start = at + 1;
    }
    return n;
}

void readElement(LineReader& in, Incoming& m, std::string_view line)
{
    std::array<std::string_view, 18> f{};
    static const char* const names[18] = {"要素の種類", "SID", "ndata", "LY", "CL", "UID", "refUID", "secID", "部材番号",
                                          "X1", "Y1", "Z1", "X2", "Y2", "Z2", "OX", "OY", "OZ"};
    requireFields(in, splitElementFields(line, f), names, "要素");
    int index = m.store.appendBlank();
    if (index < 0) throw ReadError{in.lineNo(), "メモリが確保できませんでした"};
    m.elementLines.push_back(in.lineNo());
    Element& e = m.store.at(index);
    int32_t* ints[9] = {&e.kind, &e.SID, &e.ndata, &e.LY, &e.CL, &e.UID, &e.refUID, &e.secID, &e.memberNo};
    for (size_t k = 0; k < 9; ++k) *ints[k] = requireInt(in, f[k], names[k]);
    double* reals[9] = {&e.X1, &e.Y1, &e.Z1, &e.X2, &e.Y2, &e.Z2, &e.OX, &e.OY, &e.OZ};
    for (size_t k = 0; k < 9; ++k) *reals[k] = strToFloatOr0(f[9 + k]);
    e.showAge = 1;
    e.delAge = 0;
}

// An element's ndata counts it and the continuation records after it; one reaching past the
// last record would make every walk over the store leave it.
void checkRecordCounts(const Incoming& m)
{
    const int count = m.store.count();
    for (int i = 0; i < count; ++i) {
        const int32_t ndata = m.store.at(i).ndata;
        if (ndata > count - i)
            throw ReadError{m.elementLines[static_cast<size_t>(i)],
                            "ndata " + std::to_string(ndata) + " が後に続く要素の数 (" + std::to_string(count - i - 1) +
                                ") を超えています"};
    }
}

void readAll(LineReader& in, Incoming& m)
{
    std::string first = in.require("版");
    std::string head = first.substr(0, 10);
    for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (head != "kelversion") throw ReadError{1, "このデータは読めません。"};
    size_t eq = first.find('=');
    std::string versionText = eq == std::string::npos ? first.substr(0, 5) : first.substr(eq + 1, 5);
    if (!isNumber(versionText)) throw ReadError{1, "版 '" + versionText + "' が数ではありません"};
    // 1.3 is compared with a margin so that a file stating exactly 1.3 is read.
    if (strToFloatOr0(versionText) < 1.3 - 1e-9)
        throw ReadError{1, "版 " + trim(versionText) + " のデータは読めません (1.3 以上が必要です)"};

    int header = requireInt(in, in.require("ヘッダ行数"), "ヘッダ行数");
    long long t = 7;
    t += readGridAxis(in, m, AXIS_X);
    t += readGridAxis(in, m, AXIS_Y);
    t += readGridAxis(in, m, AXIS_Z);
    int nSections = readCount(in, "断面の数", kSectionCount);
    readSections(in, m, nSections);
    t += nSections;
    // A header longer than this program writes has extra lines before the elements.
    for (long long skip = static_cast<long long>(header) - t - 1; skip > 0; --skip) in.require("ヘッダの行");

    // Room for every element at once: a store grown element by element copies itself over
    // and over and touches several times the memory it ends with.
    m.store.reserveRoom(in.elementLinesLeft() / 17);
    std::string line;
    while (in.next(line)) {
        if (trim(line).empty()) continue;  // a blank line (often at the end) carries no element
        readElement(in, m, line);
    }
    checkRecordCounts(m);
    calcGridMax(m.grid);
}

std::unique_ptr<std::string> slurp(const std::string& path)
{
    // A folder opens like a file here but reports a nonsense size; only plain files are read.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return nullptr;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return nullptr;
    std::streamoff size = file.tellg();
    if (size < 0) return nullptr;
    std::unique_ptr<std::string> bytes;
    try {
        bytes = std::make_unique<std::string>(static_cast<size_t>(size), '\0');
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (const std::length_error&) {
        return nullptr;
    }
    file.seekg(0);
    if (!file.read(bytes->data(), size)) return nullptr;
    return bytes;
}

}  // namespace

FileResult readProject(Model& session, const std::string& path)
{
    auto bytes = slurp(path);
    if (!bytes) return {false, path + ": 開けません"};
    return readProjectBytes(session, std::move(*bytes), path);
}

FileResult readProjectBytes(Model& session, std::string bytes, const std::string& path)
{
    auto incoming = std::make_unique<Incoming>();
    LineReader in(std::move(bytes));
    try {
        readAll(in, *incoming);
    } catch (const ReadError& e) {
        return {false, path + " " + std::to_string(e.line) + "行目: " + e.what};
    }
    incoming->grid.names = session.grid.names;  // names come from the settings, not the file
    initStore(session, true);
    session.store = std::move(incoming->store);
    session.sections = std::move(incoming->sections);
    session.grid = std::move(incoming->grid);
    session.view = ViewPlane{};
    session.project.path = path;
    session.project.modified = false;
    FileResult result;
    if (!in.rawLines().empty()) {
        std::string lines;
        for (size_t k = 0; k < in.rawLines().size() && k < 10; ++k)
            lines += (k ? ", " : "") + std::to_string(in.rawLines()[k]);
        if (in.rawLines().size() > 10) lines += " ほか";
        result.notice = path + " の " + lines + " 行目に Shift-JIS でない文字があります。そのまま保存されます。";
    }
    return result;
}

}  // namespace model
