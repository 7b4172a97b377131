// The album file layout: golden bytes from the generator, the parser on good
// files and on every kind of malformed file, and reading photo bytes on demand.
#include "album/AlbumFileReader.h"

#include "AlbumFixtures.h"
#include "Unprivileged.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace quorbell;
using namespace quorbell::album;
using quorbell::test::albumBytes;
using quorbell::test::patch16;
using quorbell::test::patch32;

Q_DECLARE_METATYPE(quorbell::album::AlbumError)

namespace {

// Two photos with long names (so that a file cut inside the names still
// holds as many bytes as two photos need at least) and a password.
tools::AlbumSpec twoPhotoSpec()
{
    tools::AlbumSpec albumSpec;
    albumSpec.password = storedPasswordForm(QStringLiteral("abc"));
    albumSpec.unusedValue = 0x1234;
    albumSpec.photos = {
        {QStringLiteral("写真一枚目の名前はとても長い名前になっています.JPG"), QByteArray(300, 'x'),
         QSize(640, 480), false},
        {QStringLiteral("second.photo.with.dots.bmp"), QByteArray(200, 'y'), QSize(120, 90), true},
    };
    return albumSpec;
}

} // namespace

class TestAlbumFormat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void workedLayoutGoldenBytes();
    void tablesOfABuiltAlbum_data();
    void tablesOfABuiltAlbum();
    void malformedFiles_data();
    void malformedFiles();
    void thingsThatAreNotFiles();
    void fileWithoutReadPermission();
    void photoBytesOnDemand();
    void photoBytesAfterTheFileShrank();
    void manyPhotosAcrossReadWindows();
};

void TestAlbumFormat::workedLayoutGoldenBytes()
{
    // One 640 x 480 photo named IMG1.JPG whose image file has L = 5 bytes.
    tools::AlbumSpec albumSpec;
    albumSpec.headerTail = "2.00";
    albumSpec.unusedValue = 7;
    albumSpec.photos = {
        {QStringLiteral("IMG1.JPG"), QByteArray("\xFF\xD8\xFF\xD9!", 5), QSize(640, 480), false}};
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(albumSpec);
    QVERIFY(built);
    const QByteArray expected = QByteArray("Vintrel Ver2.00", 15)    // 0: header
                                + QByteArray(8, '\0')                // 15: no password
                                + QByteArray("\x01\x00\x07\x00", 4)  // 23: N = 1, 25: unused
                                + QByteArray("\xE0\x01\x80\x02", 4)  // 27: 640 * 65536 + 480
                                + QByteArray("\x08\x00IMG1.JPG", 10) // 31: name
                                + QByteArray("\x05\x00\x00\x00", 4)  // 41: block length
                                + QByteArray("\xFF\xD8\xFF\xD9!", 5) // 45: image data
                                + QByteArray("\x2E\x00\x00\x00", 4)  // 45+L: position 46
                                + QByteArray("\x05\x00\x00\x00", 4); // 49+L: length
    QCOMPARE(built->bytes.toHex(' '), expected.toHex(' '));
    QCOMPARE(built->layout.imageOffsets, QList<qint64>{45});
    QCOMPARE(built->layout.positionsOffset, 50);

    // A hidden photo with a Japanese name and a password: "*" and the name in
    // code page 932, the password in its stored form.
    albumSpec.password = storedPasswordForm(QStringLiteral("Ab1"));
    albumSpec.photos = {{QStringLiteral("写真.jpg"), QByteArray("z"), QSize(2, 3), true}};
    const QByteArray second = albumBytes(albumSpec);
    QCOMPARE(second.mid(15, 8).toHex(' '), QByteArray("be 9d ce ff ff ff ff ff"));
    QCOMPARE(second.mid(31, 11).toHex(' '), QByteArray("09 00 2a 8e ca 90 5e 2e 6a 70 67"));
    QCOMPARE(second.mid(42, 5).toHex(' '), QByteArray("01 00 00 00 7a"));
    QCOMPARE(second.mid(47).toHex(' '), QByteArray("2f 00 00 00 01 00 00 00"));
}

void TestAlbumFormat::tablesOfABuiltAlbum_data()
{
    QTest::addColumn<int>("photoCount");
    QTest::addColumn<QString>("password");
    QTest::newRow("one photo, no password") << 1 << QString();
    QTest::newRow("three photos, password") << 3 << QStringLiteral("pass");
    QTest::newRow("empty password") << 2 << QString(QLatin1String(""));
}

void TestAlbumFormat::tablesOfABuiltAlbum()
{
    QFETCH(int, photoCount);
    QFETCH(QString, password);
    tools::AlbumSpec albumSpec;
    albumSpec.headerTail = QByteArray("\x00\xFFzz", 4);
    albumSpec.unusedValue = -2;
    if (!password.isNull())
        albumSpec.password = storedPasswordForm(password);
    const QStringList names = {QStringLiteral("IMG.0001.JPG"), QStringLiteral("ｶﾅと漢字.bmp"),
                               QString(), QStringLiteral("x")};
    for (int i = 0; i < photoCount; ++i)
        albumSpec.photos.append({names.at(i), QByteArray(10 + i * 7, char('a' + i)),
                                 QSize(100 + i, 50 + 2 * i), i == 1});
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(albumSpec);
    QVERIFY(built);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sld"));
    QVERIFY(test::writeBytes(path, built->bytes));
    const AlbumResult<AlbumTable> t = readAlbumTable(path);
    QVERIFY2(t.ok(), errorName(t.error()));
    QCOMPARE(t->header, QByteArray("Vintrel Ver\x00\xFFzz", 15));
    QCOMPARE(t->password, albumSpec.password);
    QCOMPARE(t->hasPassword(), !password.isNull());
    QCOMPARE(t->unusedValue, qint16(-2));
    QCOMPARE(t->fileSize, built->bytes.size());
    QCOMPARE(t->tablesEnd, built->layout.endOffset);
    QCOMPARE(t->photoCount(), photoCount);
    for (int i = 0; i < photoCount; ++i) {
        const AlbumPhoto& p = t->photos.at(i);
        const tools::AlbumPhotoSource& s = albumSpec.photos.at(i);
        QCOMPARE(p.name, (s.hidden ? QStringLiteral("*") : QString()) + s.name);
        QCOMPARE(p.isHidden(), s.hidden);
        QCOMPARE(QSize(p.width(), p.height()), s.pixelSize);
        QCOMPARE(p.offset(), built->layout.imageOffsets.at(i));
        QCOMPARE(p.length, s.imageBytes.size());
        QCOMPARE(p.blockOffset, built->layout.imageOffsets.at(i));
        QCOMPARE(p.blockLength, s.imageBytes.size());
    }
}

void TestAlbumFormat::malformedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<AlbumError>("expected");

    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(twoPhotoSpec());
    QVERIFY(built);
    const QByteArray good = built->bytes;
    const tools::AlbumLayout& l = built->layout;
    auto with16 = [&good](qint64 at, qint16 v) {
        QByteArray b = good;
        patch16(b, at, v);
        return b;
    };
    auto with32 = [&good](qint64 at, qint32 v) {
        QByteArray b = good;
        patch32(b, at, v);
        return b;
    };
    const qint32 size = qint32(good.size());

    QTest::newRow("good") << good << AlbumError::None;
    QTest::newRow("other header tail accepted")
        << QByteArray("Vintrel Ver9.99" + good.mid(15)) << AlbumError::None;
    QTest::newRow("bytes after the tables") << good + QByteArray(100, '\0') << AlbumError::None;
    QTest::newRow("empty file") << QByteArray() << AlbumError::BadHeader;
    QTest::newRow("shorter than the header") << good.left(14) << AlbumError::BadHeader;
    QTest::newRow("wrong header") << QByteArray("Vintrel Vex" + good.mid(11))
                                  << AlbumError::BadHeader;
    QTest::newRow("header in lower case")
        << QByteArray("vintrel ver" + good.mid(11)) << AlbumError::BadHeader;
    QTest::newRow("a BMP file") << QByteArray("BM" + QByteArray(100, '\0'))
                                << AlbumError::BadHeader;
    QTest::newRow("header only") << good.left(15) << AlbumError::Truncated;
    QTest::newRow("cut in the password") << good.left(20) << AlbumError::Truncated;
    QTest::newRow("cut in the count") << good.left(24) << AlbumError::Truncated;
    QTest::newRow("cut in the sizes") << good.left(l.sizesOffset + 5) << AlbumError::BadCount;
    QTest::newRow("cut in a name's count") << good.left(l.namesOffset + 1) << AlbumError::BadCount;
    QTest::newRow("cut in the second name")
        << good.left(l.blocksOffset - 3) << AlbumError::Truncated;
    QTest::newRow("cut in a block length")
        << good.left(l.blockOffsets.at(1) + 2) << AlbumError::Truncated;
    QTest::newRow("cut in a block")
        << good.left(l.blockOffsets.at(1) + 50) << AlbumError::BadBlockLength;
    QTest::newRow("cut in the positions")
        << good.left(l.positionsOffset + 6) << AlbumError::Truncated;
    QTest::newRow("cut in the lengths") << good.left(l.lengthsOffset + 7) << AlbumError::Truncated;
    QTest::newRow("count zero") << with16(23, 0) << AlbumError::BadCount;
    QTest::newRow("count negative") << with16(23, -1) << AlbumError::BadCount;
    QTest::newRow("count -32768") << with16(23, -32768) << AlbumError::BadCount;
    QTest::newRow("count too large for the file") << with16(23, 32767) << AlbumError::BadCount;
    QTest::newRow("count one more") << with16(23, 3) << AlbumError::Truncated;
    QTest::newRow("name not code page 932") << [&] {
        QByteArray b = good;
        b[l.namesOffset + 2] = char(0x81);
        b[l.namesOffset + 3] = char(0x20);
        return b;
    }() << AlbumError::BadName;
    QTest::newRow("name with undefined byte") << [&] {
        QByteArray b = good;
        b[l.namesOffset + 4] = char(0xFD);
        return b;
    }() << AlbumError::BadName;
    QTest::newRow("name count past the end") << with16(l.namesOffset, -1) << AlbumError::Truncated;
    QTest::newRow("block length zero")
        << with32(l.blockOffsets.at(0), 0) << AlbumError::BadBlockLength;
    QTest::newRow("block length negative")
        << with32(l.blockOffsets.at(0), -5) << AlbumError::BadBlockLength;
    QTest::newRow("block length 0x7FFFFFFF")
        << with32(l.blockOffsets.at(1), 0x7FFFFFFF) << AlbumError::BadBlockLength;
    QTest::newRow("block length past the end")
        << with32(l.blockOffsets.at(1), qint32(size - l.imageOffsets.at(1) + 1))
        << AlbumError::BadBlockLength;
    QTest::newRow("position zero") << with32(l.positionsOffset, 0) << AlbumError::BadPosition;
    QTest::newRow("position negative")
        << with32(l.positionsOffset + 4, -100) << AlbumError::BadPosition;
    QTest::newRow("position past the end")
        << with32(l.positionsOffset, size + 1) << AlbumError::BadPosition;
    QTest::newRow("position 0x7FFFFFFF")
        << with32(l.positionsOffset, 0x7FFFFFFF) << AlbumError::BadPosition;
    QTest::newRow("length past the end")
        << with32(l.lengthsOffset + 4, qint32(size - l.imageOffsets.at(1) + 1))
        << AlbumError::BadPosition;
    QTest::newRow("length zero") << with32(l.lengthsOffset, 0) << AlbumError::BadPosition;
    QTest::newRow("length negative") << with32(l.lengthsOffset, -1) << AlbumError::BadPosition;
    QTest::newRow("length 0x7FFFFFFF")
        << with32(l.lengthsOffset, 0x7FFFFFFF) << AlbumError::BadPosition;
    QTest::newRow("last byte of the file") << [&] {
        QByteArray b = with32(l.positionsOffset, size);
        patch32(b, l.lengthsOffset, 1);
        return b;
    }() << AlbumError::None;
}

void TestAlbumFormat::malformedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(AlbumError, expected);
    // From a file on disk and from a buffer: the same answer.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.sld"));
    QVERIFY(test::writeBytes(path, bytes));
    const AlbumResult<AlbumTable> fromFile = readAlbumTable(path);
    QCOMPARE(errorName(fromFile.error()), errorName(expected));
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(errorName(readAlbumTable(&buffer).error()), errorName(expected));
    if (expected == AlbumError::None) {
        for (const AlbumPhoto& p : fromFile->photos)
            QCOMPARE(readPhotoBytes(path, p)->size(), p.length);
    }
}

void TestAlbumFormat::thingsThatAreNotFiles()
{
    QTemporaryDir dir;
    QCOMPARE(readAlbumTable(dir.path()).error(), AlbumError::NotAFile);
    QCOMPARE(readAlbumTable(dir.filePath(QStringLiteral("none.sld"))).error(), AlbumError::Missing);
    QCOMPARE(readAlbumTable(QStringLiteral("/dev/zero")).error(), AlbumError::NotAFile);
    QCOMPARE(readAlbumTable(QStringLiteral("/dev/null")).error(), AlbumError::NotAFile);
    // A pipe with no writer would block an open: it must be refused first.
    const QString fifo = dir.filePath(QStringLiteral("pipe.sld"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(readAlbumTable(fifo).error(), AlbumError::NotAFile);
    // A link to an album reads as the album.
    const QString target = dir.filePath(QStringLiteral("real.sld"));
    QVERIFY(test::writeBytes(target, albumBytes(twoPhotoSpec())));
    QVERIFY(QFile::link(target, dir.filePath(QStringLiteral("link.sld"))));
    QVERIFY(readAlbumTable(dir.filePath(QStringLiteral("link.sld"))).ok());
}

void TestAlbumFormat::fileWithoutReadPermission()
{
    QUORBELL_RUN_AS_NOBODY_WHEN_ROOT();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.sld"));
    QVERIFY(test::writeBytes(path, albumBytes(twoPhotoSpec())));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QCOMPARE(readAlbumTable(path).error(), AlbumError::Unreadable);
}

void TestAlbumFormat::photoBytesOnDemand()
{
    const tools::AlbumSpec albumSpec = twoPhotoSpec();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sld"));
    QVERIFY(test::writeBytes(path, albumBytes(albumSpec)));
    AlbumFileReader reader;
    QCOMPARE(reader.open(path).error, AlbumError::None);
    QCOMPARE(*reader.photoBytes(1), albumSpec.photos.at(1).imageBytes);
    QCOMPARE(*reader.photoBytes(0), albumSpec.photos.at(0).imageBytes);
    QCOMPARE(reader.photoBytes(2).error(), AlbumError::NoSuchPhoto);
    QCOMPARE(reader.photoBytes(-1).error(), AlbumError::NoSuchPhoto);
    reader.close();
    QCOMPARE(reader.photoBytes(0).error(), AlbumError::Unreadable);
}

void TestAlbumFormat::photoBytesAfterTheFileShrank()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sld"));
    QVERIFY(test::writeBytes(path, albumBytes(twoPhotoSpec())));
    const AlbumResult<AlbumTable> t = readAlbumTable(path);
    QVERIFY(t.ok());
    QVERIFY(QFile::resize(path, t->photos.at(1).offset() + 10));
    QCOMPARE(readPhotoBytes(path, t->photos.at(1)).error(), AlbumError::BadPosition);
    QCOMPARE(readPhotoBytes(path, t->photos.at(0))->size(), t->photos.at(0).length);
}

void TestAlbumFormat::manyPhotosAcrossReadWindows()
{
    // Blocks of 40 KB: the walk seeks over them and the names and tables span
    // several read windows.
    tools::AlbumSpec albumSpec;
    for (int i = 0; i < 60; ++i)
        albumSpec.photos.append(
            {QStringLiteral("photo%1.jpg").arg(i) + QString(i * 20, QLatin1Char('n')),
             QByteArray(40000 + i, char(i)), QSize(i + 1, i + 2), i % 7 == 0});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.sld"));
    QVERIFY(test::writeBytes(path, albumBytes(albumSpec)));
    AlbumFileReader reader;
    QCOMPARE(reader.open(path).error, AlbumError::None);
    QCOMPARE(reader.table().photoCount(), 60);
    for (int i : {59, 0, 31}) {
        QCOMPARE(reader.table().photos.at(i).name.size(),
                 albumSpec.photos.at(i).name.size() + (i % 7 == 0));
        QCOMPARE(*reader.photoBytes(i), albumSpec.photos.at(i).imageBytes);
    }
}

QTEST_GUILESS_MAIN(TestAlbumFormat)
#include "tst_albumformat.moc"
