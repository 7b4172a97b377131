// The look-ahead: the walk over the albums the show would pass through, and
// the pipeline that prepares photos on workers without the UI thread waiting.
#include "ViewerAlbums.h"

#include "viewer/PhotoPipeline.h"
#include "album/AlbumFileReader.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;
using namespace quorbell::viewer;

Q_DECLARE_METATYPE(quorbell::viewer::PrefetchPlan::Pick)

namespace {

const QSize kScreen(320, 240);

// Album kinds by a short word: "missing", "hidden", "badheader",
// "truncated", "empty" (no photos), "locked:<photos>" (password "pw"),
// or the photo names separated by commas ("*a,b").
struct AlbumFolder
{
    QTemporaryDir dir;

    QList<AlbumStop> make(const QStringList& kinds)
    {
        QList<AlbumStop> stops;
        for (int i = 0; i < kinds.size(); ++i) {
            const QString kind = kinds.at(i);
            AlbumStop stop;
            stop.index = i;
            stop.path = dir.filePath(QStringLiteral("album%1.sld").arg(i));
            QByteArray bytes;
            if (kind == QLatin1String("missing")) {
                stops.append(stop);
                continue;
            }
            if (kind == QLatin1String("hidden")) {
                stop.hidden = true;
                stop.path = dir.filePath(QStringLiteral("*album%1.sld").arg(i));
            }
            if (kind == QLatin1String("badheader")) {
                bytes = QByteArrayLiteral("Not an album, just a text file.");
            } else if (kind == QLatin1String("truncated")) {
                bytes = test::solidAlbumBytes(i, {QStringLiteral("a")}).left(40);
            } else if (kind == QLatin1String("empty")) {
                bytes = test::solidAlbumBytes(i, {});
            } else if (kind.startsWith(QLatin1String("locked:"))) {
                bytes = test::solidAlbumBytes(i, kind.mid(7).split(QLatin1Char(',')),
                                              QStringLiteral("pw"));
            } else {
                bytes = test::solidAlbumBytes(i, kind.split(QLatin1Char(',')));
            }
            // A hidden entry's name may even exist as a file: it is still passed over.
            if (!test::writeAlbumFile(stop.path, bytes))
                qFatal("cannot write a test album");
            stops.append(stop);
        }
        return stops;
    }
};

PrefetchPlan walkPlan(const QList<AlbumStop>& stops, PrefetchPlan::Pick pick, double draw,
                      const QString& entered = QString())
{
    PrefetchPlan plan;
    plan.kind = PrefetchPlan::Kind::Walk;
    plan.albums = stops;
    plan.pick = pick;
    plan.photoDraw = draw;
    plan.entered = entered.isEmpty() ? kNoPassword : storedPasswordForm(entered);
    plan.screen = kScreen;
    plan.sizing = SizingChoice::ShrinkOrEnlarge;
    return plan;
}

PrefetchPlan photoPlan(const QString& path, const album::AlbumTable& table, int index,
                       SizingChoice sizing = SizingChoice::ShrinkOrEnlarge)
{
    PrefetchPlan plan;
    plan.kind = PrefetchPlan::Kind::Photo;
    plan.albumPath = path;
    plan.photoIndex = index;
    plan.photo = table.photos.at(index);
    plan.screen = kScreen;
    plan.sizing = sizing;
    return plan;
}

// The photos a pipeline announces, by the position of their bytes.
struct Arrivals
{
    QMap<qint32, PreparedPhoto> photos;
    explicit Arrivals(PhotoPipeline& p)
    {
        QObject::connect(&p, &PhotoPipeline::photoArrived,
                         [this](const PhotoKey& key, const PreparedPhoto& photo, bool) {
                             photos.insert(key.position, photo);
                         });
    }
};

} // namespace

class TestPrefetch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void walk_data();
    void walk();
    void preparedAsTheStepWouldPrepareIt();
    void handsOutOnlyWhatFits();
    void handsOutTheTablesAWalkRead();
    void lookAheadOff();
    void goingAwayWithWorkQueued();
};

void TestPrefetch::walk_data()
{
    using Pick = PrefetchPlan::Pick;
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<Pick>("pick");
    QTest::addColumn<double>("draw");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<int>("album"); // -1: nothing reached
    QTest::addColumn<int>("photo"); // -1: no photo prepared
    const Pick first = Pick::FirstShowable;
    const Pick drawn = Pick::Drawn;
    QTest::newRow("missing and hidden albums passed")
        << QStringList{"missing", "hidden", "*a,b"} << first << 0.0 << "" << 2 << 1;
    QTest::newRow("albums with nothing to show passed")
        << QStringList{"*a,*b", "empty", "truncated", "a"} << first << 0.0 << "" << 3 << 0;
    QTest::newRow("stops at a locked album")
        << QStringList{"locked:a", "b"} << first << 0.0 << "" << 0 << -1;
    QTest::newRow("reads through a password already given")
        << QStringList{"locked:*a,b"} << first << 0.0 << "pw" << 0 << 1;
    QTest::newRow("wrong password given")
        << QStringList{"locked:a"} << first << 0.0 << "px" << 0 << -1;
    QTest::newRow("stops at a wrong header")
        << QStringList{"badheader", "a"} << first << 0.0 << "" << -1 << -1;
    QTest::newRow("nothing anywhere")
        << QStringList{"missing", "*a", "empty"} << first << 0.0 << "" << -1 << -1;
    QTest::newRow("drawn photo") << QStringList{"a,*b,c"} << drawn << 0.9 << "" << 0 << 2;
    QTest::newRow("drawn photo is marked")
        << QStringList{"a,*b,c"} << drawn << 0.5 << "" << 0 << -1;
    QTest::newRow("drawn: first album that is there, even without a photo")
        << QStringList{"missing", "*a", "b"} << drawn << 0.0 << "" << 1 << -1;
    QTest::newRow("drawn: broken tables end it")
        << QStringList{"truncated", "b"} << drawn << 0.0 << "" << -1 << -1;
}

void TestPrefetch::walk()
{
    QFETCH(QStringList, kinds);
    QFETCH(PrefetchPlan::Pick, pick);
    QFETCH(double, draw);
    QFETCH(QString, entered);
    QFETCH(int, album);
    QFETCH(int, photo);
    AlbumFolder folder;
    const QList<AlbumStop> stops = folder.make(kinds);
    const PrefetchResult r = runPrefetch(walkPlan(stops, pick, draw, entered));
    QCOMPARE(r.albumIndex, album);
    QCOMPARE(r.key.has_value(), photo >= 0);
    if (album >= 0) {
        QCOMPARE(r.albumPath, stops.at(album).path);
        QVERIFY(r.table);
    }
    if (photo < 0)
        return;
    QCOMPARE(r.photoIndex, photo);
    QVERIFY(r.photo.ok());
    QCOMPARE(r.key->albumPath, stops.at(album).path);
    QCOMPARE(r.key->position, r.table->photos.at(photo).position);
    // Enlarged from 64x48 to fill the 320x240 screen.
    QCOMPARE(r.photo.image.size(), kScreen);
    QCOMPARE(r.photo.image.pixel(160, 120), test::photoColour(album, photo).rgb());
}

void TestPrefetch::preparedAsTheStepWouldPrepareIt()
{
    AlbumFolder folder;
    const QString path = folder.dir.filePath(QStringLiteral("photos.sld"));
    tools::AlbumSpec albumSpec;
    albumSpec.photos.append(tools::AlbumPhotoSource{
        QStringLiteral("p"), tools::makeSamplePhoto(QSize(500, 333), 7, tools::PhotoFormat::Jpeg),
        QSize(500, 333), false});
    QVERIFY(test::writeAlbumFile(path, tools::buildAlbum(albumSpec)->bytes));
    const album::AlbumResult<album::AlbumTable> table = album::readAlbumTable(path);
    QVERIFY(table);

    PhotoRequest request{path, table->photos.at(0), kScreen, SizingChoice::ShrinkToFit, 1};
    const PreparedPhoto direct = preparePhoto(request);
    QVERIFY(direct.ok());

    // A photo not prepared ahead is not there at once: it arrives.
    PhotoPipeline pipeline;
    Arrivals arrivals(pipeline);
    QVERIFY(!pipeline.fetch(photoPlan(path, *table, 0, SizingChoice::ShrinkToFit)));
    QVERIFY(pipeline.waiting());
    QTRY_COMPARE(arrivals.photos.size(), 1);
    QVERIFY(!pipeline.waiting());
    const PreparedPhoto arrived = arrivals.photos.first();
    QCOMPARE(arrived.target, direct.target);
    QCOMPARE(arrived.image, direct.image);
}

void TestPrefetch::handsOutOnlyWhatFits()
{
    AlbumFolder folder;
    const QList<AlbumStop> stops = folder.make({"a,b"});
    const QString path = stops.at(0).path;
    const album::AlbumTable table = *album::readAlbumTable(path);
    const PrefetchPlan plan = photoPlan(path, table, 1, SizingChoice::Unchanged);

    PhotoPipeline pipeline;
    pipeline.keepReady({plan});
    QTRY_VERIFY(!pipeline.busy());
    PrefetchPlan otherScreen = plan;
    otherScreen.screen = QSize(800, 600);
    // Another photo, screen or sizing is not what was prepared: a new job.
    QVERIFY(!pipeline.fetch(photoPlan(path, table, 0, SizingChoice::Unchanged)));
    QVERIFY(!pipeline.fetch(otherScreen));
    QVERIFY(!pipeline.fetch(photoPlan(path, table, 1, SizingChoice::ShrinkOrEnlarge)));
    QVERIFY(!pipeline.takeTable(path)); // a photo plan reads no tables
    QCOMPARE(pipeline.hits(), 0);
    QCOMPARE(pipeline.jobsStarted(), 4);

    const std::optional<PreparedPhoto> ready = pipeline.fetch(plan);
    QVERIFY(ready && ready->ok());
    QCOMPARE(ready->image.pixel(10, 10), test::photoColour(0, 1).rgb());
    // Kept while it is wanted: no second decoding.
    pipeline.keepReady({plan});
    QVERIFY(pipeline.fetch(plan));
    QCOMPARE(pipeline.hits(), 2);
    QCOMPARE(pipeline.jobsStarted(), 4);
}

void TestPrefetch::handsOutTheTablesAWalkRead()
{
    AlbumFolder folder;
    const QList<AlbumStop> stops = folder.make({"missing", "*a,b", "c"});
    PhotoPipeline pipeline;
    pipeline.keepReady({walkPlan(stops, PrefetchPlan::Pick::FirstShowable, 0)});
    QTRY_VERIFY(!pipeline.busy());
    QVERIFY(!pipeline.takeTable(stops.at(2).path)); // passed, but not where the walk ended
    const std::optional<album::AlbumTable> table = pipeline.takeTable(stops.at(1).path);
    QVERIFY(table);
    QCOMPARE(table->photos.size(), 2);
    // The photo the walk prepared is handed out; another one is a new job.
    QCOMPARE(pipeline.jobsStarted(), 1);
    QVERIFY(pipeline.fetch(photoPlan(stops.at(1).path, *table, 1)));
    QVERIFY(!pipeline.fetch(photoPlan(stops.at(1).path, *table, 0)));
    QCOMPARE(pipeline.jobsStarted(), 2);
    Arrivals arrivals(pipeline);
    QTRY_COMPARE(arrivals.photos.size(), 1);
    QVERIFY(arrivals.photos.first().ok()); // the look-ahead does not judge names, the show does
}

void TestPrefetch::lookAheadOff()
{
    AlbumFolder folder;
    const QList<AlbumStop> stops = folder.make({"a"});
    const album::AlbumTable table = *album::readAlbumTable(stops.at(0).path);
    PhotoPipeline pipeline;
    pipeline.setLookAhead(false);
    pipeline.keepReady({walkPlan(stops, PrefetchPlan::Pick::FirstShowable, 0)});
    QCOMPARE(pipeline.jobsStarted(), 0);
    QVERIFY(!pipeline.takeTable(stops.at(0).path));
    // A photo asked for is still prepared, on a worker.
    Arrivals arrivals(pipeline);
    QVERIFY(!pipeline.fetch(photoPlan(stops.at(0).path, table, 0)));
    QTRY_COMPARE(arrivals.photos.size(), 1);
    QVERIFY(arrivals.photos.first().ok());
}

void TestPrefetch::goingAwayWithWorkQueued()
{
    AlbumFolder folder;
    const QList<AlbumStop> stops = folder.make({"a", "b", "c"});
    for (int i = 0; i < 20; ++i) {
        PhotoPipeline p;
        // Three walks on two workers: one is still queued when the pipeline
        // goes, which does not wait for it.
        p.keepReady({walkPlan(stops, PrefetchPlan::Pick::FirstShowable, 0),
                     walkPlan(stops.mid(1), PrefetchPlan::Pick::FirstShowable, 0),
                     walkPlan(stops.mid(2), PrefetchPlan::Pick::FirstShowable, 0)});
        QCOMPARE(p.jobsStarted(), 3);
        QCOMPARE(p.hits(), 0);
    }
    // The jobs end on their own; their results go nowhere.
    waitForPhotoWorkers();
    QCoreApplication::processEvents();
}

QTEST_MAIN(TestPrefetch)
#include "tst_prefetch.moc"
