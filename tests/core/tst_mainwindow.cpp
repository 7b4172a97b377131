// The main window shell: menus, toolbar, image list, status bar, layout
// constants, the switching of commands, loading and closing the window.
#include "core/CommandState.h"
#include "core/ExitSignals.h"
#include "core/MainWindowHandlers.h"
#include "core/Paths.h"
#include "core/SettingsFile.h"
#include "core/StartupWindow.h"
#include "core/WindowSize.h"
#include "core/frmMain.h"

#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <csignal>

#include <sys/stat.h>

using namespace quorbell;

namespace {

QStringList captionsOf(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-")
                                 : a->objectName() + QLatin1Char('=') + a->text());
    return out;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menus();
    void toolbarAndImageList();
    void layoutConstants_data();
    void layoutConstants();
    void toolbarDispatch();
    void formLoadOnAFreshMachine();
    void formLoadWithCoverOff();
    void refusedSettingsFileAtStartAndExit_data();
    void refusedSettingsFileAtStartAndExit();
    void commandLineContainerPath_data();
    void commandLineContainerPath();
    void switchingIsIdempotent();
    void selectionAndGridItems();
    void exitWithUnsavedChanges_data();
    void exitWithUnsavedChanges();
    void signalRunsTheExit_data();
    void signalRunsTheExit();
    void ignoredSignalStaysIgnored();
    void sessionEnding_data();
    void sessionEnding();
    void windowSizes_data();
    void windowSizes();
    void startupPictureClosesFirst();
    void commentToggleShowsItsState();
};

void TestMainWindow::menus()
{
    frmMain w;
    const QList<QAction*> top = w.menuBar()->actions();
    QStringList titles;
    for (const QAction* a : top)
        titles << a->text();
    QCOMPARE(titles,
             (QStringList{"コンテナ(&C)", "編集(&E)", "表示(&V)", "設定(&O)", "ヘルプ(&H)"}));
    QCOMPARE(captionsOf(top[0]->menu()),
             (QStringList{"mnuContnrNew=新規作成(&N)", "mnuContnrOpen=開く(&O)",
                          "mnuContnrSave=上書き保存(&S)", "mnuContnrAdd=名前をつけて保存(&A)", "-",
                          "mnuContnrDelete=コンテナファイル削除(&D)",
                          "mnuAlbumDelete=アルバムファイル削除(&P)", "-",
                          "mnuContnrList=アルバムリスト(&L)", "mnuContnrInfo=プロパティ(&I)", "-",
                          "mnuContnrExit=終了(&X)"}));
    QCOMPARE(captionsOf(top[1]->menu()),
             (QStringList{
                 "mnuEditUndo=元に戻す(&U)", "mnuEditRedo=やり直し(&R)", "-",
                 "mnuEditCut=サムネイル切り取り(&T)", "mnuEditCopy=サムネイルコピー(&C)",
                 "mnuEditPut=サムネイル貼り付け(&P)", "mnuEditDelete=サムネイル削除(&D)", "-",
                 "mnuEditInsert=サムネイル追加(&I)", "-", "=サムネイルソート(&S)", "-",
                 "mnuEditRename=一括リネーミング(&R)", "-", "mnuAlbumMake=アルバムの作成(&A)...",
                 "mnuAlbumEdit=アルバムの編集(&E)...", "mnuPhotoExport=写真の書き出し(&X)..."}));
    QCOMPARE(
        captionsOf(w.action(Command::EditSort)->menu()),
        (QStringList{"mnuSortDateU=日付・昇順(&U)", "mnuSortDateL=日付・降順(&D)",
                     "mnuSortFileU=ファイル名・昇順(&F)", "mnuSortFileL=ファイル名・降順(&L)"}));
    QCOMPARE(captionsOf(top[2]->menu()),
             (QStringList{"mnuViewSlide=スライドショー(&S)", "mnuViewRandom=ランダム表示(&R)", "-",
                          "mnuViewCover=サムネイルカバー(&M)", "mnuViewComment=コメント表示(&C)"}));
    QCOMPARE(top[3]->objectName(), QStringLiteral("mnuOptionCondition"));
    QCOMPARE(captionsOf(top[4]->menu()),
             (QStringList{"mnuHelpIndex=トピックの検索(&I)", "mnuHelpVersion=バージョン情報(&V)"}));
    QCOMPARE(captionsOf(w.shortcutMenu()),
             (QStringList{"mnuMenuCut=サムネイル切り取り(&T)", "mnuMenuCopy=サムネイルコピー(&C)",
                          "mnuMenuPut=サムネイル貼り付け(&P)", "-",
                          "mnuMenuDelete=サムネイル削除(&D)", "-", "mnuMenuInfo=プロパティ(&I)",
                          "-", "mnuMenuAlbumMake=アルバムの作成(&A)...",
                          "mnuMenuAlbumEdit=アルバムの編集(&E)...",
                          "mnuMenuPhotoExport=写真の書き出し(&X)..."}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Quorbell"));
}

void TestMainWindow::toolbarAndImageList()
{
    frmMain w;
    QStringList keys, tips;
    for (QAction* a : w.toolbar()->actions()) {
        if (a->isSeparator())
            continue;
        keys << a->objectName();
        tips << a->toolTip();
        QVERIFY(!a->icon().isNull());
    }
    QCOMPARE(keys, (QStringList{"btnNew", "btnOpen", "btnSave", "btnCut", "btnCopy", "btnPut",
                                "btnDelete", "btnInsert", "btnRename", "btnSlide", "btnRandom",
                                "btnCover", "btnIndex"}));
    QCOMPARE(tips, (QStringList{"新規作成", "開く", "上書き保存", "サムネイル切り取り",
                                "サムネイルコピー", "サムネイル貼り付け", "サムネイル削除",
                                "サムネイル追加", "一括リネーミング", "スライドショー",
                                "ランダム表示", "サムネイルカバー", "索引"}));
    QCOMPARE(frmMain::imageKeys().size(), 23);
    QCOMPARE(frmMain::imageKeys().first(), QStringLiteral("imgNew"));
    QCOMPARE(frmMain::imageKeys().last(), QStringLiteral("imgIndex"));
    for (const QString& key : frmMain::imageKeys())
        QVERIFY2(!w.image(key).isNull(), qPrintable(key));
    // A greyed picture differs from the enabled one.
    QVERIFY(w.image("imgCut").pixmap(16).toImage() != w.image("imgNoCut").pixmap(16).toImage());
    QCOMPARE(w.findChildren<QStatusBar*>().size(), 1);
    for (int panel = 1; panel <= 3; ++panel) {
        w.setPanel(panel, QString::number(panel));
        QCOMPARE(w.panel(panel), QString::number(panel));
    }
}

void TestMainWindow::layoutConstants_data()
{
    QTest::addColumn<QSize>("client");
    QTest::newRow("800x600") << QSize(800, 560);
    QTest::newRow("1920x1000") << QSize(1920, 1000);
    QTest::newRow("small") << QSize(300, 200);
}

void TestMainWindow::layoutConstants()
{
    QFETCH(QSize, client);
    frmMain w;
    w.show();
    w.surface()->resize(client);
    w.applyLayout();
    const int h = w.clientHeight();
    const int wd = w.clientWidth();
    QCOMPARE(w.vScroll()->geometry(), QRect(wd - 16, 24, 16, h - 46));
    QCOMPARE(w.progressBar()->geometry().top(), h - Layout::StatusBarHeight + 4);
    QVERIFY(w.toolbar()->geometry().bottom() < Layout::FirstCellY);
}

void TestMainWindow::toolbarDispatch()
{
    frmMain w;
    QStringList ran;
    for (const QString& key : frmMain::buttonKeys()) {
        const std::optional<Command> command = toolbarCommandFor(key);
        QVERIFY(command);
        const QString name = QString::fromLatin1(commandDef(*command).name);
        w.setCommand(*command, [&ran, name] { ran << name; });
    }
    for (const QString& key : frmMain::buttonKeys())
        frmMain_Toolbar_ButtonClick(w, key);
    frmMain_Toolbar_ButtonClick(w, QStringLiteral("btnNothing"));
    QCOMPARE(ran, (QStringList{"mnuContnrNew", "mnuContnrOpen", "mnuContnrSave", "mnuEditCut",
                               "mnuEditCopy", "mnuEditPut", "mnuEditDelete", "mnuEditInsert",
                               "mnuEditRename", "mnuViewSlide", "mnuViewRandom", "mnuViewCover",
                               "mnuHelpIndex"}));
    // The shortcut menu runs the edit commands.
    w.setCommand(Command::ContnrInfo, [&ran] { ran << "info"; });
    w.shortcutItem(Command::EditCut)->trigger();
    w.shortcutItem(Command::ContnrInfo)->trigger();
    QCOMPARE(ran.mid(13), (QStringList{"mnuEditCut", "info"}));
}

void TestMainWindow::formLoadOnAFreshMachine()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    frmMain w;
    frmMain_Form_Load(w, QString());
    // The settings file exists now, exactly as a fresh installation writes it.
    QCOMPARE(readAll(env.settingsFile()), defaultSettingsFile());
    QCOMPARE(w.mode(), Mode::Empty);
    QCOMPARE(w.layout().cursorX, qint16(10));
    QCOMPARE(w.layout().cursorY, qint16(33));
    QCOMPARE(w.settings().pendingThumbSize, qint16(80));
    QVERIFY(w.screenSize().width() > 0 && w.screenSize().height() > 0);
    // Start: everything switched off but New, Open, Cover and Index.
    QCOMPARE(w.commandState(),
             quint16(0x1FFF & ~(Cmd::Save | Cmd::Cut | Cmd::Copy | Cmd::Paste | Cmd::Delete |
                                Cmd::Insert | Cmd::Rename | Cmd::Slide | Cmd::Random)));
    using C = Command;
    for (Command command : {C::ContnrSave, C::EditCut, C::EditCopy, C::EditPut, C::EditDelete,
                            C::EditInsert, C::EditRename, C::ViewSlide, C::ViewRandom}) {
        QVERIFY2(!w.button(command)->isEnabled(), commandDef(command).buttonKey);
        QVERIFY(w.buttonImage(command).startsWith("imgNo"));
    }
    for (Command command : {C::ContnrNew, C::ContnrOpen, C::ViewCover, C::HelpIndex})
        QVERIFY2(w.button(command)->isEnabled(), commandDef(command).buttonKey);
    for (Command command :
         {C::ContnrSave, C::ContnrAdd, C::ContnrDelete, C::AlbumDelete, C::ContnrList,
          C::ContnrInfo, C::EditPut, C::EditSort, C::ViewComment, C::AlbumEdit, C::PhotoExport})
        QVERIFY2(!w.action(command)->isEnabled(), commandDef(command).name);
    QVERIFY(!w.shortcutItem(C::EditPut)->isEnabled());
    QVERIFY(!w.shortcutItem(C::AlbumEdit)->isEnabled() &&
            !w.shortcutItem(C::PhotoExport)->isEnabled());
    QVERIFY(w.action(C::AlbumMake)->isEnabled() && w.shortcutItem(C::AlbumMake)->isEnabled());
    QVERIFY(!w.vScroll()->isVisible());
    QVERIFY(!w.progressBar()->isVisible());
    QVERIFY(prompts.asked().isEmpty());
}

void TestMainWindow::formLoadWithCoverOff()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QVERIFY(ensureSettingsFile());
    QFile f(env.settingsFile());
    QVERIFY(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    bytes.replace("optCover=True", "optCover=False");
    f.resize(0);
    f.write(bytes);
    f.close();
    frmMain w;
    frmMain_Form_Load(w, QString());
    QVERIFY(!w.button(Command::ViewCover)->isEnabled());
    QCOMPARE(w.buttonImage(Command::ViewCover), QStringLiteral("imgNoCover"));
    QVERIFY(!w.action(Command::ViewCover)->isEnabled());
    QCOMPARE(w.commandState() & Cmd::Cover, 0);
}

void TestMainWindow::refusedSettingsFileAtStartAndExit_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("link to /dev/zero") << "zero";
}

void TestMainWindow::refusedSettingsFileAtStartAndExit()
{
    QFETCH(QString, kind);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    const QString path = env.settingsFile();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    frmMain w;
    frmMain_Form_Load(w, QString());
    // The start goes on with every default, exactly as a fresh file holds them.
    Settings g = w.settings();
    g.coverImagePath.clear();
    g.windowHeightTwips = 600 * kTwipsPerPixel;
    g.windowWidthTwips = 800 * kTwipsPerPixel;
    QCOMPARE(buildSettingsFile(g), defaultSettingsFile());
    QVERIFY(frmMain_Form_Unload(w));
    // Neither the start nor the exit replaced what is at the path.
    const QFileInfo after(path);
    QCOMPARE(after.isSymLink(), kind == QLatin1String("zero"));
    QVERIFY(!after.isFile());
    QVERIFY(prompts.asked().isEmpty());
}

void TestMainWindow::commandLineContainerPath_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("path");
    QTest::newRow("quoted") << "\"/home/u/アルバム 1.cov\""
                            << "/home/u/アルバム 1.cov";
    QTest::newRow("plain") << "/home/u/a.cov"
                           << "/home/u/a.cov";
    QTest::newRow("none") << ""
                          << "";
}

void TestMainWindow::commandLineContainerPath()
{
    QFETCH(QString, argument);
    QFETCH(QString, path);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    frmMain w;
    QStringList opened;
    w.openContainerAtStart = [&opened](const QString& p) { opened << p; };
    frmMain_Form_Load(w, argument);
    QCOMPARE(w.document().containerPath(), path);
    QCOMPARE(opened, path.isEmpty() ? QStringList() : QStringList{path});
}

void TestMainWindow::switchingIsIdempotent()
{
    test::TestEnvironment env;
    frmMain w;
    w.setCommandState(Cmd::AtStart);
    int iconChanges = 0;
    connect(w.button(Command::EditCut), &QAction::changed, this, [&iconChanges] { ++iconChanges; });
    DisableSelectionItems(w);
    const quint16 once = w.commandState();
    const int changesOnce = iconChanges;
    QVERIFY(changesOnce > 0);
    DisableSelectionItems(w);
    QCOMPARE(w.commandState(), once);
    QCOMPARE(iconChanges, changesOnce); // the second call sets no picture
    QCOMPARE(w.buttonImage(Command::EditCut), QStringLiteral("imgNoCut"));
}

void TestMainWindow::selectionAndGridItems()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    frmMain w;
    frmMain_Form_Load(w, QString());
    // A grid built from album files: selecting never offers Insert.
    w.document().setGridSource(true);
    EnableGridItems(w);
    EnableSelectionItems(w);
    QVERIFY(w.button(Command::EditCut)->isEnabled());
    QVERIFY(w.button(Command::EditDelete)->isEnabled());
    QVERIFY(!w.button(Command::EditInsert)->isEnabled());
    QVERIFY(w.action(Command::AlbumDelete)->isEnabled());
    QVERIFY(w.button(Command::ViewSlide)->isEnabled());
    QVERIFY(w.action(Command::EditSort)->isEnabled());

    // After a cut (Paste on, Cut and Copy off) selecting keeps Cut and Copy off.
    DisableSelectionItems(w);
    switchButtonOn(w, Cmd::Paste);
    w.document().setGridSource(false);
    EnableSelectionItems(w);
    QVERIFY(!w.button(Command::EditCut)->isEnabled());
    QVERIFY(!w.button(Command::EditCopy)->isEnabled());
    QVERIFY(w.button(Command::EditInsert)->isEnabled());
    QVERIFY(w.shortcutItem(Command::EditDelete)->isEnabled());

    // Properties need a selected album, in both menus.
    DisableSelectionItems(w);
    EnableGridItems(w);
    QVERIFY(!w.action(Command::ContnrInfo)->isEnabled());
    QVERIFY(!w.shortcutItem(Command::ContnrInfo)->isEnabled());
    EnableSelectionItems(w);
    QVERIFY(w.action(Command::ContnrInfo)->isEnabled());
    QVERIFY(w.shortcutItem(Command::ContnrInfo)->isEnabled());

    DisableGridItems(w);
    QVERIFY(!w.button(Command::ViewSlide)->isEnabled());
    QVERIFY(!w.action(Command::ContnrInfo)->isEnabled());
    QVERIFY(!w.action(Command::AlbumDelete)->isEnabled());
}

void TestMainWindow::exitWithUnsavedChanges_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveSucceeds");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("saves");
    QTest::newRow("nothing to save") << false << int(MsgAnswer::No) << false << true << 0;
    QTest::newRow("no: changes dropped") << true << int(MsgAnswer::No) << false << true << 0;
    QTest::newRow("yes: saved") << true << int(MsgAnswer::Yes) << true << true << 1;
    QTest::newRow("yes: save cancelled, stays open")
        << true << int(MsgAnswer::Yes) << false << false << 1;
}

void TestMainWindow::exitWithUnsavedChanges()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, saveSucceeds);
    QFETCH(bool, closes);
    QFETCH(int, saves);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    frmMain w;
    frmMain_Form_Load(w, QString());
    w.resize(640, 480);
    w.show();
    w.document().setModified(modified);
    int saveCalls = 0;
    w.saveBeforeExit = [&] {
        ++saveCalls;
        return saveSucceeds;
    };
    prompts.answer(MsgAnswer(answer));
    w.runCommand(Command::ContnrExit);
    QCOMPARE(w.isVisible(), !closes);
    QCOMPARE(saveCalls, saves);
    if (modified) {
        QCOMPARE(prompts.messageTexts(),
                 QStringList{"ファイルが保存されていません。保存しますか？"});
        QCOMPARE(prompts.messageTitles(), QStringList{"終了処理"});
        QCOMPARE(prompts.asked().first().message.buttons, MsgButtons::YesNo);
        QCOMPARE(prompts.asked().first().message.icon, MsgIcon::Question);
    } else {
        QVERIFY(prompts.asked().isEmpty());
    }
    // The window size reaches the settings file only when the program closes.
    const QByteArray settings = readAll(env.settingsFile());
    QCOMPARE(settings.contains("frmWidth=" + QByteArray::number(w.width() * 15) + "\r\n"), closes);
}

void TestMainWindow::signalRunsTheExit_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("kept");
    QTest::newRow("TERM, nothing to keep") << int(SIGTERM) << false << false;
    QTest::newRow("TERM, unsaved changes kept") << int(SIGTERM) << true << true;
    QTest::newRow("INT, unsaved changes kept") << int(SIGINT) << true << true;
    QTest::newRow("HUP, keeping failed") << int(SIGHUP) << true << false;
}

void TestMainWindow::signalRunsTheExit()
{
    QFETCH(int, signalNumber);
    QFETCH(bool, modified);
    QFETCH(bool, kept);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    frmMain w;
    frmMain_Form_Load(w, QString());
    w.resize(700, 500);
    QTemporaryDir work;
    setWorkImageFilePath(work.filePath("temp.bmp"));
    QFile image(workImageFilePath());
    QVERIFY(image.open(QIODevice::WriteOnly) && image.write("BM") == 2);
    image.close();
    w.document().setModified(modified);
    int keepCalls = 0;
    w.keepForRecovery = [&] {
        ++keepCalls;
        return kept;
    };
    QWidget other;
    other.show();

    // The handler is installed over the default action, whatever the test
    // runner inherited.
    std::signal(signalNumber, SIG_DFL);
    ExitSignalWatcher watcher;
    int handled = 0;
    connect(&watcher, &ExitSignalWatcher::signalled, this, [&](int n) {
        handled = n;
        unloadWithoutQuestions(w);
    });
    QVERIFY(std::raise(signalNumber) == 0);
    QTRY_COMPARE(handled, signalNumber);
    QCOMPARE(ExitSignalWatcher::received(), signalNumber);

    QVERIFY(prompts.asked().isEmpty()); // no question, whatever the document
    QCOMPARE(keepCalls, modified ? 1 : 0);
    QCOMPARE(w.document().isModified(), modified && !kept);
    QVERIFY(!QFile::exists(workImageFilePath()));
    QVERIFY(!other.isVisible());
    const QByteArray settings = readAll(env.settingsFile());
    QVERIFY(settings.contains("frmWidth=10500\r\n"));
    QVERIFY(settings.contains("frmHeight=7500\r\n"));
}

void TestMainWindow::ignoredSignalStaysIgnored()
{
    // Started under nohup: a hangup is not the user asking to end.
    std::signal(SIGHUP, SIG_IGN);
    {
        ExitSignalWatcher watcher;
        QVERIFY(watcher.isWatching());
        int handled = 0;
        connect(&watcher, &ExitSignalWatcher::signalled, this, [&](int n) { handled = n; });
        QVERIFY(std::raise(SIGHUP) == 0);
        QCoreApplication::processEvents();
        QCOMPARE(handled, 0);
        QCOMPARE(ExitSignalWatcher::received(), 0);
    }
    std::signal(SIGHUP, SIG_DFL);
}

void TestMainWindow::sessionEnding_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("mayAsk");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveSucceeds");
    QTest::addColumn<bool>("mayEnd");
    QTest::addColumn<int>("saves");
    QTest::addColumn<int>("keeps");
    QTest::newRow("nothing to save")
        << false << true << int(MsgAnswer::No) << false << true << 0 << 0;
    QTest::newRow("no: changes given up")
        << true << true << int(MsgAnswer::No) << false << true << 0 << 0;
    QTest::newRow("yes: saved") << true << true << int(MsgAnswer::Yes) << true << true << 1 << 0;
    QTest::newRow("yes: save cancelled, the session waits")
        << true << true << int(MsgAnswer::Yes) << false << false << 1 << 0;
    QTest::newRow("no question allowed: kept for the next start")
        << true << false << int(MsgAnswer::No) << false << true << 0 << 1;
}

void TestMainWindow::sessionEnding()
{
    QFETCH(bool, modified);
    QFETCH(bool, mayAsk);
    QFETCH(int, answer);
    QFETCH(bool, saveSucceeds);
    QFETCH(bool, mayEnd);
    QFETCH(int, saves);
    QFETCH(int, keeps);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    frmMain w;
    frmMain_Form_Load(w, QString());
    w.document().setModified(modified);
    int saveCalls = 0, keepCalls = 0;
    w.saveBeforeExit = [&] {
        ++saveCalls;
        if (saveSucceeds)
            w.document().setModified(false);
        return saveSucceeds;
    };
    w.keepForRecovery = [&] {
        ++keepCalls;
        return true;
    };
    prompts.answer(MsgAnswer(answer));
    QCOMPARE(frmMain_SessionEnding(w, mayAsk), mayEnd);
    QCOMPARE(saveCalls, saves);
    QCOMPARE(keepCalls, keeps);
    QCOMPARE(prompts.messageTexts(),
             modified && mayAsk ? QStringList{"ファイルが保存されていません。保存しますか？"}
                                : QStringList());
    // The window's close that ends the session asks nothing more, unless the
    // session was told to wait.
    prompts.clear();
    w.close();
    QCOMPARE(prompts.asked().size(), mayEnd ? 0 : 1);
}

void TestMainWindow::windowSizes_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QSize>("available");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QSize>("opened");
    QTest::addColumn<QSize>("current");
    QTest::addColumn<QSize>("recorded");
    // Scale factor 2 on a 1920x1080 screen: 960x540 device-independent pixels.
    QTest::newRow("held back by the screen, left alone")
        << QSize(800, 600) << QSize(960, 540) << QSize(2, 30) << QSize(800, 510) << QSize(800, 510)
        << QSize(800, 600);
    QTest::newRow("held back further by the window manager")
        << QSize(800, 600) << QSize(960, 540) << QSize(0, 0) << QSize(800, 540) << QSize(800, 515)
        << QSize(800, 515);
    QTest::newRow("held back, window as large as the screen lets it be")
        << QSize(1000, 700) << QSize(960, 540) << QSize(2, 20) << QSize(958, 520) << QSize(958, 520)
        << QSize(1000, 700);
    QTest::newRow("made smaller by the user")
        << QSize(800, 600) << QSize(960, 540) << QSize(2, 30) << QSize(800, 510) << QSize(700, 400)
        << QSize(700, 400);
    QTest::newRow("made larger by the user")
        << QSize(800, 600) << QSize(1920, 1080) << QSize(2, 30) << QSize(800, 600)
        << QSize(1000, 700) << QSize(1000, 700);
    QTest::newRow("fits: the window's own size")
        << QSize(640, 480) << QSize(1920, 1080) << QSize(2, 30) << QSize(640, 480)
        << QSize(640, 480) << QSize(640, 480);
    QTest::newRow("below the smallest window")
        << QSize(100, 50) << QSize(1920, 1080) << QSize(0, 0) << QSize(320, 240) << QSize(320, 240)
        << QSize(320, 240);
    QTest::newRow("no stored size") << QSize(0, 0) << QSize(960, 540) << QSize(0, 0)
                                    << QSize(320, 240) << QSize(500, 400) << QSize(500, 400);
}

void TestMainWindow::windowSizes()
{
    QFETCH(QSize, stored);
    QFETCH(QSize, available);
    QFETCH(QSize, frame);
    QFETCH(QSize, opened);
    QFETCH(QSize, current);
    QFETCH(QSize, recorded);
    if (stored.isValid() && !stored.isEmpty())
        QCOMPARE(windowSizeToOpen(stored, available, frame), opened);
    QVERIFY(opened.width() + frame.width() <= available.width());
    QVERIFY(opened.height() + frame.height() <= available.height());
    QCOMPARE(windowSizeToRecord(stored, opened, current, available, frame), recorded);
}

void TestMainWindow::startupPictureClosesFirst()
{
    // Whatever runs after the picture (a message at start) finds it closed.
    QPointer<StartupWindow> startup = new StartupWindow(QImage());
    bool ran = false, visibleThen = true;
    startup->showFor(0, [&] {
        ran = true;
        visibleThen = startup && startup->isVisible();
    });
    QTRY_VERIFY(ran);
    QVERIFY(!visibleThen);
}

void TestMainWindow::commentToggleShowsItsState()
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    frmMain w;
    QAction* item = w.action(Command::ViewComment);
    QVERIFY(item->isCheckable());
    QMenu* view = w.findChild<QMenu*>("mnuView");
    QVERIFY(view);
    // The command flips the toggle only over a shown grid.
    bool gridShown = false;
    w.setCommand(Command::ViewComment, [&] {
        if (gridShown)
            w.setCommentToggle(!w.commentToggle());
    });
    for (const bool setting : {false, true}) {
        w.settings().set(Flag::CommentDefault, setting);
        w.setCommentToggle(false);
        Q_EMIT view->aboutToShow();
        QCOMPARE(item->isChecked(), setting);
        gridShown = true;
        item->trigger();
        QCOMPARE(item->isChecked(), !setting);
        gridShown = false;
        item->trigger(); // does nothing: the mark stays
        QCOMPARE(item->isChecked(), !setting);
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
