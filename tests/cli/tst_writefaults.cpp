// Writes that fail where they really fail: a full file system, a folder that
// cannot be written, writes cut short by a file size limit, and a process
// killed while it writes a large container. Every command that writes a file
// must report the failure with a failure status, leave the old file byte for
// byte as it was and leave nothing of its own behind. The message texts are
// checked elsewhere; here only the outcome counts.
#include "AlbumFixtures.h"
#include "CliRunner.h"
#include "ScratchFileSystem.h"
#include "TestEnvironment.h"
#include "Unprivileged.h"

#include "ContainerMaker.h"
#include "core/Settings.h"
#include "core/SettingsFile.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

#include <sys/resource.h>

using namespace quorbell;

namespace {

enum class Fault { FullDisk, ReadOnlyFolder, ShortWrites };
enum class Command { ContainerMake, AlbumMake, AlbumExtract, ListOutput, ThumbnailExport };

// Writes beyond this many bytes of a file fail part-way (a short write, then
// EFBIG), as they do when a disk fills up during a write.
constexpr rlim_t kShortWriteLimit = 16;

// Every file and folder under `folder` with its bytes: a failed command must
// leave this unchanged.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(folder.size()),
                     it.fileInfo().isDir() ? QByteArray("<folder>") : test::readBytes(path));
    }
    return files;
}

// A folder where writes fail as the fault makes them fail, holding one old
// file. As root a tmpfs of its own makes the disk full or read-only (root
// writes anywhere else); otherwise the folder and file lose their write
// permission, and a full disk cannot be had.
class FaultyFolder
{
public:
    FaultyFolder(Fault fault, const QString& oldName) : m_fault(fault)
    {
        m_path = m_plain.path();
        if (fault == Fault::FullDisk || (fault == Fault::ReadOnlyFolder && test::runningAsRoot())) {
            m_disk = std::make_unique<test::ScratchFileSystem>(1024 * 1024);
            m_path = m_disk->path();
        }
        m_old = m_path + QLatin1Char('/') + oldName;
    }
    ~FaultyFolder()
    {
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }
    QString unavailable() const
    {
        return m_disk && !m_disk->isValid()
                   ? QStringLiteral("needs a small file system of its own: ") + m_disk->whyNot()
                   : QString();
    }
    QString path() const { return m_path; }
    QString oldFile() const { return m_old; }

    // Writes the old file, then breaks the folder.
    bool prepare()
    {
        if (!test::writeBytes(m_old, "the old file, which must survive"))
            return false;
        if (m_fault == Fault::FullDisk)
            return m_disk->fill();
        if (m_fault == Fault::ReadOnlyFolder) {
            if (m_disk)
                return m_disk->makeReadOnly();
            return QFile::setPermissions(m_old, QFileDevice::ReadOwner) &&
                   QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        return true;
    }
    // What the child process must run under.
    std::function<void()> inChild() const
    {
        if (m_fault != Fault::ShortWrites)
            return {};
        return [] {
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = kShortWriteLimit;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN); // a failed write instead of the signal
        };
    }

private:
    Fault m_fault;
    QTemporaryDir m_plain;
    std::unique_ptr<test::ScratchFileSystem> m_disk;
    QString m_path;
    QString m_old;
};

QString outputName(Command c)
{
    switch (c) {
    case Command::ContainerMake:
        return QStringLiteral("made.cov");
    case Command::AlbumMake:
        return QStringLiteral("made.sld");
    case Command::AlbumExtract:
        return QStringLiteral("1.jpg"); // a photo's own name: it must not be replaced
    case Command::ListOutput:
        return QStringLiteral("list.txt");
    case Command::ThumbnailExport:
        return QStringLiteral("thumb.png");
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Command)

class TestWriteFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void commands_data();
    void commands();
    void settingsFile_data();
    void settingsFile();
    void killedWhileWritingAContainer();

private:
    QTemporaryDir m_in;
    QString in(const QString& name) const { return m_in.filePath(name); }
    QStringList arguments(Command c, const QString& out) const;
};

void TestWriteFaults::initTestCase()
{
    QVERIFY(m_in.isValid());
    // A tool that does not start would pass the killed case for the wrong reason.
    QVERIFY(QFileInfo(qEnvironmentVariable("QUORBELL_TOOLS_DIR") + "/quorbell-cli").isExecutable());
    // Readable by the unprivileged user the read-only cases may run as.
    QFile::setPermissions(m_in.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther);
    for (int i = 1; i <= 24; ++i) {
        tools::AlbumSpec recipe;
        recipe.photos = {test::samplePhoto(QStringLiteral("%1.jpg").arg(i), QSize(160, 120), i)};
        QVERIFY(test::writeBytes(in(QStringLiteral("a%1.sld").arg(i)), test::albumBytes(recipe)));
        if (i <= 2)
            QVERIFY(test::writeBytes(in(QStringLiteral("p%1.jpg").arg(i)),
                                     recipe.photos.at(0).imageBytes));
    }
    QVERIFY(test::writeBytes(in(QStringLiteral("c.cov")),
                             tools::assembleContainer(tools::sampleContainer({}))));
}

QStringList TestWriteFaults::arguments(Command c, const QString& out) const
{
    const QString target = out + QLatin1Char('/') + outputName(c);
    switch (c) {
    case Command::ContainerMake:
        return {"container-make", target, in("a1.sld"), in("a2.sld")};
    case Command::AlbumMake:
        return {"album-make", target, in("p1.jpg"), in("p2.jpg")};
    case Command::AlbumExtract:
        return {"album-extract", in("a1.sld"), out};
    case Command::ListOutput:
        return {"list", in("c.cov"), "--output", target};
    case Command::ThumbnailExport:
        return {"thumbnail-export", in("c.cov"), "0", target};
    }
    return {};
}

void TestWriteFaults::commands_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<Fault>("fault");
    const QList<QPair<const char*, Command>> commands = {
        {"container-make", Command::ContainerMake},
        {"album-make", Command::AlbumMake},
        {"album-extract", Command::AlbumExtract},
        {"list --output", Command::ListOutput},
        {"thumbnail-export", Command::ThumbnailExport}};
    const QList<QPair<const char*, Fault>> faults = {{"full disk", Fault::FullDisk},
                                                     {"read-only folder", Fault::ReadOnlyFolder},
                                                     {"short writes", Fault::ShortWrites}};
    for (const auto& [commandName, command] : commands) {
        for (const auto& [faultName, fault] : faults)
            QTest::addRow("%s, %s", commandName, faultName) << command << fault;
    }
}

void TestWriteFaults::commands()
{
    QFETCH(Command, command);
    QFETCH(Fault, fault);
    FaultyFolder out(fault, outputName(command));
    if (!out.unavailable().isEmpty())
        QSKIP(qPrintable(out.unavailable()));
    QVERIFY(out.prepare());
    const QMap<QString, QByteArray> before = snapshot(out.path());

    const test::CliRun r = test::runCli(arguments(command, out.path()), {}, 120000, out.inChild());
    QVERIFY2(r.status > 0, r.err.constData()); // a failure, reported: not success, not a crash
    QVERIFY(!r.err.isEmpty());
    QCOMPARE(snapshot(out.path()), before);
}

void TestWriteFaults::settingsFile_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("full disk") << Fault::FullDisk;
    QTest::newRow("read-only folder") << Fault::ReadOnlyFolder;
    QTest::newRow("short writes") << Fault::ShortWrites;
}

void TestWriteFaults::settingsFile()
{
    QFETCH(Fault, fault);
    test::TestEnvironment env;
    FaultyFolder out(fault, QStringLiteral("Quorbell/Quorbell.ini"));
    if (!out.unavailable().isEmpty())
        QSKIP(qPrintable(out.unavailable()));
    QVERIFY(QDir(out.path()).mkdir(QStringLiteral("Quorbell")));
    QVERIFY(out.prepare());
    if (fault == Fault::ReadOnlyFolder && !test::runningAsRoot())
        QVERIFY(QFile::setPermissions(out.path() + QStringLiteral("/Quorbell"),
                                      QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(out.path()));
    const QMap<QString, QByteArray> before = snapshot(out.path());

    Settings changed;
    changed.interval = 9;
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (fault == Fault::ShortWrites) {
        rlimit limited = saved;
        limited.rlim_cur = kShortWriteLimit;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    const bool allWritten = writeAllSettings(changed);
    const bool sizeWritten = updateWindowSize(4500, 6000);
    const bool foldersWritten = updateWorkFolders(QStringLiteral("/a"), QStringLiteral("/b"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    QFile::setPermissions(out.path() + QStringLiteral("/Quorbell"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QVERIFY(!allWritten);
    QVERIFY(!sizeWritten);
    QVERIFY(!foldersWritten);
    QCOMPARE(snapshot(out.path()), before);
}

void TestWriteFaults::killedWhileWritingAContainer()
{
    // container-make writes through the same writer as Save and Save As. A
    // file size limit with its signal left to kill makes the process die in
    // the middle of writing the new container over the old one.
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("big.cov"));
    const QByteArray old = tools::assembleContainer(tools::sampleContainer({}));
    QVERIFY(test::writeBytes(target, old));
    QStringList args = {QStringLiteral("container-make"), target};
    for (int i = 1; i <= 24; ++i)
        args << in(QStringLiteral("a%1.sld").arg(i));
    const test::CliRun r = test::runCli(args, {}, 120000, [] {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 100 * 1024; // the new container is about three times this
        ::setrlimit(RLIMIT_FSIZE, &limit);
        rlimit noCore{};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::signal(SIGXFSZ, SIG_DFL);
    });
    QCOMPARE(r.status, -1); // killed, not finished
    QCOMPARE(test::readBytes(target), old);
    // A killed process cannot tidy up: at most its temporary file is left, and
    // never under the container's own name.
    const QStringList left = QDir(out.path()).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(left.size() <= 2 && left.contains(QStringLiteral("big.cov")),
             qPrintable(left.join(' ')));
}

QTEST_GUILESS_MAIN(TestWriteFaults)
#include "tst_writefaults.moc"
