// SPDX-License-Identifier: GPL-3.0-or-later
// The DXF release 12 writer: the element store's lines, circles and arcs and the text
// buffer's labels as one ASCII DXF file (texts in CP932).
#pragma once

#include <cstdint>
#include <string>

#include "model/helpers.h"
#include "model/project_file.h"

namespace model {
struct Moji;
class ElementStore;
class TextBuffer;
class Session;
}  // namespace model

namespace settings {
struct Settings;
}

namespace dxf {

// The header's drawing extents and limits. They follow the drawn elements; a store with no
// live element leaves them as the previous write set them (zero at first).
struct DxfExtents {
    model::Point extMin{}, extMax{}, limMin{}, limMax{};
};

// Text placement inputs taken from the draft settings.
struct TextOptions {
    int dxfBase = 7;         // DXFnBASE: the alignment the CAD program is told to use
    double mojiRatio = 0.5;  // MojiRatio: width factor, also used to estimate text length
};
TextOptions textOptions(const settings::Settings& settings);

inline constexpr uint32_t kFirstHandle = 0x14A;

// The point a text is written at: the corner of its box that DXFnBASE names, placed so that
// the box lies where its own nBase put it. Sheets place texts by the same point.
model::Point dxfTextPoint(const model::Moji& text, const TextOptions& options);
// The estimated length of the text's box: height x MojiRatio x CP932 bytes.
double dxfTextLength(const model::Moji& text, const TextOptions& options);

// DXF colour number (group 62) of a 0x00BBGGRR colour.
int dxfColour(int colour);
// Line type of the entity written for an element kind; nullptr for kinds that are not written.
const char* dxfLineType(int kind);
// ".dxf" appended unless the name already ends in it (in any case).
std::string dxfFileName(const std::string& name);

// Sets the extents from the live elements; false (extents untouched) when there is none.
bool updateExtents(const model::ElementStore& store, DxfExtents& extents);

class TagWriter;

// The whole file through the tag writer: updates `extents`, then preamble, entities, texts,
// trailer.
void writeDxfTo(TagWriter& tags, const model::ElementStore& store, const model::TextBuffer& texts,
                const TextOptions& options, DxfExtents& extents);
// The whole file as bytes.
std::string dxfBytes(const model::ElementStore& store, const model::TextBuffer& texts, const TextOptions& options,
                     DxfExtents& extents);

// Writes the file named exactly `fileName` (callers apply dxfFileName to a chosen name).
// The bytes stream, a bounded chunk at a time, into a temporary file beside it that replaces
// the target only when complete, so a failed write leaves an existing file whole; the result
// says why it failed.
model::FileResult WriteDxf(const std::string& fileName, const model::ElementStore& store,
                           const model::TextBuffer& texts, const settings::Settings& settings, DxfExtents& extents);
// The same with fresh (zero) extents.
model::FileResult WriteDxf(const std::string& fileName, const model::ElementStore& store,
                           const model::TextBuffer& texts, const settings::Settings& settings);
// The session's current store and text buffer with its settings.
model::FileResult WriteDxf(const std::string& fileName, const model::Session& session, DxfExtents& extents);

}  // namespace dxf
