#include "core/CommonMessages.h"
#include "core/MainWindowHandlers.h"

#include "core/CommandState.h"
#include "core/GlobalState.h"
#include "core/Paths.h"
#include "core/Prompts.h"
#include "core/SettingsFile.h"
#include "core/TextRules.h"
#include "core/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

namespace quorbell {

void readSettingsIntoWindow(frmMain& w)
{
    GlobalState& g = stdGlobal();
    // A file removed while the program runs is written again from the
    // settings in memory first, so reading it loses nothing.
    if (!settingsFileExists()) {
        g.windowHeightTwips = w.height() * kTwipsPerPixel;
        g.windowWidthTwips = w.width() * kTwipsPerPixel;
        writeAllSettings(g);
    }
    if (readSettings(g).coverSwitchedOff)
        switchButtonOff(w, Cmd::Cover);
}

void applyStoredWindowSize(frmMain& w)
{
    const GlobalState& g = stdGlobal();
    if (g.windowWidthTwips <= 0 || g.windowHeightTwips <= 0)
        return;
    QSize size(g.windowWidthTwips / kTwipsPerPixel, g.windowHeightTwips / kTwipsPerPixel);
    if (const QScreen* screen = w.screen())
        size = size.boundedTo(screen->availableGeometry().size());
    w.resize(size.expandedTo(QSize(320, 240)));
}

void frmMain_Form_Load(frmMain& w, const QString& commandLinePath)
{
    GlobalState& g = stdGlobal();
    if (const QScreen* screen = w.screen()) {
        const QSize device = screen->geometry().size() * screen->devicePixelRatio();
        g.screenWidth = qint16(qMin(device.width(), 32767));
        g.screenHeight = qint16(qMin(device.height(), 32767));
    }
    g.programFolder = dataFolder();
    w.intTimer()->stop();
    w.intTimer()->setInterval(0);
    g.cursorX = Layout::FirstCellX;
    g.cursorY = Layout::FirstCellY;

    w.vScroll()->hide();
    w.applyLayout();
    w.progressBar()->hide();

    // Every button starts enabled; reading the settings switches the cover
    // button off when the cover setting is off. A fresh machine has no
    // settings file yet: it starts from the defaults, and so does a run whose
    // file cannot be read (a pipe, a device, a huge file), which leaves it alone.
    g.commandState = Cmd::AtStart;
    applyDefaultSettings(g);
    ensureSettingsFile();
    readSettingsIntoWindow(w);
    applyStoredWindowSize(w);
    DisableSelectionItems(w);
    DisableGridItems(w);
    switchPasteOffIfOn(w);

    g.mode = Mode::Empty;
    w.menuItem(QStringLiteral("mnuViewComment"))->setEnabled(false);

    g.containerPath = unquoteArgument(commandLinePath);
    if (!g.containerPath.isEmpty() && w.openContainerAtStart)
        w.openContainerAtStart(g.containerPath);
}

bool frmMain_Form_Unload(frmMain& w)
{
    GlobalState& g = stdGlobal();
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();

    if (g.has(Flag::Modified)) {
        if (askSaveChanges(QStringLiteral("終了処理"))) {
            // Only a save that happened lets the changes go; otherwise stay open.
            if (!w.saveBeforeExit || !w.saveBeforeExit())
                return false;
        }
    }

    if (!g.workImageFile.isEmpty() && QFile::exists(g.workImageFile))
        QFile::remove(g.workImageFile);

    updateWindowSize(w.height() * kTwipsPerPixel, w.width() * kTwipsPerPixel);

    w.intTimer()->stop();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* other : windows) {
        if (other != &w && other->isVisible())
            other->close();
    }
    return true;
}

} // namespace quorbell
