// quorbell-cli under hostile conditions, run as a separate process: standard
// output on a full device, files written to a nearly full disk (a small tmpfs
// in a private mount namespace), album-extract stopped by a signal at a chosen
// system call (strace), and names and comments that hold terminal control
// characters.
#include "AlbumFixtures.h"
#include "ContainerMaker.h"

#include "CliRunner.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <unistd.h>

using namespace quorbell;
using namespace quorbell::tools;

namespace {

// Nothing written to the small disk may be left there; a shell beside the
// tool lists what is, since the disk goes away with its namespace.
const char* const kSmallDiskScript =
    "mount -t tmpfs -o size=64k quorbell-test \"$1\" || exit 99; "
    "head -c 57344 /dev/zero > \"$1/.fill\"; " // 8 KiB stay free
    "report=\"$2\"; disk=\"$1\"; shift 2; \"$@\"; status=$?; "
    "find \"$disk\" -mindepth 1 ! -name .fill > \"$report\"; exit $status";

QStringList lines(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The control characters (C0, DEL, C1) in `text` other than those allowed.
QString strayControls(const QByteArray& text, const QString& allowed)
{
    QString found;
    for (const QChar c : QString::fromUtf8(text)) {
        const char16_t u = c.unicode();
        if ((u < 0x20 || (u >= 0x7F && u <= 0x9F)) && !allowed.contains(c))
            found += QStringLiteral("U+%1 ").arg(u, 4, 16, QLatin1Char('0'));
    }
    return found;
}

} // namespace

class TestCliRobustness : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void lostOutputFails_data();
    void lostOutputFails();
    void fullDiskNamesTheReason_data();
    void fullDiskNamesTheReason();
    void stoppedExtractLeavesNothing_data();
    void stoppedExtractLeavesNothing();
    void controlCharactersShownEscaped_data();
    void controlCharactersShownEscaped();
    void listFileKeepsControlCharacters();

private:
    QTemporaryDir m_dir;
    QString m_album;     // photos named with control characters
    QString m_bigAlbum;  // one 120 KB photo
    QString m_bigPhoto;  // a BMP file of 120 KB
    QString m_container; // names, comments, a date and the folder with control characters
    QString m_large;     // one album: a 10 KB comment, a 118x118 thumbnail
    QStringList m_unsharePrefix;
    bool m_smallDisk = false;
    bool m_strace = false;

    QString write(const QString& name, const QByteArray& bytes);
    static RawEntry entry(const QByteArray& name, const QByteArray& comment, int side, int seed);
};

QString TestCliRobustness::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    if (!test::writeBytes(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

RawEntry TestCliRobustness::entry(const QByteArray& name, const QByteArray& comment, int side,
                                  int seed)
{
    RawEntry e;
    e.name = name;
    e.comment = comment;
    e.sizeWord = side << 16 | side;
    e.bmp = makeBmp(paintThumbnail(seed, side, side), BmpKind::Rgb24);
    e.fileSize = 4096;
    e.date = dateEntry(38000.5);
    return e;
}

void TestCliRobustness::initTestCase()
{
    QVERIFY(m_dir.isValid());
    AlbumSpec hostile;
    hostile.photos = {test::samplePhoto(QStringLiteral("\x1b]0;title\x07.jpg"), {8, 8}, 1),
                      test::samplePhoto(QStringLiteral("a\nforged\tline.jpg"), {8, 8}, 2),
                      test::samplePhoto(QStringLiteral("del\x7f.jpg"), {8, 8}, 3)};
    m_album = write(QStringLiteral("hostile.sld"), test::albumBytes(hostile));

    const QByteArray bmp = makeSamplePhoto({200, 200}, 4, PhotoFormat::Bmp);
    m_bigPhoto = write(QStringLiteral("big.bmp"), bmp);
    AlbumSpec big;
    big.photos = {{QStringLiteral("big.bmp"), bmp, {200, 200}, false}};
    m_bigAlbum = write(QStringLiteral("big.sld"), test::albumBytes(big));

    RawContainer c;
    RawEntry dated = entry("\x1b[2Jclear.sld", "\x1b]0;title\x07", 20, 1);
    dated.date = textDateEntry("04/02/29\x1b[31m");
    c.entries = {dated, entry("two\nlines.sld", "tab\there", 20, 2),
                 entry("bell.sld", "bell\x07", 20, 3)};
    c.albumFolder = QByteArray("/tmp/\x1b[8m/");
    // Code page 932 has no C1 characters; a file name can hold them.
    m_container = write(QStringLiteral("hostile\u009b.cov"), assembleContainer(c));

    RawContainer large;
    large.cellSize = 120;
    large.entries = {entry("a.sld", QByteArray(10000, 'c'), 118, 5)};
    m_large = write(QStringLiteral("large.cov"), assembleContainer(large));

    // A tmpfs of its own needs a mount namespace: root makes one directly,
    // anyone else through a user namespace where the system allows it.
    m_unsharePrefix = {QStringLiteral("unshare"), QStringLiteral("--mount")};
    if (geteuid() != 0)
        m_unsharePrefix.insert(1, QStringLiteral("--map-root-user"));
    QProcess probe;
    probe.start(m_unsharePrefix.first(),
                m_unsharePrefix.mid(1) + QStringList{QStringLiteral("sh"), QStringLiteral("-c"),
                                                     QStringLiteral("mount -t tmpfs none \"$0\""),
                                                     m_dir.path()});
    m_smallDisk = probe.waitForFinished() && probe.exitStatus() == QProcess::NormalExit &&
                  probe.exitCode() == 0;
    probe.start(QStringLiteral("strace"),
                {QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("true")});
    m_strace = probe.waitForFinished() && probe.exitStatus() == QProcess::NormalExit &&
               probe.exitCode() == 0;
}

void TestCliRobustness::lostOutputFails_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status"); // the status when the output is lost

    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 1;
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 1;
    QTest::newRow("no command") << QStringList{} << 2; // help printed, wrong usage kept
    QTest::newRow("list") << QStringList{QStringLiteral("list"), m_container} << 1;
    QTest::newRow("container-info")
        << QStringList{QStringLiteral("container-info"), m_container} << 1;
    QTest::newRow("container-info --json")
        << QStringList{QStringLiteral("container-info"), QStringLiteral("--json"), m_container}
        << 1;
    QTest::newRow("album-info") << QStringList{QStringLiteral("album-info"), m_album} << 1;
    QTest::newRow("album-info --json")
        << QStringList{QStringLiteral("album-info"), QStringLiteral("--json"), m_album} << 1;
    QTest::newRow("container-verify, albums missing")
        << QStringList{QStringLiteral("container-verify"), m_container} << 1;
}

void TestCliRobustness::lostOutputFails()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QProcess p;
    p.setStandardOutputFile(QStringLiteral("/dev/full"));
    p.start(qEnvironmentVariable("QUORBELL_TOOLS_DIR") + QStringLiteral("/quorbell-cli"), args);
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), status);
    const QStringList err = lines(p.readAllStandardError());
    QCOMPARE(err.size(), 1);
    QVERIFY2(err.first().contains(qt_error_string(ENOSPC)), qPrintable(err.first()));
}

void TestCliRobustness::fullDiskNamesTheReason_data()
{
    QTest::addColumn<QStringList>("args"); // "@" stands for the small disk's folder

    QTest::newRow("container-make")
        << QStringList{QStringLiteral("container-make"), QStringLiteral("@/out.cov"), m_bigAlbum,
                       QStringLiteral("--size"), QStringLiteral("120")};
    // Small enough to stay in the write buffer until the file is put in place.
    QTest::newRow("container-make, buffered")
        << QStringList{QStringLiteral("container-make"), QStringLiteral("@/out.cov"), m_bigAlbum,
                       QStringLiteral("--size"), QStringLiteral("60")};
    QTest::newRow("album-make") << QStringList{QStringLiteral("album-make"),
                                               QStringLiteral("@/out.sld"), m_bigPhoto};
    QTest::newRow("list --output") << QStringList{
        QStringLiteral("list"), m_large, QStringLiteral("--output"), QStringLiteral("@/list.txt")};
    QTest::newRow("thumbnail-export")
        << QStringList{QStringLiteral("thumbnail-export"), m_large, QStringLiteral("0"),
                       QStringLiteral("@/thumb.bmp")};
    // The folders it makes go as well.
    QTest::newRow("album-extract")
        << QStringList{QStringLiteral("album-extract"), m_bigAlbum, QStringLiteral("@/new/deeper")};
}

void TestCliRobustness::fullDiskNamesTheReason()
{
    if (!m_smallDisk)
        QSKIP("no mount namespace for a small tmpfs here");
    QFETCH(QStringList, args);
    QTemporaryDir work;
    const QString disk = work.filePath(QStringLiteral("disk"));
    const QString report = work.filePath(QStringLiteral("left.txt"));
    QVERIFY(QDir().mkdir(disk));
    args.replaceInStrings(QStringLiteral("@"), disk);

    const test::CliRun r =
        test::runCli(args, m_unsharePrefix + QStringList{QStringLiteral("sh"), QStringLiteral("-c"),
                                                         QString::fromLatin1(kSmallDiskScript),
                                                         QStringLiteral("sh"), disk, report});
    QVERIFY2(r.status == 1, r.err.constData());
    QStringList err = lines(r.err);
    err.removeIf([](const QString& l) { return l.contains(QLatin1String("warning:")); });
    QCOMPARE(err.size(), 1);
    QVERIFY2(err.first().contains(qt_error_string(ENOSPC)), qPrintable(err.first()));
    QCOMPARE(QString::fromUtf8(test::readBytes(report)), QString());
}

void TestCliRobustness::stoppedExtractLeavesNothing_data()
{
    QTest::addColumn<QString>("injection"); // strace's: the system call, the signal, its count
    QTest::addColumn<QString>("into");      // below the output folder, made by the tool

    // One photo is written per write call; the folders made are the parents,
    // then the private work folder.
    QTest::newRow("SIGINT while the work folder is made")
        << QStringLiteral("mkdir:signal=SIGINT:when=3") << QStringLiteral("new/deeper");
    QTest::newRow("SIGTERM after a photo is written")
        << QStringLiteral("write:signal=SIGTERM:when=2") << QStringLiteral("new");
    QTest::newRow("SIGHUP while the photos are moved")
        << QStringLiteral("renameat2:signal=SIGHUP:when=2") << QString();
}

void TestCliRobustness::stoppedExtractLeavesNothing()
{
    if (!m_strace)
        QSKIP("strace cannot trace here");
    QFETCH(QString, injection);
    QFETCH(QString, into);
    QTemporaryDir work;
    const QString before = work.filePath(QStringLiteral("kept.txt"));
    QVERIFY(test::writeBytes(before, "kept"));
    const QString syscall = injection.section(QLatin1Char(':'), 0, 0);

    QProcess p;
    p.start(QStringLiteral("strace"),
            {QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-e"),
             QStringLiteral("trace=") + syscall, QStringLiteral("-e"),
             QStringLiteral("inject=") + injection,
             qEnvironmentVariable("QUORBELL_TOOLS_DIR") + QStringLiteral("/quorbell-cli"),
             QStringLiteral("album-extract"), m_album, work.filePath(into)});
    QVERIFY(p.waitForFinished(60000));
    // strace ends as the tool did: by the signal, once the tool let it through.
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);
    QCOMPARE(p.readAllStandardOutput(), QByteArray());
    QStringList left;
    QDirIterator it(work.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        left << QDir(work.path()).relativeFilePath(it.next());
    QCOMPARE(left, QStringList{QStringLiteral("kept.txt")});
}

void TestCliRobustness::controlCharactersShownEscaped_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("allowed"); // the control characters of the layout itself
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QString>("shown"); // one escaped text expected in the output

    const QString tabs = QStringLiteral("\t\n");
    QTest::newRow("container-info")
        << QStringList{QStringLiteral("container-info"), m_container} << 0 << tabs << 6 + 3
        << QStringLiteral("\\x1b[2Jclear.sld\t\\x1b]0;title\\x07\t");
    QTest::newRow("container-info, date and folder")
        << QStringList{QStringLiteral("container-info"), m_container} << 0 << tabs << 6 + 3
        << QStringLiteral("Album folder: /tmp/\\x1b[8m/\n");
    QTest::newRow("container-info, bell")
        << QStringList{QStringLiteral("container-info"), m_container} << 0 << tabs << 6 + 3
        << QStringLiteral("bell.sld\tbell\\x07\t");
    QTest::newRow("container-info, C1 in the file name")
        << QStringList{QStringLiteral("container-info"), m_container} << 0 << tabs << 6 + 3
        << QStringLiteral("hostile\\x9b.cov\n");
    QTest::newRow("container-info --json")
        << QStringList{QStringLiteral("container-info"), QStringLiteral("--json"), m_container} << 0
        << QStringLiteral("\n") << 1 << QStringLiteral("hostile\\u009b.cov\"");
    QTest::newRow("container-info --json")
        << QStringList{QStringLiteral("container-info"), QStringLiteral("--json"), m_container} << 0
        << QStringLiteral("\n") << 1 << QStringLiteral("hostile\\u009b.cov\"");
    QTest::newRow("list") << QStringList{QStringLiteral("list"), m_container} << 0
                          << QStringLiteral("\r\n") << 3 << QStringLiteral("*two\\x0alines");
    QTest::newRow("container-verify")
        << QStringList{QStringLiteral("container-verify"), m_container} << 1 << tabs << 3
        << QStringLiteral("1\tmissing\ttwo\\x0alines.sld\n");
    QTest::newRow("album-info") << QStringList{QStringLiteral("album-info"), m_album} << 0
                                << QStringLiteral("\n") << 6 + 3
                                << QStringLiteral("a\\x0aforged\\x09line.jpg\n");
    QTest::newRow("album-info --json")
        << QStringList{QStringLiteral("album-info"), QStringLiteral("--json"), m_album} << 0
        << QStringLiteral("\n") << 1 << QStringLiteral("\"del\\u007f.jpg\"");
    QTest::newRow("album-info, DEL")
        << QStringList{QStringLiteral("album-info"), m_album} << 0 << QStringLiteral("\n") << 6 + 3
        << QStringLiteral("del\\x7f.jpg\n");
}

void TestCliRobustness::controlCharactersShownEscaped()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, allowed);
    QFETCH(int, lineCount);
    QFETCH(QString, shown);
    const test::CliRun r = test::runCli(args);
    QVERIFY2(r.status == status, r.err.constData());
    QCOMPARE(strayControls(r.out, allowed), QString());
    QCOMPARE(lines(r.out).size(), lineCount);
    QVERIFY2(QString::fromUtf8(r.out).contains(shown), r.out.constData());
}

void TestCliRobustness::listFileKeepsControlCharacters()
{
    const QString target = m_dir.filePath(QStringLiteral("list.txt"));
    const test::CliRun r =
        test::runCli({QStringLiteral("list"), m_container, QStringLiteral("--output"), target});
    QCOMPARE(r.status, 0);
    const QByteArray text = test::readBytes(target);
    QVERIFY(text.contains("\x1b]0;title\x07"));
    QVERIFY(text.contains("two\nlines"));
    QVERIFY(!text.contains("\\x"));
}

QTEST_GUILESS_MAIN(TestCliRobustness)
#include "tst_clirobustness.moc"
