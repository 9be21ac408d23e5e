// SPDX-License-Identifier: GPL-3.0-or-later
// The section dialog's logic without a window: the work table, the mark pages, one grid row
// per level, the control values of the shown row and every action of the dialog. The window
// binds its widgets to this object and shows what it holds after each action.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "check/check_rules.h"
#include "editor/section_fields.h"
#include "model/sections.h"
#include "platform/dialog_ports.h"
#include "platform/mark_name_port.h"
#include "platform/ss2_port.h"

namespace platform {
class Platform;
}
namespace settings {
struct DraftEnv;
}

namespace editor {

class Dispatcher;

enum SectionGridColumn : int {
    COL_LABEL = 0,
    COL_ID = 1,
    COL_KEY = 2,
    COL_NAME = 3,
    COL_SPEC = 4,
    COL_SUMMARY = 5,  // first visible summary column
};
inline constexpr int kGirderGridColumns = 18;
inline constexpr int kColumnGridColumns = 8;
// Summary columns in use: 5..13 (girders), 5..7 (columns).
inline constexpr int kGirderSummaryEnd = 14;
inline constexpr int kColumnSummaryEnd = 8;
inline constexpr int kMaxMarkPages = 100;

inline const std::string kAddTab = "追加";
inline const std::string kNoInitGirder = "メニュー→ファイル→作図設定→梁断面リストで初期値を設定して下さい。";
inline const std::string kNoInitColumn = "メニュー→ファイル→作図設定→柱断面リストで初期値を設定して下さい。";
inline const std::string kTooManyMarks = "符号は100までです。";

struct SectionGridRow {
    int level = 0;
    std::vector<std::string> cells;
};

struct SectionEditorPorts {
    platform::KeypadPort* keypad = nullptr;
    platform::MarkNamePort* markName = nullptr;
    platform::Ss2ImportPort* ss2 = nullptr;  // null: the import says it is not available
};

// A mark name that would break the texts it is stored in, or has no CP932 form; the
// message for the user, empty when the name may be used.
std::string markNameFault(const std::string& name);

class SectionEditor {
public:
    SectionEditor(Dispatcher& dispatcher, const SectionEditorPorts& ports);
    // The SS2 paste dialog, when the program has one.
    void setSs2Port(platform::Ss2ImportPort* port) { ports_.ss2 = port; }

    // Opening for girders ('G') or columns ('C') with the remembered rebar kind.
    void open(char letter, int rodKind);
    bool isOpen() const { return open_; }
    char letter() const { return letter_; }
    bool girders() const { return letter_ != model::kColumnLetter; }
    std::string caption() const { return girders() ? "梁断面作成" : "柱断面作成"; }
    int gridColumns() const { return girders() ? kGirderGridColumns : kColumnGridColumns; }
    static std::vector<std::string> headers(bool girders);

    const std::vector<SectionGridRow>& rows() const { return rows_; }
    int currentRow() const { return row_; }
    bool lastRowSelected() const { return row_ == static_cast<int>(rows_.size()) - 1; }
    const std::vector<std::string>& pages() const { return pages_; }  // without "追加"
    int currentPage() const { return page_; }
    const SectionFields& fields() const { return fields_; }
    const std::string& field(SectionField f) const { return fields_[static_cast<size_t>(f)]; }
    int rodKind() const { return rodKind_; }
    const model::SectionTable& work() const { return work_; }
    const std::string& clipboard() const { return clipboard_; }
    const settings::DraftEnv& env() const;
    // The secSpec of the shown row, for the figures.
    std::string currentSpec() const;
    // The detailing checks of the shown row as it now stands (section_checks.cpp).
    std::vector<check::Finding> currentFindings() const;
    // Shows the page of a mark and the row of a level, as the check report asks; false when
    // the work table has no such mark or the grid no such level.
    bool showSection(const std::string& mark, int level);

    // What the user does.
    void selectRow(int row);
    void setField(SectionField f, const std::string& text);
    void keypad(SectionField f);
    void setRodKind(int kind);
    void copyLeftToCentre();
    void copyLeftToRight();
    void copySpec();
    void pasteSpec();
    void clearSpec();
    void defaults();
    // tab == pages().size() is "追加".
    void selectTab(int tab);
    void newMark();
    void deleteMark();
    void renameMark();
    void importSs2();
    void setSlab(bool on);
    void setFoundation(bool on, int choice);  // choice 1 "最下層", 2 "全て"
    int foundationChoice() const { return foundationChoice_; }
    // False, with the "確認" message, when a field of the shown row cannot be stored: the
    // dialog stays open on that row and nothing goes back to the model.
    bool ok();
    void cancel();
    // Open, and OK would change the project's section table.
    bool hasUnconfirmedEdits() const;

    // The first field of the shown row that cannot be stored, with the message naming the
    // level, the mark and the field.
    struct FieldProblem {
        SectionField field;
        std::string message;
    };
    std::optional<FieldProblem> rowProblem() const;
    // The field a refused action left the user in, once: the window puts the focus there.
    std::optional<SectionField> takeRefusedField() { return std::exchange(refused_, std::nullopt); }

    // The steps the actions are made of.
    void showPage(int page);
    void storePage();
    void loadRow(int row);
    std::string composeSpec();
    void applyRow();
    // A refusal of a name for page `page` (-1 for a new one), or the empty text.
    std::string markNameProblem(const std::string& name, int page) const;

private:
    platform::Platform& platform();
    settings::DraftEnv& draftEnv();
    void loadSpec(const std::string& spec);
    void loadItem(const std::string& spec, int item, int firstField, int count);
    void clearFields(int first, int end);
    void refreshSummary(SectionGridRow& row) const;
    std::string levelTextOf(int level) const;
    std::string pageProposal() const;
    void showAndLoad(int page);
    void resetToFreshPage();
    // Whether the user may leave the shown row; says why not and remembers the field.
    bool rowAcceptable();

    Dispatcher& dispatcher_;
    SectionEditorPorts ports_;
    bool open_ = false;
    char letter_ = model::kGirderLetter;
    int spans_ = 0;
    int rodKind_ = 0;
    model::SectionTable work_{};
    std::vector<std::string> pages_;
    int page_ = -1;
    std::vector<SectionGridRow> rows_;
    int row_ = 0;
    SectionFields fields_{};
    std::string clipboard_;
    bool autoWebFlag_ = false;
    int foundationChoice_ = 1;
    std::optional<SectionField> refused_;
};

}  // namespace editor
