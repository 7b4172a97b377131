// quorbell-cli's container commands run as a separate process: the JSON of
// container-info, thumbnail-export, and the exit status and one-line message
// for every kind of failure.
#include "ContainerMaker.h"

#include "container/BmpCodec.h"
#include "core/ThumbnailFormat.h"
#include "CliRunner.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;
using namespace quorbell::tools;

namespace {

using test::runCli;

} // namespace

class TestContainerCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void infoJson();
    void infoJsonWithoutFolderOrPassword();
    void infoText();
    void infoSizeFrom2GB();
    void exportThumbnail_data();
    void exportThumbnail();
    void failures_data();
    void failures();

private:
    QTemporaryDir m_dir;
    QString m_sample;
    QString write(const QString& name, const QByteArray& bytes);
};

QString TestContainerCli::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestContainerCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    SampleOptions o;
    o.count = 8;
    o.password = QStringLiteral("abc");
    o.kinds = {BmpKind::Rgb24, BmpKind::Mono1, BmpKind::Palette4, BmpKind::Palette8,
               BmpKind::Rgb32};
    RawContainer raw = sampleContainer(o);
    raw.entries[4].name = "*" + raw.entries[4].name; // hidden
    m_sample = write(QStringLiteral("サンプル.cov"), assembleContainer(raw));
}

void TestContainerCli::infoJson()
{
    const test::CliRun r =
        runCli({QStringLiteral("container-info"), QStringLiteral("--json"), m_sample});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(o.value(u"file").toString(), m_sample);
    QCOMPARE(o.value(u"version").toString(), QStringLiteral("2.50"));
    QCOMPARE(o.value(u"password").toBool(), true);
    QCOMPARE(o.value(u"album_count").toInt(), 8);
    QCOMPARE(o.value(u"cell_size").toInt(), 80);
    QCOMPARE(o.value(u"album_folder").toString(), QStringLiteral("/home/user/アルバム/"));
    const QJsonArray albums = o.value(u"albums").toArray();
    QCOMPARE(albums.size(), 8);

    const QStringList keys = {"index",       "name",         "hidden",          "comment",
                              "thumb_width", "thumb_height", "thumbnail_width", "thumbnail_height",
                              "size",        "date",         "date_text"};
    for (const QJsonValue& v : albums)
        QCOMPARE(v.toObject().keys().size(), keys.size());

    // Tag 7 date, Japanese name, landscape photo fitted to 78 x 58.
    const QJsonObject a0 = albums.at(0).toObject();
    QCOMPARE(a0.value(u"index").toInt(), 0);
    QCOMPARE(a0.value(u"name").toString(), QStringLiteral("アルバム1.sld"));
    QCOMPARE(a0.value(u"comment").toString(), QStringLiteral("アルバム1"));
    QCOMPARE(a0.value(u"hidden").toBool(), false);
    QCOMPARE(a0.value(u"thumb_width").toInt(), 640);
    QCOMPARE(a0.value(u"thumb_height").toInt(), 480);
    QCOMPARE(a0.value(u"thumbnail_width").toInt(), 78);
    QCOMPARE(a0.value(u"thumbnail_height").toInt(), 58);
    QCOMPARE(a0.value(u"size").toInt(), 100000);
    QCOMPARE(a0.value(u"date").toString(), QStringLiteral("2003-01-02T12:00:00"));
    QVERIFY(a0.value(u"date_text").isNull());
    // Tag 8 with a two-digit year, 1-bit record.
    const QJsonObject a1 = albums.at(1).toObject();
    QCOMPARE(a1.value(u"date").toString(), QStringLiteral("2003-01-02T00:00:00"));
    QCOMPARE(a1.value(u"date_text").toString(), QStringLiteral("03/01/02 0:00:00"));
    QCOMPARE(a1.value(u"thumbnail_width").toInt(), 58);
    QCOMPARE(a1.value(u"thumbnail_height").toInt(), 78);
    QCOMPARE(albums.at(2).toObject().value(u"date_text").toString(),
             QStringLiteral("2003/01/02 0:00:00"));
    // Tag 0: no date at all.
    const QJsonObject a3 = albums.at(3).toObject();
    QVERIFY(a3.value(u"date").isNull());
    QVERIFY(a3.value(u"date_text").isNull());
    // Hidden: the name keeps its mark.
    const QJsonObject a4 = albums.at(4).toObject();
    QCOMPARE(a4.value(u"hidden").toBool(), true);
    QCOMPARE(a4.value(u"name").toString(), QStringLiteral("*album5.sld"));
}

void TestContainerCli::infoJsonWithoutFolderOrPassword()
{
    SampleOptions o;
    o.count = 1;
    o.withFolder = false;
    RawContainer raw = sampleContainer(o);
    raw.entries[0].comment = "say \"hi\"\\\t";
    const QString path = write(QStringLiteral("plain.cov"), assembleContainer(raw));
    const test::CliRun r =
        runCli({QStringLiteral("container-info"), path, QStringLiteral("--json")});
    QCOMPARE(r.status, 0);
    const QJsonObject o2 = QJsonDocument::fromJson(r.out).object();
    QCOMPARE(o2.value(u"password").toBool(), false);
    QVERIFY(o2.contains(u"album_folder"));
    QVERIFY(o2.value(u"album_folder").isNull());
    QCOMPARE(o2.value(u"albums").toArray().at(0).toObject().value(u"comment").toString(),
             QStringLiteral("say \"hi\"\\\t"));
}

void TestContainerCli::infoText()
{
    const test::CliRun r = runCli({QStringLiteral("container-info"), m_sample});
    QCOMPARE(r.status, 0);
    const QString text = QString::fromUtf8(r.out);
    QVERIFY(text.contains(QStringLiteral("Albums: 8 (2 hidden)")));
    QVERIFY(text.contains(QStringLiteral("旅行の写真 3")));
    QVERIFY(text.contains(QStringLiteral("03/01/02 0:00:00")));
}

void TestContainerCli::infoSizeFrom2GB()
{
    // The stored 32-bit size word of a 3,000,000,000-byte album is negative as
    // a signed value; both outputs show the real size.
    SampleOptions o;
    o.count = 1;
    RawContainer raw = sampleContainer(o);
    raw.entries[0].fileSize = qint32(quint32(3000000000u));
    const QString path = write(QStringLiteral("large.cov"), assembleContainer(raw));
    const test::CliRun json =
        runCli({QStringLiteral("container-info"), QStringLiteral("--json"), path});
    QCOMPARE(json.status, 0);
    const QJsonObject a0 =
        QJsonDocument::fromJson(json.out).object().value(u"albums").toArray().at(0).toObject();
    QCOMPARE(a0.value(u"size").toInteger(), 3000000000LL);
    const test::CliRun text = runCli({QStringLiteral("container-info"), path});
    QCOMPARE(text.status, 0);
    QVERIFY(QString::fromUtf8(text.out).contains(QStringLiteral("\t2,929,688KB\t")));
}

void TestContainerCli::exportThumbnail_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("out");
    QTest::newRow("png of 24-bit") << 0 << QStringLiteral("t0.png");
    QTest::newRow("png of 1-bit") << 1 << QStringLiteral("t1.PNG");
    QTest::newRow("bmp of 4-bit") << 2 << QStringLiteral("t2.bmp");
    QTest::newRow("jpg of 8-bit") << 3 << QStringLiteral("t3.jpg");
}

void TestContainerCli::exportThumbnail()
{
    QFETCH(int, index);
    QFETCH(QString, out);
    const QString target = m_dir.filePath(out);
    const test::CliRun r =
        runCli({QStringLiteral("thumbnail-export"), m_sample, QString::number(index), target});
    QCOMPARE(r.status, 0);
    QVERIFY(r.err.isEmpty());

    SampleOptions o;
    o.count = 8;
    o.kinds = {BmpKind::Rgb24, BmpKind::Mono1, BmpKind::Palette4, BmpKind::Palette8};
    const QByteArray stored = sampleContainer(o).entries[index].bmp;
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    const QImage expected = container::decodeBmp(stored);
    if (out.endsWith(QLatin1String(".bmp"))) {
        QCOMPARE(written, stored); // the stored file itself
    } else if (out.endsWith(QLatin1String(".jpg"))) {
        const QImage jpg = QImage::fromData(written, "JPG");
        QCOMPARE(jpg.size(), expected.size());
    } else {
        QCOMPARE(toThumbnailFormat(QImage::fromData(written, "PNG")), expected);
    }
}

void TestContainerCli::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("named"); // what the message must name

    const QString bad = write(QStringLiteral("bad.cov"), QByteArray("QuorbellVer2.50\0\0", 17));
    QByteArray badCell = assembleContainer(sampleContainer({}));
    badCell[25] = 85;
    const QString cell = write(QStringLiteral("cell.cov"), badCell);
    const QString album =
        write(QStringLiteral("album.sld"), QByteArray("Vintrel Ver1.00") + QByteArray(20, '\0'));
    const QString missing = m_dir.filePath(QStringLiteral("missing.cov"));
    const QString info = QStringLiteral("container-info");
    const QString exp = QStringLiteral("thumbnail-export");
    const QString png = m_dir.filePath(QStringLiteral("x.png"));

    QTest::newRow("info: missing file") << QStringList{info, missing} << 1 << missing;
    QTest::newRow("info: folder") << QStringList{info, m_dir.path()} << 1 << m_dir.path();
    QTest::newRow("info: truncated header") << QStringList{info, "--json", bad} << 3 << bad;
    QTest::newRow("info: bad cell size") << QStringList{info, cell} << 3 << cell;
    QTest::newRow("info: album file") << QStringList{info, album} << 3 << album;
    QTest::newRow("info: no file") << QStringList{info} << 2 << QStringLiteral("usage");
    QTest::newRow("info: two files")
        << QStringList{info, m_sample, m_sample} << 2 << QStringLiteral("usage");
    QTest::newRow("export: missing file") << QStringList{exp, missing, "0", png} << 1 << missing;
    QTest::newRow("export: invalid file") << QStringList{exp, cell, "0", png} << 3 << cell;
    QTest::newRow("export: index past the end")
        << QStringList{exp, m_sample, "8", png} << 2 << m_sample;
    QTest::newRow("export: negative index")
        << QStringList{exp, m_sample, "-1", png} << 2 << QStringLiteral("-1");
    QTest::newRow("export: unknown format")
        << QStringList{exp, m_sample, "0", m_dir.filePath(QStringLiteral("x.gif"))} << 2
        << QStringLiteral("x.gif");
    QTest::newRow("export: output folder missing")
        << QStringList{exp, m_sample, "0", m_dir.filePath(QStringLiteral("no/x.png"))} << 1
        << QStringLiteral("no/x.png");
    QTest::newRow("export: too few arguments")
        << QStringList{exp, m_sample} << 2 << QStringLiteral("usage");
}

void TestContainerCli::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, named);
    const test::CliRun r = runCli(args);
    QCOMPARE(r.status, status);
    QVERIFY(r.out.isEmpty());
    const QString err = QString::fromUtf8(r.err);
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
    QVERIFY2(err.contains(named), qPrintable(err));
}

QTEST_GUILESS_MAIN(TestContainerCli)
#include "tst_containercli.moc"
