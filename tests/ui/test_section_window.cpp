// SPDX-License-Identifier: GPL-3.0-or-later
// The section dialog as a user drives it: sections typed into its controls reach the model on
// OK and the plan draws the members at their sizes; the mark-name dialog refuses names that
// would break the files; screenshots of both modes and of the enlarged view.
#include <filesystem>
#include <iostream>

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include "editor/command_codes.h"
#include "model/element.h"
#include "model/sections.h"
#include "ui/TfrmBaseLine.h"
#include "ui/TfrmConfirm.h"
#include "ui/TfrmDetail.h"
#include "ui/TfrmImport.h"
#include "ui/TfrmKeypad.h"
#include "ui/TfrmMember.h"
#include "ui/TfrmSection.h"
#include "ui_harness.h"

namespace {

using uitest::Harness;
namespace cmd = editor::cmd;
namespace kind = model::kind;
using editor::SectionField;

std::string shotPath(const std::string& name)
{
    const std::filesystem::path dir = std::filesystem::path(TESSMAR_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

void makeDefaultGrid(Harness& h)
{
    uitest::onNextModal([&h](QWidget*) { h.window->frmBaseLine().btnOK->click(); });
    h.window->action(QStringLiteral("mnuEditGrid"))->trigger();
}

// Keys typed into a field, replacing its text.
void type(QWidget* w, const QString& text)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(w);
    if (!edit) edit = static_cast<QComboBox*>(w)->lineEdit();
    edit->setFocus();
    edit->selectAll();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &release);
    }
}

QString text(ui::TfrmSection& s, SectionField f)
{
    QWidget* w = s.controls[static_cast<size_t>(f)];
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    return static_cast<QComboBox*>(w)->currentText();
}

// Rows of the plan image at column x that are not white, between two rows.
std::vector<int> inkRows(const QImage& image, int x, int fromY, int toY)
{
    std::vector<int> rows;
    for (int y = std::max(0, fromY); y <= std::min(image.height() - 1, toY); ++y)
        if (image.pixel(x, y) != qRgb(255, 255, 255)) rows.push_back(y);
    return rows;
}

TEST(SectionWindow, GirderAndColumnSectionsTypedInReachTheModelAndThePlan)
{
    Harness h;
    makeDefaultGrid(h);  // levels 1-3 at Z 0, 3000, 6000
    h.window->tbcNumber->setCurrentIndex(1);
    ui::TfrmSection& s = h.window->frmSection();

    h.window->runCommand(cmd::GIRDER_SECTIONS);
    ASSERT_TRUE(s.isVisible());
    EXPECT_FALSE(s.isModal());
    EXPECT_EQ(s.windowTitle(), QStringLiteral("梁断面作成"));
    EXPECT_FALSE(s.btnSS2->isVisible());
    ASSERT_EQ(s.tbcSection->count(), 2);
    EXPECT_EQ(s.tbcSection->tabText(0), QStringLiteral("G1"));
    EXPECT_EQ(s.tbcSection->tabText(1), QStringLiteral("追加"));
    ASSERT_EQ(s.StringGrid1->rowCount(), 3);
    EXPECT_EQ(s.StringGrid1->columnCount(), 18);
    EXPECT_EQ(s.StringGrid1->item(0, 0)->text(), QStringLiteral("R 層"));
    EXPECT_TRUE(s.StringGrid1->isColumnHidden(4));
    EXPECT_EQ(s.StringGrid1->columnWidth(12), 75);

    // Level 2: b typed, D through the keypad, then the default bars.
    s.StringGrid1->setCurrentCell(1, 0);
    EXPECT_EQ(s.editor().currentRow(), 1);
    type(s.controls[editor::SecA1], QStringLiteral("400"));
    EXPECT_EQ(text(s, editor::SecA3), QStringLiteral("400"));
    uitest::onNextModal([&h](QWidget*) {
        ui::TfrmKeypad& pad = h.window->frmKeypad();
        for (const char* k : {"8", "0", "0", "En"}) pad.button(QString::fromLatin1(k))->click();
    });
    s.keypadButtons[editor::SecB1]->click();
    EXPECT_EQ(text(s, editor::NoBODY), QStringLiteral("2"));
    s.btnInit->click();
    EXPECT_EQ(s.StringGrid1->item(1, 5)->text(), QStringLiteral("400x800"));
    type(s.controls[editor::NmLUP], QStringLiteral("D25"));
    EXPECT_EQ(s.StringGrid1->item(1, 6)->text(), QStringLiteral("3-D25"));
    uitest::processEvents(20);
    ASSERT_TRUE(s.grab().save(QString::fromStdString(shotPath("section_girder.png")), "PNG"));

    // The enlarged view of the centre end.
    bool detailShown = false;
    uitest::onNextModal([&h, &detailShown](QWidget* modal) {
        ui::TfrmDetail& d = h.window->frmDetail();
        detailShown = modal == &d;
        uitest::processEvents(20);
        d.grab().save(QString::fromStdString(shotPath("section_detail.png")), "PNG");
        d.btnClose->click();
    });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 20), QPointF(20, 20), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(20, 20), QPointF(20, 20), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(s.figures[1]->widget, &press);
    QApplication::sendEvent(s.figures[1]->widget, &release);
    EXPECT_TRUE(detailShown);

    s.btnOK->click();
    EXPECT_FALSE(s.isVisible());
    const model::FoundSection g = model::findSection(h.session.sections, "G:2:1");
    ASSERT_TRUE(g.found);
    EXPECT_EQ(g.secName, "2:G1");
    EXPECT_EQ(g.secSpec, "RC:400:800:400:800:400:800;3::D25;3::D22;3::D22;3::D22;3::D22;3::D22;2:D10:200;2:D10;");
    EXPECT_EQ(h.ini.read("Section", "RodKind", ""), "0");

    // Column of storey 2 (row 0): Dx and Dy typed, default bars.
    h.window->runCommand(cmd::COLUMN_SECTIONS);
    EXPECT_EQ(s.windowTitle(), QStringLiteral("柱断面作成"));
    ASSERT_EQ(s.StringGrid1->rowCount(), 2);
    EXPECT_EQ(s.StringGrid1->columnCount(), 8);
    EXPECT_EQ(s.StringGrid1->item(0, 0)->text(), QStringLiteral("2 階"));
    type(s.controls[editor::SecX], QStringLiteral("600"));
    type(s.controls[editor::SecY], QStringLiteral("500"));
    s.btnInit->click();
    EXPECT_EQ(s.StringGrid1->item(0, 6)->text(), QStringLiteral("10-D22"));
    uitest::processEvents(20);
    ASSERT_TRUE(s.grab().save(QString::fromStdString(shotPath("section_column.png")), "PNG"));
    s.btnOK->click();
    EXPECT_EQ(model::findSection(h.session.sections, "C:2:1").secSpec, "RC:600:500;4:3:D22;2:2:D13:100;");
    EXPECT_TRUE(h.d().modified());

    // Members of level 2 carrying both sections; the plan draws their outlines at the sizes.
    const int gid = model::findSecIDByKey(h.session.sections, 'G', 2, 1);
    const int cid = model::findSecIDByKey(h.session.sections, 'C', 2, 1);
    h.session.store.addElem(kind::GIRDER, 0, 1, h.session.store.newUID(), gid, 0, 0, 4000, 3000, 10000, 4000, 3000, 0);
    h.session.store.addElem(kind::COLUMN, 0, 1, h.session.store.newUID(), cid, 0, 5000, 8000, 3000, 5000, 8000, 6000, 0);
    h.d().context().sectionsChanged();
    uitest::processEvents(20);
    const QImage& plan = h.window->canvas().image();
    plan.save(QString::fromStdString(shotPath("section_plan.png")), "PNG");
    const double mmPerPixel = 1.0 / h.d().transform().pixelsPerMm();
    const QPoint girderMid = h.pixelOf(2500, 4000);
    const std::vector<int> girderInk = inkRows(plan, girderMid.x(), girderMid.y() - 60, girderMid.y() + 60);
    ASSERT_GE(girderInk.size(), 2u);
    EXPECT_NEAR((girderInk.back() - girderInk.front()) * mmPerPixel, 400, 2 * mmPerPixel);
    const QPoint column = h.pixelOf(5000, 8000);
    const std::vector<int> columnInk = inkRows(plan, column.x() + 2, column.y() - 60, column.y() + 60);
    ASSERT_GE(columnInk.size(), 2u);
    EXPECT_NEAR((columnInk.back() - columnInk.front()) * mmPerPixel, 500, 2 * mmPerPixel);
}

// The focus is in the control or in its line edit.
bool inField(QWidget* focus, QWidget* control) { return focus && (focus == control || control->isAncestorOf(focus)); }

TEST(SectionWindow, RefusedFieldKeepsTheDialogOnItsRowWithTheFocusInIt)
{
    Harness h;
    makeDefaultGrid(h);
    ui::TfrmSection& s = h.window->frmSection();
    h.window->runCommand(cmd::GIRDER_SECTIONS);
    s.StringGrid1->setCurrentCell(1, 0);
    s.btnInit->click();
    type(s.controls[editor::NoLUP], QStringLiteral("3;4"));
    s.controls[editor::SecA1]->setFocus();

    s.btnOK->click();
    EXPECT_TRUE(s.isVisible());
    EXPECT_TRUE(h.said("2 層 G1 の「左上端 本数」に「3;4」は入力できません。「:」「;」「,」は使えません。"));
    EXPECT_TRUE(inField(s.focusWidget(), s.controls[editor::NoLUP]));
    // Clicking another row keeps this one.
    s.controls[editor::SecA1]->setFocus();
    s.StringGrid1->setCurrentCell(2, 0);
    EXPECT_EQ(s.editor().currentRow(), 1);
    EXPECT_EQ(s.StringGrid1->currentRow(), 1);
    EXPECT_TRUE(inField(s.focusWidget(), s.controls[editor::NoLUP]));
    for (const model::SectionEntry& e : h.session.sections) EXPECT_EQ(e.secSpec.find("3;4"), std::string::npos);
}

TEST(SectionWindow, MarkNameDialogRefusesBrokenNamesAndStaysOpen)
{
    Harness h;
    ui::TfrmSection& s = h.window->frmSection();
    h.window->runCommand(cmd::GIRDER_SECTIONS);
    ui::TfrmConfirm& c = h.window->frmConfirm();
    bool stayedOpen = false;
    uitest::onNextModal([&](QWidget*) {
        EXPECT_EQ(c.edtName->text(), QStringLiteral("G2"));
        c.edtName->setText(QStringLiteral("G;2"));
        c.btnOK->click();
        stayedOpen = c.isVisible();
        c.edtName->setText(QStringLiteral("大梁"));
        c.btnOK->click();
    });
    s.tbcSection->setCurrentIndex(1);  // "追加"
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(h.said("符号名に「:」「;」「,」は使えません。"));
    ASSERT_EQ(s.tbcSection->count(), 3);
    EXPECT_EQ(s.tbcSection->tabText(1), QStringLiteral("大梁"));
    EXPECT_EQ(s.tbcSection->currentIndex(), 1);

    // Ctrl+C on one row and Ctrl+V on another copy the section; Ctrl+X clears the row;
    // Cancel drops the whole work table.
    auto key = [&s](Qt::Key k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::ControlModifier);
        QApplication::sendEvent(s.StringGrid1, &press);
    };
    s.btnInit->click();
    const std::string section = s.editor().currentSpec();
    EXPECT_FALSE(section.empty());
    key(Qt::Key_C);
    s.StringGrid1->setCurrentCell(2, 0);
    ASSERT_EQ(s.editor().currentRow(), 2);
    EXPECT_TRUE(s.editor().currentSpec().empty());
    key(Qt::Key_V);
    EXPECT_EQ(s.editor().currentSpec(), section);
    EXPECT_EQ(s.StringGrid1->item(2, 5)->text(), QStringLiteral("400x900"));
    key(Qt::Key_X);
    EXPECT_TRUE(s.editor().currentSpec().empty());
    EXPECT_TRUE(s.StringGrid1->item(2, 5)->text().isEmpty());
    s.btnCancel->click();
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(model::markList('G', h.session.sections).size(), 0u);
}

TEST(SectionWindow, Ss2ImportFillsThePagesAndCancelKeepsTheModel)
{
    Harness h;
    makeDefaultGrid(h);
    ui::TfrmSection& s = h.window->frmSection();
    h.window->runCommand(cmd::GIRDER_SECTIONS);
    uitest::onNextModal([&h](QWidget* modal) {
        ui::TfrmImport& dialog = h.window->frmImport();
        EXPECT_EQ(modal, &dialog);
        dialog.StringGrid[0]->setCurrentCell(2, 1);
        h.platform.setClipboardText("40\t90\t35\t70\r\n40\t90\t35\t70\r\n40\t80\t35\t70\r\n");
        dialog.btnPaste->click();
        dialog.btnOK->click();
    });
    s.btnSS2->click();  // hidden, but there
    ASSERT_EQ(s.tbcSection->count(), 3);
    EXPECT_EQ(s.tbcSection->tabText(1), QStringLiteral("G2"));
    EXPECT_EQ(s.StringGrid1->item(2, 5)->text(), QStringLiteral("400x800"));
    EXPECT_EQ(model::findSection(s.editor().work(), "G:2:2").secName, "2:G2");
    s.btnCancel->click();
    EXPECT_EQ(model::markList('G', h.session.sections).size(), 0u);
}

}  // namespace
