// SPDX-License-Identifier: GPL-3.0-or-later
// Both section lists drawn from any project that reads: the generators stay inside the
// drawing, and the DXF file of what they drew is well formed.
#include "fuzz_support.h"

#include "draft/column_list.h"
#include "draft/drawing_frame.h"
#include "draft/girder_list.h"
#include "model/project_file.h"
#include "session/session.h"

namespace fuzz {

int fuzzSectionLists(const uint8_t* data, size_t size)
{
    QuietPlatform platform;
    model::Session session(platform);
    if (!model::readProjectBytes(session, std::string(bytesOf(data, size)), "fuzz.kel").ok) return 0;
    const draft::DrawingFrame::Generator lists[2] = {
        [&session](draft::Drafter& d) { draft::drawGirderList(session, d); },
        [&session](draft::Drafter& d) { draft::drawColumnList(session, d); },
    };
    for (const auto& generator : lists) {
        draft::DraftState state;
        draft::DrawingFrame frame(session, state);
        if (!frame.run(draft::ScaleMode::List, draft::GeneratorStore::Drawing, generator)) continue;
        checkDrawingDxf(session, "section list");
        frame.close();
    }
    return 0;
}

}  // namespace fuzz
