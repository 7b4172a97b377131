#include "document/CommonMessages.h"
#include "core/MainWindowHandlers.h"

#include "core/CommandState.h"
#include "core/Paths.h"
#include "document/Prompts.h"
#include "core/SettingsFile.h"
#include "core/TextRules.h"
#include "core/WindowSize.h"
#include "core/frmMain.h"

#include <QCoreApplication>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(MainWindowHandlers)
};
} // namespace
namespace {

QSize storedWindowSize(const frmMain& w)
{
    const Settings& g = w.settings();
    return QSize(g.windowWidthTwips / kTwipsPerPixel, g.windowHeightTwips / kTwipsPerPixel);
}

// What the window frame adds to the window; empty until the window system
// has framed it.
QSize frameExtra(const frmMain& w)
{
    return w.frameGeometry().size() - w.geometry().size();
}

// The end of every exit: the work image file deleted, the window size
// recorded, the loading loop stopped and every other window closed.
void finishUnload(frmMain& w)
{
    const QString& workImage = workImageFilePath();
    if (!workImage.isEmpty() && QFile::exists(workImage))
        QFile::remove(workImage);

    const QSize size = windowSizeForSettings(w);
    updateWindowSize(size.height() * kTwipsPerPixel, size.width() * kTwipsPerPixel);

    w.intTimer()->stop();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* other : windows) {
        if (other != &w && other->isVisible())
            other->close();
    }
}

// The question about unsaved changes. Yes saves; false when that save did not
// happen. No lets the changes go.
bool settleUnsavedChanges(frmMain& w)
{
    if (!w.document().isModified())
        return true;
    if (askSaveChanges(Tr::tr("終了処理")))
        return w.saveBeforeExit && w.saveBeforeExit();
    return true;
}

// Keeps a document with unsaved changes where the next start offers it.
void keepUnsavedDocument(frmMain& w)
{
    AlbumDocument& doc = w.document();
    if (doc.isModified() && w.keepForRecovery && w.keepForRecovery())
        doc.setModified(false);
}

void showPointer()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace

QSize windowSizeForSettings(const frmMain& w)
{
    const QScreen* screen = w.screen();
    if (!screen)
        return w.size();
    return windowSizeToRecord(storedWindowSize(w), w.sizeAsOpened, w.size(),
                              screen->availableGeometry().size(), frameExtra(w));
}

void recordWindowSize(frmMain& w)
{
    Settings& g = w.settings();
    const QSize size = windowSizeForSettings(w);
    g.windowHeightTwips = size.height() * kTwipsPerPixel;
    g.windowWidthTwips = size.width() * kTwipsPerPixel;
}

void readSettingsIntoWindow(frmMain& w)
{
    Settings& g = w.settings();
    // A file removed while the program runs is written again from the
    // settings in memory first, so reading it loses nothing.
    if (!settingsFileExists()) {
        recordWindowSize(w);
        writeAllSettings(g);
    }
    if (readSettings(g).coverSwitchedOff)
        switchButtonOff(w, Cmd::Cover);
}

void applyStoredWindowSize(frmMain& w)
{
    const Settings& g = w.settings();
    if (g.windowWidthTwips <= 0 || g.windowHeightTwips <= 0)
        return;
    const QSize stored = storedWindowSize(w);
    const QScreen* screen = w.screen();
    QSize frame = frameExtra(w);
    // Before it is shown the window system has not framed the window: room
    // is kept for a title bar and borders as the style draws them.
    if (frame.width() <= 0 && frame.height() <= 0 && !w.isVisible()) {
        const int border = w.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        frame = QSize(2 * border, w.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
    }
    w.sizeAsOpened = screen ? windowSizeToOpen(stored, screen->availableGeometry().size(), frame)
                            : stored.expandedTo(kSmallestWindow);
    w.resize(w.sizeAsOpened);
}

void frmMain_Form_Load(frmMain& w, const QString& commandLinePath)
{
    Settings& g = w.settings();
    if (const QScreen* screen = w.screen()) {
        const QSize device = screen->geometry().size() * screen->devicePixelRatio();
        w.setScreenSize(QSize(qMin(device.width(), 32767), qMin(device.height(), 32767)));
    }
    g.programFolder = dataFolder();
    w.intTimer()->stop();
    w.intTimer()->setInterval(0);
    w.layout().cursorX = Layout::FirstCellX;
    w.layout().cursorY = Layout::FirstCellY;

    w.vScroll()->hide();
    w.applyLayout();
    w.progressBar()->hide();

    // Every button starts enabled; reading the settings switches the cover
    // button off when the cover setting is off. A fresh machine has no
    // settings file yet: it starts from the defaults, and so does a run whose
    // file cannot be read (a pipe, a device, a huge file), which leaves it alone.
    w.setCommandState(Cmd::AtStart);
    applyDefaultSettings(g);
    ensureSettingsFile();
    readSettingsIntoWindow(w);
    applyStoredWindowSize(w);
    DisableSelectionItems(w);
    DisableGridItems(w);
    switchPasteOffIfOn(w);

    w.setMode(Mode::Empty);
    w.action(Command::ViewComment)->setEnabled(false);

    // The window appears at its own size before anything is asked or opened.
    w.show();
    // A document kept when the program was last ended takes the place of the
    // command line's file, which would replace it unsaved.
    if (w.offerRecoveryAtStart && w.offerRecoveryAtStart())
        return;

    AlbumDocument& doc = w.document();
    doc.setContainerPath(unquoteArgument(commandLinePath));
    if (!doc.containerPath().isEmpty() && w.openContainerAtStart)
        w.openContainerAtStart(doc.containerPath());
}

bool frmMain_Form_Unload(frmMain& w)
{
    showPointer();
    // Only a save that happened lets the changes go; otherwise stay open.
    if (!settleUnsavedChanges(w))
        return false;
    finishUnload(w);
    return true;
}

void unloadWithoutQuestions(frmMain& w)
{
    showPointer();
    keepUnsavedDocument(w);
    finishUnload(w);
}

bool frmMain_SessionEnding(frmMain& w, bool mayAsk)
{
    if (mayAsk) {
        if (!settleUnsavedChanges(w))
            return false;
        // Saved or given up: the close that ends the session asks nothing more.
        w.document().setModified(false);
        return true;
    }
    // Nothing may be shown: the document waits for the next start instead.
    keepUnsavedDocument(w);
    return true;
}

} // namespace quorbell
