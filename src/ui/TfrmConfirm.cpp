#include "ui/TfrmConfirm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/OkCancel.h"

namespace ui {

TfrmConfirm::TfrmConfirm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmConfirm"));
    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    edtName = new QLineEdit(this);
    edtName->setObjectName(QStringLiteral("edtName"));
    const OkCancel okCancel = makeOkCancel(this, [this] { accept(); });
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
    setInitDialog(mode, name);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return edtName->text().toStdString();
}

}  // namespace ui
