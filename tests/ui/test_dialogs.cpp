// SPDX-License-Identifier: GPL-3.0-or-later
// The small dialogs and the grid-line dialog hand back what the user entered, refuse what is
// not a number with a message while staying open, and remember their entries in the ini file.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "model/dump.h"
#include "model/grid.h"
#include "model/sections.h"
#include "ui/TfrmBaseLine.h"
#include "ui/TfrmConfirm.h"
#include "ui/TfrmDump.h"
#include "ui/TfrmGridPitchDistance.h"
#include "ui/TfrmKeypad.h"
#include "ui/TfrmMember.h"
#include "ui/TfrmPCopy.h"
#include "ui_harness.h"

namespace {

using platform::Answer;
using platform::Buttons;

// A platform that records notices instead of showing them.
struct Notices {
    ui::QtPlatform platform;
    std::vector<std::string> texts;
    Notices()
    {
        uitest::app();
        platform.setMessageHook([this](const std::string&, const std::string& text, Buttons) {
            texts.push_back(text);
            return Answer::Ok;
        });
    }
};

// Presses the keys on the keypad once it is open.
std::optional<std::string> keypadRun(ui::TfrmKeypad& pad, const std::string& start, const QStringList& keys,
                                     QString* displayBeforeEn = nullptr)
{
    uitest::onNextModal([&pad, keys, displayBeforeEn](QWidget*) {
        for (const QString& k : keys) {
            if (k == QLatin1String("En") && displayBeforeEn) *displayBeforeEn = pad.edtDisplay->text();
            pad.button(k)->click();
        }
        if (pad.isVisible()) pad.reject();
    });
    return pad.enterNumber(start);
}

TEST(Keypad, StartsFromTheNumberAndTheFirstKeyReplacesIt)
{
    Notices n;
    ui::TfrmKeypad pad(n.platform);
    EXPECT_EQ(keypadRun(pad, "abc", {"5", ".", "2", "En"}), "5.2");
    EXPECT_EQ(keypadRun(pad, "5000", {"7", "En"}), "7");
    EXPECT_EQ(keypadRun(pad, "5000", {"7", "←", "En"}), "0");
    EXPECT_EQ(keypadRun(pad, "12.50", {"En"}), "12.5");
    EXPECT_EQ(keypadRun(pad, "0", {".", "5", "En"}), "0.5");
    QString shown;
    EXPECT_EQ(keypadRun(pad, "-3", {"+-", "+-", "En"}, &shown), "-3");
    EXPECT_EQ(shown, QStringLiteral("-3"));
    EXPECT_EQ(keypadRun(pad, "4", {"1/", "En"}), "0.25");
    EXPECT_EQ(keypadRun(pad, "4", {"C", "En"}), "0");
    EXPECT_TRUE(n.texts.empty());
    // Closed without "En": nothing comes back.
    EXPECT_EQ(keypadRun(pad, "4", {"9"}), std::nullopt);
}

TEST(Keypad, ReciprocalOfZeroIsRefusedAndTheDisplayStays)
{
    Notices n;
    ui::TfrmKeypad pad(n.platform);
    QString shown;
    EXPECT_EQ(keypadRun(pad, "0", {"1/", "En"}, &shown), "0");
    EXPECT_EQ(shown, QStringLiteral("0"));
    ASSERT_EQ(n.texts.size(), 1u);
}

TEST(GridPitchDialog, RefusesPitchesBelowOneHundred)
{
    Notices n;
    ui::TfrmGridPitchDistance dlg(n.platform);
    EXPECT_EQ(dlg.cmbGridPitch->currentText(), QStringLiteral("1000"));
    std::vector<QString> afterRefusal;
    uitest::onNextModal([&](QWidget*) {
        dlg.cmbGridPitch->setEditText(QStringLiteral("99.9"));
        dlg.btnOK->click();
        afterRefusal.push_back(dlg.cmbGridPitch->currentText());
        EXPECT_TRUE(dlg.isVisible());
        dlg.cmbGridPitch->setEditText(QStringLiteral("abc"));
        dlg.btnOK->click();
        EXPECT_TRUE(dlg.isVisible());
        dlg.cmbGridPitch->setEditText(QStringLiteral("100"));
        dlg.btnOK->click();
    });
    EXPECT_EQ(dlg.chooseGridPitch(), 100.0);
    ASSERT_EQ(n.texts.size(), 2u);
    EXPECT_EQ(n.texts[0], "間隔が小さすぎます");
    ASSERT_EQ(afterRefusal.size(), 1u);
    EXPECT_EQ(afterRefusal[0], QStringLiteral("900"));

    uitest::onNextModal([&](QWidget*) { dlg.btnCancel->click(); });
    EXPECT_EQ(dlg.chooseGridPitch(), std::nullopt);
}

TEST(ParallelCopyDialog, RefusesNonNumbersAndRemembersItsEntries)
{
    Notices n;
    settings::IniFile ini;
    ui::TfrmKeypad pad(n.platform);
    ui::TfrmPCopy dlg(ini, n.platform, pad);
    EXPECT_EQ(dlg.edtDistance->text(), QStringLiteral("1000"));
    EXPECT_EQ(dlg.edtTimes->text(), QStringLiteral("1"));
    uitest::onNextModal([&](QWidget*) {
        EXPECT_EQ(dlg.edtDistance->text(), QStringLiteral("1500"));  // the reference distance
        dlg.edtDistance->setText(QStringLiteral("1,000"));
        dlg.btnOK->click();
        EXPECT_TRUE(dlg.isVisible());
        dlg.edtDistance->setText(QStringLiteral("2400"));
        dlg.edtTimes->setText(QStringLiteral("1.5"));
        dlg.btnOK->click();
        EXPECT_TRUE(dlg.isVisible());
        dlg.edtTimes->setText(QStringLiteral("3"));
        dlg.btnOK->click();
    });
    const auto result = dlg.chooseParallelCopy(1500);
    ASSERT_TRUE(result);
    EXPECT_DOUBLE_EQ(result->distance, 2400);
    EXPECT_EQ(result->copies, 3);
    ASSERT_EQ(n.texts.size(), 2u);
    EXPECT_EQ(n.texts[0], "数値を入力して下さい。");
    EXPECT_EQ(ini.read("PCopy", "edtDistance", ""), "2400");
    EXPECT_EQ(ini.read("PCopy", "edtTimes", ""), "3");

    ui::TfrmPCopy again(ini, n.platform, pad);
    EXPECT_EQ(again.edtDistance->text(), QStringLiteral("2400"));
}

TEST(MemberDialog, ListsTheDistinctMarksOfTheKindAndRemembersTheChoice)
{
    Notices n;
    settings::IniFile ini;
    model::SectionTable table;
    model::clearSections(table);
    ASSERT_TRUE(model::setMemRod(table, model::makeSecKey('G', 2, 1), "2:G1", ""));
    ASSERT_TRUE(model::setMemRod(table, model::makeSecKey('C', 1, 1), "1:C1", ""));
    ASSERT_TRUE(model::setMemRod(table, model::makeSecKey('G', 3, 1), "3:G1", ""));
    ASSERT_TRUE(model::setMemRod(table, model::makeSecKey('G', 3, 2), "3:G2", ""));
    EXPECT_EQ(ui::TfrmMember::markList(0, table), QStringList({QString(), "G1", "G2"}));
    EXPECT_EQ(ui::TfrmMember::markList(1, table), QStringList({QString(), "C1"}));

    ui::TfrmMember dlg(ini, n.platform);
    // A new run starts on the first mark.
    EXPECT_EQ(ini.read("Member", "Girder", ""), "1");
    uitest::onNextModal([&](QWidget*) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("梁符号指示"));
        EXPECT_EQ(dlg.cmbSectionMark->currentText(), QStringLiteral("G1"));
        EXPECT_EQ(dlg.cmbDirect->currentText(), QStringLiteral("床部材"));
        dlg.cmbSectionMark->setCurrentIndex(2);
        dlg.btnOK->click();
    });
    auto choice = dlg.chooseMark("梁符号指示", 0, table);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->markName, "G2");
    EXPECT_EQ(choice->rangeTarget, 1);
    EXPECT_EQ(ini.read("Member", "Girder", ""), "2");

    // Columns: their own remembered index, which lies beyond their short list.
    ASSERT_TRUE(ini.write("Member", "Column", "7"));
    uitest::onNextModal([&](QWidget*) {
        EXPECT_EQ(dlg.cmbDirect->currentText(), QStringLiteral("柱部材"));
        dlg.btnOK->click();
    });
    choice = dlg.chooseMark("柱符号指示", 1, table);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->markName, "C1");
    EXPECT_EQ(choice->rangeTarget, 2);
}

TEST(MarkNameDialog, CaptionAndTextFollowTheMode)
{
    uitest::app();
    ui::TfrmConfirm dlg;
    uitest::onNextModal([&](QWidget*) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("変更"));
        EXPECT_EQ(dlg.lblTitle->text(), QStringLiteral("符号を変更します。"));
        EXPECT_EQ(dlg.edtName->text(), QStringLiteral("G1"));
        dlg.edtName->setText(QStringLiteral("G1A"));
        dlg.btnOK->click();
    });
    EXPECT_EQ(dlg.askMarkName(2, "G1"), "G1A");
    dlg.setInitDialog(1, "");
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("確認"));
    EXPECT_EQ(dlg.lblTitle->text(), QStringLiteral("符号を追加します。"));
}

TEST(DumpWindow, FillsTheMemoWithTheDumpAndTheUndoListing)
{
    Notices n;
    model::Session session(n.platform);
    session.store.addElem(model::kind::LINE, 0, 1, 1, 0, 0, 0, 0, 0, 1000, 0, 0, 0xFF0000);
    ui::TfrmDump dlg(session);
    dlg.showDump();
    EXPECT_TRUE(dlg.Memo1->toPlainText().isEmpty());
    dlg.btnDumpClick();
    const QString dump = dlg.Memo1->toPlainText();
    EXPECT_EQ(dump.count(u'\n'), static_cast<int>(model::modelDump(session).size()));
    EXPECT_TRUE(dlg.Memo1->isVisible());
    dlg.btnUndoClick();
    EXPECT_EQ(dlg.Memo1->toPlainText().count(u'\n'), static_cast<int>(model::undoListing(session).size()));
    dlg.hide();
}

// ---- grid-line dialog ----

TEST(GridLineDialog, PreviewScalesShrinkWithTheSpans)
{
    const auto g10 = ui::previewGeometry(500, 700, 240, 400, 10, 3, 2);
    EXPECT_EQ(g10.sX, 30);
    const auto g20 = ui::previewGeometry(500, 700, 240, 400, 20, 3, 2);
    EXPECT_EQ(g20.sX, 15);
    EXPECT_EQ(g20.sZ, 15);
    const auto g2 = ui::previewGeometry(500, 400, 240, 400, 2, 3, 2);
    EXPECT_EQ(g2.sX, 60);
    EXPECT_EQ(g2.mX, 190);  // (500 - 2 * 60) / 2
    EXPECT_EQ(g2.mY, 110);  // (400 - 3 * 60) / 2
    EXPECT_EQ(g2.mZ, 140);
    EXPECT_EQ(g2.eX, 75);   // (240 - 90) / 2
    // A low elevation alone halves the scales too.
    EXPECT_EQ(ui::previewGeometry(500, 400, 240, 200, 2, 3, 5).sZ, 30);
}

TEST(GridLineDialog, OffsetWordsRoundTripAndUnknownKindsShowEmpty)
{
    for (int k = 0; k <= 2; ++k) EXPECT_EQ(ui::offsetKindOf(ui::offsetWord(k)), k);
    EXPECT_TRUE(ui::offsetWord(-1).isEmpty());
    EXPECT_TRUE(ui::offsetWord(7).isEmpty());
    EXPECT_EQ(ui::offsetKindOf(QString()), -1);
    EXPECT_EQ(ui::offsetKindOf(QStringLiteral("中")), -1);
}

struct GridDialogFixture : ::testing::Test {
    Notices n;
    settings::IniFile ini;
    model::GridModel grid;
    std::unique_ptr<ui::TfrmKeypad> pad;
    std::unique_ptr<ui::TfrmBaseLine> dlg;
    void SetUp() override
    {
        model::makeGridNames(grid, {});
        pad = std::make_unique<ui::TfrmKeypad>(n.platform);
        dlg = std::make_unique<ui::TfrmBaseLine>(ini, n.platform, *pad);
    }
    std::optional<platform::GridLineRecord> run(platform::GridDialogMode mode, const platform::GridLineRecord& in,
                                                std::function<void()> act)
    {
        uitest::onNextModal([act](QWidget*) { act(); });
        return dlg->editGridLines(mode, in, grid);
    }
};

TEST_F(GridDialogFixture, DefaultsGiveTheStandardGrid)
{
    int shownX = 0;
    const auto rec = run(platform::GridDialogMode::NewGrid, {}, [&] {
        for (int i = 0; i < ui::TfrmBaseLine::kLines; ++i) shownX += dlg->edtPitch[0][static_cast<size_t>(i)]->isVisible();
        EXPECT_EQ(dlg->stg[1]->rowCount(), 4);  // Y0..Y3
        EXPECT_EQ(dlg->stg[2]->item(0, 1)->text(), QStringLiteral("右(上)"));
        dlg->btnOK->click();
    });
    ASSERT_TRUE(rec);
    EXPECT_EQ(shownX, 2);
    EXPECT_EQ(rec->counts, (std::array<int32_t, 3>{2, 3, 2}));
    EXPECT_EQ(rec->positions[0][1], 5000);
    EXPECT_EQ(rec->positions[0][2], 10000);
    EXPECT_EQ(rec->positions[0][3], -1);
    EXPECT_EQ(rec->positions[1][3], 12000);
    EXPECT_EQ(rec->positions[1][4], -1);
    EXPECT_EQ(rec->positions[2][2], 6000);
    EXPECT_EQ(rec->offsets[0].nKindZ, model::OFFSET_RIGHT_UPPER);
    EXPECT_EQ(ini.read("BaseLine", "edtUDY", ""), "3");
    EXPECT_EQ(ini.read("BaseLine", "PitchY3", ""), "4000");
}

TEST_F(GridDialogFixture, FillButtonChangesEveryPitchButOnlyUsedOnesAreSaved)
{
    const auto rec = run(platform::GridDialogMode::NewGrid, {}, [&] {
        dlg->edtInit[0]->setText(QStringLiteral("6000"));
        dlg->btnInit[0]->click();
        EXPECT_EQ(dlg->edtPitch[0][100]->text(), QStringLiteral("6000"));
        dlg->edtUD[1]->setText(QStringLiteral("1"));
        emit dlg->edtUD[1]->editingFinished();
        EXPECT_EQ(dlg->count(1), 1);
        dlg->btnOK->click();
    });
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->positions[0][2], 12000);
    EXPECT_EQ(rec->counts[1], 1);
    EXPECT_EQ(ini.read("BaseLine", "PitchX2", ""), "6000");
    EXPECT_EQ(ini.read("BaseLine", "PitchX3", "unset"), "unset");
    EXPECT_EQ(ini.read("BaseLine", "edtInitX", ""), "6000");

    // The next opening starts from the memory.
    run(platform::GridDialogMode::NewGrid, {}, [&] {
        EXPECT_EQ(dlg->count(1), 1);
        EXPECT_EQ(dlg->edtPitch[0][1]->text(), QStringLiteral("6000"));
        dlg->btnCancel->click();
    });
}

TEST_F(GridDialogFixture, BadPitchOrNoSpansKeepTheDialogOpen)
{
    bool openAfterBadPitch = false, openWithoutSpans = false;
    const auto rec = run(platform::GridDialogMode::NewGrid, {}, [&] {
        dlg->edtPitch[0][2]->setText(QStringLiteral("5000.5"));
        dlg->btnOK->click();
        openAfterBadPitch = dlg->isVisible();
        dlg->edtPitch[0][2]->setText(QStringLiteral("5000"));
        for (auto* e : dlg->edtUD) {
            e->setText(QStringLiteral("0"));
            emit e->editingFinished();
        }
        dlg->btnOK->click();
        openWithoutSpans = dlg->isVisible();
        dlg->btnCancel->click();
    });
    EXPECT_FALSE(rec);
    EXPECT_TRUE(openAfterBadPitch);
    EXPECT_TRUE(openWithoutSpans);
    ASSERT_EQ(n.texts.size(), 1u);  // only the pitch is reported; without spans OK just stays
    EXPECT_EQ(ini.read("BaseLine", "edtUDX", "unset"), "unset");
}

TEST_F(GridDialogFixture, OffsetModeLocksThePitchesAndReturnsTheGivenPositions)
{
    platform::GridLineRecord in;
    in.counts = {2, 1, 2};
    in.positions[0][1] = 6000;
    in.positions[0][2] = 13000;
    in.positions[1][1] = 7000;
    in.positions[2][1] = 4000;
    in.positions[2][2] = 7500;
    in.offsets[1].nKindX = model::OFFSET_NONE;
    in.offsets[2].nKindX = model::OFFSET_LEFT_LOWER;
    in.offsets[2].nDistX = 150;
    const auto rec = run(platform::GridDialogMode::Offsets, in, [&] {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("オフセット編集"));
        EXPECT_FALSE(dlg->edtUD[0]->isVisible());
        EXPECT_TRUE(dlg->edtPitch[0][2]->isVisible());
        EXPECT_FALSE(dlg->edtPitch[0][2]->isEnabled());
        EXPECT_FALSE(dlg->sbPitch[0][2]->isVisible());
        EXPECT_EQ(dlg->edtPitch[0][2]->text(), QStringLiteral("7000"));
        EXPECT_TRUE(dlg->stg[0]->item(1, 1)->text().isEmpty());
        EXPECT_EQ(dlg->stg[0]->item(2, 1)->text(), QStringLiteral("左(下)"));
        // Choosing a word in the drop-down; a typed distance that is no number counts as 0.
        dlg->chooseOffsetWord(1, 1, QStringLiteral("右(上)"));
        dlg->stg[2]->item(1, 2)->setText(QStringLiteral("abc"));
        dlg->stg[0]->item(0, 2)->setText(QStringLiteral("-50"));
        dlg->btnOK->click();
    });
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->counts, in.counts);
    EXPECT_EQ(rec->positions, in.positions);
    EXPECT_EQ(rec->offsets[1].nKindX, model::OFFSET_NONE);
    EXPECT_EQ(rec->offsets[2].nKindX, model::OFFSET_LEFT_LOWER);
    EXPECT_EQ(rec->offsets[2].nDistX, 150);
    EXPECT_EQ(rec->offsets[1].nKindY, model::OFFSET_RIGHT_UPPER);
    EXPECT_EQ(rec->offsets[1].nDistZ, 0);
    EXPECT_EQ(rec->offsets[0].nDistX, -50);
}

TEST_F(GridDialogFixture, OffsetMarksAreDrawnBesideTheirLines)
{
    platform::GridLineRecord in;
    in.counts = {1, 1, 1};
    in.positions[0][1] = 5000;
    in.positions[1][1] = 5000;
    in.positions[2][1] = 3000;
    in.offsets[0].nKindX = model::OFFSET_RIGHT_UPPER;
    QImage plan;
    ui::PreviewGeometry g;
    run(platform::GridDialogMode::Offsets, in, [&] {
        plan = dlg->imgPlan->canvas().image().copy();
        g = dlg->geometry();
        dlg->btnCancel->click();
    });
    ASSERT_FALSE(plan.isNull());
    const int midY = plan.height() - (g.mY + g.sY / 2);
    EXPECT_EQ(plan.pixel(g.mX, midY), ui::QtCanvas::toRgb(0xFF0000));
    EXPECT_EQ(plan.pixel(g.mX + 4, midY), ui::QtCanvas::toRgb(0xFF00FF));
    EXPECT_EQ(plan.pixel(g.mX - 4, midY), qRgb(255, 255, 255));
}

}  // namespace

namespace {
std::vector<QString> debugLines;
void recordDebug(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg) debugLines.push_back(text);
}
}  // namespace

TEST(QtPlatformDebug, TraceLinesGoToTheDebugChannelOnlyWithTessmarDebugSet)
{
    uitest::app();
    ui::QtPlatform platform;
    debugLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordDebug);
    ::unsetenv("TESSMAR_DEBUG");
    platform.debugOut("sectionApply:RC:300:600;");
    ::setenv("TESSMAR_DEBUG", "1", 1);
    platform.debugOut("showSelectSectionInfo:");
    ::unsetenv("TESSMAR_DEBUG");
    qInstallMessageHandler(previous);
    EXPECT_EQ(debugLines, std::vector<QString>{QStringLiteral("showSelectSectionInfo:")});
}
