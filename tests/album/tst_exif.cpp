// Photos the right way up and camera thumbnails: the EXIF reader over
// hand-built segments in both byte orders, damaged one field at a time; the
// eight turns against pixels stored by the tag's own definition; which
// embedded thumbnails may stand for their photo; and album thumbnails upright
// whichever way they are made.
#include "album/AlbumThumbnail.h"
#include "album/EmbeddedThumbnail.h"
#include "album/ExifReader.h"
#include "album/PhotoOrientation.h"
#include "core/ThumbnailFormat.h"
#include "ExifWriter.h"

#include "AlbumFixtures.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;
using namespace quorbell::album;

namespace {

// The JPEG all hand-built segments go into, and the thumbnail they embed.
const QByteArray& baseJpeg()
{
    static const QByteArray b = tools::makeSamplePhoto(QSize(40, 30), 4, tools::PhotoFormat::Jpeg);
    return b;
}

const QByteArray& smallThumbnail()
{
    static const QByteArray b = tools::makeSamplePhoto(QSize(16, 12), 5, tools::PhotoFormat::Jpeg);
    return b;
}

struct Built
{
    QByteArray bytes;
    tools::ExifLayout at; // offsets in `bytes`: the segment follows the 2-byte start marker
    bool bigEndian = false;

    // A TIFF number written in the segment's byte order at `offset`.
    Built& put(qint64 offset, quint32 value, int size)
    {
        for (int i = 0; i < size; ++i) {
            const int shift = 8 * (bigEndian ? size - 1 - i : i);
            bytes[offset + i] = char((value >> shift) & 0xFF);
        }
        return *this;
    }
    // Offsets inside the TIFF data, as its pointers count them.
    quint32 tiffOffset(qint64 offset) const { return quint32(offset - at.tiff); }
};

Built build(int orientation, bool thumbnail, bool bigEndian)
{
    tools::ExifSpec recipe;
    recipe.orientation = orientation;
    recipe.bigEndian = bigEndian;
    if (thumbnail)
        recipe.thumbnail = smallThumbnail();
    const tools::ExifSegment segment = tools::buildExifSegment(recipe);
    Built b{tools::insertAfterSoi(baseJpeg(), segment.bytes), segment.layout, bigEndian};
    for (qint64* o : {&b.at.tiff, &b.at.ifd0, &b.at.orientationEntry, &b.at.nextIfdWord, &b.at.ifd1,
                      &b.at.thumbnailOffsetEntry, &b.at.thumbnailLengthEntry, &b.at.thumbnail}) {
        if (*o >= 0)
            *o += 2;
    }
    return b;
}

// A segment in front of the EXIF one: marker, length and payload.
QByteArray segment(uchar marker, const QByteArray& payload)
{
    const int length = int(payload.size()) + 2;
    return QByteArray("\xFF") + char(marker) + char(length >> 8) + char(length & 0xFF) + payload;
}

bool near(QRgb a, QRgb b, int tolerance = 40)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The picture shows the four quarters of tools::paintQuarters the right way up.
bool showsQuartersUpright(const QImage& img)
{
    const int w = img.width(), h = img.height();
    const QPoint centres[4] = {
        {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    for (int q = 0; q < 4; ++q) {
        if (!near(img.pixel(centres[q]), tools::kQuarterColours[q]))
            return false;
    }
    return true;
}

QString writeAlbum(const QTemporaryDir& dir, const QByteArray& photo, QSize recorded)
{
    tools::AlbumSpec albumSpec;
    albumSpec.photos = {{QStringLiteral("IMG_0001.JPG"), photo, recorded, false}};
    const QString path = dir.filePath(QStringLiteral("a.sld"));
    return test::writeBytes(path, test::albumBytes(albumSpec)) ? path : QString();
}

} // namespace

class TestExif : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exifFacts_data();
    void exifFacts();
    void anotherReaderAgrees();
    void turns_data();
    void turns();
    void embeddedChoice_data();
    void embeddedChoice();
    void albumThumbnailUpright_data();
    void albumThumbnailUpright();
};

void TestExif::exifFacts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("thumbnail");

    for (const bool mm : {false, true}) {
        const QByteArray order = mm ? "MM " : "II ";
        auto row = [&order](const char* name) -> QTestData& {
            return QTest::newRow((order + name).constData());
        };
        Built b = build(6, true, mm);
        row("orientation and thumbnail") << b.bytes << 6 << true;
        row("orientation only") << build(3, false, mm).bytes << 3 << false;
        row("thumbnail only") << build(0, true, mm).bytes << 1 << true;

        // The tag damaged: orientation 1, the thumbnail still found.
        row("value 0") << build(6, true, mm).put(b.at.orientationEntry + 8, 0, 2).bytes << 1
                       << true;
        row("value 9") << build(6, true, mm).put(b.at.orientationEntry + 8, 9, 2).bytes << 1
                       << true;
        row("type LONG") << build(6, true, mm).put(b.at.orientationEntry + 2, 4, 2).bytes << 1
                         << true;
        row("count 2") << build(6, true, mm).put(b.at.orientationEntry + 4, 2, 4).bytes << 1
                       << true;

        // The structure damaged.
        row("byte-order mark") << build(6, true, mm).put(b.at.tiff, 0x4958, 2).bytes << 1 << false;
        row("not 42") << build(6, true, mm).put(b.at.tiff + 2, 43, 2).bytes << 1 << false;
        row("first directory past the end")
            << build(6, true, mm).put(b.at.tiff + 4, 0x7FFFFFF0, 4).bytes << 1 << false;
        row("first directory in the header")
            << build(6, true, mm).put(b.at.tiff + 4, 2, 4).bytes << 1 << false;
        row("entry count past the end")
            << build(6, true, mm).put(b.at.ifd0, 0xFFFF, 2).bytes << 1 << false;
        row("second directory is the first")
            << build(6, true, mm).put(b.at.nextIfdWord, 8, 4).bytes << 6 << false;
        row("second directory past the end")
            << build(6, true, mm).put(b.at.nextIfdWord, 0xFFFFFFFF, 4).bytes << 6 << false;
        row("thumbnail past the end")
            << build(6, true, mm).put(b.at.thumbnailOffsetEntry + 8, 0xFFFFFFF0, 4).bytes << 6
            << false;
        row("thumbnail length overflows")
            << build(6, true, mm).put(b.at.thumbnailLengthEntry + 8, 0xFFFFFFFF, 4).bytes << 6
            << false;
        row("thumbnail one byte too long")
            << build(6, true, mm)
                   .put(b.at.thumbnailLengthEntry + 8, quint32(b.bytes.size() - b.at.thumbnail + 1),
                        4)
                   .bytes
            << 6 << false;
        row("thumbnail in the header")
            << build(6, true, mm).put(b.at.thumbnailOffsetEntry + 8, 0, 4).bytes << 6 << false;
        row("thumbnail is no JPEG")
            << build(6, true, mm).put(b.at.thumbnail, 0x4D42, 2).bytes << 6 << false;
        row("thumbnail length missing")
            << build(6, true, mm).put(b.at.thumbnailLengthEntry, 0x0999, 2).bytes << 6 << false;

        // Cut short, as a prefix of a photo or a damaged file is.
        row("cut in the thumbnail") << b.bytes.left(b.at.thumbnail + 40) << 6 << false;
        row("cut in the first directory") << b.bytes.left(b.at.orientationEntry + 9) << 1 << false;
        row("cut in the segment header") << b.bytes.left(7) << 1 << false;
        // The segment's own length ends before its thumbnail.
        Built shortSegment = build(6, true, mm);
        const qint64 shortLength = shortSegment.at.thumbnail - 4;
        shortSegment.bytes[4] = char(shortLength >> 8);
        shortSegment.bytes[5] = char(shortLength & 0xFF);
        row("segment ends before its thumbnail") << shortSegment.bytes << 6 << false;
        Built tinySegment = build(6, true, mm);
        tinySegment.bytes[4] = 0;
        tinySegment.bytes[5] = 1;
        row("segment length below 2") << tinySegment.bytes << 1 << false;
    }

    // Where the segment lies.
    const QByteArray exif = build(8, true, false).bytes.mid(2);
    const QByteArray jfif = segment(0xE0, QByteArray("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    const QByteArray xmp = segment(0xE1, QByteArray("http://ns.adobe.com/xap/1.0/\0<x/>", 34));
    QTest::newRow("after JFIF and XMP segments") << "\xFF\xD8" + jfif + xmp + exif << 8 << true;
    QTest::newRow("after fill bytes") << "\xFF\xD8\xFF\xFF" + exif << 8 << true;
    QTest::newRow("after the image data begins")
        << QByteArray("\xFF\xD8\xFF\xDA\0\2", 6) + exif << 1 << false;
    QTest::newRow("a JPEG without EXIF") << baseJpeg() << 1 << false;
    QTest::newRow("a BMP") << tools::makeSamplePhoto(QSize(8, 8), 1, tools::PhotoFormat::Bmp) << 1
                           << false;
    QTest::newRow("nothing") << QByteArray() << 1 << false;
}

void TestExif::exifFacts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, orientation);
    QFETCH(bool, thumbnail);
    // Exactly the bytes, so that a read past them is a read outside the buffer.
    const std::unique_ptr<char[]> exact(new char[size_t(bytes.size())]);
    std::copy(bytes.cbegin(), bytes.cend(), exact.get());
    const ExifFacts facts = readExifFacts(QByteArrayView(exact.get(), bytes.size()));
    QCOMPARE(facts.orientation, orientation);
    QCOMPARE(facts.thumbnail.has_value(), thumbnail);
    if (thumbnail)
        QCOMPARE(bytes.mid(facts.thumbnail->offset, facts.thumbnail->length), smallThumbnail());
}

// Qt's own JPEG reader parses the tag independently: it must read the same
// turn from every segment the generator writes.
void TestExif::anotherReaderAgrees()
{
    using T = QImageIOHandler::Transformation;
    const T byOrientation[9] = {T::TransformationNone,     T::TransformationNone,
                                T::TransformationMirror,   T::TransformationRotate180,
                                T::TransformationFlip,     T::TransformationFlipAndRotate90,
                                T::TransformationRotate90, T::TransformationMirrorAndRotate90,
                                T::TransformationRotate270};
    for (const bool mm : {false, true}) {
        for (int o = 1; o <= 8; ++o) {
            QByteArray bytes = build(o, true, mm).bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, "jpeg");
            QCOMPARE(readExifFacts(bytes).orientation, o);
            QCOMPARE(reader.transformation(), byOrientation[o]);
        }
    }
}

void TestExif::turns_data()
{
    QTest::addColumn<int>("orientation");
    for (int o = 0; o <= 9; ++o)
        QTest::newRow(qPrintable(QString::number(o))) << o;
}

// The pixels a camera stores for each value, built from where the tag says
// the stored first row and column belong, come back upright exactly.
void TestExif::turns()
{
    QFETCH(int, orientation);
    QImage upright(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            upright.setPixel(x, y, qRgb(x * 50, y * 100, 7));
    }
    const QImage stored = tools::storedForOrientation(upright, orientation);
    const bool quarter = orientation >= 5 && orientation <= 8;
    QCOMPARE(stored.size(), quarter ? QSize(3, 5) : QSize(5, 3));
    QCOMPARE(orientedSize(stored.size(), orientation), upright.size());
    QCOMPARE(applyOrientation(stored, orientation), upright);
}

void TestExif::embeddedChoice_data()
{
    QTest::addColumn<QSize>("photo"); // as stored
    QTest::addColumn<QSize>("thumb"); // as stored
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("cutThumbnail");
    QTest::addColumn<bool>("used");
    QTest::addColumn<QSize>("image");

    QTest::newRow("4:3, 160x120 in 120")
        << QSize(640, 480) << QSize(160, 120) << 1 << 120 << false << true << QSize(118, 88);
    QTest::newRow("exactly the fitted size")
        << QSize(640, 480) << QSize(80, 60) << 1 << 82 << false << true << QSize(80, 60);
    QTest::newRow("one pixel smaller than the fit")
        << QSize(640, 480) << QSize(79, 59) << 1 << 82 << false << false << QSize(80, 60);
    QTest::newRow("too small for 120, enough for 60")
        << QSize(640, 480) << QSize(80, 60) << 1 << 60 << false << true << QSize(58, 43);
    QTest::newRow("too small for 120")
        << QSize(640, 480) << QSize(80, 60) << 1 << 120 << false << false << QSize(118, 88);
    QTest::newRow("3:2 rounded within a pixel")
        << QSize(600, 400) << QSize(160, 107) << 1 << 120 << false << true << QSize(118, 78);
    QTest::newRow("3:2 two pixels off")
        << QSize(600, 400) << QSize(160, 109) << 1 << 120 << false << false << QSize(118, 78);
    QTest::newRow("16:9 letterboxed into 4:3")
        << QSize(640, 360) << QSize(160, 120) << 1 << 120 << false << false << QSize(118, 66);
    QTest::newRow("turned a quarter by the tag")
        << QSize(480, 640) << QSize(120, 160) << 6 << 120 << false << true << QSize(118, 88);
    QTest::newRow("turned, large enough only once upright")
        << QSize(480, 640) << QSize(90, 120) << 8 << 120 << false << true << QSize(118, 88);
    QTest::newRow("thumbnail does not decode cleanly")
        << QSize(640, 480) << QSize(160, 120) << 1 << 120 << true << false << QSize(118, 88);
}

// The photo is one colour and its embedded thumbnail another, so the cell
// tells which was used. The photo is large enough that its first 128 KB are
// not all of it: a thumbnail that is refused leaves the whole photo to read.
void TestExif::embeddedChoice()
{
    QFETCH(QSize, photo);
    QFETCH(QSize, thumb);
    QFETCH(int, orientation);
    QFETCH(int, cell);
    QFETCH(bool, cutThumbnail);
    QFETCH(bool, used);
    QFETCH(QSize, image);

    const QRgb photoColour = qRgb(30, 120, 200), thumbColour = qRgb(230, 20, 230);
    // A photo of grain (which makes the JPEG large) with a plain middle.
    QImage stored = tools::paintSamplePhoto(photo, 9);
    const QRect middle(photo.width() / 3, photo.height() / 3, photo.width() / 3,
                       photo.height() / 3);
    for (int y = middle.top(); y <= middle.bottom(); ++y) {
        for (int x = middle.left(); x <= middle.right(); ++x)
            stored.setPixel(x, y, photoColour);
    }
    QImage thumbPicture(thumb, QImage::Format_RGB32);
    thumbPicture.fill(thumbColour);
    tools::ExifSpec recipe;
    recipe.orientation = orientation;
    recipe.thumbnail = tools::encodePhoto(thumbPicture, tools::PhotoFormat::Jpeg);
    if (cutThumbnail)
        recipe.thumbnail.chop(recipe.thumbnail.size() / 3);
    const QByteArray bytes =
        tools::insertAfterSoi(tools::encodePhoto(stored, tools::PhotoFormat::Jpeg, 100),
                              tools::buildExifSegment(recipe).bytes);
    QVERIFY(bytes.size() > kExifHeadBytes);

    QTemporaryDir dir;
    const QSize upright = orientedSize(photo, orientation);
    const AlbumThumbnail t = makeAlbumThumbnail(writeAlbum(dir, bytes, upright), cell);
    QVERIFY2(t.ok(), errorName(t.failure.error));
    QCOMPARE(t.pixelSize, upright);
    QCOMPARE(t.image.size(), image);
    QCOMPARE(t.image.format(), kThumbnailFormat);
    const QRgb centre = t.image.pixel(image.width() / 2, image.height() / 2);
    QCOMPARE(near(centre, thumbColour), used);
    QCOMPARE(near(centre, photoColour), !used);
    QCOMPARE(cellPictureFromExif(bytes.left(kExifHeadBytes), cell).has_value(), used);
}

void TestExif::albumThumbnailUpright_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("thumbnailSide");
    for (int o = 0; o <= 8; ++o) {
        QTest::newRow(qPrintable(QStringLiteral("%1 decoded").arg(o))) << o << 0;
        QTest::newRow(qPrintable(QStringLiteral("%1 embedded").arg(o))) << o << 160;
    }
}

// New, Insert and the container maker all make cells with makeAlbumThumbnail:
// whatever the tag and whichever source, the cell and the size word are those
// of the upright photo, and album-make's size table says the same.
void TestExif::albumThumbnailUpright()
{
    QFETCH(int, orientation);
    QFETCH(int, thumbnailSide);
    const QSize upright(320, 240);
    const QByteArray bytes =
        tools::encodeCameraJpeg(tools::paintQuarters(upright), orientation, thumbnailSide);
    QCOMPARE(photoOrientation(bytes), qMax(1, orientation));
    QCOMPARE(tools::photoFromBytes(QStringLiteral("p.jpg"), bytes)->pixelSize, upright);
    QCOMPARE(cellPictureFromExif(bytes, 80).has_value(), thumbnailSide > 0);

    QTemporaryDir dir;
    const AlbumThumbnail t = makeAlbumThumbnail(writeAlbum(dir, bytes, upright), 80);
    QVERIFY2(t.ok(), errorName(t.failure.error));
    QCOMPARE(t.pixelSize, upright);
    QCOMPARE(t.image.size(), QSize(78, 58));
    QVERIFY(showsQuartersUpright(t.image));
}

QTEST_GUILESS_MAIN(TestExif)
#include "tst_exif.moc"
