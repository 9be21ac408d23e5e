// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmBaseLine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/AboveOpener.h"
#include "ui/KeypadButton.h"
#include "ui/NumberText.h"

namespace ui {

namespace {

constexpr int kGridColour = 0xFF0000;
constexpr int kOffsetColour = 0xFF00FF;
constexpr int kOffsetShift = 4;
const std::array<const char*, 3> kAxisLetter = {"X", "Y", "Z"};
const std::array<int, 3> kDefaultCount = {2, 3, 2};
const std::array<int, 3> kDefaultPitch = {5000, 4000, 3000};

int roundHalfAway(double v) { return static_cast<int>(std::lround(v)); }

int32_t& kindOf(model::BaseOffset& o, int axis) { return axis == 0 ? o.nKindX : axis == 1 ? o.nKindY : o.nKindZ; }
int32_t& distOf(model::BaseOffset& o, int axis) { return axis == 0 ? o.nDistX : axis == 1 ? o.nDistY : o.nDistZ; }

QString letter(int axis) { return QString::fromLatin1(kAxisLetter[static_cast<size_t>(axis)]); }

}  // namespace

PreviewGeometry previewGeometry(int planWidth, int planHeight, int elvWidth, int elvHeight, int nX, int nY, int nZ)
{
    PreviewGeometry g;
    int s = 60;
    if (planWidth < nX * 60 + 120 || planHeight < nY * 60 + 120) s = 30;
    if (planWidth < (nX + 2) * s || elvHeight < (nZ + 2) * s) s = roundHalfAway(s / 2.0);
    g.sX = g.sY = g.sZ = s;
    g.mX = roundHalfAway((planWidth - nX * g.sX) / 2.0);
    g.mY = roundHalfAway((planHeight - nY * g.sY) / 2.0);
    g.mZ = roundHalfAway((elvHeight - nZ * g.sZ) / 2.0);
    g.eX = roundHalfAway((elvWidth - 1.5 * g.sX) / 2.0);
    return g;
}

QString offsetWord(int kind)
{
    switch (kind) {
    case model::OFFSET_CENTER: return QStringLiteral("中心");
    case model::OFFSET_LEFT_LOWER: return QStringLiteral("左(下)");
    case model::OFFSET_RIGHT_UPPER: return QStringLiteral("右(上)");
    default: return QString();  // a rule the dialog has no word for shows as an empty cell
    }
}

int offsetKindOf(const QString& word)
{
    for (int k = model::OFFSET_CENTER; k <= model::OFFSET_RIGHT_UPPER; ++k)
        if (word == offsetWord(k)) return k;
    return model::OFFSET_NONE;
}

// ---- UpDown ----

UpDown::UpDown(Qt::Orientation orientation, QWidget* parent) : QWidget(parent)
{
    btnUp = new QToolButton(this);
    btnDown = new QToolButton(this);
    const bool horizontal = orientation == Qt::Horizontal;
    btnUp->setArrowType(horizontal ? Qt::RightArrow : Qt::UpArrow);
    btnDown->setArrowType(horizontal ? Qt::LeftArrow : Qt::DownArrow);
    for (QToolButton* b : {btnUp, btnDown}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setFixedSize(horizontal ? 16 : 18, horizontal ? 20 : 10);
    }
    QBoxLayout* layout = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(this)) : new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (horizontal) {
        layout->addWidget(btnDown);
        layout->addWidget(btnUp);
    } else {
        layout->addWidget(btnUp);
        layout->addWidget(btnDown);
    }
    auto step = [this](int by) {
        const int before = position_;
        setPosition(position_ + by);
        if (position_ != before && onClick) onClick();
    };
    QObject::connect(btnUp, &QToolButton::clicked, this, [step] { step(1); });
    QObject::connect(btnDown, &QToolButton::clicked, this, [step] { step(-1); });
}

void UpDown::setPosition(int position) { position_ = std::clamp(position, 0, model::kMaxSpans); }

// ---- the dialog ----

TfrmBaseLine::TfrmBaseLine(settings::IniFile& ini, platform::Platform& platform, platform::KeypadPort& keypad,
                           QWidget* parent)
    : QDialog(parent), memory_(ini, platform, "BaseLine"), platform_(platform), keypad_(keypad)
{
    setObjectName(QStringLiteral("frmBaseLine"));
    setWindowTitle(QStringLiteral("通り心"));

    // The two pictures with their pitch edits, keypad buttons and name labels on top.
    grpPlan = new QGroupBox(QStringLiteral("平面図"), this);
    pnlPlan = new QFrame(grpPlan);
    pnlPlan->setObjectName(QStringLiteral("pnlPlan"));
    pnlPlan->setMinimumSize(460, 340);
    imgPlan = new CanvasWidget(planCanvas_, pnlPlan);
    imgPlan->setObjectName(QStringLiteral("imgPlan"));
    grpElv = new QGroupBox(QStringLiteral("立面図"), this);
    pnlElv = new QFrame(grpElv);
    pnlElv->setObjectName(QStringLiteral("pnlElv"));
    pnlElv->setMinimumSize(240, 340);
    imgElv = new CanvasWidget(elvCanvas_, pnlElv);
    imgElv->setObjectName(QStringLiteral("imgElv"));
    for (CanvasWidget* img : {imgPlan, imgElv}) {
        img->setFocusPolicy(Qt::NoFocus);
        img->setMouseTracking(false);
    }
    for (QFrame* pnl : {pnlPlan, pnlElv}) {
        // No frame: the pictures start at the panel's corner, where the controls are measured from.
        pnl->setFrameShape(QFrame::NoFrame);
        auto* fill = new QVBoxLayout(pnl);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(pnl == pnlPlan ? imgPlan : imgElv);
    }
    for (QGroupBox* grp : {grpPlan, grpElv}) {
        auto* l = new QVBoxLayout(grp);
        l->setContentsMargins(4, 4, 4, 4);
        l->addWidget(grp == grpPlan ? pnlPlan : pnlElv);
    }

    for (int axis = 0; axis < 3; ++axis) buildAxisControls(axis, axis == 2 ? pnlElv : pnlPlan);

    // The count and fill controls, one row per axis (Y, X, Z as on the form).
    auto* axes = new QGridLayout;
    const std::array<int, 3> rowOrder = {1, 0, 2};
    for (int r = 0; r < 3; ++r) {
        const int axis = rowOrder[static_cast<size_t>(r)];
        const size_t a = static_cast<size_t>(axis);
        axes->addWidget(lblAxis[a], r, 0);
        axes->addWidget(udGrid[a], r, 1);
        axes->addWidget(edtUD[a], r, 2);
        axes->addWidget(lblWidth[a], r, 3);
        axes->addWidget(sbInit[a], r, 4);
        axes->addWidget(edtInit[a], r, 5);
        axes->addWidget(btnInit[a], r, 6);
    }
    lblG40 = new QLabel(QStringLiteral("(mm)"), this);
    lblG40->setObjectName(QStringLiteral("lblG40"));
    axes->addWidget(lblG40, 2, 7);
    axes->setColumnStretch(8, 1);

    // Offset tables in the order Y, X, Z.
    cmbOffset = new QComboBox(this);
    cmbOffset->setObjectName(QStringLiteral("cmbOffset"));
    cmbOffset->addItems({offsetWord(0), offsetWord(1), offsetWord(2)});
    cmbOffset->hide();
    auto* tables = new QHBoxLayout;
    for (int axis : rowOrder) {
        auto* t = new QTableWidget(0, 3, this);
        t->setObjectName(QStringLiteral("stg") + letter(axis));
        t->setHorizontalHeaderLabels({letter(axis) + QStringLiteral("軸ｵﾌｾｯﾄ"), QStringLiteral("位置"), QStringLiteral("距離")});
        t->verticalHeader()->hide();
        t->verticalHeader()->setDefaultSectionSize(19);
        t->horizontalHeader()->setDefaultSectionSize(60);
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        t->setColumnWidth(0, 60);
        t->setColumnWidth(1, 60);
        t->setColumnWidth(2, 60);
        t->setFixedWidth(205);
        t->setMinimumHeight(150);
        t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(t, &QTableWidget::cellClicked, this, [this, axis](int row, int column) { cellReleased(axis, row, column); });
        connect(t, &QTableWidget::itemChanged, this, [this](QTableWidgetItem*) {
            if (filling_) return;
            readTablesBack();
            drawPreview();
        });
        connect(t->verticalScrollBar(), &QScrollBar::valueChanged, cmbOffset, &QWidget::hide);
        stg[static_cast<size_t>(axis)] = t;
        tables->addWidget(t);
    }
    connect(cmbOffset, &QComboBox::activated, this, [this](int index) {
        if (offsetAxis_ >= 0) chooseOffsetWord(offsetAxis_, offsetRow_, offsetWord(index));
    });

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    // Enter belongs to the count and pitch edits; only a click ends the dialog.
    for (QPushButton* b : {btnOK, btnCancel}) b->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        result = false;
        reject();
    });
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    tables->addSpacing(12);
    tables->addLayout(buttons);
    tables->addStretch();

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(grpPlan, 2);
    pictures->addWidget(grpElv, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pictures, 1);
    layout->addLayout(axes);
    layout->addLayout(tables);

    // Counts 2, 3, 2 and the standard pitches until the memory is read.
    for (int axis = 0; axis < 3; ++axis) {
        udGrid[static_cast<size_t>(axis)]->setPosition(kDefaultCount[static_cast<size_t>(axis)]);
        edtUD[static_cast<size_t>(axis)]->setText(QString::number(kDefaultCount[static_cast<size_t>(axis)]));
    }
    imgPlan->setEvents(this);
    imgElv->setEvents(this);
    resize(760, 700);
}

void TfrmBaseLine::buildAxisControls(int axis, QWidget* panel)
{
    const size_t a = static_cast<size_t>(axis);
    const QString L = letter(axis);
    static const std::array<const char*, 3> labelNames = {"lblG21", "lblG11", "lblG31"};
    static const std::array<const char*, 3> widthNames = {"lblG22", "lblG12", "lblG32"};
    lblAxis[a] = new QLabel(axis == 0 ? QStringLiteral("X軸通り") : axis == 1 ? QStringLiteral("Y軸通り") : QStringLiteral("階数"), this);
    lblAxis[a]->setObjectName(QString::fromLatin1(labelNames[a]));
    udGrid[a] = new UpDown(axis == 0 ? Qt::Horizontal : Qt::Vertical, this);
    udGrid[a]->setObjectName(QStringLiteral("udGrid") + L);
    udGrid[a]->onClick = [this] { updateGrid(); };
    edtUD[a] = new QLineEdit(this);
    edtUD[a]->setObjectName(QStringLiteral("edtUD") + L);
    edtUD[a]->setFixedWidth(40);
    edtUD[a]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(edtUD[a], &QLineEdit::editingFinished, this, [this, axis] { applyCountEdit(axis); });
    lblWidth[a] = new QLabel(axis == 2 ? QStringLiteral("高さ") : QStringLiteral("幅"), this);
    lblWidth[a]->setObjectName(QString::fromLatin1(widthNames[a]));
    sbInit[a] = makeKeypadButton(this, QStringLiteral("sbInit") + L);
    edtInit[a] = new QLineEdit(QString::number(kDefaultPitch[a]), this);
    edtInit[a]->setObjectName(QStringLiteral("edtInit") + L);
    edtInit[a]->setFixedWidth(60);
    edtInit[a]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    btnInit[a] = new QPushButton(axis == 2 ? QStringLiteral("全階高設定") : QStringLiteral("全幅設定"), this);
    btnInit[a]->setObjectName(QStringLiteral("btnInit") + L);
    btnInit[a]->setAutoDefault(false);
    connect(sbInit[a], &QToolButton::clicked, this, [this, a] { runKeypadFor(keypad_, edtInit[a]); });
    connect(btnInit[a], &QPushButton::clicked, this, [this, axis] {
        fillPitches(axis);
        applyCountEdit(axis);
    });

    for (int i = 0; i < kLines; ++i) {
        auto* e = new QLineEdit(i == 0 ? QStringLiteral("0") : QString::number(kDefaultPitch[a]), panel);
        e->setObjectName(QStringLiteral("edtPitch") + L + QString::number(i));
        e->setFixedSize(40, 20);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->hide();
        edtPitch[a][static_cast<size_t>(i)] = e;

        QToolButton* b = makeKeypadButton(panel, QStringLiteral("sb") + L + QString::number(i));
        b->hide();
        connect(b, &QToolButton::clicked, this, [this, a, i] {
            runKeypadFor(keypad_, edtPitch[a][static_cast<size_t>(i)]);
        });
        sbPitch[a][static_cast<size_t>(i)] = b;

        auto* name = new QLabel(panel);
        name->setObjectName(QStringLiteral("lblName") + L + QString::number(i));
        name->setAutoFillBackground(true);
        QPalette p = name->palette();
        p.setColor(QPalette::Window, Qt::white);
        name->setPalette(p);
        name->hide();
        lblName[a][static_cast<size_t>(i)] = name;
    }
}

std::optional<platform::GridLineRecord> TfrmBaseLine::editGridLines(platform::GridDialogMode mode,
                                                                    const platform::GridLineRecord& in,
                                                                    const model::GridModel& grid)
{
    record = in;
    grid_ = &grid;
    result = false;
    setInitDialog(mode);
    const AboveOpener above(*this);
    exec();
    grid_ = nullptr;
    if (!result) return std::nullopt;
    return record;
}

int TfrmBaseLine::count(int axis) const { return udGrid[static_cast<size_t>(axis)]->position(); }

void TfrmBaseLine::setInitDialog(platform::GridDialogMode mode)
{
    cmbOffset->hide();
    offsetAxis_ = offsetRow_ = -1;
    mode_ = mode;
    const bool offsets = mode == platform::GridDialogMode::Offsets;
    setWindowTitle(offsets ? QStringLiteral("オフセット編集") : QStringLiteral("通り心"));
    for (size_t a = 0; a < 3; ++a) {
        for (QWidget* w : std::initializer_list<QWidget*>{lblAxis[a], udGrid[a], edtUD[a], lblWidth[a], sbInit[a],
                                                          edtInit[a], btnInit[a]})
            w->setVisible(!offsets);
    }
    lblG40->setVisible(!offsets);

    if (offsets) {
        for (size_t a = 0; a < 3; ++a) {
            udGrid[a]->setPosition(record.counts[a]);
            const auto& pos = record.positions[a];
            for (size_t i = 1; i < kLines; ++i)
                edtPitch[a][i]->setText(QString::number(static_cast<long long>(pos[i]) - pos[i - 1]));
        }
    } else {
        record.offsets.fill(model::BaseOffset{});
        for (size_t a = 0; a < 3; ++a) {
            const std::string L = kAxisLetter[a];
            const QString countText = memory_.read("edtUD" + L, QString::number(kDefaultCount[a]));
            edtUD[a]->setText(countText);
            udGrid[a]->setPosition(parseInt(countText).value_or(kDefaultCount[a]));
            edtInit[a]->setText(memory_.read("edtInit" + L, QString::number(kDefaultPitch[a])));
            for (size_t i = 1; i < kLines; ++i)
                edtPitch[a][i]->setText(
                    memory_.read("Pitch" + L + std::to_string(i), QString::number(kDefaultPitch[a])));
        }
    }
    for (size_t a = 0; a < 3; ++a)
        for (size_t i = 0; i < kLines; ++i)
            lblName[a][i]->setText(grid_ ? QString::fromStdString(grid_->name(static_cast<int>(a), static_cast<int>(i)))
                                         : QString());
    updateGrid();
}

void TfrmBaseLine::updateGrid()
{
    if (updating_) return;
    updating_ = true;
    for (size_t a = 0; a < 3; ++a) edtUD[a]->setText(QString::number(udGrid[a]->position()));
    geometry_ = previewGeometry(planCanvas_.width(), planCanvas_.height(), elvCanvas_.width(), elvCanvas_.height(),
                                count(0), count(1), count(2));
    fillTables();
    drawPreview();
    placeControls();
    updating_ = false;
}

void TfrmBaseLine::canvasResized()
{
    // Both pictures report their size; the layout settles them one after the other.
    updateGrid();
}

void TfrmBaseLine::applyCountEdit(int axis)
{
    const size_t a = static_cast<size_t>(axis);
    const QString text = edtUD[a]->text();
    const auto value = parseInt(text);
    if (!value) {
        edtUD[a]->setText(QString::number(udGrid[a]->position()));
        platform_.messageBox(platform::kConfirmCaption, notAnInteger(text).toStdString(), platform::Buttons::Ok);
        return;
    }
    udGrid[a]->setPosition(*value);
    updateGrid();
}

void TfrmBaseLine::fillPitches(int axis)
{
    const size_t a = static_cast<size_t>(axis);
    for (size_t i = 1; i < kLines; ++i) edtPitch[a][i]->setText(edtInit[a]->text());
}

void TfrmBaseLine::fillTables()
{
    filling_ = true;
    for (int axis = 0; axis < 3; ++axis) {
        QTableWidget* t = stg[static_cast<size_t>(axis)];
        const int lines = count(axis) + 1;
        t->setRowCount(lines);
        for (int i = 0; i < lines; ++i) {
            model::BaseOffset& o = record.offsets[static_cast<size_t>(i)];
            auto* label = new QTableWidgetItem(letter(axis) + QString::number(i));
            label->setFlags(Qt::ItemIsEnabled);
            label->setBackground(palette().color(QPalette::Button));
            t->setItem(i, 0, label);
            t->setItem(i, 1, new QTableWidgetItem(offsetWord(kindOf(o, axis))));
            t->setItem(i, 2, new QTableWidgetItem(QString::number(distOf(o, axis))));
        }
    }
    filling_ = false;
}

void TfrmBaseLine::readTablesBack()
{
    for (int axis = 0; axis < 3; ++axis) {
        const QTableWidget* t = stg[static_cast<size_t>(axis)];
        for (int i = 0; i < t->rowCount() && i < kLines; ++i) {
            model::BaseOffset& o = record.offsets[static_cast<size_t>(i)];
            const QTableWidgetItem* kindItem = t->item(i, 1);
            const QTableWidgetItem* distItem = t->item(i, 2);
            kindOf(o, axis) = offsetKindOf(kindItem ? kindItem->text().trimmed() : QString());
            distOf(o, axis) = distItem ? parseInt(distItem->text()).value_or(0) : 0;
        }
    }
}

void TfrmBaseLine::cellReleased(int axis, int row, int column)
{
    QTableWidget* t = stg[static_cast<size_t>(axis)];
    if (column != 1 || row < 0 || row >= t->rowCount()) {
        cmbOffset->hide();
        offsetAxis_ = offsetRow_ = -1;
        return;
    }
    offsetAxis_ = axis;
    offsetRow_ = row;
    const QRect cell = t->visualRect(t->model()->index(row, column));
    const QPoint topLeft = t->viewport()->mapTo(this, cell.topLeft());
    cmbOffset->setGeometry(QRect(topLeft, QSize(cell.width() + 20, std::max(cell.height(), 20))));
    const QTableWidgetItem* item = t->item(row, column);
    cmbOffset->setCurrentIndex(offsetKindOf(item ? item->text() : QString()));
    cmbOffset->show();
    cmbOffset->raise();
}

void TfrmBaseLine::mouseReleaseEvent(QMouseEvent* event)
{
    cmbOffset->hide();
    offsetAxis_ = offsetRow_ = -1;
    QDialog::mouseReleaseEvent(event);
}

void TfrmBaseLine::canvasMouseUp(const editor::MouseEvent&)
{
    cmbOffset->hide();
    offsetAxis_ = offsetRow_ = -1;
}

void TfrmBaseLine::chooseOffsetWord(int axis, int line, const QString& word)
{
    cmbOffset->hide();
    offsetAxis_ = offsetRow_ = -1;
    if (axis < 0 || axis > 2) return;
    QTableWidget* t = stg[static_cast<size_t>(axis)];
    if (line < 0 || line >= t->rowCount()) return;
    filling_ = true;
    t->setItem(line, 1, new QTableWidgetItem(word));
    filling_ = false;
    readTablesBack();
    drawPreview();
}

void TfrmBaseLine::drawPreview()
{
    const PreviewGeometry& g = geometry_;
    const int nX = count(0), nY = count(1), nZ = count(2);
    // The pictures measure y upwards from their bottom edge.
    const int ph = planCanvas_.height(), eh = elvCanvas_.height();
    auto planLine = [&](int x1, int y1, int x2, int y2, int colour) {
        planCanvas_.line(x1, ph - y1, x2, ph - y2, colour, editor::PenStyle::Solid, editor::PenMode::Copy);
    };
    auto elvLine = [&](int x1, int y1, int x2, int y2, int colour) {
        elvCanvas_.line(x1, eh - y1, x2, eh - y2, colour, editor::PenStyle::Solid, editor::PenMode::Copy);
    };
    planCanvas_.clear();
    elvCanvas_.clear();
    auto shift = [](int kind) { return kind == 1 ? -kOffsetShift : kind == 2 ? kOffsetShift : 0; };

    for (int i = 0; i <= nX; ++i) {
        const int x = g.mX + i * g.sX;
        planLine(x, g.mY, x, g.mY + nY * g.sY, kGridColour);
        if (const int d = shift(record.offsets[static_cast<size_t>(i)].nKindX))
            planLine(x + d, g.mY, x + d, g.mY + nY * g.sY, kOffsetColour);
    }
    for (int j = 0; j <= nY; ++j) {
        const int y = g.mY + j * g.sY;
        planLine(g.mX, y, g.mX + nX * g.sX, y, kGridColour);
        if (const int d = shift(record.offsets[static_cast<size_t>(j)].nKindY))
            planLine(g.mX, y + d, g.mX + nX * g.sX, y + d, kOffsetColour);
    }

    const int top = g.mZ + nZ * g.sZ;
    elvLine(g.eX, g.mZ, g.eX, top, kGridColour);
    elvLine(g.eX + g.sX, g.mZ, g.eX + g.sX, top, kGridColour);
    elvLine(100, g.mZ, elvCanvas_.width() - 100, g.mZ, kGridColour);
    const int levelLength = roundHalfAway(1.5 * g.sX);
    for (int k = 0; k <= nZ; ++k) {
        const int z = g.mZ + k * g.sZ;
        elvLine(g.eX, z, g.eX + levelLength, z, kGridColour);
        if (const int d = shift(record.offsets[static_cast<size_t>(k)].nKindZ))
            elvLine(g.eX, z + d, g.eX + levelLength, z + d, kOffsetColour);
    }
    imgPlan->update();
    imgElv->update();
}

void TfrmBaseLine::placeControls()
{
    const PreviewGeometry& g = geometry_;
    const int ph = planCanvas_.height(), eh = elvCanvas_.height();
    const int nX = count(0), nY = count(1);
    const bool offsets = mode_ == platform::GridDialogMode::Offsets;
    auto place = [&](int axis, int i, int left, int topUp, int panelHeight, int buttonDx, int buttonDy) {
        const size_t a = static_cast<size_t>(axis), k = static_cast<size_t>(i);
        const bool shown = i >= 1 && i <= count(axis);
        QLineEdit* e = edtPitch[a][k];
        e->move(left, panelHeight - topUp);
        e->setVisible(shown);
        e->setEnabled(!offsets);
        QToolButton* b = sbPitch[a][k];
        b->move(left + buttonDx, panelHeight - topUp + buttonDy);
        b->setVisible(shown && !offsets);
        if (shown) {
            e->raise();
            b->raise();
        }
    };
    auto name = [&](int axis, int i, int left, int topUp, int panelHeight) {
        QLabel* l = lblName[static_cast<size_t>(axis)][static_cast<size_t>(i)];
        l->adjustSize();
        l->move(left, panelHeight - topUp);
        l->setVisible(i <= count(axis) && !l->text().isEmpty());
        if (l->isVisible()) l->raise();
    };
    for (int i = 0; i < kLines; ++i) {
        place(0, i, roundHalfAway(g.sX / 2.0) + (i - 1) * g.sX + g.mX - 20, roundHalfAway(0.9 * g.mY), ph, 0, 20);
        name(0, i, i * g.sX + g.mX, nY * g.sY + g.mY + 20, ph);
        place(1, i, g.mX - 44, roundHalfAway(g.sY / 2.0) + (i - 1) * g.sY + g.mY + 10, ph, -24, 0);
        name(1, i, 10 + nX * g.sX + g.mX, 5 + i * g.sY + g.mY, ph);
        place(2, i, g.eX - 44, roundHalfAway(g.sZ / 2.0) + (i - 1) * g.sZ + g.mZ + 10, eh, -24, 0);
        name(2, i, 10 + 2 * g.sX + g.eX, 5 + i * g.sZ + g.mZ, eh);
    }
}

bool TfrmBaseLine::computePositions(platform::GridLineRecord& out)
{
    for (size_t a = 0; a < 3; ++a) {
        const int n = count(static_cast<int>(a));
        auto& pos = out.positions[a];
        pos.fill(-1);
        pos[0] = 0;
        long long sum = 0;
        // Only the pitches of the spans in use are read: the others are hidden and could not
        // be corrected if they held something unreadable.
        for (int i = 1; i <= n; ++i) {
            QLineEdit* e = edtPitch[a][static_cast<size_t>(i)];
            const auto pitch = parseInt(e->text());
            if (!pitch) {
                platform_.messageBox(platform::kConfirmCaption, notAnInteger(e->text()).toStdString(),
                                     platform::Buttons::Ok);
                e->setFocus();
                e->selectAll();
                return false;
            }
            sum += *pitch;
            if (*pitch < 0 || sum > std::numeric_limits<int32_t>::max()) {
                platform_.messageBox(platform::kConfirmCaption,
                                     *pitch < 0 ? "通り心の間隔は0以上の整数で入力して下さい。"
                                                : "通り心の位置が大きすぎます。",
                                     platform::Buttons::Ok);
                e->setFocus();
                e->selectAll();
                return false;
            }
            pos[static_cast<size_t>(i)] = static_cast<int32_t>(sum);
        }
        out.counts[a] = n;
    }
    return true;
}

void TfrmBaseLine::btnOKClick()
{
    readTablesBack();
    platform::GridLineRecord out = record;
    if (!computePositions(out)) return;
    if (out.counts[0] == 0 && out.counts[1] == 0 && out.counts[2] == 0) return;  // nothing to make yet
    record = out;
    saveMemory();
    result = true;
    accept();
}

void TfrmBaseLine::saveMemory()
{
    std::array<int, 3> counts{};
    for (size_t a = 0; a < 3; ++a) counts[a] = parseInt(edtUD[a]->text()).value_or(0);
    if (counts[0] == 0 && counts[1] == 0 && counts[2] == 0) return;
    settings::IniFile::Batch batch(memory_.ini());
    for (size_t a = 0; a < 3; ++a) {
        const std::string L = kAxisLetter[a];
        memory_.write("edtUD" + L, edtUD[a]->text());
        memory_.write("edtInit" + L, edtInit[a]->text());
    }
    for (size_t a = 0; a < 3; ++a) {
        const std::string L = kAxisLetter[a];
        for (int i = 1; i <= std::min(counts[a], kLines - 1); ++i)
            memory_.write("Pitch" + L + std::to_string(i), edtPitch[a][static_cast<size_t>(i)]->text());
    }
    if (!batch.commit()) platform_.debugOut("BaseLine: " + memory_.ini().lastError());
}

}  // namespace ui
