// SPDX-License-Identifier: GPL-3.0-or-later
// Every geometric object of the project (or of a drawing) as records in one growable array.
// Records are appended only; deletion and undo work through the two step ages of a record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/element.h"
#include "model/notice.h"

namespace model {

// Members meeting at the ends of an element; -1 means none. Entries 0-5 for the first end,
// 6-11 for the second: girder along X starting / ending there, girder along Y starting /
// ending there, column starting / ending there.
using ConnectionRow = std::array<int32_t, 12>;

namespace con {
inline constexpr int GX_FIRST = 0;
inline constexpr int GX_SECOND = 1;
inline constexpr int GY_FIRST = 2;
inline constexpr int GY_SECOND = 3;
inline constexpr int COL_FIRST = 4;
inline constexpr int COL_SECOND = 5;
inline constexpr int SECOND_END = 6;
}  // namespace con

struct Extent {
    double minX = 1.7e308, minY = 1.7e308;
    double maxX = -1.7e308, maxY = -1.7e308;
    bool found = false;
};

class ElementStore {
public:
    ElementStore();

    // What the store had to tell the user since last asked (the notice that memory ran out),
    // for the command that added to it to show.
    Notices takeNotices() { return takeAll(notices_); }

    // Empties the store and reserves room again (record 0 blank, not counted).
    void clear();
    int count() const { return static_cast<int>(records_.size()); }
    int capacity() const { return static_cast<int>(records_.capacity()); }
    // Makes room for n more records; false (and a notice) when memory ran out.
    bool growStore(int n);
    // Makes room for n more records at once when it can, saying nothing when it cannot: a store
    // then grows as it goes. Room never written costs address space, not memory.
    void reserveRoom(size_t n);
    // Appends a blank record; its index, or -1 when no room could be had.
    int appendBlank();

    Element& at(int index) { return records_[static_cast<std::size_t>(index)]; }
    const Element& at(int index) const { return records_[static_cast<std::size_t>(index)]; }
    const std::vector<Element>& records() const { return records_; }
    std::vector<Element>& records() { return records_; }

    bool isDead(int index) const { return isDeadRecord(at(index)); }
    // Advances cursor (start at -1) to the next live element; false when there is none.
    bool nextLive(int& cursor) const;
    // The last record that belongs to the element at index (its continuation records),
    // never past the end of the store.
    int lastRecordOf(int index) const;
    int liveCount() const;
    int newUID() const;
    int findUID(int uid) const;

    int addElem(int kindCode, int sid, int layer, int uid, int secID, int refUID, double x1, double y1,
                double z1, double x2, double y2, double z2, int colour);
    int addElemView(const ViewPlane& view, int kindCode, int sid, int layer, int uid, int secID, int refUID,
                    double u1, double v1, double u2, double v2, int colour);
    int copyElement(int index, bool newIdentifier);
    void delElem(int index);
    void deleteWithLoads(int index);

    ViewSegment viewCoords(const ViewPlane& view, int index);
    bool inPlane(const ViewPlane& view, int index);
    // Nearest element to (x, y) of the current view on the current level; -1 when none lies
    // within 20 pixels. pixelsPerMm is the view transform's scale.
    int nearestElement(const ViewPlane& view, int excluded, double x, double y, double pixelsPerMm);
    // gridShown: whether a grid-line display switch is on (grid elements count then).
    Extent extent(bool onlySelected, bool skipGrid, bool gridShown) const;
    void clearSelection();
    void selectOne(int index);
    void selectInBox(const ViewPlane& view, double u1, double v1, double u2, double v2);

    // Steps undo may still take back. The records a store starts with (read from a file, made
    // for a new project) are the floor of the history: undo never goes below them.
    int undoDepth() const { return undoDepth_; }
    void setUndoDepth(int depth) { undoDepth_ = depth; }
    // Identity of the step at a depth (0 when there is none), so what a step keeps outside the
    // records can tell its own step from a later one that took the same depth after an undo.
    uint64_t stepId(int depth) const;
    // Called when a step has just been opened at the current depth.
    void openStepId();

    // Connection table; computed on demand in about linear time.
    bool connectionsValid() const { return conValid_; }
    void invalidateConnections()
    {
        conValid_ = false;
        if (slice_.valid) slice_ = {};
    }
    void computeConnections();
    // Rows for the elements lying in the plane where coordinate axis (0 X, 1 Y, 2 Z) is value,
    // the same as the whole table would hold, at the cost of that plane alone: a drawing of
    // one slice needs no more. Rows of other elements still come from the whole table.
    void computeConnectionsOnPlane(int axis, double value);
    const ConnectionRow& connections(int index);

private:
    int appendElement(int kindCode, int sid, int layer, int uid, int secID, int refUID, int colour);

    std::vector<Element> records_;
    ConnectionRow* sliceRow(int index);

    std::vector<ConnectionRow> connections_;
    bool conValid_ = false;
    struct SliceRows {
        bool valid = false;
        int axis = 0;
        double value = 0;
        std::vector<int> indices;  // ascending
        std::vector<ConnectionRow> rows;
    };
    SliceRows slice_;
    int undoDepth_ = 0;
    std::vector<uint64_t> stepIds_;  // of depths 1, 2, ...
    uint64_t lastStepId_ = 0;        // never reset, so ids stay unique for the store
    Notices notices_;
};

}  // namespace model
