// Getting a photo out of an album file and ready for the screen: the byte
// range checks, decoding, and the whole path compared with the plain-loop
// resamplers on the fully decoded photo.
#include "LiteralScaling.h"
#include "QuadrantJpeg.h"
#include "SamplePhotos.h"

#include "album/AlbumFileReader.h"
#include "viewer/PhotoLoader.h"
#include "viewer/PhotoScaler.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace quorbell;
using namespace quorbell::viewer;

Q_DECLARE_METATYPE(quorbell::viewer::PhotoError)
Q_DECLARE_METATYPE(quorbell::album::AlbumError)
Q_DECLARE_METATYPE(quorbell::viewer::SizingChoice)
Q_DECLARE_METATYPE(quorbell::viewer::ScalePath)

namespace {

QByteArray encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(90);
    if (!writer.write(image))
        qFatal("cannot encode test photo as %s", format);
    return bytes;
}

// A photo with edges, gradients and fine detail, so resampling has work to do.
QImage paintedPhoto(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(10, 200, 30));
    g.setColorAt(1, QColor(250, 20, 140));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(Qt::white, 3));
    for (int i = 0; i < w; i += 17)
        p.drawLine(i, 0, w - i, h);
    p.fillRect(QRect(w / 3, h / 4, w / 5, h / 6), QColor(0, 0, 255));
    return image;
}

album::AlbumPhoto photoAt(qint64 position, qint64 length)
{
    album::AlbumPhoto p;
    p.position = qint32(position);
    p.length = qint32(length);
    return p;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestPhotoLoader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void byteRange_data();
    void byteRange();
    void missingFile();
    void prepared_data();
    void prepared();
    void notAPhoto_data();
    void notAPhoto();
    void gifPhoto_data();
    void gifPhoto();
    void photoAboveTheDecodeLimit_data();
    void photoAboveTheDecodeLimit();
    void uprightPhoto_data();
    void uprightPhoto();

private:
    QTemporaryDir m_dir;
    QString m_numbers; // a file of the bytes 0..99
};

void TestPhotoLoader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QByteArray bytes;
    for (int i = 0; i < 100; ++i)
        bytes.append(char(i));
    m_numbers = m_dir.filePath(QStringLiteral("numbers.sld"));
    QVERIFY(writeFile(m_numbers, bytes));
}

void TestPhotoLoader::byteRange_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<album::AlbumError>("error");
    const auto outside = album::AlbumError::BadPosition;
    const auto none = album::AlbumError::None;
    QTest::newRow("whole file") << qint64(1) << qint64(100) << none;
    QTest::newRow("middle") << qint64(11) << qint64(5) << none;
    QTest::newRow("last byte") << qint64(100) << qint64(1) << none;
    QTest::newRow("position 0") << qint64(0) << qint64(5) << outside;
    QTest::newRow("negative position") << qint64(-3) << qint64(5) << outside;
    QTest::newRow("just past the end") << qint64(101) << qint64(1) << outside;
    QTest::newRow("one byte too long") << qint64(96) << qint64(6) << outside;
    QTest::newRow("no bytes") << qint64(5) << qint64(0) << outside;
    QTest::newRow("negative length") << qint64(5) << qint64(-1) << outside;
    QTest::newRow("claims 2 GB") << qint64(1) << qint64(0x7FFFFFFF) << outside;
    QTest::newRow("huge position") << qint64(0x7FFFFFFF) << qint64(1) << outside;
}

// The viewer reads photo bytes through the album library; the range checks
// against the file's real size are what keep a bad table from reading
// outside the file.
void TestPhotoLoader::byteRange()
{
    QFETCH(qint64, position);
    QFETCH(qint64, length);
    QFETCH(album::AlbumError, error);
    const album::AlbumResult<QByteArray> got =
        album::readPhotoBytes(m_numbers, photoAt(position, length));
    QCOMPARE(got.error(), error);
    if (error != album::AlbumError::None)
        return;
    QCOMPARE(got->size(), length);
    for (qint64 i = 0; i < length; ++i)
        QCOMPARE(int(got->at(i)), int(position - 1 + i));

    PhotoRequest request;
    request.albumPath = m_numbers;
    request.photo = photoAt(position, length);
    QCOMPARE(preparePhoto(request).error, PhotoError::NotAnImage);
}

void TestPhotoLoader::missingFile()
{
    QCOMPARE(
        album::readPhotoBytes(m_dir.filePath(QStringLiteral("gone.sld")), photoAt(1, 1)).error(),
        album::AlbumError::Missing);
    QCOMPARE(album::readPhotoBytes(m_dir.path(), photoAt(1, 1)).error(),
             album::AlbumError::NotAFile);
    for (const QString& path : {m_dir.filePath(QStringLiteral("gone.sld")), m_dir.path()}) {
        PhotoRequest request;
        request.albumPath = path;
        request.photo = photoAt(1, 1);
        const PreparedPhoto p = preparePhoto(request);
        QCOMPARE(p.error, PhotoError::FileMissing);
        QVERIFY(p.image.isNull());
    }
    PhotoRequest outside;
    outside.albumPath = m_numbers;
    outside.photo = photoAt(90, 20);
    QCOMPARE(preparePhoto(outside).error, PhotoError::OutsideFile);
}

void TestPhotoLoader::prepared_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("photo");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<SizingChoice>("sizing");
    QTest::addColumn<ScalePath>("path");
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("JPEG shrunk, full decode")
        << QByteArray("jpeg") << QSize(1280, 960) << QSize(300, 200) << SizingChoice::ShrinkToFit
        << ScalePath::Shrink << QPoint(17, 0);
    QTest::newRow("JPEG exactly one half")
        << QByteArray("jpeg") << QSize(800, 600) << QSize(400, 300) << SizingChoice::ShrinkOrEnlarge
        << ScalePath::Shrink << QPoint(0, 0);
    QTest::newRow("BMP enlarged") << QByteArray("bmp") << QSize(64, 40) << QSize(300, 200)
                                  << SizingChoice::ShrinkOrEnlarge << ScalePath::Enlarge
                                  << QPoint(0, 6);
    QTest::newRow("BMP kept, centred")
        << QByteArray("bmp") << QSize(64, 40) << QSize(300, 200) << SizingChoice::ShrinkToFit
        << ScalePath::AsIs << QPoint(118, 80);
    QTest::newRow("JPEG unchanged") << QByteArray("jpeg") << QSize(640, 480) << QSize(300, 200)
                                    << SizingChoice::Unchanged << ScalePath::AsIs << QPoint(0, 0);
}

// The photo sits between other bytes of an album file; what comes out must
// equal the plain-loop resampling of the photo decoded at full size.
void TestPhotoLoader::prepared()
{
    QFETCH(QByteArray, format);
    QFETCH(QSize, photo);
    QFETCH(QSize, screen);
    QFETCH(SizingChoice, sizing);
    QFETCH(ScalePath, path);
    QFETCH(QPoint, offset);

    const QByteArray photoBytes = encode(paintedPhoto(photo.width(), photo.height()), format);
    const QByteArray before(37, '\x5A');
    const QString album = m_dir.filePath(QStringLiteral("photo.sld"));
    QVERIFY(writeFile(album, before + photoBytes + QByteArray(11, '\xA5')));

    PhotoRequest request;
    request.albumPath = album;
    request.photo = photoAt(before.size() + 1, photoBytes.size());
    request.screen = screen;
    request.sizing = sizing;
    const PreparedPhoto got = preparePhoto(request);
    QCOMPARE(got.error, PhotoError::None);
    QCOMPARE(got.photoSize, photo);
    QCOMPARE(got.target.path, path);
    QCOMPARE(got.target.offset(), offset);

    const QImage decoded = QImage::fromData(photoBytes).convertToFormat(QImage::Format_RGB32);
    QImage expected;
    switch (path) {
    case ScalePath::Shrink:
        expected = test::literalShrink(decoded, got.target.newSize());
        break;
    case ScalePath::Enlarge:
        expected = test::literalEnlarge(decoded, got.target.newSize());
        break;
    case ScalePath::AsIs:
        expected = decoded;
        break;
    }
    QCOMPARE(got.image.format(), QImage::Format_RGB32);
    QCOMPARE(got.image.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y)
        QVERIFY2(memcmp(got.image.constScanLine(y), expected.constScanLine(y),
                        size_t(expected.width()) * 4) == 0,
                 qPrintable(QStringLiteral("row %1").arg(y)));
}

void TestPhotoLoader::notAPhoto_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text") << QByteArray("not a picture at all");
    QTest::newRow("cut-off JPEG") << encode(paintedPhoto(64, 48), "jpeg").left(20);
    QTest::newRow("PNG") << encode(paintedPhoto(8, 8), "png");
    // Only a JPEG can be decoded reduced.
    QTest::newRow("BMP above the decode limit") << [] {
        QByteArray b = encode(paintedPhoto(8, 8), "bmp");
        qToLittleEndian(qint32(8200), b.data() + 18);
        qToLittleEndian(qint32(8200), b.data() + 22);
        return b;
    }();
}

void TestPhotoLoader::notAPhoto()
{
    QFETCH(QByteArray, bytes);
    const PreparedPhoto p =
        preparePhotoFromBytes(bytes, QSize(100, 100), SizingChoice::ShrinkOrEnlarge);
    QCOMPARE(p.error, PhotoError::NotAnImage);
    QVERIFY(p.image.isNull());
}

void TestPhotoLoader::gifPhoto_data()
{
    QTest::addColumn<int>("transparentIndex");
    QTest::addColumn<QRgb>("pixel");
    QTest::newRow("opaque red") << 1 << qRgb(255, 0, 0);
    QTest::newRow("transparent lies on white") << 0 << qRgb(255, 255, 255);
}

// A 1x1 GIF whose one pixel has palette index 0 (red), with palette index
// transparentIndex marked transparent.
void TestPhotoLoader::gifPhoto()
{
    QFETCH(int, transparentIndex);
    QFETCH(QRgb, pixel);
    QByteArray gif = QByteArray::fromHex("474946383961"
                                         "01000100"
                                         "800000"
                                         "FF0000"
                                         "000000"
                                         "21F904010000"
                                         "0000"
                                         "2C00000000010001000002024401003B");
    gif[25] = char(transparentIndex);
    const PreparedPhoto p = preparePhotoFromBytes(gif, QSize(100, 100), SizingChoice::Unchanged);
    QCOMPARE(p.error, PhotoError::None);
    QCOMPARE(p.image.size(), QSize(1, 1));
    QCOMPARE(p.image.format(), QImage::Format_RGB32);
    QCOMPARE(p.image.pixel(0, 0), pixel);
    QCOMPARE(p.target.offset(), QPoint(49, 49));
}

namespace {

// Equal within the error of JPEG and of resampling a hard edge's neighbourhood.
bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 12 && std::abs(qGreen(a) - qGreen(b)) <= 12 &&
           std::abs(qBlue(a) - qBlue(b)) <= 12;
}

const tools::Quadrants kQuadrants{qRgb(220, 30, 30), qRgb(30, 30, 220), qRgb(30, 200, 30),
                                  qRgb(240, 240, 240)};

} // namespace

void TestPhotoLoader::photoAboveTheDecodeLimit_data()
{
    QTest::addColumn<SizingChoice>("sizing");
    QTest::addColumn<QRect>("placed");        // offset and size of the image on a 1024 x 768 screen
    QTest::addColumn<QList<QRgb>>("corners"); // top-left, top-right, bottom-left, bottom-right
    const QList<QRgb> all{kQuadrants.topLeft, kQuadrants.topRight, kQuadrants.bottomLeft,
                          kQuadrants.bottomRight};
    QTest::newRow("shrink to fit") << SizingChoice::ShrinkToFit << QRect(128, 0, 768, 768) << all;
    QTest::newRow("shrink or enlarge")
        << SizingChoice::ShrinkOrEnlarge << QRect(128, 0, 768, 768) << all;
    // At its own size only the top-left corner of the photo is on the screen.
    QTest::newRow("unchanged") << SizingChoice::Unchanged << QRect(0, 0, 1024, 768)
                               << QList<QRgb>(4, kQuadrants.topLeft);
}

void TestPhotoLoader::photoAboveTheDecodeLimit()
{
    QFETCH(SizingChoice, sizing);
    QFETCH(QRect, placed);
    QFETCH(QList<QRgb>, corners);
    // 8200 x 8200 pixels take 269 MB as 32-bit pixels: more than the limit.
    static const QByteArray jpeg = tools::makeQuadrantJpeg(QSize(8200, 8200), kQuadrants);
    const PreparedPhoto p = preparePhotoFromBytes(jpeg, QSize(1024, 768), sizing, 1);
    QCOMPARE(p.error, PhotoError::None);
    QCOMPARE(p.photoSize, QSize(8200, 8200));
    QCOMPARE(p.target.offset(), placed.topLeft());
    QCOMPARE(p.image.size(), placed.size());
    // Away from the black edges the shrinking leaves and from the seams.
    const int w = p.image.width(), h = p.image.height();
    const QPoint at[] = {{8, 8}, {w - 8, 8}, {8, h - 8}, {w - 8, h - 8}};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(near(p.image.pixel(at[i]), corners.at(i)), qPrintable(QString::number(i)));
}

void TestPhotoLoader::uprightPhoto_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<SizingChoice>("sizing");
    QTest::addColumn<QSize>("drawn");
    QTest::addColumn<QPoint>("offset");
    for (int o = 0; o <= 8; ++o) {
        QTest::newRow(qPrintable(QStringLiteral("%1 as is").arg(o)))
            << o << SizingChoice::Unchanged << QSize(64, 48) << QPoint(18, 26);
    }
    // The fit is worked out on the upright photo: the width governs.
    for (int o : {1, 6, 8})
        QTest::newRow(qPrintable(QStringLiteral("%1 shrunk").arg(o)))
            << o << SizingChoice::ShrinkToFit << QSize(100, 75) << QPoint(0, 12);
}

// A photo whose EXIF tag says how it was turned is shown upright, sized and
// placed as the upright photo, in the slideshow and the random display alike.
void TestPhotoLoader::uprightPhoto()
{
    QFETCH(int, orientation);
    QFETCH(SizingChoice, sizing);
    QFETCH(QSize, drawn);
    QFETCH(QPoint, offset);
    const QSize upright = sizing == SizingChoice::Unchanged ? QSize(64, 48) : QSize(400, 300);
    const QByteArray bytes = tools::encodeCameraJpeg(tools::paintQuarters(upright), orientation, 0);
    const PreparedPhoto p = preparePhotoFromBytes(bytes, QSize(100, 100), sizing);
    QCOMPARE(p.error, PhotoError::None);
    QCOMPARE(p.photoSize, upright);
    QCOMPARE(p.image.size(), drawn);
    QCOMPARE(p.target.offset(), offset);
    const int w = drawn.width(), h = drawn.height();
    const QPoint centres[4] = {
        {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    for (int q = 0; q < 4; ++q) {
        const QRgb got = p.image.pixel(centres[q]), want = tools::kQuarterColours[q];
        QVERIFY2(qAbs(qRed(got) - qRed(want)) <= 40 && qAbs(qGreen(got) - qGreen(want)) <= 40 &&
                     qAbs(qBlue(got) - qBlue(want)) <= 40,
                 qPrintable(QStringLiteral("quarter %1").arg(q)));
    }
}

QTEST_MAIN(TestPhotoLoader)
#include "tst_photoloader.moc"
