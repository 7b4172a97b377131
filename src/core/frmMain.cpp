#include "core/frmMain.h"

#include "core/GlobalState.h"
#include "core/MainWindowHandlers.h"
#include "core/ToolbarIcons.h"
#include "core/Version.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace quorbell {
namespace {

struct ButtonDef
{
    const char* key;
    const char* text;
    const char* command;
    const char* image;
};

// The toolbar in order; the dispatch compares keys in this order too.
const ButtonDef kButtons[] = {
    {"btnNew", "新規作成", "mnuContnrNew", "imgNew"},
    {"btnOpen", "開く", "mnuContnrOpen", "imgOpen"},
    {"btnSave", "上書き保存", "mnuContnrSave", "imgSave"},
    {"btnCut", "サムネイル切り取り", "mnuEditCut", "imgCut"},
    {"btnCopy", "サムネイルコピー", "mnuEditCopy", "imgCopy"},
    {"btnPut", "サムネイル貼り付け", "mnuEditPut", "imgPut"},
    {"btnDelete", "サムネイル削除", "mnuEditDelete", "imgDelete"},
    {"btnInsert", "サムネイル追加", "mnuEditInsert", "imgInsert"},
    {"btnRename", "一括リネーミング", "mnuEditRename", "imgRename"},
    {"btnSlide", "スライドショー", "mnuViewSlide", "imgSlide"},
    {"btnRandom", "ランダム表示", "mnuViewRandom", "imgRandom"},
    {"btnCover", "サムネイルカバー", "mnuViewCover", "imgCover"},
    {"btnIndex", "索引", "mnuHelpIndex", "imgIndex"},
};

} // namespace

const QStringList& frmMain::buttonKeys()
{
    static const QStringList keys = [] {
        QStringList k;
        for (const ButtonDef& b : kButtons)
            k << QString::fromLatin1(b.key);
        return k;
    }();
    return keys;
}

const QStringList& frmMain::imageKeys()
{
    static const QStringList keys = {
        "imgNew",    "imgOpen",     "imgSave",   "imgNoSave",   "imgCut",    "imgNoCut",
        "imgCopy",   "imgNoCopy",   "imgPut",    "imgNoPut",    "imgDelete", "imgNoDelete",
        "imgInsert", "imgNoInsert", "imgRename", "imgNoRename", "imgSlide",  "imgNoSlide",
        "imgRandom", "imgNoRandom", "imgCover",  "imgNoCover",  "imgIndex"};
    return keys;
}

QString toolbarCommandFor(const QString& buttonKey)
{
    for (const ButtonDef& b : kButtons) {
        if (buttonKey == QLatin1String(b.key))
            return QString::fromLatin1(b.command);
    }
    return QString();
}

void frmMain_Toolbar_ButtonClick(frmMain& w, const QString& buttonKey)
{
    const QString command = toolbarCommandFor(buttonKey);
    if (!command.isEmpty())
        w.runCommand(command);
}

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QString::fromLatin1(kProgramName));
    setObjectName(QStringLiteral("frmMain"));

    for (const QString& key : imageKeys())
        m_images.insert(key, toolbarIcon(key));

    m_surface = new GridSurface(this);
    setCentralWidget(m_surface);

    m_intTimer = new QTimer(this);
    m_intTimer->setObjectName(QStringLiteral("intTimer"));

    buildMenus();
    buildToolbar();
    buildStatusBar();

    m_progress = new QProgressBar(m_surface);
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progress->setTextVisible(false);
    m_progress->hide();

    m_vscroll = new QScrollBar(Qt::Vertical, m_surface);
    m_vscroll->setObjectName(QStringLiteral("VScroll"));
    m_vscroll->setSingleStep(1); // one unit is one row
    m_vscroll->setPageStep(1);
    m_vscroll->hide();

    connect(m_surface, &GridSurface::resized, this, [this] {
        applyLayout();
        Q_EMIT clientResized();
    });
    m_surface->installEventFilter(this);
    resize(800, 600);
    applyLayout();
}

frmMain::~frmMain() = default;

QAction* frmMain::addMenuItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    m_menuItems.insert(name, a);
    connect(a, &QAction::triggered, this, [this, name] { runCommand(name); });
    return a;
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* contnr = bar->addMenu(QStringLiteral("コンテナ(&C)"));
    contnr->setObjectName(QStringLiteral("mnuContnr"));
    addMenuItem(contnr, QStringLiteral("mnuContnrNew"), QStringLiteral("新規作成(&N)"));
    addMenuItem(contnr, QStringLiteral("mnuContnrOpen"), QStringLiteral("開く(&O)"));
    addMenuItem(contnr, QStringLiteral("mnuContnrSave"), QStringLiteral("上書き保存(&S)"));
    addMenuItem(contnr, QStringLiteral("mnuContnrAdd"), QStringLiteral("名前をつけて保存(&A)"));
    contnr->addSeparator();
    addMenuItem(contnr, QStringLiteral("mnuContnrDelete"),
                QStringLiteral("コンテナファイル削除(&D)"));
    addMenuItem(contnr, QStringLiteral("mnuAlbumDelete"),
                QStringLiteral("アルバムファイル削除(&P)"));
    contnr->addSeparator();
    addMenuItem(contnr, QStringLiteral("mnuContnrList"), QStringLiteral("アルバムリスト(&L)"));
    addMenuItem(contnr, QStringLiteral("mnuContnrInfo"), QStringLiteral("プロパティ(&I)"));
    contnr->addSeparator();
    addMenuItem(contnr, QStringLiteral("mnuContnrExit"), QStringLiteral("終了(&X)"));

    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    addMenuItem(edit, QStringLiteral("mnuEditCut"), QStringLiteral("サムネイル切り取り(&T)"));
    addMenuItem(edit, QStringLiteral("mnuEditCopy"), QStringLiteral("サムネイルコピー(&C)"));
    addMenuItem(edit, QStringLiteral("mnuEditPut"), QStringLiteral("サムネイル貼り付け(&P)"));
    addMenuItem(edit, QStringLiteral("mnuEditDelete"), QStringLiteral("サムネイル削除(&D)"));
    edit->addSeparator();
    addMenuItem(edit, QStringLiteral("mnuEditInsert"), QStringLiteral("サムネイル追加(&I)"));
    edit->addSeparator();
    QMenu* sort = edit->addMenu(QStringLiteral("サムネイルソート(&S)"));
    sort->setObjectName(QStringLiteral("mnuEditSort"));
    m_menuItems.insert(QStringLiteral("mnuEditSort"), sort->menuAction());
    addMenuItem(sort, QStringLiteral("mnuSortDateU"), QStringLiteral("日付・昇順(&U)"));
    addMenuItem(sort, QStringLiteral("mnuSortDateL"), QStringLiteral("日付・降順(&D)"));
    addMenuItem(sort, QStringLiteral("mnuSortFileU"), QStringLiteral("ファイル名・昇順(&F)"));
    addMenuItem(sort, QStringLiteral("mnuSortFileL"), QStringLiteral("ファイル名・降順(&L)"));
    edit->addSeparator();
    addMenuItem(edit, QStringLiteral("mnuEditRename"), QStringLiteral("一括リネーミング(&R)"));

    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    addMenuItem(view, QStringLiteral("mnuViewSlide"), QStringLiteral("スライドショー(&S)"));
    addMenuItem(view, QStringLiteral("mnuViewRandom"), QStringLiteral("ランダム表示(&R)"));
    view->addSeparator();
    addMenuItem(view, QStringLiteral("mnuViewCover"), QStringLiteral("サムネイルカバー(&M)"));
    QAction* comment =
        addMenuItem(view, QStringLiteral("mnuViewComment"), QStringLiteral("コメント表示(&C)"));
    // The check mark says whether comments are shown now. The command may do
    // nothing (no grid), so the mark follows the state, not the click.
    comment->setCheckable(true);
    const auto markComments = [comment] { comment->setChecked(stdGlobal().commentsShown()); };
    connect(view, &QMenu::aboutToShow, this, markComments);
    connect(comment, &QAction::triggered, this, markComments); // after the command ran

    // A menu-bar item without a submenu: it runs the settings command directly.
    QAction* option = bar->addAction(QStringLiteral("設定(&O)"));
    option->setObjectName(QStringLiteral("mnuOptionCondition"));
    m_menuItems.insert(option->objectName(), option);
    connect(option, &QAction::triggered, this, [this] { runCommand("mnuOptionCondition"); });

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addMenuItem(help, QStringLiteral("mnuHelpIndex"), QStringLiteral("トピックの検索(&I)"))
        ->setShortcut(QKeySequence(Qt::Key_F1));
    addMenuItem(help, QStringLiteral("mnuHelpVersion"), QStringLiteral("バージョン情報(&V)"));

    // The shortcut menu: its items run the edit commands and the properties command.
    m_shortcutMenu = new QMenu(QStringLiteral("ショートカットメニュー"), this);
    m_shortcutMenu->setObjectName(QStringLiteral("mnuMenu"));
    const auto twin = [this](const QString& name, const QString& caption, const QString& target) {
        QAction* a = m_shortcutMenu->addAction(caption);
        a->setObjectName(name);
        m_menuItems.insert(name, a);
        connect(a, &QAction::triggered, this, [this, target] { runCommand(target); });
    };
    twin(QStringLiteral("mnuMenuCut"), QStringLiteral("サムネイル切り取り(&T)"),
         QStringLiteral("mnuEditCut"));
    twin(QStringLiteral("mnuMenuCopy"), QStringLiteral("サムネイルコピー(&C)"),
         QStringLiteral("mnuEditCopy"));
    twin(QStringLiteral("mnuMenuPut"), QStringLiteral("サムネイル貼り付け(&P)"),
         QStringLiteral("mnuEditPut"));
    m_shortcutMenu->addSeparator();
    twin(QStringLiteral("mnuMenuDelete"), QStringLiteral("サムネイル削除(&D)"),
         QStringLiteral("mnuEditDelete"));
    m_shortcutMenu->addSeparator();
    twin(QStringLiteral("mnuMenuInfo"), QStringLiteral("プロパティ(&I)"),
         QStringLiteral("mnuContnrInfo"));

    // The exit command closes the window, which runs the unload handler.
    setCommand(QStringLiteral("mnuContnrExit"), [this] { close(); });
}

void frmMain::buildToolbar()
{
    m_toolbar = new QToolBar(m_surface);
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ButtonDef& b : kButtons) {
        const QString key = QString::fromLatin1(b.key);
        QAction* a = m_toolbar->addAction(m_images.value(QString::fromLatin1(b.image)),
                                          QString::fromUtf8(b.text));
        a->setObjectName(key);
        a->setToolTip(QString::fromUtf8(b.text));
        m_buttons.insert(key, a);
        m_buttonImages.insert(key, QString::fromLatin1(b.image));
        connect(a, &QAction::triggered, this,
                [this, key] { frmMain_Toolbar_ButtonClick(*this, key); });
        // Groups as the menus have them.
        if (key == QLatin1String("btnSave") || key == QLatin1String("btnDelete") ||
            key == QLatin1String("btnRename") || key == QLatin1String("btnRandom") ||
            key == QLatin1String("btnCover"))
            m_toolbar->addSeparator();
    }
}

void frmMain::buildStatusBar()
{
    m_statusBar = new QStatusBar(m_surface);
    m_statusBar->setObjectName(QStringLiteral("StatusBar"));
    m_statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(m_statusBar);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        m_panels[i]->setMinimumWidth(150);
        m_statusBar->addWidget(m_panels[i], i == 2 ? 2 : 1);
    }
}

int frmMain::clientWidth() const
{
    return m_surface->width();
}

int frmMain::clientHeight() const
{
    return m_surface->height();
}

void frmMain::applyLayout()
{
    const int w = clientWidth();
    const int h = clientHeight();
    m_toolbar->setGeometry(0, 0, w, Layout::ToolbarHeight);
    m_statusBar->setGeometry(0, h - Layout::StatusBarHeight, w, Layout::StatusBarHeight);
    // The progress bar lies over the status bar, 4 pixels below its top edge,
    // over the right half so the loading count in panel 1 stays readable.
    m_progress->setGeometry(w / 2, h - Layout::StatusBarHeight + Layout::ProgressBelowStatusTop,
                            w / 2 - 20,
                            Layout::StatusBarHeight - 2 * Layout::ProgressBelowStatusTop);
    m_vscroll->setGeometry(w - Layout::ScrollWidth, Layout::ScrollTop, Layout::ScrollWidth,
                           qMax(0, h - Layout::ScrollHeightMargin));
}

void frmMain::setPanel(int panel, const QString& text)
{
    Q_ASSERT(panel >= 1 && panel <= 3);
    m_panels[panel - 1]->setText(text);
}

QString frmMain::panel(int panel) const
{
    Q_ASSERT(panel >= 1 && panel <= 3);
    return m_panels[panel - 1]->text();
}

QAction* frmMain::menuItem(const QString& name) const
{
    QAction* a = m_menuItems.value(name);
    Q_ASSERT_X(a, "frmMain::menuItem", qPrintable(name));
    return a;
}

QAction* frmMain::button(const QString& key) const
{
    QAction* a = m_buttons.value(key);
    Q_ASSERT_X(a, "frmMain::button", qPrintable(key));
    return a;
}

void frmMain::setButtonImage(const QString& buttonKey, const QString& imageKey)
{
    button(buttonKey)->setIcon(m_images.value(imageKey));
    m_buttonImages.insert(buttonKey, imageKey);
}

QString frmMain::buttonImage(const QString& buttonKey) const
{
    return m_buttonImages.value(buttonKey);
}

void frmMain::setCommand(const QString& name, std::function<void()> handler)
{
    m_commands.emplace(name, std::move(handler));
}

void frmMain::runCommand(const QString& name)
{
    const auto it = m_commands.constFind(name);
    if (it != m_commands.constEnd() && *it)
        (*it)();
}

void frmMain::popupShortcutMenu(QPoint surfacePos)
{
    m_shortcutMenu->popup(m_surface->mapToGlobal(surfacePos));
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Q_EMIT activated();
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT keyDown(event->key());
    if (event->key() == Qt::Key_Escape)
        Q_EMIT keyPress(27);
    else if (!event->text().isEmpty())
        Q_EMIT keyPress(event->text().at(0).unicode());
    QMainWindow::keyPressEvent(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // The surface takes the focus; its keys go to the window's handlers.
    if (watched == m_surface && event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (frmMain_Form_Unload(*this))
        event->accept();
    else
        event->ignore();
}

} // namespace quorbell
