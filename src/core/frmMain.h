// The main window: menus, toolbar with its image list, status bar with three
// panels, the progress bar over the status bar, the vertical scroll bar, the
// loading timer and the grid surface. Commands of the other subsystems are
// registered by their Command value and run from the menus, the toolbar and the
// shortcut menu.
#pragma once

#include "document/AlbumDocument.h"
#include "core/Command.h"
#include "core/GridSurface.h"
#include "document/InterfaceMode.h"
#include "core/Settings.h"
#include "document/ViewerState.h"

#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

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

    // The open document, the settings in memory, and where the grid stands.
    AlbumDocument& document() { return m_document; }
    const AlbumDocument& document() const { return m_document; }
    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }
    GridLayout& layout() { return m_surface->layout(); }
    const GridLayout& layout() const { return m_surface->layout(); }
    ViewerState& viewerState() { return m_viewer; }
    const ViewerState& viewerState() const { return m_viewer; }

    // The interface mode (InterfaceMode.h).
    qint16 mode() const { return m_mode; }
    void setMode(qint16 mode);
    bool isViewerRunning() const { return m_mode > Mode::Selected; }
    // The grid is shown, with or without a selected entry.
    bool isGridShown() const { return m_mode == Mode::Shown || m_mode == Mode::Selected; }

    // The command state word: a bit is set while its toolbar button is enabled.
    quint16 commandState() const { return m_commandState; }
    void setCommandState(quint16 state) { m_commandState = state; }

    // The cover shown in every cell instead of the thumbnails.
    bool isCoverView() const { return m_coverView; }
    void setCoverView(bool on) { m_coverView = on; }
    // Comment strips are drawn when exactly one of the setting and the toggle is set.
    bool commentToggle() const { return m_commentToggle; }
    void setCommentToggle(bool on) { m_commentToggle = on; }
    bool commentsShown() const { return m_settings.has(Flag::CommentDefault) != m_commentToggle; }

    // The size in device pixels of the screen that shows the window.
    QSize screenSize() const { return m_screenSize; }
    void setScreenSize(QSize size) { m_screenSize = size; }

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

    // The menu item of a command (for EditSort, the submenu's item).
    QAction* action(Command command) const;
    // The shortcut-menu item and the toolbar button of a command that has one.
    QAction* shortcutItem(Command command) const;
    QAction* button(Command command) const;
    // Toolbar button keys ("btnNew" ... "btnIndex"), in toolbar order.
    static const QStringList& buttonKeys();
    // The image list: 23 pictures keyed "imgNew" ... "imgIndex".
    static const QStringList& imageKeys();
    QIcon image(const QString& key) const { return m_images.value(key); }
    void setButtonImage(Command command, const QString& imageKey);
    QString buttonImage(Command command) const;

    // Command registry: the menus, the toolbar and other commands run a
    // command through it. Every command of the table gets a handler when the
    // window is wired; hasCommand tells whether one did.
    void setCommand(Command command, std::function<void()> handler);
    void runCommand(Command command);
    bool hasCommand(Command command) const;

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
    void modeChanged(qint16 mode, qint16 previous);
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
    QAction* addMenuItem(QWidget* host, const CommandDef& def);

    AlbumDocument m_document;
    Settings m_settings;
    ViewerState m_viewer;
    qint16 m_mode = Mode::Empty;
    quint16 m_commandState = 0;
    bool m_coverView = false;
    bool m_commentToggle = false;
    QSize m_screenSize;
    GridSurface* m_surface = nullptr;
    QToolBar* m_toolbar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_panels[3] = {};
    QProgressBar* m_progress = nullptr;
    QScrollBar* m_vscroll = nullptr;
    QTimer* m_intTimer = nullptr;
    QMenu* m_shortcutMenu = nullptr;
    std::array<QAction*, kCommandCount> m_actions = {};
    std::array<QAction*, kCommandCount> m_shortcutItems = {};
    std::array<QAction*, kCommandCount> m_buttons = {};
    QHash<QString, QString> m_buttonImages; // button key -> image key
    QHash<QString, QIcon> m_images;
    std::array<std::function<void()>, kCommandCount> m_commands;
};

// The command a toolbar button runs; none for a key that matches no button.
std::optional<Command> toolbarCommandFor(const QString& buttonKey);
void frmMain_Toolbar_ButtonClick(frmMain& w, const QString& buttonKey);

} // namespace quorbell
