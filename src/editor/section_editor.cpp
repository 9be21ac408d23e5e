// SPDX-License-Identifier: GPL-3.0-or-later
// The work table, the rows of a page and the control values of the shown row.
#include "editor/section_editor.h"

#include <algorithm>

#include "editor/dispatcher.h"
#include "model/helpers.h"
#include "session/session.h"
#include "session/show_notice.h"

namespace editor {

namespace {

// The bar fields of each mode: everything but the size edits.
constexpr int kGirderBarsFirst = NoLUP;
constexpr int kColumnBarsFirst = NoMX;

std::string joinFields(const SectionFields& f, int first, int end)
{
    std::string text;
    for (int i = first; i < end; ++i) {
        if (i > first) text += ':';
        text += f[static_cast<size_t>(i)];
    }
    return text;
}

}  // namespace

SectionEditor::SectionEditor(Dispatcher& dispatcher, const SectionEditorPorts& ports)
    : dispatcher_(dispatcher), ports_(ports)
{
}

platform::Platform& SectionEditor::platform() { return dispatcher_.context().platform(); }
settings::DraftEnv& SectionEditor::draftEnv() { return dispatcher_.context().session.settings.draft; }
const settings::DraftEnv& SectionEditor::env() const { return dispatcher_.context().session.settings.draft; }

std::vector<std::string> SectionEditor::headers(bool girders)
{
    std::vector<std::string> h(girders ? kGirderGridColumns : kColumnGridColumns);
    if (girders) {
        const char* names[] = {"断面", "左上端", "左下端", "中上端", "中下端", "右上端", "右下端", "ｽﾀｰﾗｯﾌﾟ", "腹筋"};
        for (int i = 0; i < 9; ++i) h[static_cast<size_t>(COL_SUMMARY + i)] = names[i];
    } else {
        h[COL_SUMMARY] = "断面";
        h[COL_SUMMARY + 1] = "主筋";
        h[COL_SUMMARY + 2] = "フープ";
    }
    return h;
}

void SectionEditor::open(char letter, int rodKind)
{
    model::Session& session = dispatcher_.context().session;
    // 梁断面 / 柱断面 pressed while the dialog is open switches the kind and keeps what was
    // typed: those edits go back with the work table on OK, not lost by copying it again.
    const bool switching = open_;
    if (switching && !rowAcceptable()) return;
    if (switching) {
        applyRow();
        storePage();
    }
    letter_ = letter == model::kColumnLetter ? model::kColumnLetter : model::kGirderLetter;
    if (!switching) {
        rodKind_ = rodKind >= ROD_DEFORMED && rodKind <= ROD_BOTH ? rodKind : ROD_DEFORMED;
        work_ = session.sections;
    }
    clipboard_.clear();
    autoWebFlag_ = false;
    spans_ = session.grid.spanCount[model::AXIS_Z];
    fields_ = SectionFields{};
    foundationChoice_ = env().GirderListBase == 2 ? 2 : 1;

    rows_.clear();
    for (int level : model::levelNumbers(letter_, spans_)) {
        SectionGridRow row;
        row.level = level;
        row.cells.assign(static_cast<size_t>(gridColumns()), "");
        rows_.push_back(std::move(row));
    }
    pages_ = model::markList(letter_, work_, kMaxMarkPages);
    if (pages_.empty()) pages_.push_back(std::string(1, letter_) + "1");
    open_ = true;
    page_ = 0;
    showPage(0);
    loadRow(0);
    storePage();
}

std::string SectionEditor::levelTextOf(int level) const { return model::levelText(letter_, level, spans_); }

std::string SectionEditor::currentSpec() const
{
    if (row_ < 0 || row_ >= static_cast<int>(rows_.size())) return {};
    return rows_[static_cast<size_t>(row_)].cells[COL_SPEC];
}

void SectionEditor::refreshSummary(SectionGridRow& row) const
{
    const std::string& spec = row.cells[COL_SPEC];
    auto& c = row.cells;
    if (girders()) {
        c[COL_SUMMARY] = model::fmtSize(spec, 0);
        for (int g = 0; g < 6; ++g) c[static_cast<size_t>(COL_SUMMARY + 1 + g)] = model::fmtBarGroup(model::specItem(spec, 1 + g));
        c[COL_SUMMARY + 7] = model::fmtStirrup(model::specItem(spec, 7));
        c[COL_SUMMARY + 8] = model::fmtBars(model::specItem(spec, 8));
    } else {
        c[COL_SUMMARY] = model::fmtSize(spec, 0);
        c[COL_SUMMARY + 1] = model::fmtColumnMain(model::specItem(spec, 1));
        c[COL_SUMMARY + 2] = model::fmtHoop(model::specItem(spec, 2));
    }
}

void SectionEditor::showPage(int page)
{
    if (page < 0 || page >= static_cast<int>(pages_.size())) return;
    for (SectionGridRow& row : rows_) {
        std::fill(row.cells.begin(), row.cells.end(), std::string());
        row.cells[COL_LABEL] = model::levelRowLabel(letter_, row.level, spans_);
        row.cells[COL_KEY] = model::makeSecKey(letter_, row.level, page + 1);
        const model::FoundSection found = model::findSection(work_, row.cells[COL_KEY]);
        if (found.found) {
            row.cells[COL_ID] = std::to_string(found.secID);
            row.cells[COL_NAME] = found.secName;
            row.cells[COL_SPEC] = found.secSpec;
            refreshSummary(row);
        } else {
            row.cells[COL_NAME] = model::makeSecName(levelTextOf(row.level), pages_[static_cast<size_t>(page)]);
        }
    }
}

void SectionEditor::storePage()
{
    for (SectionGridRow& row : rows_) {
        if (!session::shown(platform(),
                            model::setMemRod(work_, row.cells[COL_KEY], row.cells[COL_NAME], row.cells[COL_SPEC])))
            continue;  // the table is full; the row keeps its text
        const model::FoundSection found = model::findSection(work_, row.cells[COL_KEY]);
        if (found.found) row.cells[COL_ID] = std::to_string(found.secID);
    }
}

void SectionEditor::clearFields(int first, int end)
{
    for (int i = first; i < end; ++i) fields_[static_cast<size_t>(i)].clear();
}

void SectionEditor::loadItem(const std::string& spec, int item, int firstField, int count)
{
    // The fields of one item are consecutive controls.
    const std::string text = model::specItem(spec, item);
    for (int i = 0; i < count; ++i) fields_[static_cast<size_t>(firstField + i)] = model::fieldAt(i, text, ':');
}

void SectionEditor::loadSpec(const std::string& spec)
{
    using model::fieldAt;
    using model::specItem;
    const std::string item0 = specItem(spec, 0);
    if (girders()) {
        clearFields(kGirderFieldFirst, kGirderFieldEnd);
        // Centre and right b and D that are not given are the left ones.
        for (int end = 0; end < 3; ++end)
            for (int which = 0; which < 2; ++which)
                fields_[sizeEdit(end, which)] = model::sizeField(item0, which, end);
        for (int g = 0; g < 6; ++g) loadItem(spec, 1 + g, barCount(g), 3);
        loadItem(spec, 7, NoSTAR, 3);
        loadItem(spec, 8, NoBODY, 2);
    } else {
        clearFields(kColumnFieldFirst, kColumnFieldEnd);
        fields_[SecX] = fieldAt(1, item0, ':');
        fields_[SecY] = fieldAt(2, item0, ':');
        loadItem(spec, 1, NoMX, 3);
        loadItem(spec, 2, NoHoopX, 4);
    }
}

void SectionEditor::loadRow(int row)
{
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    row_ = row;
    autoWebFlag_ = false;
    const std::string spec = rows_[static_cast<size_t>(row)].cells[COL_SPEC];
    loadSpec(spec);
    // Sizes stay as stored, even those outside the kind's list (a 13φ read from a CSV under
    // deformed bars): only a change of the kind moves them. Selecting a row writes it back composed, but never loses it: a stored size without
    // bars (an SS2 concrete sheet alone) would compose to no section at all.
    if (spec.empty() || !composeSpec().empty()) applyRow();
    platform().debugOut("showSelectSectionInfo:" + spec);
}

void SectionEditor::selectRow(int row)
{
    if (row == row_ || !rowAcceptable()) return;
    loadRow(row);
}

std::optional<SectionEditor::FieldProblem> SectionEditor::rowProblem() const
{
    if (row_ < 0 || row_ >= static_cast<int>(rows_.size()) || page_ < 0 || page_ >= static_cast<int>(pages_.size()))
        return std::nullopt;
    const int first = girders() ? kGirderFieldFirst : kColumnFieldFirst;
    const int end = girders() ? kGirderFieldEnd : kColumnFieldEnd;
    for (int i = first; i < end; ++i) {
        const auto f = static_cast<SectionField>(i);
        const std::string fault = fieldFault(f, fields_[f]);
        if (fault.empty()) continue;
        const std::string where = model::levelRowLabel(letter_, rows_[static_cast<size_t>(row_)].level, spans_) + " " +
                                  pages_[static_cast<size_t>(page_)];
        return FieldProblem{f, where + " の「" + fieldLabel(f) + "」に「" + fields_[f] + "」は入力できません。" + fault};
    }
    return std::nullopt;
}

bool SectionEditor::rowAcceptable()
{
    const std::optional<FieldProblem> problem = rowProblem();
    if (!problem) return true;
    platform().messageBox(platform::kConfirmCaption, problem->message, platform::Buttons::Ok);
    refused_ = problem->field;
    return false;
}

std::string SectionEditor::composeSpec()
{
    const SectionFields& f = fields_;
    if (girders()) {
        if (autoWebFlag_) {
            const std::string depth = model::trim(f[SecB1]);
            if (model::isNumber(depth)) {
                const model::WebBarSuggestion web = model::suggestWebBars(model::strToFloatOr0(depth), rodKind_);
                fields_[NoBODY] = web.count;
                fields_[NmBODY] = web.size;
            }
            autoWebFlag_ = false;
        }
        std::string bars;
        for (int g = 0; g < 6; ++g) bars += joinFields(f, barCount(g), barCount(g) + 3) + ";";
        bars += joinFields(f, NoSTAR, NoSTAR + 3) + ";";
        bars += joinFields(f, NoBODY, NoBODY + 2) + ";";
        if (model::normaliseSpec(bars).empty()) return {};
        return "RC:" + joinFields(f, SecA1, SecB3 + 1) + ";" + bars;
    }
    std::string bars = joinFields(f, NoMX, NoMX + 3) + ";" + joinFields(f, NoHoopX, NoHoopX + 4) + ";";
    if (model::normaliseSpec(bars).empty()) return {};
    return "RC:" + f[SecX] + ":" + f[SecY] + ";" + bars;
}

void SectionEditor::applyRow()
{
    if (row_ < 0 || row_ >= static_cast<int>(rows_.size())) return;
    const std::string spec = composeSpec();
    SectionGridRow& row = rows_[static_cast<size_t>(row_)];
    row.cells[COL_SPEC] = spec;
    refreshSummary(row);
    platform().debugOut("sectionApply:" + spec);
}

void SectionEditor::setField(SectionField f, const std::string& text)
{
    fields_[f] = text;
    // The left end leads: its b and D are the whole girder's until the other ends differ.
    if (f == SecA1 || f == SecB1) {
        fields_[sizeEdit(1, f - SecA1)] = text;
        fields_[sizeEdit(2, f - SecA1)] = text;
    }
    // A size typed letter by letter must not leave its first letters in the other ends: only
    // a whole size of the list fills them.
    const std::vector<std::string> sizes = sizeChoices(rodKind_);
    const bool wholeSize = !text.empty() && std::find(sizes.begin(), sizes.end(), text) != sizes.end();
    if (wholeSize && (f == barSize(0) || f == barSize(1))) {
        const int g = f == barSize(0) ? 0 : 1;
        for (int other : {g + 2, g + 4})
            if (fields_[barSize(other)].empty()) fields_[barSize(other)] = text;
    }
    applyRow();
}

void SectionEditor::keypad(SectionField f)
{
    if (!ports_.keypad || !isEditField(f)) return;
    const std::optional<std::string> value = ports_.keypad->enterNumber(fields_[f]);
    if (!value) return;
    if (f == SecB1 || f == SecB2 || f == SecB3) autoWebFlag_ = true;
    setField(f, *value);
}

void SectionEditor::setRodKind(int kind)
{
    if (kind < ROD_DEFORMED || kind > ROD_BOTH) return;
    rodKind_ = kind;
    for (int i = 0; i < kSectionFieldCount; ++i)
        if (isSizeField(static_cast<SectionField>(i)))
            fields_[static_cast<size_t>(i)] = sizeForKind(fields_[static_cast<size_t>(i)], kind);
    applyRow();
}

void SectionEditor::copyLeftToCentre()
{
    for (int which = 0; which < 2; ++which) fields_[sizeEdit(1, which)] = fields_[sizeEdit(0, which)];
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k) fields_[static_cast<size_t>(barCount(2 + g) + k)] = fields_[static_cast<size_t>(barCount(g) + k)];
    applyRow();
}

void SectionEditor::copyLeftToRight()
{
    // From the left end, not from the centre.
    for (int which = 0; which < 2; ++which) fields_[sizeEdit(2, which)] = fields_[sizeEdit(0, which)];
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k) fields_[static_cast<size_t>(barCount(4 + g) + k)] = fields_[static_cast<size_t>(barCount(g) + k)];
    applyRow();
}

void SectionEditor::copySpec() { clipboard_ = composeSpec(); }

void SectionEditor::pasteSpec()
{
    if (clipboard_.empty()) return;
    loadSpec(clipboard_);
    applyRow();
}

void SectionEditor::clearSpec()
{
    if (girders()) clearFields(kGirderFieldFirst, kGirderFieldEnd);
    else clearFields(kColumnFieldFirst, kColumnFieldEnd);
    applyRow();
}

void SectionEditor::defaults()
{
    const settings::DraftEnv& e = env();
    if (girders()) {
        clearFields(kGirderBarsFirst, kGirderFieldEnd);
        if (e.InitGirder.empty()) {
            platform().messageBox(platform::kConfirmCaption, kNoInitGirder, platform::Buttons::Ok);
        } else {
            bool sized = false;
            for (int i = SecA1; i <= SecB3; ++i) sized = sized || !model::trim(fields_[static_cast<size_t>(i)]).empty();
            loadSpec(sized ? "RC:" + joinFields(fields_, SecA1, SecB3 + 1) + ";" + e.InitGirder
                           : "RC:" + e.InitGSec + e.InitGirder);
        }
    } else {
        clearFields(kColumnBarsFirst, kColumnFieldEnd);
        if (e.InitColumn.empty()) {
            platform().messageBox(platform::kConfirmCaption, kNoInitColumn, platform::Buttons::Ok);
        } else {
            const bool sized = !model::trim(fields_[SecX]).empty() || !model::trim(fields_[SecY]).empty();
            loadSpec(sized ? "RC:" + fields_[SecX] + ":" + fields_[SecY] + ";" + e.InitColumn
                           : "RC:" + e.InitCSec + e.InitColumn);
        }
    }
    applyRow();
}

void SectionEditor::setSlab(bool on)
{
    draftEnv().GirderListSlab = on;
    applyRow();
}

void SectionEditor::setFoundation(bool on, int choice)
{
    if (choice == 1 || choice == 2) foundationChoice_ = choice;
    draftEnv().GirderListBase = on ? foundationChoice_ : 0;
    applyRow();
}

bool SectionEditor::ok()
{
    if (!open_) return false;
    if (!rowAcceptable()) return false;
    applyRow();
    storePage();
    EditorContext& ctx = dispatcher_.context();
    ctx.session.sections = work_;
    ctx.session.settings.draft.RodKind = rodKind_;
    ctx.sectionsChanged();
    open_ = false;
    return true;
}

void SectionEditor::cancel() { open_ = false; }

bool SectionEditor::hasUnconfirmedEdits() const
{
    if (!open_) return false;
    // What OK would store, worked out on a copy so the dialog stays as the user left it. OK
    // also gives every shown level an entry; a new one with nothing in it loses nothing.
    SectionEditor probe = *this;
    probe.applyRow();
    probe.storePage();
    const model::SectionTable& stored = dispatcher_.context().session.sections;
    for (size_t i = 0; i < stored.size(); ++i) {
        const model::SectionEntry& now = probe.work_[i];
        const model::SectionEntry& was = stored[i];
        if (was.secID <= 0) {
            if (now.secID > 0 && !now.secSpec.empty()) return true;
        } else if (now.secID != was.secID || now.secKey != was.secKey || now.secName != was.secName ||
                   now.secSpec != was.secSpec) {
            return true;
        }
    }
    return false;
}

}  // namespace editor
