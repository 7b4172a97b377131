// The main window: menus, toolbar with its image list, status bar with three
// panels, the progress bar over the status bar, the vertical scroll bar, the
// loading timer and the grid surface. Commands of the other subsystems are
// registered by name and run from the menus, the toolbar and the shortcut menu.
#pragma once

#include "core/GridSurface.h"

#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QScrollBar;
class QStatusBar;
class QTimer;
class QToolBar;

namespace quorbell {

// Layout constants of the client area, in pixels.
namespace Layout {
inline constexpr int ScrollTop = 24;
inline constexpr int ScrollWidth = 16;
inline constexpr int ScrollHeightMargin = 46; // scroll bar height = client height - 46
inline constexpr int ProgressBelowStatusTop = 4;
inline constexpr int StatusBarHeight = 22;
inline constexpr int ToolbarHeight = 24;
inline constexpr int FirstCellX = 10;
inline constexpr int FirstCellY = 33;
} // namespace Layout

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Parts the commands work on.
    GridSurface* surface() const { return m_surface; }
    QToolBar* toolbar() const { return m_toolbar; }
    QProgressBar* progressBar() const { return m_progress; }
    QScrollBar* vScroll() const { return m_vscroll; }
    QTimer* intTimer() const { return m_intTimer; }
    QMenu* shortcutMenu() const { return m_shortcutMenu; }
    int clientWidth() const;
    int clientHeight() const;

    // Status bar panels 1 to 3.
    void setPanel(int panel, const QString& text);
    QString panel(int panel) const;

    // Menu commands and shortcut-menu items by name ("mnuContnrOpen", "mnuMenuCut").
    QAction* menuItem(const QString& name) const;
    // Toolbar buttons by key ("btnNew" ... "btnIndex"), in toolbar order.
    QAction* button(const QString& key) const;
    static const QStringList& buttonKeys();
    // The image list: 23 pictures keyed "imgNew" ... "imgIndex".
    static const QStringList& imageKeys();
    QIcon image(const QString& key) const { return m_images.value(key); }
    void setButtonImage(const QString& buttonKey, const QString& imageKey);
    QString buttonImage(const QString& buttonKey) const;

    // Command registry: the menus, the toolbar and other commands run a
    // command by its menu name; an unregistered name does nothing.
    void setCommand(const QString& name, std::function<void()> handler);
    void runCommand(const QString& name);

    // Saves the document before the program closes (save, or save as for a
    // document never saved); true when it was written. Set by the container
    // commands; without it a save at exit counts as not done.
    std::function<bool()> saveBeforeExit;
    // Opens the container named on the command line once the window is up.
    std::function<void(const QString& path)> openContainerAtStart;
    // Writes the document with its unsaved changes where the next start
    // finds it; true when it was kept. Set by the container commands.
    std::function<bool()> keepForRecovery;
    // The size the stored window size opened the window at, within the
    // screen; empty before that.
    QSize sizeAsOpened;
    // Offers the documents kept that way at start; true when one was opened.
    // Set by the program itself, so windows made for other uses never ask.
    std::function<bool()> offerRecoveryAtStart;

    // Re-applies the layout constants to the progress bar, the scroll bar,
    // the toolbar and the status bar.
    void applyLayout();

    // Opens the shortcut menu at a point of the grid surface.
    void popupShortcutMenu(QPoint surfacePos);

Q_SIGNALS:
    void activated();         // the window became active
    void keyDown(int key);    // Qt key code
    void keyPress(int ascii); // character code, 27 for Escape
    void clientResized();     // after the layout constants are re-applied

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption);

    GridSurface* m_surface = nullptr;
    QToolBar* m_toolbar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_panels[3] = {};
    QProgressBar* m_progress = nullptr;
    QScrollBar* m_vscroll = nullptr;
    QTimer* m_intTimer = nullptr;
    QMenu* m_shortcutMenu = nullptr;
    QHash<QString, QAction*> m_menuItems;
    QHash<QString, QAction*> m_buttons;
    QHash<QString, QString> m_buttonImages;
    QHash<QString, QIcon> m_images;
    QHash<QString, std::function<void()>> m_commands;
};

// The command a toolbar button runs, in the toolbar's dispatch order; empty
// for a key that matches none.
QString toolbarCommandFor(const QString& buttonKey);
void frmMain_Toolbar_ButtonClick(frmMain& w, const QString& buttonKey);

} // namespace quorbell
