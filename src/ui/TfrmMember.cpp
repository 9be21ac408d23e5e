// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmMember.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/AboveOpener.h"
#include "ui/NumberText.h"
#include "ui/OkCancel.h"

namespace ui {

namespace {
const char* memoryKey(int kind) { return kind == 1 ? "Column" : "Girder"; }
}  // namespace

TfrmMember::TfrmMember(settings::IniFile& ini, platform::Platform& platform, QWidget* parent)
    : QDialog(parent), memory_(ini, platform, "Member")
{
    setObjectName(QStringLiteral("frmMember"));
    setMinimumWidth(260);

    cmbSectionMark = new QComboBox(this);
    cmbSectionMark->setObjectName(QStringLiteral("cmbSectionMark"));
    cmbDirect = new QComboBox(this);
    cmbDirect->setObjectName(QStringLiteral("cmbDirect"));
    cmbDirect->addItems({QStringLiteral("全ての部材"), QStringLiteral("床部材"), QStringLiteral("柱部材")});

    const OkCancel okCancel = makeOkCancel(this, [this] { btnOKClick(); });
    btnOK = okCancel.ok;
    btnCancel = okCancel.cancel;

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("符号名"), this), 0, 0);
    grid->addWidget(cmbSectionMark, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("範囲選択対象:"), this), 1, 0);
    grid->addWidget(cmbDirect, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(okCancel.row);

    // Every run starts on the first mark of the list.
    memory_.write("Girder", QStringLiteral("1"));
    memory_.write("Column", QStringLiteral("1"));
    memory_.write("Beam", QStringLiteral("1"));
}

QStringList TfrmMember::markList(int kind, const model::SectionTable& sections)
{
    const QChar letter = kind == 1 ? QChar(model::kColumnLetter) : QChar(model::kGirderLetter);
    QStringList marks{QString()};
    for (int i = 0; i < model::kSectionStoreCount; ++i) {
        const model::SectionEntry& e = sections[static_cast<size_t>(i)];
        if (e.secID == -1) break;  // the first free entry ends the table
        const QString key = QString::fromStdString(e.secKey);
        if (!key.startsWith(letter)) continue;
        const QString name = QString::fromStdString(e.secName);
        const qsizetype colon = name.indexOf(u':');
        const QString mark = colon < 0 ? name : name.mid(colon + 1);
        if (!marks.contains(mark)) marks << mark;
    }
    return marks;
}

void TfrmMember::setInitDialog(int kind, const model::SectionTable& sections)
{
    kind_ = kind == 1 ? 1 : 0;
    cmbSectionMark->clear();
    cmbSectionMark->addItems(markList(kind_, sections));
    const int remembered = parseInt(memory_.read(memoryKey(kind_), QStringLiteral("0"))).value_or(0);
    cmbSectionMark->setCurrentIndex(std::clamp(remembered, 0, cmbSectionMark->count() - 1));
    cmbDirect->setCurrentIndex(kind_ == 0 ? 1 : 2);
}

std::optional<platform::MemberChoice> TfrmMember::chooseMark(const std::string& caption, int kind,
                                                             const model::SectionTable& sections)
{
    setWindowTitle(QString::fromStdString(caption));
    setInitDialog(kind, sections);
    const AboveOpener above(*this);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return result_;
}

void TfrmMember::btnOKClick()
{
    memory_.write(memoryKey(kind_), QString::number(cmbSectionMark->currentIndex()));
    result_.markName = cmbSectionMark->currentText().toStdString();
    result_.rangeTarget = cmbDirect->currentIndex();
    accept();
}

}  // namespace ui
