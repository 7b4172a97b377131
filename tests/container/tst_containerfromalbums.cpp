// Making a container's document from album files: one entry per file in the
// order given, comments from the names, thumbnails fitted to the cell, sizes,
// dates and the album folder; protected albums need no password, albums that
// cannot be read get an entry without a thumbnail.
#include "AlbumFixtures.h"

#include "album/AlbumFileReader.h"
#include "container/ContainerFromAlbums.h"
#include "container/ContainerReader.h"
#include "container/ContainerWriter.h"
#include "core/BinaryIO.h"
#include "core/TextRules.h"
#include "core/ThumbnailFormat.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimeZone>

using namespace quorbell;
using namespace quorbell::container;
using namespace quorbell::test;

class TestContainerFromAlbums : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void entries_data();
    void entries();
    void unreadableAlbums();
    void folderAndPassword();
    void sameResultWhateverTheWorkers();

private:
    QTemporaryDir m_dir;
    QString m_folder;
    QString album(const QString& name, QSize firstPhoto, quint32 seed,
                  const PasswordBytes& password = kNoPassword,
                  tools::PhotoFormat format = tools::PhotoFormat::Jpeg);
};

QString TestContainerFromAlbums::album(const QString& name, QSize firstPhoto, quint32 seed,
                                       const PasswordBytes& password, tools::PhotoFormat format)
{
    tools::AlbumSpec albumSpec;
    albumSpec.password = password;
    albumSpec.photos = {samplePhoto(QStringLiteral("a.jpg"), firstPhoto, seed, format),
                        samplePhoto(QStringLiteral("b.jpg"), QSize(40, 40), seed + 1)};
    const QString path = m_folder + name;
    if (!writeBytes(path, albumBytes(albumSpec)))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestContainerFromAlbums::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.path() + QLatin1Char('/');
    album(QStringLiteral("夏の旅行.sld"), QSize(320, 240), 1);
    album(QStringLiteral("tall.v2.sld"), QSize(100, 300), 2, kNoPassword, tools::PhotoFormat::Bmp);
    album(QStringLiteral("locked.sld"), QSize(200, 200), 3,
          storedPasswordForm(QStringLiteral("pw")));
    album(QStringLiteral("small"), QSize(50, 30), 4);
    album(QStringLiteral("hidden.sld"), QSize(64, 48), 5);
    // A date set on the file is what the entry records.
    QFile f(m_folder + QStringLiteral("夏の旅行.sld"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.setFileTime(QDateTime(QDate(2003, 8, 15), QTime(14, 5, 9)),
                          QFileDevice::FileModificationTime));
}

void TestContainerFromAlbums::entries_data()
{
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<QStringList>("comments");
    QTest::addColumn<QList<QSize>>("fitted");
    const QStringList comments = {QStringLiteral("夏の旅行"), QStringLiteral("tall"),
                                  QStringLiteral("locked"), QStringLiteral("small"),
                                  QStringLiteral("hidden")};
    // Longer side to the cell less 2, never enlarged.
    QTest::newRow("cell 80") << 80 << comments
                             << QList<QSize>{{78, 58}, {26, 78}, {78, 78}, {50, 30}, {64, 48}};
    QTest::newRow("cell 60") << 60 << comments
                             << QList<QSize>{{58, 43}, {19, 58}, {58, 58}, {50, 30}, {58, 43}};
    QTest::newRow("cell 120") << 120 << comments
                              << QList<QSize>{{118, 88}, {39, 118}, {118, 118}, {50, 30}, {64, 48}};
}

void TestContainerFromAlbums::entries()
{
    QFETCH(int, cellSize);
    QFETCH(QStringList, comments);
    QFETCH(QList<QSize>, fitted);
    const QStringList names = {QStringLiteral("夏の旅行.sld"), QStringLiteral("tall.v2.sld"),
                               QStringLiteral("locked.sld"), QStringLiteral("small"),
                               QStringLiteral("*hidden.sld")};
    const ContainerFromAlbums made = makeContainerFromAlbums(m_folder, names, cellSize);
    const ContainerDocument& doc = made.document;
    QCOMPARE(doc.cellSize, cellSize);
    QCOMPARE(doc.albums.size(), names.size());
    const QList<QSize> photoSizes = {{320, 240}, {100, 300}, {200, 200}, {50, 30}, {64, 48}};
    for (int i = 0; i < names.size(); ++i) {
        const AlbumEntry& e = doc.albums.at(i);
        QCOMPARE(e.fileName, names.at(i));
        QCOMPARE(e.comment, comments.at(i));
        QCOMPARE(made.outcomes.at(i).failure.error, album::AlbumError::None);
        QCOMPARE(e.thumbSize, packPair(photoSizes.at(i).width(), photoSizes.at(i).height()));
        QCOMPARE(e.thumbnail.size(), fitted.at(i));
        QCOMPARE(e.thumbnail.format(), kThumbnailFormat);
        // A hidden entry's file is the name without its mark.
        const QFileInfo file(m_folder + withoutHiddenMark(names.at(i)));
        QCOMPARE(qint64(e.fileSize), file.size());
        QCOMPARE(e.fileDate.kind, DateVariant::Kind::Date);
        QCOMPARE(e.fileDate.toDateTime()->toSecsSinceEpoch(),
                 file.lastModified().toSecsSinceEpoch());
    }
    QCOMPARE(*doc.albums.at(0).fileDate.toDateTime(),
             QDateTime(QDate(2003, 8, 15), QTime(14, 5, 9)));
    // A protected album is read without its password.
    QVERIFY(made.outcomes.at(2).hasPassword);
    QVERIFY(!made.outcomes.at(0).hasPassword);
}

void TestContainerFromAlbums::unreadableAlbums()
{
    const QString goodPath = album(QStringLiteral("good.sld"), QSize(80, 60), 9);
    const QByteArray good = readBytes(goodPath);
    QVERIFY(writeBytes(m_folder + QStringLiteral("cut.sld"), good.left(40)));
    // The tables are sound but the first photo's bytes are no image.
    QByteArray badPhoto = good;
    const qint64 photoAt = album::readAlbumTable(goodPath)->photos.at(0).offset();
    badPhoto.replace(photoAt, 4, "xxxx");
    QVERIFY(writeBytes(m_folder + QStringLiteral("badphoto.sld"), badPhoto));

    const QStringList names = {QStringLiteral("cut.sld"), QStringLiteral("gone.sld"),
                               QStringLiteral("badphoto.sld"), QStringLiteral("good.sld")};
    const ContainerFromAlbums made = makeContainerFromAlbums(m_folder, names, 80);
    QVERIFY(made.outcomes.at(0).failure.error != album::AlbumError::None);
    QCOMPARE(made.outcomes.at(1).failure.error, album::AlbumError::Missing);
    QCOMPARE(made.outcomes.at(2).failure.error, album::AlbumError::UndecodableImage);
    QCOMPARE(made.outcomes.at(3).failure.error, album::AlbumError::None);
    for (int i = 0; i < 3; ++i) {
        const AlbumEntry& e = made.document.albums.at(i);
        QCOMPARE(e.comment, nameBeforeFirstDot(names.at(i)));
        QVERIFY(e.thumbnail.isNull());
        QCOMPARE(e.thumbSize, 0);
    }
    // Size and date are kept when the file is there, and not made up when not.
    QCOMPARE(made.document.albums.at(0).fileSize, 40);
    QVERIFY(made.outcomes.at(0).fileExists);
    QCOMPARE(made.document.albums.at(2).fileSize, qint32(badPhoto.size()));
    QVERIFY(!made.outcomes.at(1).fileExists);
    QCOMPARE(made.document.albums.at(1).fileSize, 0);
    QCOMPARE(made.document.albums.at(1).fileDate.kind, DateVariant::Kind::Empty);

    // Entries without a thumbnail still go through the writer and come back so.
    const QString path = m_folder + QStringLiteral("unreadable.cov");
    QVERIFY(!writeContainer(path, made.document));
    const ContainerResult<ContainerDocument> back = readContainer(path);
    QVERIFY(back.ok());
    QVERIFY(back->albums.at(1).thumbnail.isNull());
    QCOMPARE(back->albums.at(3).thumbnail.size(), QSize(78, 58));
}

void TestContainerFromAlbums::folderAndPassword()
{
    const PasswordBytes pw = storedPasswordForm(QStringLiteral("abc"));
    const ContainerFromAlbums made =
        makeContainerFromAlbums(m_dir.path(), {QStringLiteral("small")}, 70, pw);
    QCOMPARE(made.document.albumFolder.value(), m_folder); // ends with "/"
    QCOMPARE(made.document.password, pw);
    QVERIFY(makeContainerFromAlbums(m_folder, {}, 80).document.albums.isEmpty());
}

void TestContainerFromAlbums::sameResultWhateverTheWorkers()
{
    QStringList names;
    for (int i = 0; i < 24; ++i) {
        names << QStringLiteral("n%1.sld").arg(i);
        album(names.last(), QSize(60 + i * 7, 200 - i * 5), 100 + quint32(i));
    }
    QThreadPool one;
    one.setMaxThreadCount(1);
    QThreadPool four;
    four.setMaxThreadCount(4);
    const ContainerFromAlbums a = makeContainerFromAlbums(m_folder, names, 90, kNoPassword, &one);
    const ContainerFromAlbums b = makeContainerFromAlbums(m_folder, names, 90, kNoPassword, &four);
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(b.document.albums.at(i).fileName, names.at(i));
        QCOMPARE(b.document.albums.at(i).thumbSize, a.document.albums.at(i).thumbSize);
        QCOMPARE(b.document.albums.at(i).thumbnail, a.document.albums.at(i).thumbnail);
    }
}

QTEST_GUILESS_MAIN(TestContainerFromAlbums)
#include "tst_containerfromalbums.moc"
