// SPDX-License-Identifier: GPL-3.0-or-later
// One user gesture = one edit object = one undo step. The step is opened only when the gesture
// really changes the store, so a click that changes nothing keeps the redo history. Elements
// are added, removed and replaced through it, and the work every edit needs afterwards
// (modified flag, element count, stale connection table, drawing, 3-D view) is done once,
// when the gesture ends.
#pragma once

#include <memory>
#include <vector>

#include "model/element_store.h"
#include "model/undo.h"

namespace editor {

class EditorContext;
class EraseRepair;

class EditStep {
public:
    // A gesture of the editor: the after-edit work is done when the object goes.
    explicit EditStep(EditorContext& ctx);
    // An edit of a store alone (no window): only the connection table goes stale.
    explicit EditStep(model::ElementStore& store);
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;
    ~EditStep();

    // Call before every change of the store made outside add / remove / replace; opens the
    // step the first time.
    void change();
    bool opened() const { return opened_; }

    // Adds the element `make` appends to the store (its index, or -1 when the store could not
    // grow); the new element is drawn when the gesture ends.
    template <typename Make>
    int add(Make make)
    {
        change();
        const int i = make();
        if (i >= 0)
            added_.push_back(i);
        else
            refused();
        return i;
    }
    // Deletes the element, erasing it from the plan (only a live element can be erased); what
    // the erase painted over is drawn again when the gesture ends.
    void remove(int index);
    // Adds the replacement first and deletes `old` only when that worked, so a store that
    // cannot grow keeps the old element. The new index, or -1 (old left as it was).
    template <typename Make>
    int replace(int old, Make make)
    {
        const int i = add(make);
        if (i >= 0) remove(old);
        return i;
    }

    // The whole plan is drawn again at the end instead of the touched elements (when the
    // change alters how other elements look); with fit, fitted to the model first.
    void redrawWhole(bool fit = false)
    {
        whole_ = true;
        fit_ = fit_ || fit;
    }

    // A fresh identifier for a new element; the store is scanned once per gesture, not once
    // per element, so gestures that add many elements stay linear.
    int newUID()
    {
        if (nextUID_ < 0) nextUID_ = store_.newUID();
        return nextUID_++;
    }

private:
    void finish();
    // Shows why the store could not take an element.
    void refused();

    model::ElementStore& store_;
    EditorContext* ctx_ = nullptr;
    bool opened_ = false;
    bool whole_ = false;
    bool fit_ = false;
    int nextUID_ = -1;
    std::vector<int> added_;
    std::unique_ptr<EraseRepair> repair_;  // made on the first erase
};

}  // namespace editor
