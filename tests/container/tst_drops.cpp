// Files dropped on the main window: what a drop does is decided by the files'
// bytes and the window's state, a refused drop is refused while it is still
// being dragged (the pointer says so), and an accepted one does what Open or
// New would have done with the same files.
#include "container/MainWindowDrops.h"
#include "core/FileIO.h"
#include "core/frmMain.h"
#include "core/MainWindowHandlers.h"
#include "core/frmMain.h"
#include "grid/GridCommands.h"

#include "AlbumMaker.h"
#include "ContainerMaker.h"
#include "SamplePhotos.h"
#include "ScriptedPrompts.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace quorbell;

Q_DECLARE_METATYPE(quorbell::DropKind)

class TestDrops : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void drops_data();
    void drops();
};

namespace {

QByteArray albumBytes()
{
    tools::AlbumSpec recipe;
    const QByteArray jpeg = tools::makeSamplePhoto(QSize(64, 48), 1, tools::PhotoFormat::Jpeg);
    recipe.photos.append(*tools::photoFromBytes(QStringLiteral("IMG0001.JPG"), jpeg));
    return tools::buildAlbum(recipe)->bytes;
}

QByteArray containerBytes()
{
    tools::SampleOptions o;
    o.count = 3;
    return tools::assembleContainer(tools::sampleContainer(o));
}

// The files every row picks from, named so that a name never gives the kind away.
void writeFiles(const QString& root)
{
    QDir(root).mkpath(QStringLiteral("other"));
    const QByteArray album = albumBytes();
    const QByteArray container = containerBytes();
    QVERIFY(writeFileAtomically(root + "/b.sld", album));
    QVERIFY(writeFileAtomically(root + "/a.sld", album));
    QVERIFY(writeFileAtomically(root + "/album-named.cov", album));
    QVERIFY(writeFileAtomically(root + "/c.cov", container));
    QVERIFY(writeFileAtomically(root + "/container-named.sld", container));
    QVERIFY(writeFileAtomically(root + "/text.sld", "Vintrel"));
    QVERIFY(writeFileAtomically(root + "/empty.cov", QByteArray()));
    QVERIFY(writeFileAtomically(root + "/other/d.sld", album));
}

} // namespace

void TestDrops::drops_data()
{
    QTest::addColumn<QStringList>("files"); // under the scratch folder; "http:" for a web address
    QTest::addColumn<bool>("documentOpen");
    QTest::addColumn<bool>("insertAvailable");
    QTest::addColumn<DropKind>("kind");
    using K = DropKind;
    QTest::newRow("container, empty window")
        << QStringList{"c.cov"} << false << false << K::OpenContainer;
    QTest::newRow("container over a document (Open asks)")
        << QStringList{"c.cov"} << true << true << K::OpenContainer;
    QTest::newRow("container by content, not by name")
        << QStringList{"container-named.sld"} << false << false << K::OpenContainer;
    QTest::newRow("albums, empty window: new grid in dropped order")
        << QStringList{"b.sld", "a.sld", "album-named.cov"} << false << false << K::NewGrid;
    QTest::newRow("albums over a container grid with a selection: insert")
        << QStringList{"a.sld"} << true << true << K::InsertAlbums;
    QTest::newRow("albums where Insert is greyed: refused")
        << QStringList{"a.sld"} << true << false << K::Refused;
    QTest::newRow("two containers")
        << QStringList{"c.cov", "c.cov"} << false << false << K::Refused;
    QTest::newRow("a container among albums")
        << QStringList{"a.sld", "c.cov"} << false << false << K::Refused;
    QTest::newRow("album name, other bytes")
        << QStringList{"text.sld"} << false << false << K::Refused;
    QTest::newRow("empty file") << QStringList{"empty.cov"} << false << false << K::Refused;
    QTest::newRow("albums of two folders")
        << QStringList{"a.sld", "other/d.sld"} << false << false << K::Refused;
    QTest::newRow("the same album twice")
        << QStringList{"a.sld", "a.sld"} << false << false << K::Refused;
    QTest::newRow("a folder") << QStringList{"other"} << false << false << K::Refused;
    QTest::newRow("missing file") << QStringList{"gone.cov"} << false << false << K::Refused;
    QTest::newRow("web address") << QStringList{"http:"} << false << false << K::Refused;
    QTest::newRow("nothing") << QStringList{} << false << false << K::Refused;
}

void TestDrops::drops()
{
    QFETCH(QStringList, files);
    QFETCH(bool, documentOpen);
    QFETCH(bool, insertAvailable);
    QFETCH(DropKind, kind);
    test::TestEnvironment env;
    test::ScriptedPrompts prompts;
    QTemporaryDir scratch;
    writeFiles(scratch.path());
    QList<QUrl> urls;
    for (const QString& f : files) {
        urls << (f == QLatin1String("http:") ? QUrl(QStringLiteral("https://example.org/c.cov"))
                                             : QUrl::fromLocalFile(scratch.filePath(f)));
    }

    frmMain w;
    registerGridCommands(w);
    frmMain_Form_Load(w, QString());
    acceptDropsOn(w);
    if (documentOpen)
        w.setMode(Mode::Selected);
    w.action(Command::EditInsert)->setEnabled(insertAvailable);

    const DropPlan plan = planDrop(urls, dropTargetState(w));
    QCOMPARE(plan.kind, kind);

    // While dragged: accepted or shown as refused, by the same decision.
    QMimeData mime;
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    QCOMPARE(enter.isAccepted(), kind != DropKind::Refused);

    if (documentOpen)
        return; // what Open and Insert then do is their own tests' matter
    runDropPlan(w, plan);
    if (kind == DropKind::OpenContainer) {
        QCOMPARE(w.document().containerPath(),
                 QFileInfo(scratch.filePath(files.first())).absoluteFilePath());
        QVERIFY(w.mode() != Mode::Empty);
    } else if (kind == DropKind::NewGrid) {
        QStringList names;
        for (const AlbumEntry& e : w.document().entries())
            names << e.fileName;
        QCOMPARE(names, files);
        QCOMPARE(w.document().albumFolder(), scratch.path() + QLatin1Char('/'));
        QVERIFY(w.mode() != Mode::Empty);
    } else {
        QCOMPARE(w.mode(), Mode::Empty);
    }
    QVERIFY2(prompts.asked().isEmpty(), qPrintable(prompts.messageTexts().join(" | ")));
}

QTEST_MAIN(TestDrops)
#include "tst_drops.moc"
