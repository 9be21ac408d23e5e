// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TfrmTessmar.h"

#include <filesystem>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "editor/command_codes.h"
#include "editor/recovery_offer.h"
#include "model/autosaver.h"
#include "model/recovery_folder.h"
#include "ui/Cursors.h"
#include "ui/Tfrm3DView.h"
#include "ui/TfrmBaseLine.h"
#include "ui/TfrmConfirm.h"
#include "ui/TfrmDetail.h"
#include "ui/TfrmDraft.h"
#include "ui/TfrmDraftEnv.h"
#include "ui/TfrmDump.h"
#include "ui/TfrmEnvironment.h"
#include "ui/TfrmGridPitchDistance.h"
#include "ui/TfrmImport.h"
#include "ui/TfrmKeypad.h"
#include "ui/TfrmMember.h"
#include "ui/TfrmPCopy.h"
#include "ui/TfrmQuantity.h"
#include "ui/TfrmCheck.h"
#include "ui/TfrmSetPdf.h"
#include "ui/TfrmTitle.h"
#include "ui/TfrmSection.h"
#include "ui/TfrmStbReport.h"
#include "ui/TfrmVersion.h"

namespace ui {

namespace cmd = editor::cmd;

namespace {

constexpr int kMinWidth = 400;
constexpr int kMinHeight = 300;

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(std::filesystem::u8path(path), ec);
}

}  // namespace

TfrmTessmar::TfrmTessmar(model::Session& session, QtPlatform& platform, settings::IniFile& ini,
                         const std::vector<std::string>& arguments, QWidget* parent)
    : QMainWindow(parent), session_(session), platform_(platform), ini_(ini), arguments_(arguments), files_(this)
{
    setObjectName(QStringLiteral("frmTessmar"));
    platform_.setParentWidget(this);

    // The canvas panel between the level tabs above and the view tabs on the right.
    auto* central = new QWidget(this);
    tbcNumber = new QTabBar(central);
    tbcNumber->setObjectName(QStringLiteral("tbcNumber"));
    tbcNumber->setExpanding(false);
    tbcNumber->setDrawBase(true);
    tbcNumber->setFocusPolicy(Qt::NoFocus);
    tbcDirect = new QTabBar(central);
    tbcDirect->setObjectName(QStringLiteral("tbcDirect"));
    tbcDirect->setShape(QTabBar::RoundedEast);
    tbcDirect->setFont(QFont(tabFontFace()));
    tbcDirect->setFocusPolicy(Qt::NoFocus);
    tbcDirect->addTab(QStringLiteral("伏図"));
    tbcDirect->addTab(QStringLiteral("Ｙ通軸組"));
    tbcDirect->addTab(QStringLiteral("Ｘ通軸組"));
    pnlKel = new QFrame(central);
    pnlKel->setObjectName(QStringLiteral("pnlKel"));
    pnlKel->setFrameShape(QFrame::Box);
    pnlKel->setLineWidth(1);
    pnlKel->setAutoFillBackground(true);
    QPalette white = pnlKel->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlKel->setPalette(white);
    imgKel = new CanvasWidget(canvas_, pnlKel);
    imgKel->setObjectName(QStringLiteral("imgKel"));
    auto* panelLayout = new QVBoxLayout(pnlKel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(imgKel);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(pnlKel, 1);
    auto* side = new QVBoxLayout;
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(tbcDirect);
    side->addStretch();
    row->addLayout(side);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(16, 4, 4, 4);
    column->setSpacing(0);
    column->addWidget(tbcNumber);
    column->addLayout(row, 1);
    setCentralWidget(central);

    buildStatusBar();

    // Start-up: remember the arguments, register the editor, apply the stored settings.
    const std::string first = arguments_.empty() ? std::string() : arguments_[0];
    editor::Ports ports;
    ports.files = &files_;
    files_.setProjectPath([this] { return session_.hasDefaultName() ? std::string() : session_.project.path; });
    dispatcher_ = std::make_unique<editor::Dispatcher>(session_, canvas_, this, ports, &ini_);
    dispatcher_->setFirstArgument(first);
    dispatcher_->renderControl().pollInput = [this] {
        // A long redraw lets a zoom or pan that arrives meanwhile in; never nested.
        if (polling_) return;
        polling_ = true;
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        polling_ = false;
    };

    buildMenus();
    buildToolBar();
    buildPopupMenu();
    imgKel->setEvents(this);

    applyGeometry(session_.settings.position);
    dispatcher_->newProject();
    dispatcher_->setSnapMode(editor::SnapMode::EndPoint);
    if (fileExists(first)) startupFile_ = first;

    connect(tbcDirect, &QTabBar::currentChanged, this, [this](int index) {
        if (updating_ || index < 0) return;
        dispatcher_->selectViewTab(static_cast<model::ViewMode>(index));
    });
    connect(tbcNumber, &QTabBar::currentChanged, this, [this](int index) {
        if (updating_ || index < 0) return;
        dispatcher_->selectLevelTab(index);
    });

    buildDialogs();
    qApp->installEventFilter(this);
    stateChanged();
}

TfrmTessmar::~TfrmTessmar()
{
    if (qApp) qApp->removeEventFilter(this);
    // The dialogs go first: the dispatcher still points at them.
    auto& ports = dispatcher_->context().ports;
    ports = editor::Ports{};
    ports.files = &files_;
}

void TfrmTessmar::buildDialogs()
{
    // Created once in the program's order and kept, hidden while not in use. A window is
    // created before those that hold a reference to it (the keypad before the grid line
    // dialog, the enlarged view, mark-name and SS2 dialogs before the section dialog).
    frmKeypad_ = std::make_unique<TfrmKeypad>(platform_, this);
    frmBaseLine_ = std::make_unique<TfrmBaseLine>(ini_, platform_, *frmKeypad_, this);
    frmDump_ = std::make_unique<TfrmDump>(session_, this);
    frm3DView_ = std::make_unique<Tfrm3DView>(session_, this);
    frm3DView_->setClosedHandler([this] { dispatcher_->view3DClosed(); });
    frmPCopy_ = std::make_unique<TfrmPCopy>(ini_, platform_, *frmKeypad_, this);
    frmGridPitch_ = std::make_unique<TfrmGridPitchDistance>(platform_, this);
    frmMember_ = std::make_unique<TfrmMember>(ini_, platform_, this);
    frmDraft_ = std::make_unique<TfrmDraft>(session_, platform_, files_, ini_, frmDump_.get(), this);
    frmDetail_ = std::make_unique<TfrmDetail>(this);
    frmConfirm_ = std::make_unique<TfrmConfirm>(this);
    frmImport_ = std::make_unique<TfrmImport>(platform_, this);
    frmSection_ = std::make_unique<TfrmSection>(*dispatcher_, ini_, platform_, *frmKeypad_, *frmConfirm_, *frmDetail_,
                                                frmImport_.get(), this);
    // Grid names may have changed with the settings.
    frmDraftEnv_ = std::make_unique<TfrmDraftEnv>(session_, ini_,
                                                  [this] {
                                                      dispatcher_->context().redraw();
                                                      stateChanged();  // the frame tabs carry the names
                                                  },
                                                  this);
    frmEnvironment_ = std::make_unique<TfrmEnvironment>(this);
    frmVersion_ = std::make_unique<TfrmVersion>(this);
    sectionCsv_ = std::make_unique<editor::SectionCsvCommands>(session_, files_);
    frmQuantity_ = std::make_unique<TfrmQuantity>(session_, ini_, files_, this);
    frmCheck_ = std::make_unique<TfrmCheck>(session_, files_, *frmSection_, this);
    frmStbReport_ = std::make_unique<TfrmStbReport>(this);
    frmTitle_ = std::make_unique<TfrmTitle>(platform_, this);
    frmSetPdf_ = std::make_unique<TfrmSetPdf>(session_, platform_, this);

    auto& ports = dispatcher_->context().ports;
    ports.gridLines = frmBaseLine_.get();
    ports.keypad = frmKeypad_.get();
    ports.sectionCsv = sectionCsv_.get();
    ports.dump = frmDump_.get();
    ports.view3D = frm3DView_.get();
    ports.parallelCopy = frmPCopy_.get();
    ports.gridPitch = frmGridPitch_.get();
    ports.member = frmMember_.get();
    ports.version = frmVersion_.get();
    ports.sectionDialog = frmSection_.get();
    ports.drawings = &frmDraft_->preview();
    ports.draftSettings = frmDraftEnv_.get();
    ports.quantities = frmQuantity_.get();
    ports.checks = frmCheck_.get();
    ports.stbReport = frmStbReport_.get();
}

void TfrmTessmar::saveDrawingSetPdf()
{
    const std::filesystem::path project(session_.project.path);
    const auto path = files_.saveFile("PDF (*.pdf)", (project.parent_path() / (project.stem().string() + ".pdf")).string());
    if (!path) return;
    const bool named = path->size() > 4 && QString::fromStdString(path->substr(path->size() - 4)).toLower() == ".pdf";
    frmSetPdf_->save(named ? *path : *path + ".pdf");
}

platform::Ss2ImportPort& TfrmTessmar::ss2Import() { return *frmImport_; }

QAction* TfrmTessmar::addItem(QMenu* menu, const char* name, const QString& caption, int code, bool hidden)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    if (code > 0) connect(a, &QAction::triggered, this, [this, code] { runCommand(code); });
    // Items without a command are there for the menu's shape only.
    if (hidden) a->setVisible(false);
    if (menu) menu->addAction(a);
    actions_[a->objectName()] = a;
    return a;
}

QAction* TfrmTessmar::action(const QString& name) const
{
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void TfrmTessmar::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    addItem(file, "mnuFileNew", QStringLiteral("新規作成(&N)"), cmd::FILE_NEW);
    addItem(file, "mnuFileOpen", QStringLiteral("開く(&O)..."), cmd::FILE_OPEN);
    addItem(file, "mnuFileSave", QStringLiteral("上書き保存(&S)"), cmd::FILE_SAVE);
    addItem(file, "mnuFileSaveAs", QStringLiteral("名前をつけて保存(&A)..."), cmd::FILE_SAVE_AS);
    addItem(file, "mnuFileDxf", QStringLiteral("DXFで保存(&D)..."), cmd::FILE_DXF, true);
    file->addSeparator();
    addItem(file, "mnuFileDraftEnv", QStringLiteral("作図設定(&E)..."), cmd::DRAFT_SETTINGS);
    connect(addItem(file, "mnuFileTitle", QStringLiteral("図面表題(&T)..."), 0), &QAction::triggered, this,
            [this] { frmTitle_->editFor(session_.project.path); });
    file->addSeparator();
    addItem(file, "mnuFileCsvOut", QStringLiteral("断面ＣＳＶ出力(&C)..."), cmd::CSV_EXPORT);
    addItem(file, "mnuFileCsvIn", QStringLiteral("断面ＣＳＶ読込(&I)..."), cmd::CSV_IMPORT);
    addItem(file, "mnuFileStbIn", QStringLiteral("ST-Bridge読込(&B)..."), cmd::FILE_STB_IMPORT);
    addItem(file, "mnuFileStbOut", QStringLiteral("ST-Bridge出力(&T)..."), cmd::FILE_STB_EXPORT);
    addItem(file, "mnuFilePrint", QStringLiteral("印刷(&P)..."), 0, true);
    file->addSeparator();
    addItem(file, "mnuFileExit", QStringLiteral("終了(&X)"), cmd::EXIT);

    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    QAction* undo = addItem(edit, "mnuEditUndo", QStringLiteral("元に戻す(&U)"), 0);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, this, [this] { dispatcher_->undo(); });
    QAction* redo = addItem(edit, "mnuEditRedo", QStringLiteral("やり直し(&R)"), 0);
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(redo, &QAction::triggered, this, [this] { dispatcher_->redo(); });
    edit->addSeparator();
    addItem(edit, "mnuEditCopy", QStringLiteral("複写(&C)"), 0, true);
    addItem(edit, "mnuEditMove", QStringLiteral("移動(&M)"), 0, true);
    addItem(edit, "mnuEditRotate", QStringLiteral("回転(&R)..."), 0, true);
    addItem(edit, "mnuEditStretch", QStringLiteral("ストレッチ(&S)"), 0, true);
    addItem(edit, "mnuEditGrid", QStringLiteral("通り心(&G)"), cmd::GRID_CREATE);
    addItem(edit, "mnuEditOffset", QStringLiteral("オフセット編集(&O)"), cmd::GRID_OFFSETS);
    edit->addSeparator();
    addItem(edit, "mnuEditDelete", QStringLiteral("削除(&D)"), cmd::DELETE);
    addItem(edit, "mnuEditDeleteAll", QStringLiteral("全て削除(&A)..."), 0, true);
    addItem(edit, "mnuEditProperty", QStringLiteral("プロパティ(&P)"), cmd::PROPERTY, true);

    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    addItem(view, "mnuViewRedraw", QStringLiteral("再描画(&R)"), cmd::REDRAW)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    addItem(view, "mnuViewAll", QStringLiteral("全図形表示(&E)"), cmd::FIT_ALL);
    addItem(view, "mnuViewPan", QStringLiteral("パンニング(&P)"), 0, true);
    addItem(view, "mnuViewZoomUp", QStringLiteral("ズームアップ(&I)"), 0, true);
    addItem(view, "mnuViewZoomDown", QStringLiteral("ズームダウン(&O)"), 0, true);
    addItem(view, "mnuViewZoom", QStringLiteral("拡大(&W)"), cmd::ZOOM_WINDOW);
    view->addSeparator();
    QMenu* items = view->addMenu(QStringLiteral("表示項目"));
    items->setObjectName(QStringLiteral("mnuViewItems"));
    addItem(items, "mnuShowMemberName", QStringLiteral("部材名称"), cmd::MEMBER_NAME)->setCheckable(true);
    addItem(items, "mnuShowDim", QStringLiteral("寸法線"), cmd::DIMENSIONS)->setCheckable(true);
    addItem(items, "mnuShowBaseLine", QStringLiteral("通り心"), cmd::GRID_LINES_SHOWN)->setCheckable(true);
    addItem(items, "mnuShowNumber", QStringLiteral("部材番号"), cmd::MEMBER_NUMBER, true)->setCheckable(true);
    addItem(items, "mnuShowDataNumber", QStringLiteral("データ番号"), cmd::DATA_NUMBER, true)->setCheckable(true);
    addItem(view, "mnuViewHide", QStringLiteral("非表示指示(&H)"), 0, true);
    addItem(view, "mnuViewOverlap", QStringLiteral("重複確認(&W)"), 0, true);
    addItem(view, "mnuViewLineEnd", QStringLiteral("補助線端部表示(&S)"), 0, true);
    view->addSeparator();
    addItem(view, "mnuView3D", QStringLiteral("3D表示(&3)"), cmd::VIEW_3D)->setCheckable(true);

    QMenu* draw = bar->addMenu(QStringLiteral("作図(&D)"));
    addItem(draw, "mnuDrawGirderList", QStringLiteral("梁断面リスト(&G)..."), cmd::DRAW_GIRDER_LIST);
    addItem(draw, "mnuDrawColumnList", QStringLiteral("柱断面リスト(&C)..."), cmd::DRAW_COLUMN_LIST);
    addItem(draw, "mnuDrawRebar", QStringLiteral("配筋図(&H)..."), cmd::DRAW_REBAR);
    addItem(draw, "mnuDrawFraming", QStringLiteral("伏図/軸組図(&F)..."), cmd::DRAW_FRAMING);
    addItem(draw, "mnuDrawQuantity", QStringLiteral("鉄筋数量表(&Q)..."), cmd::QUANTITIES);
    addItem(draw, "mnuDrawCheck", QStringLiteral("配筋チェック(&K)..."), cmd::CHECKS);
    connect(addItem(draw, "mnuDrawSetPdf", QStringLiteral("図面一式をPDFで保存(&P)..."), 0), &QAction::triggered, this,
            &TfrmTessmar::saveDrawingSetPdf);

    QMenu* girder = bar->addMenu(QStringLiteral("梁(&G)"));
    addItem(girder, "mnuGirderMark", QStringLiteral("梁断面指示(&S)"), cmd::GIRDER_MARK);
    addItem(girder, "mnuGirderSection", QStringLiteral("梁断面作成(&E)"), cmd::GIRDER_SECTIONS);

    QMenu* columnMenu = bar->addMenu(QStringLiteral("柱(&C)"));
    addItem(columnMenu, "mnuColumnMark", QStringLiteral("柱断面指示(&S)"), cmd::COLUMN_MARK);
    addItem(columnMenu, "mnuColumnSection", QStringLiteral("柱断面作成(&E)"), cmd::COLUMN_SECTIONS);

    QMenu* line = bar->addMenu(QStringLiteral("仮部材(&M)"));
    addItem(line, "mnuLineCreate", QStringLiteral("作成(&S)"), cmd::LINE);
    addItem(line, "mnuLineChange", QStringLiteral("変更(&C)"), cmd::MEMBERS_TO_LINES, true);
    addItem(line, "mnuLineParallel", QStringLiteral("平行線(&P)..."), cmd::PARALLEL);
    addItem(line, "mnuLineJoin", QStringLiteral("連結(&C)"), 0, true);
    addItem(line, "mnuLineSplit", QStringLiteral("分割(&D)..."), 0, true);
    addItem(line, "mnuLineExtend", QStringLiteral("延長カット(&C)"), cmd::EXTEND_CUT);
    addItem(line, "mnuLineCut", QStringLiteral("交点で切断(&I)"), cmd::CUT_AT_CROSSINGS);
    line->addSeparator();
    QMenu* snap = line->addMenu(QStringLiteral("スナップ(&S)"));
    snap->setObjectName(QStringLiteral("mnuSnap"));
    static const std::array<const char*, 7> snapNames = {"mnuSnapFree",     "mnuSnapEnd",    "mnuSnapCross",
                                                         "mnuSnapMid",      "mnuSnapPerp",   "mnuSnapOnLine",
                                                         "mnuSnapGrid"};
    static const std::array<const char*, 7> snapCaptions = {"フリー(&F)", "端点(&E)",   "交点(&C)",  "中点(&M)",
                                                            "垂直点(&P)", "線上点(&L)", "グリッド(&G)"};
    auto* snapGroup = new QActionGroup(this);
    snapGroup->setExclusive(true);
    for (size_t i = 0; i < snapItems_.size(); ++i) {
        QAction* a = addItem(snap, snapNames[i], QString::fromUtf8(snapCaptions[i]), 0);
        a->setCheckable(true);
        snapGroup->addAction(a);
        const auto mode = static_cast<editor::SnapMode>(i);
        connect(a, &QAction::triggered, this, [this, mode] { dispatcher_->setSnapMode(mode); });
        snapItems_[i] = a;
    }
    addItem(line, "mnuGrid", QStringLiteral("グリッド(&G)"), cmd::GRID)->setCheckable(true);
    mnuGridPitch_ = line->addMenu(QStringLiteral("グリッドピッチ(&P)"));
    mnuGridPitch_->setObjectName(QStringLiteral("mnuGridPitch"));
    static const std::array<const char*, 4> pitchNames = {"mnuPitch1", "mnuPitch2", "mnuPitch3", "mnuPitch4"};
    for (size_t i = 0; i < pitchItems_.size(); ++i) {
        QAction* a = addItem(mnuGridPitch_, pitchNames[i],
                             QStringLiteral("1/%1(&%1)").arg(static_cast<int>(i) + 1), cmd::GRID_DIVISOR_1 + static_cast<int>(i));
        a->setCheckable(true);
        pitchItems_[i] = a;
    }
    addItem(line, "mnuGridDistance", QStringLiteral("グリッド間隔(&K)..."), cmd::GRID_DISTANCE);
    QAction* origin = addItem(line, "mnuGridOrigin", QStringLiteral("グリッド原点(&G)"), 0);
    connect(origin, &QAction::triggered, this, [this] { dispatcher_->StartCommand(cmd::GRID_ORIGIN); });
    line->addSeparator();
    addItem(line, "mnuLineEndMark", QStringLiteral("仮部材端部マーク(&M)"), cmd::LINE_END_MARK)->setCheckable(true);
    addItem(line, "mnuLineDirection", QStringLiteral("仮部材方向マーク(&D)"), cmd::LINE_DIRECTION_MARK)->setCheckable(true);
    addItem(line, "mnuLineDelete", QStringLiteral("削除(&D)"), 0, true);
    addItem(line, "mnuLineDeleteAll", QStringLiteral("全て削除(&A)"), 0, true);

    QMenu* test = bar->addMenu(QStringLiteral("テスト"));
    test->setObjectName(QStringLiteral("mnuTest"));
    test->menuAction()->setVisible(false);
    addItem(test, "mnuTestDump", QStringLiteral("Dump"), cmd::DUMP);
    addItem(test, "mnuTest01", QStringLiteral("Test01"), cmd::TEST_01);
    addItem(test, "mnuTest02", QStringLiteral("Test02"), cmd::TEST_02);

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    addItem(help, "mnuHelpHome", QStringLiteral("Tessmarについて(&T)..."), cmd::HELP_HOME);
    addItem(help, "mnuHelpManual", QStringLiteral("Web簡易マニュアル(&M)..."), cmd::HELP_MANUAL);
    addItem(help, "mnuHelpReference", QStringLiteral("Web簡易リファレンス(&R)..."), cmd::HELP_REFERENCE);
    help->addSeparator();
    addItem(help, "mnuHelpVersion", QStringLiteral("バージョン情報(&A)"), cmd::VERSION);
}

void TfrmTessmar::buildToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    struct Button {
        const char* name;
        const char* caption;
        const char* hint;
        int code;
    };
    static const std::array<Button, 8> buttons = {{
        {"tbGrid", "通り心", "通り心", cmd::GRID_CREATE},
        {"tbGirderSection", "梁断面", "梁断面作成", cmd::GIRDER_SECTIONS},
        {"tbColumnSection", "柱断面", "柱断面作成", cmd::COLUMN_SECTIONS},
        {"tbGirderMark", "梁指示", "梁断面指示", cmd::GIRDER_MARK},
        {"tbColumnMark", "柱指示", "柱断面指示", cmd::COLUMN_MARK},
        {"tbGirderList", "梁断面リスト", "梁断面リスト作成", cmd::DRAW_GIRDER_LIST},
        {"tbColumnList", "柱断面リスト", "柱断面リスト作成", cmd::DRAW_COLUMN_LIST},
        {"tbRebar", "配筋図", "配筋図作成", cmd::DRAW_REBAR},
    }};
    for (const Button& b : buttons) {
        QAction* a = addItem(nullptr, b.name, QString::fromUtf8(b.caption), b.code);
        a->setToolTip(QString::fromUtf8(b.hint));
        ToolBar1->addAction(a);
    }
}

void TfrmTessmar::buildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    addItem(PopupMenu1, "popCreate", QStringLiteral("仮部材作成"), cmd::LINE);
    addItem(PopupMenu1, "popAll", QStringLiteral("全図形表示"), cmd::FIT_ALL);
    addItem(PopupMenu1, "popZoom", QStringLiteral("拡大"), cmd::ZOOM_WINDOW);
    addItem(PopupMenu1, "pop3D", QStringLiteral("3D表示"), cmd::VIEW_3D);
    PopupMenu1->addSeparator();
    // Choosing it closes the menu, as any item does.
    addItem(PopupMenu1, "popClose", QStringLiteral("メニュー閉じる"), 0);
}

void TfrmTessmar::buildStatusBar()
{
    static const std::array<int, QtPlatform::kPanelCount> widths = {50, 50, 50, 200, 50, 50};
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (size_t i = 0; i < StatusPanels.size(); ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(widths[i]);
        label->setAlignment((i < 3 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        // The last panel, the prompt, takes the rest of the bar.
        bar->addWidget(label, i + 1 == StatusPanels.size() ? 1 : 0);
        StatusPanels[i] = label;
    }
    platform_.setStatusPanels(StatusPanels);
}

void TfrmTessmar::applyGeometry(const settings::WindowPosition& position)
{
    const int w = std::max(kMinWidth, position.Width);
    const int h = std::max(kMinHeight, position.Height);
    QPoint topLeft(position.Left, position.Top);
    // A position on a screen that is no longer there would leave the window out of reach.
    if (!QGuiApplication::screenAt(topLeft + QPoint(20, 20))) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            topLeft = screen->availableGeometry().topLeft();
    }
    move(topLeft);
    resize(w, h);
}

void TfrmTessmar::runCommand(int code) { dispatcher_->DispatchCommand(code); }

// ---- EditorHost ----

void TfrmTessmar::setCursor(editor::CursorKind kind) { imgKel->setCursor(cursorFor(kind)); }

void TfrmTessmar::showPopupMenu(editor::PixelPoint at, bool planCanvas)
{
    action(QStringLiteral("popCreate"))->setVisible(planCanvas);
    action(QStringLiteral("pop3D"))->setVisible(planCanvas);
    PopupMenu1->popup(imgKel->mapToGlobal(QPoint(at.x, at.y)));
}

void TfrmTessmar::focusCanvas() { imgKel->setFocus(Qt::OtherFocusReason); }

void TfrmTessmar::closeMainWindow() { close(); }

void TfrmTessmar::canvasChanged() { imgKel->update(); }

void TfrmTessmar::storeWindowGeometry(settings::WindowPosition& position)
{
    position.Top = y();
    position.Left = x();
    position.Width = width();
    position.Height = height();
}

void TfrmTessmar::settingsLoaded(const settings::Settings& settings)
{
    applyGeometry(settings.position);
    stateChanged();
}

void TfrmTessmar::stateChanged()
{
    if (!dispatcher_) return;
    const editor::Dispatcher& d = *dispatcher_;
    setWindowTitle(QString::fromStdString(d.title()));
    const editor::MenuState m = d.menuState();
    const auto check = [this](const char* name, bool on) {
        if (QAction* a = action(QString::fromLatin1(name))) a->setChecked(on);
    };
    for (size_t i = 0; i < snapItems_.size(); ++i)
        if (snapItems_[i]) snapItems_[i]->setChecked(static_cast<size_t>(m.snapMode) == i);
    if (snapItems_[6]) snapItems_[6]->setEnabled(m.gridVisible);
    check("mnuGrid", m.gridVisible);
    if (mnuGridPitch_) mnuGridPitch_->setEnabled(m.gridPitchEnabled);
    for (size_t i = 0; i < pitchItems_.size(); ++i)
        if (pitchItems_[i]) pitchItems_[i]->setChecked(static_cast<int>(i) + 1 == m.gridDivisor);
    check("mnuShowMemberName", m.showMemberName);
    check("mnuShowDim", m.drawDim);
    check("mnuShowBaseLine", m.drawBaseLine);
    check("mnuShowNumber", m.showNumber);
    check("mnuShowDataNumber", m.showDataNumber);
    check("mnuLineEndMark", m.showLineEndMark);
    check("mnuLineDirection", m.showHelper);
    check("mnuView3D", m.view3DVisible);
    if (QAction* a = action(QStringLiteral("mnuFileSave"))) a->setEnabled(m.saveEnabled);
    if (QAction* a = action(QStringLiteral("mnuDrawRebar"))) a->setEnabled(m.rebarDrawingEnabled);
    if (QAction* a = action(QStringLiteral("tbRebar"))) a->setEnabled(m.rebarDrawingEnabled);
    updateTabs();
    // Saved, or replaced by a new or another project: the copy is no longer work to recover.
    if (autosaver_ && !session_.project.modified && autosaver_->holdsWork()) autosaver_->discard();
}

void TfrmTessmar::updateTabs()
{
    updating_ = true;
    const int view = static_cast<int>(dispatcher_->currentView());
    if (tbcDirect->currentIndex() != view) tbcDirect->setCurrentIndex(view);
    const std::vector<std::string> names = dispatcher_->levelTabs();
    bool same = tbcNumber->count() == static_cast<int>(names.size());
    for (int i = 0; same && i < tbcNumber->count(); ++i)
        same = tbcNumber->tabText(i).toStdString() == names[static_cast<size_t>(i)];
    if (!same) {
        while (tbcNumber->count() > 0) tbcNumber->removeTab(tbcNumber->count() - 1);
        for (const auto& n : names) tbcNumber->addTab(QString::fromStdString(n));
    }
    const int current = dispatcher_->currentLevelTab();
    if (current >= 0 && tbcNumber->currentIndex() != current) tbcNumber->setCurrentIndex(current);
    updating_ = false;
}

// ---- canvas ----

void TfrmTessmar::canvasMouseDown(const editor::MouseEvent& event) { dispatcher_->mouseDown(event); }
void TfrmTessmar::canvasMouseMove(const editor::MouseEvent& event) { dispatcher_->mouseMove(event); }
void TfrmTessmar::canvasMouseUp(const editor::MouseEvent& event) { dispatcher_->mouseUp(event); }
void TfrmTessmar::canvasWheel(int delta) { dispatcher_->wheel(delta); }
void TfrmTessmar::canvasResized() { dispatcher_->canvasResized(); }

// ---- start-up and keys ----

void TfrmTessmar::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    // Like the first message of the application: after the window has its final size.
    QTimer::singleShot(0, this, [this] { firstMessage(); });
}

void TfrmTessmar::closeEvent(QCloseEvent* event)
{
    if (dispatcher_ && !dispatcher_->settleSectionDialog()) {
        event->ignore();
        return;
    }
    if (dispatcher_ && dispatcher_->modified()) {
        const platform::Answer answer = platform_.messageBox(
            platform::kConfirmCaption, session_.project.path + "は変更されています。変更を保存しますか?",
            platform::Buttons::YesNoCancel);
        if (answer == platform::Answer::Cancel ||
            (answer == platform::Answer::Yes && !dispatcher_->saveProjectAs())) {
            event->ignore();
            return;
        }
    }
    // A tick between here and the end of the event loop would write the copy again.
    if (autosaveTimer_) autosaveTimer_->stop();
    if (autosaver_) autosaver_->discard();
    event->accept();
}

void TfrmTessmar::enableRecovery(std::unique_ptr<model::RecoveryFolder> folder, int intervalMs)
{
    const model::FileResult claimed = folder->claim();
    if (!claimed.ok) {
        platform_.statusText(platform::kStatusMessage, "自動保存できません: " + claimed.message);
        return;
    }
    autosaver_ = std::make_unique<model::Autosaver>(folder->ownFile());
    recovery_ = std::move(folder);
    if (intervalMs <= 0) return;
    autosaveTimer_ = new QTimer(this);
    autosaveTimer_->setInterval(intervalMs);
    connect(autosaveTimer_, &QTimer::timeout, this, [this] { autosave(); });
}

void TfrmTessmar::autosave()
{
    if (const auto done = autosaver_->finished(); done && !done->ok)
        platform_.statusText(platform::kStatusMessage, "自動保存できませんでした: " + done->message);
    // While a drawing is shown the model waits in a bank; the next tick takes it.
    const draft::DraftState& banks = frmDraft_->preview().draftState();
    if (!session_.project.modified || banks.modelInBank || banks.drawingInBank) return;
    autosaver_->save(session_);
}

void TfrmTessmar::firstMessage()
{
    if (started_) return;
    dispatcher_->firstShow();
    // A project named on the command line is opened, not only named.
    if (!startupFile_.empty()) dispatcher_->openProjectFile(startupFile_);
    if (recovery_) editor::offerRecovery(*dispatcher_, *recovery_, *autosaver_);
    if (autosaveTimer_) autosaveTimer_->start();
    started_ = true;
}

bool TfrmTessmar::handleKey(QKeyEvent* event, bool press)
{
    if (event == lastKeyEvent_ && event->timestamp() == lastKeyTime_) return false;
    lastKeyEvent_ = event;
    lastKeyTime_ = event->timestamp();
    const editor::Key key = CanvasWidget::keyOf(event->key());
    if (!press) {
        if (!event->isAutoRepeat()) dispatcher_->keyUp(key);
        return false;
    }
    return dispatcher_->keyDown(key);
}

bool TfrmTessmar::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
        // The editor sees the keys of its own window before the controls; the dialogs keep theirs.
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() == this && dispatcher_)
            return handleKey(static_cast<QKeyEvent*>(event), type == QEvent::KeyPress);
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace ui
