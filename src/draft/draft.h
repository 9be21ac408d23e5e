// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing output layer: pens, scale, store banks, and the primitives (lines, circles,
// arcs, texts, rounded rectangles, table rules, bar symbols) every drawing is built from.
// A drawing is an ordinary element store (the session's current store while it is drawn)
// plus the session's text buffer.
#pragma once

#include <array>
#include <string>

namespace model {
class ElementStore;
class Session;
}

namespace draft {

// One of the 15 numbered pens: the layer written into LY / the text layer, and the colour.
struct Pen {
    int layer = 0;
    int colour = 0;
};
inline constexpr int kPenCount = 15;
// Pens 1..15 at indices 0..14.
const std::array<Pen, kPenCount>& penTable();

// Colours used by the generators beside the pen colours (0x00BBGGRR).
inline constexpr int kColourOlive = 0x008080;

// Line types of DraftModelLine.
enum ModelLineType : int { MODEL_LINE = 0, MODEL_DASHLINE = 1, MODEL_DOTLINE = 2, MODEL_DASHDOT = 3 };

// Bar symbol types of DraftBarMark (1..14; anything else draws nothing).
inline constexpr int kBarMarkFirst = 1;
inline constexpr int kBarMarkLast = 14;

// Alignment codes of a text (keypad order from the top).
enum TextBase : int {
    BASE_TOP_LEFT = 1,
    BASE_TOP_CENTRE = 2,
    BASE_TOP_RIGHT = 3,
    BASE_MIDDLE_LEFT = 4,
    BASE_MIDDLE_CENTRE = 5,
    BASE_MIDDLE_RIGHT = 6,
    BASE_BOTTOM_LEFT = 7,
    BASE_BOTTOM_CENTRE = 8,
    BASE_BOTTOM_RIGHT = 9,
};

// Everything the layer remembers between calls. The caller that runs drawings keeps one for
// the whole program run: the pen persists from one drawing to the next.
struct DraftState {
    double draftScale = 40;    // scale denominator of the running drawing
    int draftTextHeight = 120;  // drawing units: moji height x scale, rounded
    int drawPen = 1;            // layer number of new elements and texts
    int drawColour = 0x800080;  // colour of new elements and texts

    // Where the two stores are. The model store is current unless modelInBank; the drawing
    // store is current while the model is in its bank, unless drawingInBank.
    bool modelInBank = false;
    bool drawingInBank = false;

    // Next free UID of the drawing store, valid while the store still has uidStoreCount
    // records; spares a scan of the whole store for every primitive.
    int nextUID = 0;
    int uidStoreCount = -1;
};

// The operations of the layer on one session. Holds references only: the state lives with
// the caller (or inside the Drafter for a one-off use such as a test).
class Drafter {
public:
    explicit Drafter(model::Session& session);
    Drafter(model::Session& session, DraftState& state);
    Drafter(const Drafter&) = delete;
    Drafter& operator=(const Drafter&) = delete;

    model::Session& session() { return session_; }
    DraftState& state() { return state_; }
    const DraftState& state() const { return state_; }
    double draftScale() const { return state_.draftScale; }
    int draftTextHeight() const { return state_.draftTextHeight; }

    // Scale and pen.
    void SetDraftScale(double mojiHeight, double scale);
    void SetPen(int n);                 // 1..15; anything else keeps the current pen
    void SetColour(int colour);         // changes the colour only, the pen's layer stays
    int drawPen() const { return state_.drawPen; }
    int drawColour() const { return state_.drawColour; }

    // Store banks. Each is a move of the whole store and is lossless: a call that would drop
    // a store (stashing twice, using a bank that holds nothing) does nothing instead, and
    // UseDrawingStore / UseModelStore first put the store they displace into its own bank.
    void StashModelStore();
    void UseDrawingStore();
    void StashDrawingStore();
    void UseModelStore();
    bool modelIsCurrent() const { return !state_.modelInBank; }
    // Throws the drawing away (wherever it is) and makes the model store current again.
    void freeDrawing();

    // Primitives on the current (drawing) store, with the current pen. Each returns the
    // index of the new element, or -1 when the store could not grow.
    int DraftLine(double x1, double y1, double x2, double y2);
    int DraftDotLine(double x1, double y1, double x2, double y2);
    int DraftCircle(double r, double x, double y);
    int DraftArc(double x, double y, double r, double a1, double a2);

    // Primitives for generators that keep the model store current while they draw: the
    // element goes into the drawing store in its bank. type: ModelLineType; any other type,
    // or a line whose ends coincide, adds nothing (-1).
    int DraftModelLine(int type, double x1, double y1, double x2, double y2);
    int DraftModelArc(double x, double y, double r, double a1, double a2);

    // Texts go into the session's text buffer with the current pen's layer and colour.
    // lift moves the anchor at right angles to the text direction, towards the text's top.
    // Returns the entry index, or -1 when the buffer is full.
    int addMoji(int nBase, const std::string& text, double x, double y, double height, double angle,
                double lift);
    // A text along the line (x1, y1)-(x2, y2), always readable from left to right, at
    // draftTextHeight. where: 1 start, 2 middle, 3 end (any other value: the origin).
    int DraftTextOnLine(const std::string& text, int nBase, int where, double x1, double y1, double x2, double y2,
                        double lift);

    // Composite shapes on the current store.
    // Rectangle with corners rounded by r1 on the y1 side and r2 on the y2 side.
    void DraftRoundRect(double x1, double y1, double x2, double y2, double r1, double r2);
    // nVert vertical and nHoriz horizontal rules of a table whose top-left corner is
    // (left, top); counts below 2 draw a single rule at the left / top edge.
    void DraftGrid(int nVert, int nHoriz, double left, double top, double width, double height);
    // Bar symbol 1..14 centred at (x, y); sizes are drawing units, not scaled.
    void DraftBarMark(int type, double x, double y);

private:
    int addToCurrent(int kindCode, double x1, double y1, double z1, double x2, double y2, double z2);
    int addTo(model::ElementStore& store, int kindCode, double x1, double y1, double z1, double x2, double y2,
              double z2);
    int addToDrawingBank(int kindCode, double x1, double y1, double z1, double x2, double y2, double z2);

    model::Session& session_;
    DraftState ownState_;
    DraftState& state_;
};

// Direction of DraftTextOnLine's text for a line from (x1, y1) to (x2, y2): degrees in
// 0..91 or 271..360, rounded to 0.01.
double readableLineAngle(double x1, double y1, double x2, double y2);

}  // namespace draft
