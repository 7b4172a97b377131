// A container that keeps its albums: Save As into another folder with each
// of its three answers, Insert from another folder, and the messages of
// these flows, which name the file concerned. Real albums from the
// generator, a real main window, the prompts answered from a script.
#include "container/ContainerCommands.h"
#include "container/InsertCommand.h"
#include "core/BinaryIO.h"
#include "core/FileIO.h"
#include "core/MainWindowHandlers.h"
#include "core/frmMain.h"
#include "grid/GridCommands.h"
#include "grid/GridInput.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"

#include "AlbumMaker.h"
#include "GridFixture.h"
#include "SamplePhotos.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAlbum(const QString& path, quint32 seed)
{
    tools::AlbumSpec recipe;
    const QByteArray jpeg = tools::makeSamplePhoto(QSize(160, 120), seed, tools::PhotoFormat::Jpeg);
    recipe.photos.append(*tools::photoFromBytes(QStringLiteral("IMG0001.JPG"), jpeg));
    QVERIFY(writeFileAtomically(path, tools::buildAlbum(recipe)->bytes));
}

QStringList filesIn(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files);
    names.sort();
    return names;
}

// A main window with the grid and container commands, in a private
// configuration and home.
struct Session
{
    QTemporaryDir home;
    QByteArray oldHome = qgetenv("HOME");
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    std::unique_ptr<frmMain> w;
    QTemporaryDir dir;

    Session()
    {
        qputenv("HOME", home.path().toLocal8Bit());
        w = test::makeWindow(QSize(640, 480));
        registerGridCommands(*w);
        registerContainerCommands(*w);
        frmMain_Form_Load(*w, QString());
        w->settings().pendingThumbSize = 80;
        w->settings().pendingComment = *commentMetricsFor(80);
        QDir().mkpath(path("albums"));
        QDir().mkpath(path("other"));
        writeAlbum(path("albums/a.sld"), 1);
        writeAlbum(path("albums/b.sld"), 2);
    }
    ~Session()
    {
        w.reset();
        qputenv("HOME", oldHome);
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    bool waitShown() const
    {
        return QTest::qWaitFor([this] { return w->mode() == Mode::Shown; }, 20000);
    }
    // Insert reads its albums through the loading loop; wait until it is done.
    bool waitLoaded() const
    {
        return QTest::qWaitFor([this] { return w->mode() != Mode::Loading; }, 20000);
    }
    bool newGrid()
    {
        if (!acceptNewDocument(*w, {path("albums/"), {"a.sld", "b.sld"}, false}))
            return false;
        frmMain_Form_Activate(*w);
        return waitShown();
    }
    // A grid read from a container saved beside its albums.
    bool containerGrid()
    {
        if (!newGrid())
            return false;
        prompts.answerText(path("albums/c.cov"));
        const bool saved = frmMain_mnuContnrAdd_Click(*w);
        prompts.clear();
        return saved && ReadContainer(*w, path("albums/c.cov")) && waitShown();
    }
    void select(int index)
    {
        const qint32 pos = w->document().entry(index).cellPos;
        frmMain_Form_MouseDown(*w, Qt::LeftButton, pairHigh(pos) + 5, pairLow(pos) + 5);
    }
    // Every album of the open document is found where the document looks for it.
    bool albumsFound() const
    {
        const AlbumDocument& doc = w->document();
        for (int i = 0; i < doc.albumCount(); ++i) {
            if (!QFileInfo(doc.albumPath(i)).isFile())
                return false;
        }
        return true;
    }
};

const QString kSaveAsTitle = QStringLiteral("名前をつけて保存");
const QString kInsertTitle = QStringLiteral("サムネイルの追加");

} // namespace

class TestCollectionFlows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void saveAsIntoAnotherFolder_data();
    void saveAsIntoAnotherFolder();
    void insertFromAnotherFolder_data();
    void insertFromAnotherFolder();
    void messagesNameTheFile_data();
    void messagesNameTheFile();
};

void TestCollectionFlows::saveAsIntoAnotherFolder_data()
{
    QTest::addColumn<bool>("fromContainer");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("copied");
    for (const bool container : {false, true}) {
        const char* grid = container ? "container grid" : "new grid";
        QTest::addRow("%s, no", grid) << container << int(MsgAnswer::No) << false << false;
        QTest::addRow("%s, save as it is", grid)
            << container << int(MsgAnswer::Yes) << true << false;
        QTest::addRow("%s, copy the albums too", grid)
            << container << int(MsgAnswer::Extra) << true << true;
    }
}

void TestCollectionFlows::saveAsIntoAnotherFolder()
{
    QFETCH(bool, fromContainer);
    QFETCH(int, answer);
    QFETCH(bool, written);
    QFETCH(bool, copied);
    Session s;
    QVERIFY(fromContainer ? s.containerGrid() : s.newGrid());
    const QString target = s.path("other/x.cov");

    s.prompts.answerText(target).answer(MsgAnswer(answer));
    QCOMPARE(frmMain_mnuContnrAdd_Click(*s.w), written);
    QCOMPARE(s.prompts.asked().size(), 2);
    const MessageRequest question = s.prompts.asked().at(1).message;
    QCOMPARE(question.text,
             QStringLiteral("アルバムのフォルダと「名前をつけて保存」のフォルダが異なります。\r\n"
                            "アルバムのフォルダ：") +
                 s.path("albums/") + QStringLiteral("\r\n「名前をつけて保存」のフォルダ：") +
                 s.path("other/") +
                 QStringLiteral("\r\n\r\nスライドショーを行うには、フォルダを一致させる必要があり"
                                "ます。\r\nこのまま保存しますか？"));
    QCOMPARE(question.title, kSaveAsTitle);
    QCOMPARE(question.buttons, MsgButtons::YesNo);
    QVERIFY(!question.beep);

    QStringList expected;
    if (copied)
        expected << "a.sld"
                 << "b.sld";
    if (written)
        expected << "x.cov";
    QCOMPARE(filesIn(s.path("other")), expected);
    for (const QString name : {"a.sld", "b.sld"}) {
        QVERIFY(QFile::exists(s.path("albums/") + name)); // copied, never moved
        if (copied)
            QCOMPARE(readAll(s.path("other/") + name), readAll(s.path("albums/") + name));
    }
    if (!written) {
        QVERIFY(s.w->document().isModified() || fromContainer);
        return;
    }
    // The grid goes on with the albums the container will find.
    QCOMPARE(s.w->document().albumFolder(), s.path(copied ? "other/" : "albums/"));
    QVERIFY(s.albumsFound());
    // Opened again, the container finds its albums only where they were copied.
    QVERIFY(ReadContainer(*s.w, target) && s.waitShown());
    QCOMPARE(s.w->document().albumCount(), qint16(2));
    QCOMPARE(s.albumsFound(), copied);
}

void TestCollectionFlows::insertFromAnotherFolder_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("entries"); // the grid afterwards
    QTest::addColumn<QStringList>("files");   // the container's folder afterwards
    const QStringList before = {"a.sld", "b.sld", "c.cov"};
    QTest::newRow("copied, then the copies added")
        << int(MsgAnswer::Yes) << QStringList{"a.sld", "x.sld", "y.sld", "b.sld"}
        << QStringList{"a.sld", "b.sld", "c.cov", "x.sld", "y.sld"};
    QTest::newRow("stopped: nothing added, nothing copied")
        << int(MsgAnswer::No) << QStringList{"a.sld", "b.sld"} << before;
}

void TestCollectionFlows::insertFromAnotherFolder()
{
    QFETCH(int, answer);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, files);
    Session s;
    writeAlbum(s.path("other/x.sld"), 3);
    writeAlbum(s.path("other/y.sld"), 4);
    QVERIFY(s.containerGrid());
    s.select(1);

    s.prompts.answerChooser({{{s.path("other/"), {"x.sld", "y.sld"}, false}}})
        .answer(MsgAnswer(answer));
    frmMain_mnuEditInsert_Click(*s.w);
    QVERIFY(s.waitLoaded());
    QCOMPARE(s.prompts.messageTexts(),
             QStringList{QStringLiteral("アルバムのフォルダとコンテナのフォルダが異なります。\r\n"
                                        "アルバムのフォルダ：") +
                         s.path("other/") + QStringLiteral("\r\nコンテナのフォルダ：") +
                         s.path("albums/") +
                         QStringLiteral("\r\n\r\nアルバムはコンテナと同じフォルダにないと表示"
                                        "できません。\r\nアルバムをコンテナのフォルダにコピー"
                                        "して追加しますか？")});
    QCOMPARE(s.prompts.messageTitles(), QStringList{kInsertTitle});
    QStringList names;
    for (const AlbumEntry& e : s.w->document().entries())
        names << e.fileName;
    QCOMPARE(names, entries);
    QCOMPARE(filesIn(s.path("albums")), files);
    QVERIFY(s.albumsFound()); // no entry points at nothing
    QCOMPARE(s.w->document().isModified(), entries.size() > 2);
    for (const AlbumEntry& e : s.w->document().entries())
        QVERIFY(!e.thumbnail.isNull());
    if (entries.size() > 2)
        QCOMPARE(readAll(s.path("albums/x.sld")), readAll(s.path("other/x.sld")));

    // The same albums chosen from the container's own folder: no question.
    if (entries.size() > 2) {
        s.prompts.clear();
        QVERIFY(QFile::rename(s.path("other/x.sld"), s.path("albums/z.sld")));
        s.select(0);
        s.prompts.answerChooser({{{s.path("albums/"), {"z.sld"}, false}}});
        frmMain_mnuEditInsert_Click(*s.w);
        QVERIFY(s.waitLoaded());
        QCOMPARE(s.prompts.messageTexts(), QStringList());
        QCOMPARE(s.w->document().entry(0).fileName, QStringLiteral("z.sld"));
    }
}

void TestCollectionFlows::messagesNameTheFile_data()
{
    QTest::addColumn<QString>("flow");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // the first line; the file's path follows
    QTest::addColumn<QString>("file");
    const QString taken =
        QStringLiteral("コピー先に同じ名前のファイルがあるため、アルバムをコピーしませんでした。");
    QTest::newRow("save as, a copy's name taken")
        << "saveAs" << kSaveAsTitle << taken << "other/b.sld";
    QTest::newRow("insert, a copy's name taken")
        << "insertTaken" << kInsertTitle << taken << "albums/y.sld";
    QTest::newRow("insert, a chosen album gone")
        << "insertGone" << kInsertTitle << QStringLiteral("ファイルが見つかりません。")
        << "other/gone.sld";
}

void TestCollectionFlows::messagesNameTheFile()
{
    QFETCH(QString, flow);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, file);
    Session s;
    const QByteArray someoneElses = "not an album of this collection";
    writeAlbum(s.path("other/x.sld"), 3);
    writeAlbum(s.path("other/y.sld"), 4);
    QStringList before;
    if (flow == QLatin1String("saveAs")) {
        QVERIFY(s.newGrid());
        QVERIFY(writeFileAtomically(s.path(file), someoneElses));
        before = filesIn(s.path("other"));
        s.prompts.answerText(s.path("other/x.cov")).answer(MsgAnswer::Extra);
        QVERIFY(!frmMain_mnuContnrAdd_Click(*s.w));
    } else {
        QVERIFY(s.containerGrid());
        if (flow == QLatin1String("insertTaken"))
            QVERIFY(writeFileAtomically(s.path(file), someoneElses));
        before = filesIn(s.path("albums"));
        s.select(0);
        // A missing album is found before the copy is offered.
        if (flow == QLatin1String("insertGone"))
            s.prompts.answerChooser({{{s.path("other/"), {"x.sld", "gone.sld"}, false}}});
        else
            s.prompts.answerChooser({{{s.path("other/"), {"x.sld", "y.sld"}, false}}})
                .answer(MsgAnswer::Yes);
        frmMain_mnuEditInsert_Click(*s.w);
        QCOMPARE(s.w->document().albumCount(), qint16(2));
    }
    QCOMPARE(s.prompts.messageTexts().last(), text + QStringLiteral("\r\n") + s.path(file));
    QCOMPARE(s.prompts.messageTitles().last(), title);
    // Stopped before anything was copied; the file in the way is untouched.
    QCOMPARE(filesIn(s.path(flow == QLatin1String("saveAs") ? "other" : "albums")), before);
    if (flow != QLatin1String("insertGone"))
        QCOMPARE(readAll(s.path(file)), someoneElses);
}

QTEST_MAIN(TestCollectionFlows)
#include "tst_collectionflows.moc"
