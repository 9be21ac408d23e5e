// SPDX-License-Identifier: GPL-3.0-or-later
// The whole drawing set of a building as DXF files in one folder: both section lists, the
// framing plan of every level, the framing elevation and the rebar arrangement drawing of
// every grid line, each named after what it shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/element.h"

namespace model {
class Session;
struct GridModel;
}  // namespace model

namespace draft {

class DrawingFrame;

struct SetDrawing {
    int code = 0;  // drawing command code
    model::ViewMode mode = model::ViewMode::Plan;
    int tab = 0;           // level or grid-line tab of the view
    std::string fileName;  // "framing-Y-A.dxf": the grid line's name, made safe for a file name
    std::string what;      // "framing elevation of Y line A", for notices
};

// Every drawing of the set in the order it is written.
std::vector<SetDrawing> wholeDrawingSet(const model::GridModel& grid);

// Runs the drawing of code for the session's current view in the frame and writes it to
// file; empty on success, else why not.
std::string writeDrawing(model::Session& session, DrawingFrame& frame, int code, const std::string& file);

struct SetProgress {
    std::function<void(const std::string& file)> written;
    std::function<void(const SetDrawing& drawing)> leftOut;  // nothing to draw
};

// Makes the set's folder when missing; empty, or why it cannot be used.
std::string prepareSetFolder(const std::string& folder);
// The entry's file in folder, in `file`; why it may not be written when it is `keep` (the
// project itself), else empty.
std::string setFileOf(const std::string& folder, const std::string& keep, const SetDrawing& entry, std::string& file);

// Writes every drawing of the set with something to draw into folder (made when missing);
// stops at the first failure and returns why, else empty. The session's view is left at the
// last drawing's slice. A file that is `keep` (the project itself) is never written.
std::string writeDrawingSet(model::Session& session, const std::string& folder, const std::string& keep,
                            const SetProgress& progress);

}  // namespace draft
