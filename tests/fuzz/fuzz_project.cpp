// SPDX-License-Identifier: GPL-3.0-or-later
// The project reader: any bytes either read or are refused; an accepted file writes, reads
// and writes again to the same bytes; every walk over what was read stays in the store.
#include "fuzz_support.h"

#include "model/dump.h"
#include "model/project_file.h"
#include "model/undo.h"
#include "session/session.h"

namespace fuzz {

int fuzzProject(const uint8_t* data, size_t size)
{
    QuietPlatform platform;
    model::Session session(platform);
    if (!model::readProjectBytes(session, std::string(bytesOf(data, size)), "fuzz.kel").ok) return 0;
    const std::string first = model::projectText(session);
    model::Session again(platform);
    const model::FileResult reread = model::readProjectBytes(again, first, "first.kel");
    check(reread.ok, "a written project reads again", reread.message);
    check(model::projectText(again) == first, "write, read, write gives the same bytes", first);

    // What the window does with a freshly opened project.
    auto& store = session.store;
    check(store.liveCount() <= store.count(), "the live walk stays in the store");
    store.extent(false, false, true);
    store.computeConnections();
    model::modelDump(session);
    check(!model::undoStep(store), "undo right after opening does nothing");
    return 0;
}

}  // namespace fuzz
