// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmConfirm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/AboveOpener.h"
#include "ui/OkCancel.h"

namespace ui {

TfrmConfirm::TfrmConfirm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmConfirm"));
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    edtName = new QLineEdit(this);
    edtName->setObjectName(QStringLiteral("edtName"));
    const OkCancel okCancel = makeOkCancel(this, [this] { btnOKClick(); });
    btnOK = okCancel.ok;
    btnCancel = okCancel.cancel;

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("符号名"), this));
    row->addWidget(edtName, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addLayout(row);
    layout->addLayout(okCancel.row);
    setInitDialog(1, "");
}

void TfrmConfirm::setInitDialog(int mode, const std::string& name)
{
    const bool change = mode == 2;
    setWindowTitle(change ? QStringLiteral("変更") : QStringLiteral("確認"));
    lblTitle->setText(change ? QStringLiteral("符号を変更します。") : QStringLiteral("符号を追加します。"));
    edtName->setText(QString::fromStdString(name));
    edtName->selectAll();
}

std::optional<std::string> TfrmConfirm::askMarkName(int mode, const std::string& name)
{
    return askMarkName(mode, name, nullptr, nullptr);
}

std::optional<std::string> TfrmConfirm::askMarkName(int mode, const std::string& name,
                                                    const platform::MarkNamePort::Check& check,
                                                    platform::Platform* platform)
{
    check_ = check;
    platform_ = platform;
    setInitDialog(mode, name);
    const AboveOpener above(*this);
    const bool ok = exec() == QDialog::Accepted;
    check_ = nullptr;
    platform_ = nullptr;
    if (!ok) return std::nullopt;
    return edtName->text().toStdString();
}

void TfrmConfirm::btnOKClick()
{
    if (check_) {
        const std::string problem = check_(edtName->text().toStdString());
        if (!problem.empty()) {
            if (platform_) platform_->messageBox(platform::kConfirmCaption, problem, platform::Buttons::Ok);
            edtName->setFocus();
            edtName->selectAll();
            return;
        }
    }
    accept();
}

}  // namespace ui
