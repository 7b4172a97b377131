// quorbell-cli thumbnail and quorbell-thumbnailer (the program the desktop
// entry names, which hands what it does not do itself to the first), run as
// separate processes as a file manager runs them, alike:
// the picture of an album is its first photo fitted to the size asked for,
// that of a container the mosaic of its first four shown thumbnails; files
// protected by a password, broken files and wrong usage give no picture, the
// documented status and one line on standard error, and leave an existing
// output file as it was.
#include "AlbumFixtures.h"

#include "ContainerMaker.h"
#include "CliRunner.h"
#include "core/PasswordForm.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;
using namespace quorbell::test;

namespace {

const QByteArray kOldOutput = QByteArrayLiteral("an older picture");

// Solid colours for the container entries, one per entry index.
QColor entryColour(int i)
{
    return QColor::fromHsv((i * 47) % 360, 200, 230);
}

// A container from a pattern of entries: 'a' a shown album with a thumbnail of
// `thumb` pixels in its colour, 'h' a hidden one, 'n' a shown one stored
// without a picture.
QByteArray containerOf(const QString& pattern, QSize thumb, bool locked = false)
{
    tools::RawContainer c;
    if (locked)
        c.password = passwordToBytes(storedPasswordForm(QStringLiteral("pw")));
    for (int i = 0; i < pattern.size(); ++i) {
        tools::RawEntry e;
        const QChar kind = pattern.at(i);
        e.name = (kind == QLatin1Char('h') ? "*a" : "a") + QByteArray::number(i) + ".sld";
        e.comment = "a" + QByteArray::number(i);
        QImage picture(kind == QLatin1Char('n') ? QSize(1, 1) : thumb, QImage::Format_RGB32);
        picture.fill(kind == QLatin1Char('n') ? QColor(Qt::white) : entryColour(i));
        e.bmp = tools::makeBmp(picture, tools::BmpKind::Rgb24);
        e.sizeWord = kind == QLatin1Char('n') ? 0 : picture.width() * 65536 + picture.height();
        e.fileSize = 1000;
        e.date = tools::dateEntry(38000.5);
        c.entries.append(e);
    }
    return tools::assembleContainer(c);
}

QString albumWithPhotos(const QString& path, QList<tools::AlbumPhotoSource> photos,
                        bool locked = false)
{
    tools::AlbumSpec recipe;
    if (locked)
        recipe.password = storedPasswordForm(QStringLiteral("pw"));
    recipe.photos = std::move(photos);
    if (!writeBytes(path, albumBytes(recipe)))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

bool closeColours(const QColor& a, const QColor& b)
{
    return a.alpha() == b.alpha() && std::abs(a.red() - b.red()) <= 2 &&
           std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
}

// Mean difference per channel between two pictures of the same size.
double meanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

// The thumbnail command of quorbell-cli, or the thumbnailer program.
CliRun runThumbnail(bool standalone, const QStringList& args)
{
    return standalone ? runTool(QStringLiteral("quorbell-thumbnailer"), args)
                      : runCli(QStringList{"thumbnail"} + args);
}

} // namespace

class TestThumbnailer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void albumGivesFirstPhoto_data();
    void albumGivesFirstPhoto();
    void containerMosaic_data();
    void containerMosaic();
    void noPicture_data();
    void noPicture();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString output() const { return path(QStringLiteral("out.png")); }
    QTemporaryDir m_dir;
    QMap<QString, QImage> m_painted; // an album's first photo as painted, upright
};

void TestThumbnailer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QImage photo = tools::paintSamplePhoto(QSize(640, 480), 7);
    m_painted.insert("photo.sld", photo);
    // The second photo is another picture: a thumbnail made from it would show.
    albumWithPhotos(path("photo.sld"),
                    {{QStringLiteral("p1.jpg"), tools::encodePhoto(photo, tools::PhotoFormat::Jpeg),
                      photo.size(), false},
                     samplePhoto(QStringLiteral("p2.jpg"), QSize(640, 480), 99)});
    // Camera photos stored turned, as their EXIF orientation says, with and
    // without an embedded thumbnail (160 pixels on its long side).
    const QImage portrait = tools::paintSamplePhoto(QSize(480, 640), 11);
    const struct
    {
        const char* name;
        int orientation;
        int thumbnail;
    } cameraAlbums[] = {{"turned.sld", 6, 160}, {"turned-plain.sld", 8, 0}, {"upside.sld", 3, 0}};
    for (const auto& a : cameraAlbums) {
        m_painted.insert(a.name, portrait);
        albumWithPhotos(path(a.name),
                        {{QStringLiteral("c.jpg"),
                          tools::encodeCameraJpeg(portrait, a.orientation, a.thumbnail),
                          portrait.size(), false}});
    }
    albumWithPhotos(path("tall.sld"), {samplePhoto(QStringLiteral("t.jpg"), QSize(300, 600), 3)});
    albumWithPhotos(path("small.sld"), {samplePhoto(QStringLiteral("s.bmp"), QSize(60, 40), 4,
                                                    tools::PhotoFormat::Bmp)});
    albumWithPhotos(path("locked.sld"), {samplePhoto(QStringLiteral("l.jpg"), QSize(64, 48), 5)},
                    true);
    albumWithPhotos(path("broken.sld"),
                    {{QStringLiteral("b.jpg"), QByteArray(500, 'x'), QSize(20, 20), false}});
    QVERIFY(writeBytes(path("locked.cov"), containerOf("aaaa", QSize(78, 58), true)));
    QVERIFY(writeBytes(path("hidden.cov"), containerOf("hhh", QSize(78, 58))));
    QVERIFY(writeBytes(path("notes.txt"), "Vintrel is a name, not a header\n"));
    QVERIFY(QDir(m_dir.path()).mkdir("folder.sld"));
}

void TestThumbnailer::albumGivesFirstPhoto_data()
{
    QTest::addColumn<QString>("album");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("default size") << "photo.sld" << QStringList() << QSize(256, 192);
    QTest::newRow("-s 128") << "photo.sld" << QStringList{"-s", "128"} << QSize(128, 96);
    QTest::newRow("-s64") << "photo.sld" << QStringList{"-s64"} << QSize(64, 48);
    QTest::newRow("--size=100") << "photo.sld" << QStringList{"--size=100"} << QSize(100, 75);
    QTest::newRow("upright") << "tall.sld" << QStringList{"-s", "128"} << QSize(64, 128);
    QTest::newRow("small photo is not enlarged")
        << "small.sld" << QStringList{"-s", "512"} << QSize(60, 40);
    QTest::newRow("turned, embedded thumbnail")
        << "turned.sld" << QStringList{"-s", "128"} << QSize(96, 128);
    QTest::newRow("turned, photo at 1/8")
        << "turned-plain.sld" << QStringList{"-s", "64"} << QSize(48, 64);
    QTest::newRow("upside down, photo at 1/2")
        << "upside.sld" << QStringList{"-s", "256"} << QSize(192, 256);
}

void TestThumbnailer::albumGivesFirstPhoto()
{
    QFETCH(QString, album);
    QFETCH(QStringList, options);
    QFETCH(QSize, expected);
    QImage pictures[2];
    for (const bool standalone : {false, true}) {
        QVERIFY(writeBytes(output(), kOldOutput));
        const CliRun r = runThumbnail(standalone, options + QStringList{path(album), output()});
        QVERIFY2(r.status == 0, r.err.constData());
        QVERIFY(r.err.isEmpty());
        const QImage got(output(), "PNG");
        QCOMPARE(got.size(), expected);
        QVERIFY(!got.hasAlphaChannel());
        if (m_painted.contains(album)) {
            // The first photo, upright, not the second: close to the painted
            // picture scaled down (JPEG and the scalers differ by a few
            // levels only).
            const QImage reference = m_painted.value(album).scaled(expected, Qt::IgnoreAspectRatio,
                                                                   Qt::SmoothTransformation);
            QVERIFY2(meanDifference(got, reference) < 6,
                     qPrintable(QString::number(meanDifference(got, reference))));
        }
        // Written through a temporary file: nothing else is left in the folder.
        QCOMPARE(QDir(m_dir.path()).entryList({"*.png*"}, QDir::Files), QStringList{"out.png"});
        pictures[standalone ? 1 : 0] = got;
    }
    // The two programs shrink alike but for rounding.
    QVERIFY2(meanDifference(pictures[0], pictures[1]) < 1.5,
             qPrintable(QString::number(meanDifference(pictures[0], pictures[1]))));
}

void TestThumbnailer::containerMosaic_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QSize>("thumb");
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<QList<int>>("shown"); // the entries in the places, in order
    // Places of 78 pixels (the largest thumbnail) and a gap of 256 / 64 = 4.
    QTest::newRow("first four shown, hidden skipped")
        << "ahaahaaa" << QSize(78, 58) << 256 << QSize(160, 160) << QList<int>{0, 2, 3, 5};
    QTest::newRow("entries without a picture skipped")
        << "anaaha" << QSize(58, 78) << 256 << QSize(160, 160) << QList<int>{0, 2, 3, 5};
    QTest::newRow("two make one row")
        << "aa" << QSize(78, 58) << 256 << QSize(160, 78) << QList<int>{0, 1};
    QTest::newRow("three leave the fourth place empty")
        << "haaa" << QSize(78, 58) << 256 << QSize(160, 160) << QList<int>{1, 2, 3};
    // Places of (64 - 1) / 2 = 31 pixels, the thumbnails shrunk into them.
    QTest::newRow("small size") << "aaaa" << QSize(78, 58) << 64 << QSize(63, 63)
                                << QList<int>{0, 1, 2, 3};
    QTest::newRow("one shown alone")
        << "hah" << QSize(78, 58) << 256 << QSize(78, 58) << QList<int>{1};
}

void TestThumbnailer::containerMosaic()
{
    QFETCH(QString, pattern);
    QFETCH(QSize, thumb);
    QFETCH(int, size);
    QFETCH(QSize, expected);
    QFETCH(QList<int>, shown);
    const QString container = path("mosaic.cov");
    QVERIFY(writeBytes(container, containerOf(pattern, thumb)));
    const CliRun r = runCli({"thumbnail", "-s", QString::number(size), container, output()});
    QVERIFY2(r.status == 0, r.err.constData());
    const QImage got = QImage(output(), "PNG").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(got.size(), expected);
    if (shown.size() == 1) {
        QVERIFY(closeColours(got.pixelColor(got.width() / 2, got.height() / 2),
                             entryColour(shown.first())));
        return;
    }
    const int gap = std::max(1, size / 64);
    const int place = (expected.width() - gap) / 2;
    for (int i = 0; i < 4; ++i) {
        const QPoint centre((i % 2) * (place + gap) + place / 2,
                            (i / 2) * (place + gap) + place / 2);
        if (centre.y() >= got.height())
            continue;
        const QColor c = got.pixelColor(centre);
        if (i < shown.size())
            QVERIFY2(closeColours(c, entryColour(shown.at(i))), qPrintable(c.name()));
        else
            QCOMPARE(c.alpha(), 0);
    }
    // The gap between the places is transparent.
    QCOMPARE(got.pixelColor(place + gap / 2, place / 2).alpha(), 0);
}

void TestThumbnailer::noPicture_data()
{
    // After "thumbnail"; "@name" is a file of the test folder, OUT the output.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::newRow("protected album") << QStringList{"@locked.sld", "OUT"} << 1;
    QTest::newRow("protected container") << QStringList{"@locked.cov", "OUT"} << 1;
    QTest::newRow("container with nothing shown") << QStringList{"@hidden.cov", "OUT"} << 1;
    QTest::newRow("missing file") << QStringList{"@nothing.sld", "OUT"} << 1;
    QTest::newRow("a folder") << QStringList{"@folder.sld", "OUT"} << 1;
    QTest::newRow("neither album nor container") << QStringList{"@notes.txt", "OUT"} << 3;
    QTest::newRow("undecodable first photo") << QStringList{"@broken.sld", "OUT"} << 3;
    QTest::newRow("output folder missing") << QStringList{"@photo.sld", "@none/out.png"} << 1;
    QTest::newRow("size too small") << QStringList{"-s", "8", "@photo.sld", "OUT"} << 2;
    QTest::newRow("size not a number") << QStringList{"-s", "big", "@photo.sld", "OUT"} << 2;
    QTest::newRow("size without value") << QStringList{"@photo.sld", "OUT", "-s"} << 2;
    QTest::newRow("unknown option") << QStringList{"-x", "@photo.sld", "OUT"} << 2;
    QTest::newRow("no output") << QStringList{"@photo.sld"} << 2;
}

void TestThumbnailer::noPicture()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    for (QString& a : args) {
        if (a == QLatin1String("OUT"))
            a = output();
        else if (a.startsWith(QLatin1Char('@')))
            a = path(a.mid(1));
    }
    // The thumbnailer hands these to quorbell-cli: the same status and message.
    for (const bool standalone : {false, true}) {
        QVERIFY(writeBytes(output(), kOldOutput));
        const CliRun r = runThumbnail(standalone, args);
        QCOMPARE(r.status, status);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(r.err.startsWith("quorbell-cli: "));
        QCOMPARE(readBytes(output()), kOldOutput);
    }
}

QTEST_GUILESS_MAIN(TestThumbnailer)
#include "tst_thumbnailer.moc"
