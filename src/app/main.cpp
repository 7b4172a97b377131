// The program: start-up window, then the main window with every command wired.
#include "app/QtPrompts.h"
#include "app/Wiring.h"
#include "core/GlobalState.h"
#include "core/MainWindowHandlers.h"
#include "core/Paths.h"
#include "core/StartupWindow.h"
#include "core/Version.h"
#include "core/frmMain.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

using namespace quorbell;

namespace {

void installJapaneseTranslations(QApplication& app)
{
    // Qt's own buttons and dialogs (Yes/No, file dialogs) in Japanese.
    auto* qtTranslator = new QTranslator(&app);
    if (qtTranslator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTranslator);
}

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

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    QApplication::setDesktopFileName(QStringLiteral("io.github.quorbell.Quorbell"));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("io.github.quorbell.Quorbell"),
        QIcon(dataFolder() +
              QStringLiteral("../icons/hicolor/256x256/apps/io.github.quorbell.Quorbell.png"))));
    installJapaneseTranslations(app);
    useJapaneseFont();

    GlobalState& g = stdGlobal();
    g.flags = 0;
    WorkFolder work;
    g.tempFolder = work.path();
    g.workImageFile = work.isValid() ? work.workImageFile() : QString();

    // The whole argument text names a container; one pair of quotes is removed.
    const QStringList args = QApplication::arguments().mid(1);
    const QString commandLinePath = args.join(QLatin1Char(' '));

    QtPrompts dialogs;
    setPrompts(&dialogs);
    auto* startup =
        new StartupWindow(readStartupPicture(dataFolder() + QString::fromLatin1(kImageBmpName)));
    startup->show();
    // The main window is built while the start-up picture shows, and appears after it.
    auto mainWindow = std::make_unique<frmMain>();
    dialogs.setOwner(mainWindow.get());
    wireCommands(*mainWindow);
    startup->showFor(1000, [&] {
        mainWindow->show();
        frmMain_Form_Load(*mainWindow, commandLinePath);
    });

    const int rc = QApplication::exec();
    mainWindow.reset();
    setPrompts(nullptr);
    return rc;
}
