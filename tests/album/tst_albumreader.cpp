// ReadAlbumFile and MakeThumbnail on a document, with the password
// prompt scripted: right, wrong then right, cancelled, carried over from an
// earlier album or the container, a refused header, an unreadable photo, and
// what a cancel does to the main window.
#include "album/AlbumReader.h"
#include "album/AlbumReaderUi.h"
#include "album/frmPasswd2.h"
#include "document/AlbumDocument.h"
#include "core/ThumbnailFormat.h"
#include "core/frmMain.h"

#include "AlbumFixtures.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;
using quorbell::test::ScriptedPrompts;

namespace {

const QString kMismatch = QStringLiteral("パスワードが一致しません。\r\n");
const QString kCancelText = QStringLiteral("中止しました。表示サムネイルは無効です。");

class Fixture
{
public:
    Fixture()
    {
        doc.setCellSize(80, *commentMetricsFor(80));
        doc.setAlbumFolder(m_dir.path() + QLatin1Char('/'));
    }

    AlbumDocument doc;
    LoadedPicture current; // what the last read left for MakeThumbnail

    // Adds an album file and a grid entry for it; returns the entry's index.
    qint16 add(const QString& name, const QString& password = QString(),
               QSize size = QSize(300, 100), QByteArray imageBytes = QByteArray())
    {
        tools::AlbumSpec albumSpec;
        if (!password.isNull())
            albumSpec.password = storedPasswordForm(password);
        albumSpec.photos = {
            imageBytes.isNull()
                ? test::samplePhoto(QStringLiteral("p.jpg"), size, 3)
                : tools::AlbumPhotoSource{QStringLiteral("p.jpg"), imageBytes, size, false}};
        test::writeBytes(path(name), test::albumBytes(albumSpec));
        return addEntry(name);
    }
    qint16 addEntry(const QString& name)
    {
        AlbumEntry e;
        e.fileName = name;
        doc.insertEntry(doc.albumCount(), e);
        return qint16(doc.albumCount() - 1);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    AlbumReadOutcome read(qint16 i)
    {
        return ReadAlbumFile(doc, current, i, doc.albumPath(i), doc.entry(i).fileName);
    }
    void make(qint16 i) { MakeThumbnail(doc, current, i); }

private:
    QTemporaryDir m_dir;
};

} // namespace

Q_DECLARE_METATYPE(quorbell::AlbumReadOutcome)

class TestAlbumReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void albumWithoutPassword();
    void passwordFlows_data();
    void passwordFlows();
    void passwordCarriesOver();
    void containerPasswordOpensTheAlbum();
    void noPasswordWhenTheFirstTwoBytesAreZero();
    void emptyPassword();
    void headerRefused();
    void unreadableAlbumsGetNoThumbnail_data();
    void unreadableAlbumsGetNoThumbnail();
    void passwordAskedBeforeAnUnreadablePhoto();
    void preparedThumbnails();
    void okHandlerKeepsTheFirstEightCharacters();
    void cancelInTheMainWindow();
};

void TestAlbumReader::albumWithoutPassword()
{
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    const qint16 i = f.add(QStringLiteral("a.sld"), QString(), QSize(300, 100));
    QCOMPARE(f.read(i), AlbumReadOutcome::Read);
    QVERIFY(prompts.asked().isEmpty());
    const AlbumEntry& e = f.doc.entry(i);
    QCOMPARE(e.fileSize, qint32(QFileInfo(f.path(QStringLiteral("a.sld"))).size()));
    QCOMPARE(e.fileDate,
             DateVariant::fromDateTime(QFileInfo(f.path(QStringLiteral("a.sld"))).lastModified()));
    QCOMPARE(e.thumbSize, 300 * 65536 + 100); // the photo's full size, not the fitted one
    QCOMPARE(f.current.size, QSize(300, 100));
    QVERIFY(e.thumbnail.isNull());
    f.make(i);
    QCOMPARE(f.doc.entry(i).thumbnail.size(), QSize(78, 26));
    QCOMPARE(f.doc.entry(i).thumbnail.format(), kThumbnailFormat);
}

void TestAlbumReader::passwordFlows_data()
{
    QTest::addColumn<QStringList>("typed"); // "<cancel>" cancels
    QTest::addColumn<AlbumReadOutcome>("outcome");
    QTest::addColumn<int>("mismatches");
    QTest::newRow("right") << QStringList{"secret"} << AlbumReadOutcome::Read << 0;
    QTest::newRow("wrong then right")
        << QStringList{"secreT", "secret"} << AlbumReadOutcome::Read << 1;
    QTest::newRow("twice wrong then right")
        << QStringList{"", "x", "secret"} << AlbumReadOutcome::Read << 2;
    QTest::newRow("cancel") << QStringList{"<cancel>"} << AlbumReadOutcome::Cancelled << 0;
    QTest::newRow("wrong then cancel")
        << QStringList{"nope", "<cancel>"} << AlbumReadOutcome::Cancelled << 1;
}

void TestAlbumReader::passwordFlows()
{
    QFETCH(QStringList, typed);
    QFETCH(AlbumReadOutcome, outcome);
    QFETCH(int, mismatches);
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    const qint16 i = f.add(QStringLiteral("locked.sld"), QStringLiteral("secret"));
    for (const QString& t : typed) {
        if (t == QLatin1String("<cancel>")) {
            prompts.cancel();
        } else {
            prompts.answerText(t);
            if (t != QLatin1String("secret"))
                prompts.answer(MsgAnswer::Ok); // the mismatch warning
        }
    }
    prompts.answer(MsgAnswer::Ok); // the cancel message, when there is one

    QCOMPARE(f.read(i), outcome);
    int asked = 0;
    for (const test::Asked& a : prompts.asked()) {
        if (a.kind == test::Asked::Kind::Password) {
            ++asked;
            QCOMPARE(a.password.kind, PasswordKind::Album);
            QCOMPARE(a.password.fileName, QStringLiteral("locked.sld"));
            QVERIFY(a.password.masked);
        }
    }
    QCOMPARE(asked, typed.size());
    QStringList expectedTexts, expectedTitles;
    for (int m = 0; m < mismatches; ++m) {
        expectedTexts << kMismatch + f.path(QStringLiteral("locked.sld"));
        expectedTitles << QStringLiteral("開く");
    }
    if (outcome == AlbumReadOutcome::Cancelled) {
        expectedTexts << kCancelText;
        expectedTitles << QStringLiteral("キャンセル処理");
    }
    QCOMPARE(prompts.messageTexts(), expectedTexts);
    QCOMPARE(prompts.messageTitles(), expectedTitles);
    QCOMPARE(f.doc.albumPassword(), storedPasswordForm(QStringLiteral("secret")));
    if (outcome == AlbumReadOutcome::Read) {
        QCOMPARE(f.doc.enteredPassword(), storedPasswordForm(QStringLiteral("secret")));
        QCOMPARE(f.doc.entry(i).thumbSize, 300 * 65536 + 100);
    } else {
        QCOMPARE(f.doc.entry(i).fileSize, 0); // nothing noted for a cancelled album
        QCOMPARE(f.doc.entry(i).thumbSize, 0);
    }
}

void TestAlbumReader::passwordCarriesOver()
{
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    const qint16 a = f.add(QStringLiteral("a.sld"), QStringLiteral("same"));
    const qint16 b = f.add(QStringLiteral("b.sld"), QStringLiteral("same"));
    const qint16 c = f.add(QStringLiteral("c.sld"), QStringLiteral("other"));
    prompts.answerText(QStringLiteral("same")).answerText(QStringLiteral("other"));
    QCOMPARE(f.read(a), AlbumReadOutcome::Read);
    QCOMPARE(f.read(b), AlbumReadOutcome::Read);
    QCOMPARE(prompts.asked().size(), 1); // b opened with the bytes typed for a
    QCOMPARE(f.read(c), AlbumReadOutcome::Read);
    QCOMPARE(prompts.asked().size(), 2);
    QCOMPARE(prompts.asked().at(1).password.fileName, QStringLiteral("c.sld"));
}

void TestAlbumReader::containerPasswordOpensTheAlbum()
{
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    const qint16 i = f.add(QStringLiteral("a.sld"), QStringLiteral("cov"));
    f.doc.setEnteredPassword(storedPasswordForm(QStringLiteral("cov")));
    QCOMPARE(f.read(i), AlbumReadOutcome::Read);
    QVERIFY(prompts.asked().isEmpty());
}

void TestAlbumReader::noPasswordWhenTheFirstTwoBytesAreZero()
{
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    tools::AlbumSpec albumSpec;
    albumSpec.password = {0, 0, 0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF};
    albumSpec.photos = {
        test::samplePhoto(QStringLiteral("p.bmp"), QSize(20, 20), 1, tools::PhotoFormat::Bmp)};
    QVERIFY(test::writeBytes(f.path(QStringLiteral("z.sld")), test::albumBytes(albumSpec)));
    const qint16 i = f.addEntry(QStringLiteral("z.sld"));
    QCOMPARE(f.read(i), AlbumReadOutcome::Read);
    QVERIFY(prompts.asked().isEmpty());
}

void TestAlbumReader::emptyPassword()
{
    // Eight 0xFF bytes: a password of no characters, which the all-zero
    // entered bytes at start do not match.
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    const qint16 i = f.add(QStringLiteral("e.sld"), QString(QLatin1String("")));
    prompts.answerText(QString());
    QCOMPARE(f.read(i), AlbumReadOutcome::Read);
    QCOMPARE(prompts.asked().size(), 1);
    QCOMPARE(f.doc.enteredPassword(),
             PasswordBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

void TestAlbumReader::headerRefused()
{
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    QVERIFY(
        test::writeBytes(f.path(QStringLiteral("x.sld")), QByteArray("Not an album at all, no.")));
    const qint16 i = f.addEntry(QStringLiteral("x.sld"));
    QCOMPARE(f.read(i), AlbumReadOutcome::HeaderRefused);
    QCOMPARE(prompts.messageTexts(), QStringList{QStringLiteral("不正なファイルです。\r\n") +
                                                 f.path(QStringLiteral("x.sld"))});
    QCOMPARE(prompts.messageTitles(), QStringList{QStringLiteral("開く")});
    QCOMPARE(prompts.asked().at(0).message.icon, MsgIcon::Information);
    QCOMPARE(f.doc.entry(i).fileSize, 0);
}

void TestAlbumReader::unreadableAlbumsGetNoThumbnail_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("exists");
    QTest::newRow("photo bytes no decoder accepts") << "undecodable" << true;
    QTest::newRow("block length past the end") << "bad block" << true;
    QTest::newRow("missing file") << "missing" << false;
    QTest::newRow("a folder") << "folder" << false;
}

void TestAlbumReader::unreadableAlbumsGetNoThumbnail()
{
    // The album before it leaves its picture as the current one; the broken
    // album must not end up with that picture as its thumbnail.
    QFETCH(QString, kind);
    QFETCH(bool, exists);
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    const qint16 good = f.add(QStringLiteral("good.sld"));
    QCOMPARE(f.read(good), AlbumReadOutcome::Read);
    f.make(good);

    const QString name = QStringLiteral("broken.sld");
    if (kind == QLatin1String("undecodable")) {
        f.add(name, QString(), QSize(10, 10), QByteArray(100, '\x07'));
    } else if (kind == QLatin1String("bad block")) {
        const std::optional<tools::BuiltAlbum> b =
            tools::buildAlbum({QByteArrayLiteral("1.00"),
                               kNoPassword,
                               0,
                               {test::samplePhoto(QStringLiteral("p.jpg"), QSize(50, 50), 1)}});
        QByteArray bytes = b->bytes;
        test::patch32(bytes, b->layout.blockOffsets.at(0), 0x7FFFFFFF);
        test::writeBytes(f.path(name), bytes);
        f.addEntry(name);
    } else if (kind == QLatin1String("folder")) {
        QDir().mkdir(f.path(name));
        f.addEntry(name);
    } else {
        f.addEntry(name);
    }
    const qint16 i = qint16(f.doc.albumCount() - 1);
    AlbumEntry earlier = f.doc.entry(i);
    earlier.thumbnail = QImage(5, 5, QImage::Format_RGB32); // left from an earlier document
    f.doc.setEntry(i, earlier);
    QCOMPARE(f.read(i), AlbumReadOutcome::Unreadable);
    QVERIFY(prompts.asked().isEmpty());
    f.make(i);
    const AlbumEntry& e = f.doc.entry(i);
    QVERIFY(e.thumbnail.isNull());
    QCOMPARE(e.thumbSize, 0);
    if (exists) {
        QCOMPARE(e.fileSize, qint32(QFileInfo(f.path(name)).size()));
        QCOMPARE(e.fileDate.kind, DateVariant::Kind::Date);
    } else {
        QCOMPARE(e.fileSize, 0);
        QCOMPARE(e.fileDate.kind, DateVariant::Kind::Empty);
    }
    QVERIFY(!f.doc.entry(good).thumbnail.isNull());
}

void TestAlbumReader::passwordAskedBeforeAnUnreadablePhoto()
{
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    const qint16 i =
        f.add(QStringLiteral("p.sld"), QStringLiteral("pw"), QSize(10, 10), QByteArray("garbage"));
    prompts.cancel().answer(MsgAnswer::Ok);
    QCOMPARE(f.read(i), AlbumReadOutcome::Cancelled);
    prompts.clear();
    prompts.answerText(QStringLiteral("pw"));
    QCOMPARE(f.read(i), AlbumReadOutcome::Unreadable);
    QCOMPARE(prompts.asked().size(), 1);
}

void TestAlbumReader::preparedThumbnails()
{
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    const qint16 i = f.add(QStringLiteral("a.sld"), QStringLiteral("k"), QSize(400, 200));
    const QString path = f.path(QStringLiteral("a.sld"));

    // Made ahead for this cell size: used as it is, and the prompt still comes.
    album::AlbumThumbnail ahead = album::makeAlbumThumbnail(path, 80);
    ahead.image.fill(qRgb(1, 2, 3)); // marks it as the one handed in
    prompts.answerText(QStringLiteral("k"));
    QCOMPARE(ReadAlbumFile(f.doc, f.current, i, path, QStringLiteral("a.sld"), &ahead),
             AlbumReadOutcome::Read);
    QCOMPARE(prompts.asked().size(), 1);
    f.make(i);
    QCOMPARE(f.doc.entry(i).thumbnail.pixel(0, 0), qRgb(1, 2, 3));

    // Made for another cell size: read again for the current one.
    f.doc.setCellSize(120, *commentMetricsFor(120));
    QCOMPARE(ReadAlbumFile(f.doc, f.current, i, path, QStringLiteral("a.sld"), &ahead),
             AlbumReadOutcome::Read);
    f.make(i);
    QCOMPARE(f.doc.entry(i).thumbnail.size(), QSize(118, 59));
    QVERIFY(f.doc.entry(i).thumbnail.pixel(0, 0) != qRgb(1, 2, 3));

    // MakeThumbnail fits the current picture to the cell of the moment.
    f.doc.setCellSize(60, *commentMetricsFor(60));
    f.make(i);
    QCOMPARE(f.doc.entry(i).thumbnail.size(), QSize(58, 29));
}

void TestAlbumReader::okHandlerKeepsTheFirstEightCharacters()
{
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    AlbumDocument doc;
    doc.setAlbumPassword(storedPasswordForm(QStringLiteral("12345678")));
    const QString path = QStringLiteral("/albums/a.sld");
    frmPasswd2_btnOK_Click(doc, QStringLiteral("123456789"), path);
    QVERIFY(prompts.asked().isEmpty());
    frmPasswd2_btnOK_Click(doc, QStringLiteral("1234567"), path);
    QCOMPARE(prompts.messageTexts(), QStringList{kMismatch + QStringLiteral("/albums/a.sld")});
    QCOMPARE(prompts.asked().at(0).message.icon, MsgIcon::Warning);
}

void TestAlbumReader::cancelInTheMainWindow()
{
    test::TestEnvironment env;
    ScriptedPrompts prompts;
    Fixture f;
    frmMain w;
    w.setPanel(1, QStringLiteral("読込みアルバム数： 0/1"));
    w.action(Command::ViewComment)->setEnabled(true);
    const qint16 i = f.add(QStringLiteral("a.sld"), QStringLiteral("pw"));
    w.document().setCellSize(80, *commentMetricsFor(80));
    w.document().setEntries(f.doc.entries());
    w.setMode(Mode::Loading);
    prompts.cancel();
    QCOMPARE(
        ReadAlbumFile(w, f.current, i, f.path(QStringLiteral("a.sld")), QStringLiteral("a.sld")),
        AlbumReadOutcome::Cancelled);
    QCOMPARE(w.mode(), Mode::Empty);
    QVERIFY(!w.action(Command::ViewComment)->isEnabled());
    QCOMPARE(w.panel(1), QString());
    QCOMPARE(prompts.messageTitles(), QStringList{QStringLiteral("キャンセル処理")});

    // Other outcomes leave the window alone.
    w.setPanel(1, QStringLiteral("x"));
    w.action(Command::ViewComment)->setEnabled(true);
    w.setMode(Mode::Loading);
    prompts.answerText(QStringLiteral("pw"));
    QCOMPARE(
        ReadAlbumFile(w, f.current, i, f.path(QStringLiteral("a.sld")), QStringLiteral("a.sld")),
        AlbumReadOutcome::Read);
    QCOMPARE(w.panel(1), QStringLiteral("x"));
    QVERIFY(w.action(Command::ViewComment)->isEnabled());
}

QTEST_MAIN(TestAlbumReader)
#include "tst_albumreader.moc"
