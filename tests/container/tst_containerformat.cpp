// The container layout byte for byte: the writer against the documented
// layout, round trips, password forms, the BMP forms a record may hold, and
// every kind of malformed file the reader must refuse.
#include "ContainerMaker.h"

#include "album/PhotoDecoder.h"
#include "container/BmpCodec.h"
#include "container/ContainerFile.h"
#include "container/ContainerReader.h"
#include "container/ContainerWriter.h"
#include "core/BinaryIO.h"
#include "core/Cp932.h"
#include "core/RleBmp.h"
#include "core/ThumbnailFormat.h"
#include "viewer/PhotoLoader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstdlib>
#include <cstring>

using namespace quorbell;
using namespace quorbell::container;
using namespace quorbell::tools;

Q_DECLARE_METATYPE(quorbell::container::ErrorCode)
Q_DECLARE_METATYPE(quorbell::container::Section)
Q_DECLARE_METATYPE(quorbell::tools::BmpKind)

namespace {

QByteArray le16(int v)
{
    char b[2];
    qToLittleEndian(quint16(v), b);
    return QByteArray(b, 2);
}

QByteArray le32(qint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}

QByteArray writeToBytes(const ContainerDocument& doc)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const std::optional<ContainerError> e = writeContainerTo(buffer, doc);
    if (e)
        qWarning("write refused: code %d", int(e->code));
    return buffer.data();
}

AlbumEntry entry(const QString& name, const QString& comment, const QImage& thumb, qint32 sizeWord,
                 qint32 fileSize, const DateVariant& date)
{
    AlbumEntry a;
    a.fileName = name;
    a.comment = comment;
    a.thumbnail = thumb;
    a.thumbSize = sizeWord;
    a.fileSize = fileSize;
    a.fileDate = date;
    return a;
}

} // namespace

class TestContainerFormat : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void goldenBytesOfTheDocumentedLayout();
    void generatedContainersComeBackByteForByte_data();
    void generatedContainersComeBackByteForByte();
    void roundTripKeepsEveryField();
    void entryWithoutPictureRoundTrips();
    void passwordForms_data();
    void passwordForms();
    void versionTextIsNotCompared();
    void fileMayEndAfterTheDates();
    void bmpFormsDecodeAsQtReadsThem_data();
    void bmpFormsDecodeAsQtReadsThem();
    void rlePixelsNotCoveredArePaletteEntry0_data();
    void rlePixelsNotCoveredArePaletteEntry0();
    void truncatedAnywhere_data();
    void truncatedAnywhere();
    void malformed_data();
    void malformed();
    void writerRefusesWhatItCannotStore_data();
    void writerRefusesWhatItCannotStore();

private:
    QTemporaryDir m_dir;
    QString writeFile(const QString& name, const QByteArray& bytes);
};

void TestContainerFormat::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestContainerFormat::writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestContainerFormat::goldenBytesOfTheDocumentedLayout()
{
    // One album a.sld with comment "a" and an 80 x 60 thumbnail in a cell of 80.
    QImage thumb(80, 60, QImage::Format_RGB32);
    thumb.fill(qRgb(0x10, 0x20, 0x30));
    for (int x = 0; x < 80; ++x)
        thumb.setPixel(x, 0, qRgb(0xAA, 0xBB, 0xCC)); // top row, stored last
    ContainerDocument doc;
    doc.cellSize = 80;
    doc.albums = {entry(QStringLiteral("a.sld"), QStringLiteral("a"), thumb, packPair(80, 60),
                        123456, DateVariant::fromDate(37623.25))};
    doc.albumFolder = QStringLiteral("/a/");
    const QByteArray bytes = writeToBytes(doc);

    const qint32 L = 54 + 240 * 60;
    QCOMPARE(bytes.size(), 59 + L + 2 + 3);
    QCOMPARE(bytes.left(15), QByteArray("QuorbellVer2.50"));
    QCOMPARE(bytes.mid(15, 8), QByteArray(8, '\0'));
    QCOMPARE(bytes.mid(23, 2), QByteArray::fromHex("0100"));
    QCOMPARE(bytes.mid(25, 2), QByteArray::fromHex("5000"));
    QCOMPARE(bytes.mid(27, 4), QByteArray::fromHex("3c005000"));
    QCOMPARE(bytes.mid(31, 2), QByteArray::fromHex("0500"));
    QCOMPARE(bytes.mid(33, 5), QByteArray("a.sld"));
    QCOMPARE(bytes.mid(38, 2), QByteArray::fromHex("0100"));
    QCOMPARE(bytes.mid(40, 1), QByteArray("a"));
    QCOMPARE(bytes.mid(41, 4), le32(L));

    // The record: a complete 24-bit bottom-up BMP whose size field is L.
    const QByteArray header = QByteArray("BM") + le32(L) + le32(0) + le32(54) + le32(40) +
                              le32(80) + le32(60) + le16(1) + le16(24) + le32(0) + le32(240 * 60) +
                              le32(0) + le32(0) + le32(0) + le32(0);
    QCOMPARE(bytes.mid(45, 54), header);
    QCOMPARE(bytes.mid(45 + 54, 3), QByteArray::fromHex("302010")); // bottom row first, B G R
    QCOMPARE(bytes.mid(45 + 54 + 240 * 59, 3), QByteArray::fromHex("ccbbaa"));

    QCOMPARE(bytes.mid(45 + L, 4), le32(123456));
    QCOMPARE(bytes.mid(49 + L, 2), QByteArray::fromHex("0700"));
    double ole;
    const quint64 bits = qFromLittleEndian<quint64>(bytes.constData() + 51 + L);
    std::memcpy(&ole, &bits, 8);
    QCOMPARE(ole, 37623.25);
    QCOMPARE(bytes.mid(59 + L), QByteArray::fromHex("0300") + "/a/");
}

void TestContainerFormat::generatedContainersComeBackByteForByte_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<QString>("password");
    QTest::newRow("one album") << 1 << 80 << QString();
    QTest::newRow("mixed names, dates and hidden entries") << 23 << 60 << QString();
    QTest::newRow("password, cell 120") << 9 << 120 << QStringLiteral("secret");
}

void TestContainerFormat::generatedContainersComeBackByteForByte()
{
    // The generator assembles the layout independently of the writer; reading
    // its file and writing it again must give the same bytes.
    QFETCH(int, count);
    QFETCH(int, cellSize);
    QFETCH(QString, password);
    SampleOptions o;
    o.count = count;
    o.cellSize = cellSize;
    if (!password.isEmpty())
        o.password = password;
    const QByteArray original = assembleContainer(sampleContainer(o));
    const QString path = writeFile(QStringLiteral("generated.cov"), original);

    ContainerResult<ContainerDocument> doc = readContainer(path);
    QVERIFY(doc.ok());
    QCOMPARE(doc->albums.size(), count);
    // Held in three bytes a pixel, and written back unchanged.
    for (const AlbumEntry& a : doc->albums)
        QCOMPARE(a.thumbnail.format(), kThumbnailFormat);
    QCOMPARE(writeToBytes(*doc), original);

    // Pictures that come from elsewhere in 32-bit form give the same records.
    for (AlbumEntry& a : doc->albums)
        a.thumbnail = a.thumbnail.convertToFormat(QImage::Format_RGB32);
    QCOMPARE(writeToBytes(*doc), original);
}

void TestContainerFormat::roundTripKeepsEveryField()
{
    ContainerDocument doc;
    doc.cellSize = 100;
    doc.password = storedPasswordForm(QStringLiteral("pw"));
    doc.albumFolder = QStringLiteral("/home/user/写真/");
    doc.albums = {
        entry(QStringLiteral("旅行①.sld"), QStringLiteral("京都～大阪"), paintThumbnail(1, 98, 73),
              packPair(640, 480), 2000000, DateVariant::fromDate(40000.75)),
        entry(QStringLiteral("*hidden.sld"), QString(), paintThumbnail(2, 1, 98), packPair(3, 300),
              0, DateVariant::fromText(QStringLiteral("99/12/31 0:00:00"))),
        entry(QStringLiteral("ｶﾀｶﾅ.SLD"), QStringLiteral("comment\\with backslash"),
              paintThumbnail(3, 7, 5), packPair(7, 5), -1, DateVariant{}),
    };
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.cov"));
    QVERIFY(!writeContainer(path, doc));

    ContainerResult<ContainerDocument> back = readContainer(path);
    QVERIFY(back.ok());
    QCOMPARE(back->cellSize, doc.cellSize);
    QCOMPARE(back->password, doc.password);
    QCOMPARE(back->albumFolder, doc.albumFolder);
    QCOMPARE(back->version, QStringLiteral("2.50"));
    QCOMPARE(back->albums.size(), doc.albums.size());
    for (int i = 0; i < doc.albums.size(); ++i) {
        const AlbumEntry& a = doc.albums.at(i);
        const AlbumEntry& b = back->albums.at(i);
        QCOMPARE(b.fileName, a.fileName);
        QCOMPARE(b.comment, a.comment);
        QCOMPARE(b.thumbSize, a.thumbSize);
        QCOMPARE(b.fileSize, a.fileSize);
        QCOMPARE(b.fileDate, a.fileDate);
        QCOMPARE(b.thumbnail.format(), kThumbnailFormat);
        QCOMPARE(b.thumbnail, toThumbnailFormat(a.thumbnail));
    }
    QCOMPARE(back->albums.at(1).isHidden(), true);
    // The two-digit year text sorts as 1999.
    QCOMPARE(back->albums.at(1).fileDate.toDateTime(), QDateTime(QDate(1999, 12, 31), QTime(0, 0)));
}

void TestContainerFormat::entryWithoutPictureRoundTrips()
{
    ContainerDocument doc;
    doc.albums = {entry(QStringLiteral("gone.sld"), QStringLiteral("gone"), QImage(), 0, 0, {}),
                  entry(QStringLiteral("dot.sld"), QStringLiteral("a real 1x1 picture"),
                        paintThumbnail(5, 1, 1), packPair(1, 1), 10, {}),
                  entry(QStringLiteral("lost.sld"), QStringLiteral("picture lost, size kept"),
                        QImage(), packPair(640, 480), 10, {})};
    const QString path = m_dir.filePath(QStringLiteral("nopicture.cov"));
    QVERIFY(!writeContainer(path, doc));

    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    QVERIFY(file.ok());
    // Both records are valid 1x1 BMPs any reader can show ...
    QCOMPARE((*file)->record(0).width, 1);
    QCOMPARE((*file)->record(0).height, 1);
    QVERIFY(!(*file)->decodeRecord(0)->isNull());
    // ... but only the one with size word 0 stands for "no picture".
    QVERIFY((*file)->thumbnail(0)->isNull());
    QCOMPARE(*(*file)->thumbnail(1), toThumbnailFormat(doc.albums.at(1).thumbnail));

    ContainerResult<ContainerDocument> back = readContainer(path);
    QVERIFY(back.ok());
    QVERIFY(back->albums.at(0).thumbnail.isNull());
    QCOMPARE(back->albums.at(1).thumbnail, toThumbnailFormat(doc.albums.at(1).thumbnail));
    // Without a picture the size word is meaningless; it is stored as 0 so
    // that the entry still comes back without a picture.
    QVERIFY(back->albums.at(2).thumbnail.isNull());
    QCOMPARE(back->albums.at(2).thumbSize, 0);
}

void TestContainerFormat::passwordForms_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("readAs");
    QTest::addColumn<bool>("protectedFile");
    QTest::newRow("none") << QByteArray(8, '\0') << QByteArray(8, '\0') << false;
    QTest::newRow("later bytes ignored without a password")
        << QByteArray::fromHex("00003132333435ff") << QByteArray(8, '\0') << false;
    QTest::newRow("empty password") << QByteArray(8, '\xFF') << QByteArray(8, '\xFF') << true;
    QTest::newRow("short") << passwordToBytes(storedPasswordForm(QStringLiteral("abc")))
                           << QByteArray::fromHex("9e9d9cffffffffff") << true;
    QTest::newRow("eight characters")
        << passwordToBytes(storedPasswordForm(QStringLiteral("abcdefgh")))
        << QByteArray::fromHex("9e9d9c9b9a999897") << true;
    QTest::newRow("only byte 1 set") << QByteArray::fromHex("0001000000000000")
                                     << QByteArray::fromHex("0001000000000000") << true;
}

void TestContainerFormat::passwordForms()
{
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, readAs);
    QFETCH(bool, protectedFile);
    RawContainer raw = sampleContainer({});
    raw.password = field;
    const QString path = writeFile(QStringLiteral("password.cov"), assembleContainer(raw));
    ContainerResult<ContainerDocument> doc = readContainer(path);
    QVERIFY(doc.ok());
    QCOMPARE(passwordToBytes(doc->password), readAs);
    QCOMPARE(hasPassword(doc->password), protectedFile);
    QCOMPARE(writeToBytes(*doc).mid(15, 8), readAs);
}

void TestContainerFormat::versionTextIsNotCompared()
{
    for (const QByteArray& magic :
         {QByteArray("QuorbellVer9.99"), QByteArray("QuorbellVer\0\x01\xFE ", 15)}) {
        RawContainer raw = sampleContainer({});
        raw.magic = magic;
        const QString path = writeFile(QStringLiteral("version.cov"), assembleContainer(raw));
        ContainerResult<ContainerDocument> doc = readContainer(path);
        QVERIFY(doc.ok());
        QCOMPARE(doc->version, QString::fromLatin1(magic.mid(11)));
        QCOMPARE(writeToBytes(*doc).left(15), QByteArray("QuorbellVer2.50"));
    }
}

void TestContainerFormat::fileMayEndAfterTheDates()
{
    SampleOptions o;
    o.withFolder = false;
    const QString path =
        writeFile(QStringLiteral("nofolder.cov"), assembleContainer(sampleContainer(o)));
    ContainerResult<ContainerDocument> doc = readContainer(path);
    QVERIFY(doc.ok());
    QVERIFY(!doc->albumFolder);

    // Bytes after the folder entry are left alone; a folder that is not valid
    // code page 932 does not make the file invalid either.
    RawContainer raw = sampleContainer({});
    raw.albumFolder = QByteArray("/x/\x82", 4);
    const QByteArray bytes = assembleContainer(raw) + QByteArray("extra");
    doc = readContainer(writeFile(QStringLiteral("extra.cov"), bytes));
    QVERIFY(doc.ok());
    QVERIFY(doc->albumFolder->contains(QStringLiteral("/x/")));
}

void TestContainerFormat::bmpFormsDecodeAsQtReadsThem_data()
{
    QTest::addColumn<BmpKind>("kind");
    QTest::addColumn<bool>("lossless");
    QTest::newRow("1-bit") << BmpKind::Mono1 << false;
    QTest::newRow("4-bit") << BmpKind::Palette4 << false;
    QTest::newRow("8-bit") << BmpKind::Palette8 << false;
    QTest::newRow("8-bit RLE") << BmpKind::Rle8 << false;
    QTest::newRow("16-bit") << BmpKind::Rgb16 << false;
    QTest::newRow("24-bit") << BmpKind::Rgb24 << true;
    QTest::newRow("24-bit top-down") << BmpKind::TopDown24 << true;
    QTest::newRow("24-bit old header") << BmpKind::Core24 << true;
    QTest::newRow("32-bit") << BmpKind::Rgb32 << true;
    QTest::newRow("32-bit masks") << BmpKind::Bitfields32 << true;
}

void TestContainerFormat::bmpFormsDecodeAsQtReadsThem()
{
    QFETCH(BmpKind, kind);
    QFETCH(bool, lossless);
    // Odd widths exercise the row padding.
    for (const QSize size : {QSize(78, 58), QSize(13, 7), QSize(1, 1)}) {
        const QImage picture = paintThumbnail(size.width(), size.width(), size.height());
        const QByteArray bmp = makeBmp(picture, kind);
        const QImage decoded = decodeBmp(bmp);
        QCOMPARE(decoded.format(), kThumbnailFormat);
        QCOMPARE(decoded, toThumbnailFormat(QImage::fromData(bmp, "BMP")));
        if (lossless)
            QCOMPARE(decoded, toThumbnailFormat(picture));

        // The same record inside a container.
        RawContainer raw = sampleContainer({});
        raw.entries[1].bmp = bmp;
        const QString path = writeFile(QStringLiteral("kinds.cov"), assembleContainer(raw));
        ContainerResult<ContainerDocument> doc = readContainer(path);
        QVERIFY(doc.ok());
        QCOMPARE(doc->albums.at(1).thumbnail, decoded);
    }
    // Our own encoder, read back by Qt's reader.
    const QImage picture = paintThumbnail(9, 31, 17);
    QCOMPARE(QImage::fromData(encodeBmp24(picture), "BMP").convertToFormat(QImage::Format_RGB32),
             picture);
}

namespace {

// Fills freed heap blocks of the sizes small pictures take with a pattern,
// so that a decoder which leaves pixels unwritten shows it.
void dirtyTheHeap()
{
    std::vector<void*> blocks;
    for (int i = 0; i < 512; ++i) {
        const size_t size = 16 + size_t(i % 64) * 8;
        void* p = std::malloc(size);
        std::memset(p, 0xA5, size);
        blocks.push_back(p);
    }
    for (void* p : blocks)
        std::free(p);
}

// A picture from rows of palette indices in hexadecimal, top row first.
QImage pictureOf(const QStringList& rows, const QList<QRgb>& palette)
{
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, palette.at(QString(rows.at(y).at(x)).toInt(nullptr, 16)));
    return image;
}

} // namespace

void TestContainerFormat::rlePixelsNotCoveredArePaletteEntry0_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<QByteArray>("runs"); // bottom row first
    QTest::addColumn<QStringList>("expected");
    const QStringList blank{"000000", "000000", "000000"};
    QTest::newRow("RLE8 data ends early")
        << 8 << QByteArray("\x03\x01", 2) << blank + QStringList{"111000"};
    QTest::newRow("RLE8 delta jumps")
        << 8 << QByteArray("\x02\x02\x00\x02\x02\x01\x02\x03\x00\x01", 10)
        << QStringList{"000000", "000000", "000033", "220000"};
    QTest::newRow("RLE8 absolute run cut short")
        << 8 << QByteArray("\x00\x04\x01\x02", 4) << blank + QStringList{"120000"};
    QTest::newRow("RLE8 run past the right edge")
        << 8 << QByteArray("\x09\x03\x00\x00\x01\x02", 6)
        << QStringList{"000000", "000000", "200000", "333333"};
    QTest::newRow("RLE4 data ends early")
        << 4 << QByteArray("\x05\x12", 2) << blank + QStringList{"121210"};
    QTest::newRow("RLE4 delta and absolute")
        << 4 << QByteArray("\x00\x02\x03\x02\x00\x03\x31\x20\x00\x00\x02\x33\x00\x01", 14)
        << QStringList{"330000", "000312", "000000", "000000"};
}

void TestContainerFormat::rlePixelsNotCoveredArePaletteEntry0()
{
    QFETCH(int, depth);
    QFETCH(QByteArray, runs);
    QFETCH(QStringList, expected);
    const QList<QRgb> palette{qRgb(10, 200, 30), qRgb(255, 0, 0), qRgb(0, 0, 255),
                              qRgb(255, 255, 255)};
    const QByteArray bmp = makeRleBmp(depth, QSize(6, 4), palette, runs);
    QVERIFY(isRleBmp(bmp));
    QVERIFY(checkBmpHeader(bmp, bmp.size()));
    const QImage want = pictureOf(expected, palette);

    // Every reader of BMP pictures: the shared decoder, container records,
    // album photos (thumbnails) and the viewer. Each decodes twice, the
    // second time after the heap was dirtied.
    const std::function<QImage()> decoders[] = {
        [&] { return decodeRleBmp(bmp); },
        [&] { return decodeBmp(bmp); },
        [&] {
            const auto photo = album::decodePhoto(bmp, [](QSize full) { return full; });
            return photo ? photo->image : QImage();
        },
        [&] {
            return viewer::preparePhotoFromBytes(bmp, QSize(6, 4), viewer::SizingChoice::Unchanged,
                                                 1)
                .image;
        },
    };
    for (const auto& decode : decoders) {
        const QImage first = decode();
        dirtyTheHeap();
        const QImage second = decode();
        QCOMPARE(first.convertToFormat(QImage::Format_RGB32), want);
        QCOMPARE(second.convertToFormat(QImage::Format_RGB32), want);
    }
}

void TestContainerFormat::truncatedAnywhere_data()
{
    QTest::addColumn<qint64>("cut");
    QTest::addColumn<Section>("section");
    QTest::addColumn<int>("index");
    ContainerLayout l;
    assembleContainer(sampleContainer({}), &l);
    const RawContainer raw = sampleContainer({});
    const qint64 name1 = l.names + 2 + raw.entries[0].name.size();
    QTest::newRow("inside the header") << qint64(20) << Section::Header << -1;
    QTest::newRow("inside the size words") << l.sizeWords + 6 << Section::SizeWords << -1;
    QTest::newRow("at the names") << l.names << Section::Names << 0;
    QTest::newRow("inside the second name") << name1 + 3 << Section::Names << 1;
    QTest::newRow("inside the comments") << l.comments + 1 << Section::Comments << 0;
    QTest::newRow("at the records") << l.records << Section::Thumbnails << 0;
    QTest::newRow("inside a record length") << l.recordStarts[2] + 2 << Section::Thumbnails << 2;
    QTest::newRow("inside a BMP") << l.recordStarts[1] + 100 << Section::Thumbnails << 1;
    QTest::newRow("inside the file sizes") << l.fileSizes + 5 << Section::FileSizes << 1;
    QTest::newRow("inside a date tag") << l.dates + 1 << Section::FileDates << 0;
    QTest::newRow("inside a date value") << l.dates + 5 << Section::FileDates << 0;
    QTest::newRow("inside a date text") << l.dates + 10 + 2 + 2 + 4 << Section::FileDates << 1;
    QTest::newRow("inside the folder length") << l.folder + 1 << Section::AlbumFolder << -1;
    QTest::newRow("inside the folder text") << l.end - 1 << Section::AlbumFolder << -1;
}

void TestContainerFormat::truncatedAnywhere()
{
    QFETCH(qint64, cut);
    QFETCH(Section, section);
    QFETCH(int, index);
    const QByteArray bytes = assembleContainer(sampleContainer({})).left(cut);
    ContainerResult<ContainerDocument> doc =
        readContainer(writeFile(QStringLiteral("cut.cov"), bytes));
    QVERIFY(!doc.ok());
    QCOMPARE(doc.error().code, ErrorCode::Truncated);
    QCOMPARE(doc.error().section, section);
    QCOMPARE(doc.error().index, index);
    QVERIFY(doc.error().isInvalidFile());
}

void TestContainerFormat::malformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ErrorCode>("code");
    QTest::addColumn<Section>("section");
    QTest::addColumn<int>("index");

    ContainerLayout l;
    const RawContainer base = sampleContainer({});
    const QByteArray good = assembleContainer(base, &l);
    auto patched = [&](qint64 at, const QByteArray& with) {
        QByteArray b = good;
        b.replace(at, with.size(), with);
        return b;
    };
    auto withEntry = [&](int i, auto change) {
        RawContainer c = base;
        change(c.entries[i]);
        return assembleContainer(c);
    };
    auto withRecord = [&](int i, qint64 at, const QByteArray& with) {
        return withEntry(i, [&](RawEntry& e) { e.bmp.replace(at, with.size(), with); });
    };

    QTest::newRow("empty file") << QByteArray() << ErrorCode::BadMagic << Section::Header << -1;
    QTest::newRow("short tag") << QByteArray("QuorbellVe") << ErrorCode::BadMagic << Section::Header
                               << -1;
    QTest::newRow("tag case differs")
        << patched(0, "quorbellVer") << ErrorCode::BadMagic << Section::Header << -1;
    QTest::newRow("album file") << patched(0, "Vintrel Ver") << ErrorCode::BadMagic
                                << Section::Header << -1;
    QTest::newRow("negative count")
        << patched(23, le16(-1)) << ErrorCode::BadCount << Section::Header << -1;
    QTest::newRow("most negative count")
        << patched(23, le16(0x8000)) << ErrorCode::BadCount << Section::Header << -1;
    QTest::newRow("count beyond the file")
        << patched(23, le16(32767)) << ErrorCode::Truncated << Section::SizeWords << -1;
    for (int size : {0, 50, 85, 130, -80, 0x7FFF})
        QTest::addRow("cell size %d", size)
            << patched(25, le16(size)) << ErrorCode::BadCellSize << Section::Header << -1;
    QTest::newRow("name longer than the file") << patched(l.names, le16(0xFFFF)).left(l.names + 40)
                                               << ErrorCode::Truncated << Section::Names << 0;

    QTest::newRow("name not Shift-JIS")
        << withEntry(2, [](RawEntry& e) { e.name = QByteArray("ab\x82", 3); }) << ErrorCode::BadText
        << Section::Names << 2;
    QTest::newRow("comment not Shift-JIS")
        << withEntry(1, [](RawEntry& e) { e.comment = QByteArray("\x81\x20", 2); })
        << ErrorCode::BadText << Section::Comments << 1;
    QTest::newRow("date text not Shift-JIS")
        << withEntry(1, [](RawEntry& e) { e.date = textDateEntry(QByteArray("03/01/02\x82", 9)); })
        << ErrorCode::BadText << Section::FileDates << 1;
    QTest::newRow("name with a folder")
        << withEntry(0, [](RawEntry& e) { e.name = "../secret.sld"; }) << ErrorCode::BadName
        << Section::Names << 0;
    QTest::newRow("name with NUL")
        << withEntry(0, [](RawEntry& e) { e.name = QByteArray("a\0b.sld", 7); })
        << ErrorCode::BadName << Section::Names << 0;

    for (qint32 length : {0, -1, 10, 25, INT_MIN})
        QTest::addRow("record length %d", length)
            << withEntry(1, [&](RawEntry& e) { e.recordLength = length; })
            << ErrorCode::BadRecordLength << Section::Thumbnails << 1;
    QTest::newRow("record length beyond the file")
        << withEntry(1, [](RawEntry& e) { e.recordLength = INT_MAX; }) << ErrorCode::Truncated
        << Section::Thumbnails << 1;
    QTest::newRow("record longer than its BMP")
        << withEntry(1, [](RawEntry& e) { e.recordLength = qint32(e.bmp.size() + 2); })
        << ErrorCode::BadBitmap << Section::Thumbnails << 1;
    QTest::newRow("not a BMP") << withRecord(0, 0, "PN") << ErrorCode::BadBitmap
                               << Section::Thumbnails << 0;
    QTest::newRow("BMP size field differs")
        << withRecord(0, 2, le32(1000)) << ErrorCode::BadBitmap << Section::Thumbnails << 0;
    QTest::newRow("unknown information header")
        << withRecord(0, 14, le32(41)) << ErrorCode::BadBitmap << Section::Thumbnails << 0;
    QTest::newRow("width 0") << withRecord(0, 18, le32(0)) << ErrorCode::BadBitmap
                             << Section::Thumbnails << 0;
    QTest::newRow("height beyond 32767")
        << withRecord(0, 22, le32(40000)) << ErrorCode::BadBitmap << Section::Thumbnails << 0;
    QTest::newRow("two planes") << withRecord(0, 26, le16(2)) << ErrorCode::BadBitmap
                                << Section::Thumbnails << 0;
    QTest::newRow("depth 7") << withRecord(0, 28, le16(7)) << ErrorCode::BadBitmap
                             << Section::Thumbnails << 0;
    QTest::newRow("JPEG inside BMP")
        << withRecord(0, 30, le32(4)) << ErrorCode::BadBitmap << Section::Thumbnails << 0;
    QTest::newRow("pixel offset past the end")
        << withRecord(0, 10, le32(0x7FFFFFFF)) << ErrorCode::BadBitmap << Section::Thumbnails << 0;
    QTest::newRow("rows missing") << withEntry(2,
                                               [](RawEntry& e) {
                                                   e.bmp.chop(100);
                                                   qToLittleEndian(qint32(e.bmp.size()),
                                                                   e.bmp.data() + 2);
                                               })
                                  << ErrorCode::BadBitmap << Section::Thumbnails << 2;
    QTest::newRow("palette larger than the depth allows") << withEntry(0, [](RawEntry& e) {
        e.bmp = makeBmp(paintThumbnail(0, 8, 8), BmpKind::Palette4);
        e.bmp.replace(46, 4, le32(17));
    }) << ErrorCode::BadBitmap << Section::Thumbnails << 0;
    QTest::newRow("run-length picture claiming a huge size") << withEntry(0, [](RawEntry& e) {
        e.bmp = makeBmp(paintThumbnail(0, 8, 8), BmpKind::Rle8);
        e.bmp.replace(18, 8, le32(30000) + le32(30000));
    }) << ErrorCode::BadBitmap << Section::Thumbnails << 0;

    for (int tag : {1, 3, 9, 0xFFFF})
        QTest::addRow("date tag %d", tag)
            << withEntry(2, [&](RawEntry& e) { e.date = le16(tag) + QByteArray(8, '\0'); })
            << ErrorCode::BadVariantTag << Section::FileDates << 2;
}

void TestContainerFormat::malformed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ErrorCode, code);
    QFETCH(Section, section);
    QFETCH(int, index);
    const QString path = writeFile(QStringLiteral("bad.cov"), bytes);
    ContainerResult<ContainerDocument> doc = readContainer(path);
    QVERIFY(!doc.ok());
    QCOMPARE(doc.error().code, code);
    QCOMPARE(doc.error().section, section);
    QCOMPARE(doc.error().index, index);
    QVERIFY(doc.error().offset >= 0 && doc.error().offset <= bytes.size());
    QVERIFY(doc.error().isInvalidFile());
}

void TestContainerFormat::writerRefusesWhatItCannotStore_data()
{
    QTest::addColumn<int>("entryIndex");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<ErrorCode>("code");
    QTest::addColumn<Section>("section");
    QTest::addColumn<QString>("detail");
    const QString ok = QStringLiteral("ok.sld");
    QTest::newRow("name with e acute")
        << 1 << QStringLiteral("caf\u00E9.sld") << QString() << QString() << 80
        << ErrorCode::UnencodableText << Section::Names << QStringLiteral("\u00E9");
    QTest::newRow("comment with emoji")
        << 2 << ok << QStringLiteral("a\U0001F600") << QString() << 80 << ErrorCode::UnencodableText
        << Section::Comments << QStringLiteral("\U0001F600");
    QTest::newRow("date text with hangul")
        << 0 << ok << QString() << QStringLiteral("\uD55C") << 80 << ErrorCode::UnencodableText
        << Section::FileDates << QStringLiteral("\uD55C");
    QTest::newRow("name with a folder")
        << 1 << QStringLiteral("sub/a.sld") << QString() << QString() << 80 << ErrorCode::BadName
        << Section::Names << QString();
    QTest::newRow("comment too long") << 0 << ok << QString(40000, QChar(0x3042)) << QString() << 80
                                      << ErrorCode::TextTooLong << Section::Comments << QString();
    QTest::newRow("cell size 85") << -1 << ok << QString() << QString() << 85
                                  << ErrorCode::BadCellSize << Section::Header << QString();
}

void TestContainerFormat::writerRefusesWhatItCannotStore()
{
    QFETCH(int, entryIndex);
    QFETCH(QString, name);
    QFETCH(QString, comment);
    QFETCH(QString, dateText);
    QFETCH(int, cellSize);
    QFETCH(ErrorCode, code);
    QFETCH(Section, section);
    QFETCH(QString, detail);

    ContainerResult<ContainerDocument> doc = readContainer(
        writeFile(QStringLiteral("source.cov"), assembleContainer(sampleContainer({}))));
    QVERIFY(doc.ok());
    doc->cellSize = qint16(cellSize);
    if (entryIndex >= 0) {
        AlbumEntry& a = doc->albums[entryIndex];
        a.fileName = name;
        a.comment = comment;
        if (!dateText.isEmpty())
            a.fileDate = DateVariant::fromText(dateText);
    }
    // An old file at the target stays exactly as it was.
    const QByteArray old("previous container");
    const QString target = writeFile(QStringLiteral("target.cov"), old);
    for (const std::optional<ContainerError>& e :
         {checkContainer(*doc), writeContainer(target, *doc)}) {
        QVERIFY(e);
        QCOMPARE(e->code, code);
        QCOMPARE(e->section, section);
        QCOMPARE(e->index, entryIndex);
        QCOMPARE(e->detail, detail);
    }
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), old);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("target*")}, QDir::Files).size(), 1);
}

QTEST_GUILESS_MAIN(TestContainerFormat)
#include "tst_containerformat.moc"
