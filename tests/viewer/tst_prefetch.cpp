// The look-ahead: the walk over the albums the show would pass through, the
// worker that prepares the next photo, and the plans made from the state.
#include "ViewerAlbums.h"

#include "core/AlbumDocument.h"
#include "core/Settings.h"
#include "core/ViewerState.h"
#include "viewer/PhotoPrefetcher.h"
#include "viewer/PrefetchPlanner.h"
#include "viewer/RandomDraws.h"
#include "viewer/ViewerTables.h"
#include "album/AlbumFileReader.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;
using namespace quorbell::viewer;

Q_DECLARE_METATYPE(quorbell::viewer::PrefetchPlan::Pick)
Q_DECLARE_METATYPE(quorbell::viewer::PrefetchPlan::Kind)

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

} // namespace

class TestPrefetch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void walk_data();
    void walk();
    void preparedAsTheStepWouldPrepareIt();
    void prefetcherHandsOutOnlyWhatFits();
    void prefetcherHandsOutTheTablesItRead();
    void prefetcherOffOrCancelled();
    void goingAwayWithWorkQueued();
    void plans_data();
    void plans();
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

    PrefetchPlan plan;
    plan.kind = PrefetchPlan::Kind::Photo;
    plan.albumPath = path;
    plan.photoIndex = 0;
    plan.photo = table->photos.at(0);
    plan.screen = kScreen;
    plan.sizing = SizingChoice::ShrinkToFit;

    PhotoRequest request{path, table->photos.at(0), kScreen, SizingChoice::ShrinkToFit, 1};
    const PreparedPhoto direct = preparePhoto(request);
    QVERIFY(direct.ok());

    PhotoPrefetcher prefetcher;
    prefetcher.request(plan);
    const std::optional<PreparedPhoto> ready = prefetcher.takePhoto(
        photoKey(path, table->photos.at(0), kScreen, SizingChoice::ShrinkToFit));
    QVERIFY(ready);
    QCOMPARE(ready->target, direct.target);
    QCOMPARE(ready->image, direct.image);
}

void TestPrefetch::prefetcherHandsOutOnlyWhatFits()
{
    AlbumFolder folder;
    const QList<AlbumStop> stops = folder.make({"a,b"});
    const album::AlbumTable table = *album::readAlbumTable(stops.at(0).path);
    PrefetchPlan plan;
    plan.kind = PrefetchPlan::Kind::Photo;
    plan.albumPath = stops.at(0).path;
    plan.photoIndex = 1;
    plan.photo = table.photos.at(1);
    plan.screen = kScreen;
    plan.sizing = SizingChoice::Unchanged;

    PhotoPrefetcher prefetcher;
    prefetcher.request(plan);
    const PhotoKey key = photoKey(plan.albumPath, table.photos.at(1), kScreen, plan.sizing);
    PhotoKey otherPhoto = photoKey(plan.albumPath, table.photos.at(0), kScreen, plan.sizing);
    PhotoKey otherScreen = key;
    otherScreen.screen = QSize(800, 600);
    PhotoKey otherSizing = key;
    otherSizing.sizing = SizingChoice::ShrinkOrEnlarge;
    QVERIFY(!prefetcher.takePhoto(otherPhoto));
    QVERIFY(!prefetcher.takePhoto(otherScreen));
    QVERIFY(!prefetcher.takePhoto(otherSizing));
    QVERIFY(!prefetcher.takeTable(plan.albumPath)); // a photo plan reads no tables
    QCOMPARE(prefetcher.photosTaken(), 0);

    const std::optional<PreparedPhoto> ready = prefetcher.takePhoto(key);
    QVERIFY(ready && ready->ok());
    QCOMPARE(ready->image.pixel(10, 10), test::photoColour(0, 1).rgb());
    // The same plan again keeps the photo in hand: no second decoding is needed.
    prefetcher.request(plan);
    QVERIFY(prefetcher.takePhoto(key));
    QCOMPARE(prefetcher.photosTaken(), 2);
}

void TestPrefetch::prefetcherHandsOutTheTablesItRead()
{
    AlbumFolder folder;
    const QList<AlbumStop> stops = folder.make({"missing", "*a,b", "c"});
    PhotoPrefetcher prefetcher;
    prefetcher.request(walkPlan(stops, PrefetchPlan::Pick::FirstShowable, 0));
    QVERIFY(!prefetcher.takeTable(stops.at(2).path)); // passed, but not where the walk ended
    const std::optional<album::AlbumTable> table = prefetcher.takeTable(stops.at(1).path);
    QVERIFY(table);
    QCOMPARE(table->photos.size(), 2);
    QVERIFY(prefetcher.takePhoto(
        photoKey(stops.at(1).path, table->photos.at(1), kScreen, SizingChoice::ShrinkOrEnlarge)));
    QVERIFY(!prefetcher.takePhoto(
        photoKey(stops.at(1).path, table->photos.at(0), kScreen, SizingChoice::ShrinkOrEnlarge)));

    // Once the show is in that album, a plan for the photo the walk prepared
    // keeps the walk's work; a plan for another photo starts a new job.
    QCOMPARE(prefetcher.jobsStarted(), 1);
    PrefetchPlan photo;
    photo.kind = PrefetchPlan::Kind::Photo;
    photo.albumPath = stops.at(1).path;
    photo.photoIndex = 1;
    photo.photo = table->photos.at(1);
    photo.screen = kScreen;
    photo.sizing = SizingChoice::ShrinkOrEnlarge;
    prefetcher.request(photo);
    QCOMPARE(prefetcher.jobsStarted(), 1);
    QVERIFY(prefetcher.takePhoto(photoKey(photo.albumPath, photo.photo, kScreen, photo.sizing)));
    photo.photoIndex = 0;
    photo.photo = table->photos.at(0);
    prefetcher.request(photo);
    QCOMPARE(prefetcher.jobsStarted(), 2);
    const std::optional<PreparedPhoto> marked =
        prefetcher.takePhoto(photoKey(photo.albumPath, photo.photo, kScreen, photo.sizing));
    QVERIFY(marked && marked->ok()); // the look-ahead does not judge names, the show does
}

void TestPrefetch::prefetcherOffOrCancelled()
{
    AlbumFolder folder;
    const QList<AlbumStop> stops = folder.make({"a"});
    const PrefetchPlan plan = walkPlan(stops, PrefetchPlan::Pick::FirstShowable, 0);
    const album::AlbumTable table = *album::readAlbumTable(stops.at(0).path);
    const PhotoKey key =
        photoKey(stops.at(0).path, table.photos.at(0), kScreen, SizingChoice::ShrinkOrEnlarge);

    PhotoPrefetcher off;
    off.setEnabled(false);
    off.request(plan);
    QVERIFY(!off.takeTable(stops.at(0).path));
    QVERIFY(!off.takePhoto(key));

    PhotoPrefetcher cancelled;
    cancelled.request(plan);
    cancelled.cancel();
    QVERIFY(!cancelled.takePhoto(key));
    QCOMPARE(cancelled.plan().kind, PrefetchPlan::Kind::Nothing);
    // A plan after a cancel works again.
    cancelled.request(plan);
    QVERIFY(cancelled.takePhoto(key));
}

void TestPrefetch::goingAwayWithWorkQueued()
{
    AlbumFolder folder;
    const QList<AlbumStop> stops = folder.make({"a", "b", "c"});
    const PrefetchPlan last = walkPlan(stops.mid(2), PrefetchPlan::Pick::FirstShowable, 0);
    for (int i = 0; i < 20; ++i) {
        PhotoPrefetcher p;
        // Each new plan tells the one before to stop; the last is still
        // queued or running when the prefetcher goes.
        p.request(walkPlan(stops, PrefetchPlan::Pick::FirstShowable, 0));
        p.request(walkPlan(stops.mid(1), PrefetchPlan::Pick::FirstShowable, 0));
        p.request(last);
        // Every plan started its own job (none was merged into another), the
        // last plan is the one in hand, and nothing was handed out.
        QCOMPARE(p.jobsStarted(), 3);
        QVERIFY(p.plan() == last);
        QCOMPARE(p.photosTaken(), 0);
    }
}

void TestPrefetch::plans_data()
{
    using Kind = PrefetchPlan::Kind;
    QTest::addColumn<QString>("mode");   // "slide" or "random"
    QTest::addColumn<bool>("timerNext"); // false: waiting for a click
    QTest::addColumn<bool>("range");
    QTest::addColumn<bool>("endless");
    QTest::addColumn<int>("photoIndex"); // the viewer photo index
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("target"); // Photo: the photo; Walk: the first album tried
    // The current album is index 1 of four; its photos are "*a", "b", "*c", "d", "*e".
    // Random values come as 0.6, 0.3, ...
    QTest::newRow("next photo over a marked one")
        << "slide" << true << false << false << 2 << Kind::Photo << 3;
    QTest::newRow("end of album, once")
        << "slide" << true << false << false << 4 << Kind::Nothing << -1;
    QTest::newRow("end of album, endless")
        << "slide" << true << false << true << 5 << Kind::Photo << 1;
    QTest::newRow("end of album, over the grid")
        << "slide" << true << true << false << 5 << Kind::Walk << 2;
    QTest::newRow("click forward") << "slide" << false << false << false << 1 << Kind::Photo << 3;
    QTest::newRow("click forward past the end, once")
        << "slide" << false << true << false << 3 << Kind::Nothing << -1;
    QTest::newRow("click forward past the end, endless")
        << "slide" << false << false << true << 3 << Kind::Photo << 1;
    // Int(0.6 * 5) = 3: "d".
    QTest::newRow("random draw in the album")
        << "random" << true << false << false << 0 << Kind::Photo << 3;
    // Int(0.6 * 4) = 2 for the album; 0.3 then picks the photo there.
    QTest::newRow("random draw over the grid")
        << "random" << true << true << false << 0 << Kind::Walk << 2;
    // Showable photos 1 and 3: Int(0.6 * 2) = 1, photo 3.
    QTest::newRow("random click") << "random" << false << true << false << 1 << Kind::Photo << 3;
}

void TestPrefetch::plans()
{
    QFETCH(QString, mode);
    QFETCH(bool, timerNext);
    QFETCH(bool, range);
    QFETCH(bool, endless);
    QFETCH(int, photoIndex);
    QFETCH(PrefetchPlan::Kind, kind);
    QFETCH(int, target);

    AlbumDocument doc;
    Settings st;
    ViewerState vs;
    doc.setAlbumFolder(QStringLiteral("/albums/"));
    QList<AlbumEntry> entries;
    for (const char* name : {"a.sld", "b.sld", "*c.sld", "d.sld"}) {
        AlbumEntry e;
        e.fileName = QString::fromLatin1(name);
        entries.append(e);
    }
    doc.setEntries(entries);
    doc.setSelectedIndex(1);
    vs.viewerAlbumPath = doc.albumPath(1);
    album::AlbumTable table;
    int position = 1000;
    for (const char* name : {"*a", "b", "*c", "d", "*e"}) {
        album::AlbumPhoto p;
        p.name = QString::fromLatin1(name);
        p.position = position;
        p.length = 100;
        position += 100;
        table.photos.append(p);
    }
    setViewerTables(vs, table);
    vs.viewerPhotoIndex = qint16(photoIndex);
    vs.random = mode == QLatin1String("random");
    st.set(Flag::Endless, endless);
    st.viewerOptions = range ? ViewerOpt::Range : 0;
    st.set(Flag::Fit);
    doc.setEnteredPassword(storedPasswordForm(QStringLiteral("pw")));
    const ShowInputs in{doc, st, vs, QSize(640, 480)};

    QList<double> values{0.6, 0.3, 0.8, 0.1};
    RandomDraws draws([&values] { return values.takeFirst(); });
    const PrefetchPlan plan = planNextPhoto(in, draws, timerNext);
    QCOMPARE(plan.kind, kind);
    QCOMPARE(plan.screen, QSize(640, 480));
    QCOMPARE(plan.sizing, SizingChoice::ShrinkToFit);
    if (kind == PrefetchPlan::Kind::Photo) {
        QCOMPARE(plan.photoIndex, target);
        QCOMPARE(plan.albumPath, QStringLiteral("/albums/b.sld"));
        QCOMPARE(plan.photo.position, 1000 + 100 * target);
        QCOMPARE(photoKeyFor(in, target),
                 photoKey(plan.albumPath, plan.photo, plan.screen, plan.sizing));
    }
    if (kind == PrefetchPlan::Kind::Walk) {
        QVERIFY(!plan.albums.isEmpty());
        QCOMPARE(plan.albums.first().index, target);
        QCOMPARE(plan.albums.first().path, doc.albumPath(target));
        QCOMPARE(plan.albums.at(0).hidden, true); // "*c.sld"
        QCOMPARE(plan.entered, doc.enteredPassword());
        if (mode == QLatin1String("random")) {
            QCOMPARE(plan.pick, PrefetchPlan::Pick::Drawn);
            QCOMPARE(plan.photoDraw, 0.3);
        }
    }
    // Planning only peeks: the step still takes the values in order.
    QCOMPARE(draws.next(), 0.6);
    QCOMPARE(draws.next(), 0.3);
}

QTEST_MAIN(TestPrefetch)
#include "tst_prefetch.moc"
