#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/encoding.h"
#include "model/project_file.h"
#include "model/safe_file.h"
#include "model/session.h"

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

int countLines(const GridModel& grid, int axis) { return grid.usedCount(axis); }

}  // namespace

std::string projectText(const Session& s)
{
    std::string out;
    const auto& records = s.store.records();
    out.reserve(200 + records.size() * 110);
    out += "kelversion=1.4";
    out += kEol;

    int nSections = 0;
    for (const SectionEntry& e : s.sections)
        if (e.secID > 0) ++nSections;
    const int n[3] = {countLines(s.grid, AXIS_X), countLines(s.grid, AXIS_Y), countLines(s.grid, AXIS_Z)};
    appendInt(out, n[0] + n[1] + n[2] + nSections + 7);
    out += kEol;
    for (int axis = 0; axis < 3; ++axis) {
        appendInt(out, n[axis]);
        out += kEol;
        for (int i = 0; i < n[axis]; ++i) {
            appendInt(out, s.grid.position(axis, i));
            out += ':';
            appendInt(out, s.grid.offsetKind(axis, i));
            out += ':';
            appendInt(out, s.grid.offsetDist(axis, i));
            out += kEol;
        }
    }
    appendInt(out, nSections);
    out += kEol;
    for (const SectionEntry& e : s.sections) {
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
    // Continuation records belong to the floor before them: once that is deleted they are
    // left out too, or the file would bring them back as elements of their own.
    bool headWritten = false;
    for (const Element& e : records) {
        if (e.kind != kind::CONTINUE) headWritten = !isDeadRecord(e);
        else if (!headWritten) continue;
        if (isDeadRecord(e)) continue;
        const long long ints[9] = {e.kind, e.SID, e.ndata, e.LY, e.CL, e.UID, e.refUID, e.secID, e.memberNo};
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

FileResult writeProject(Session& s, const std::string& path)
{
    FileResult r = writeFileAtomically(path, projectText(s));
    if (r.ok) s.project.modified = false;
    return r;
}

}  // namespace model
