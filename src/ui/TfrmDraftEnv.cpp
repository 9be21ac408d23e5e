// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmDraftEnv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editor/bar_mark_picture.h"
#include "settings/draft_env_parts.h"
#include "ui/AboveOpener.h"
#include "ui/OkCancel.h"
#include "ui/QtCanvas.h"

namespace ui {

namespace {

constexpr int kMarkPicture = 36;  // pixels of a mark picture

QString q(const std::string& text) { return QString::fromStdString(text); }
std::string s(const QString& text) { return text.toStdString(); }

template <size_t N>
int checkedIndex(const std::array<QRadioButton*, N>& radios)
{
    for (size_t i = 0; i < N; ++i)
        if (radios[i]->isChecked()) return static_cast<int>(i);
    return 0;
}

template <size_t N>
void checkIndex(const std::array<QRadioButton*, N>& radios, int index)
{
    radios[static_cast<size_t>(index >= 0 && index < static_cast<int>(N) ? index : 0)]->setChecked(true);
}

// The text of an edit or a combo box.
QString controlText(const QWidget* w)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (const auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    return {};
}

void setControlText(QWidget* w, const QString& text)
{
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
    if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentText(text);
}

// The boxes of the default sections, found by their names.
template <class T, size_t N>
void showParts(const QWidget& dialog, const std::array<settings::DefaultPart<T>, N>& parts, const T& values)
{
    for (const auto& p : parts) setControlText(dialog.findChild<QWidget*>(QString::fromLatin1(p.control)), q(values.*p.field));
}

template <class T, size_t N>
T readParts(const QWidget& dialog, const std::array<settings::DefaultPart<T>, N>& parts)
{
    T t;
    for (const auto& p : parts) t.*p.field = s(controlText(dialog.findChild<QWidget*>(QString::fromLatin1(p.control))));
    return t;
}

// The pictures of marks 0 ... 14, drawn once by the drafting engine's symbol code.
const std::array<QPixmap, settings::kMarkChoices>& markPictures(platform::Platform& platform)
{
    static const std::array<QPixmap, settings::kMarkChoices> pictures = [&platform] {
        std::array<QPixmap, settings::kMarkChoices> p;
        for (int i = 0; i < settings::kMarkChoices; ++i) {
            QtCanvas canvas(kMarkPicture, kMarkPicture);
            editor::drawBarMarkPicture(canvas, i, platform);
            p[static_cast<size_t>(i)] = QPixmap::fromImage(canvas.image());
        }
        return p;
    }();
    return pictures;
}

}  // namespace

TfrmDraftEnv::TfrmDraftEnv(model::Session& session, settings::IniFile& ini, std::function<void()> changed,
                           QWidget* parent)
    : QDialog(parent), session_(session), ini_(ini), changed_(std::move(changed))
{
    setObjectName(QStringLiteral("frmDraftEnv"));
    setWindowTitle(QStringLiteral("作図設定"));
    setModal(true);

    tbcPages = new QTabWidget(this);
    tbcPages->setObjectName(QStringLiteral("tbcPages"));
    tbcPages->setUsesScrollButtons(false);  // every page's tab in sight
    tbcPages->addTab(buildTextPage(), QStringLiteral("文字サイズ"));
    tbcPages->addTab(buildMarkPage(), QStringLiteral("鉄筋記号"));
    tbcPages->addTab(buildGirderPage1(), QStringLiteral("梁断面リスト1"));
    tbcPages->addTab(buildFramePage("G", cmbGFrame), QStringLiteral("梁断面リスト2"));
    tbcPages->addTab(buildColumnPage1(), QStringLiteral("柱断面リスト1"));
    tbcPages->addTab(buildFramePage("C", cmbCFrame), QStringLiteral("柱断面リスト2"));
    tbcPages->addTab(buildGridPage(), QStringLiteral("通り心"));
    tbcPages->addTab(buildRebarPage(), QStringLiteral("配筋図"));

    const OkCancel okCancel = makeOkCancel(this, [this] { btnOKClick(); });
    btnOK = okCancel.ok;
    btnCancel = okCancel.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbcPages);
    layout->addLayout(okCancel.row);
}

QComboBox* TfrmDraftEnv::textBox(const char* name, const std::vector<std::string>& items, int width)
{
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    // Editable: a value stored by hand that is not one of the items still shows and survives.
    box->setEditable(true);
    for (const auto& i : items) box->addItem(q(i));
    box->setMaxVisibleItems(20);
    box->setFixedWidth(width);
    return box;
}

QComboBox* TfrmDraftEnv::markBox(const char* name)
{
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setIconSize(QSize(kMarkPicture, kMarkPicture));
    // The boxes show symbols only, as the drawings draw them.
    for (const QPixmap& picture : markPictures(session_.platform)) box->addItem(QIcon(picture), QString());
    box->setMaxVisibleItems(settings::kMarkChoices);
    return box;
}

void TfrmDraftEnv::openDraftSettings()
{
    setInitDialog();
    const AboveOpener above(*this);
    exec();
}

void TfrmDraftEnv::setInitDialog()
{
    const settings::DraftEnvForm f = settings::fillDraftEnvForm(session_.settings.draft);
    tbcPages->setCurrentIndex(0);
    cmbListScale->setCurrentText(q(f.listScale));
    cmbListMojiHeight->setCurrentText(q(f.listMojiHeight));
    cmbDraftScale->setCurrentText(q(f.draftScale));
    cmbDraftMojiHeight->setCurrentText(q(f.draftMojiHeight));
    cmbDraftMojiUki->setCurrentText(q(f.mojiUki));
    cmbMojiRatio->setCurrentText(q(f.mojiRatio));
    checkIndex(rdoG, f.dxfBase - 1);
    showMarks(f);
    checkIndex(rbStir, f.stirStart);
    for (size_t i = 0; i < cmbGTitle.size(); ++i) cmbGTitle[i]->setCurrentIndex(f.girderTitles[i]);
    for (size_t i = 0; i < cmbCTitle.size(); ++i) cmbCTitle[i]->setCurrentIndex(f.columnTitles[i]);
    chkDrawFloor->setChecked(f.slab);
    chkUDGirder->setChecked(f.foundation);
    (f.foundationRadio == 2 ? rdoAll : rdoBottom)->setChecked(true);
    edtBaseA->setText(q(f.baseA));
    edtBaseB->setText(q(f.baseB));
    chkGListDim->setChecked(f.girderDim);
    checkIndex(rbGList, f.girderDimRadio);
    chkCListDim->setChecked(f.columnDim);
    checkIndex(rbCList, f.columnDimRadio);

    showParts(*this, settings::girderParts(), f.girder);
    showParts(*this, settings::columnParts(), f.column);
    for (size_t i = 0; i < 5; ++i) {
        cmbGFrame[i]->setCurrentText(q(f.girderFrame[i]));
        cmbCFrame[i]->setCurrentText(q(f.columnFrame[i]));
    }
    for (size_t a = 0; a < 3; ++a) {
        const model::GridNaming& n = f.naming[a];
        GridNameControls& g3 = gridName[a];
        checkIndex(g3.rdo, n.mode - 1);
        g3.moji1->setCurrentText(q(n.moji1));
        g3.moji2->setCurrentText(q(n.moji2));
        g3.num2->setCurrentText(q(n.num2));
        g3.num3->setCurrentText(q(n.num3));
        g3.moji3->setCurrentText(q(n.moji3));
    }
}

settings::DraftEnvForm TfrmDraftEnv::form() const
{
    // Start from the settings so that what no control shows (Num1) comes through unchanged.
    settings::DraftEnvForm f = settings::fillDraftEnvForm(session_.settings.draft);
    f.listScale = s(cmbListScale->currentText());
    f.listMojiHeight = s(cmbListMojiHeight->currentText());
    f.draftScale = s(cmbDraftScale->currentText());
    f.draftMojiHeight = s(cmbDraftMojiHeight->currentText());
    f.mojiUki = s(cmbDraftMojiUki->currentText());
    f.mojiRatio = s(cmbMojiRatio->currentText());
    f.dxfBase = checkedIndex(rdoG) + 1;
    // A stored mark no picture stands for shows an empty box and is kept as it was.
    for (size_t i = 0; i < cmbMarks.size(); ++i)
        if (cmbMarks[i]->currentIndex() >= 0) f.marks[i] = cmbMarks[i]->currentIndex();
    f.preset = cmbSelSection->currentIndex();
    for (size_t i = 0; i < cmbGTitle.size(); ++i) f.girderTitles[i] = cmbGTitle[i]->currentIndex();
    for (size_t i = 0; i < cmbCTitle.size(); ++i) f.columnTitles[i] = cmbCTitle[i]->currentIndex();
    f.slab = chkDrawFloor->isChecked();
    f.foundation = chkUDGirder->isChecked();
    f.foundationRadio = rdoAll->isChecked() ? 2 : 1;
    f.baseA = s(edtBaseA->text());
    f.baseB = s(edtBaseB->text());
    f.girderDim = chkGListDim->isChecked();
    f.girderDimRadio = checkedIndex(rbGList);
    f.columnDim = chkCListDim->isChecked();
    f.columnDimRadio = checkedIndex(rbCList);
    f.girder = readParts(*this, settings::girderParts());
    f.column = readParts(*this, settings::columnParts());
    for (size_t i = 0; i < 5; ++i) {
        f.girderFrame[i] = s(cmbGFrame[i]->currentText());
        f.columnFrame[i] = s(cmbCFrame[i]->currentText());
    }
    for (size_t a = 0; a < 3; ++a) {
        model::GridNaming& n = f.naming[a];
        const GridNameControls& g = gridName[a];
        n.mode = checkedIndex(g.rdo) + 1;
        n.moji1 = s(g.moji1->currentText());
        n.moji2 = s(g.moji2->currentText());
        n.num2 = s(g.num2->currentText());
        n.num3 = s(g.num3->currentText());
        n.moji3 = s(g.moji3->currentText());
    }
    f.stirStart = checkedIndex(rbStir);
    return f;
}

void TfrmDraftEnv::showMarks(const settings::DraftEnvForm& form)
{
    for (size_t i = 0; i < cmbMarks.size(); ++i) cmbMarks[i]->setCurrentIndex(form.marks[i]);
    cmbSelSection->setCurrentIndex(form.preset);
}

void TfrmDraftEnv::presetChosen(int preset)
{
    settings::DraftEnvForm f = form();
    settings::choosePreset(f, preset);
    showMarks(f);
}

void TfrmDraftEnv::markChosen(int slot, int mark)
{
    settings::DraftEnvForm f = form();
    settings::chooseMark(f, slot, mark);
    showMarks(f);
}

void TfrmDraftEnv::btnOKClick()
{
    settings::FormProblem problem;
    if (!settings::confirmDraftEnvForm(form(), session_.settings, session_.grid, ini_, session_.platform, problem)) {
        session_.platform.messageBox(platform::kConfirmCaption, problem.message, platform::Buttons::Ok);
        if (auto* control = findChild<QWidget*>(q(problem.control))) {
            for (int i = 0; i < tbcPages->count(); ++i)
                if (tbcPages->widget(i)->isAncestorOf(control)) tbcPages->setCurrentIndex(i);
            control->setFocus();
        }
        return;
    }
    accept();
    if (changed_) changed_();
}

}  // namespace ui
