// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dump.h"

#include <cmath>
#include <cstdio>

#include "model/helpers.h"
#include "model/model.h"

namespace model {

std::string int3(long long value) { return padLeft(value, 3); }

std::string real8(double value)
{
    // One decimal, halves away from zero, and no "-0.0" for a value that rounds to zero.
    char buf[400];
    if (!(std::fabs(value) < 1e15)) {
        std::snprintf(buf, sizeof buf, "%.1f", value);
        return buf;
    }
    long long tenths = roundHalfAway(value * 10.0);
    std::snprintf(buf, sizeof buf, "%s%lld.%lld", tenths < 0 ? "-" : "", std::llabs(tenths) / 10, std::llabs(tenths) % 10);
    std::string s = buf;
    return s.size() >= 8 ? s : std::string(8 - s.size(), ' ') + s;
}

std::string colourText(int colour)
{
    char buf[16];
    unsigned c = static_cast<unsigned>(colour);
    std::snprintf(buf, sizeof buf, "%02X:%02X:%02X", c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu);
    return buf;
}

namespace {

std::string blueByte(int colour) { return colourText(colour).substr(6, 2); }

struct KindName {
    int code;
    const char* name;
    bool inUndoListing;
};

constexpr KindName kKindNames[] = {
    {kind::JOINT, "JOINT", true},     {kind::CIRCLE, "CIRCLE", false},  {kind::ARC, "ARC", false},
    {kind::LINE, "LINE", true},       {kind::DASHLINE, "DASHLINE", false}, {kind::DOTLINE, "DOTLINE", false},
    {kind::DASHDOT, "DASHDOT", false}, {kind::COLUMN, "COLUMN", true},   {kind::FRAME, "FRAME", true},
    {kind::BEAM, "BEAM", true},       {kind::GIRDER, "GIRDER", true},   {kind::FLOOR, "FLOOR", true},
    {kind::TURTLE, "TURTLE", true},   {kind::WALL, "WALL", true},       {kind::BASE, "BASE", true},
    {kind::CONTINUE, "CONTINUE", false},
};

// The kind label padded to the listing's width; "-------" for kinds the listing does not name.
// Load cases 4-7 are labelled like 1-3 in both listings.
std::string kindLabel(const Element& e, size_t width, bool undoListing)
{
    std::string name;
    if (e.kind == kind::LOAD) {
        if (e.SID >= 1 && e.SID <= 7) name = "LOAD(" + std::to_string(e.SID) + ")";
    } else {
        for (const KindName& k : kKindNames)
            if (k.code == e.kind && (k.inUndoListing || !undoListing)) name = k.name;
    }
    if (name.empty()) return "-------";
    return name + std::string(width > name.size() ? width - name.size() : 0, ' ');
}

std::string dumpKindLabel(const Element& e) { return kindLabel(e, 8, false); }
std::string undoKindLabel(const Element& e) { return kindLabel(e, 7, true); }

std::string offsetName(int32_t k)
{
    switch (k) {
    case OFFSET_CENTER: return "中心";
    case OFFSET_LEFT_LOWER: return "左(下)";
    case OFFSET_RIGHT_UPPER: return "右(上)";
    default: return "なし";
    }
}

}  // namespace

std::vector<std::string> modelDump(const Model& s)
{
    std::vector<std::string> out;
    out.emplace_back("部材断面==============================");
    for (int i = 0; i < kSectionCount && s.sections[i].secID >= 0; ++i) {
        const SectionEntry& e = s.sections[i];
        out.push_back("[" + std::to_string(i) + "]secID=" + std::to_string(e.secID) + "," + e.secKey + "," + e.secName +
                      "," + e.secSpec);
    }
    out.emplace_back("通り心==============================");
    static const char* const lineNames[3] = {"m_nBaseLineX[", "m_nBaseLineY[", "m_nBaseLineZ["};
    for (int a = 0; a < 3; ++a)
        for (int i = 0; i < kGridSlots; ++i)
            if (s.grid.line[a][i] >= 0)
                out.push_back(lineNames[a] + std::to_string(i) + "]   " + std::to_string(s.grid.line[a][i]));
    out.emplace_back("オフセット==============================");
    static const char* const axisNames[3] = {"X", "Y", "Z"};
    for (int a = 0; a < 3; ++a)
        for (int i = 0; i <= s.grid.spanCount[a] && i < kGridSlots; ++i)
            out.push_back(axisNames[a] + std::to_string(i) + ": " + offsetName(s.grid.offsetKind(a, i)) + ": " +
                          std::to_string(s.grid.offsetDist(a, i)));
    out.emplace_back("データ==============================");
    const auto& records = s.store.records();
    for (size_t i = 0; i < records.size(); ++i) {
        const Element& e = records[i];
        if (isDeadRecord(e)) continue;
        std::string line = int3(static_cast<long long>(i)) + ":" + dumpKindLabel(e) + " : SID =" + int3(e.SID) +
                           " : ndata =" + int3(e.ndata) + " : LY =" + int3(e.LY) + " : CL = " + blueByte(e.CL) +
                           " : UID =" + int3(e.UID) + " : refUID =" + int3(e.refUID) + " : secID =" + int3(e.secID) +
                           " " + " X1 =" + real8(e.X1) + " ,Y1 =" + real8(e.Y1) + " ,Z1 =" + real8(e.Z1) +
                           " ,X2 =" + real8(e.X2) + " ,Y2 =" + real8(e.Y2) + " ,Z2 =" + real8(e.Z2) +
                           " ,OX =" + real8(e.OX) + " ,OY =" + real8(e.OY) + " ,OZ =" + real8(e.OZ);
        if (e.kind == kind::GIRDER || e.kind == kind::BEAM || e.kind == kind::COLUMN)
            line += " ,[" + std::to_string(e.memberNo) + "]";
        out.push_back(std::move(line));
    }
    return out;
}

std::vector<std::string> undoListing(const Model& s)
{
    std::vector<std::string> out;
    const auto& records = s.store.records();
    out.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const Element& e = records[i];
        out.push_back(int3(static_cast<long long>(i)) + ":" + undoKindLabel(e) + "表示" + int3(e.showAge) + ":削除" +
                      int3(e.delAge) + " " + ":SID =" + int3(e.SID) + ": LY =" + int3(e.LY) + ":CL = " + blueByte(e.CL) +
                      ": UID =" + int3(e.UID) + ": refUID =" + int3(e.refUID) + ": secUID =" + int3(e.secID) + " " +
                      "X1 =" + real8(e.X1) + ", Y1 =" + real8(e.Y1) + ", X2 =" + real8(e.X2) + ", Y2 =" + real8(e.Y2));
    }
    return out;
}

}  // namespace model
