// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmDraft.h"

#include <map>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "print/PdfSheet.h"
#include "ui/AboveOpener.h"
#include "ui/Cursors.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtPlatform.h"

namespace ui {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter in the scale box must not press a button behind the user's back.
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TfrmDraft::TfrmDraft(model::Session& session, QtPlatform&, QtFileDialogs& files, settings::IniFile& ini,
                     platform::DumpWindowPort* dump, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      session_(session),
      files_(files),
      preview_(session, canvas_, *this, {&files, dump, &ini, this})
{
    setObjectName(QStringLiteral("frmDraft"));
    setWindowTitle(QStringLiteral("作図"));
    setModal(true);

    pnlDraft = new QFrame(this);
    pnlDraft->setObjectName(QStringLiteral("pnlDraft"));
    pnlDraft->setAutoFillBackground(true);
    QPalette white = pnlDraft->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlDraft->setPalette(white);
    imgDraft = new CanvasWidget(canvas_, pnlDraft);
    imgDraft->setObjectName(QStringLiteral("imgDraft"));
    auto* panelLayout = new QVBoxLayout(pnlDraft);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(imgDraft);

    btnRef = button(this, "btnRef", QStringLiteral("CAD参照"));
    edtCADfname = new QLineEdit(this);
    edtCADfname->setObjectName(QStringLiteral("edtCADfname"));
    chkExecCAD = new QCheckBox(QStringLiteral("DXF引数でCAD起動"), this);
    chkExecCAD->setObjectName(QStringLiteral("chkExecCAD"));
    cmbDraftScale = new QComboBox(this);
    cmbDraftScale->setObjectName(QStringLiteral("cmbDraftScale"));
    cmbDraftScale->setEditable(true);
    cmbDraftScale->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& s : preview_.scaleList()) cmbDraftScale->addItem(QString::fromStdString(s));
    btnAdapt = button(this, "btnAdapt", QStringLiteral("適用"));
    btnDXFSave = button(this, "btnDXFSave", QStringLiteral("DXFで保存"));
    btnPDFSave = button(this, "btnPDFSave", QStringLiteral("PDFで保存"));
    cmbPaper = new QComboBox(this);
    cmbPaper->setObjectName(QStringLiteral("cmbPaper"));
    cmbPaper->addItem(QString::fromUtf8(draft::kAutoPaper));
    for (const draft::PaperSize& p : draft::isoPapers()) cmbPaper->addItem(QString::fromLatin1(p.name));
    btnPrint = button(this, "btnPrint", QStringLiteral("印刷..."));
    chkMono = new QCheckBox(QStringLiteral("モノクロ"), this);
    chkMono->setObjectName(QStringLiteral("chkMono"));
    btnCancel = button(this, "btnCancel", QStringLiteral("閉じる"));
    btnDump = button(this, "btnDump", QStringLiteral("Dump"));
    btnDump->setVisible(false);  // a development entry

    auto* row = new QHBoxLayout;
    row->setContentsMargins(4, 4, 4, 4);
    row->addWidget(btnRef);
    row->addWidget(edtCADfname, 1);
    row->addWidget(chkExecCAD);
    row->addWidget(new QLabel(QStringLiteral("S=1/"), this));
    row->addWidget(cmbDraftScale);
    row->addWidget(btnAdapt);
    row->addWidget(btnDXFSave);
    row->addWidget(cmbPaper);
    row->addWidget(chkMono);
    row->addWidget(btnPDFSave);
    row->addWidget(btnPrint);
    row->addWidget(btnCancel);
    row->addWidget(btnDump);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlDraft, 1);
    layout->addLayout(row);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    QAction* fit = PopupMenu->addAction(QStringLiteral("全図形表示"));
    fit->setObjectName(QStringLiteral("popFit"));
    connect(fit, &QAction::triggered, this, [this] { preview_.fitAll(); });
    QAction* zoom = PopupMenu->addAction(QStringLiteral("拡大"));
    zoom->setObjectName(QStringLiteral("popZoom"));
    connect(zoom, &QAction::triggered, this, [this] { preview_.zoomWindow(); });

    connect(btnRef, &QPushButton::clicked, this, [this] { btnRefClick(); });
    connect(edtCADfname, &QLineEdit::textEdited, this,
            [this](const QString& text) { preview_.setCadProgram(text.toStdString()); });
    connect(cmbDraftScale, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { cmbDraftScaleChange(text); });
    connect(btnAdapt, &QPushButton::clicked, this, [this] { btnAdaptClick(); });
    connect(btnDXFSave, &QPushButton::clicked, this, [this] { btnDXFSaveClick(); });
    connect(btnPDFSave, &QPushButton::clicked, this, [this] { btnPDFSaveClick(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(btnDump, &QPushButton::clicked, this, [this] { btnDumpClick(); });
    imgDraft->setEvents(this);

    preview_.renderControl().pollInput = [this] {
        // A long redraw lets a zoom or pan that arrives meanwhile in; never nested.
        if (polling_) return;
        polling_ = true;
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        polling_ = false;
    };
    const auto [w, h] = preview_.windowSize();
    resize(w, h);
    stateChanged();
}

void TfrmDraft::btnRefClick() { preview_.chooseCadProgram(); }

void TfrmDraft::cmbDraftScaleChange(const QString& text)
{
    if (!updating_) preview_.scaleTyped(text.toStdString());
}

void TfrmDraft::btnAdaptClick() { preview_.apply(); }

void TfrmDraft::btnDXFSaveClick() { preview_.saveDxf(chkExecCAD->isChecked()); }

void TfrmDraft::btnPDFSaveClick()
{
    preview_.savePdf(cmbPaper->currentText().toStdString(), chkMono->isChecked());
}

void TfrmDraft::btnPrintClick() { preview_.printSheet(cmbPaper->currentText().toStdString(), chkMono->isChecked()); }

namespace {

print::SheetOptions optionsOf(const editor::SheetWriter::Request& request, const model::Session& session)
{
    return {.paper = request.paper,
            .mono = request.mono,
            .scale = request.scale,
            .list = request.list,
            .split = request.split,
            .title = {.caption = request.caption,
                      .projectPath = session.project.path,
                      .date = {},  // today
                      .fields = model::readProjectTitle(session.project.path)}};
}

// The printer's own A sheet, turned as the sheet needs, so that its trays are used.
QPageLayout pageLayoutOf(const draft::Sheet& sheet)
{
    static const std::map<std::string, QPageSize::PageSizeId> ids{
        {"A4", QPageSize::A4}, {"A3", QPageSize::A3}, {"A2", QPageSize::A2}, {"A1", QPageSize::A1}, {"A0", QPageSize::A0}};
    return QPageLayout(QPageSize(ids.at(sheet.paper)), sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

}  // namespace

std::string TfrmDraft::writePdf(const Request& request)
{
    return print::writePdf(request.path, session_, optionsOf(request, session_));
}

std::string TfrmDraft::print(const Request& request)
{
    // The same sheets as "PDFで保存": a drawing too big for the paper is printed in its parts.
    const print::SheetOptions options = optionsOf(request, session_);
    const draft::SheetSet set = print::sheetsFor(session_, options);
    if (set.sheets.empty()) return set.error;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);  // the sheet's margins are its own
    printer.setPageLayout(pageLayoutOf(set.sheets.front()));
    // Printing to a file proposes the file the PDF save would.
    const QFileInfo proposed(QString::fromStdString(request.path));
    printer.setDocName(proposed.completeBaseName());
    if (printHook_) {
        if (!printHook_(printer)) return {};
    } else {
        QPrintDialog dialog(&printer, this);
        // The dialog fills its file field from the working folder when it is shown; ours comes after.
        QTimer::singleShot(0, &dialog, [&dialog, &proposed] {
            if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
                file->setText(proposed.filePath());
        });
        if (dialog.exec() != QDialog::Accepted) return {};
    }
    QPainter painter;
    if (!painter.begin(&printer)) return "プリンタを開けません。";
    bool first = true;
    std::string why;
    print::paintSheets(painter, session_, options, set, [&](const draft::Sheet& sheet) {
        if (!first) {
            // Each sheet on its own paper, set before its page begins; a printer that cannot change
            // paper within a job prints on the first sheet's.
            printer.setPageLayout(pageLayoutOf(sheet));
            if (!printer.newPage() && why.empty()) why = "次のページに進めません。";
        }
        first = false;
        return printer.resolution() / 25.4;
    });
    painter.end();
    return why;
}

void TfrmDraft::btnCancelClick() { preview_.close(width(), height()); }

void TfrmDraft::btnDumpClick() { preview_.dump(); }

// ---- DraftWindow ----

void TfrmDraft::showModal()
{
    // Its file dialogs open over this window while it is shown.
    files_.setParentWidget(this);
    const AboveOpener above(*this);
    exec();
    files_.setParentWidget(parentWidget());
}

void TfrmDraft::closeWindow() { QDialog::done(QDialog::Rejected); }

void TfrmDraft::setCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void TfrmDraft::setCursor(editor::CursorKind kind) { imgDraft->setCursor(cursorFor(kind)); }

void TfrmDraft::showPopupMenu(editor::PixelPoint at, bool) { PopupMenu->popup(imgDraft->mapToGlobal(QPoint(at.x, at.y))); }

void TfrmDraft::focusCanvas() { imgDraft->setFocus(Qt::OtherFocusReason); }

void TfrmDraft::stateChanged()
{
    updating_ = true;
    const QString scale = QString::fromStdString(preview_.typedScale());
    if (cmbDraftScale->currentText() != scale) cmbDraftScale->setCurrentText(scale);
    btnAdapt->setEnabled(preview_.applyEnabled());
    const QString cad = QString::fromStdString(preview_.cadProgram());
    if (edtCADfname->text() != cad) edtCADfname->setText(cad);
    updating_ = false;
}

void TfrmDraft::canvasChanged() { imgDraft->update(); }

void TfrmDraft::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The canvas has its size by now: fit the drawing before it is first painted.
    stateChanged();
    preview_.windowShown();
    imgDraft->setFocus(Qt::OtherFocusReason);  // the navigation keys work at once
}

}  // namespace ui
