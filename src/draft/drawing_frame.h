// SPDX-License-Identifier: GPL-3.0-or-later
// The frame every drawing runs in: the model store is put aside, a fresh drawing store and
// an empty text buffer receive the generator's output, and the model store comes back when
// the drawing is closed (or when the generator fails).
#pragma once

#include <functional>
#include <string>

#include "draft/draft.h"

namespace model {
class Session;
}
namespace settings {
struct Settings;
}

namespace draft {

// Which scale and moji height a drawing uses: DrawScale / DrawMojiHeight (rebar arrangement
// drawing, framing plan and elevation) or ListScale / ListMojiHeight (section lists).
enum class ScaleMode { Draw = 0, List = 1 };

// Which store is current while the generator runs: the drawing store (section lists, which
// draw with DraftLine ...) or the model store (generators that read the model and draw with
// DraftModelLine ...).
enum class GeneratorStore { Drawing, Model };

struct DraftScale {
    double mojiHeight = 3;
    double scale = 40;
};
DraftScale scaleOf(const settings::Settings& settings, ScaleMode mode);

class DrawingFrame {
public:
    using Generator = std::function<void(Drafter&)>;

    DrawingFrame(model::Session& session, DraftState& state);
    DrawingFrame(const DrawingFrame&) = delete;
    DrawingFrame& operator=(const DrawingFrame&) = delete;
    // Closes a drawing still open, so the model store is never left in its bank.
    ~DrawingFrame();

    // Runs one drawing: model store into its bank, fresh drawing store and text buffer, the
    // scale of mode, the generator; returns with the drawing store current for showing.
    // A drawing still open is closed first (regeneration at a new scale). When the generator
    // throws, the drawing is thrown away, the model store is current again, the reason is
    // shown in a message and the result is false.
    bool run(ScaleMode mode, GeneratorStore store, const Generator& generator);
    // Frees the drawing store and makes the model store current. The text buffer is left
    // as it is: the preview empties it when it closes, the next run when it starts.
    void close();

    bool isOpen() const { return open_; }
    Drafter& drafter() { return drafter_; }

private:
    model::Session& session_;
    Drafter drafter_;
    bool open_ = false;
};

}  // namespace draft
