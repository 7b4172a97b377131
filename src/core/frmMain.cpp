#include "core/frmMain.h"

#include "core/CommandShortcuts.h"
#include "core/MainWindowHandlers.h"
#include "core/ToolbarIcons.h"
#include "core/Version.h"
#include "core/WindowCaption.h"

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

const QStringList& frmMain::buttonKeys()
{
    static const QStringList keys = [] {
        QStringList k;
        for (const CommandDef& def : commandTable()) {
            if (def.buttonKey)
                k << QString::fromLatin1(def.buttonKey);
        }
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

std::optional<Command> toolbarCommandFor(const QString& buttonKey)
{
    for (const CommandDef& def : commandTable()) {
        if (def.buttonKey && buttonKey == QLatin1String(def.buttonKey))
            return def.command;
    }
    return std::nullopt;
}

void frmMain_Toolbar_ButtonClick(frmMain& w, const QString& buttonKey)
{
    if (const std::optional<Command> command = toolbarCommandFor(buttonKey))
        w.runCommand(*command);
}

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QString::fromLatin1(kProgramName));
    setObjectName(QStringLiteral("frmMain"));
    followContainerPath(*this);

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

QAction* frmMain::addMenuItem(QWidget* host, const CommandDef& def)
{
    if (def.separatorBefore)
        static_cast<QMenu*>(host)->addSeparator(); // separators only ever stand in menus
    const Command command = def.command;
    auto* a = new QAction(commandCaption(def), host);
    a->setObjectName(QString::fromLatin1(def.name));
    a->setShortcuts(shortcutsFor(command));
    host->addAction(a);
    m_actions[int(command)] = a;
    connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    return a;
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* contnr = bar->addMenu(tr("コンテナ(&C)"));
    contnr->setObjectName(QStringLiteral("mnuContnr"));
    QMenu* edit = bar->addMenu(tr("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    QMenu* sort = nullptr;
    QMenu* view = bar->addMenu(tr("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    QMenu* help = new QMenu(tr("ヘルプ(&H)"), this);
    help->setObjectName(QStringLiteral("mnuHelp"));

    for (const CommandDef& def : commandTable()) {
        switch (def.place) {
        case MenuPlace::Contnr:
            addMenuItem(contnr, def);
            break;
        case MenuPlace::Edit:
            if (def.command == Command::EditSort) {
                // The sort submenu: its item only opens the four sorts.
                if (def.separatorBefore)
                    edit->addSeparator();
                sort = edit->addMenu(commandCaption(def));
                sort->setObjectName(QString::fromLatin1(def.name));
                m_actions[int(def.command)] = sort->menuAction();
            } else {
                addMenuItem(edit, def);
            }
            break;
        case MenuPlace::Sort:
            // The table lists the sorts after their submenu; the command test
            // fails on any item that did not get its place.
            Q_ASSERT(sort);
            if (sort)
                addMenuItem(sort, def);
            break;
        case MenuPlace::View:
            addMenuItem(view, def);
            break;
        case MenuPlace::MenuBar:
            // A menu-bar item without a submenu: it runs its command directly.
            addMenuItem(bar, def);
            break;
        case MenuPlace::Help:
            addMenuItem(help, def);
            break;
        }
    }
    bar->addMenu(help); // last, after the settings item

    // The check mark says whether comments are shown now. The command may do
    // nothing (no grid), so the mark follows the state, not the click.
    QAction* comment = action(Command::ViewComment);
    comment->setCheckable(true);
    const auto markComments = [this, comment] { comment->setChecked(commentsShown()); };
    connect(view, &QMenu::aboutToShow, this, markComments);
    connect(comment, &QAction::triggered, this, markComments); // after the command ran

    // The shortcut menu: its items run the edit commands and the properties command.
    m_shortcutMenu = new QMenu(tr("ショートカットメニュー"), this);
    m_shortcutMenu->setObjectName(QStringLiteral("mnuMenu"));
    for (const ShortcutSlot& slot : shortcutMenuLayout()) {
        if (slot.separator)
            m_shortcutMenu->addSeparator();
        const CommandDef& def = commandDef(slot.command);
        const Command command = def.command;
        QAction* a = m_shortcutMenu->addAction(commandCaption(def));
        a->setObjectName(QString::fromLatin1(def.shortcutName));
        m_shortcutItems[int(command)] = a;
        connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    }

    // The exit command closes the window, which runs the unload handler.
    setCommand(Command::ContnrExit, [this] { close(); });
}

void frmMain::buildToolbar()
{
    m_toolbar = new QToolBar(m_surface);
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const CommandDef& def : commandTable()) {
        if (!def.buttonKey)
            continue;
        const QString key = QString::fromLatin1(def.buttonKey);
        const QString image = QStringLiteral("img") + QString::fromLatin1(def.image);
        QAction* a = m_toolbar->addAction(m_images.value(image), commandButtonText(def));
        a->setObjectName(key);
        a->setToolTip(commandButtonText(def));
        m_buttons[int(def.command)] = a;
        m_buttonImages.insert(key, image);
        connect(a, &QAction::triggered, this,
                [this, key] { frmMain_Toolbar_ButtonClick(*this, key); });
        // Groups as the menus have them.
        if (def.separatorAfter)
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
    m_surface->setFocusCueRect(QRect(0, Layout::ToolbarHeight, w - Layout::ScrollWidth,
                                     h - Layout::ToolbarHeight - Layout::StatusBarHeight));
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

QAction* frmMain::action(Command command) const
{
    QAction* a = m_actions[int(command)];
    Q_ASSERT_X(a, "frmMain::action", commandDef(command).name);
    return a;
}

QAction* frmMain::shortcutItem(Command command) const
{
    QAction* a = m_shortcutItems[int(command)];
    Q_ASSERT_X(a, "frmMain::shortcutItem", commandDef(command).name);
    return a;
}

QAction* frmMain::button(Command command) const
{
    QAction* a = m_buttons[int(command)];
    Q_ASSERT_X(a, "frmMain::button", commandDef(command).name);
    return a;
}

void frmMain::setButtonImage(Command command, const QString& imageKey)
{
    QAction* b = button(command);
    b->setIcon(m_images.value(imageKey));
    m_buttonImages.insert(b->objectName(), imageKey);
}

QString frmMain::buttonImage(Command command) const
{
    return m_buttonImages.value(button(command)->objectName());
}

void frmMain::setCommand(Command command, std::function<void()> handler)
{
    m_commands[int(command)] = std::move(handler);
}

void frmMain::runCommand(Command command)
{
    const std::function<void()>& handler = m_commands[int(command)];
    // The program wires every command (a test checks it); a window built for
    // a narrower use says so rather than doing nothing without a word.
    if (handler)
        handler();
    else
        qWarning("no handler for the command %s", commandDef(command).name);
}

void frmMain::setMode(qint16 mode)
{
    if (m_mode == mode)
        return;
    const qint16 previous = m_mode;
    m_mode = mode;
    Q_EMIT modeChanged(mode, previous);
}

bool frmMain::hasCommand(Command command) const
{
    return bool(m_commands[int(command)]);
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
