// quorbell-cli's container-make, container-verify and list, run as a separate
// process: the container written is taken apart here byte by byte from its
// layout, the failures give their exit statuses and leave nothing behind, and
// the demo built with the program reads back with its hidden, protected and
// missing albums.
#include "AlbumFixtures.h"

#include "album/AlbumFileReader.h"
#include "container/ContainerReader.h"
#include "core/Cp932.h"
#include "core/TextRules.h"
#include "dialogs/AlbumList.h"
#include "CliRunner.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace quorbell;
using namespace quorbell::test;

namespace {

using test::runCli;

// Little-endian fields at plain offsets of a file's bytes.
struct Bytes
{
    QByteArray b;
    qint64 at = 0;

    bool has(qint64 n) const { return at + n <= b.size(); }
    int u16()
    {
        const int v = quint8(b[at]) | quint8(b[at + 1]) << 8;
        at += 2;
        return v;
    }
    qint32 i32At(qint64 pos) const
    {
        return qint32(quint32(quint8(b[pos])) | quint32(quint8(b[pos + 1])) << 8 |
                      quint32(quint8(b[pos + 2])) << 16 | quint32(quint8(b[pos + 3])) << 24);
    }
    qint32 i32()
    {
        const qint32 v = i32At(at);
        at += 4;
        return v;
    }
    double f64()
    {
        double v;
        std::memcpy(&v, b.constData() + at, 8); // the machine is little-endian, as the file
        at += 8;
        return v;
    }
    QByteArray take(qint64 n)
    {
        const QByteArray v = b.mid(at, n);
        at += n;
        return v;
    }
    QByteArray string() { return take(u16()); }
};

// Days since 30 December 1899 with the time as the fraction, from local time.
double oleDateOf(const QDateTime& t)
{
    const QDateTime local = t.toLocalTime();
    return QDate(1899, 12, 30).daysTo(local.date()) +
           local.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

class TestContainerTools : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void makeWritesTheLayout();
    void makeRefuses_data();
    void makeRefuses();
    void makeWarns();
    void verify();
    void verifyFailures_data();
    void verifyFailures();
    void list();
    void listFailures_data();
    void listFailures();
    void demo();

private:
    QTemporaryDir m_dir;
    QString m_folder; // albums/ with a trailing "/"
    QString makeAlbum(const QString& folder, const QString& name, QSize firstPhoto, quint32 seed,
                      const QString& password = QString());
};

QString TestContainerTools::makeAlbum(const QString& folder, const QString& name, QSize firstPhoto,
                                      quint32 seed, const QString& password)
{
    tools::AlbumSpec albumSpec;
    if (!password.isEmpty())
        albumSpec.password = storedPasswordForm(password);
    albumSpec.photos = {samplePhoto(QStringLiteral("p1.jpg"), firstPhoto, seed),
                        samplePhoto(QStringLiteral("p2.jpg"), QSize(32, 32), seed + 1)};
    const QString path = folder + name;
    if (!writeBytes(path, albumBytes(albumSpec)))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestContainerTools::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.filePath(QStringLiteral("albums")) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(m_folder));
    makeAlbum(m_folder, QStringLiteral("運動会.sld"), QSize(320, 240), 1);
    makeAlbum(m_folder, QStringLiteral("b.sld"), QSize(30, 90), 2);
    makeAlbum(m_folder, QStringLiteral("locked.sld"), QSize(200, 150), 3, QStringLiteral("pw"));
    const QDateTime when(QDate(2004, 2, 29), QTime(23, 59, 58));
    for (const QString& name : QDir(m_folder).entryList(QDir::Files)) {
        QFile f(m_folder + name);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
    }
}

void TestContainerTools::makeWritesTheLayout()
{
    const QString out = m_folder + QStringLiteral("made.cov");
    const QStringList names = {QStringLiteral("運動会.sld"), QStringLiteral("b.sld"),
                               QStringLiteral("locked.sld")};
    QStringList args = {QStringLiteral("container-make"), out};
    for (const QString& n : names)
        args << m_folder + n;
    args << QStringLiteral("--size") << QStringLiteral("60") << QStringLiteral("--password")
         << QStringLiteral("ab1");
    const test::CliRun r = runCli(args);
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData()); // the albums lie beside it: no warning

    Bytes f{readBytes(out)};
    QVERIFY(f.has(27));
    QCOMPARE(f.take(15), QByteArray("QuorbellVer2.50"));
    QCOMPARE(f.take(8), QByteArray("\x9E\x9D\xCE\xFF\xFF\xFF\xFF\xFF", 8)); // 'a','b','1' ^ 0xFF
    QCOMPARE(f.u16(), 3);
    QCOMPARE(f.u16(), 60);
    // Photo sizes, width in the high half.
    QCOMPARE(f.i32(), 320 * 65536 + 240);
    QCOMPARE(f.i32(), 30 * 65536 + 90);
    QCOMPARE(f.i32(), 200 * 65536 + 150);
    QCOMPARE(f.string(), QByteArray("\x89\x5E\x93\xAE\x89\xEF.sld")); // 運動会.sld, 10 bytes
    QCOMPARE(f.string(), QByteArray("b.sld"));
    QCOMPARE(f.string(), QByteArray("locked.sld"));
    QCOMPARE(f.string(), QByteArray("\x89\x5E\x93\xAE\x89\xEF"));
    QCOMPARE(f.string(), QByteArray("b"));
    QCOMPARE(f.string(), QByteArray("locked"));
    // Thumbnail records: complete 24-bit BMP files, fitted to 58 pixels.
    const QList<QSize> fitted = {{58, 43}, {19, 58}, {58, 43}};
    for (const QSize& s : fitted) {
        QVERIFY(f.has(4));
        const qint32 length = f.i32();
        QVERIFY(f.has(length));
        const qint64 bmp = f.at;
        QCOMPARE(f.b.mid(bmp, 2), QByteArray("BM"));
        QCOMPARE(f.i32At(bmp + 2), length); // the BMP's own size field
        QCOMPARE(f.i32At(bmp + 18), s.width());
        QCOMPARE(f.i32At(bmp + 22), s.height());
        QCOMPARE(quint8(f.b[bmp + 28]), quint8(24));
        QCOMPARE(f.i32At(bmp + 30), 0); // uncompressed
        const int rowBytes = (s.width() * 3 + 3) / 4 * 4;
        QCOMPARE(length, f.i32At(bmp + 10) + rowBytes * s.height());
        f.at += length;
    }
    for (const QString& n : names)
        QCOMPARE(qint64(f.i32()), QFileInfo(m_folder + n).size());
    const double ole = oleDateOf(QDateTime(QDate(2004, 2, 29), QTime(23, 59, 58)));
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(f.u16(), 7);
        QVERIFY(qAbs(f.f64() - ole) < 0.5 / 86400);
    }
    QCOMPARE(f.string(), cp932::encodeExact(m_folder).value());
    QCOMPARE(f.at, f.b.size());
}

void TestContainerTools::makeRefuses_data()
{
    QTest::addColumn<QStringList>("args"); // after OUT; "@" stands for the album folder
    QTest::addColumn<int>("status");

    const QString other = m_dir.filePath(QStringLiteral("other")) + QLatin1Char('/');
    QDir().mkpath(other);
    makeAlbum(other, QStringLiteral("elsewhere.sld"), QSize(20, 20), 7);
    makeAlbum(m_folder, QStringLiteral("*star.sld"), QSize(20, 20), 8);
    makeAlbum(m_folder, QStringLiteral("한글.sld"), QSize(20, 20), 9);
    writeBytes(m_folder + QStringLiteral("notes.sld"), "these are notes, not an album");
    QDir().mkpath(m_folder + QStringLiteral("sub"));

    const QString a = QStringLiteral("@b.sld");
    QTest::newRow("no album") << QStringList{} << 2;
    QTest::newRow("size 75") << QStringList{a, "--size", "75"} << 2;
    QTest::newRow("size not a number") << QStringList{a, "--size=big"} << 2;
    QTest::newRow("size missing") << QStringList{a, "--size"} << 2;
    QTest::newRow("password of 9") << QStringList{a, "--password", "123456789"} << 2;
    QTest::newRow("password full-width") << QStringList{a, "--password", "ｐａｓｓ"} << 2;
    QTest::newRow("password empty") << QStringList{a, "--password="} << 2;
    QTest::newRow("unknown option") << QStringList{a, "--colour", "red"} << 2;
    QTest::newRow("name with hidden mark") << QStringList{a, "@*star.sld"} << 2;
    QTest::newRow("two folders") << QStringList{a, other + "elsewhere.sld"} << 2;
    QTest::newRow("name without Shift-JIS form") << QStringList{a, "@한글.sld"} << 2;
    QTest::newRow("album missing") << QStringList{a, "@gone.sld"} << 1;
    QTest::newRow("album is a folder") << QStringList{a, "@sub"} << 1;
    QTest::newRow("not an album") << QStringList{"@notes.sld", a} << 3;
}

void TestContainerTools::makeRefuses()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    const QString out = m_folder + QStringLiteral("refused.cov");
    for (QString& a : args)
        a.replace(QLatin1Char('@'), m_folder);
    const test::CliRun r = runCli(QStringList{QStringLiteral("container-make"), out} + args);
    QCOMPARE(r.status, status);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err.count('\n'), 1); // one line says why
    QVERIFY(!QFileInfo::exists(out));
}

void TestContainerTools::makeWarns()
{
    // Into another folder: written, with a warning that the albums are elsewhere.
    const QString out = m_dir.filePath(QStringLiteral("away.cov"));
    test::CliRun r =
        runCli({QStringLiteral("container-make"), out, m_folder + QStringLiteral("b.sld")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.contains("warning"));
    QVERIFY(r.err.contains(QFileInfo(m_folder).absolutePath().toUtf8()));
    QVERIFY(QFileInfo::exists(out));

    // Over one of its own albums: refused, the album left as it was.
    const QByteArray album = readBytes(m_folder + QStringLiteral("b.sld"));
    r = runCli({QStringLiteral("container-make"), m_folder + QStringLiteral("b.sld"),
                m_folder + QStringLiteral("b.sld")});
    QCOMPARE(r.status, 2);
    QCOMPARE(readBytes(m_folder + QStringLiteral("b.sld")), album);

    // An album broken past its header is stored without a thumbnail.
    const QByteArray locked = readBytes(m_folder + QStringLiteral("locked.sld"));
    QVERIFY(writeBytes(m_folder + QStringLiteral("cut.sld"), locked.left(locked.size() - 9)));
    const QString withCut = m_folder + QStringLiteral("cut.cov");
    r = runCli({QStringLiteral("container-make"), withCut, m_folder + QStringLiteral("b.sld"),
                m_folder + QStringLiteral("cut.sld")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.contains("cut.sld"));
    const container::ContainerResult<container::ContainerDocument> doc =
        container::readContainer(withCut);
    QVERIFY(doc.ok());
    QCOMPARE(doc->albums.at(1).thumbSize, 0);
    QVERIFY(doc->albums.at(1).thumbnail.isNull());
    QCOMPARE(doc->albums.at(1).fileSize, qint32(locked.size() - 9));
    QVERIFY(!doc->albums.at(0).thumbnail.isNull());
    QFile::remove(m_folder + QStringLiteral("cut.sld"));

    // Damage in a later photo entry (its position 0, the second of the two
    // positions that end the file before the lengths) keeps the thumbnail.
    QByteArray damaged = readBytes(m_folder + QStringLiteral("b.sld"));
    patch32(damaged, damaged.size() - 12, 0);
    QVERIFY(writeBytes(m_folder + QStringLiteral("damaged.sld"), damaged));
    const QString withDamaged = m_folder + QStringLiteral("damaged.cov");
    r = runCli(
        {QStringLiteral("container-make"), withDamaged, m_folder + QStringLiteral("damaged.sld")});
    QFile::remove(m_folder + QStringLiteral("damaged.sld"));
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    const container::ContainerResult<container::ContainerDocument> made =
        container::readContainer(withDamaged);
    QVERIFY(made.ok());
    QCOMPARE(made->albums.at(0).thumbSize, 30 * 65536 + 90);
    QCOMPARE(made->albums.at(0).thumbnail.size(), QSize(26, 78));
}

void TestContainerTools::verify()
{
    const QString folder = m_dir.filePath(QStringLiteral("verify")) + QLatin1Char('/');
    QDir().mkpath(folder);
    QStringList args = {QStringLiteral("container-make"), folder + QStringLiteral("v.cov")};
    for (const QString& n : {QStringLiteral("a.sld"), QStringLiteral("消えた.sld"),
                             QStringLiteral("c.sld"), QStringLiteral("d.sld")})
        args << makeAlbum(folder, n, QSize(40, 30), 20);
    QCOMPARE(runCli(args).status, 0);

    test::CliRun r = runCli({QStringLiteral("container-verify"), folder + QStringLiteral("v.cov")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.isEmpty());

    QVERIFY(QFile::remove(folder + QStringLiteral("消えた.sld")));
    QByteArray c = readBytes(folder + QStringLiteral("c.sld"));
    c.replace(0, 7, "Vintrix"); // no longer an album header
    QVERIFY(writeBytes(folder + QStringLiteral("c.sld"), c));
    r = runCli({QStringLiteral("container-verify"), folder + QStringLiteral("v.cov")});
    QCOMPARE(r.status, 1);
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.size(), 3); // two lines and the empty rest
    QCOMPARE(lines.at(0), QStringLiteral("1\tmissing\t消えた.sld").toUtf8());
    QVERIFY(lines.at(1).startsWith("2\tbad\tc.sld\t"));
}

void TestContainerTools::verifyFailures_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::addColumn<int>("status");
    QTest::newRow("no file") << QByteArray() << 1;
    QTest::newRow("not a container") << QByteArray("QuorbellXXX2.50") << 3;
    QTest::newRow("truncated") << QByteArray("QuorbellVer2.50\0\0\0\0\0\0\0\0\x05\0P\0", 27) << 3;
}

void TestContainerTools::verifyFailures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    const QString path = m_dir.filePath(QStringLiteral("bad.cov"));
    QFile::remove(path);
    if (!bytes.isEmpty())
        QVERIFY(writeBytes(path, bytes));
    const test::CliRun r = runCli({QStringLiteral("container-verify"), path});
    QCOMPARE(r.status, status);
    QVERIFY(r.out.isEmpty());
    QVERIFY(!r.err.isEmpty());
    // list reads the same file the same way.
    QCOMPARE(runCli({QStringLiteral("list"), path}).status, status);
}

void TestContainerTools::list()
{
    const QString folder = m_dir.filePath(QStringLiteral("list")) + QLatin1Char('/');
    QDir().mkpath(folder);
    QStringList args = {QStringLiteral("container-make"), folder + QStringLiteral("l.cov")};
    for (const QString& n : {QStringLiteral("運動会.sld"), QStringLiteral("kyoto-2003.sld"),
                             QStringLiteral("gone.sld")})
        args << makeAlbum(folder, n, QSize(40, 30), 30);
    QCOMPARE(runCli(args).status, 0);
    QVERIFY(QFile::remove(folder + QStringLiteral("gone.sld")));

    const QString path = folder + QStringLiteral("l.cov");
    test::CliRun r = runCli({QStringLiteral("list"), path});
    QCOMPARE(r.status, 0);
    const QString text = QString::fromUtf8(r.out);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4); // three lines, each ended by CR LF
    QVERIFY(lines.at(0).startsWith(QStringLiteral("1   運動会    ")));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("2   kyoto-2003    ")));
    QVERIFY(lines.at(2).startsWith(QStringLiteral("3   *gone    "))); // its file is missing
    // The same text the album list dialog builds for these entries.
    const container::ContainerResult<container::ContainerDocument> doc =
        container::readContainer(path);
    QVERIFY(doc.ok());
    QCOMPARE(text, albumListTextBesideContainer(doc->albums, path));

    // Written as the dialog saves it: Shift-JIS with CR LF.
    const QString txt = folder + QStringLiteral("l.txt");
    r = runCli({QStringLiteral("list"), path, QStringLiteral("--output"), txt});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.isEmpty());
    const QByteArray bytes = readBytes(txt);
    QCOMPARE(bytes, cp932::encodeExact(text).value());
    QVERIFY(bytes.startsWith("1   \x89\x5E\x93\xAE\x89\xEF    "));
    QCOMPARE(bytes.count("\r\n"), 3);
    QCOMPARE(bytes.count('\n'), 3);
}

void TestContainerTools::listFailures_data()
{
    QTest::addColumn<QStringList>("args"); // "@" stands for a good container
    QTest::addColumn<int>("status");
    QTest::newRow("no file") << QStringList{} << 2;
    QTest::newRow("two files") << QStringList{"@", "@"} << 2;
    QTest::newRow("output without name") << QStringList{"@", "--output"} << 2;
    QTest::newRow("output over the container") << QStringList{"@", "--output", "@"} << 2;
    QTest::newRow("output in no folder") << QStringList{"@", "--output", "/nonexistent/x.txt"} << 1;
}

void TestContainerTools::listFailures()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    const QString good = m_folder + QStringLiteral("made.cov");
    const QByteArray before = readBytes(good);
    QVERIFY(!before.isEmpty());
    for (QString& a : args)
        a.replace(QLatin1Char('@'), good);
    const test::CliRun r = runCli(QStringList{QStringLiteral("list")} + args);
    QCOMPARE(r.status, status);
    QCOMPARE(readBytes(good), before);
}

void TestContainerTools::demo()
{
    const QString folder = qEnvironmentVariable("QUORBELL_DATA_DIR") + QStringLiteral("/demo/");
    const QString path = folder + QStringLiteral("デモ.cov");
    const container::ContainerResult<container::ContainerDocument> doc =
        container::readContainer(path);
    QVERIFY(doc.ok());
    QVERIFY(!hasPassword(doc->password));
    QVERIFY(doc->albums.size() >= 20);
    int hidden = 0, missing = 0, protectedAlbums = 0, hiddenPhotos = 0, japanese = 0;
    for (const AlbumEntry& e : doc->albums) {
        QVERIFY2(!e.thumbnail.isNull(), qPrintable(e.fileName));
        QVERIFY(!e.comment.isEmpty());
        if (!cp932::isSingleByte(e.fileName.at(0)))
            ++japanese;
        if (e.isHidden()) {
            ++hidden;
            QCOMPARE(e.fileName, QStringLiteral("*old-scans.sld"));
        }
        const QString file = folder + withoutHiddenMark(e.fileName);
        if (!QFileInfo::exists(file)) {
            ++missing;
            QCOMPARE(e.fileName, QStringLiteral("引っ越し.sld"));
            continue;
        }
        const album::AlbumResult<album::AlbumTable> table = album::readAlbumTable(file);
        QVERIFY(table.ok());
        QCOMPARE(qint64(e.fileSize), QFileInfo(file).size());
        QVERIFY(table->photoCount() >= 3 && table->photoCount() <= 5);
        for (const album::AlbumPhoto& p : table->photos)
            hiddenPhotos += p.isHidden();
        if (table->hasPassword()) {
            ++protectedAlbums;
            QCOMPARE(e.fileName, QStringLiteral("ひみつ.sld"));
            QVERIFY(passwordMatches(table->password, storedPasswordForm(QStringLiteral("demo"))));
        }
    }
    QCOMPARE(hidden, 1);
    QCOMPARE(missing, 1);
    QCOMPARE(protectedAlbums, 1);
    QVERIFY(hiddenPhotos >= 3);
    QVERIFY(japanese >= 8 && japanese <= doc->albums.size() - 8); // both kinds of names

    // The tool sees the same: one missing album, nothing else.
    const test::CliRun r = runCli({QStringLiteral("container-verify"), path});
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.endsWith("\tmissing\t" + QStringLiteral("引っ越し.sld").toUtf8() + "\n"));
    QCOMPARE(r.out.count('\n'), 1);
}

QTEST_GUILESS_MAIN(TestContainerTools)
#include "tst_containertools.moc"
