// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "model/encoding.h"
#include "model/model.h"
#include "model/project_file.h"
#include "model/project_text.h"
#include "model/safe_file.h"

namespace model {

namespace {

constexpr const char* kEol = "\r\n";

void appendInt(std::string& out, long long v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendFixed3(std::string& out, double v)
{
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
    out.append(buf, r.ptr);
}

// The used slots of an axis in order. A negative slot is "no line": it is left out rather than
// ending the axis there, so the lines after it are kept.
std::vector<int> usedSlots(const GridModel& grid, int axis)
{
    std::vector<int> out;
    for (int i = 0; i < kGridSlots; ++i)
        if (grid.isUsed(axis, i)) out.push_back(i);
    return out;
}

// Records written, in order: continuation records belong to the floor before them, and once
// that is deleted they are left out too, or the file would bring them back as elements.
template <typename Take>
void forEachWritten(const std::vector<Element>& records, Take take)
{
    bool headWritten = false;
    for (size_t i = 0; i < records.size(); ++i) {
        const Element& e = records[i];
        if (e.kind != kind::CONTINUE) headWritten = !isDeadRecord(e);
        else if (!headWritten) continue;
        if (!isDeadRecord(e)) take(i);
    }
}

std::vector<int> writtenRecords(const std::vector<Element>& records)
{
    std::vector<int> out;
    forEachWritten(records, [&out](size_t i) { out.push_back(static_cast<int>(i)); });
    return out;
}

}  // namespace

void copyWrittenRecords(const std::vector<Element>& records, std::vector<Element>& out)
{
    out.clear();
    // Room for some growth, so the next copy mostly reuses memory that is already there.
    if (out.capacity() < records.size()) out.reserve(records.size() + records.size() / 4);
    forEachWritten(records, [&](size_t i) { out.push_back(records[i]); });
}

std::string projectText(const Model& s) { return projectText(s.store.records(), s.sections, s.grid); }

std::string projectText(const std::vector<Element>& records, const SectionTable& sections, const GridModel& grid,
                        const std::vector<std::string>& notes)
{
    std::string out;
    out.reserve(200 + records.size() * 110);
    out += "kelversion=1.4";
    out += kEol;

    int nSections = 0;
    for (const SectionEntry& e : sections)
        if (e.secID > 0) ++nSections;
    const std::vector<int> slots[3] = {usedSlots(grid, AXIS_X), usedSlots(grid, AXIS_Y), usedSlots(grid, AXIS_Z)};
    // Readers skip (header size - first element line - 1) lines before the elements.
    const long long noteLines = notes.empty() ? 0 : static_cast<long long>(notes.size()) + 1;
    appendInt(out, static_cast<long long>(slots[0].size() + slots[1].size() + slots[2].size()) + nSections + 7 +
                       noteLines);
    out += kEol;
    for (int axis = 0; axis < 3; ++axis) {
        appendInt(out, static_cast<long long>(slots[axis].size()));
        out += kEol;
        for (int i : slots[axis]) {
            appendInt(out, grid.position(axis, i));
            out += ':';
            appendInt(out, grid.offsetKind(axis, i));
            out += ':';
            appendInt(out, grid.offsetDist(axis, i));
            out += kEol;
        }
    }
    appendInt(out, nSections);
    out += kEol;
    for (const SectionEntry& e : sections) {
        if (e.secID <= 0) continue;
        appendInt(out, e.secID);
        out += ',';
        out += utf8ToCp932Escaped(e.secKey);
        out += ',';
        out += utf8ToCp932Escaped(e.secName);
        out += ',';
        out += utf8ToCp932Escaped(e.secSpec);
        out += kEol;
    }
    for (const std::string& note : notes) {
        out += note;
        out += kEol;
    }
    const std::vector<int> written = writtenRecords(records);
    for (size_t w = 0; w < written.size(); ++w) {
        const Element& e = records[static_cast<size_t>(written[w])];
        // A record count never reaches past the last record written, or the file would not read.
        const long long ndata = std::min<long long>(e.ndata, static_cast<long long>(written.size() - w));
        const long long ints[9] = {e.kind, e.SID, ndata, e.LY, e.CL, e.UID, e.refUID, e.secID, e.memberNo};
        for (long long v : ints) {
            appendInt(out, v);
            out += ',';
        }
        const double reals[9] = {e.X1, e.Y1, e.Z1, e.X2, e.Y2, e.Z2, e.OX, e.OY, e.OZ};
        for (int k = 0; k < 9; ++k) {
            if (k) out += ',';
            appendFixed3(out, reals[k]);
        }
        out += kEol;
    }
    return out;
}

FileResult writeFileAtomically(const std::string& path, const std::string& bytes)
{
    SafeFileWriter writer;
    if (FileResult r = writer.open(path); !r.ok) return r;
    if (FileResult r = writer.write(bytes); !r.ok) return r;
    return writer.commit();
}

FileResult writeProject(Model& s, const std::string& path)
{
    FileResult r = writeFileAtomically(path, projectText(s));
    if (r.ok) s.project.modified = false;
    return r;
}

}  // namespace model
