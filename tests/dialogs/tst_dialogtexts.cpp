// The dialogs' pure rules: new names of a batch rename, the album list text
// line by line, the list file's bytes, the properties texts, the settings
// choices and the version box text.
#include "core/Cp932.h"
#include "document/AlbumDocument.h"
#include "document/InterfaceMode.h"
#include "core/Settings.h"
#include "core/SettingsFile.h"
#include "dialogs/AlbumInfo.h"
#include "dialogs/AlbumList.h"
#include "dialogs/RenameRules.h"
#include "dialogs/SettingsChoices.h"
#include "dialogs/VersionText.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quorbell;

// Bits of the flag word the settings do not own: reading and applying the
// settings leaves them as they are.
namespace OtherBit {
inline constexpr quint16 Modified = 0x8000;
inline constexpr quint16 CoverView = 0x4000;
inline constexpr quint16 CommentToggle = 0x0100;
} // namespace OtherBit

namespace {

AlbumEntry entry(const QString& name, const QString& comment, qint32 size, const DateVariant& date)
{
    AlbumEntry e;
    e.fileName = name;
    e.comment = comment;
    e.fileSize = size;
    e.fileDate = date;
    return e;
}

DateVariant at(int y, int mo, int d, int h, int mi, int s)
{
    return DateVariant::fromDateTime(QDateTime(QDate(y, mo, d), QTime(h, mi, s)));
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, qsizetype n)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(n, 'x'));
}

} // namespace

class TestDialogTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void renameNames_data();
    void renameNames();
    void albumListTwelveAlbums();
    void albumListNames_data();
    void albumListNames();
    void albumListEmptyGrid();
    void albumListFileBytes();
    void albumListBesideContainer();
    void versionText();
    void choicesOfSizing_data();
    void choicesOfSizing();
    void choicesWithNothingOn();
    void choicesRoundTrip();
    void propertiesTexts_data();
    void propertiesTexts();
    void propertiesUndecided();
};

void TestDialogTexts::renameNames_data()
{
    QTest::addColumn<QString>("common");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("expected");
    const int same = int(RenameNumberStyle::SameWidth), grow = int(RenameNumberStyle::Growing);
    QTest::newRow("9 same, last") << "trip" << 9 << same << 8 << "x.sld"
                                  << "trip9.sld";
    QTest::newRow("10 same, first") << "trip" << 10 << same << 0 << "x.sld"
                                    << "trip01.sld";
    QTest::newRow("12 same, first") << "trip" << 12 << same << 0 << "x.sld"
                                    << "trip01.sld";
    QTest::newRow("12 same, last") << "trip" << 12 << same << 11 << "x.sld"
                                   << "trip12.sld";
    QTest::newRow("12 growing, first") << "trip" << 12 << grow << 0 << "x.sld"
                                       << "trip1.sld";
    QTest::newRow("12 growing, last") << "trip" << 12 << grow << 11 << "x.sld"
                                      << "trip12.sld";
    QTest::newRow("99 same") << "t" << 99 << same << 98 << "x.sld"
                             << "t99.sld";
    QTest::newRow("100 same, first") << "trip" << 100 << same << 0 << "x.sld"
                                     << "trip001.sld";
    QTest::newRow("100 same, last") << "trip" << 100 << same << 99 << "x.sld"
                                    << "trip100.sld";
    QTest::newRow("1000 same") << "p" << 1000 << same << 0 << "x.sld"
                               << "p0001.sld";
    QTest::newRow("past 9999") << "p" << 10000 << same << 9999 << "x.sld"
                               << "p10000.sld";
    QTest::newRow("two dots") << "trip" << 12 << same << 2 << "a.b.sld"
                              << "trip03.b.sld";
    QTest::newRow("no dot") << "trip" << 3 << same << 0 << "album"
                            << "trip1";
    QTest::newRow("empty common") << "" << 12 << same << 4 << "x.sld"
                                  << "05.sld";
    QTest::newRow("upper-case ext") << "trip" << 2 << grow << 1 << "X.SLD"
                                    << "trip2.SLD";
    QTest::newRow("hidden entry") << "trip" << 12 << same << 6 << "*x.sld"
                                  << "trip07.sld";
    QTest::newRow("japanese") << "旅行" << 12 << same << 9 << "北海道.sld"
                              << "旅行10.sld";
}

void TestDialogTexts::renameNames()
{
    QFETCH(QString, common);
    QFETCH(int, count);
    QFETCH(int, style);
    QFETCH(int, index);
    QFETCH(QString, oldName);
    QFETCH(QString, expected);
    QCOMPARE(renameTargetName(common, index, count, RenameNumberStyle(style), oldName), expected);
}

void TestDialogTexts::albumListTwelveAlbums()
{
    // Japanese, Latin and half-width katakana names; a missing file; a stored date text.
    const QList<AlbumEntry> entries = {
        entry("北海道.sld", "雪まつり", 0, at(2003, 1, 2, 0, 0, 0)),
        entry("kyoto.sld", "Kyoto 2004", 1023, at(2004, 11, 23, 9, 5, 7)),
        entry("沖縄2005.sld", "海", 1024, at(2005, 7, 15, 13, 30, 0)),
        entry("trip.a.sld", "two dots", 2097152, at(2006, 2, 28, 23, 59, 59)),
        entry("ﾊﾟﾘ.sld", "ﾊﾟﾘの街", 4096, at(2007, 12, 31, 12, 0, 0)),
        entry("Rome.SLD", "", 5000, at(2008, 5, 5, 5, 5, 5)),
        entry("東京タワー.sld", "夜景", 1048576, at(2009, 10, 10, 10, 10, 10)),
        entry("missing.sld", "無い", 10, at(2010, 1, 1, 0, 0, 1)),
        entry("a.sld", "a", 20480, at(2011, 3, 14, 15, 9, 26)),
        entry("春.sld", "桜と富士山", 123456789, at(2012, 4, 1, 8, 0, 0)),
        entry("summer_2010.sld", "花火大会", 30000, at(2010, 8, 15, 19, 30, 0)),
        entry("冬.sld", "Winter", 999999, DateVariant::fromText("03/02/01 0:00:00")),
    };
    const QStringList expected = {
        " 1   北海道         雪まつり      sld          1KB    2003/01/02 0:00:00",
        " 2   kyoto          Kyoto 2004    sld          1KB    2004/11/23 9:05:07",
        " 3   沖縄2005       海            sld          2KB    2005/07/15 13:30:00",
        " 4   trip           two dots      sld      2,049KB    2006/02/28 23:59:59",
        " 5   ﾊﾟﾘ            ﾊﾟﾘの街       sld          5KB    2007/12/31 12:00:00",
        " 6   Rome                         SLD          5KB    2008/05/05 5:05:05",
        " 7   東京タワー     夜景          sld      1,025KB    2009/10/10 10:10:10",
        " 8   *missing       無い          sld          1KB    2010/01/01 0:00:01",
        " 9   a              a             sld         21KB    2011/03/14 15:09:26",
        "10   春             桜と富士山    sld    120,564KB    2012/04/01 8:00:00",
        "11   summer_2010    花火大会      sld         30KB    2010/08/15 19:30:00",
        "12   冬             Winter        sld        977KB    03/02/01 0:00:00",
    };
    const QString folder = QStringLiteral("/albums/");
    const auto exists = [&](const QString& path) {
        return path.startsWith(folder) && path != folder + QStringLiteral("missing.sld");
    };
    const QString text = albumListText(entries, folder, exists);
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeLast(), QString()); // the last line ends with CR LF too
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(lines.at(i), expected.at(i));
}

void TestDialogTexts::albumListNames_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<QString>("albumName");
    QTest::addColumn<QString>("type");
    QTest::newRow("present") << "a.sld" << true << "a"
                             << "sld";
    QTest::newRow("missing") << "a.sld" << false << "*a"
                             << "sld";
    QTest::newRow("hidden, file there") << "*a.sld" << true << "*a"
                                        << "sld";
    QTest::newRow("hidden, file missing") << "*a.sld" << false << "**a"
                                          << "sld";
    QTest::newRow("two dots") << "a.b.sld" << true << "a"
                              << "sld";
    QTest::newRow("no dot") << "album" << true << "album"
                            << "bum";
    QTest::newRow("short name") << "ab" << true << "ab"
                                << "ab";
}

void TestDialogTexts::albumListNames()
{
    QFETCH(QString, fileName);
    QFETCH(bool, fileThere);
    QFETCH(QString, albumName);
    QFETCH(QString, type);
    QStringList asked;
    const auto exists = [&](const QString& path) {
        asked << path;
        return fileThere;
    };
    const QList<AlbumListRow> rows =
        albumListRows({entry(fileName, "c", 0, {})}, QStringLiteral("/f/"), exists);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).albumName, albumName);
    QCOMPARE(rows.at(0).type, type);
    QCOMPARE(rows.at(0).size, QStringLiteral("1"));
    // A hidden entry's file is the one without the "*".
    QCOMPARE(asked, QStringList{QStringLiteral("/f/") + fileName.mid(fileName.startsWith('*'))});
}

void TestDialogTexts::albumListEmptyGrid()
{
    QCOMPARE(albumListText({}, QStringLiteral("/f/"), [](const QString&) { return true; }),
             QString());
}

void TestDialogTexts::albumListFileBytes()
{
    // "é" and the emoji have no code page 932 form: each is one "?" in the
    // file, and the columns still line up in bytes.
    const QList<AlbumEntry> entries = {
        entry("café.sld", "😀", 0, at(2020, 1, 2, 3, 4, 5)),
        entry("北.sld", "ab", 0, at(2020, 1, 2, 3, 4, 5)),
    };
    const QString text = albumListText(entries, "/f/", [](const QString&) { return true; });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    QString error;
    QVERIFY(writeAlbumListFile(path, text, &error));
    const QByteArray expected =
        QByteArray("1   caf?    ?     sld    1KB    2020/01/02 3:04:05\r\n") +
        "2   \x96\x6B      ab    sld    1KB    2020/01/02 3:04:05\r\n";
    QCOMPARE(readAll(path), expected);

    // A folder that does not exist: the write fails and says so.
    QVERIFY(!writeAlbumListFile(dir.filePath(QStringLiteral("no/such/list.txt")), text, &error));
    QVERIFY(!error.isEmpty());
}

void TestDialogTexts::albumListBesideContainer()
{
    // The albums of a container are the files beside it, wherever the tool runs.
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("here.sld")), 3000);
    const QList<AlbumEntry> entries = {entry("here.sld", "ここ", 3000, at(2001, 2, 3, 4, 5, 6)),
                                       entry("gone.sld", "", 0, at(2001, 2, 3, 4, 5, 6))};
    const QString text =
        albumListTextBesideContainer(entries, dir.filePath(QStringLiteral("set.cov")));
    QCOMPARE(text, QStringLiteral("1   here     ここ    sld    3KB    2001/02/03 4:05:06\r\n"
                                  "2   *gone            sld    1KB    2001/02/03 4:05:06\r\n"));
}

void TestDialogTexts::versionText()
{
    const QString text = versionBoxText();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(0), QStringLiteral("       Quorbell Version 2.50       "));
    QCOMPARE(lines.at(1), QString());
    for (int i = 2; i < 5; ++i) {
        QVERIFY2(lines.at(i).startsWith(QString(7, ' ')), qPrintable(lines.at(i)));
        QVERIFY(lines.at(i).at(7) != QLatin1Char(' '));
    }
    QVERIFY(lines.at(2).contains(QStringLiteral("Quorbell")));
}

void TestDialogTexts::choicesOfSizing_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<bool>("fullSize");
    QTest::newRow("as it is") << 0 << false << false;
    QTest::newRow("reduce") << 1 << true << false;
    QTest::newRow("reduce and enlarge") << 2 << true << true;
}

void TestDialogTexts::choicesOfSizing()
{
    QFETCH(int, index);
    QFETCH(bool, fit);
    QFETCH(bool, fullSize);
    Settings g;
    g.pendingThumbSize = 80;
    g.viewerOptions = ViewerOpt::FullSize; // left over from an earlier choice
    g.flags = Flag::Fit;
    ConditionChoices c = choicesFromState(g);
    c.sizeMax = index;
    applyChoices(g, c);
    QCOMPARE(g.has(Flag::Fit), fit);
    QCOMPARE(bool(g.viewerOptions & ViewerOpt::FullSize), fullSize);
    QCOMPARE(choicesFromState(g).sizeMax, index);
}

void TestDialogTexts::choicesWithNothingOn()
{
    Settings g;
    g.interval = 9; // out of range: no interval button on
    g.pendingThumbSize = 75;
    const ConditionChoices c = choicesFromState(g);
    QCOMPARE(c.interval, -1);
    QCOMPARE(c.thumbSize, 6);
    ConditionChoices none = c;
    none.thumbSize = -1;
    applyChoices(g, none);
    QCOMPARE(g.interval, quint8(6));
    QCOMPARE(g.pendingThumbSize, qint16(120));
    QCOMPARE(g.pendingComment, (CommentMetrics{16, 10, 18}));
}

void TestDialogTexts::choicesRoundTrip()
{
    // Every owned bit on, then every owned bit off; other bits stay.
    Settings g;
    g.flags = OtherBit::Modified | OtherBit::CoverView | OtherBit::CommentToggle;
    g.viewerOptions = 0x01;
    g.fontStyle = 0x02;
    ConditionChoices c;
    c.comment = c.password = c.cover = c.cover1st = c.dispAuto = c.dispCont = c.dispName = 1;
    c.range = 1;
    c.sizeMax = 2;
    c.thumbSize = 3;
    c.interval = 4;
    c.coverFile = QStringLiteral("/pics/cover.jpg");
    c.font = {QStringLiteral("IPAGothic"), 18, QColor(1, 2, 3), true, true, true, true};
    applyChoices(g, c);
    QCOMPARE(g.flags, quint16(OtherBit::Modified | OtherBit::CoverView | OtherBit::CommentToggle |
                              Flag::CommentDefault | Flag::PasswordSetting | Flag::CoverSetting |
                              Flag::CoverFirst | Flag::AutoAdvance | Flag::Endless |
                              Flag::PhotoName | Flag::Fit));
    QCOMPARE(g.viewerOptions, quint8(0x01 | ViewerOpt::Range | ViewerOpt::FullSize));
    QCOMPARE(g.fontStyle, quint8(0x02 | 0xF0));
    QCOMPARE(g.pendingThumbSize, qint16(90));
    QCOMPARE(g.pendingComment, (CommentMetrics{14, 9, 14}));
    QCOMPARE(g.interval, quint8(5));
    QCOMPARE(g.nameFontColour, RgbValue::fromRgb(1, 2, 3));
    QCOMPARE(choicesFromState(g), c);

    ConditionChoices off;
    off.font = c.font;
    off.font.bold = off.font.italic = off.font.strikeOut = off.font.underline = false;
    applyChoices(g, off);
    // Cover view is the window's: the window ends it when the cover setting goes off.
    QCOMPARE(g.flags, quint16(OtherBit::Modified | OtherBit::CoverView | OtherBit::CommentToggle));
    QCOMPARE(g.viewerOptions, quint8(0x01));
    QCOMPARE(g.fontStyle, quint8(0x02));
    QCOMPARE(g.pendingThumbSize, qint16(60));
    QCOMPARE(g.interval, quint8(1));
}

void TestDialogTexts::propertiesTexts_data()
{
    QTest::addColumn<qint64>("containerBytes");
    QTest::addColumn<QString>("sizeText");
    QTest::newRow("empty") << qint64(0) << "1KB";
    QTest::newRow("1023") << qint64(1023) << "1KB";
    QTest::newRow("1024") << qint64(1024) << "2KB";
    QTest::newRow("1 MiB") << qint64(1048576) << "1,025KB";
}

void TestDialogTexts::propertiesTexts()
{
    QFETCH(qint64, containerBytes);
    QFETCH(QString, sizeText);
    QTemporaryDir dir;
    AlbumDocument doc;
    doc.setContainerPath(dir.filePath(QStringLiteral("旅行.cov")));
    writeBytes(doc.containerPath(), containerBytes);
    AlbumEntry e = entry("a.b.sld", "コメント", 2048, at(2003, 1, 2, 3, 4, 5));
    e.thumbnail = QImage(10, 8, QImage::Format_RGB32);
    doc.setEntries({e});
    doc.setCellSize(100, *commentMetricsFor(100));
    doc.setSelectedIndex(0);
    const AlbumInfoFields f = albumInfoFields(doc, Mode::Selected);
    QCOMPARE(f.containerName, QStringLiteral("旅行.cov"));
    QCOMPARE(f.containerSize, sizeText);
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d{1,2}:\\d\\d:\\d\\d$"))
                .match(f.containerDate)
                .hasMatch());
    QCOMPARE(f.number, QStringLiteral("1"));
    QCOMPARE(f.baseName, QStringLiteral("a"));
    QCOMPARE(f.comment, QStringLiteral("コメント"));
    QCOMPARE(f.size, QStringLiteral("3KB"));
    QCOMPARE(f.date, QStringLiteral("2003/01/02 3:04:05"));
    QCOMPARE(f.thumbSize, QStringLiteral("100 x 100 ﾋﾟｸｾﾙ"));
    QCOMPARE(f.thumbnail.size(), QSize(10, 8));
}

void TestDialogTexts::propertiesUndecided()
{
    const QString undecided = QStringLiteral("未確定");
    AlbumDocument doc;
    doc.setEntries({entry("a.sld", "c", 0, {})});
    qint16 mode = Mode::Shown; // nothing selected, never saved
    AlbumInfoFields f = albumInfoFields(doc, mode);
    QCOMPARE(f.number, undecided);
    QCOMPARE(f.size, undecided);
    QCOMPARE(f.date, undecided);
    QCOMPARE(f.thumbSize, undecided);
    QCOMPARE(f.baseName, QString());
    QCOMPARE(f.comment, QString());
    QCOMPARE(f.containerName, undecided);
    QCOMPARE(f.containerSize, undecided);

    // A container path whose file is gone: its name, but no size or date.
    doc.setContainerPath(QStringLiteral("/no/such/folder/x.cov"));
    f = albumInfoFields(doc, mode);
    QCOMPARE(f.containerName, QStringLiteral("x.cov"));
    QCOMPARE(f.containerSize, undecided);
    QCOMPARE(f.containerDate, undecided);

    // While loading, the container fields are not shown either.
    mode = Mode::Loading;
    QCOMPARE(albumInfoFields(doc, mode).containerName, undecided);
}

QTEST_GUILESS_MAIN(TestDialogTexts)
#include "tst_dialogtexts.moc"
