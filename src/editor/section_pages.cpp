// SPDX-License-Identifier: GPL-3.0-or-later
// The mark pages of the section dialog: changing, adding, deleting and renaming marks, and
// the SS2 import that replaces the pages.
#include <algorithm>

#include "editor/dispatcher.h"
#include "editor/section_editor.h"
#include "exchange/ss2_result.h"
#include "model/encoding.h"
#include "model/helpers.h"
#include "session/session.h"
#include "session/show_notice.h"

namespace editor {

namespace {

std::string markOf(const std::string& secName) { return model::fieldAt(1, secName, ':'); }

bool ofKind(const model::SectionEntry& e, char letter)
{
    return e.secID > 0 && !e.secKey.empty() && e.secKey[0] == letter && (e.secKey.size() == 1 || e.secKey[1] == ':');
}

}  // namespace

std::string markNameFault(const std::string& name)
{
    if (model::trim(name).empty()) return "符号名を入力して下さい。";
    if (name.find_first_of(":;,") != std::string::npos)
        return "符号名に「:」「;」「,」は使えません。";
    if (!model::isValidUtf8(name) || !model::utf8ToCp932(name))
        return "符号名にシフトJISで表せない文字があります。";
    return {};
}

std::string SectionEditor::markNameProblem(const std::string& name, int page) const
{
    std::string fault = markNameFault(name);
    if (!fault.empty()) return fault;
    // Two pages of one name would share their sections on the plan and merge when the
    // dialog opens again.
    for (size_t i = 0; i < pages_.size(); ++i)
        if (static_cast<int>(i) != page && pages_[i] == name) return "符号名[" + name + "]は既にあります。";
    return {};
}

std::string SectionEditor::pageProposal() const
{
    // The number of tabs, "追加" included; moved on past names already in use.
    for (int n = static_cast<int>(pages_.size()) + 1;; ++n) {
        std::string name = std::string(1, letter_) + std::to_string(n);
        if (std::find(pages_.begin(), pages_.end(), name) == pages_.end()) return name;
    }
}

void SectionEditor::showAndLoad(int page)
{
    page_ = std::clamp(page, 0, static_cast<int>(pages_.size()) - 1);
    showPage(page_);
    loadRow(0);
    storePage();
}

void SectionEditor::resetToFreshPage()
{
    pages_.assign(1, std::string(1, letter_) + "1");
    page_ = 0;
}

void SectionEditor::selectTab(int tab)
{
    if (tab == page_ || tab < 0 || tab > static_cast<int>(pages_.size()) || !rowAcceptable()) return;
    dispatcher_.EndCommand();
    storePage();
    if (tab == static_cast<int>(pages_.size())) {
        newMark();
        return;
    }
    showAndLoad(tab);
}

void SectionEditor::newMark()
{
    if (!rowAcceptable()) return;
    storePage();
    if (static_cast<int>(pages_.size()) >= kMaxMarkPages) {
        platform().messageBox(platform::kConfirmCaption, kTooManyMarks, platform::Buttons::Ok);
        showAndLoad(page_);
        return;
    }
    std::optional<std::string> name;
    if (ports_.markName)
        name = ports_.markName->askMarkName(1, pageProposal(),
                                            [this](const std::string& n) { return markNameProblem(n, -1); });
    // A name the check would refuse can only come from a port that does not check.
    if (name && markNameProblem(*name, -1).empty()) {
        pages_.push_back(*name);
        showAndLoad(static_cast<int>(pages_.size()) - 1);
    } else {
        showAndLoad(page_);
    }
}

void SectionEditor::deleteMark()
{
    if (page_ < 0 || page_ >= static_cast<int>(pages_.size())) return;
    const std::string mark = pages_[static_cast<size_t>(page_)];
    if (platform().messageBox(platform::kConfirmCaption, "符号名[" + mark + "]を削除します。",
                              platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    const int number = page_ + 1;
    for (int i = 0; i < model::kSectionStoreCount; ++i) {
        model::SectionEntry& e = work_[static_cast<size_t>(i)];
        if (!ofKind(e, letter_)) continue;
        if (markOf(e.secName) == mark) {
            // The key goes too: a cleared entry must not catch a later store of that key.
            e.secID = 0;
            e.secKey.clear();
            e.secName.clear();
            e.secSpec.clear();
            continue;
        }
        // The marks after the deleted one move one tab to the left; their keys carry the tab
        // position and must follow, or the pages would show their neighbours' sections.
        const int markNumber = model::specInt(model::fieldAt(2, e.secKey, ':'));
        if (markNumber > number)
            e.secKey = model::makeSecKey(letter_, model::specInt(model::fieldAt(1, e.secKey, ':')), markNumber - 1);
    }
    pages_.erase(pages_.begin() + page_);
    if (pages_.empty()) resetToFreshPage();
    showAndLoad(std::min(page_, static_cast<int>(pages_.size()) - 1));
}

void SectionEditor::renameMark()
{
    if (page_ < 0 || page_ >= static_cast<int>(pages_.size()) || !ports_.markName) return;
    const std::string old = pages_[static_cast<size_t>(page_)];
    const int page = page_;
    const std::optional<std::string> name = ports_.markName->askMarkName(
        2, old, [this, page](const std::string& n) { return markNameProblem(n, page); });
    if (!name || !markNameProblem(*name, page).empty()) return;
    pages_[static_cast<size_t>(page_)] = *name;
    for (int i = 0; i < model::kSectionStoreCount; ++i) {
        model::SectionEntry& e = work_[static_cast<size_t>(i)];
        if (ofKind(e, letter_) && markOf(e.secName) == old)
            e.secName = model::makeSecName(model::fieldAt(0, e.secName, ':'), *name);
    }
    const int row = row_;
    showPage(page_);
    loadRow(row);
    storePage();
}

void SectionEditor::importSs2()
{
    if (!ports_.ss2) {
        platform().messageBox(platform::kConfirmCaption, kNotAvailable, platform::Buttons::Ok);
        return;
    }
    const std::optional<exchange::Ss2Result> result = ports_.ss2->importSs2(girders() ? 0 : 1, spans_);
    if (!result) return;
    const int marks = std::clamp(std::min(result->markCount, static_cast<int>(result->specs.size())), 0, kMaxMarkPages);
    pages_.clear();
    for (int j = 1; j <= marks; ++j) {
        const std::string mark = std::string(1, letter_) + std::to_string(j);
        pages_.push_back(mark);
        const std::vector<std::string>& specs = result->specs[static_cast<size_t>(j - 1)];
        for (size_t r = 0; r < rows_.size(); ++r) {
            const int level = rows_[r].level;
            session::shown(platform(), model::setMemRod(work_, model::makeSecKey(letter_, level, j),
                                                        model::makeSecName(levelTextOf(level), mark),
                                                        r < specs.size() ? specs[r] : std::string()));
        }
    }
    if (pages_.empty()) resetToFreshPage();
    showAndLoad(0);
}

}  // namespace editor
