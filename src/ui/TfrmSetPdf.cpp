// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmSetPdf.h"

#include "model/project_title.h"
#include "print/PdfDrawingSet.h"
#include "session/session.h"

namespace ui {

TfrmSetPdf::TfrmSetPdf(model::Session& session, platform::Platform& platform, QWidget* parent)
    : QProgressDialog(parent), session_(session), platform_(platform)
{
    setObjectName(QStringLiteral("frmSetPdf"));
    setWindowTitle(QStringLiteral("図面一式をPDFで保存"));
    setLabelText(QStringLiteral("図面を作図しています..."));
    setCancelButtonText(QStringLiteral("キャンセル"));
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(0);
    setAutoClose(false);
    setAutoReset(false);
}

bool TfrmSetPdf::save(const std::string& path, const std::string& paper)
{
    print::DrawingSetPdf request;
    request.output = path;
    request.set.paper = paper;
    request.set.projectPath = session_.project.path;
    request.set.fields = model::readProjectTitle(session_.project.path);
    std::string leftOut;
    request.set.leftOut = [&leftOut](const std::string& what, const std::string& why) { leftOut += what + ": " + why + "\n"; };
    request.set.progress = [this](int done, int of) {
        setMaximum(of);
        setValue(done);  // a modal progress dialog handles events here, キャンセル among them
        return !wasCanceled();
    };
    reset();
    show();
    const std::string why = print::writeDrawingSetPdf(session_, request);
    const bool cancelled = wasCanceled();
    hide();
    if (cancelled) return false;
    if (!why.empty()) {
        platform_.messageBox(platform::kConfirmCaption, why, platform::Buttons::Ok);
        return false;
    }
    if (!leftOut.empty())
        platform_.messageBox(platform::kConfirmCaption, "次の図面は入っていません:\n" + leftOut, platform::Buttons::Ok);
    return true;
}

}  // namespace ui
