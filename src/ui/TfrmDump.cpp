// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmDump.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/dump.h"

namespace ui {

TfrmDump::TfrmDump(const model::Session& session, QWidget* parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("frmDump"));
    setWindowTitle(QStringLiteral("Dump"));
    setSizeGripEnabled(true);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    btnDump = new QPushButton(QStringLiteral("dump"), this);
    btnDump->setObjectName(QStringLiteral("btnDump"));
    btnUndo = new QPushButton(QStringLiteral("UNDO確認"), this);
    btnUndo->setObjectName(QStringLiteral("btnUndo"));
    connect(btnDump, &QPushButton::clicked, this, [this] { btnDumpClick(); });
    connect(btnUndo, &QPushButton::clicked, this, [this] { btnUndoClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnDump);
    buttons->addWidget(btnUndo);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(Memo1, 1);
    resize(640, 480);
}

void TfrmDump::showDump()
{
    Memo1->clear();
    show();
    raise();
    activateWindow();
}

void TfrmDump::fill(const std::vector<std::string>& lines)
{
    // One text for the whole listing: appending a hundred thousand lines one by one is slow.
    std::string all;
    size_t size = 0;
    for (const auto& l : lines) size += l.size() + 1;
    all.reserve(size);
    for (const auto& l : lines) {
        all += l;
        all += '\n';
    }
    Memo1->setPlainText(QString::fromStdString(all));
}

void TfrmDump::btnDumpClick()
{
    Memo1->clear();
    Memo1->hide();
    fill(model::modelDump(session_));
    Memo1->show();
}

void TfrmDump::btnUndoClick()
{
    Memo1->clear();
    fill(model::undoListing(session_));
}

}  // namespace ui
