// SPDX-License-Identifier: GPL-3.0-or-later
// The pages of the draft settings dialog: controls, captions, item lists and notes.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/draft_env_form.h"
#include "ui/DraftEnvPictures.h"
#include "ui/TfrmDraftEnv.h"

namespace ui {

namespace {

QLabel* label(QWidget* parent, const QString& text) { return new QLabel(text, parent); }

QRadioButton* radio(QWidget* parent, const QString& name, const QString& text, QButtonGroup* group)
{
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(name);
    group->addButton(r);
    return r;
}

QLineEdit* edit(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setFixedWidth(64);
    return e;
}

// A check box that enables its dependants while it is checked.
void enables(QCheckBox* box, std::initializer_list<QWidget*> dependants)
{
    std::vector<QWidget*> list(dependants);
    QObject::connect(box, &QCheckBox::toggled, box, [list](bool on) {
        for (QWidget* w : list) w->setEnabled(on);
    });
    for (QWidget* w : list) w->setEnabled(box->isChecked());
}

// "リストの表示順": one heading box per row of the list.
template <size_t N, size_t M>
QGroupBox* titleOrder(QWidget* parent, const char* prefix, std::array<QComboBox*, N>& boxes,
                      const std::array<const char*, M>& titles)
{
    auto* order = new QGroupBox(QStringLiteral("リストの表示順"), parent);
    auto* g = new QGridLayout(order);
    for (size_t i = 0; i < N; ++i) {
        boxes[i] = new QComboBox(order);
        boxes[i]->setObjectName(QStringLiteral("cmb%1Title%2").arg(QString::fromLatin1(prefix)).arg(i + 1));
        for (const char* t : titles) boxes[i]->addItem(QString::fromUtf8(t));
        g->addWidget(label(order, QStringLiteral(" %1").arg(i + 1)), static_cast<int>(i), 0);
        g->addWidget(boxes[i], static_cast<int>(i), 1);
    }
    return order;
}

QLabel* picture(QWidget* parent, const QPixmap& pixmap)
{
    auto* l = new QLabel(parent);
    l->setPixmap(pixmap);
    l->setFrameShape(QFrame::Box);
    return l;
}

QWidget* page(QLayout* layout)
{
    auto* w = new QWidget;
    w->setLayout(layout);
    return w;
}

// A list page: the heading order at the left, the rest at the right.
QWidget* headingsBeside(QGroupBox* order, QVBoxLayout* right)
{
    right->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(order);
    left->addStretch();
    auto* h = new QHBoxLayout;
    h->addLayout(left);
    h->addLayout(right, 1);
    return page(h);
}

}  // namespace

QWidget* TfrmDraftEnv::buildTextPage()
{
    auto* lists = new QGroupBox(QStringLiteral("断面リスト"), this);
    auto* draws = new QGroupBox(QStringLiteral("伏図・軸組図・配筋図"), this);
    cmbListScale = textBox("cmbListScale", settings::scaleItems());
    cmbListMojiHeight = textBox("cmbListMojiHeight", settings::listMojiHeightItems());
    cmbDraftScale = textBox("cmbDraftScale", settings::scaleItems());
    cmbDraftMojiHeight = textBox("cmbDraftMojiHeight", settings::draftMojiHeightItems());
    const std::pair<QGroupBox*, std::pair<QComboBox*, QComboBox*>> scaleGroups[] = {
        {lists, {cmbListScale, cmbListMojiHeight}}, {draws, {cmbDraftScale, cmbDraftMojiHeight}}};
    for (const auto& [group, boxes] : scaleGroups) {
        auto* g = new QGridLayout(group);
        g->addWidget(label(group, QStringLiteral("縮尺")), 0, 0);
        g->addWidget(label(group, QStringLiteral("S=1/")), 0, 1, Qt::AlignRight);
        g->addWidget(boxes.first, 0, 2);
        g->addWidget(label(group, QStringLiteral("文字高さ")), 1, 0);
        g->addWidget(boxes.second, 1, 2);
        g->addWidget(label(group, QStringLiteral("mm")), 1, 3);
        g->setColumnStretch(4, 1);
    }

    auto* dxf = new QGroupBox(QStringLiteral("DXF出力文字列"), this);
    auto* origin = new QGroupBox(QStringLiteral("文字原点位置"), dxf);
    auto* originGrid = new QGridLayout(origin);
    auto* originGroup = new QButtonGroup(this);
    // Keypad order from the top: 1 2 3 / 4 5 6 / 7 8 9.
    for (int i = 0; i < 9; ++i) {
        rdoG[static_cast<size_t>(i)] = radio(origin, QStringLiteral("rdoG%1").arg(i + 1), QString(), originGroup);
        rdoG[static_cast<size_t>(i)]->setToolTip(QString::number(i + 1));
        originGrid->addWidget(rdoG[static_cast<size_t>(i)], i / 3, i % 3);
    }
    originGrid->addWidget(label(origin, QStringLiteral("注)JW_CAD未対応")), 3, 0, 1, 3);
    cmbDraftMojiUki = textBox("cmbDraftMojiUki", settings::mojiUkiItems());
    cmbMojiRatio = textBox("cmbMojiRatio", settings::mojiRatioItems());
    auto* d = new QGridLayout(dxf);
    d->addWidget(origin, 0, 0, 3, 1);
    d->addWidget(label(dxf, QStringLiteral("梁符号・寸法線の浮き")), 0, 1);
    d->addWidget(cmbDraftMojiUki, 0, 2);
    d->addWidget(label(dxf, QStringLiteral("mm")), 0, 3);
    d->addWidget(label(dxf, QStringLiteral("文字幅比率")), 1, 1);
    d->addWidget(cmbMojiRatio, 1, 2);
    d->setRowStretch(2, 1);

    auto* v = new QVBoxLayout;
    v->addWidget(label(this, QStringLiteral("注）文字サイズを文字高さ÷縮尺で作図します。")));
    auto* row = new QHBoxLayout;
    row->addWidget(lists);
    row->addWidget(draws);
    v->addLayout(row);
    v->addWidget(dxf);
    v->addStretch();
    return page(v);
}

QWidget* TfrmDraftEnv::buildMarkPage()
{
    auto* g = new QGridLayout;
    const auto& sizes = model::deformedBarNames();
    for (size_t i = 0; i < cmbMarks.size(); ++i) {
        const std::string name = std::string("cmb") + sizes[i];
        cmbMarks[i] = markBox(name.c_str());
        const int slot = static_cast<int>(i);
        connect(cmbMarks[i], &QComboBox::activated, this, [this, slot](int mark) { markChosen(slot, mark); });
        const int row = static_cast<int>(i % 6);
        const int col = static_cast<int>(i / 6) * 2;
        g->addWidget(label(this, QString::fromLatin1(sizes[i])), row, col, Qt::AlignRight);
        g->addWidget(cmbMarks[i], row, col + 1);
    }
    cmbSelSection = new QComboBox(this);
    cmbSelSection->setObjectName(QStringLiteral("cmbSelSection"));
    for (const char* name : settings::presetNames()) cmbSelSection->addItem(QString::fromUtf8(name));
    connect(cmbSelSection, &QComboBox::activated, this, [this](int preset) { presetChosen(preset); });
    g->addWidget(label(this, QStringLiteral("参照")), 6, 0, Qt::AlignRight);
    g->addWidget(cmbSelSection, 6, 1, 1, 3);
    g->setColumnStretch(4, 1);
    g->setRowStretch(7, 1);
    return page(g);
}

QGroupBox* TfrmDraftEnv::buildGirderDefaults()
{
    auto* group = new QGroupBox(QStringLiteral("設定初期値"), this);
    edtInitB = edit(group, "edtInitB");
    edtInitD = edit(group, "edtInitD");
    const auto& counts = settings::barCountItems();
    const auto& sizes = settings::barSizeItems();
    cmbNoUP = textBox("cmbNoUP", counts, 48);
    cmbNmUP = textBox("cmbNmUP", sizes);
    cmbNoDN = textBox("cmbNoDN", counts, 48);
    cmbNmDN = textBox("cmbNmDN", sizes);
    cmbNoSTAR = textBox("cmbNoSTAR", counts, 48);
    cmbNmSTAR = textBox("cmbNmSTAR", sizes);
    cmbPitchSTAR = textBox("cmbPitchSTAR", settings::pitchItems());
    cmbNoBODY = textBox("cmbNoBODY", counts, 48);
    cmbNmBODY = textBox("cmbNmBODY", sizes);
    auto* g = new QGridLayout(group);
    g->addWidget(label(group, QStringLiteral("幅(mm)")), 0, 0);
    g->addWidget(edtInitB, 0, 1);
    g->addWidget(label(group, QStringLiteral("成(mm)")), 0, 2);
    g->addWidget(edtInitD, 0, 3);
    const std::array<std::pair<QString, std::array<QComboBox*, 3>>, 4> rows{{
        {QStringLiteral("上端筋"), {cmbNoUP, cmbNmUP, nullptr}},
        {QStringLiteral("下端筋"), {cmbNoDN, cmbNmDN, nullptr}},
        {QStringLiteral("スターラップ"), {cmbNoSTAR, cmbNmSTAR, cmbPitchSTAR}},
        {QStringLiteral("腹筋"), {cmbNoBODY, cmbNmBODY, nullptr}},
    }};
    for (int r = 0; r < 4; ++r) {
        g->addWidget(label(group, rows[r].first), r + 1, 0);
        g->addWidget(rows[r].second[0], r + 1, 1);
        g->addWidget(rows[r].second[1], r + 1, 2);
        if (rows[r].second[2]) {
            g->addWidget(label(group, QStringLiteral("@")), r + 1, 3, Qt::AlignRight);
            g->addWidget(rows[r].second[2], r + 1, 4);
        }
    }
    return group;
}

QGroupBox* TfrmDraftEnv::buildFoundation()
{
    grpFound = new QGroupBox(QStringLiteral("地業"), this);
    grpFound->setObjectName(QStringLiteral("grpFound"));
    chkUDGirder = new QCheckBox(QStringLiteral("姿図に地業を描画"), grpFound);
    chkUDGirder->setObjectName(QStringLiteral("chkUDGirder"));
    auto* group = new QButtonGroup(this);
    rdoBottom = radio(grpFound, QStringLiteral("rdoBottom"), QStringLiteral("最下層"), group);
    rdoAll = radio(grpFound, QStringLiteral("rdoAll"), QStringLiteral("全て"), group);
    edtBaseA = edit(grpFound, "edtBaseA");
    edtBaseB = edit(grpFound, "edtBaseB");
    auto* g = new QGridLayout(grpFound);
    g->addWidget(chkUDGirder, 0, 0, 1, 4);
    g->addWidget(rdoBottom, 1, 0, 1, 2);
    g->addWidget(rdoAll, 1, 2, 1, 2);
    g->addWidget(label(grpFound, QStringLiteral("A")), 2, 0, Qt::AlignRight);
    g->addWidget(edtBaseA, 2, 1);
    g->addWidget(label(grpFound, QStringLiteral("mm")), 2, 2);
    g->addWidget(label(grpFound, QStringLiteral("B")), 3, 0, Qt::AlignRight);
    g->addWidget(edtBaseB, 3, 1);
    g->addWidget(label(grpFound, QStringLiteral("mm")), 3, 2);
    g->addWidget(picture(grpFound, foundationPicture()), 1, 4, 3, 1);
    enables(chkUDGirder, {rdoBottom, rdoAll, edtBaseA, edtBaseB});
    return grpFound;
}

namespace {

// "寸法線表示" with its four radios, which it enables.
QGroupBox* dimensionGroup(QWidget* parent, QCheckBox*& box, const char* prefix, std::array<QRadioButton*, 4>& radios,
                          const QString& size)
{
    auto* group = new QGroupBox(parent);
    box = new QCheckBox(QStringLiteral("寸法線表示"), group);
    box->setObjectName(QStringLiteral("chk%1ListDim").arg(QString::fromLatin1(prefix)));
    auto* buttons = new QButtonGroup(group);
    const QString names[4] = {QStringLiteral("MarkAll"), QStringLiteral("MarkTop"), QStringLiteral("DimAll"),
                              QStringLiteral("DimTop")};
    const QString texts[4] = {QStringLiteral("全て%1表示").arg(size), QStringLiteral("トップのみ%1表示").arg(size),
                              QStringLiteral("全て寸法表示"), QStringLiteral("トップのみ寸法表示")};
    auto* v = new QVBoxLayout(group);
    v->addWidget(box);
    for (size_t i = 0; i < 4; ++i) {
        radios[i] = radio(group, QStringLiteral("rb%1List%2").arg(QString::fromLatin1(prefix), names[i]), texts[i],
                          buttons);
        v->addWidget(radios[i]);
    }
    enables(box, {radios[0], radios[1], radios[2], radios[3]});
    return group;
}

}  // namespace

QWidget* TfrmDraftEnv::buildGirderPage1()
{
    QGroupBox* order = titleOrder(this, "G", cmbGTitle, settings::girderTitles());
    chkDrawFloor = new QCheckBox(QStringLiteral("姿図にスラブを描画"), this);
    chkDrawFloor->setObjectName(QStringLiteral("chkDrawFloor"));

    auto* right = new QVBoxLayout;
    right->addWidget(chkDrawFloor);
    right->addWidget(buildGirderDefaults());
    auto* lower = new QHBoxLayout;
    lower->addWidget(buildFoundation());
    lower->addWidget(dimensionGroup(this, chkGListDim, "G", rbGList, QStringLiteral("b・D")));
    right->addLayout(lower);
    return headingsBeside(order, right);
}

QWidget* TfrmDraftEnv::buildFramePage(const char* prefix, std::array<QComboBox*, 5>& boxes)
{
    static const char* const names[5] = {"W1", "W2", "W3", "H", "HD"};
    static const char* const captions[5] = {"W1", "W2", "W3", "H1", "H2"};
    auto* g = new QGridLayout;
    for (size_t i = 0; i < 5; ++i) {
        const std::string name = std::string("cmb") + prefix + names[i];
        boxes[i] = textBox(name.c_str(), settings::frameSizeItems());
        g->addWidget(label(this, QString::fromLatin1(captions[i])), static_cast<int>(i), 0, Qt::AlignRight);
        g->addWidget(boxes[i], static_cast<int>(i), 1);
    }
    g->addWidget(label(this, QStringLiteral("枠は文字高さの倍率で指示")), 5, 0, 1, 3);
    g->addWidget(picture(this, listFramePicture()), 0, 2, 5, 1, Qt::AlignLeft | Qt::AlignTop);
    g->setColumnStretch(3, 1);
    g->setRowStretch(6, 1);
    return page(g);
}

QWidget* TfrmDraftEnv::buildColumnPage1()
{
    QGroupBox* order = titleOrder(this, "C", cmbCTitle, settings::columnTitles());

    auto* defaults = new QGroupBox(QStringLiteral("設定初期値"), this);
    edtInitDx = edit(defaults, "edtInitDx");
    edtInitDy = edit(defaults, "edtInitDy");
    const auto& counts = settings::barCountItems();
    const auto& sizes = settings::barSizeItems();
    cmbNoMX = textBox("cmbNoMX", counts, 48);
    cmbNoMY = textBox("cmbNoMY", counts, 48);
    cmbNmMain = textBox("cmbNmMain", sizes);
    cmbNoHoopX = textBox("cmbNoHoopX", counts, 48);
    cmbNoHoopY = textBox("cmbNoHoopY", counts, 48);
    cmbNmHoop = textBox("cmbNmHoop", sizes);
    cmbPitchHoop = textBox("cmbPitchHoop", settings::pitchItems());
    auto* g = new QGridLayout(defaults);
    g->addWidget(label(defaults, QStringLiteral("断面")), 0, 0);
    g->addWidget(label(defaults, QStringLiteral("Dx")), 0, 1, Qt::AlignRight);
    g->addWidget(edtInitDx, 0, 2);
    g->addWidget(label(defaults, QStringLiteral("Dy")), 0, 3, Qt::AlignRight);
    g->addWidget(edtInitDy, 0, 4);
    g->addWidget(label(defaults, QStringLiteral("(mm)")), 0, 5);
    const QString x = QStringLiteral("X"), y = QStringLiteral("Y"), d = QStringLiteral("径");
    const std::array<std::pair<QString, std::array<QComboBox*, 3>>, 2> rows{{
        {QStringLiteral("主筋"), {cmbNoMX, cmbNoMY, cmbNmMain}},
        {QStringLiteral("フープ"), {cmbNoHoopX, cmbNoHoopY, cmbNmHoop}},
    }};
    for (int r = 0; r < 2; ++r) {
        g->addWidget(label(defaults, rows[r].first), r + 1, 0);
        const QString captions[3] = {x, y, d};
        for (int c = 0; c < 3; ++c) {
            g->addWidget(label(defaults, captions[c]), r + 1, 1 + 2 * c, Qt::AlignRight);
            g->addWidget(rows[r].second[c], r + 1, 2 + 2 * c);
        }
    }
    g->addWidget(label(defaults, QStringLiteral("@")), 2, 7, Qt::AlignRight);
    g->addWidget(cmbPitchHoop, 2, 8);

    auto* right = new QVBoxLayout;
    right->addWidget(dimensionGroup(this, chkCListDim, "C", rbCList, QStringLiteral("Dx・Dy")));
    right->addWidget(defaults);
    return headingsBeside(order, right);
}

QWidget* TfrmDraftEnv::buildGridPage()
{
    auto* names = new QGroupBox(QStringLiteral("通り心名"), this);
    auto* row = new QHBoxLayout;
    static const char* const axes[3] = {"X", "Y", "Z"};
    for (size_t a = 0; a < 3; ++a) {
        const QString axis = QString::fromLatin1(axes[a]);
        auto* group = new QGroupBox(QStringLiteral("%1方向").arg(axis), names);
        auto* buttons = new QButtonGroup(group);
        GridNameControls& c = gridName[a];
        const QString texts[3] = {QStringLiteral("文字増分"), QStringLiteral("文字-数値増分"),
                                  QStringLiteral("数字増分-文字")};
        for (size_t i = 0; i < 3; ++i)
            c.rdo[i] = radio(group, QStringLiteral("rdoGridName%1%2").arg(axis).arg(i + 1), texts[i], buttons);
        const std::string p = std::string("cmb") + axes[a];
        c.moji1 = textBox((p + "Moji1").c_str(), settings::gridMoji1Items(), 56);
        c.moji2 = textBox((p + "Moji2").c_str(), settings::gridMoji2Items(), 56);
        c.num2 = textBox((p + "Num2").c_str(), settings::gridNumItems(), 56);
        c.num3 = textBox((p + "Num3").c_str(), settings::gridNumItems(), 56);
        c.moji3 = textBox((p + "Moji3").c_str(), settings::gridMoji2Items(), 56);
        auto* g = new QGridLayout(group);
        g->addWidget(c.rdo[0], 0, 0, 1, 2);
        g->addWidget(c.moji1, 1, 0);
        g->addWidget(c.rdo[1], 2, 0, 1, 2);
        g->addWidget(c.moji2, 3, 0);
        g->addWidget(c.num2, 3, 1);
        g->addWidget(c.rdo[2], 4, 0, 1, 2);
        g->addWidget(c.num3, 5, 0);
        g->addWidget(c.moji3, 5, 1);
        row->addWidget(group);
    }
    auto* v = new QVBoxLayout(names);
    v->addLayout(row);
    v->addWidget(label(names, QStringLiteral("文字増分)A,B,C...1,2,3...指定")));
    v->addWidget(label(names, QStringLiteral("数値増分)最初の値指定")));
    auto* outer = new QVBoxLayout;
    outer->addWidget(names);
    outer->addStretch();
    return page(outer);
}

QWidget* TfrmDraftEnv::buildRebarPage()
{
    auto* group = new QGroupBox(QStringLiteral("スターラップ配置基点"), this);
    auto* buttons = new QButtonGroup(group);
    const QString texts[4] = {QStringLiteral("左から"), QStringLiteral("中央から"), QStringLiteral("右から"),
                              QStringLiteral("案分")};
    auto* v = new QVBoxLayout(group);
    for (size_t i = 0; i < 4; ++i) {
        rbStir[i] = radio(group, QStringLiteral("rbStir%1").arg(i + 1), texts[i], buttons);
        v->addWidget(rbStir[i]);
    }
    auto* outer = new QVBoxLayout;
    outer->addWidget(group);
    outer->addStretch();
    return page(outer);
}

}  // namespace ui
