// New and the loading loop over real album files: the chooser's rules, the
// order of prompts, unreadable and refused albums, Escape, and the counts.
#include "core/CommandState.h"
#include "core/FileIO.h"
#include "core/MainWindowHandlers.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "grid/AlbumChooser.h"
#include "grid/GridCommands.h"
#include "grid/GridInput.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"

#include "AlbumMaker.h"
#include "GridFixture.h"
#include "SamplePhotos.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quorbell;

namespace {

void writeAlbum(const QString& path, QSize photo, const QString& password = QString(),
                quint32 seed = 1)
{
    tools::AlbumSpec albumSpec;
    if (!password.isNull())
        albumSpec.password = storedPasswordForm(password);
    const QByteArray jpeg = tools::makeSamplePhoto(photo, seed, tools::PhotoFormat::Jpeg);
    albumSpec.photos.append(*tools::photoFromBytes(QStringLiteral("IMG0001.JPG"), jpeg));
    albumSpec.photos.append(*tools::photoFromBytes(QStringLiteral("IMG0002.JPG"), jpeg));
    QVERIFY(writeFileAtomically(path, tools::buildAlbum(albumSpec)->bytes));
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct Session
{
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    std::unique_ptr<frmMain> w;
    QTemporaryDir dir;

    Session()
    {
        w = test::makeWindow(QSize(640, 480));
        registerGridCommands(*w);
        frmMain_Form_Load(*w, QString());
        w->settings().pendingThumbSize = 80;
        w->settings().pendingComment = *commentMetricsFor(80);
    }
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    AlbumChoice choice(const QStringList& names) const { return {folder(), names, false}; }
};

} // namespace

class TestLoading : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listOrderAndPatterns();
    void chooserEnterAndTypedNames_data();
    void chooserEnterAndTypedNames();
    void nothingChosenChangesNothing();
    void tooManyAlbumsAreRefused();
    void loadsInOrderWithPasswordsAndBrokenAlbums();
    void refusedHeaderStopsLoading();
    void cancelledPasswordEndsInModeZero();
    void escapeStopsAtOnce();
    void hiddenEntriesAreCountedNotDrawn();
};

void TestLoading::listOrderAndPatterns()
{
    QTemporaryDir dir;
    for (const char* name : {"b.sld", "A.sld", "a.sld", "c.SLD", "noext", "x.txt"})
        writeRaw(dir.filePath(QString::fromLatin1(name)), "x");
    // Hidden files are never listed, whatever the pattern.
    for (const char* name : {".hidden.sld", ".sld", ".profile"})
        writeRaw(dir.filePath(QString::fromLatin1(name)), "x");
    // Patterns match regardless of letter case, as users of such files expect.
    QCOMPARE(listedFiles(dir.path(), "*.sld"), (QStringList{"A.sld", "a.sld", "b.sld", "c.SLD"}));
    QCOMPARE(listedFiles(dir.path(), "*.*"),
             (QStringList{"A.sld", "a.sld", "b.sld", "c.SLD", "noext", "x.txt"}));
    QCOMPARE(initialComment("trip.2003.sld"), QStringLiteral("trip"));
    QCOMPARE(initialComment("noext"), QStringLiteral("noext"));

    // Files selected out of order are taken in list order.
    test::ScriptedPrompts prompts;
    ChooserRequest request;
    request.startFolder = dir.path();
    AlbumChooser chooser(request);
    chooser.selectFiles({"b.sld", "A.sld"});
    QCOMPARE(chooser.selectedChoice().names, (QStringList{"A.sld", "b.sld"}));
    QCOMPARE(chooser.folderChoice().names.size(), 4);
    chooser.setPattern("*.*");
    QCOMPARE(chooser.folderChoice().names.size(), 6);
}

void TestLoading::chooserEnterAndTypedNames_data()
{
    // Folder "sub" holds "in.sld"; the start folder holds "top.sld" and "sub".
    QTest::addColumn<QString>("typed");   // empty: Enter on "sub" in the folder list instead
    QTest::addColumn<QString>("folder");  // the chooser's folder afterwards, relative
    QTest::addColumn<QString>("chosen");  // "folder|name" offered to the accept callback
    QTest::addColumn<QString>("message"); // the warning asked, its path part cut off
    QTest::newRow("Enter in the folder list only opens it") << ""
                                                            << "sub"
                                                            << ""
                                                            << "";
    QTest::newRow("typed folder opens") << "sub"
                                        << "sub"
                                        << ""
                                        << "";
    QTest::newRow("typed absolute folder opens") << "<dir>/sub/"
                                                 << "sub"
                                                 << ""
                                                 << "";
    QTest::newRow("typed album file is chosen") << "top.sld"
                                                << "."
                                                << "|top.sld"
                                                << "";
    QTest::newRow("typed path of an album file") << "sub/in.sld"
                                                 << "."
                                                 << "sub/|in.sld"
                                                 << "";
    QTest::newRow("typed name that is not there") << "none.sld"
                                                  << "."
                                                  << ""
                                                  << "ファイルが見つかりません。";
}

void TestLoading::chooserEnterAndTypedNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, folder);
    QFETCH(QString, chosen);
    QFETCH(QString, message);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    writeRaw(dir.filePath("top.sld"), "x");
    writeRaw(dir.filePath("sub/in.sld"), "x");
    const QString root = QDir(dir.path()).absolutePath();

    QStringList offered;
    ChooserRequest request;
    request.startFolder = root;
    request.accept = [&](const AlbumChoice& c) {
        offered << QString(c.folder).replace(root + QLatin1Char('/'), QString()) +
                       QLatin1Char('|') + c.names.join(QLatin1Char(','));
        return true;
    };
    AlbumChooser chooser(request);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    // A selection that the default button would take, were it pressed.
    chooser.selectFiles({"top.sld"});
    if (typed.isEmpty()) {
        auto* folders = chooser.findChild<QListWidget*>("dirDisp");
        const QList<QListWidgetItem*> sub = folders->findItems("sub", Qt::MatchExactly);
        QCOMPARE(sub.size(), 1);
        folders->setCurrentItem(sub.first());
        QTest::keyClick(folders, Qt::Key_Return);
    } else {
        auto* name = chooser.findChild<QLineEdit*>("txtFileDisp");
        name->selectAll();
        QTest::keyClicks(name, QString(typed).replace("<dir>", root));
        QTest::keyClick(name, Qt::Key_Return);
    }
    QCOMPARE(QDir(root).relativeFilePath(chooser.currentFolder()), folder);
    QCOMPARE(offered, chosen.isEmpty() ? QStringList() : QStringList{chosen});
    QCOMPARE(chooser.result(), chosen.isEmpty() ? int(QDialog::Rejected) : int(QDialog::Accepted));
    const QStringList texts = prompts.messageTexts();
    QCOMPARE(texts.isEmpty() ? QString() : texts.first().section("\r\n", 0, 0), message);
    QCOMPARE(texts.size(), message.isEmpty() ? 0 : 1);
}

void TestLoading::nothingChosenChangesNothing()
{
    Session s;
    test::fillDocument(s.w->document(), {"old.sld"});
    s.w->setMode(Mode::Shown);
    s.w->document().setModified(true);
    s.w->setPanel(1, "kept");
    // Keep the old document unsaved; OK with nothing chosen; then the user cancels.
    s.prompts.answer(MsgAnswer::No).answerChooser({{s.choice({})}}).answer(MsgAnswer::Ok);
    frmMain_mnuContnrNew_Click(*s.w);
    // The unsaved-changes question (answered No by default), then the warning.
    QCOMPARE(s.prompts.messageTexts(), (QStringList{"ファイルが保存されていません。保存しますか？",
                                                    "ファイルが選択されていません｡ "}));
    QCOMPARE(s.prompts.messageTitles(), (QStringList{"新規作成", "新規作成"}));
    QCOMPARE(s.w->document().albumCount(), qint16(1));
    QCOMPARE(s.w->mode(), Mode::Shown);
    QVERIFY(s.w->document().isModified());
    QCOMPARE(s.w->panel(1), QStringLiteral("kept"));
}

void TestLoading::tooManyAlbumsAreRefused()
{
    Session s;
    QStringList names;
    for (int i = 0; i <= kMaxAlbums; ++i)
        names << QStringLiteral("%1.sld").arg(i);
    QVERIFY(!acceptNewDocument(*s.w, s.choice(names)));
    QCOMPARE(s.w->document().albumCount(), qint16(0));
    QCOMPARE(s.prompts.messageTitles(), QStringList{"新規作成"});
    names.removeLast();
    QVERIFY(acceptNewDocument(*s.w, s.choice(names)));
    QCOMPARE(s.w->document().albumCount(), qint16(kMaxAlbums));
}

void TestLoading::loadsInOrderWithPasswordsAndBrokenAlbums()
{
    Session s;
    writeAlbum(s.dir.filePath("1.sld"), QSize(300, 100));
    writeAlbum(s.dir.filePath("2.sld"), QSize(100, 300), "pw", 2);
    writeAlbum(s.dir.filePath("3.sld"), QSize(60, 40), "pw", 3); // the same password: no prompt
    // An album whose photo bytes are no image: an empty cell, and loading goes on.
    tools::AlbumSpec broken;
    broken.photos.append({QStringLiteral("bad.jpg"), QByteArray(500, 'z'), QSize(10, 10), false});
    writeRaw(s.dir.filePath("4.sld"), tools::buildAlbum(broken)->bytes);
    writeAlbum(s.dir.filePath("5.sld"), QSize(100, 100), QString(), 5);

    s.prompts.answerChooser({{s.choice({"1.sld", "2.sld", "3.sld", "4.sld", "5.sld"})}})
        .answerText("wrong")
        .answer(MsgAnswer::Ok) // the mismatch warning
        .answerText("pw");
    frmMain_mnuContnrNew_Click(*s.w);
    QTRY_COMPARE_WITH_TIMEOUT(s.w->mode(), Mode::Shown, 20000);

    // Prompts in grid order: one mismatch warning naming the album's full path.
    int passwordPrompts = 0;
    for (const test::Asked& a : s.prompts.asked())
        passwordPrompts += a.kind == test::Asked::Kind::Password ? 1 : 0;
    QCOMPARE(passwordPrompts, 2);
    QCOMPARE(s.prompts.messageTexts(),
             QStringList{"パスワードが一致しません。\r\n" + s.dir.filePath("2.sld")});
    const QList<QSize> expected = {QSize(78, 26), QSize(26, 78), QSize(60, 40), QSize(),
                                   QSize(78, 78)};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(s.w->document().entry(i).thumbnail.isNull()
                     ? QSize()
                     : s.w->document().entry(i).thumbnail.size(),
                 expected.at(i));
    QCOMPARE(s.w->document().entry(0).thumbSize, (300 << 16) | 100);
    QVERIFY(s.w->document().entry(3).fileSize > 0); // the broken album's size is still noted
    QCOMPARE(s.w->document().entry(0).comment, QStringLiteral("1"));
    QVERIFY(s.w->document().isModified());
    QVERIFY(s.w->document().isGridSource());
    QCOMPARE(s.w->panel(1), QStringLiteral("表示アルバム数： 5"));
    QCOMPARE(s.w->panel(2), QString());
    QVERIFY(!s.w->progressBar()->isVisible());
    QVERIFY(s.w->button(Command::ViewSlide)->isEnabled());
    QVERIFY(s.w->action(Command::ViewComment)->isEnabled());
    QVERIFY(!s.w->button(Command::ContnrSave)->isEnabled());
}

void TestLoading::refusedHeaderStopsLoading()
{
    Session s;
    writeAlbum(s.dir.filePath("a.sld"), QSize(50, 50));
    writeRaw(s.dir.filePath("b.sld"), QByteArray("Not an album at all, really"));
    writeAlbum(s.dir.filePath("c.sld"), QSize(50, 50));
    s.prompts.answerChooser({{{s.folder(), {}, true}, s.choice({"a.sld", "b.sld", "c.sld"})}});
    frmMain_mnuContnrNew_Click(*s.w);
    QTRY_COMPARE_WITH_TIMEOUT(s.prompts.messageTexts().size(), 2, 20000);
    QCOMPARE(s.prompts.messageTexts().last(), "不正なファイルです。\r\n" + s.dir.filePath("b.sld"));
    QCOMPARE(s.prompts.messageTitles().last(), QStringLiteral("開く"));
    QTest::qWait(100);
    QCOMPARE(s.w->document().loadIndex(), qint16(1));
    QCOMPARE(s.w->mode(), Mode::Loading); // the user ends it with Escape or a new document
    QVERIFY(!s.w->intTimer()->isActive());
}

void TestLoading::cancelledPasswordEndsInModeZero()
{
    Session s;
    writeAlbum(s.dir.filePath("p.sld"), QSize(50, 50), "secret");
    s.prompts.answerChooser({{s.choice({"p.sld"})}}).cancel();
    frmMain_mnuContnrNew_Click(*s.w);
    QTRY_COMPARE_WITH_TIMEOUT(s.w->mode(), Mode::Empty, 20000);
    QCOMPARE(s.prompts.messageTexts(), QStringList{"中止しました。表示サムネイルは無効です。"});
    QCOMPARE(s.prompts.messageTitles(), QStringList{"キャンセル処理"});
    QCOMPARE(s.w->panel(1), QString());
}

void TestLoading::escapeStopsAtOnce()
{
    Session s;
    QStringList names;
    for (int i = 0; i < 30; ++i) {
        names << QStringLiteral("%1.sld").arg(i, 2, 10, QLatin1Char('0'));
        writeAlbum(s.dir.filePath(names.last()), QSize(800, 600), QString(), quint32(i));
    }
    // Escape between two steps, once three albums are in.
    QObject::connect(
        s.w->progressBar(), &QProgressBar::valueChanged, s.w.get(),
        [&](int value) {
            if (value >= 3 && s.w->mode() == Mode::Loading)
                frmMain_Form_KeyPress(*s.w, 27);
        },
        Qt::QueuedConnection);
    s.prompts.answerChooser({{s.choice(names)}});
    frmMain_mnuContnrNew_Click(*s.w);
    QTRY_COMPARE_WITH_TIMEOUT(s.w->mode(), Mode::Empty, 20000);
    QVERIFY(s.w->document().loadIndex() < 30);
    const qint16 stoppedAt = s.w->document().loadIndex();
    QTest::qWait(300); // work in flight is dropped
    QCOMPARE(s.w->document().loadIndex(), stoppedAt);
    QCOMPARE(s.prompts.messageTitles(), QStringList{"アボート処理"});
    // A new document after an abort loads normally.
    QObject::disconnect(s.w->progressBar(), nullptr, s.w.get(), nullptr);
    s.prompts.answerChooser({{s.choice(names.mid(0, 2))}});
    frmMain_mnuContnrNew_Click(*s.w);
    QTRY_COMPARE_WITH_TIMEOUT(s.w->mode(), Mode::Shown, 20000);
    QCOMPARE(s.w->document().albumCount(), qint16(2));
    QVERIFY(!s.w->document().entry(1).thumbnail.isNull());
}

void TestLoading::hiddenEntriesAreCountedNotDrawn()
{
    // A file whose name starts with "*" is a hidden entry of the grid.
    Session s;
    writeAlbum(s.dir.filePath("a.sld"), QSize(50, 50));
    writeAlbum(s.dir.filePath("*b.sld"), QSize(50, 50));
    s.prompts.answerChooser({{s.choice({"*b.sld", "a.sld"})}});
    frmMain_mnuContnrNew_Click(*s.w);
    QTRY_COMPARE_WITH_TIMEOUT(s.w->mode(), Mode::Shown, 20000);
    QCOMPARE(s.w->document().hiddenCount(), qint16(1));
    QCOMPARE(s.w->panel(1), QStringLiteral("表示アルバム数： 1"));
    QCOMPARE(s.w->panel(2), QStringLiteral("非表示アルバム数： 1"));
    QCOMPARE(s.w->document().entry(1).cellPos,
             (10 << 16) | 33); // the visible one takes the first cell
}

QTEST_MAIN(TestLoading)
#include "tst_loading.moc"
