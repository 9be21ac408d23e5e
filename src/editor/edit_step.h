// One user gesture = one undo step. The step is opened only when the gesture really changes
// the store, so a click that changes nothing keeps the redo history.
#pragma once

#include "model/element_store.h"
#include "model/undo.h"

namespace editor {

class EditStep {
public:
    explicit EditStep(model::ElementStore& store) : store_(store) {}
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;
    ~EditStep()
    {
        if (opened_) store_.invalidateConnections();
    }

    // Call before every change of the store; opens the step the first time.
    void change()
    {
        if (opened_) return;
        model::newStep(store_);
        opened_ = true;
    }
    bool opened() const { return opened_; }

    // A fresh identifier for a new element; the store is scanned once per gesture, not once
    // per element, so gestures that add many elements stay linear.
    int newUID()
    {
        if (nextUID_ < 0) nextUID_ = store_.newUID();
        return nextUID_++;
    }

private:
    model::ElementStore& store_;
    bool opened_ = false;
    int nextUID_ = -1;
};

}  // namespace editor
