// Copying album files beside a container: the plan (hidden marks, names
// given twice, missing files, the same folder under another name) and the
// copy, which checks every target first, never replaces a file and leaves
// nothing behind when it fails or is cancelled part-way.
#include "container/AlbumCopy.h"

#include "AlbumMaker.h"
#include "SamplePhotos.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;
using container::AlbumCopyStatus;

namespace {

QByteArray albumBytes(quint32 seed)
{
    tools::AlbumSpec recipe;
    const QByteArray jpeg = tools::makeSamplePhoto(QSize(320, 240), seed, tools::PhotoFormat::Jpeg);
    recipe.photos.append(*tools::photoFromBytes(QStringLiteral("IMG0001.JPG"), jpeg));
    return tools::buildAlbum(recipe)->bytes;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList filesIn(const QString& folder)
{
    // System: a dangling link is listed too.
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

} // namespace

class TestAlbumCopy : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void copy_data();
    void copy();
};

void TestAlbumCopy::copy_data()
{
    QTest::addColumn<QStringList>("names");   // the grid's names
    QTest::addColumn<QString>("fault");       // what goes wrong, and with which file
    QTest::addColumn<int>("planned");         // files the plan copies
    QTest::addColumn<int>("status");          // AlbumCopyStatus
    QTest::addColumn<QString>("named");       // "to/x" or "from/x": the file the result names
    QTest::addColumn<QStringList>("targets"); // the target folder afterwards
    const int copied = int(AlbumCopyStatus::Copied);
    const QStringList abc = {"a.sld", "b.sld", "c.sld"};
    QTest::newRow("hidden mark, a name twice, a missing file")
        << QStringList{"a.sld", "*b.sld", "a.sld", "c.sld", "gone.sld"} << "" << 3 << copied << ""
        << abc;
    QTest::newRow("a target name taken: nothing copied")
        << abc << "taken:c.sld" << 3 << int(AlbumCopyStatus::Clash) << "to/c.sld"
        << QStringList{"c.sld"};
    QTest::newRow("a dangling link takes the name too")
        << abc << "link:b.sld" << 3 << int(AlbumCopyStatus::Clash) << "to/b.sld"
        << QStringList{"b.sld"};
    QTest::newRow("a source gone part-way: the copies made are removed")
        << abc << "vanish:c.sld" << 3 << int(AlbumCopyStatus::Failed) << "from/c.sld"
        << QStringList{};
    QTest::newRow("a source that is no file")
        << abc << "folder:b.sld" << 3 << int(AlbumCopyStatus::Failed) << "from/b.sld"
        << QStringList{};
    QTest::newRow("cancelled part-way")
        << abc << "cancel:b.sld" << 3 << int(AlbumCopyStatus::Cancelled) << "from/b.sld"
        << QStringList{};
    QTest::newRow("the same folder under another name")
        << abc << "samefolder:" << 0 << copied << "" << abc;
}

void TestAlbumCopy::copy()
{
    QFETCH(QStringList, names);
    QFETCH(QString, fault);
    QFETCH(int, planned);
    QFETCH(int, status);
    QFETCH(QString, named);
    QFETCH(QStringList, targets);
    const QString what = fault.section(':', 0, 0), faultFile = fault.section(':', 1);

    QTemporaryDir dir;
    const QString from = dir.filePath("from/"), to = dir.filePath("to/");
    QVERIFY(QDir().mkpath(from) && QDir().mkpath(to));
    quint32 seed = 1;
    for (const QString n : {"a.sld", "b.sld", "c.sld"}) {
        QVERIFY(writeAll(from + n, albumBytes(seed++)));
        // An old date: the copy must carry it over, not take today's.
        QFile f(from + n);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)),
                              QFileDevice::FileModificationTime));
    }
    const QByteArray takenBytes = "someone else's file";
    if (what == "taken")
        QVERIFY(writeAll(to + faultFile, takenBytes));
    if (what == "link")
        QVERIFY(QFile::link(dir.filePath("nowhere"), to + faultFile));
    const QString target =
        what == "samefolder" ? dir.filePath("alias/") : to; // a link to the source folder
    if (what == "samefolder")
        QVERIFY(QFile::link(from, dir.filePath("alias")));

    const container::AlbumCopyPlan plan = container::planAlbumCopy(from, target, names);
    QCOMPARE(plan.items.size(), planned);
    QCOMPARE(plan.missing, what.isEmpty() ? QStringList{from + "gone.sld"} : QStringList{});

    if (what == "vanish")
        QVERIFY(QFile::remove(from + faultFile));
    if (what == "folder") {
        QVERIFY(QFile::remove(from + faultFile));
        QVERIFY(QDir().mkdir(from + faultFile));
    }
    int calls = 0;
    qint64 last = -1;
    const container::AlbumCopyResult r =
        container::copyAlbumFiles(plan, [&](qint64 done, qint64 total) {
            ++calls;
            last = done;
            if (done > total)
                return false;
            // Stop once the first file is done, while the second is copied.
            return !(what == "cancel" && done > QFileInfo(from + "a.sld").size());
        });

    QCOMPARE(int(r.status), status);
    QCOMPARE(r.file, named.isEmpty() ? QString() : dir.filePath(named));
    if (status == int(AlbumCopyStatus::Failed))
        QVERIFY(r.problem != container::AlbumCopyProblem::None &&
                (r.problem != container::AlbumCopyProblem::System || !r.reason.isEmpty()));
    QCOMPARE(filesIn(what == "samefolder" ? from : to), targets);
    if (what == "taken")
        QCOMPARE(readAll(to + faultFile), takenBytes); // never replaced
    if (status != int(AlbumCopyStatus::Copied))
        return;
    QCOMPARE(r.copied.size(), planned);
    if (planned > 0)
        QCOMPARE(last, plan.totalBytes);
    QVERIFY(calls >= planned);
    for (const QString& n : targets) {
        QCOMPARE(readAll(target + n), readAll(from + n));
        QCOMPARE(QFileInfo(target + n).lastModified(), QFileInfo(from + n).lastModified());
    }
}

QTEST_GUILESS_MAIN(TestAlbumCopy)
#include "tst_albumcopy.moc"
