// Thumbnails: the fit rule's integer arithmetic, the JPEG scale choice, the
// three image formats, the colours surviving the decode, what an album's
// thumbnail carries, and the same answers from worker threads.
#include "album/AlbumFileReader.h"
#include "album/AlbumThumbnail.h"
#include "album/PhotoDecoder.h"
#include "GifEncoder.h"

#include "AlbumFixtures.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>
#include <QtEndian>

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace quorbell;
using namespace quorbell::album;
using quorbell::tools::PhotoFormat;

Q_DECLARE_METATYPE(quorbell::tools::PhotoFormat)
Q_DECLARE_METATYPE(quorbell::album::AlbumError)

namespace {

QImage solid(QSize size, QRgb colour)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString describe(QRgb c)
{
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

} // namespace

class TestAlbumThumbnail : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fitRule_data();
    void fitRule();
    void recordedSize_data();
    void recordedSize();
    void jpegScale_data();
    void jpegScale();
    void formats_data();
    void formats();
    void coloursSurvive_data();
    void coloursSurvive();
    void gifRoundTrip();
    void undecodableBytes_data();
    void undecodableBytes();
    void albumThumbnailCarriesTheFileFacts();
    void onlyTheFirstPhotoCounts();
    void damageStaysWithItsEntry_data();
    void damageStaysWithItsEntry();
    void cutOffBmpRowsAreZero_data();
    void cutOffBmpRowsAreZero();
    void brokenAlbumsKeepSizeAndDate();
    void workersGiveTheSameThumbnails();
    void mappedPhotoGivesTheSameThumbnail_data();
    void mappedPhotoGivesTheSameThumbnail();
};

void TestAlbumThumbnail::fitRule_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QSize>("fitted");
    QTest::newRow("small stays") << QSize(60, 40) << 80 << QSize(60, 40);
    QTest::newRow("wide") << QSize(300, 100) << 80 << QSize(78, 26);
    QTest::newRow("tall") << QSize(100, 300) << 80 << QSize(26, 78);
    QTest::newRow("square") << QSize(100, 100) << 80 << QSize(78, 78);
    QTest::newRow("exactly the edge") << QSize(78, 78) << 80 << QSize(78, 78);
    QTest::newRow("one over the edge") << QSize(79, 40) << 80 << QSize(78, 39);
    QTest::newRow("square below the edge") << QSize(50, 50) << 80 << QSize(50, 50);
    QTest::newRow("truncates, 640x480 in 120") << QSize(640, 480) << 120 << QSize(118, 88);
    QTest::newRow("truncates, 4000x3000 in 60") << QSize(4000, 3000) << 60 << QSize(58, 43);
    QTest::newRow("truncates, tall 3000x4000 in 110") << QSize(3000, 4000) << 110 << QSize(81, 108);
    QTest::newRow("very thin gives 0") << QSize(1000, 1) << 80 << QSize(78, 0);
    QTest::newRow("largest recorded") << QSize(32767, 32767) << 120 << QSize(118, 118);
}

void TestAlbumThumbnail::fitRule()
{
    QFETCH(QSize, picture);
    QFETCH(int, cell);
    QFETCH(QSize, fitted);
    QCOMPARE(fitToCell(picture, cell), fitted);
}

void TestAlbumThumbnail::recordedSize_data()
{
    QTest::addColumn<QSize>("full");
    QTest::addColumn<QSize>("recorded");
    QTest::newRow("ordinary") << QSize(4000, 3000) << QSize(4000, 3000);
    QTest::newRow("limit") << QSize(32767, 10) << QSize(32767, 10);
    QTest::newRow("wide panorama") << QSize(40000, 1000) << QSize(32767, 819);
    QTest::newRow("tall strip") << QSize(3, 65535) << QSize(1, 32767);
}

void TestAlbumThumbnail::recordedSize()
{
    QFETCH(QSize, full);
    QFETCH(QSize, recorded);
    QCOMPARE(recordedPixelSize(full), recorded);
}

void TestAlbumThumbnail::jpegScale_data()
{
    QTest::addColumn<QSize>("full");
    QTest::addColumn<QSize>("needed");
    QTest::addColumn<int>("denominator");
    QTest::newRow("12 MP into 78x58") << QSize(4000, 3000) << QSize(78, 58) << 8;
    QTest::newRow("640x480 into 78x58") << QSize(640, 480) << QSize(78, 58) << 8;
    QTest::newRow("eighth rounds up") << QSize(617, 463) << QSize(78, 58) << 8;
    QTest::newRow("eighth too small") << QSize(600, 450) << QSize(78, 58) << 4;
    QTest::newRow("half rounds up") << QSize(155, 155) << QSize(78, 78) << 2;
    QTest::newRow("half too small") << QSize(154, 154) << QSize(78, 78) << 1;
    QTest::newRow("small picture kept") << QSize(60, 40) << QSize(60, 40) << 1;
}

void TestAlbumThumbnail::jpegScale()
{
    QFETCH(QSize, full);
    QFETCH(QSize, needed);
    QFETCH(int, denominator);
    QCOMPARE(jpegScaleDenominator(full, needed), denominator);
}

void TestAlbumThumbnail::formats_data()
{
    QTest::addColumn<PhotoFormat>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("cell");
    for (const auto& [name, format] :
         {std::pair{"jpeg", PhotoFormat::Jpeg}, std::pair{"bmp", PhotoFormat::Bmp},
          std::pair{"gif", PhotoFormat::Gif}}) {
        QTest::newRow(QByteArray(name) + " 640x480") << format << QSize(640, 480) << 80;
        QTest::newRow(QByteArray(name) + " 300x100") << format << QSize(300, 100) << 80;
        QTest::newRow(QByteArray(name) + " 100x300 in 120") << format << QSize(100, 300) << 120;
        QTest::newRow(QByteArray(name) + " 60x40 stays") << format << QSize(60, 40) << 80;
        QTest::newRow(QByteArray(name) + " 1201x7") << format << QSize(1201, 7) << 60;
    }
}

void TestAlbumThumbnail::formats()
{
    QFETCH(PhotoFormat, format);
    QFETCH(QSize, size);
    QFETCH(int, cell);
    const QByteArray bytes = tools::makeSamplePhoto(size, 7, format);
    QCOMPARE(readPixelSize(bytes), std::optional<QSize>(size));
    const std::optional<DecodedPhoto> photo =
        decodePhoto(bytes, [cell](QSize full) { return fitToCell(full, cell); });
    QVERIFY(photo);
    QCOMPARE(photo->fullSize, size);
    QCOMPARE(photo->image.format(), QImage::Format_RGB32);
    const QImage thumb = fitPictureToCell(photo->image, photo->fullSize, cell);
    QCOMPARE(thumb.size(), fitToCell(size, cell).expandedTo(QSize(1, 1)));
    QCOMPARE(thumb.format(), kThumbnailFormat);
    if (format == PhotoFormat::Jpeg) {
        // Shrunk on load: never below the fitted size, never the full size
        // when an eighth would do.
        const int d = jpegScaleDenominator(size, fitToCell(size, cell));
        QCOMPARE(photo->image.size(),
                 QSize((size.width() + d - 1) / d, (size.height() + d - 1) / d));
    }
}

void TestAlbumThumbnail::coloursSurvive_data()
{
    QTest::addColumn<PhotoFormat>("format");
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("jpeg red") << PhotoFormat::Jpeg << qRgb(200, 30, 10) << 8;
    QTest::newRow("jpeg blue") << PhotoFormat::Jpeg << qRgb(20, 40, 220) << 8;
    QTest::newRow("bmp orange") << PhotoFormat::Bmp << qRgb(250, 140, 0) << 0;
    QTest::newRow("gif palette green") << PhotoFormat::Gif << qRgb(51, 170, 255) << 0;
}

void TestAlbumThumbnail::coloursSurvive()
{
    // A channel swap or a lost alpha byte in the decode would show here.
    QFETCH(PhotoFormat, format);
    QFETCH(QRgb, colour);
    QFETCH(int, tolerance);
    const QByteArray bytes = tools::encodePhoto(solid(QSize(400, 300), colour), format);
    const std::optional<DecodedPhoto> photo =
        decodePhoto(bytes, [](QSize full) { return fitToCell(full, 80); });
    QVERIFY(photo);
    const QImage thumb = fitPictureToCell(photo->image, photo->fullSize, 80);
    const QRgb expected = format == PhotoFormat::Gif ? tools::gifPaletteColour(colour) : colour;
    for (const QPoint p : {QPoint(0, 0), QPoint(39, 29), QPoint(77, 57)}) {
        const QRgb got = thumb.pixel(p);
        QVERIFY2(near(got, expected, tolerance), qPrintable(describe(got)));
        QCOMPARE(qAlpha(photo->image.pixel(p)), 255);
    }

    // Greyscale JPEGs come out grey.
    const QByteArray grey = tools::encodePhoto(
        solid(QSize(64, 64), qRgb(90, 90, 90)).convertToFormat(QImage::Format_Grayscale8),
        PhotoFormat::Jpeg);
    const std::optional<DecodedPhoto> g = decodePhoto(grey, [](QSize s) { return s; });
    QVERIFY(g);
    QVERIFY(near(g->image.pixel(10, 10), qRgb(90, 90, 90), 3));
}

void TestAlbumThumbnail::gifRoundTrip()
{
    // Noise fills the LZW table several times over: code widths 9 to 12 and
    // the table resets must all decode back to the same pixels.
    const QImage source = tools::paintSamplePhoto(QSize(301, 203), 99);
    const QByteArray gif = tools::encodeGif(source);
    QImage back;
    QVERIFY(back.loadFromData(gif, "GIF"));
    QCOMPARE(back.size(), source.size());
    back = back.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (back.pixel(x, y) != tools::gifPaletteColour(source.pixel(x, y)))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
        }
    }
}

void TestAlbumThumbnail::undecodableBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray jpeg = tools::makeSamplePhoto(QSize(64, 48), 3, PhotoFormat::Jpeg);
    QTest::newRow("text") << QByteArray("hello, this is not a picture");
    QTest::newRow("one byte") << QByteArray("\xFF");
    QTest::newRow("JPEG marker only") << QByteArray("\xFF\xD8\xFF", 3);
    QTest::newRow("JPEG cut in its header") << jpeg.left(100);
    QTest::newRow("BMP marker only") << QByteArray("BM");
    QTest::newRow("BMP header of zeros") << QByteArray("BM" + QByteArray(60, '\0'));
    QTest::newRow("GIF signature only") << QByteArray("GIF89a");
    QTest::newRow("PNG is not an album photo") << [] {
        QByteArray b;
        QBuffer buf(&b);
        buf.open(QIODevice::WriteOnly);
        solid(QSize(8, 8), qRgb(1, 2, 3)).save(&buf, "PNG");
        return b;
    }();
}

void TestAlbumThumbnail::undecodableBytes()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!decodePhoto(bytes, [](QSize s) { return s; }));
}

void TestAlbumThumbnail::albumThumbnailCarriesTheFileFacts()
{
    tools::AlbumSpec albumSpec;
    albumSpec.password = storedPasswordForm(QStringLiteral("key"));
    albumSpec.photos = {test::samplePhoto(QStringLiteral("a.jpg"), QSize(1600, 1200), 1)};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sld"));
    const QByteArray bytes = test::albumBytes(albumSpec);
    QVERIFY(test::writeBytes(path, bytes));
    // Midnight local time: the date is kept as a date, at whole seconds.
    const QDateTime when(QDate(2003, 1, 2), QTime(0, 0, 0, 0));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(when.addMSecs(700), QFileDevice::FileModificationTime));
    }

    const AlbumThumbnail t = makeAlbumThumbnail(path, 100);
    QVERIFY2(t.ok(), errorName(t.failure.error));
    QCOMPARE(t.path, path);
    QCOMPARE(t.cellSize, 100);
    QVERIFY(t.fileExists);
    QCOMPARE(t.fileSize, bytes.size());
    QCOMPARE(t.fileDate, DateVariant::fromDateTime(when));
    QCOMPARE(t.fileDate.toDateTime(), std::optional<QDateTime>(when));
    QVERIFY(t.tableRead);
    QVERIFY(t.hasPassword());
    QCOMPARE(t.password, albumSpec.password);
    QCOMPARE(t.pixelSize, QSize(1600, 1200));
    QCOMPARE(t.image.size(), QSize(98, 73));
    QCOMPARE(t.image.format(), kThumbnailFormat);
}

void TestAlbumThumbnail::onlyTheFirstPhotoCounts()
{
    tools::AlbumSpec albumSpec;
    albumSpec.photos = {
        test::samplePhoto(QStringLiteral("first.gif"), QSize(90, 120), 5, PhotoFormat::Gif),
        {QStringLiteral("second.jpg"), QByteArray("not an image"), QSize(1, 1), false}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sld"));
    QVERIFY(test::writeBytes(path, test::albumBytes(albumSpec)));
    const AlbumThumbnail t = makeAlbumThumbnail(path, 80);
    QVERIFY2(t.ok(), errorName(t.failure.error));
    QCOMPARE(t.pixelSize, QSize(90, 120));
    QCOMPARE(t.image.size(), QSize(58, 78));
}

void TestAlbumThumbnail::damageStaysWithItsEntry_data()
{
    QTest::addColumn<QString>("field"); // name, position or length
    QTest::addColumn<int>("photo");
    QTest::addColumn<AlbumError>("thumbnailError");
    QTest::newRow("second name not code page 932") << "name" << 1 << AlbumError::None;
    QTest::newRow("second position 0") << "position" << 1 << AlbumError::None;
    QTest::newRow("third without length") << "length" << 2 << AlbumError::None;
    // The thumbnail never needed the first name; it needs the first photo.
    QTest::newRow("first name not code page 932") << "name" << 0 << AlbumError::None;
    QTest::newRow("first position 0") << "position" << 0 << AlbumError::BadPosition;
}

void TestAlbumThumbnail::damageStaysWithItsEntry()
{
    QFETCH(QString, field);
    QFETCH(int, photo);
    QFETCH(AlbumError, thumbnailError);
    tools::AlbumSpec albumSpec;
    for (int i = 0; i < 3; ++i)
        albumSpec.photos.append(test::samplePhoto(QStringLiteral("p%1.jpg").arg(i),
                                                  QSize(120 + 40 * i, 90), quint32(i + 1)));
    tools::BuiltAlbum built = *tools::buildAlbum(albumSpec);
    QByteArray& b = built.bytes;
    const qint64 nameAt = built.layout.namesOffset + 2 + qint64(photo) * (2 + 6);
    if (field == "name")
        b[nameAt] = char(0xFD); // no character has this byte
    else if (field == "position")
        test::patch32(b, built.layout.positionsOffset + 4 * photo, 0);
    else
        test::patch32(b, built.layout.lengthsOffset + 4 * photo, 0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sld"));
    QVERIFY(test::writeBytes(path, b));

    // Read as a whole, as the album report and extraction do: refused.
    const AlbumResult<AlbumTable> whole = readAlbumTable(path);
    QCOMPARE(whole.error(), field == "name" ? AlbumError::BadName : AlbumError::BadPosition);

    // Entry by entry: only the damaged entry carries it.
    const AlbumResult<AlbumTable> each = readAlbumTable(path, EntryChecks::EachEntryAlone);
    QVERIFY(each.ok());
    for (int i = 0; i < 3; ++i) {
        const AlbumPhoto& p = each->photos.at(i);
        const bool damaged = i == photo;
        QCOMPARE(p.nameDamage.error,
                 damaged && field == "name" ? AlbumError::BadName : AlbumError::None);
        QCOMPARE(p.hasReadableImage(), !damaged || field == "name");
        QCOMPARE(p.name.contains(QChar(0xFFFD)), damaged && field == "name");
        if (p.hasReadableImage())
            QCOMPARE(readPhotoBytes(path, p)->size(), p.length);
    }

    const AlbumThumbnail t = makeAlbumThumbnail(path, 80);
    QCOMPARE(errorName(t.failure.error), errorName(thumbnailError));
    if (t.ok()) {
        QCOMPARE(t.pixelSize, QSize(120, 90));
        QCOMPARE(t.image.size(), QSize(78, 58));
    }
}

void TestAlbumThumbnail::cutOffBmpRowsAreZero_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QRgb>("zero"); // what a pixel of zero bytes shows
    QImage indexed(20, 12, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 200, 30), qRgb(200, 10, 10)});
    indexed.fill(1);
    QTest::newRow("24-bit") << solid(QSize(20, 12), qRgb(200, 10, 10)) << qRgb(0, 0, 0);
    QTest::newRow("8-bit palette") << indexed << qRgb(10, 200, 30);
}

void TestAlbumThumbnail::cutOffBmpRowsAreZero()
{
    QFETCH(QImage, picture);
    QFETCH(QRgb, zero);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "BMP"));
    // Rows are stored bottom-up: cutting 5 rows' bytes loses the top 5 rows.
    const int bitsPerPixel = qFromLittleEndian<quint16>(bmp.constData() + 28);
    const qsizetype stride = (picture.width() * bitsPerPixel + 31) / 32 * 4;
    bmp.chop(5 * stride);
    QImage expected = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < expected.width(); ++x)
            expected.setPixel(x, y, zero);
    for (int round = 0; round < 2; ++round) {
        // Freed blocks full of a pattern, for a decoder that leaves pixels unwritten.
        std::vector<void*> blocks;
        for (int i = 0; i < 512; ++i) {
            const size_t size = 16 + size_t(i % 128) * 32;
            blocks.push_back(std::memset(std::malloc(size), 0xA5, size));
        }
        for (void* b : blocks)
            std::free(b);
        const std::optional<DecodedPhoto> photo = decodePhoto(bmp, [](QSize full) { return full; });
        QVERIFY(photo);
        QCOMPARE(photo->image, expected);
    }
}

void TestAlbumThumbnail::brokenAlbumsKeepSizeAndDate()
{
    QTemporaryDir dir;
    // The first photo's bytes are no image: the table was read, the photo failed.
    tools::AlbumSpec albumSpec;
    albumSpec.photos = {{QStringLiteral("x.jpg"), QByteArray(500, '\x01'), QSize(10, 10), false}};
    const QString undecodable = dir.filePath(QStringLiteral("u.sld"));
    QVERIFY(test::writeBytes(undecodable, test::albumBytes(albumSpec)));
    AlbumThumbnail t = makeAlbumThumbnail(undecodable, 80);
    QCOMPARE(t.failure.error, AlbumError::UndecodableImage);
    QVERIFY(t.tableRead);
    QVERIFY(t.fileExists);
    QCOMPARE(t.fileSize, QFileInfo(undecodable).size());
    QVERIFY(t.fileDate.kind == DateVariant::Kind::Date);
    QVERIFY(t.image.isNull());

    // Broken tables: nothing but the file's own facts.
    QByteArray cut = test::albumBytes(albumSpec).left(30);
    const QString truncated = dir.filePath(QStringLiteral("t.sld"));
    QVERIFY(test::writeBytes(truncated, cut));
    t = makeAlbumThumbnail(truncated, 80);
    QCOMPARE(t.failure.error, AlbumError::BadCount);
    QVERIFY(!t.tableRead);
    QCOMPARE(t.fileSize, 30);

    t = makeAlbumThumbnail(dir.filePath(QStringLiteral("missing.sld")), 80);
    QCOMPARE(t.failure.error, AlbumError::Missing);
    QVERIFY(!t.fileExists);
    t = makeAlbumThumbnail(dir.path(), 80);
    QCOMPARE(t.failure.error, AlbumError::NotAFile);
    QVERIFY(!t.fileExists);
}

void TestAlbumThumbnail::workersGiveTheSameThumbnails()
{
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < 6; ++i) {
        tools::AlbumSpec albumSpec;
        albumSpec.photos = {test::samplePhoto(QStringLiteral("p.jpg"),
                                              QSize(300 + i * 50, 200 + i * 30), quint32(i),
                                              i % 3 == 0 ? PhotoFormat::Bmp : PhotoFormat::Jpeg)};
        paths << dir.filePath(QStringLiteral("%1.sld").arg(i));
        QVERIFY(test::writeBytes(paths.last(), test::albumBytes(albumSpec)));
    }
    const QList<AlbumThumbnail> threaded = QtConcurrent::blockingMapped(
        paths, [](const QString& p) { return makeAlbumThumbnail(p, 90); });
    for (int i = 0; i < paths.size(); ++i) {
        const AlbumThumbnail here = makeAlbumThumbnail(paths.at(i), 90);
        QVERIFY(here.ok() && threaded.at(i).ok());
        QCOMPARE(threaded.at(i).image, here.image);
        QCOMPARE(threaded.at(i).pixelSize, here.pixelSize);
    }
}

void TestAlbumThumbnail::mappedPhotoGivesTheSameThumbnail_data()
{
    QTest::addColumn<QByteArray>("photo");
    QTest::addColumn<bool>("noPosition");
    QTest::addColumn<AlbumError>("error");
    const QImage picture = tools::paintSamplePhoto(QSize(640, 480), 7);
    const QByteArray jpeg = tools::encodePhoto(picture, PhotoFormat::Jpeg);
    QTest::newRow("jpeg") << jpeg << false << AlbumError::None;
    QTest::newRow("bmp") << tools::encodePhoto(picture, PhotoFormat::Bmp) << false
                         << AlbumError::None;
    // 160 x 120 inside: enough for a cell of 100, so the photo is not decoded.
    QTest::newRow("exif thumbnail")
        << tools::encodeCameraJpeg(picture, 1, 160) << false << AlbumError::None;
    QTest::newRow("exif turned") << tools::encodeCameraJpeg(picture, 6, 0) << false
                                 << AlbumError::None;
    QTest::newRow("no image") << QByteArray(500, '\x01') << false << AlbumError::UndecodableImage;
    QTest::newRow("position 0") << jpeg << true << AlbumError::BadPosition;
}

void TestAlbumThumbnail::mappedPhotoGivesTheSameThumbnail()
{
    QFETCH(QByteArray, photo);
    QFETCH(bool, noPosition);
    QFETCH(AlbumError, error);
    tools::AlbumSpec albumSpec;
    albumSpec.photos = {{QStringLiteral("p.jpg"), photo, QSize(640, 480), false},
                        test::samplePhoto(QStringLiteral("q.jpg"), QSize(64, 48), 2)};
    tools::BuiltAlbum built = *tools::buildAlbum(albumSpec);
    if (noPosition)
        test::patch32(built.bytes, built.layout.positionsOffset, 0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sld"));
    QVERIFY(test::writeBytes(path, built.bytes));

    const AlbumThumbnail read = makeAlbumThumbnail(path, 100, PhotoAccess::Read);
    const AlbumThumbnail mapped = makeAlbumThumbnail(path, 100, PhotoAccess::Map);
    QCOMPARE(errorName(mapped.failure.error), errorName(read.failure.error));
    QCOMPARE(errorName(read.failure.error), errorName(error));
    QCOMPARE(mapped.pixelSize, read.pixelSize);
    QCOMPARE(mapped.image, read.image);
    QCOMPARE(mapped.image.isNull(), error != AlbumError::None);
}

QTEST_GUILESS_MAIN(TestAlbumThumbnail)
#include "tst_albumthumbnail.moc"
