// The main window's toolbar, menus and status bar.
#include "browse/image_list_thread.h"
#include "folder_tree.h"
#include "frm_thumbnail.h"
#include "internet_links.h"
#include "load_state.h"
#include "toolbar_glyphs.h"
#include "util/ui_language.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace mirte {

namespace {

constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 43;
constexpr int kPrintButtonWidth = 107;
constexpr int kInternetButtonWidth = 44;

QToolButton* MakeToolButton(QToolBar* bar, const char* name, const QString& caption,
                            TToolGlyph glyph, int width) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setIcon(QIcon(DrawToolGlyph(glyph)));
    button->setIconSize(ToolGlyphSize(glyph));
    button->setAutoRaise(true); // flat
    button->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly
                                                 : Qt::ToolButtonTextBesideIcon);
    // English captions are longer than the Japanese ones the widths were made for.
    const bool grows = ShownUiLanguage() == TUiLanguage::English;
    button->setMinimumSize(grows ? std::max(width, button->sizeHint().width()) : width,
                           kButtonHeight);
    bar->addWidget(button);
    return button;
}

QLabel* MakeToolLabel(QToolBar* bar, const QString& caption) {
    auto* label = new QLabel(caption, bar);
    bar->addWidget(label);
    return label;
}

QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void TfrmThumbnail::BuildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("ToolBar"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);

    BtnAbort = MakeToolButton(bar, "BtnAbort", tr("読込中止"), TToolGlyph::Abort, kButtonWidth);
    BtnReload = MakeToolButton(bar, "BtnReload", tr("再読込"), TToolGlyph::Reload, kButtonWidth);
    bar->addSeparator();
    MakeToolLabel(bar, tr("　表示順　"));
    CbHyouji = new QComboBox(bar);
    CbHyouji->setObjectName(QStringLiteral("CbHyouji"));
    CbHyouji->addItems({tr(" 名前順"), tr(" サイズ順"), tr(" 撮影順")});
    CbHyouji->setCurrentIndex(0);
    bar->addWidget(CbHyouji);
    MakeToolLabel(bar, tr("　画像の大きさ　"));
    CbSize = new QComboBox(bar);
    CbSize->setObjectName(QStringLiteral("CbSize"));
    CbSize->addItems({tr(" 大　"), tr(" 中"), tr(" 小")});
    bar->addWidget(CbSize);
    MakeToolLabel(bar, QStringLiteral("　")); // a gap

    // The print buttons' captions take two lines.
    BtnPrintThumbnail = MakeToolButton(bar, "BtnPrintThumbnail", tr("インデックス\nカード印刷"),
                                       TToolGlyph::PrintThumbnail, kPrintButtonWidth);
    BtnPrintJacket = MakeToolButton(bar, "BtnPrintJacket", tr("バックカード\n印刷"),
                                    TToolGlyph::PrintJacket, kPrintButtonWidth);
    BtnContact = MakeToolButton(bar, "BtnContact", tr("コンタクト\nシート印刷"),
                                TToolGlyph::Contact, kPrintButtonWidth);
    BtnInternet =
        MakeToolButton(bar, "BtnInternet", QString(), TToolGlyph::Internet, kInternetButtonWidth);
    BtnInternet->setToolTip(tr("ミルテホームページ"));

    connect(BtnAbort, &QToolButton::clicked, this, &TfrmThumbnail::BtnAbortClick);
    connect(BtnReload, &QToolButton::clicked, this, &TfrmThumbnail::BtnReloadClick);
    connect(CbHyouji, &QComboBox::activated, this, &TfrmThumbnail::CbHyoujiChange);
    connect(CbSize, &QComboBox::activated, this, &TfrmThumbnail::CbSizeChange);
    connect(BtnPrintThumbnail, &QToolButton::clicked, this, &TfrmThumbnail::BtnPrintThumbnailClick);
    connect(BtnPrintJacket, &QToolButton::clicked, this, &TfrmThumbnail::BtnPrintJacketClick);
    connect(BtnContact, &QToolButton::clicked, this, &TfrmThumbnail::BtnContactClick);
    connect(BtnInternet, &QToolButton::clicked, this,
            [this] { OpenUrl(TInternetLinks::Default().HomePageIndex); });
}

void TfrmThumbnail::BuildMenus() {
    const TInternetLinks& links = TInternetLinks::Default();
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = bar->addMenu(tr("ファイル(&F)"));
    connect(AddMenuItem(file, "MMThumbnail", tr("インデックスカード印刷(&I)")), &QAction::triggered,
            this, &TfrmThumbnail::BtnPrintThumbnailClick);
    connect(AddMenuItem(file, "MMJacket", tr("バックカード印刷(&B)")), &QAction::triggered, this,
            &TfrmThumbnail::BtnPrintJacketClick);
    connect(AddMenuItem(file, "MMContact", tr("コンタクトシート印刷(&C)")), &QAction::triggered,
            this, &TfrmThumbnail::BtnContactClick);
    file->addSeparator()->setObjectName(QStringLiteral("N5"));
    connect(AddMenuItem(file, "MMClose", tr("ミルテの終了(&X)")), &QAction::triggered, this,
            &QWidget::close);

    BuildViewMenu(bar);

    QMenu* settings = bar->addMenu(tr("設定(&T)"));
    connect(AddMenuItem(settings, "N3", tr("キャッシュの設定(&U)")), &QAction::triggered, this,
            &TfrmThumbnail::N3Click);
    BuildLanguageMenu(settings);

    QMenu* internet = bar->addMenu(tr("インターネット(&N) "));
    connect(AddMenuItem(internet, "MMHomePage", tr("ミルテホームページ(&H)")), &QAction::triggered,
            this, [this, links] { OpenUrl(links.HomePage); });
    internet->addSeparator()->setObjectName(QStringLiteral("N2"));
    connect(AddMenuItem(
                internet, "Orvale1",
                tr("無料写真画像：%1(&F)").arg(TInternetLinks::ShownName(links.PhotoGalleryName))),
            &QAction::triggered, this, [this, links] { OpenUrl(links.PhotoGallery); });
    connect(
        AddMenuItem(internet, "Orvale2",
                    tr("無料イラスト：%1(&C)").arg(TInternetLinks::ShownName(links.ClipArtName))),
        &QAction::triggered, this, [this, links] { OpenUrl(links.ClipArt); });

    QMenu* help = bar->addMenu(tr("ヘルプ(&H)"));
    connect(AddMenuItem(help, "ReadMe1", tr("ReadMeの表示")), &QAction::triggered, this,
            &TfrmThumbnail::ReadMe1Click);
    connect(AddMenuItem(help, "About1", tr("バージョン情報(&A)")), &QAction::triggered, this,
            &TfrmThumbnail::About1Click);
    connect(AddMenuItem(help, "MMBug", tr("バグレポート(&M)")), &QAction::triggered, this,
            [this, links] { OpenUrl(links.BugReportMail()); });
}

void TfrmThumbnail::BuildPopupMenus() {
    ListViewPopupMenu = new QMenu(this);
    ListViewPopupMenu->setObjectName(QStringLiteral("ListViewPopupMenu"));
    miThumbnailRepaint =
        AddMenuItem(ListViewPopupMenu, "miThumbnailRepaint", tr("この画像の再読込み"));
    // Enabled by the loader between loads only: the cache belongs to the loader meanwhile.
    miThumbnailRepaint->setEnabled(false);

    TreeViewPopupMenu = new QMenu(this);
    TreeViewPopupMenu->setObjectName(QStringLiteral("TreeViewPopupMenu"));
    Refresh = AddMenuItem(TreeViewPopupMenu, "Refresh", tr("最新の情報に更新"));
    connect(Refresh, &QAction::triggered, this, &TfrmThumbnail::RefreshClick);
    ShellTreeView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ShellTreeView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        TreeViewPopupMenu->popup(ShellTreeView->viewport()->mapToGlobal(at));
    });
}

void TfrmThumbnail::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(true);
    StatusPanel0 = new QLabel(bar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    int panel0Width = 70;
    if (ShownUiLanguage() == TUiLanguage::English) { // " Loading 99%" is longer than " 読込　99%"
        const QFontMetrics metrics(StatusPanel0->font());
        for (const int percent : {-1, 99, 100}) {
            panel0Width =
                std::max(panel0Width, metrics.horizontalAdvance(LoadProgressText(percent)) + 8);
        }
    }
    StatusPanel0->setFixedWidth(panel0Width);
    StatusPanel1 = new QWidget(bar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel2 = new QLabel(bar);
    StatusPanel2->setObjectName(QStringLiteral("StatusPanel2"));
    StatusPanel2->setMinimumWidth(50);
    bar->addWidget(StatusPanel0);
    bar->addWidget(StatusPanel1);
    bar->addWidget(StatusPanel2, 1);
    CacheNotice = new QLabel(tr("キャッシュ使用中：保存なし"), bar); // why: its tip
    CacheNotice->setObjectName(QStringLiteral("CacheNotice"));
    CacheNotice->hide();
    bar->addPermanentWidget(CacheNotice);

    // The progress bar lies inside panel 1, hidden until a load reports.
    ProgressBar = new QProgressBar(StatusPanel1);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, 100);
    ProgressBar->setTextVisible(false);
    ProgressBar->hide();
    PlaceStatusPanels();
    ShellTreeView->installEventFilter(this);
}

void TfrmThumbnail::PlaceStatusPanels() {
    // Panel 2 (the address) starts about where the grid starts.
    const int treeWidth = ShellTreeView->width();
    const int width = qMax(50, treeWidth - StatusPanel0->width() + 5);
    StatusPanel1->setFixedWidth(width);
    ProgressBar->setGeometry(2, 2, width - 3, qMax(8, statusBar()->height() - 8));
}

} // namespace mirte
