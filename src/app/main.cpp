// The program: start-up window, then the main window with every command wired.
#include "app/QtPrompts.h"
#include "app/Wiring.h"
#include "container/RecoveryCommands.h"
#include "core/ExitSignals.h"
#include "core/MainWindowHandlers.h"
#include "core/Paths.h"
#include "core/StartupWindow.h"
#include "core/UiLanguage.h"
#include "core/Version.h"
#include "core/frmMain.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QLocale>
#include <QSessionManager>

#include <cstdio>
#include <memory>

using namespace quorbell;

namespace {

void useJapaneseFont()
{
    // A Japanese face for every widget, so text never falls back to boxes.
    for (const char* family : {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            QFont f(QString::fromLatin1(family));
            f.setPointSize(9);
            QApplication::setFont(f);
            return;
        }
    }
}

// The program's whole run; the signal that ended it, or 0 after an ordinary
// exit, goes to `endedBy`.
int run(int argc, char* argv[], int& endedBy)
{
    QApplication app(argc, argv);
    // Signals are caught from the start; they are acted on in the event loop.
    ExitSignalWatcher exitSignals;
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    QApplication::setDesktopFileName(QStringLiteral("io.github.quorbell.Quorbell"));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("io.github.quorbell.Quorbell"),
        QIcon(dataFolder() +
              QStringLiteral("../icons/hicolor/256x256/apps/io.github.quorbell.Quorbell.png"))));
    // A leading "--lang ja|en" chooses the language; the rest names a container.
    const StartArguments start = parseStartArguments(QApplication::arguments().mid(1));
    if (!start.error.isEmpty()) {
        std::fprintf(stderr, "quorbell: %s\n", qPrintable(start.error));
        return 2;
    }
    installUiLanguage(
        app, start.language.value_or(uiLanguageForLocale(QLocale::system().uiLanguages())));
    useJapaneseFont();

    WorkFolder work;
    setWorkImageFilePath(work.isValid() ? work.workImageFile() : QString());

    // The whole argument text names a container; one pair of quotes is removed.
    const QString commandLinePath = start.rest.join(QLatin1Char(' '));

    QtPrompts dialogs;
    setPrompts(&dialogs);
    auto* startup =
        new StartupWindow(readStartupPicture(dataFolder() + QString::fromLatin1(kImageBmpName)));
    startup->show();
    // The main window is built while the start-up picture shows, and appears after it.
    auto mainWindow = std::make_unique<frmMain>();
    dialogs.setOwner(mainWindow.get());
    wireCommands(*mainWindow);
    mainWindow->offerRecoveryAtStart = [w = mainWindow.get()] { return offerRecovery(*w); };
    bool loaded = false;
    startup->showFor(1000, [&] {
        loaded = true;
        frmMain_Form_Load(*mainWindow, commandLinePath);
    });

    // Told to end: the exit runs without questions, unsaved changes are kept
    // for the next start, and every loop, modal ones included, comes to an end.
    QObject::connect(&exitSignals, &ExitSignalWatcher::signalled, &app, [&](int signalNumber) {
        if (endedBy != 0)
            return;
        endedBy = signalNumber;
        if (loaded)
            unloadWithoutQuestions(*mainWindow);
        QApplication::exit(0);
    });
    // Logging out asks about unsaved changes as closing the window does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [&](QSessionManager& session) {
                         if (!loaded)
                             return;
                         const bool mayAsk = session.allowsInteraction();
                         const bool mayEnd = frmMain_SessionEnding(*mainWindow, mayAsk);
                         if (mayAsk)
                             session.release();
                         if (!mayEnd)
                             session.cancel();
                     });

    const int rc = QApplication::exec();
    mainWindow.reset();
    setPrompts(nullptr);
    return rc;
}

} // namespace

int main(int argc, char* argv[])
{
    int endedBy = 0;
    const int rc = run(argc, argv, endedBy);
    // Everything is cleaned up (the work folder too); the signal now takes
    // its ordinary course, so whoever sent it sees the program end by it.
    if (endedBy != 0)
        ExitSignalWatcher::endBySignal(endedBy);
    return rc;
}
