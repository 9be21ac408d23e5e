// SPDX-License-Identifier: GPL-3.0-or-later
// The section dialog: mark tabs, one grid row per level, the controls of the shown row with
// their keypad buttons, and the left, centre and right section figures. Modeless and on top
// of the main window; every action goes to editor::SectionEditor and the window then shows
// what it holds.
#pragma once

#include <array>
#include <memory>

#include <QDialog>

#include "editor/section_editor.h"
#include "platform/feature_ports.h"
#include "ui/CanvasWidget.h"
#include "ui/DialogMemory.h"
#include "ui/QtCanvas.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTableWidget;
class QToolButton;

namespace editor {
class Dispatcher;
}

namespace ui {

class TfrmConfirm;
class TfrmDetail;

// One white figure panel; a click on it asks for the enlarged view.
class FigurePanel : public CanvasEvents {
public:
    FigurePanel(QWidget* parent, const QString& name, int size);
    CanvasWidget* widget;
    QtCanvas canvas;
    std::function<void()> onClick;
    std::function<void()> onResized;  // the image was cleared

private:
    void canvasMouseDown(const editor::MouseEvent&) override {}
    void canvasMouseMove(const editor::MouseEvent&) override {}
    void canvasMouseUp(const editor::MouseEvent& event) override;
    void canvasWheel(int) override {}
    void canvasResized() override
    {
        if (onResized) onResized();
    }
};

class TfrmSection : public QDialog, public platform::SectionDialogPort, private platform::MarkNamePort {
    Q_OBJECT
public:
    TfrmSection(editor::Dispatcher& dispatcher, settings::IniFile& ini, platform::Platform& platform,
                platform::KeypadPort& keypad, TfrmConfirm& confirm, TfrmDetail& detail,
                platform::Ss2ImportPort* ss2, QWidget* parent = nullptr);
    ~TfrmSection() override;

    void openSectionDialog(char letter) override;
    // Opens (or brings forward) the dialog of that kind on a mark and level, as the check
    // report's double-click asks.
    void openSectionAt(char letter, const std::string& mark, int level);
    bool sectionDialogOpen() const override { return editor_.isOpen(); }
    bool sectionEditsPending() const override { return editor_.hasUnconfirmedEdits(); }
    bool closeSectionDialog(bool keep) override;
    editor::SectionEditor& editor() { return editor_; }
    void setSs2Port(platform::Ss2ImportPort* port) { editor_.setSs2Port(port); }

    // Shows what the editor holds: tabs, grid, controls, figures (change handling off).
    void refresh();
    // Draws figure `end` (column mode: 0) enlarged in the detail window and shows it.
    void showDetail(int end);
    void btnOKClick();

    QTabBar* tbcSection;
    QTableWidget* StringGrid1;
    QComboBox* cmbRSelect;
    QGroupBox* grpGIRDER;
    QGroupBox* grpCOLUMN;
    std::array<QWidget*, editor::kSectionFieldCount> controls{};  // QLineEdit or QComboBox
    std::array<QToolButton*, editor::kSectionFieldCount> keypadButtons{};
    QPushButton* btnCp1to2;
    QPushButton* btnCp2to3;
    QPushButton* btnInit;
    QPushButton* btnCopy;
    QPushButton* btnPaste;
    QPushButton* btnClear;
    QPushButton* btnSS2;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QCheckBox* chkDrawFloor;
    QCheckBox* chkUDGirder;
    QRadioButton* rdoBottom;
    QRadioButton* rdoAll;
    QMenu* popTab;
    QLabel* lblFindings;  // the detailing checks of the shown row, in red
    std::array<std::unique_ptr<FigurePanel>, 3> figures;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<std::string> askMarkName(int mode, const std::string& name, const Check& check) override;
    QWidget* makeControl(editor::SectionField f, QWidget* parent);
    QGroupBox* buildGirderGroup();
    QGroupBox* buildColumnGroup();
    void act(const std::function<void()>& action);
    void focusRefusedField();
    void refreshTabs();
    void refreshGrid();
    void refreshControls();
    void drawFigures();
    void showFindings();
    void setMode(bool girders);

    editor::SectionEditor editor_;
    platform::Platform& platform_;
    TfrmConfirm& confirm_;
    TfrmDetail& detail_;
    DialogMemory memory_;
    int listsKind_ = -1;  // rebar kind the size lists were built for
    bool updating_ = false;
};

}  // namespace ui
