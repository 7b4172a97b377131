// Container files on disk: opening errors, replacing a file safely (the old
// file survives every failure), progress, and the bulk thumbnail loader.
#include "ContainerMaker.h"
#include "Unprivileged.h"

#include "container/ContainerFile.h"
#include "container/ContainerReader.h"
#include "container/ContainerWriter.h"
#include "container/ThumbnailLoader.h"
#include "core/ThumbnailFormat.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorbell;
using namespace quorbell::container;
using namespace quorbell::tools;

Q_DECLARE_METATYPE(quorbell::container::ErrorCode)

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestContainerFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void openErrors_data();
    void openErrors();
    void readOnlyFileIsReplaced();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void progressCountsEveryRecord();
    void loaderDeliversInGridOrder();
    void loaderCanBeAbandoned();
    void emptyContainer();
    void fileChangedWhileLoading();
    void largePictures();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString write(const QString& name, const QByteArray& bytes);
    ContainerDocument sampleDocument(int count);
};

void TestContainerFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestContainerFile::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir->filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

ContainerDocument TestContainerFile::sampleDocument(int count)
{
    SampleOptions o;
    o.count = count;
    ContainerResult<ContainerDocument> doc =
        readContainer(write(QStringLiteral("sample.cov"), assembleContainer(sampleContainer(o))));
    if (!doc)
        qFatal("sample container unreadable");
    return *doc;
}

void TestContainerFile::openErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<ErrorCode>("code");
    QTest::addColumn<bool>("needsNonRoot");
    QTest::newRow("missing") << QStringLiteral("missing.cov") << ErrorCode::FileMissing << false;
    QTest::newRow("dangling link") << QStringLiteral("link.cov") << ErrorCode::FileMissing << false;
    QTest::newRow("folder") << QStringLiteral("folder.cov") << ErrorCode::FileUnreadable << false;
    // Opening a pipe with no writer would wait for one: it is refused unopened.
    QTest::newRow("pipe") << QStringLiteral("pipe.cov") << ErrorCode::FileUnreadable << false;
    QTest::newRow("no read permission")
        << QStringLiteral("secret.cov") << ErrorCode::FileUnreadable << true;
}

void TestContainerFile::openErrors()
{
    QFETCH(QString, name);
    QFETCH(ErrorCode, code);
    QFETCH(bool, needsNonRoot);
    if (needsNonRoot)
        QUORBELL_RUN_AS_NOBODY_WHEN_ROOT();
    QDir(m_dir->path()).mkdir(QStringLiteral("folder.cov"));
    QVERIFY(::mkfifo(QFile::encodeName(m_dir->filePath(QStringLiteral("pipe.cov"))).constData(),
                     0600) == 0);
    QFile::link(m_dir->filePath(QStringLiteral("nowhere.cov")),
                m_dir->filePath(QStringLiteral("link.cov")));
    const QString secret =
        write(QStringLiteral("secret.cov"), assembleContainer(sampleContainer({})));
    QFile::setPermissions(secret, QFileDevice::WriteOwner);

    const ContainerResult<std::shared_ptr<ContainerFile>> file =
        ContainerFile::open(m_dir->filePath(name));
    QVERIFY(!file.ok());
    QCOMPARE(file.error().code, code);
    QVERIFY(!file.error().isInvalidFile());
    QVERIFY(!file.error().detail.isEmpty());
}

void TestContainerFile::readOnlyFileIsReplaced()
{
    const QString path = write(QStringLiteral("old.cov"), "old bytes");
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const ContainerDocument doc = sampleDocument(3);
    const std::optional<ContainerError> e = writeContainer(path, doc);
    QVERIFY2(!e, e ? qPrintable(e->detail) : "");
    ContainerResult<ContainerDocument> back = readContainer(path);
    QVERIFY(back.ok());
    QCOMPARE(back->albums.size(), 3);
    QVERIFY(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
}

void TestContainerFile::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("needsNonRoot");
    QTest::newRow("path under a regular file") << QStringLiteral("plain/sub.cov") << false;
    QTest::newRow("path is a folder") << QStringLiteral("folder") << false;
    QTest::newRow("read-only folder") << QStringLiteral("locked/c.cov") << true;
}

void TestContainerFile::failedWriteKeepsTheOldFile()
{
    QFETCH(QString, target);
    QFETCH(bool, needsNonRoot);
    if (needsNonRoot)
        QUORBELL_RUN_AS_NOBODY_WHEN_ROOT();
    write(QStringLiteral("plain"), "a regular file");
    QDir(m_dir->path()).mkdir(QStringLiteral("folder"));
    QDir(m_dir->path()).mkdir(QStringLiteral("locked"));
    const QString locked = write(QStringLiteral("locked/c.cov"), "old container");
    QFile::setPermissions(m_dir->filePath(QStringLiteral("locked")),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    const std::optional<ContainerError> e =
        writeContainer(m_dir->filePath(target), sampleDocument(2));
    QFile::setPermissions(m_dir->filePath(QStringLiteral("locked")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(e);
    QCOMPARE(e->code, ErrorCode::WriteFailed);
    QVERIFY(!e->detail.isEmpty());
    QCOMPARE(fileBytes(locked), QByteArray("old container"));
    QCOMPARE(fileBytes(m_dir->filePath(QStringLiteral("plain"))), QByteArray("a regular file"));
    QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("folder"))).isDir());
}

void TestContainerFile::fullDiskKeepsTheOldFile_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("limit");
    QTest::newRow("fails while writing") << 40 << 100 * 1024;
    // The whole file fits in the write buffer: only flushing it fails.
    QTest::newRow("fails when the buffer is flushed") << 1 << 1024;
}

void TestContainerFile::fullDiskKeepsTheOldFile()
{
    QFETCH(int, count);
    QFETCH(int, limit);
    // A file size limit makes writes fail part-way, as a full disk does, even for root.
    const ContainerDocument doc = sampleDocument(count);
    const QString path = m_dir->filePath(QStringLiteral("c.cov"));
    QVERIFY(!writeContainer(path, sampleDocument(2)));
    const QByteArray old = fileBytes(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner); // read-only, to be restored as it was

    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit limited = saved;
    limited.rlim_cur = rlim_t(limit);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    if (::setrlimit(RLIMIT_FSIZE, &limited) != 0)
        QSKIP("cannot limit the file size");
    int progressCalls = 0;
    const std::optional<ContainerError> e =
        writeContainer(path, doc, [&](int, int) { ++progressCalls; });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    QVERIFY(e);
    QCOMPARE(e->code, ErrorCode::WriteFailed);
    QVERIFY(progressCalls > 0); // it failed part-way, not before starting
    QCOMPARE(fileBytes(path), old);
    QCOMPARE(QFileInfo(path).permissions() & QFileDevice::WriteOwner, QFileDevice::Permissions());
    const QStringList left = QDir(m_dir->path()).entryList({QStringLiteral("c.cov*")}, QDir::Files);
    QCOMPARE(left, QStringList{QStringLiteral("c.cov")});
}

void TestContainerFile::progressCountsEveryRecord()
{
    const ContainerDocument doc = sampleDocument(12);
    QList<int> seen;
    const std::optional<ContainerError> e =
        writeContainer(m_dir->filePath(QStringLiteral("p.cov")), doc, [&](int written, int count) {
            QCOMPARE(count, 12);
            seen.append(written);
        });
    QVERIFY(!e);
    QList<int> expected;
    for (int i = 1; i <= 12; ++i)
        expected.append(i);
    QCOMPARE(seen, expected);
}

void TestContainerFile::loaderDeliversInGridOrder()
{
    SampleOptions o;
    o.count = 700; // several chunks of both sizes
    o.kinds = {BmpKind::Rgb24, BmpKind::Palette8, BmpKind::Rgb32, BmpKind::Mono1};
    const QString path = write(QStringLiteral("many.cov"), assembleContainer(sampleContainer(o)));
    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    QVERIFY(file.ok());

    ThumbnailLoader loader(*file);
    QMutex mutex;
    QList<int> reported;
    loader.setReadyCallback([&](int ready) {
        QMutexLocker lock(&mutex);
        reported.append(ready);
    });
    QCOMPARE(loader.readyCount(), 0);
    loader.start();
    QVERIFY(loader.waitForReady(200));
    QVERIFY(loader.readyCount() >= 200);
    QVERIFY(loader.waitForReady(700));
    QVERIFY(loader.isFinished());
    for (int i = 0; i < 700; ++i) {
        QVERIFY(!loader.failure(i));
        QCOMPARE(loader.takeThumbnail(i), *(*file)->thumbnail(i));
    }
    QVERIFY(!loader.firstFailure());
    loader.waitForWorkers(); // the last report comes from a worker after the count is ready
    QMutexLocker lock(&mutex);
    QVERIFY(!reported.isEmpty());
    QVERIFY(std::is_sorted(reported.begin(), reported.end()));
    QCOMPARE(reported.last(), 700);
}

void TestContainerFile::loaderCanBeAbandoned()
{
    SampleOptions o;
    o.count = 2000;
    const QString path = write(QStringLiteral("big.cov"), assembleContainer(sampleContainer(o)));
    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    QVERIFY(file.ok());
    for (int round = 0; round < 3; ++round) {
        auto loader = std::make_unique<ThumbnailLoader>(*file);
        loader->start();
        if (round == 1)
            loader->waitForReady(16);
        if (round == 2) {
            loader->cancel();
            QVERIFY(!loader->waitForReady(2000, 1000) || loader->isFinished());
        }
        loader.reset(); // cancels and waits; nothing runs on afterwards
    }
    QThreadPool::globalInstance()->waitForDone();
}

void TestContainerFile::emptyContainer()
{
    SampleOptions o;
    o.count = 0;
    const QString path = write(QStringLiteral("empty.cov"), assembleContainer(sampleContainer(o)));
    ContainerResult<ContainerDocument> doc = readContainer(path);
    QVERIFY(doc.ok());
    QVERIFY(doc->albums.isEmpty());
    QVERIFY(!writeContainer(m_dir->filePath(QStringLiteral("empty2.cov")), *doc));
    QCOMPARE(fileBytes(m_dir->filePath(QStringLiteral("empty2.cov"))), fileBytes(path));
}

void TestContainerFile::fileChangedWhileLoading()
{
    // The records are read after the tables: a file overwritten or cut in
    // the meantime must give errors for the records concerned, not a crash.
    SampleOptions o;
    o.count = 40;
    ContainerLayout layout;
    const QByteArray bytes = assembleContainer(sampleContainer(o), &layout);
    const QString path = write(QStringLiteral("changing.cov"), bytes);
    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    QVERIFY(file.ok());
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(layout.recordStarts[3] + 4);
        f.write("XX"); // record 3 no longer starts with "BM"
        f.resize(layout.recordStarts[30]);
    }
    ThumbnailLoader loader(*file);
    loader.start();
    QVERIFY(loader.waitForReady(40));
    QVERIFY(!loader.failure(0));
    QCOMPARE(loader.failure(3)->code, ErrorCode::BadBitmap);
    QCOMPARE(loader.failure(3)->index, 3);
    QVERIFY(loader.failure(35));
    QCOMPARE(loader.firstFailure()->index, 3);
}

void TestContainerFile::largePictures()
{
    // Pictures far larger than a cell (16 of them fill more than one read).
    SampleOptions o;
    o.count = 20;
    RawContainer raw = sampleContainer(o);
    for (int i = 0; i < o.count; ++i)
        raw.entries[i].bmp = makeBmp(paintThumbnail(i, 1000, 400), BmpKind::Rgb24);
    const QString path = write(QStringLiteral("large.cov"), assembleContainer(raw));
    ContainerResult<ContainerDocument> doc = readContainer(path);
    QVERIFY(doc.ok());
    for (int i : {0, 7, 15, 19})
        QCOMPARE(doc->albums.at(i).thumbnail, toThumbnailFormat(paintThumbnail(i, 1000, 400)));
}

QTEST_GUILESS_MAIN(TestContainerFile)
#include "tst_containerfile.moc"
