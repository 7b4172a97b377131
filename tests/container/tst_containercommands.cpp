// The container commands on a real main window with real files: Open with
// every password form, refused files that change nothing, Save and Save As
// (folder question, failed writes, texts that cannot be stored), the save at
// exit, the command line, the clipboard edits and adding thumbnails, and the
// switching of commands after each of them.
#include "container/ClipboardCommands.h"
#include "container/ContainerCommands.h"
#include "container/InsertCommand.h"
#include "container/RecoveryCommands.h"
#include "container/RecoveryStore.h"
#include "core/BinaryIO.h"
#include "core/CommandState.h"
#include "core/FileIO.h"
#include "core/MainWindowHandlers.h"
#include "core/SettingsFile.h"
#include "core/ThumbnailFormat.h"
#include "core/frmMain.h"
#include "grid/GridCommands.h"
#include "grid/GridDrawing.h"
#include "grid/GridInput.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"

#include "AlbumMaker.h"
#include "ContainerMaker.h"
#include "GridFixture.h"
#include "SamplePhotos.h"
#include "ScratchFileSystem.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"
#include "Unprivileged.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <unistd.h>

using namespace quorbell;

namespace {

const QString kNotAContainer = QStringLiteral("不正なファイルです。\r\n");
const QString kCannotSave = QStringLiteral("ファイルを保存できませんでした。\r\n");
const QString kCancelled = QStringLiteral("<cancel>");

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray sampleBytes(int count, std::optional<QString> password = std::nullopt)
{
    tools::SampleOptions o;
    o.count = count;
    o.password = password;
    return tools::assembleContainer(tools::sampleContainer(o));
}

void writeAlbum(const QString& path, const QString& password = QString(), quint32 seed = 1)
{
    tools::AlbumSpec albumSpec;
    if (!password.isNull())
        albumSpec.password = storedPasswordForm(password);
    const QByteArray jpeg = tools::makeSamplePhoto(QSize(160, 120), seed, tools::PhotoFormat::Jpeg);
    albumSpec.photos.append(*tools::photoFromBytes(QStringLiteral("IMG0001.JPG"), jpeg));
    QVERIFY(writeFileAtomically(path, tools::buildAlbum(albumSpec)->bytes));
}

QStringList namesOf(const QList<AlbumEntry>& albums)
{
    QStringList out;
    for (const AlbumEntry& a : albums)
        out << a.fileName;
    return out;
}

bool sameEntries(const QList<AlbumEntry>& a, const QList<AlbumEntry>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        const AlbumEntry& x = a.at(i);
        const AlbumEntry& y = b.at(i);
        if (x.fileName != y.fileName || x.comment != y.comment || x.thumbSize != y.thumbSize ||
            x.fileSize != y.fileSize || !(x.fileDate == y.fileDate) ||
            x.thumbnail.convertToFormat(QImage::Format_RGB32) !=
                y.thumbnail.convertToFormat(QImage::Format_RGB32)) {
            qWarning("entry %d differs: %s / %s", i, qPrintable(x.fileName),
                     qPrintable(y.fileName));
            return false;
        }
    }
    return true;
}

// A main window with every grid and container command, in a private
// configuration, home and trash.
struct Session
{
    QTemporaryDir home;
    QByteArray oldHome = qgetenv("HOME");
    QByteArray oldData = qgetenv("XDG_DATA_HOME");
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    std::unique_ptr<frmMain> w;
    QTemporaryDir dir;

    // With `settings`, the settings file holds those bytes when the window loads.
    explicit Session(const std::optional<QByteArray>& settings = std::nullopt)
    {
        qputenv("HOME", home.path().toLocal8Bit());
        const QString data = home.path() + QStringLiteral("/.local/share");
        QDir().mkpath(data);
        qputenv("XDG_DATA_HOME", data.toLocal8Bit());
        if (settings) {
            QDir().mkpath(QFileInfo(env.settingsFile()).absolutePath());
            writeBytes(env.settingsFile(), *settings);
        }
        w = test::makeWindow(QSize(640, 480));
        registerGridCommands(*w);
        registerContainerCommands(*w);
        frmMain_Form_Load(*w, QString());
        if (!settings) {
            w->settings().pendingThumbSize = 80;
            w->settings().pendingComment = *commentMetricsFor(80);
        }
    }
    ~Session()
    {
        w.reset();
        qputenv("HOME", oldHome);
        if (oldData.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", oldData);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString trashed(const QString& name) const
    {
        return home.path() + QStringLiteral("/.local/share/Trash/files/") + name;
    }

    bool waitShown() const
    {
        return QTest::qWaitFor([this] { return w->mode() == Mode::Shown; }, 20000);
    }
    // Insert returns at once; the loading loop reads the albums.
    bool waitInserted() const
    {
        return QTest::qWaitFor([this] { return w->mode() == Mode::Selected; }, 20000);
    }
    // Opens a container without going through the file dialog.
    bool open(const QString& path) { return ReadContainer(*w, path) && waitShown(); }
    bool newGrid(const QStringList& names)
    {
        if (!acceptNewDocument(*w, {folder(), names, false}))
            return false;
        frmMain_Form_Activate(*w);
        return waitShown();
    }
    void select(int index)
    {
        const qint32 pos = w->document().entry(index).cellPos;
        frmMain_Form_MouseDown(*w, Qt::LeftButton, pairHigh(pos) + 5, pairLow(pos) + 5);
    }
    bool enabled(Command command) const { return w->button(command)->isEnabled(); }
    bool menuEnabled(Command command) const { return w->action(command)->isEnabled(); }
    bool shortcutEnabled(Command command) const { return w->shortcutItem(command)->isEnabled(); }
};

} // namespace

class TestContainerCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadingKeepsTheNewestRowInView();
    void escapeWhileOpening();
    void openWithPasswordForms_data();
    void openWithPasswordForms();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void saveAsAsksInAnotherFolder();
    void saveAsWithPassword();
    void newAndSaveAsWithAnUnusableSettingsFile_data();
    void newAndSaveAsWithAnUnusableSettingsFile();
    void failedWriteKeepsFileAndFlag_data();
    void failedWriteKeepsFileAndFlag();
    void unstorableTextIsRefused();
    void saveMessages();
    void editSaveAndReopen();
    void commandSwitching();
    void clipboardRules();
    void pasteKeepsAPictureThatFits_data();
    void pasteKeepsAPictureThatFits();
    void deleteMovesViewUp_data();
    void deleteMovesViewUp();
    void insertAbandonedHalfWay();
    void insertRefusals();
    void deleteContainerFile();
    void deleteAlbumFile();
    void unsavedChangesAtExitAndOpen();
    void commandLine();
    void keptDocumentIsOffered_data();
    void keptDocumentIsOffered();
};

void TestContainerCommands::loadingKeepsTheNewestRowInView()
{
    Session s;
    writeBytes(s.path("big.cov"), sampleBytes(4000)); // every 7th entry hidden
    // After every step the picture and the layout cursor are what a redraw of
    // the view from scratch gives, and the newest visible entry is in view.
    int steps = 0, mismatches = 0;
    QObject::connect(s.w->intTimer(), &QTimer::timeout, s.w.get(), [&] {
        if (s.w->mode() != Mode::Loading || s.w->document().loadIndex() == 0)
            return;
        ++steps;
        const QImage shown = s.w->surface()->canvas().copy();
        const qint16 x = s.w->layout().cursorX, y = s.w->layout().cursorY,
                     cells = s.w->layout().cellsInRow;
        int newest = s.w->document().loadIndex() - 1;
        while (newest > 0 && s.w->document().entry(newest).isHidden())
            --newest;
        RedrawGrid(*s.w, s.w->layout().firstDrawnIndex, s.w->document().loadIndex() - 1);
        if (s.w->surface()->canvas() != shown || s.w->layout().cursorX != x ||
            s.w->layout().cursorY != y || s.w->layout().cellsInRow != cells ||
            s.w->layout().lastDrawnIndex != newest)
            ++mismatches;
    });
    QVERIFY(s.open(s.path("big.cov")));
    QVERIFY(steps > 0);
    QCOMPARE(mismatches, 0);
    QCOMPARE(s.w->document().hiddenCount(), qint16(571));
    QCOMPARE(s.w->panel(1), QStringLiteral("表示アルバム数： 3429"));
    QCOMPARE(s.w->layout().firstDrawnIndex, qint16(0));
    QVERIFY(s.w->vScroll()->isVisible());
    QVERIFY(!s.w->progressBar()->isVisible());
    for (const AlbumEntry& a : s.w->document().entries())
        QVERIFY(!a.thumbnail.isNull());
}

void TestContainerCommands::escapeWhileOpening()
{
    Session s;
    writeBytes(s.path("big.cov"), sampleBytes(3000));
    int stoppedAt = -1;
    QObject::connect(s.w->intTimer(), &QTimer::timeout, s.w.get(), [&] {
        if (stoppedAt < 0 && s.w->mode() == Mode::Loading && s.w->document().loadIndex() > 0) {
            frmMain_Form_KeyPress(*s.w, 27);
            stoppedAt = s.w->document().loadIndex();
        }
    });
    QVERIFY(ReadContainer(*s.w, s.path("big.cov")));
    QTRY_VERIFY_WITH_TIMEOUT(stoppedAt >= 0, 20000);
    QTest::qWait(200); // work in flight is dropped
    QCOMPARE(s.w->mode(), Mode::Empty);
    QCOMPARE(int(s.w->document().loadIndex()), stoppedAt);
    QCOMPARE(s.prompts.messageTitles(), QStringList{"アボート処理"});
    // Another container opens normally afterwards.
    writeBytes(s.path("small.cov"), sampleBytes(2));
    QVERIFY(s.open(s.path("small.cov")));
    QCOMPARE(s.w->document().albumCount(), qint16(2));
}

void TestContainerCommands::openWithPasswordForms_data()
{
    QTest::addColumn<QString>("stored"); // null: no password
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("mismatches");

    QTest::newRow("none") << QString() << QStringList{} << true << 0;
    QTest::newRow("empty password") << QString("") << QStringList{""} << true << 0;
    QTest::newRow("short") << QString("ab") << QStringList{"ab"} << true << 0;
    QTest::newRow("nine characters typed")
        << QString("abcdefgh") << QStringList{"abcdefghi"} << true << 0;
    QTest::newRow("wrong then right") << QString("ab") << QStringList{"zz", "ab"} << true << 1;
    QTest::newRow("empty entry for a password")
        << QString("ab") << QStringList{"", kCancelled} << false << 1;
    QTest::newRow("cancel") << QString("ab") << QStringList{kCancelled} << false << 0;
}

void TestContainerCommands::openWithPasswordForms()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, typed);
    QFETCH(bool, opens);
    QFETCH(int, mismatches);

    Session s;
    writeBytes(s.path("before.cov"), sampleBytes(3));
    QVERIFY(s.open(s.path("before.cov")));
    const QList<AlbumEntry> before = s.w->document().entries();
    const std::optional<QString> password = stored.isNull() ? std::nullopt : std::optional(stored);
    writeBytes(s.path("p.cov"), sampleBytes(5, password));

    s.prompts.answerText(s.path("p.cov"));
    for (const QString& t : typed) {
        if (t == kCancelled) {
            s.prompts.cancel();
            continue;
        }
        s.prompts.answerText(t);
        if (!passwordMatches(storedPasswordForm(stored), storedPasswordForm(t)))
            s.prompts.answer(MsgAnswer::Ok); // the mismatch warning
    }
    frmMain_mnuContnrOpen_Click(*s.w);

    int passwordPrompts = 0, openDialogs = 0;
    for (const test::Asked& a : s.prompts.asked()) {
        if (a.kind == test::Asked::Kind::Password) {
            ++passwordPrompts;
            QCOMPARE(a.password.kind, PasswordKind::Container);
            QVERIFY(a.password.masked);
        }
        openDialogs += a.kind == test::Asked::Kind::OpenFile ? 1 : 0;
    }
    QCOMPARE(passwordPrompts, int(typed.size()));
    QCOMPARE(s.prompts.messageTexts(),
             QStringList(mismatches, "パスワードが一致しません。\r\n" + s.path("p.cov")));
    QCOMPARE(s.prompts.messageTitles(), QStringList(mismatches, "開く"));
    if (opens) {
        QCOMPARE(openDialogs, 1);
        QVERIFY(s.waitShown());
        QCOMPARE(s.w->document().containerPath(), s.path("p.cov"));
        QCOMPARE(s.w->windowTitle(), QStringLiteral("p.cov - Quorbell"));
        QCOMPARE(s.w->document().albumCount(), qint16(5));
        QCOMPARE(passwordToBytes(s.w->document().containerPassword()),
                 password ? passwordToBytes(storedPasswordForm(*password)) : QByteArray(8, '\0'));
        // Saving keeps the password form as it was read.
        QVERIFY(frmMain_mnuContnrSave_Click(*s.w));
        QCOMPARE(fileBytes(s.path("p.cov")).mid(15, 8),
                 passwordToBytes(s.w->document().containerPassword()));
    } else {
        // A cancelled prompt brings the open dialog back; the old document stays.
        QCOMPARE(openDialogs, 2);
        QCOMPARE(s.w->document().containerPath(), s.path("before.cov"));
        QCOMPARE(s.w->windowTitle(), QStringLiteral("before.cov - Quorbell"));
        QCOMPARE(s.w->document().albumFolder(), s.folder());
        QVERIFY(sameEntries(s.w->document().entries(), before));
        QCOMPARE(s.w->mode(), Mode::Shown);
    }
}

void TestContainerCommands::refusedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty with makeFolder false: no file at all
    QTest::addColumn<bool>("makeFolder");
    QTest::addColumn<QString>("message");

    const QByteArray good = sampleBytes(6);
    QByteArray badMagic = good;
    badMagic[10] = 'x';
    QByteArray negativeCount = good;
    negativeCount[23] = char(0xFF);
    negativeCount[24] = char(0xFF);
    QByteArray hugeCount = good;
    hugeCount[23] = char(0xFF);
    hugeCount[24] = char(0x7F);
    QByteArray badCell = good;
    badCell[25] = 81;
    QTest::newRow("wrong magic") << badMagic << false << kNotAContainer;
    QTest::newRow("truncated") << good.left(good.size() / 2) << false << kNotAContainer;
    QTest::newRow("ends inside the dates")
        << good.left(good.size() - 40) << false << kNotAContainer;
    QTest::newRow("negative count") << negativeCount << false << kNotAContainer;
    QTest::newRow("count beyond the file") << hugeCount << false << kNotAContainer;
    QTest::newRow("unknown cell size") << badCell << false << kNotAContainer;
    QTest::newRow("empty file") << QByteArray("") << false << kNotAContainer;
    QTest::newRow("missing") << QByteArray() << false
                             << QStringLiteral("ファイルが見つかりません。\r\n");
    QTest::newRow("folder") << QByteArray() << true
                            << QStringLiteral("ファイルを読み込めませんでした。\r\n");
}

void TestContainerCommands::refusedFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, makeFolder);
    QFETCH(QString, message);

    Session s;
    writeBytes(s.path("good.cov"), sampleBytes(4));
    QVERIFY(s.open(s.path("good.cov")));
    frmMain_mnuEditDelete_Click(*s.w); // nothing selected: no change
    s.select(0);
    frmMain_mnuEditDelete_Click(*s.w);
    QVERIFY(s.w->document().isModified());
    const QList<AlbumEntry> before = s.w->document().entries();
    const QString panel1 = s.w->panel(1);

    const QString bad = s.path("bad.cov");
    if (makeFolder)
        QVERIFY(QDir(s.dir.path()).mkdir("bad.cov"));
    else if (!bytes.isNull())
        writeBytes(bad, bytes);
    // Keep the changes unsaved; the refused file brings the dialog back; cancel it.
    s.prompts.answer(MsgAnswer::No).answerText(bad).answer(MsgAnswer::Ok);
    frmMain_mnuContnrOpen_Click(*s.w);

    const QStringList texts = s.prompts.messageTexts();
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts.at(1).startsWith(message + bad), qPrintable(texts.at(1)));
    QCOMPARE(s.prompts.messageTitles().at(1), QStringLiteral("開く"));
    QCOMPARE(s.prompts.asked().last().kind, test::Asked::Kind::OpenFile);
    QCOMPARE(s.w->document().containerPath(), s.path("good.cov"));
    QCOMPARE(s.w->windowTitle(), QStringLiteral("good.cov - Quorbell"));
    QCOMPARE(s.w->document().albumFolder(), s.folder());
    QVERIFY(sameEntries(s.w->document().entries(), before));
    QCOMPARE(s.w->mode(), Mode::Shown);
    QVERIFY(s.w->document().isModified());
    QCOMPARE(s.w->panel(1), panel1);
}

void TestContainerCommands::saveAsAsksInAnotherFolder()
{
    Session s;
    writeAlbum(s.path("a.sld"));
    writeAlbum(s.path("b.sld"), QString(), 2);
    QVERIFY(s.newGrid({"a.sld", "b.sld"}));
    QVERIFY(s.w->document().isGridSource());
    QVERIFY(!s.enabled(Command::ContnrSave));
    QVERIFY(QDir(s.dir.path()).mkdir("other"));
    const QString elsewhere = s.path("other/x");

    // Another folder: the question, without a beep; No saves nothing.
    s.prompts.answerText(elsewhere).answer(MsgAnswer::No);
    QVERIFY(!frmMain_mnuContnrAdd_Click(*s.w));
    QCOMPARE(s.prompts.asked().size(), 2);
    const MessageRequest question = s.prompts.asked().at(1).message;
    QCOMPARE(question.text,
             QStringLiteral("アルバムのフォルダと「名前をつけて保存」のフォルダが異なります。\r\n"
                            "アルバムのフォルダ：") +
                 s.folder() + QStringLiteral("\r\n「名前をつけて保存」のフォルダ：") +
                 s.path("other/") +
                 QStringLiteral("\r\n\r\nスライドショーを行うには、フォルダを一致させる必要があり"
                                "ます。\r\nこのまま保存しますか？"));
    QCOMPARE(question.title, QStringLiteral("名前をつけて保存"));
    QCOMPARE(question.icon, MsgIcon::Question);
    QCOMPARE(question.buttons, MsgButtons::YesNo);
    QVERIFY(!question.beep);
    QVERIFY(!QFile::exists(elsewhere));
    QVERIFY(s.w->document().isGridSource());
    QVERIFY(s.w->document().isModified());

    // Yes writes it (the dialog appends "cov"; the scripted answer carries it).
    s.prompts.clear();
    s.prompts.answerText(elsewhere + ".cov").answer(MsgAnswer::Yes);
    QVERIFY(frmMain_mnuContnrAdd_Click(*s.w));
    QCOMPARE(s.prompts.asked().at(0).file.defaultSuffix, QStringLiteral("cov"));
    QCOMPARE(s.w->windowTitle(), QStringLiteral("x.cov - Quorbell"));
    QCOMPARE(s.w->document().containerPath(), elsewhere + ".cov");
    QVERIFY(!s.w->document().isGridSource());
    QVERIFY(!s.w->document().isModified());
    QVERIFY(s.enabled(Command::ContnrSave) && s.enabled(Command::EditRename));
    QVERIFY(s.menuEnabled(Command::ContnrSave) && s.menuEnabled(Command::ContnrDelete));
    QVERIFY(!s.w->progressBar()->isVisible());
    QCOMPARE(s.w->settings().containerFolder, s.path("other/"));
    const QString settings = QString::fromLatin1(fileBytes(s.env.settingsFile()));
    QVERIFY2(settings.contains("dlgAdd=" + s.path("other/") + "\r\n"), qPrintable(settings));
    QVERIFY(settings.contains("dlgNew=" + s.folder() + "\r\n"));

    // The albums are still in the first folder: saved as again beside the
    // container, the question comes again, as for any grid.
    s.prompts.clear();
    s.prompts.answerText(s.path("other/y.cov")).answer(MsgAnswer::Yes);
    QVERIFY(frmMain_mnuContnrAdd_Click(*s.w));
    QCOMPARE(s.prompts.messageTexts(), QStringList{question.text});
    QVERIFY(s.open(s.path("other/y.cov")));
    QCOMPARE(namesOf(s.w->document().entries()), (QStringList{"a.sld", "b.sld"}));
}

void TestContainerCommands::saveAsWithPassword()
{
    Session s;
    writeBytes(s.path("p.cov"), sampleBytes(3, QString("old")));
    s.prompts.answerText("old");
    QVERIFY(s.open(s.path("p.cov")));
    s.w->settings().set(Flag::PasswordSetting);

    // An empty entry asks again; Cancel saves nothing and keeps the old password.
    s.prompts.clear();
    s.prompts.answerText("").answer(MsgAnswer::Ok).cancel();
    QVERIFY(!frmMain_mnuContnrAdd_Click(*s.w));
    QCOMPARE(s.prompts.messageTexts(), QStringList{"パスワードを指定してください。"});
    QCOMPARE(s.prompts.asked().at(0).password.kind, PasswordKind::Container);
    QVERIFY(!s.prompts.asked().at(0).password.masked);
    QCOMPARE(passwordToBytes(s.w->document().containerPassword()),
             passwordToBytes(storedPasswordForm("old")));

    // A password chosen but the file dialog cancelled: the old password stays too.
    s.prompts.clear();
    s.prompts.answerText("new");
    QVERIFY(!frmMain_mnuContnrAdd_Click(*s.w));
    QCOMPARE(passwordToBytes(s.w->document().containerPassword()),
             passwordToBytes(storedPasswordForm("old")));

    s.prompts.clear();
    s.prompts.answerText("new").answerText(s.path("q.cov"));
    QVERIFY(frmMain_mnuContnrAdd_Click(*s.w));
    QCOMPARE(fileBytes(s.path("q.cov")).mid(15, 8), passwordToBytes(storedPasswordForm("new")));

    // With the setting off a protected document is written without password.
    s.w->settings().clear(Flag::PasswordSetting);
    s.prompts.clear();
    s.prompts.answerText(s.path("r.cov"));
    QVERIFY(frmMain_mnuContnrAdd_Click(*s.w));
    QCOMPARE(fileBytes(s.path("r.cov")).mid(15, 8), QByteArray(8, '\0'));
    QCOMPARE(fileBytes(s.path("p.cov")).mid(15, 8), passwordToBytes(storedPasswordForm("old")));
}

void TestContainerCommands::newAndSaveAsWithAnUnusableSettingsFile_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("cellSize");
    QTest::newRow("empty") << QByteArray() << 80;
    QTest::newRow("thumbnail size missing")
        << QByteArray("[Quorbell]\r\noptPassword=False\r\noptCover=False\r\n") << 80;
    QTest::newRow("garbage") << QByteArray("optThumbSize=\x81\x40\r\n\xff\xfe=\0\r\n", 22) << 80;
    QTest::newRow("size of its own") << QByteArray("optThumbSize=60\r\n") << 60;
}

void TestContainerCommands::newAndSaveAsWithAnUnusableSettingsFile()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, cellSize);
    Session s(settings);
    writeAlbum(s.path("a.sld"));
    writeAlbum(s.path("b.sld"), QString(), 2);
    QVERIFY(s.newGrid({"a.sld", "b.sld"}));
    QCOMPARE(int(s.w->document().cellSize()), cellSize);
    QCOMPARE(s.w->document().entry(0).thumbnail.width(), cellSize - 2); // a 160 x 120 photo
    // No password question: the password setting is off by default.
    s.prompts.answerText(s.path("x.cov"));
    QVERIFY(frmMain_mnuContnrAdd_Click(*s.w));
    QCOMPARE(s.prompts.messageTexts(), QStringList());
    QVERIFY(s.open(s.path("x.cov")));
    QCOMPARE(int(s.w->document().cellSize()), cellSize);
    QCOMPARE(namesOf(s.w->document().entries()), (QStringList{"a.sld", "b.sld"}));
}

void TestContainerCommands::failedWriteKeepsFileAndFlag_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<bool>("lockFolder");
    QTest::addColumn<bool>("fullDisk");
    QTest::newRow("save as under a regular file") << true << false << false;
    QTest::newRow("save into a read-only folder") << false << true << false;
    QTest::newRow("save as into a read-only folder") << true << true << false;
    QTest::newRow("save on a full disk") << false << false << true;
    QTest::newRow("save as on a full disk") << true << false << true;
}

void TestContainerCommands::failedWriteKeepsFileAndFlag()
{
    QFETCH(bool, saveAs);
    QFETCH(bool, lockFolder);
    QFETCH(bool, fullDisk);
    if (lockFolder)
        QUORBELL_RUN_AS_NOBODY_WHEN_ROOT();

    Session s;
    QString box = s.path("box");
    QVERIFY(QDir().mkdir(box));
    std::optional<test::ScratchFileSystem> disk;
    if (fullDisk) {
        disk.emplace(1024 * 1024);
        if (!disk->isValid())
            QSKIP(qPrintable("a full disk needs a small file system: " + disk->whyNot()));
        box = disk->path();
    }
    const QString container = box + "/c.cov";
    writeBytes(container, sampleBytes(4));
    writeBytes(s.path("plain"), "a regular file");
    QVERIFY(s.open(container));
    const QByteArray old = fileBytes(container);
    s.select(1);
    frmMain_mnuEditDelete_Click(*s.w);
    QVERIFY(s.w->document().isModified());

    const QString target = lockFolder || fullDisk ? box + "/d.cov" : s.path("plain/d.cov");
    if (fullDisk)
        QVERIFY(disk->fill());
    if (lockFolder)
        QVERIFY(
            QFile::setPermissions(s.path("box"), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    bool written;
    // Saved as into another folder than its albums', after the question.
    const bool asked = saveAs && !target.startsWith(box);
    if (saveAs) {
        s.prompts.answerText(target);
        if (asked)
            s.prompts.answer(MsgAnswer::Yes);
        written = frmMain_mnuContnrAdd_Click(*s.w);
    } else {
        written = frmMain_mnuContnrSave_Click(*s.w);
    }
    QFile::setPermissions(s.path("box"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QVERIFY(!written);
    const QStringList texts = s.prompts.messageTexts();
    QCOMPARE(texts.size(), asked ? 2 : 1);
    // What a full disk is reported as is not fixed here, only that it is reported.
    QVERIFY2(fullDisk || texts.last().startsWith(kCannotSave + (saveAs ? target : container)),
             qPrintable(texts.last()));
    QCOMPARE(s.prompts.messageTitles().last(),
             QString::fromUtf8(saveAs ? "名前をつけて保存" : "上書き保存"));
    QVERIFY(s.w->document().isModified());
    QCOMPARE(fileBytes(container), old);
    QVERIFY(!QFile::exists(target));
    if (fullDisk) // no temporary file left beside it
        QCOMPARE(QDir(box).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{".filler", "c.cov"}));
    QCOMPARE(s.w->document().containerPath(), container);
    QCOMPARE(s.w->windowTitle(), QStringLiteral("c.cov - Quorbell"));
    QVERIFY(!s.w->progressBar()->isVisible());
}

void TestContainerCommands::unstorableTextIsRefused()
{
    Session s;
    writeBytes(s.path("c.cov"), sampleBytes(3));
    QVERIFY(s.open(s.path("c.cov")));
    const QByteArray old = fileBytes(s.path("c.cov"));
    test::changeEntry(s.w->document(), 1, [&](AlbumEntry& edited) {
        edited.comment = QStringLiteral("海 \U0001F30A");
    });
    s.w->document().setModified(true);

    QVERIFY(!frmMain_mnuContnrSave_Click(*s.w));
    QVERIFY(!frmMain_mnuContnrAdd_Click(*s.w)); // refused before any dialog
    QCOMPARE(s.prompts.asked().size(), 2);
    const QStringList texts = s.prompts.messageTexts();
    for (const QString& text : texts) {
        QVERIFY2(text.contains(QStringLiteral("\U0001F30A")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("アルバム番号： 2")));
        QVERIFY(text.contains(s.w->document().entry(1).fileName));
    }
    QCOMPARE(s.prompts.messageTitles(), (QStringList{"上書き保存", "名前をつけて保存"}));
    QCOMPARE(fileBytes(s.path("c.cov")), old);
    QVERIFY(s.w->document().isModified());
}

void TestContainerCommands::saveMessages()
{
    Session s;
    // Nothing to save in an empty window.
    QVERIFY(!frmMain_mnuContnrSave_Click(*s.w));
    QVERIFY(!frmMain_mnuContnrAdd_Click(*s.w));
    frmMain_mnuContnrDelete_Click(*s.w);
    QCOMPARE(s.prompts.messageTexts(),
             (QStringList{"保存の対象がありません。", "保存の対象がありません。",
                          "削除するコンテナファイルを表示して下さい。"}));
    QCOMPARE(s.prompts.messageTitles(),
             (QStringList{"上書き保存", "名前をつけて保存", "コンテナファイル削除"}));

    // A grid never saved: Save asks for Save As, and there is no file to delete.
    writeAlbum(s.path("a.sld"));
    QVERIFY(s.newGrid({"a.sld"}));
    s.prompts.clear();
    QVERIFY(!frmMain_mnuContnrSave_Click(*s.w));
    frmMain_mnuContnrDelete_Click(*s.w);
    QCOMPARE(s.prompts.messageTexts(),
             (QStringList{"名前をつけて保存して下さい。", "コンテナファイルがありません。"}));
    QCOMPARE(s.prompts.asked().at(0).message.icon, MsgIcon::Information);
    QCOMPARE(s.prompts.asked().at(1).message.icon, MsgIcon::Warning);
}

void TestContainerCommands::editSaveAndReopen()
{
    Session s;
    writeBytes(s.path("c.cov"), sampleBytes(9)); // entry 6 is hidden
    writeAlbum(s.path("new1.sld"), QString(), 11);
    writeAlbum(s.path("new2.sld"), QString(), 12);
    QVERIFY(s.open(s.path("c.cov")));
    QList<AlbumEntry> model = s.w->document().entries();

    s.select(1);
    frmMain_mnuEditCut_Click(*s.w);
    const AlbumEntry cut = model.takeAt(1);
    s.select(4);
    frmMain_mnuEditPut_Click(*s.w);
    model.insert(4, cut);
    s.select(0);
    frmMain_mnuEditCopy_Click(*s.w);
    s.select(2);
    frmMain_mnuEditPut_Click(*s.w);
    const AlbumEntry copied = model.at(0);
    model.insert(2, copied);
    QVERIFY(sameEntries(s.w->document().entries(), model));
    QCOMPARE(s.w->document().hiddenCount(), qint16(1));

    s.select(3);
    s.prompts.answerChooser({{{s.folder(), {"new1.sld", "new2.sld"}, false}}});
    frmMain_mnuEditInsert_Click(*s.w);
    QVERIFY(s.waitInserted());
    QCOMPARE(s.w->document().albumCount(), qint16(12));
    QCOMPARE(namesOf(s.w->document().entries().mid(3, 3)),
             (QStringList{"new1.sld", "new2.sld", model.at(3).fileName}));
    QCOMPARE(s.w->document().selectedIndex(), qint16(5));
    QCOMPARE(s.w->document().entry(3).comment, QStringLiteral("new1"));
    QCOMPARE(s.w->document().entry(3).fileSize, qint32(QFileInfo(s.path("new1.sld")).size()));
    QCOMPARE(s.w->document().entry(3).thumbSize, packPair(160, 120));
    QCOMPARE(s.w->document().entry(3).thumbnail.size(), QSize(78, 58));
    QCOMPARE(s.w->panel(2), QStringLiteral("選択アルバム番号： 6"));

    s.w->runCommand(Command::SortFileU);
    QVERIFY(s.w->document().entry(0).isHidden()); // "*" sorts first
    s.select(1);
    frmMain_mnuEditDelete_Click(*s.w);
    QCOMPARE(s.w->document().albumCount(), qint16(11));
    const QList<AlbumEntry> edited = s.w->document().entries();

    QVERIFY(frmMain_mnuContnrSave_Click(*s.w));
    QVERIFY(!s.w->document().isModified());
    QVERIFY(s.open(s.path("c.cov")));
    QVERIFY(sameEntries(s.w->document().entries(), edited));
    QCOMPARE(s.w->document().hiddenCount(), qint16(1));
    QCOMPARE(s.w->panel(1), QStringLiteral("表示アルバム数： 10"));
    QCOMPARE(s.w->panel(2), QStringLiteral("非表示アルバム数： 1"));
}

void TestContainerCommands::commandSwitching()
{
    Session s;
    writeBytes(s.path("c.cov"), sampleBytes(6));
    writeBytes(s.path("d.cov"), sampleBytes(2));
    writeAlbum(s.path("n.sld"));
    QVERIFY(s.open(s.path("c.cov")));
    QVERIFY(s.enabled(Command::ContnrSave) && s.enabled(Command::EditRename) &&
            s.enabled(Command::ViewSlide));
    QVERIFY(s.menuEnabled(Command::ContnrDelete) && s.menuEnabled(Command::ViewComment));
    QVERIFY(!s.enabled(Command::EditPut) && !s.enabled(Command::EditCut) &&
            !s.enabled(Command::EditInsert));

    s.select(0);
    QVERIFY(s.enabled(Command::EditCut) && s.enabled(Command::EditCopy) &&
            s.enabled(Command::EditDelete));
    QVERIFY(s.enabled(Command::EditInsert) && s.menuEnabled(Command::AlbumDelete));

    // Cut: Cut and Copy stay off until a paste, even when another entry is selected.
    frmMain_mnuEditCut_Click(*s.w);
    QCOMPARE(s.w->mode(), Mode::Shown);
    QVERIFY(s.enabled(Command::EditPut) && s.shortcutEnabled(Command::EditPut));
    QVERIFY(!s.enabled(Command::EditCut) && !s.enabled(Command::EditDelete));
    s.select(2);
    QVERIFY(!s.enabled(Command::EditCut) && !s.enabled(Command::EditCopy));
    QVERIFY(s.enabled(Command::EditDelete) && s.enabled(Command::EditInsert));

    // Paste: Cut and Copy come back; Paste keeps its enabled look, its bit cleared.
    frmMain_mnuEditPut_Click(*s.w);
    QCOMPARE(s.w->mode(), Mode::Selected);
    QVERIFY(s.enabled(Command::EditCut) && s.enabled(Command::EditCopy));
    QVERIFY(s.enabled(Command::EditPut));
    QCOMPARE(s.w->commandState() & Cmd::Paste, 0);

    // Insert: Insert and Rename go off; Save brings both back (an entry is selected).
    s.prompts.answerChooser({{{s.folder(), {"n.sld"}, false}}});
    frmMain_mnuEditInsert_Click(*s.w);
    QVERIFY(s.waitInserted());
    QVERIFY(!s.enabled(Command::EditInsert) && !s.enabled(Command::EditRename));
    QVERIFY(!s.menuEnabled(Command::EditInsert) && !s.menuEnabled(Command::EditRename));
    QVERIFY(frmMain_mnuContnrSave_Click(*s.w));
    QVERIFY(s.enabled(Command::EditInsert) && s.enabled(Command::EditRename));

    // Opening another container makes Paste unavailable even after a paste.
    QVERIFY(s.open(s.path("d.cov")));
    QVERIFY(!s.enabled(Command::EditPut) && !s.menuEnabled(Command::EditPut));
    QVERIFY(s.w->document().isClipboardFilled());

    // A new grid never offers Insert.
    QVERIFY(s.newGrid({"n.sld"}));
    s.select(0);
    QVERIFY(s.enabled(Command::EditDelete) && !s.enabled(Command::EditInsert));
    const qsizetype asked = s.prompts.asked().size();
    frmMain_mnuEditInsert_Click(*s.w);
    QCOMPARE(s.prompts.asked().size(), asked);
    QCOMPARE(s.w->document().albumCount(), qint16(1));

    // Deleting the last entry leaves an empty window with its commands off.
    frmMain_mnuEditDelete_Click(*s.w);
    QCOMPARE(s.w->mode(), Mode::Empty);
    QVERIFY(!s.w->document().isModified());
    QCOMPARE(s.w->panel(1), QString());
    QVERIFY(!s.menuEnabled(Command::ViewComment) && !s.enabled(Command::EditDelete));
    QVERIFY(!s.enabled(Command::ViewSlide) && !s.menuEnabled(Command::ContnrAdd));
}

void TestContainerCommands::clipboardRules()
{
    Session s;
    writeBytes(s.path("c.cov"), sampleBytes(3));
    QVERIFY(s.open(s.path("c.cov")));
    // Nothing happens without a selection, or with an empty clipboard.
    frmMain_mnuEditCopy_Click(*s.w);
    frmMain_mnuEditCut_Click(*s.w);
    s.select(1);
    frmMain_mnuEditPut_Click(*s.w);
    QCOMPARE(s.w->document().albumCount(), qint16(3));
    QVERIFY(!s.w->document().isModified());

    frmMain_mnuEditCopy_Click(*s.w);
    QCOMPARE(s.w->mode(), Mode::Selected);
    QVERIFY(s.w->document().isClipboardFilled());
    QVERIFY(!s.w->document().isModified());
    const QImage onClipboard = QGuiApplication::clipboard()->image();
    if (!onClipboard.isNull())
        QCOMPARE(toThumbnailFormat(onClipboard), s.w->document().entry(1).thumbnail);

    // Paste twice before entry 0: two more entries, the pasted one selected.
    s.select(0);
    frmMain_mnuEditPut_Click(*s.w);
    frmMain_mnuEditPut_Click(*s.w);
    QCOMPARE(s.w->document().albumCount(), qint16(5));
    QCOMPARE(namesOf(s.w->document().entries()).count(s.w->document().entry(3).fileName), 3);
    QCOMPARE(s.w->document().selectedIndex(), qint16(0));
    QCOMPARE(s.w->panel(1), QStringLiteral("表示アルバム数： 5"));
    QCOMPARE(s.w->panel(3),
             "選択アルバム名： " + s.w->document().entry(0).fileName.section('.', 0, 0));
    QVERIFY(s.w->document().isModified());

    // An entry copied from a grid of smaller cells keeps its picture.
    tools::SampleOptions large;
    large.count = 2;
    large.cellSize = 120;
    writeBytes(s.path("large.cov"), tools::assembleContainer(tools::sampleContainer(large)));
    QVERIFY(s.open(s.path("large.cov")));
    s.select(1);
    frmMain_mnuEditPut_Click(*s.w);
    QCOMPARE(s.w->document().entry(1).fileName, QStringLiteral("album2.sld"));
    QCOMPARE(s.w->document().entry(1).thumbnail, s.w->document().clipboard().thumbnail);
    QCOMPARE(s.w->document().clipboard().thumbnail.size(), QSize(58, 78));

    // Cutting the only entry empties the grid; the clipboard keeps the entry.
    writeBytes(s.path("one.cov"), sampleBytes(1));
    QVERIFY(s.open(s.path("one.cov")));
    s.select(0);
    frmMain_mnuEditCut_Click(*s.w);
    QCOMPARE(s.w->mode(), Mode::Empty);
    QCOMPARE(s.w->document().albumCount(), qint16(0));
    QVERIFY(!s.w->document().isModified());
    QVERIFY(s.w->document().isClipboardFilled());
    QCOMPARE(s.w->document().clipboard().fileName, QStringLiteral("アルバム1.sld"));
}

void TestContainerCommands::pasteKeepsAPictureThatFits_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("recorded");
    QTest::addColumn<QSize>("expected"); // in a cell of 80
    QTest::addColumn<bool>("identical");
    QTest::newRow("another tool's smaller fit")
        << QSize(50, 30) << QSize(640, 480) << QSize(50, 30) << true;
    QTest::newRow("cell edge on one side only")
        << QSize(78, 40) << QSize(640, 480) << QSize(78, 40) << true;
    QTest::newRow("from a grid of smaller cells")
        << QSize(38, 28) << QSize(640, 480) << QSize(38, 28) << true;
    QTest::newRow("from a grid of larger cells")
        << QSize(118, 88) << QSize(640, 480) << QSize(78, 58) << false;
    QTest::newRow("larger, no recorded size")
        << QSize(200, 100) << QSize(0, 0) << QSize(78, 39) << false;
}

void TestContainerCommands::pasteKeepsAPictureThatFits()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, recorded);
    QFETCH(QSize, expected);
    QFETCH(bool, identical);
    Session s;
    writeBytes(s.path("c.cov"), sampleBytes(2));
    QVERIFY(s.open(s.path("c.cov")));
    QCOMPARE(s.w->document().cellSize(), 80);
    s.select(1);
    frmMain_mnuEditCopy_Click(*s.w);
    // A picture with detail in every pixel, so that any rescaling shows.
    QImage image(picture, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
    AlbumEntry copied = s.w->document().clipboard();
    copied.thumbnail = image;
    copied.thumbSize = packPair(recorded.width(), recorded.height());
    s.w->document().setClipboard(copied);
    frmMain_mnuEditPut_Click(*s.w);
    QCOMPARE(s.w->document().albumCount(), qint16(3));
    QCOMPARE(s.w->document().entry(1).thumbnail.size(), expected);
    QCOMPARE(s.w->document().entry(1).thumbnail == image, identical);
}

void TestContainerCommands::deleteMovesViewUp_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("rowWidth");
    QTest::addColumn<int>("expected");
    const QStringList plain = {"a", "b", "c", "d", "e", "f", "g"};
    QTest::newRow("top stays") << plain << 0 << 3 << 0;
    QTest::newRow("one row up") << plain << 6 << 3 << 3;
    QTest::newRow("past the end") << plain.mid(0, 6) << 6 << 3 << 3;
    QTest::newRow("not below zero") << plain << 2 << 3 << 0;
    // Rows of two: [a b] [c d] [e]; the third row starts at index 6.
    QTest::newRow("hidden entries skipped")
        << QStringList{"a", "*h", "b", "c", "*i", "d", "e"} << 6 << 2 << 3;
    QTest::newRow("hidden before the first")
        << QStringList{"*h", "a", "b", "c", "d"} << 3 << 2 << 0;
}

void TestContainerCommands::deleteMovesViewUp()
{
    QFETCH(QStringList, names);
    QFETCH(int, first);
    QFETCH(int, rowWidth);
    QFETCH(int, expected);
    AlbumDocument doc;
    test::fillDocument(doc, names);
    GridLayout lay;
    lay.firstDrawnIndex = qint16(first);
    QCOMPARE(firstIndexOneRowUp(doc, lay, rowWidth), expected);
}

void TestContainerCommands::insertAbandonedHalfWay()
{
    Session s;
    writeBytes(s.path("c.cov"), sampleBytes(4));
    writeAlbum(s.path("a.sld"), QString(), 3);
    writeAlbum(s.path("p.sld"), QStringLiteral("secret"), 4);
    writeAlbum(s.path("z.sld"), QString(), 5);
    QVERIFY(s.open(s.path("c.cov")));
    const QList<AlbumEntry> before = s.w->document().entries();
    s.select(2);

    s.prompts.answerChooser({{{s.folder(), {"a.sld", "p.sld", "z.sld"}, false}}})
        .cancel()
        .answer(MsgAnswer::Ok);
    frmMain_mnuEditInsert_Click(*s.w);
    QVERIFY(s.waitInserted());

    QCOMPARE(s.prompts.messageTexts(), QStringList{"中止しました。表示サムネイルは無効です。"});
    // The album read before the abandoned one stays; nothing half-made remains.
    QCOMPARE(namesOf(s.w->document().entries()),
             (QStringList{before.at(0).fileName, before.at(1).fileName, "a.sld",
                          before.at(2).fileName, before.at(3).fileName}));
    QVERIFY(!s.w->document().entry(2).thumbnail.isNull());
    QCOMPARE(s.w->mode(), Mode::Selected);
    QCOMPARE(s.w->document().selectedIndex(), qint16(3));
    QCOMPARE(s.w->panel(1), QStringLiteral("表示アルバム数： 5"));
    QCOMPARE(s.w->panel(2), QStringLiteral("選択アルバム番号： 4"));
    QVERIFY(s.menuEnabled(Command::ViewComment));
    QVERIFY(!s.w->progressBar()->isVisible());
    QVERIFY(s.w->document().isModified());

    // Abandoned on the first album: nothing changes at all.
    s.w->document().setModified(false);
    s.prompts.clear();
    s.prompts.answerChooser({{{s.folder(), {"p.sld", "z.sld"}, false}}}).cancel();
    frmMain_mnuEditInsert_Click(*s.w);
    QVERIFY(s.waitInserted());
    QCOMPARE(s.w->document().albumCount(), qint16(5));
    QCOMPARE(s.w->document().selectedIndex(), qint16(3));
    QVERIFY(!s.w->document().isModified());
    QCOMPARE(s.w->mode(), Mode::Selected);
}

void TestContainerCommands::insertRefusals()
{
    Session s;
    writeBytes(s.path("c.cov"), sampleBytes(8)); // entry 6 is "*アルバム7.sld", hidden
    QVERIFY(s.open(s.path("c.cov")));
    s.select(0);
    const QString title = QStringLiteral("サムネイルの追加");

    // Nothing chosen keeps the chooser open; then a name that differs only in
    // letter case, and a hidden entry's name without its mark.
    s.prompts
        .answerChooser({{{s.folder(), {}, true}, {s.folder(), {"x.sld", "ALBUM2.SLD"}, false}}})
        .answer(MsgAnswer::Ok)
        .answer(MsgAnswer::Ok);
    frmMain_mnuEditInsert_Click(*s.w);
    s.prompts.answerChooser({{{s.folder(), {"アルバム7.SLD"}, false}}}).answer(MsgAnswer::Ok);
    frmMain_mnuEditInsert_Click(*s.w);
    QCOMPARE(
        s.prompts.messageTexts(),
        (QStringList{
            "ファイルが選択されていません｡ ",
            "同じ名前があります。別のファイル名にして下さい。\r\nファイル名： album2.sld",
            "同じ名前があります。別のファイル名にして下さい。\r\nファイル名： *アルバム7.sld"}));
    QCOMPARE(s.prompts.messageTitles(), (QStringList{"サムネイル挿入", title, title}));
    QCOMPARE(s.w->document().albumCount(), qint16(8));
    QVERIFY(!s.w->document().isModified());

    // More albums than a container holds: refused before anything changes.
    QStringList many;
    for (int i = 0; i < kMaxAlbums - 7; ++i)
        many << QStringLiteral("n%1.sld").arg(i);
    s.prompts.clear();
    s.prompts.answerChooser({{{s.folder(), many, true}}}).answer(MsgAnswer::Ok);
    frmMain_mnuEditInsert_Click(*s.w);
    QCOMPARE(s.prompts.messageTitles(), QStringList{title});
    QCOMPARE(s.w->document().albumCount(), qint16(8));
    QVERIFY(!s.w->progressBar()->isVisible());
}

void TestContainerCommands::deleteContainerFile()
{
    Session s;
    writeBytes(s.path("c.cov"), sampleBytes(3));
    QVERIFY(s.open(s.path("c.cov")));

    frmMain_mnuContnrDelete_Click(*s.w); // the question, cancelled
    QVERIFY(QFile::exists(s.path("c.cov")));
    const MessageRequest question = s.prompts.asked().at(0).message;
    QCOMPARE(question.text, QStringLiteral("コンテナファイルを削除します。"));
    QCOMPARE(question.buttons, MsgButtons::OkCancel);
    QVERIFY(!question.beep);

    s.prompts.answer(MsgAnswer::Ok);
    frmMain_mnuContnrDelete_Click(*s.w);
    QVERIFY(!QFile::exists(s.path("c.cov")));
    QVERIFY(QFile::exists(s.trashed("c.cov")));
    QCOMPARE(s.w->windowTitle(), QStringLiteral("Quorbell"));
    QCOMPARE(s.w->panel(1), QString());
    QCOMPARE(s.w->document().albumCount(), qint16(3));
    QCOMPARE(s.w->document().containerPath(), s.path("c.cov"));

    // Save writes the file again at the same path.
    QVERIFY(frmMain_mnuContnrSave_Click(*s.w));
    QVERIFY(s.open(s.path("c.cov")));
    QCOMPARE(s.w->document().albumCount(), qint16(3));
}

void TestContainerCommands::deleteAlbumFile()
{
    Session s;
    const QString title = QStringLiteral("アルバムファイル削除");
    writeAlbum(s.path("a.sld"));
    writeAlbum(s.path("b.sld"), QString(), 2);
    writeAlbum(s.path("c.sld"), QString(), 3);
    QVERIFY(s.newGrid({"a.sld", "b.sld", "c.sld"}));

    frmMain_mnuAlbumDelete_Click(*s.w); // nothing selected
    s.select(1);
    frmMain_mnuAlbumDelete_Click(*s.w); // the question, cancelled
    QVERIFY(QFile::exists(s.path("b.sld")));
    s.prompts.answer(MsgAnswer::Ok);
    frmMain_mnuAlbumDelete_Click(*s.w);
    QVERIFY(!QFile::exists(s.path("b.sld")));
    QVERIFY(QFile::exists(s.trashed("b.sld")));
    QCOMPARE(namesOf(s.w->document().entries()), (QStringList{"a.sld", "c.sld"}));
    QCOMPARE(s.w->mode(), Mode::Shown);

    // A file already gone: only the entry goes, after its own question.
    QVERIFY(QFile::remove(s.path("c.sld")));
    s.select(1);
    s.prompts.answer(MsgAnswer::Ok);
    frmMain_mnuAlbumDelete_Click(*s.w);
    QCOMPARE(namesOf(s.w->document().entries()), QStringList{"a.sld"});

    QCOMPARE(s.prompts.messageTexts(),
             (QStringList{"アルバムファイルを選択して下さい。",
                          "サムネイルとアルバムファイル b.sld を削除します。",
                          "サムネイルとアルバムファイル b.sld を削除します。",
                          "アルバムファイルはありません。サムネイルのみ削除します。\r\n" +
                              s.path("c.sld")}));
    QCOMPARE(s.prompts.messageTitles(), QStringList(4, title));

    // A grid read from a container never deletes album files.
    s.prompts.answerText(s.path("g.cov"));
    QVERIFY(frmMain_mnuContnrAdd_Click(*s.w));
    s.select(0);
    s.prompts.clear();
    frmMain_mnuAlbumDelete_Click(*s.w);
    QVERIFY(s.prompts.messageTexts().at(0).startsWith("アルバムファイルの削除には「新規作成」"));
    QVERIFY(QFile::exists(s.path("a.sld")));
    QCOMPARE(s.w->document().albumCount(), qint16(1));
}

void TestContainerCommands::unsavedChangesAtExitAndOpen()
{
    Session s;
    writeAlbum(s.path("a.sld"));
    QVERIFY(s.newGrid({"a.sld"}));
    QVERIFY(s.w->document().isModified());

    // Yes, then the Save As dialog cancelled: the program stays open, still flagged.
    s.prompts.answer(MsgAnswer::Yes);
    QVERIFY(!frmMain_Form_Unload(*s.w));
    QVERIFY(s.w->document().isModified());
    QCOMPARE(s.prompts.asked().last().kind, test::Asked::Kind::SaveFile);

    // Open with Yes saves (here: cancelled) and shows no open dialog.
    s.prompts.clear();
    s.prompts.answer(MsgAnswer::Yes);
    frmMain_mnuContnrOpen_Click(*s.w);
    QCOMPARE(s.prompts.asked().size(), 2);
    QCOMPARE(s.prompts.asked().last().kind, test::Asked::Kind::SaveFile);
    QVERIFY(s.w->document().isModified());

    // Yes with a file chosen: written, and the program may close.
    s.prompts.clear();
    s.prompts.answer(MsgAnswer::Yes).answerText(s.path("a.cov"));
    QVERIFY(frmMain_Form_Unload(*s.w));
    QVERIFY(!s.w->document().isModified());
    QVERIFY(QFile::exists(s.path("a.cov")));

    // A container with a path is saved in place at exit; No closes without saving.
    s.select(0);
    frmMain_mnuEditCopy_Click(*s.w);
    frmMain_mnuEditPut_Click(*s.w);
    const QByteArray saved = fileBytes(s.path("a.cov"));
    s.prompts.clear();
    s.prompts.answer(MsgAnswer::No);
    QVERIFY(frmMain_Form_Unload(*s.w));
    QCOMPARE(fileBytes(s.path("a.cov")), saved);
    s.prompts.answer(MsgAnswer::Yes);
    QVERIFY(frmMain_Form_Unload(*s.w));
    QVERIFY(fileBytes(s.path("a.cov")) != saved);
    QCOMPARE(s.prompts.asked().size(), 2); // the two questions, no dialog
}

void TestContainerCommands::commandLine()
{
    {
        Session s;
        writeBytes(s.path("c.cov"), sampleBytes(3));
        frmMain_Form_Load(*s.w, "\"" + s.path("c.cov") + "\"");
        QVERIFY(s.waitShown());
        QCOMPARE(s.w->document().containerPath(), s.path("c.cov"));
        QCOMPARE(s.w->windowTitle(), QStringLiteral("c.cov - Quorbell"));
    }
    {
        // An album file starts a new document of that album.
        Session s;
        writeAlbum(s.path("trip.sld"));
        frmMain_Form_Load(*s.w, s.path("trip.sld"));
        QVERIFY(s.waitShown());
        QCOMPARE(namesOf(s.w->document().entries()), QStringList{"trip.sld"});
        QVERIFY(s.w->document().isGridSource());
        QVERIFY(s.w->document().containerPath().isEmpty());
        QVERIFY(!s.w->document().entry(0).thumbnail.isNull());
    }
    {
        // A missing or bad file: its message, and the window stays empty.
        Session s;
        writeBytes(s.path("bad.cov"), "QuorbellVer2.50 but nothing else");
        for (const QString& name : {QStringLiteral("missing.cov"), QStringLiteral("bad.cov")}) {
            frmMain_Form_Load(*s.w, s.path(name));
            QCOMPARE(s.w->mode(), Mode::Empty);
            QVERIFY(s.w->document().containerPath().isEmpty());
            QCOMPARE(s.w->windowTitle(), QStringLiteral("Quorbell"));
        }
        QCOMPARE(s.prompts.messageTexts(),
                 (QStringList{"ファイルが見つかりません。\r\n" + s.path("missing.cov"),
                              kNotAContainer + s.path("bad.cov")}));
    }
}

void TestContainerCommands::keptDocumentIsOffered_data()
{
    QTest::addColumn<QString>("password"); // of the container the document came from
    QTest::addColumn<bool>("open");
    QTest::newRow("yes: opened unsaved") << QString() << true;
    QTest::newRow("yes: protected, opened after its password") << "abc" << true;
    QTest::newRow("no: deleted") << QString() << false;
}

void TestContainerCommands::keptDocumentIsOffered()
{
    QFETCH(QString, password);
    QFETCH(bool, open);
    Session s;
    writeAlbum(s.path("a.sld"), QString(), 1);
    writeAlbum(s.path("b.sld"), QString(), 2);
    QVERIFY(s.newGrid({"a.sld", "b.sld"}));
    test::changeEntry(s.w->document(), 1,
                      [&](AlbumEntry& edited) { edited.comment = QStringLiteral("海辺"); });
    if (!password.isEmpty())
        s.w->document().setContainerPassword(storedPasswordForm(password));
    const QList<AlbumEntry> before = s.w->document().entries();

    // The program told to end keeps the document in a private folder.
    QVERIFY(s.w->document().isModified());
    QVERIFY(s.w->keepForRecovery());
    const QStringList kept = container::recoveryFiles();
    QCOMPARE(kept.size(), 1);
    QVERIFY(kept.first().startsWith(s.env.stateFolder() + QStringLiteral("/Quorbell/recovery/")));
    QCOMPARE(QFileInfo(container::recoveryFolder()).permissions() & 0x0077, 0);

    // The next start: an empty window elsewhere.
    s.w->document().setEntries({});
    s.w->setMode(Mode::Empty);
    s.w->document().setModified(false);
    s.w->document().setAlbumFolder(QString());
    s.w->document().setContainerPassword(kNoPassword);
    s.w->settings().containerFolder = s.home.path() + QLatin1Char('/');
    s.prompts.answer(open ? MsgAnswer::Yes : MsgAnswer::No);
    if (!password.isEmpty())
        s.prompts.answerText(password);
    QCOMPARE(offerRecovery(*s.w), open);
    QCOMPARE(s.prompts.messageTitles().first(), QStringLiteral("復元処理"));
    QVERIFY(s.prompts.messageTexts().first().endsWith(kept.first()));
    QVERIFY(container::recoveryFiles().isEmpty()); // opened or not, it is offered once
    if (!open) {
        QCOMPARE(s.w->mode(), Mode::Empty);
        return;
    }
    QVERIFY(s.waitShown());
    QVERIFY(sameEntries(s.w->document().entries(), before));
    QVERIFY(s.w->document().isModified()); // still unsaved: exit asks, Save As names it
    QVERIFY(s.w->document().containerPath().isEmpty());
    QCOMPARE(s.w->document().albumFolder(), s.folder()); // the albums are found where they were
    QCOMPARE(s.w->settings().containerFolder, s.home.path() + QLatin1Char('/'));
    QCOMPARE(s.w->windowTitle(), QStringLiteral("Quorbell"));
    QVERIFY(!s.enabled(Command::ContnrSave));
    QVERIFY(!s.menuEnabled(Command::ContnrDelete));
    QCOMPARE(s.w->document().containerPassword(),
             password.isEmpty() ? kNoPassword : storedPasswordForm(password));
    QCOMPARE(s.prompts.unansweredCount(), 0);
}

QTEST_MAIN(TestContainerCommands)
#include "tst_containercommands.moc"
