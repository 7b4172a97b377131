// quorbell-cli's album commands end to end: the JSON table, the exit statuses
// with their one line on standard error, extracting byte for byte with safe
// and unclashing names, the password checks, nothing left behind on failure,
// and albums made from image files.
#include "album/AlbumFileReader.h"

#include "AlbumFixtures.h"
#include "CliRunner.h"
#include "Unprivileged.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace quorbell;
using quorbell::tools::PhotoFormat;

namespace {

test::CliRun cli(const QStringList& args, const QStringList& prefix = {})
{
    return test::runCli(args, prefix, 30000);
}

QStringList listing(const QString& dir)
{
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Three photos: a JPEG with two dots in its name, stored turned as its EXIF
// orientation 6 says, a hidden BMP with a Japanese name, a GIF.
tools::AlbumSpec threePhotoSpec(const QString& password = QString())
{
    tools::AlbumSpec albumSpec;
    if (!password.isNull())
        albumSpec.password = storedPasswordForm(password);
    albumSpec.photos = {
        {QStringLiteral("IMG.0001.JPG"),
         tools::encodeCameraJpeg(tools::paintSamplePhoto(QSize(640, 480), 1), 6, 160),
         QSize(640, 480), false},
        test::samplePhoto(QStringLiteral("写真　二枚目.bmp"), QSize(33, 65), 2, PhotoFormat::Bmp),
        test::samplePhoto(QStringLiteral("c.gif"), QSize(120, 90), 3, PhotoFormat::Gif)};
    albumSpec.photos[1].hidden = true;
    return albumSpec;
}

} // namespace

class TestAlbumCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void infoJson();
    void infoText();
    void exitStatuses_data();
    void exitStatuses();
    void unreadableFile();
    void extractBytesUnchanged();
    void extractPassword_data();
    void extractPassword();
    void extractSafeNames();
    void failedExtractLeavesNothing();
    void makeFromImageFiles();
    void makeRefusals_data();
    void makeRefusals();

private:
    QTemporaryDir m_dir;
    QString m_album;  // threePhotoSpec without a password
    QString m_locked; // threePhotoSpec with password "Pass1234"
    QByteArray m_bad; // a malformed album
};

void TestAlbumCli::initTestCase()
{
    QVERIFY(QFileInfo(qEnvironmentVariable("QUORBELL_TOOLS_DIR") + QStringLiteral("/quorbell-cli"))
                .isExecutable());
    m_album = m_dir.filePath(QStringLiteral("plain.sld"));
    m_locked = m_dir.filePath(QStringLiteral("locked.sld"));
    QVERIFY(test::writeBytes(m_album, test::albumBytes(threePhotoSpec())));
    QVERIFY(
        test::writeBytes(m_locked, test::albumBytes(threePhotoSpec(QStringLiteral("Pass1234")))));
}

void TestAlbumCli::infoJson()
{
    const tools::AlbumSpec albumSpec = threePhotoSpec(QStringLiteral("Pass1234"));
    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(albumSpec);
    const test::CliRun r = cli({QStringLiteral("album-info"), QStringLiteral("--json"), m_locked});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    QCOMPARE(r.out.count('\n'), 1);
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(o.keys(), (QStringList{"file", "password", "photo_count", "photos"}));
    QCOMPARE(o.value("file").toString(), m_locked);
    QCOMPARE(o.value("password").toBool(), true);
    QCOMPARE(o.value("photo_count").toInt(), 3);
    const QJsonArray photos = o.value("photos").toArray();
    QCOMPARE(photos.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QJsonObject p = photos.at(i).toObject();
        const tools::AlbumPhotoSource& s = albumSpec.photos.at(i);
        // Each JPEG photo has its orientation as well.
        QCOMPARE(p.keys().size(), i == 0 ? 8 : 7);
        QCOMPARE(p.value("orientation").toInt(), i == 0 ? 6 : 0);
        QCOMPARE(p.value("index").toInt(), i);
        QCOMPARE(p.value("name").toString(), (s.hidden ? QStringLiteral("*") : QString()) + s.name);
        QCOMPARE(p.value("hidden").toBool(), s.hidden);
        QCOMPARE(p.value("width").toInt(), s.pixelSize.width());
        QCOMPARE(p.value("height").toInt(), s.pixelSize.height());
        QCOMPARE(p.value("position").toInteger(), built->layout.imageOffsets.at(i) + 1);
        QCOMPARE(p.value("length").toInteger(), s.imageBytes.size());
    }
    const test::CliRun plain =
        cli({QStringLiteral("album-info"), m_album, QStringLiteral("--json")});
    QCOMPARE(plain.status, 0);
    QCOMPARE(QJsonDocument::fromJson(plain.out).object().value("password").toBool(), false);
}

void TestAlbumCli::infoText()
{
    const test::CliRun r = cli({QStringLiteral("album-info"), m_album});
    QCOMPARE(r.status, 0);
    const QString text = QString::fromUtf8(r.out);
    QVERIFY(text.contains(QStringLiteral("IMG.0001.JPG")));
    QVERIFY(text.contains(QStringLiteral("*写真　二枚目.bmp")));
    QVERIFY(text.contains(QStringLiteral("640x480")));
}

void TestAlbumCli::exitStatuses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("named"); // a file the message must name; empty for none

    const std::optional<tools::BuiltAlbum> built = tools::buildAlbum(threePhotoSpec());
    const tools::AlbumLayout& l = built->layout;
    auto bad = [this, &built](const QString& name, auto change) {
        QByteArray b = built->bytes;
        change(b);
        const QString path = m_dir.filePath(name);
        test::writeBytes(path, b);
        return path;
    };
    const QString empty = bad("empty.sld", [](QByteArray& b) { b.clear(); });
    const QString header = bad("header.sld", [](QByteArray& b) { b[3] = 'X'; });
    const QString zero = bad("zero.sld", [](QByteArray& b) { test::patch16(b, 23, 0); });
    const QString negative = bad("negative.sld", [](QByteArray& b) { test::patch16(b, 23, -7); });
    const QString huge = bad(
        "huge.sld", [&l](QByteArray& b) { test::patch32(b, l.blockOffsets.at(1), 0x7FFFFFFF); });
    const QString pos =
        bad("pos.sld", [&l](QByteArray& b) { test::patch32(b, l.positionsOffset + 8, 0); });
    const QString len =
        bad("len.sld", [&l](QByteArray& b) { test::patch32(b, l.lengthsOffset + 8, 0x7FFFFFF0); });
    const QString cut = bad("cut.sld", [&l](QByteArray& b) { b.truncate(l.lengthsOffset + 2); });
    const QString name =
        bad("name.sld", [&l](QByteArray& b) { b[l.namesOffset + 2] = char(0xFD); });
    const QString missing = m_dir.filePath(QStringLiteral("missing.sld"));
    const QString out = m_dir.filePath(QStringLiteral("outdir"));
    const QString info = QStringLiteral("album-info"), extract = QStringLiteral("album-extract");

    QTest::newRow("no command") << QStringList{} << 2 << QString();
    QTest::newRow("unknown command") << QStringList{"album-nothing"} << 2 << QString();
    QTest::newRow("info without file") << QStringList{info} << 2 << QString();
    QTest::newRow("info with two files") << QStringList{info, m_album, m_album} << 2 << QString();
    QTest::newRow("info unknown option") << QStringList{info, "--xml", m_album} << 2 << QString();
    QTest::newRow("extract without folder") << QStringList{extract, m_album} << 2 << QString();
    QTest::newRow("extract password without value")
        << QStringList{extract, m_album, out, "--password"} << 2 << QString();
    QTest::newRow("info missing") << QStringList{info, missing} << 1 << missing;
    QTest::newRow("info folder") << QStringList{info, m_dir.path()} << 1 << m_dir.path();
    QTest::newRow("info device") << QStringList{info, "/dev/zero"} << 1 << "/dev/zero";
    QTest::newRow("extract missing") << QStringList{extract, missing, out} << 1 << missing;
    for (const QString& f : {empty, header, zero, negative, huge, pos, len, cut, name}) {
        QTest::newRow(qPrintable("info " + QFileInfo(f).fileName()))
            << QStringList{info, "--json", f} << 3 << f;
        QTest::newRow(qPrintable("extract " + QFileInfo(f).fileName()))
            << QStringList{extract, f, out} << 3 << f;
    }
    QTest::newRow("extract locked, no password")
        << QStringList{extract, m_locked, out} << 4 << m_locked;
}

void TestAlbumCli::exitStatuses()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, named);
    const test::CliRun r = cli(args);
    QCOMPARE(r.status, status);
    if (status != 0 && !args.isEmpty()) {
        QCOMPARE(r.err.count('\n'), 1);
        if (!named.isEmpty())
            QVERIFY2(QString::fromUtf8(r.err).contains(named), r.err.constData());
    }
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("outdir"))));
}

void TestAlbumCli::unreadableFile()
{
    QTemporaryDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                  QFileDevice::ExeOther));
    const QString path = dir.filePath(QStringLiteral("locked-out.sld"));
    QVERIFY(test::writeBytes(path, test::albumBytes(threePhotoSpec())));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    // Root reads any file; run as an unprivileged user then.
    const test::CliRun r = cli({QStringLiteral("album-info"), path}, test::dropRootPrefix());
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains("cannot be read"), r.err.constData());
}

void TestAlbumCli::extractBytesUnchanged()
{
    const tools::AlbumSpec albumSpec = threePhotoSpec();
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("new/sub")); // made when missing
    const test::CliRun r = cli({QStringLiteral("album-extract"), m_album, target});
    QCOMPARE(r.status, 0);
    QCOMPARE(listing(target), (QStringList{"*写真　二枚目.bmp", "IMG.0001.JPG", "c.gif"}));
    for (const tools::AlbumPhotoSource& s : albumSpec.photos) {
        const QString file = (s.hidden ? QStringLiteral("*") : QString()) + s.name;
        QCOMPARE(test::readBytes(target + QLatin1Char('/') + file), s.imageBytes);
    }
}

void TestAlbumCli::extractPassword_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QStringList>("passwordArgs");
    QTest::addColumn<int>("status");
    QTest::newRow("right") << true << QStringList{"--password", "Pass1234"} << 0;
    QTest::newRow("right, = form") << true << QStringList{"--password=Pass1234"} << 0;
    QTest::newRow("ninth character does not count")
        << true << QStringList{"--password", "Pass12345"} << 0;
    QTest::newRow("missing") << true << QStringList{} << 4;
    QTest::newRow("wrong case") << true << QStringList{"--password", "pass1234"} << 4;
    QTest::newRow("too short") << true << QStringList{"--password", "Pass123"} << 4;
    QTest::newRow("empty") << true << QStringList{"--password", ""} << 4;
    QTest::newRow("double-byte character") << true << QStringList{"--password", "Pass123あ"} << 4;
    QTest::newRow("ignored without a password")
        << false << QStringList{"--password", "whatever"} << 0;
}

void TestAlbumCli::extractPassword()
{
    QFETCH(bool, locked);
    QFETCH(QStringList, passwordArgs);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("out"));
    const test::CliRun r = cli(QStringList{QStringLiteral("album-extract")} + passwordArgs +
                               QStringList{locked ? m_locked : m_album, target});
    QCOMPARE(r.status, status);
    if (status == 0) {
        QCOMPARE(listing(target).size(), 3);
    } else {
        QVERIFY(r.err.contains("password"));
        QVERIFY(!QFileInfo::exists(target));
    }
}

void TestAlbumCli::extractSafeNames()
{
    tools::AlbumSpec albumSpec;
    const QStringList names = {"../evil.jpg",
                               "a/b.jpg",
                               "..",
                               "",
                               "same.jpg",
                               "same.jpg",
                               "back\\slash.jpg",
                               QStringLiteral("tab\there.jpg"),
                               "."};
    for (int i = 0; i < names.size(); ++i)
        albumSpec.photos.append(
            {names.at(i), QByteArray::number(i) + "-bytes", QSize(1, 1), false});
    QTemporaryDir dir;
    const QString album = dir.filePath(QStringLiteral("names.sld"));
    QVERIFY(test::writeBytes(album, test::albumBytes(albumSpec)));
    const QString target = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkdir(target));
    QVERIFY(test::writeBytes(target + QStringLiteral("/same.jpg"), "keep me"));

    const test::CliRun r = cli({QStringLiteral("album-extract"), album, target});
    QCOMPARE(r.status, 0);
    QCOMPARE(listing(dir.path()), (QStringList{"names.sld", "out"})); // nothing climbed out
    const QStringList expected = {
        ".__evil.jpg", "a_b.jpg",        "._",           "_", "same_2.jpg",
        "same_3.jpg",  "back_slash.jpg", "tab_here.jpg", "_."};
    QStringList sorted = expected;
    sorted << QStringLiteral("same.jpg");
    sorted.sort();
    QCOMPARE(listing(target), sorted);
    QCOMPARE(test::readBytes(target + QStringLiteral("/same.jpg")), QByteArray("keep me"));
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(test::readBytes(target + QLatin1Char('/') + expected.at(i)),
                 QByteArray::number(i) + "-bytes");
}

void TestAlbumCli::failedExtractLeavesNothing()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkdir(target));
    QVERIFY(test::writeBytes(target + QStringLiteral("/existing.txt"), "x"));
    const QStringList before = listing(target);

    QCOMPARE(cli({QStringLiteral("album-extract"), QStringLiteral("--password"),
                  QStringLiteral("no"), m_locked, target})
                 .status,
             4);
    QCOMPARE(listing(target), before);
    QByteArray bytes = test::albumBytes(threePhotoSpec());
    bytes.chop(3);
    const QString cut = dir.filePath(QStringLiteral("cut.sld"));
    QVERIFY(test::writeBytes(cut, bytes));
    QCOMPARE(cli({QStringLiteral("album-extract"), cut, target}).status, 3);
    QCOMPARE(listing(target), before);
    // The target is a file, not a folder.
    QCOMPARE(
        cli({QStringLiteral("album-extract"), m_album, target + QStringLiteral("/existing.txt")})
            .status,
        1);
    QCOMPARE(listing(target), before);
}

void TestAlbumCli::makeFromImageFiles()
{
    QTemporaryDir dir;
    const QStringList files = {dir.filePath(QStringLiteral("a.jpg")),
                               dir.filePath(QStringLiteral("ｂ写真.bmp")),
                               dir.filePath(QStringLiteral("c.1.gif"))};
    const QList<PhotoFormat> formats = {PhotoFormat::Jpeg, PhotoFormat::Bmp, PhotoFormat::Gif};
    const QList<QSize> sizes = {QSize(200, 150), QSize(31, 47), QSize(64, 64)};
    QList<QByteArray> bytes;
    for (int i = 0; i < 3; ++i) {
        bytes << tools::makeSamplePhoto(sizes.at(i), quint32(i), formats.at(i));
        QVERIFY(test::writeBytes(files.at(i), bytes.last()));
    }
    const QString out = dir.filePath(QStringLiteral("made.sld"));
    const test::CliRun r = cli(QStringList{QStringLiteral("album-make"), out} + files +
                               QStringList{"--hidden", "1", "--password", "abc", "--header-tail",
                                           "3.10", "--unused", "-5"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());

    const album::AlbumResult<album::AlbumTable> t = album::readAlbumTable(out);
    QVERIFY(t.ok());
    QCOMPARE(t->header, QByteArray("Vintrel Ver3.10"));
    QCOMPARE(t->unusedValue, qint16(-5));
    QCOMPARE(t->password, storedPasswordForm(QStringLiteral("abc")));
    QCOMPARE(t->photos.at(0).name, QStringLiteral("a.jpg"));
    QCOMPARE(t->photos.at(1).name, QStringLiteral("*ｂ写真.bmp"));
    QCOMPARE(t->photos.at(2).name, QStringLiteral("c.1.gif"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(QSize(t->photos.at(i).width(), t->photos.at(i).height()), sizes.at(i));

    const QString target = dir.filePath(QStringLiteral("x"));
    QCOMPARE(cli({QStringLiteral("album-extract"), QStringLiteral("--password"),
                  QStringLiteral("abc"), out, target})
                 .status,
             0);
    QCOMPARE(test::readBytes(target + QStringLiteral("/a.jpg")), bytes.at(0));
    QCOMPARE(test::readBytes(target + QStringLiteral("/*ｂ写真.bmp")), bytes.at(1));
    QCOMPARE(test::readBytes(target + QStringLiteral("/c.1.gif")), bytes.at(2));
}

void TestAlbumCli::makeRefusals_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<int>("status");
    QTest::newRow("no photo") << QStringList{} << 2;
    QTest::newRow("hidden out of range") << QStringList{"@photo", "--hidden", "1"} << 2;
    QTest::newRow("hidden not a number") << QStringList{"@photo", "--hidden", "one"} << 2;
    QTest::newRow("password too long") << QStringList{"@photo", "--password", "123456789"} << 2;
    QTest::newRow("password double-byte") << QStringList{"@photo", "--password", "あ"} << 2;
    QTest::newRow("header tail too short") << QStringList{"@photo", "--header-tail", "1.0"} << 2;
    QTest::newRow("unused out of range") << QStringList{"@photo", "--unused", "40000"} << 2;
    QTest::newRow("missing photo") << QStringList{"@missing"} << 1;
    QTest::newRow("photo is a folder") << QStringList{"@folder"} << 1;
    QTest::newRow("photo is not an image") << QStringList{"@text"} << 3;
}

void TestAlbumCli::makeRefusals()
{
    QFETCH(QStringList, extra);
    QFETCH(int, status);
    QTemporaryDir dir;
    QVERIFY(test::writeBytes(dir.filePath(QStringLiteral("photo.jpg")),
                             tools::makeSamplePhoto(QSize(10, 10), 1, PhotoFormat::Jpeg)));
    QVERIFY(test::writeBytes(dir.filePath(QStringLiteral("text.jpg")), "just text"));
    QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("folder"))));
    for (QString& e : extra) {
        if (e.startsWith(QLatin1Char('@')))
            e = dir.filePath(e.mid(1) +
                             (e == QLatin1String("@folder") ? QString() : QStringLiteral(".jpg")));
    }
    const QString out = dir.filePath(QStringLiteral("out.sld"));
    const test::CliRun r = cli(QStringList{QStringLiteral("album-make"), out} + extra);
    QCOMPARE(r.status, status);
    QCOMPARE(r.err.count('\n'), 1);
    QVERIFY(!QFileInfo::exists(out));
}

QTEST_GUILESS_MAIN(TestAlbumCli)
#include "tst_albumcli.moc"
