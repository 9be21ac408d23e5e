// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/edit_step.h"

#include "editor/editor_context.h"
#include "editor/erase_repair.h"
#include "session/show_notice.h"

namespace editor {

EditStep::EditStep(EditorContext& ctx) : store_(ctx.store()), ctx_(&ctx) {}

EditStep::EditStep(model::ElementStore& store) : store_(store) {}

EditStep::~EditStep()
{
    if (opened_) finish();
}

void EditStep::change()
{
    if (opened_) return;
    model::newStep(store_);
    opened_ = true;
}

void EditStep::refused()
{
    if (ctx_) session::show(ctx_->platform(), store_.takeNotices());
}

void EditStep::remove(int index)
{
    change();
    if (ctx_ && !whole_) {
        if (!repair_) repair_ = std::make_unique<EraseRepair>(*ctx_);
        repair_->erase(index);
    }
    store_.delElem(index);
}

void EditStep::finish()
{
    store_.invalidateConnections();
    if (!ctx_) return;
    ctx_->session.project.modified = true;
    if (whole_) {
        if (!fit_ || !ctx_->fitAll()) ctx_->redraw();
    } else {
        // Drawn after every erase, so a removed element never paints over a new one.
        if (repair_) repair_->redrawTouched();
        for (int i : added_)
            if (!store_.isDead(i)) ctx_->drawElement(i);
    }
    ctx_->modelChanged();
}

}  // namespace editor
