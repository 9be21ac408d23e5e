// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmSection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/dispatcher.h"
#include "editor/section_figure.h"
#include "settings/settings.h"
#include "ui/KeypadButton.h"
#include "ui/NumberText.h"
#include "ui/TfrmConfirm.h"
#include "ui/TfrmDetail.h"

namespace ui {

using editor::SectionField;

namespace {

constexpr int kGirderWidth = 660, kGirderHeight = 800;
constexpr int kColumnWidth = 355, kColumnHeight = 710;
constexpr int kFigureSize = 190;
constexpr int kDetailSize = 400;

QString q(const std::string& s) { return QString::fromStdString(s); }

// Widths of the visible grid columns; 0 hides a column.
std::vector<int> columnWidths(bool girders)
{
    if (girders) return {35, 0, 0, 0, 0, 70, 60, 60, 60, 60, 60, 60, 75, 60, 0, 0, 0, 0};
    return {45, 0, 0, 0, 0, 90, 70, 100};
}

}  // namespace

FigurePanel::FigurePanel(QWidget* parent, const QString& name, int size) : canvas(size, size)
{
    widget = new CanvasWidget(canvas, parent);
    widget->setObjectName(name);
    widget->setFixedSize(size, size);
    widget->setEvents(this);
    widget->setCursor(Qt::PointingHandCursor);
    widget->setToolTip(QStringLiteral("クリックで拡大図"));
}

void FigurePanel::canvasMouseUp(const editor::MouseEvent& event)
{
    if (event.button == editor::MouseButton::Left && onClick) onClick();
}

TfrmSection::TfrmSection(editor::Dispatcher& dispatcher, settings::IniFile& ini, platform::Platform& platform,
                         platform::KeypadPort& keypad, TfrmConfirm& confirm, TfrmDetail& detail,
                         platform::Ss2ImportPort* ss2, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      editor_(dispatcher, editor::SectionEditorPorts{&keypad, this, ss2}),
      platform_(platform),
      confirm_(confirm),
      detail_(detail),
      memory_(ini, platform, "Section")
{
    setObjectName(QStringLiteral("frmSection"));
    setModal(false);

    tbcSection = new QTabBar(this);
    tbcSection->setObjectName(QStringLiteral("tbcSection"));
    tbcSection->setExpanding(false);
    tbcSection->installEventFilter(this);
    connect(tbcSection, &QTabBar::currentChanged, this, [this](int tab) {
        if (!updating_) act([this, tab] { editor_.selectTab(tab); });
    });

    popTab = new QMenu(this);
    popTab->setObjectName(QStringLiteral("popTab"));
    popTab->addAction(QStringLiteral("新規作成"), this, [this] {
        act([this] { editor_.selectTab(static_cast<int>(editor_.pages().size())); });
    });
    popTab->addAction(QStringLiteral("削除"), this, [this] { act([this] { editor_.deleteMark(); }); });
    popTab->addAction(QStringLiteral("名称の変更"), this, [this] { act([this] { editor_.renameMark(); }); });
    popTab->addSeparator();
    popTab->addAction(QStringLiteral("閉じる"));

    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->setVisible(false);
    StringGrid1->verticalHeader()->setDefaultSectionSize(20);
    StringGrid1->installEventFilter(this);
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (!updating_ && row >= 0) act([this, row] { editor_.selectRow(row); });
    });

    cmbRSelect = new QComboBox(this);
    cmbRSelect->setObjectName(QStringLiteral("cmbRSelect"));
    for (const char* name : editor::kRodKindNames) cmbRSelect->addItem(QString::fromUtf8(name));
    connect(cmbRSelect, &QComboBox::activated, this, [this](int kind) { act([this, kind] { editor_.setRodKind(kind); }); });

    auto button = [this](const char* name, const QString& text, std::function<void()> action) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, action] { act(action); });
        return b;
    };
    btnInit = button("btnInit", QStringLiteral("初期値"), [this] { editor_.defaults(); });
    btnCopy = button("btnCopy", QStringLiteral("コピー(ctl+C)"), [this] { editor_.copySpec(); });
    btnPaste = button("btnPaste", QStringLiteral("ペースト(ctl+V)"), [this] { editor_.pasteSpec(); });
    btnClear = button("btnClear", QStringLiteral("クリア(ctl+X)"), [this] { editor_.clearSpec(); });
    btnSS2 = button("btnSS2", QStringLiteral("SS2からインポート"), [this] { editor_.importSs2(); });
    // A development entry: hidden from the start, reachable from tests and the command line.
    btnSS2->setVisible(false);
    btnCp1to2 = button("btnCp1to2", QStringLiteral(">>"), [this] { editor_.copyLeftToCentre(); });
    btnCp2to3 = button("btnCp2to3", QStringLiteral(">>"), [this] { editor_.copyLeftToRight(); });
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &TfrmSection::btnOKClick);
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { editor_.cancel(); });

    for (int i = 0; i < editor::kSectionFieldCount; ++i) makeControl(static_cast<SectionField>(i), this);
    grpGIRDER = buildGirderGroup();
    grpCOLUMN = buildColumnGroup();

    const char* figureNames[] = {"imgLeft", "imgCenter", "imgRight"};
    auto* figureRow = new QHBoxLayout;
    for (int end = 0; end < 3; ++end) {
        figures[static_cast<size_t>(end)] = std::make_unique<FigurePanel>(this, QString::fromLatin1(figureNames[end]), kFigureSize);
        figures[static_cast<size_t>(end)]->onClick = [this, end] { showDetail(end); };
        figures[static_cast<size_t>(end)]->onResized = [this] {
            if (editor_.isOpen() && !updating_) drawFigures();
        };
        figureRow->addWidget(figures[static_cast<size_t>(end)]->widget);
    }
    figureRow->addStretch();

    lblFindings = new QLabel(this);
    lblFindings->setObjectName(QStringLiteral("lblFindings"));
    lblFindings->setStyleSheet(QStringLiteral("color: #c00000"));
    lblFindings->setWordWrap(true);

    chkDrawFloor = new QCheckBox(QStringLiteral("姿図にスラブを描画"), this);
    chkDrawFloor->setObjectName(QStringLiteral("chkDrawFloor"));
    connect(chkDrawFloor, &QCheckBox::clicked, this, [this](bool on) { act([this, on] { editor_.setSlab(on); }); });
    chkUDGirder = new QCheckBox(QStringLiteral("姿図に地業を描画"), this);
    chkUDGirder->setObjectName(QStringLiteral("chkUDGirder"));
    connect(chkUDGirder, &QCheckBox::clicked, this,
            [this](bool on) { act([this, on] { editor_.setFoundation(on, editor_.foundationChoice()); }); });
    rdoBottom = new QRadioButton(QStringLiteral("最下層"), this);
    rdoBottom->setObjectName(QStringLiteral("rdoBottom"));
    connect(rdoBottom, &QRadioButton::clicked, this, [this] { act([this] { editor_.setFoundation(true, 1); }); });
    rdoAll = new QRadioButton(QStringLiteral("全て"), this);
    rdoAll->setObjectName(QStringLiteral("rdoAll"));
    connect(rdoAll, &QRadioButton::clicked, this, [this] { act([this] { editor_.setFoundation(true, 2); }); });

    // Two rows, so that the narrow column window holds them too.
    auto* tools = new QVBoxLayout;
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(new QLabel(QStringLiteral("鉄筋種別"), this));
    kindRow->addWidget(cmbRSelect);
    kindRow->addWidget(btnInit);
    kindRow->addWidget(btnSS2);
    kindRow->addStretch();
    auto* clipRow = new QHBoxLayout;
    clipRow->addWidget(btnCopy);
    clipRow->addWidget(btnPaste);
    clipRow->addWidget(btnClear);
    clipRow->addStretch();
    tools->addLayout(kindRow);
    tools->addLayout(clipRow);

    auto* options = new QHBoxLayout;
    options->addWidget(chkDrawFloor);
    options->addWidget(chkUDGirder);
    options->addWidget(rdoBottom);
    options->addWidget(rdoAll);
    options->addStretch();

    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(btnOK);
    okRow->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbcSection);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(tools);
    layout->addWidget(grpGIRDER);
    layout->addWidget(grpCOLUMN);
    layout->addLayout(figureRow);
    layout->addWidget(lblFindings);
    layout->addLayout(options);
    layout->addLayout(okRow);
    setMode(true);
}

TfrmSection::~TfrmSection() = default;

QWidget* TfrmSection::makeControl(SectionField f, QWidget* parent)
{
    const QString name = QString::fromLatin1(editor::fieldControlName(f));
    QWidget* w;
    if (editor::isEditField(f)) {
        auto* edit = new QLineEdit(parent);
        edit->setFixedWidth(52);
        edit->setAlignment(Qt::AlignRight);
        connect(edit, &QLineEdit::textEdited, this,
                [this, f](const QString& text) { act([this, f, text] { editor_.setField(f, text.toStdString()); }); });
        w = edit;
        QString keypadName = name;
        keypadName.replace(0, 3, QStringLiteral("sb"));
        QToolButton* sb = makeKeypadButton(parent, keypadName);
        connect(sb, &QToolButton::clicked, this, [this, f] { act([this, f] { editor_.keypad(f); }); });
        keypadButtons[static_cast<size_t>(f)] = sb;
    } else {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        const bool pitch = f == editor::PitchSTAR || f == editor::PitchHoop;
        combo->setFixedWidth(editor::isSizeField(f) ? 62 : pitch ? 56 : 46);
        for (const std::string& choice : editor::fieldChoices(f, 0)) combo->addItem(q(choice));
        connect(combo, &QComboBox::textActivated, this,
                [this, f](const QString& text) { act([this, f, text] { editor_.setField(f, text.toStdString()); }); });
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [this, f](const QString& text) { act([this, f, text] { editor_.setField(f, text.toStdString()); }); });
        w = combo;
    }
    w->setObjectName(name);
    controls[static_cast<size_t>(f)] = w;
    return w;
}

namespace {
QWidget* cell(QWidget* parent, std::initializer_list<QWidget*> widgets)
{
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (QWidget* w : widgets) row->addWidget(w);
    row->addStretch();
    return box;
}

QGridLayout* groupGrid(QGroupBox* group, const QString& name)
{
    group->setObjectName(name);
    auto* g = new QGridLayout(group);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(3);
    return g;
}
}  // namespace

QGroupBox* TfrmSection::buildGirderGroup()
{
    using namespace editor;
    auto* group = new QGroupBox(QStringLiteral("梁断面"), this);
    QGridLayout* g = groupGrid(group, QStringLiteral("grpGIRDER"));
    const char* ends[] = {"左端", "中央", "右端"};
    for (int end = 0; end < 3; ++end) g->addWidget(new QLabel(QString::fromUtf8(ends[end]), group), 0, 1 + 2 * end);
    const char* rows[] = {"b", "D", "上端筋", "下端筋"};
    for (int r = 0; r < 4; ++r) g->addWidget(new QLabel(QString::fromUtf8(rows[r]), group), 1 + r, 0);
    auto control = [this](SectionField f) { return controls[static_cast<size_t>(f)]; };
    for (int end = 0; end < 3; ++end) {
        for (int which = 0; which < 2; ++which) {
            const SectionField f = sizeEdit(end, which);
            g->addWidget(cell(group, {control(f), keypadButtons[static_cast<size_t>(f)]}), 1 + which, 1 + 2 * end);
        }
        for (int side = 0; side < 2; ++side) {
            const int bars = 2 * end + side;
            g->addWidget(cell(group, {control(barCount(bars)), control(barSecond(bars)), control(barSize(bars))}),
                         3 + side, 1 + 2 * end);
        }
    }
    btnCp1to2->setFixedWidth(28);
    btnCp2to3->setFixedWidth(28);
    g->addWidget(btnCp1to2, 1, 2, 4, 1);
    g->addWidget(btnCp2to3, 1, 4, 4, 1);
    g->addWidget(new QLabel(QStringLiteral("ｽﾀｰﾗｯﾌﾟ"), group), 5, 0);
    g->addWidget(cell(group, {control(NoSTAR), control(NmSTAR), new QLabel(QStringLiteral("@"), group), control(PitchSTAR)}), 5, 1);
    g->addWidget(new QLabel(QStringLiteral("腹筋"), group), 5, 3, Qt::AlignRight);
    g->addWidget(cell(group, {control(NoBODY), control(NmBODY)}), 5, 5);
    g->setColumnStretch(6, 1);
    return group;
}

QGroupBox* TfrmSection::buildColumnGroup()
{
    using namespace editor;
    auto* group = new QGroupBox(QStringLiteral("柱断面"), this);
    QGridLayout* g = groupGrid(group, QStringLiteral("grpCOLUMN"));
    auto control = [this](SectionField f) { return controls[static_cast<size_t>(f)]; };
    auto keypadOf = [this](SectionField f) { return keypadButtons[static_cast<size_t>(f)]; };
    g->addWidget(new QLabel(QStringLiteral("Dx×Dy"), group), 0, 0);
    g->addWidget(cell(group, {control(SecX), keypadOf(SecX), new QLabel(QStringLiteral("×"), group), control(SecY),
                              keypadOf(SecY)}),
                 0, 1);
    g->addWidget(new QLabel(QStringLiteral("主筋 X Y 径"), group), 1, 0);
    g->addWidget(cell(group, {control(NoMX), control(NoMY), control(NmMain)}), 1, 1);
    g->addWidget(new QLabel(QStringLiteral("フープ X Y 径 @"), group), 2, 0);
    g->addWidget(cell(group, {control(NoHoopX), control(NoHoopY), control(NmHoop), control(PitchHoop)}), 2, 1);
    g->setColumnStretch(2, 1);
    return group;
}

void TfrmSection::setMode(bool girders)
{
    grpGIRDER->setVisible(girders);
    grpCOLUMN->setVisible(!girders);
    figures[1]->widget->setVisible(girders);
    figures[2]->widget->setVisible(girders);
    for (QWidget* w : std::initializer_list<QWidget*>{chkDrawFloor, chkUDGirder, rdoBottom, rdoAll}) w->setVisible(girders);
    setWindowTitle(q(editor_.caption()));
    // The size limits must follow the controls now shown before the window takes its size.
    layout()->invalidate();
    layout()->activate();
    if (girders) resize(kGirderWidth, kGirderHeight);
    else resize(kColumnWidth, kColumnHeight);
}

void TfrmSection::openSectionDialog(char letter)
{
    const int kind = parseInt(memory_.read("RodKind", QStringLiteral("0"))).value_or(0);
    editor_.open(letter, kind);
    setMode(editor_.girders());
    listsKind_ = -1;
    show();
    refresh();
    raise();
    activateWindow();
    focusRefusedField();
}

void TfrmSection::openSectionAt(char letter, const std::string& mark, int level)
{
    if (!editor_.isOpen() || editor_.letter() != letter) openSectionDialog(letter);
    act([this, &mark, level] { editor_.showSection(mark, level); });
    show();
    raise();
    activateWindow();
}

std::optional<std::string> TfrmSection::askMarkName(int mode, const std::string& name, const Check& check)
{
    return confirm_.askMarkName(mode, name, check, &platform_);
}

void TfrmSection::act(const std::function<void()>& action)
{
    if (updating_ || !editor_.isOpen()) return;
    action();
    refresh();
    focusRefusedField();
}

void TfrmSection::focusRefusedField()
{
    // A field the dialog refused to leave keeps the user: the focus goes back into it.
    if (const auto f = editor_.takeRefusedField()) controls[static_cast<size_t>(*f)]->setFocus(Qt::OtherFocusReason);
}

void TfrmSection::refresh()
{
    updating_ = true;
    refreshTabs();
    refreshGrid();
    refreshControls();
    updating_ = false;
    drawFigures();
    showFindings();
}

void TfrmSection::showFindings()
{
    QStringList lines;
    for (const check::Finding& f : editor_.currentFindings()) lines << q(check::findingText(f));
    lblFindings->setText(lines.join(QLatin1Char('\n')));
    lblFindings->setVisible(!lines.isEmpty());
}

void TfrmSection::refreshTabs()
{
    const auto& pages = editor_.pages();
    while (tbcSection->count() > static_cast<int>(pages.size()) + 1) tbcSection->removeTab(tbcSection->count() - 1);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (static_cast<int>(i) >= tbcSection->count()) tbcSection->addTab(QString());
        tbcSection->setTabText(static_cast<int>(i), q(pages[i]));
    }
    if (tbcSection->count() < static_cast<int>(pages.size()) + 1) tbcSection->addTab(QString());
    tbcSection->setTabText(static_cast<int>(pages.size()), q(editor::kAddTab));
    tbcSection->setCurrentIndex(editor_.currentPage());
}

void TfrmSection::refreshGrid()
{
    const auto& rows = editor_.rows();
    const int columns = editor_.gridColumns();
    StringGrid1->setColumnCount(columns);
    StringGrid1->setRowCount(static_cast<int>(rows.size()));
    QStringList headers;
    for (const std::string& h : editor::SectionEditor::headers(editor_.girders())) headers << q(h);
    StringGrid1->setHorizontalHeaderLabels(headers);
    const std::vector<int> widths = columnWidths(editor_.girders());
    for (int c = 0; c < columns; ++c) {
        StringGrid1->setColumnHidden(c, widths[static_cast<size_t>(c)] == 0);
        if (widths[static_cast<size_t>(c)] > 0) StringGrid1->setColumnWidth(c, widths[static_cast<size_t>(c)]);
    }
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns; ++c) {
            QTableWidgetItem* item = StringGrid1->item(static_cast<int>(r), c);
            if (!item) {
                item = new QTableWidgetItem;
                StringGrid1->setItem(static_cast<int>(r), c, item);
            }
            item->setText(q(rows[r].cells[static_cast<size_t>(c)]));
        }
    StringGrid1->setCurrentCell(editor_.currentRow(), 0);
    StringGrid1->selectRow(editor_.currentRow());
}

void TfrmSection::refreshControls()
{
    cmbRSelect->setCurrentIndex(editor_.rodKind());
    const bool rebuildLists = listsKind_ != editor_.rodKind();
    listsKind_ = editor_.rodKind();
    for (int i = 0; i < editor::kSectionFieldCount; ++i) {
        const auto f = static_cast<SectionField>(i);
        const QString text = q(editor_.field(f));
        if (auto* edit = qobject_cast<QLineEdit*>(controls[static_cast<size_t>(i)])) {
            if (edit->text() != text) edit->setText(text);
            continue;
        }
        auto* combo = static_cast<QComboBox*>(controls[static_cast<size_t>(i)]);
        if (rebuildLists && editor::isSizeField(f)) {
            combo->clear();
            for (const std::string& choice : editor::fieldChoices(f, listsKind_)) combo->addItem(q(choice));
        }
        if (combo->currentText() != text) {
            const int index = combo->findText(text);
            if (index >= 0) combo->setCurrentIndex(index);
            else combo->setEditText(text);
        }
    }
    const settings::DraftEnv& env = editor_.env();
    chkDrawFloor->setChecked(env.GirderListSlab);
    chkUDGirder->setChecked(env.GirderListBase != 0);
    rdoBottom->setEnabled(env.GirderListBase != 0);
    rdoAll->setEnabled(env.GirderListBase != 0);
    (editor_.foundationChoice() == 2 ? rdoAll : rdoBottom)->setChecked(true);
}

void TfrmSection::drawFigures()
{
    const std::string spec = editor_.currentSpec();
    const int count = editor_.girders() ? 3 : 1;
    for (int end = 0; end < count; ++end) {
        FigurePanel& panel = *figures[static_cast<size_t>(end)];
        editor::drawSectionFigure(panel.canvas, editor_.env(),
                                  {spec, !editor_.girders(), end, editor_.lastRowSelected()}, platform_);
        panel.widget->update();
    }
}

void TfrmSection::showDetail(int end)
{
    detail_.setPictureSize(kDetailSize, kDetailSize);
    const editor::SectionFigure figure{editor_.currentSpec(), !editor_.girders(), end, editor_.lastRowSelected()};
    // Drawn once the window is shown: showing gives the picture its size and clears it.
    QTimer::singleShot(0, &detail_, [this, figure] {
        editor::drawSectionFigure(detail_.canvas(), editor_.env(), figure, platform_);
        detail_.imgSection->update();
    });
    detail_.showModal();
}

void TfrmSection::btnOKClick()
{
    if (!editor_.isOpen()) return;
    if (!editor_.ok()) return focusRefusedField();
    memory_.write("RodKind", QString::number(editor_.rodKind()));
    hide();
}

bool TfrmSection::closeSectionDialog(bool keep)
{
    if (!keep) {
        reject();
        return true;
    }
    btnOKClick();
    return !isVisible();
}

bool TfrmSection::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tbcSection && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            popTab->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    if (watched == StringGrid1 && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier &&
            (key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X)) {
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                const int k = key->key();
                act([this, k] {
                    if (k == Qt::Key_C) editor_.copySpec();
                    else if (k == Qt::Key_V) editor_.pasteSpec();
                    else editor_.clearSpec();
                });
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace ui
