// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmTitle.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/project_title.h"

namespace ui {

TfrmTitle::TfrmTitle(platform::Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform)
{
    setObjectName(QStringLiteral("frmTitle"));
    setWindowTitle(QStringLiteral("図面表題"));
    edtProjectName = new QLineEdit(this);
    edtDesigner = new QLineEdit(this);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    edtProjectName->setMinimumWidth(320);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("工事名称"), edtProjectName);
    form->addRow(QStringLiteral("設計者"), edtDesigner);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(btnOK, &QPushButton::clicked, this, &TfrmTitle::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmTitle::editFor(const std::string& projectPath)
{
    projectPath_ = projectPath;
    const model::ProjectTitle title = model::readProjectTitle(projectPath);
    edtProjectName->setText(QString::fromStdString(title.projectName));
    edtDesigner->setText(QString::fromStdString(title.designer));
    exec();
}

void TfrmTitle::btnOKClick()
{
    const model::ProjectTitle title{edtProjectName->text().toStdString(), edtDesigner->text().toStdString()};
    // A field the file cannot keep leaves the dialog open with the text as typed.
    const model::FileResult r = model::writeProjectTitle(projectPath_, title);
    if (!r.ok) {
        platform_.messageBox(platform::kConfirmCaption, r.message, platform::Buttons::Ok);
        return;
    }
    accept();
}

}  // namespace ui
