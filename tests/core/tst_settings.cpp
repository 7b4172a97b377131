// The settings file byte for byte: the full writer against the layout written
// out by hand, the reader's rules, and the two updaters that must keep every
// other byte of the file.
#include "core/Cp932.h"
#include "core/Settings.h"
#include "core/SettingsFile.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

using namespace quorbell;

// Bits of the flag word the settings do not own: reading and applying the
// settings leaves them as they are.
namespace OtherBit {
inline constexpr quint16 Modified = 0x8000;
inline constexpr quint16 CoverView = 0x4000;
inline constexpr quint16 CommentToggle = 0x0100;
} // namespace OtherBit

namespace {

// The file as the settings dialog lays it out, built line by line here.
QByteArray layout(const QStringList& values)
{
    const QStringList keys = {"[Quorbell]",
                              "",
                              "[基本設定]",
                              "optThumbSize=",
                              "optPassword=",
                              "optComment=",
                              "dlgSelColor=",
                              "",
                              "[カバー設定]",
                              "optCover=",
                              "optCover1st=",
                              "txtFileName=",
                              "",
                              "[スライドショー設定]",
                              "optDispAuto=",
                              "optInterval=",
                              "optDispCont=",
                              "optDispName=",
                              "optSizeMax=",
                              "optRange=",
                              "#fullsize",
                              "",
                              "dlgFontName=",
                              "dlgFontSize=",
                              "dlgFontColor=",
                              "dlgFontBold=",
                              "dlgFontItalic=",
                              "dlgFontStrikeThru=",
                              "dlgFontUnderLine=",
                              "",
                              "[作業ディレクトリ]",
                              "dlgNew=",
                              "dlgAdd=",
                              "",
                              "[フォームサイズ]",
                              "frmHeight=",
                              "frmWidth="};
    QByteArray out;
    int v = 0;
    for (const QString& key : keys) {
        QString line = key;
        if (key == QLatin1String("#fullsize"))
            line = values.at(v++);
        else if (key.endsWith(QLatin1Char('=')))
            line += values.at(v++);
        out += cp932::encodeLossy(line) + "\r\n";
    }
    return out;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultFileLayout();
    void fullWriterFollowsTheState();
    void readerAppliesEveryKey();
    void keysInAnyOrderAndUnknownLinesIgnored();
    void sizingChoicesRoundTrip_data();
    void sizingChoicesRoundTrip();
    void thumbSizes_data();
    void thumbSizes();
    void missingOrUnusableKeysTakeTheDefault_data();
    void missingOrUnusableKeysTakeTheDefault();
    void fontStyleBits_data();
    void fontStyleBits();
    void coverOffIsReported();
    void windowSizeUpdateKeepsEveryOtherByte();
    void workFolderUpdate();
    void updaterAddsNothingWithoutTheKeys();
    void missingFileIsCreatedWithDefaults();
    void unencodablePathIsNotStoredWrongly();
    void hostileFileIsLeftAlone_data();
    void hostileFileIsLeftAlone();
};

void TestSettings::defaultFileLayout()
{
    const QByteArray expected =
        layout({"80",        "False", "True",     "255",   "True",  "False", "",
                "True",      "3",     "False",    "True",  "True",  "False", "optFullsize=False",
                "IPAGothic", "14",    "16777215", "False", "False", "False", "False",
                "",          "",      "9000",     "12000"});
    QCOMPARE(defaultSettingsFile(), expected);
}

void TestSettings::fullWriterFollowsTheState()
{
    Settings g;
    g.pendingThumbSize = 120;
    g.flags = Flag::PasswordSetting | Flag::CoverFirst | Flag::Endless | Flag::Fit |
              OtherBit::Modified /* not a setting: must not show */;
    g.viewerOptions = ViewerOpt::Range | ViewerOpt::FullSize;
    g.fontStyle = FontStyle::Bold | FontStyle::UnderLine;
    g.selectionColour = 0x00FF8000;
    g.coverImagePath = QStringLiteral("/home/user/写真/cover.jpg");
    g.interval = 6;
    g.nameFontName = QStringLiteral("IPAPGothic");
    g.nameFontSize = 20;
    g.nameFontColour = 65535;
    g.chooserFolder = QStringLiteral("/home/user/アルバム/");
    g.containerFolder = QStringLiteral("/home/user/");
    g.windowHeightTwips = 10815;
    g.windowWidthTwips = 15360;
    const QByteArray expected = layout({"120",
                                        "True",
                                        "False",
                                        "16744448",
                                        "False",
                                        "True",
                                        "/home/user/写真/cover.jpg",
                                        "False",
                                        "6",
                                        "True",
                                        "False",
                                        "True",
                                        "True",
                                        "optFullSize=True",
                                        "IPAPGothic",
                                        "20",
                                        "65535",
                                        "True",
                                        "False",
                                        "False",
                                        "True",
                                        "/home/user/アルバム/",
                                        "/home/user/",
                                        "10815",
                                        "15360"});
    QCOMPARE(buildSettingsFile(g), expected);
}

void TestSettings::readerAppliesEveryKey()
{
    Settings g;
    g.programFolder = QStringLiteral("/opt/q/share/quorbell/");
    g.flags = OtherBit::Modified | OtherBit::CoverView | OtherBit::CommentToggle;
    g.viewerOptions = 0x01;
    g.fontStyle = 0x08;
    const QByteArray file =
        layout({"90",   "True", "True", "123",   "True", "True", "",
                "True", "2",    "True", "False", "True", "True", "optFullSize=True",
                "Sans", "16",   "4660", "True",  "True", "True", "True",
                "/a/",  "/b/",  "9000", "12000"});
    const SettingsReadEffects e = applySettingsText(cp932::decode(file), g);
    QCOMPARE(g.pendingThumbSize, qint16(90));
    QCOMPARE(g.pendingComment, (CommentMetrics{14, 9, 14}));
    // Non-settings bits stay; settings bits come from the file.
    QCOMPARE(g.flags, quint16(OtherBit::Modified | OtherBit::CoverView | OtherBit::CommentToggle |
                              Flag::PasswordSetting | Flag::CommentDefault | Flag::CoverSetting |
                              Flag::CoverFirst | Flag::AutoAdvance | Flag::Endless | Flag::Fit));
    QCOMPARE(g.viewerOptions, quint8(0x01 | ViewerOpt::Range | ViewerOpt::FullSize));
    QCOMPARE(g.fontStyle, quint8(0x08 | 0xF0));
    QCOMPARE(g.selectionColour, 123);
    QCOMPARE(g.coverImagePath, QStringLiteral("/opt/q/share/quorbell/Image.bmp"));
    QCOMPARE(g.interval, quint8(2));
    QCOMPARE(g.nameFontName, QStringLiteral("Sans"));
    QCOMPARE(g.nameFontSize, qint16(16));
    QCOMPARE(g.nameFontColour, 4660);
    QCOMPARE(g.chooserFolder, QStringLiteral("/a/"));
    QCOMPARE(g.containerFolder, QStringLiteral("/b/"));
    QCOMPARE(g.windowHeightTwips, 9000);
    QCOMPARE(g.windowWidthTwips, 12000);
    QVERIFY(!e.coverSwitchedOff);
    QVERIFY(e.windowSizeRead);
}

void TestSettings::keysInAnyOrderAndUnknownLinesIgnored()
{
    Settings a, b;
    const QString ordered = cp932::decode(defaultSettingsFile());
    applySettingsText(ordered, a);
    QStringList lines = ordered.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    std::reverse(lines.begin(), lines.end());
    lines.insert(3, QStringLiteral("[Other]"));
    lines.insert(5, QStringLiteral("unknownKey=42"));
    lines.insert(6, QStringLiteral("no equals sign here"));
    lines.insert(7, QStringLiteral("optthumbsize=60")); // keys compare case-sensitively
    applySettingsText(lines.join(QLatin1Char('\n')), b);
    QCOMPARE(b.flags, a.flags);
    QCOMPARE(b.pendingThumbSize, a.pendingThumbSize);
    QCOMPARE(buildSettingsFile(b), buildSettingsFile(a));
    // A later line overrides an earlier one.
    Settings c;
    applySettingsText(QStringLiteral("optThumbSize=60\noptThumbSize=110\n"), c);
    QCOMPARE(c.pendingThumbSize, qint16(110));
}

void TestSettings::sizingChoicesRoundTrip_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("fitLine");
    QTest::addColumn<QString>("fullLine");
    QTest::newRow("unchanged") << 0 << "optSizeMax=False"
                               << "optFullsize=False";
    QTest::newRow("shrink") << 1 << "optSizeMax=True"
                            << "optFullsize=False";
    QTest::newRow("shrink or enlarge") << 2 << "optSizeMax=True"
                                       << "optFullSize=True";
}

void TestSettings::sizingChoicesRoundTrip()
{
    QFETCH(int, choice);
    QFETCH(QString, fitLine);
    QFETCH(QString, fullLine);
    Settings g;
    applySettingsText(cp932::decode(defaultSettingsFile()), g);
    g.set(Flag::Fit, choice >= 1);
    g.viewerOptions = choice == 2 ? ViewerOpt::FullSize : 0;
    const QString text = cp932::decode(buildSettingsFile(g));
    QVERIFY(text.contains(fitLine + QStringLiteral("\r\n")));
    QVERIFY(text.contains(fullLine + QStringLiteral("\r\n")));
    Settings back;
    back.viewerOptions = ViewerOpt::FullSize; // the read clears it first
    applySettingsText(text, back);
    const int readChoice = (back.viewerOptions & ViewerOpt::FullSize) ? 2
                           : back.has(Flag::Fit)                      ? 1
                                                                      : 0;
    QCOMPARE(readChoice, choice);
}

void TestSettings::thumbSizes_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("strip");
    QTest::addColumn<int>("font");
    QTest::addColumn<int>("limit");
    QTest::newRow("60") << "60" << 60 << 12 << 8 << 10;
    QTest::newRow("70") << "70" << 70 << 12 << 8 << 11;
    QTest::newRow("80") << "80" << 80 << 12 << 8 << 13;
    QTest::newRow("90") << "90" << 90 << 14 << 9 << 14;
    QTest::newRow("100") << "100" << 100 << 14 << 9 << 15;
    QTest::newRow("110") << "110" << 110 << 16 << 10 << 16;
    QTest::newRow("120") << "120" << 120 << 16 << 10 << 18;
    QTest::newRow("other size takes the largest") << "75" << 120 << 16 << 10 << 18;
}

void TestSettings::thumbSizes()
{
    QFETCH(QString, value);
    QFETCH(int, size);
    QFETCH(int, strip);
    QFETCH(int, font);
    QFETCH(int, limit);
    Settings g;
    applySettingsText(QStringLiteral("optThumbSize=") + value, g);
    QCOMPARE(int(g.pendingThumbSize), size);
    QCOMPARE(g.pendingComment, (CommentMetrics{qint16(strip), qint16(font), qint16(limit)}));
}

void TestSettings::missingOrUnusableKeysTakeTheDefault_data()
{
    QTest::addColumn<QString>("text");
    // Lines of the default file that the text changes: key, value, key, value...
    QTest::addColumn<QStringList>("changed");
    QTest::newRow("empty file") << "" << QStringList();
    QTest::newRow("section lines only") << "[Quorbell]\r\n\r\n[基本設定]\r\n" << QStringList();
    QTest::newRow("some keys missing")
        << "[Quorbell]\r\noptPassword=True\r\noptInterval=5\r\nfrmWidth=15000\r\n"
        << QStringList{"optPassword=", "True", "optInterval=", "5", "frmWidth=", "15000"};
    QTest::newRow("garbage values")
        << "optThumbSize=abc\r\noptPassword=maybe\r\noptComment=\r\ndlgSelColor=red\r\n"
           "optCover=1\r\noptCover1st=yes\r\noptInterval=-1\r\noptDispAuto=on\r\n"
           "optSizeMax=\r\noptRange=x\r\noptFullSize=0\r\ndlgFontName= \r\n"
           "dlgFontSize=0\r\ndlgFontColor=white\r\ndlgFontBold=-\r\nfrmHeight=-5\r\n"
           "frmWidth=wide\r\n"
        << QStringList();
    QTest::newRow("binary junk") << QString::fromLatin1(
                                        "\x01\xff=\x7f\r\n=\r\n==\n\roptThumbSize\r\n")
                                 << QStringList();
    QTest::newRow("unusable line after a usable one")
        << "optThumbSize=60\r\noptThumbSize=abc\r\ndlgFontSize=20\r\ndlgFontSize=0\r\n"
        << QStringList{"optThumbSize=", "60", "dlgFontSize=", "20"};
}

void TestSettings::missingOrUnusableKeysTakeTheDefault()
{
    QFETCH(QString, text);
    QFETCH(QStringList, changed);
    // Every setting away from its default first, so a value kept from before shows.
    Settings g;
    g.programFolder = QStringLiteral("/usr/share/quorbell/");
    applySettingsText(cp932::decode(layout(
                          {"110",   "True", "False", "1",     "False", "True", "/c.jpg",
                           "False", "6",    "True",  "False", "False", "True", "optFullSize=True",
                           "Sans",  "30",   "2",     "True",  "True",  "True", "True",
                           "/n/",   "/a/",  "1500",  "3000"})),
                      g);
    g.set(OtherBit::Modified);

    applySettingsText(text, g);
    QList<QPair<QByteArray, QString>> lines;
    for (int i = 0; i + 1 < changed.size(); i += 2)
        lines.append({changed.at(i).toLatin1(), changed.at(i + 1)});
    QCOMPARE(g.coverImagePath, QStringLiteral("/usr/share/quorbell/Image.bmp"));
    g.coverImagePath.clear(); // the default file names no cover picture
    QCOMPARE(buildSettingsFile(g), replaceSettingLines(defaultSettingsFile(), lines));
    // The cell size is one of the seven, with its own comment strip.
    QCOMPARE(commentMetricsFor(g.pendingThumbSize), std::optional(g.pendingComment));
    QVERIFY(g.has(OtherBit::Modified)); // not a setting: untouched
}

void TestSettings::fontStyleBits_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("bit");
    QTest::newRow("bold") << "dlgFontBold" << int(FontStyle::Bold);
    QTest::newRow("italic") << "dlgFontItalic" << int(FontStyle::Italic);
    QTest::newRow("strike") << "dlgFontStrikeThru" << int(FontStyle::StrikeThru);
    QTest::newRow("underline") << "dlgFontUnderLine" << int(FontStyle::UnderLine);
}

void TestSettings::fontStyleBits()
{
    QFETCH(QString, key);
    QFETCH(int, bit);
    Settings g;
    g.fontStyle = 0xFF;
    applySettingsText(key + QStringLiteral("=True"), g);
    QCOMPARE(int(g.fontStyle), 0x0F | bit);
}

void TestSettings::coverOffIsReported()
{
    Settings g;
    QVERIFY(applySettingsText(QStringLiteral("optCover=False"), g).coverSwitchedOff);
    QVERIFY(!applySettingsText(QStringLiteral("optCover=True"), g).coverSwitchedOff);
    QVERIFY(!applySettingsText(QStringLiteral("optCover1st=False"), g).coverSwitchedOff);
}

void TestSettings::windowSizeUpdateKeepsEveryOtherByte()
{
    test::TestEnvironment env;
    QVERIFY(ensureSettingsFile());
    // A hand-edited file: comments, odd sections, a LF-only line, bytes that are not cp932.
    QByteArray original = defaultSettingsFile();
    original.replace("[Quorbell]\r\n", "[Quorbell]\r\n; memo \x82\xA0\xFF\r\nextra=1\n");
    writeFile(env.settingsFile(), original);
    QVERIFY(updateWindowSize(10815, 15360));
    QByteArray expected = original;
    expected.replace("extra=1\n", "extra=1\r\n");
    expected.replace("frmHeight=9000", "frmHeight=10815");
    expected.replace("frmWidth=12000", "frmWidth=15360");
    QCOMPARE(readAll(env.settingsFile()), expected);
}

void TestSettings::workFolderUpdate()
{
    test::TestEnvironment env;
    QVERIFY(ensureSettingsFile());
    QVERIFY(updateWorkFolders(QStringLiteral("/data/アルバム/"), QStringLiteral("/data/")));
    QByteArray expected = defaultSettingsFile();
    expected.replace("dlgNew=\r\n",
                     "dlgNew=" + cp932::encodeLossy(QStringLiteral("/data/アルバム/")) + "\r\n");
    expected.replace("dlgAdd=\r\n", "dlgAdd=/data/\r\n");
    QCOMPARE(readAll(env.settingsFile()), expected);
}

void TestSettings::updaterAddsNothingWithoutTheKeys()
{
    test::TestEnvironment env;
    QVERIFY(ensureSettingsFile());
    writeFile(env.settingsFile(), QByteArray("[Quorbell]\r\noptThumbSize=60"));
    QVERIFY(updateWindowSize(1, 2));
    // Nothing added; the last line gains its CR LF.
    QCOMPARE(readAll(env.settingsFile()), QByteArray("[Quorbell]\r\noptThumbSize=60\r\n"));
}

void TestSettings::missingFileIsCreatedWithDefaults()
{
    test::TestEnvironment env;
    QVERIFY(!QFile::exists(env.settingsFile()));
    QVERIFY(ensureSettingsFile());
    QCOMPARE(readAll(env.settingsFile()), defaultSettingsFile());
    Settings g;
    g.programFolder = QStringLiteral("/usr/share/quorbell/");
    readSettings(g);
    QCOMPARE(g.pendingThumbSize, qint16(80));
    QCOMPARE(g.coverImagePath, QStringLiteral("/usr/share/quorbell/Image.bmp"));
}

void TestSettings::unencodablePathIsNotStoredWrongly()
{
    test::TestEnvironment env;
    QVERIFY(ensureSettingsFile());
    QVERIFY(updateWorkFolders(QStringLiteral("/home/ren\u00E9/"), QStringLiteral("/home/x/")));
    const QByteArray bytes = readAll(env.settingsFile());
    QVERIFY(bytes.contains("dlgNew=\r\n")); // kept as it was, never "/home/ren?/"
    QVERIFY(bytes.contains("dlgAdd=/home/x/\r\n"));
    Settings g;
    g.chooserFolder = QStringLiteral("/tmp/caf\u00E9/");
    QVERIFY(buildSettingsFile(g).contains("dlgNew=\r\n"));
}

// The kind, size, identity and link target of whatever is at a path.
QString describe(const QString& path)
{
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("nothing");
    return QStringLiteral("mode %1 size %2 inode %3 -> %4")
        .arg(st.st_mode)
        .arg(st.st_size)
        .arg(st.st_ino)
        .arg(QFileInfo(path).symLinkTarget());
}

void TestSettings::hostileFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("read");
    QTest::newRow("pipe") << "pipe" << false;
    QTest::newRow("link to /dev/zero") << "zero" << false;
    QTest::newRow("200 MB file") << "huge" << false;
    QTest::newRow("one byte over 64 KiB") << "over" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("link to nothing") << "dangling" << false;
    QTest::newRow("exactly 64 KiB is read") << "limit" << true;
}

void TestSettings::hostileFileIsLeftAlone()
{
    QFETCH(QString, kind);
    QFETCH(bool, read);
    test::TestEnvironment env;
    const QString path = env.settingsFile();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    // A real settings file padded with comment lines to a given size.
    const auto padded = [](qint64 size) {
        QByteArray bytes = defaultSettingsFile().replace("optThumbSize=80", "optThumbSize=60");
        while (bytes.size() < size)
            bytes += QByteArray(qMin<qint64>(100, size - bytes.size() - 1), ';') + "\n";
        return bytes.left(size);
    };
    if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("zero"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(path));
    else if (kind == QLatin1String("dangling"))
        QVERIFY(QFile::link(path + QStringLiteral(".gone"), path));
    else if (kind == QLatin1String("huge")) {
        writeFile(path, padded(1024));
        QVERIFY(QFile::resize(path, 200 * 1024 * 1024)); // sparse: no disk taken
    } else {
        writeFile(path, padded(kMaxSettingsFileBytes + (kind == QLatin1String("over") ? 1 : 0)));
    }
    const QString before = describe(path);

    Settings g;
    applySettingsText(QStringLiteral("optThumbSize=100\r\noptPassword=True\r\n"), g);
    const QByteArray inMemory = buildSettingsFile(g);
    QCOMPARE(loadSettingsFile().state, read ? SettingsFileRead::Read : SettingsFileRead::Refused);
    readSettings(g);
    QVERIFY(settingsFileExists());
    QVERIFY(ensureSettingsFile());
    if (read) {
        QCOMPARE(g.pendingThumbSize, qint16(60));
        QVERIFY(updateWindowSize(1, 2));
        return;
    }
    // Refused: the settings in memory stay, and nothing writes over the path.
    QCOMPARE(buildSettingsFile(g), inMemory);
    QVERIFY(!updateWindowSize(1, 2));
    QVERIFY(!updateWorkFolders(QStringLiteral("/a/"), QStringLiteral("/b/")));
    QCOMPARE(describe(path), before);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
