// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing preview window under offscreen Qt, for every drawing the window offers: it opens
// with the drawing's caption, zooms by wheel and by a middle-button drag, regenerates at the
// scale applied, saves a DXF that ezdxf reads clean and starts the CAD program on it, and gives
// the main window its model and view back when closed. Pictures go to build/test/screenshots.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "dxf/ezdxf_read.h"
#include "editor/command_codes.h"
#include "model/sections.h"
#include "support/shell.h"
#include "ui/TfrmDraft.h"
#include "ui_harness.h"

namespace {

namespace cmd = editor::cmd;

std::string shotPath(const std::string& name)
{
    const std::filesystem::path dir = std::filesystem::path(TESSMAR_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

int inkPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) ++n;
    return n;
}

void sendMouse(QWidget* canvas, QEvent::Type type, QPoint at, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent ev(type, QPointF(at), canvas->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &ev);
}

struct Drawing {
    int code;
    const char* caption;
    const char* name;
    bool listScale;
    model::ViewMode view = model::ViewMode::Plan;
};

class DraftWindow : public ::testing::TestWithParam<Drawing> {};

TEST(DraftWindowKeys, PreviewCanvasTakesTheNavigationKeys)
{
    uitest::Harness h;
    h.session.grid.spanCount[2] = 1;
    ASSERT_TRUE(model::setMemRod(h.session.sections, model::makeSecKey('G', 1, 1), model::makeSecName("1", "G1"),
                                 "RC:400:800;3::D22;"));
    ui::TfrmDraft& frm = h.window->frmDraft();
    double fitted = 0, zoomed = 0, home = 0;
    double leftBefore = 0, leftAfter = 0;
    uitest::onNextModal([&](QWidget*) {
        uitest::processEvents(20);
        auto key = [&frm](Qt::Key k) {
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
            QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : frm.imgDraft, &press);
        };
        fitted = frm.preview().transform().viewScale;
        key(Qt::Key_PageUp);
        zoomed = frm.preview().transform().viewScale;
        leftBefore = frm.preview().transform().viewLeft;
        key(Qt::Key_Right);
        leftAfter = frm.preview().transform().viewLeft;
        key(Qt::Key_Home);
        home = frm.preview().transform().viewScale;
        frm.btnCancel->click();
    });
    h.d().DispatchCommand(cmd::DRAW_GIRDER_LIST);
    ASSERT_GT(fitted, 0);
    EXPECT_NEAR(zoomed, fitted / 1.1, fitted * 1e-9);
    EXPECT_NE(leftAfter, leftBefore);
    EXPECT_NEAR(home, fitted, fitted * 1e-9);
}

TEST_P(DraftWindow, OpenZoomRegenerateSaveAndClose)
{
    const Drawing drawing = GetParam();
    const std::string sample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";
    if (!std::filesystem::exists(sample)) GTEST_SKIP() << "samples/sample.kel is not there yet";
    uitest::Harness h({sample});
    std::vector<std::string> started;
    h.platform.setProgramHook([&](const std::string& program, const std::string& argument) {
        started.push_back(program + " " + argument);
        return true;
    });
    h.d().selectViewTab(drawing.view);
    h.d().selectLevelTab(1);
    const int modelElements = h.session.store.liveCount();
    const editor::ViewTransform planView = h.d().transform();
    ui::TfrmDraft& frm = h.window->frmDraft();
    const std::string dxfPath = h.dir.file(std::string(drawing.name) + "_preview");

    bool firstShown = false, secondShown = false;
    double firstScale = 0;
    uitest::onNextModal([&](QWidget* modal) {
        ASSERT_EQ(modal, &frm);
        firstShown = true;
        EXPECT_EQ(frm.windowTitle().toStdString(), drawing.caption);
        EXPECT_FALSE(frm.btnDump->isVisible());
        EXPECT_FALSE(frm.btnAdapt->isEnabled());
        EXPECT_EQ(frm.cmbDraftScale->currentText(), QStringLiteral("40"));
        uitest::processEvents(20);
        firstScale = frm.preview().transform().viewScale;
        EXPECT_GT(firstScale, 0);
        frm.grab().save(QString::fromStdString(shotPath(std::string("draft_") + drawing.name + ".png")));

        // Wheel towards the user zooms in by 1.1 about the centre.
        const QPoint centre(frm.imgDraft->width() / 2, frm.imgDraft->height() / 2);
        QWheelEvent wheel(QPointF(centre), frm.imgDraft->mapToGlobal(QPointF(centre)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(frm.imgDraft, &wheel);
        EXPECT_NEAR(frm.preview().transform().viewScale, firstScale / 1.1, firstScale * 1e-9);
        // A middle-button drag frames a quarter of the canvas.
        const QPoint a(10, 10), b(10 + frm.imgDraft->width() / 2, 10 + frm.imgDraft->height() / 2);
        sendMouse(frm.imgDraft, QEvent::MouseButtonPress, a, Qt::MiddleButton);
        sendMouse(frm.imgDraft, QEvent::MouseMove, b, Qt::MiddleButton);
        sendMouse(frm.imgDraft, QEvent::MouseButtonRelease, b, Qt::MiddleButton);
        EXPECT_LT(frm.preview().transform().viewScale, firstScale / 1.5);
        frm.grab().save(QString::fromStdString(shotPath(std::string("draft_") + drawing.name + "_zoomed.png")));

        // Text that is no scale keeps 適用 off; another scale turns it on.
        frm.cmbDraftScale->setCurrentText(QStringLiteral("abc"));
        EXPECT_FALSE(frm.btnAdapt->isEnabled());
        frm.cmbDraftScale->setCurrentText(QStringLiteral("40"));
        EXPECT_FALSE(frm.btnAdapt->isEnabled());
        frm.cmbDraftScale->setCurrentText(QStringLiteral("80"));
        EXPECT_TRUE(frm.btnAdapt->isEnabled());

        uitest::onNextModal([&](QWidget*) {
            secondShown = true;
            EXPECT_EQ(frm.cmbDraftScale->currentText(), QStringLiteral("80"));
            EXPECT_FALSE(frm.btnAdapt->isEnabled());
            uitest::processEvents(20);
            frm.grab().save(QString::fromStdString(shotPath(std::string("draft_") + drawing.name + "_s80.png")));
            EXPECT_GT(inkPixels(frm.canvas().image()), 0);
            frm.edtCADfname->setText(QStringLiteral("/opt/cad/cad"));
            frm.preview().setCadProgram("/opt/cad/cad");
            frm.chkExecCAD->setChecked(true);
            h.fileAnswers.push_back(dxfPath);
            frm.btnDXFSave->click();
            h.fileAnswers.push_back(dxfPath);  // ".pdf" is added
            frm.btnPDFSave->click();
            // Printing, with the print dialog answered by printing to a PDF file.
            frm.setPrintHook([&](QPrinter& printer) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(QString::fromStdString(dxfPath + "_printed.pdf"));
                return true;
            });
            frm.btnPrint->click();
            if (drawing.code == cmd::DRAW_GIRDER_LIST) {
                // The system's own print dialog, answered with its print-to-file destination.
                frm.setPrintHook(nullptr);
                uitest::onNextModal([&](QWidget* modal) {
                    auto* dialog = qobject_cast<QPrintDialog*>(modal);
                    ASSERT_NE(dialog, nullptr);
                    if (auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                        file->setText(QString::fromStdString(dxfPath + "_dialog.pdf"));
                    dialog->printer()->setOutputFileName(QString::fromStdString(dxfPath + "_dialog.pdf"));
                    dialog->accept();
                });
                frm.btnPrint->click();
                EXPECT_GT(std::filesystem::file_size(dxfPath + "_dialog.pdf"), 1000u);
            }
            // A resize keeps the units per pixel and the top edge of the view.
            const editor::ViewTransform before = frm.preview().transform();
            frm.resize(900, 650);
            uitest::processEvents(20);
            EXPECT_EQ(frm.preview().transform().viewScale, before.viewScale);
            EXPECT_NEAR(frm.preview().transform().viewTop(), before.viewTop(), before.viewScale);
            EXPECT_EQ(frm.preview().transform().canvasHeight, frm.imgDraft->height());
            frm.btnCancel->click();
        });
        frm.btnAdapt->click();
    });
    h.d().DispatchCommand(drawing.code);
    ASSERT_TRUE(firstShown);
    ASSERT_TRUE(secondShown);
    EXPECT_TRUE(h.messages.empty()) << (h.messages.empty() ? "" : h.messages[0].text);

    // The model, its plan view and the scale setting after the window closed.
    EXPECT_EQ(h.session.store.liveCount(), modelElements);
    EXPECT_EQ(h.session.texts.count(), 0);
    EXPECT_EQ(h.d().transform().viewLeft, planView.viewLeft);
    EXPECT_EQ(h.d().transform().viewScale, planView.viewScale);
    EXPECT_EQ(drawing.listScale ? h.session.settings.draft.ListScale : h.session.settings.draft.DrawScale, 80);
    EXPECT_EQ(h.ini.read("DRAFT", "Width", ""), "900");
    EXPECT_EQ(h.ini.read("DRAFT", "Height", ""), "650");

    ASSERT_EQ(started, std::vector<std::string>{"/opt/cad/cad " + dxfPath + ".dxf"});
    // The sheet of the same drawing, rendered for a reviewer to look at.
    ASSERT_TRUE(std::filesystem::exists(dxfPath + ".pdf"));
    EXPECT_GT(std::filesystem::file_size(dxfPath + "_printed.pdf"), 1000u);
    if (std::system("command -v pdftoppm >/dev/null") == 0) {
        const std::string png = shotPath(std::string("sheet_") + drawing.name);
        EXPECT_EQ(std::system(("pdftoppm -r 40 -png -singlefile '" + dxfPath + ".pdf' '" + png + "'").c_str()), 0);
        // The printed sheet is on the same paper, the same way round, as the saved one.
        const std::string sizes = h.dir.file("sizes.txt");
        std::system(("pdfinfo '" + dxfPath + ".pdf' | grep 'Page size' > '" + sizes + "'; pdfinfo '" + dxfPath +
                     "_printed.pdf' | grep 'Page size' >> '" + sizes + "'").c_str());
        std::ifstream in(sizes);
        std::string saved, printed;
        std::getline(in, saved);
        std::getline(in, printed);
        EXPECT_FALSE(saved.empty());
        // The printer rounds its page to whole points; the paper's name is what must agree.
        const auto paper = [](const std::string& line) { return line.substr(line.find("pts")); };
        EXPECT_EQ(paper(saved), paper(printed));
    }
    const dxf_test::ReadBack r = dxf_test::readWithEzdxf(dxfPath + ".dxf");
    if (r.ezdxfMissing) GTEST_SKIP() << "python3-ezdxf is not installed";
    ASSERT_TRUE(r.ok) << r.output;
    EXPECT_EQ(r.auditErrors, 0) << r.output;
    EXPECT_TRUE(r.handlesUnique);
    if (drawing.code != cmd::DRAW_EMPTY) {
        EXPECT_GT(r.count("LINE"), 10) << r.output;
        EXPECT_FALSE(r.texts.empty());
    }
}

// A drawing too big for the paper chosen is printed as the PDF save writes it: every part on a
// page of that paper, each title block naming its part.
TEST(DraftWindowPrint, ADrawingSplitOverSheetsPrintsEverySheetAsThePdfSaveWritesIt)
{
    const std::string sample = std::string(TESSMAR_SOURCE_DIR) + "/samples/sample.kel";
    if (!std::filesystem::exists(sample)) GTEST_SKIP() << "samples/sample.kel is not there yet";
    if (testing_support::shell("command -v pdfinfo").first != 0) GTEST_SKIP() << "poppler-utils is not installed";
    uitest::Harness h({sample});
    ui::TfrmDraft& frm = h.window->frmDraft();
    const std::string saved = h.dir.file("saved.pdf"), printed = h.dir.file("printed.pdf");
    QStringList papers;
    uitest::onNextModal([&](QWidget*) {
        for (int i = 0; i < frm.cmbPaper->count(); ++i) papers << frm.cmbPaper->itemText(i);
        frm.cmbPaper->setCurrentText(QStringLiteral("A4"));  // the sample's girder list needs A3 whole
        h.fileAnswers.push_back(saved);
        frm.btnPDFSave->click();
        frm.setPrintHook([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(printed));
            return true;
        });
        frm.btnPrint->click();
        frm.btnCancel->click();
    });
    h.d().DispatchCommand(cmd::DRAW_GIRDER_LIST);
    EXPECT_TRUE(h.messages.empty()) << (h.messages.empty() ? "" : h.messages[0].text);
    EXPECT_EQ(papers, QStringList({QStringLiteral("自動"), "A4", "A3", "A2", "A1", "A0"}));
    const auto pages = [](const std::string& pdf) {
        const std::string info = testing_support::shell("pdfinfo '" + pdf + "'").second;
        const size_t at = info.find("Pages:");
        return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
    };
    const int sheets = pages(saved);
    ASSERT_GT(sheets, 1);
    ASSERT_EQ(pages(printed), sheets);
    for (int page = 1; page <= sheets; ++page) {
        const std::string p = " -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + printed + "'";
        EXPECT_NE(testing_support::shell("pdfinfo" + p).second.find("(A4)"), std::string::npos) << page;
        const std::string part = "梁断面リスト (" + std::to_string(page) + "/" + std::to_string(sheets) + ")";
        EXPECT_NE(testing_support::shell("pdftotext -layout" + p + " -").second.find(part), std::string::npos) << part;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDrawing, DraftWindow,
                         ::testing::Values(Drawing{cmd::DRAW_GIRDER_LIST, "梁断面リスト", "girder_list", true},
                                           Drawing{cmd::DRAW_COLUMN_LIST, "柱断面リスト", "column_list", true},
                                           Drawing{cmd::DRAW_FRAMING, "伏図", "framing_plan", false},
                                           Drawing{cmd::DRAW_FRAMING, "軸組図", "framing_elevation", false,
                                                   model::ViewMode::ElevationXZ},
                                           Drawing{cmd::DRAW_REBAR, "配筋図", "rebar", false,
                                                   model::ViewMode::ElevationXZ},
                                           Drawing{cmd::TEST_01, "Test01", "test01", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
