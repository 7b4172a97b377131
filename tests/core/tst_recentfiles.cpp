// The recent containers: the list file read back as written, whatever was in
// it before, and the desktop's recently-used list, where other programs'
// entries survive and a file that is hostile or broken is left as it was.
#include "core/FileIO.h"
#include "core/RecentContainers.h"
#include "core/RecentlyUsedXbel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <sys/stat.h>

using namespace quorbell;

class TestRecentFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recentList_data();
    void recentList();
    void recentlyUsed_data();
    void recentlyUsed();
};

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The bookmarks of a list, as href -> (application name -> count), read
// with namespaces resolved, as a desktop's reader reads it.
struct Bookmark
{
    QString href, mime;
    QMap<QString, int> counts;
};

QList<Bookmark> bookmarks(const QByteArray& xbel, bool* wellFormed)
{
    const QString bookmarkNs =
        QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
    const QString mimeNs = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
    QList<Bookmark> out;
    QXmlStreamReader r(xbel);
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (r.name() == QLatin1String("bookmark") && r.namespaceUri().isEmpty())
            out.append({r.attributes().value(QLatin1String("href")).toString(), {}, {}});
        else if (r.name() == QLatin1String("mime-type") && r.namespaceUri() == mimeNs)
            out.last().mime = r.attributes().value(QLatin1String("type")).toString();
        else if (r.name() == QLatin1String("application") && r.namespaceUri() == bookmarkNs)
            out.last().counts.insert(r.attributes().value(QLatin1String("name")).toString(),
                                     r.attributes().value(QLatin1String("count")).toInt());
    }
    *wellFormed = !r.hasError();
    return out;
}

const char kOtherProgram[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<xbel version="1.0"
      xmlns:bookmark="http://www.freedesktop.org/standards/desktop-bookmarks"
      xmlns:mime="http://www.freedesktop.org/standards/shared-mime-info"
>
  <bookmark href="file:///home/u/notes.txt" added="2026-01-01T10:00:00.000000Z" modified="2026-01-01T10:00:00.000000Z" visited="2026-01-01T10:00:00.000000Z">
    <info>
      <metadata owner="http://freedesktop.org">
        <mime:mime-type type="text/plain"/>
        <bookmark:groups><bookmark:group>Editor</bookmark:group></bookmark:groups>
        <bookmark:applications>
          <bookmark:application name="Editor" exec="&apos;editor %u&apos;" modified="2026-01-01T10:00:00.000000Z" count="4"/>
        </bookmark:applications>
      </metadata>
    </info>
  </bookmark>
  <bookmark href="file:///tmp/x/%E3%83%87%E3%83%A2.cov" added="2025-05-05T00:00:00Z" modified="2025-05-05T00:00:00Z" visited="2025-05-05T00:00:00Z">
    <info>
      <metadata owner="http://freedesktop.org">
        <mime:mime-type type="application/x-quorbell-container"/>
        <bookmark:applications>
          <bookmark:application name="Viewer" exec="&apos;viewer %u&apos;" modified="2025-05-05T00:00:00Z" count="1"/>
          <bookmark:application name="Quorbell" exec="&apos;quorbell %u&apos;" modified="2025-05-05T00:00:00Z" count="2"/>
        </bookmark:applications>
      </metadata>
    </info>
  </bookmark>
</xbel>
)";

const char kEntityBomb[] = R"(<?xml version="1.0"?>
<!DOCTYPE xbel [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">]>
<xbel version="1.0"><bookmark href="&b;"/></xbel>
)";

} // namespace

void TestRecentFiles::recentList_data()
{
    QTest::addColumn<QByteArray>("before"); // "<none>": no file; "<folder>": a folder there
    QTest::addColumn<QString>("added");
    QTest::addColumn<QStringList>("after");
    const QString nine = QStringLiteral("/c/9.cov");
    QByteArray eight;
    QStringList eightList;
    for (int i = 1; i <= 8; ++i) {
        eight += "/c/" + QByteArray::number(i) + ".cov\n";
        eightList << QStringLiteral("/c/%1.cov").arg(i);
    }
    QTest::newRow("no file yet") << QByteArray("<none>") << "/a.cov" << QStringList{"/a.cov"};
    QTest::newRow("newest first") << QByteArray("/a.cov\n/b.cov\n") << "/c.cov"
                                  << QStringList{"/c.cov", "/a.cov", "/b.cov"};
    QTest::newRow("a known one moves to the front")
        << QByteArray("/a.cov\n/b.cov\n/c.cov\n") << "/b.cov"
        << QStringList{"/b.cov", "/a.cov", "/c.cov"};
    QTest::newRow("the ninth drops the oldest")
        << eight << nine << (QStringList{nine} + eightList.mid(0, 7));
    QTest::newRow("Japanese names and spaces") << QByteArray("/写真/デモ 1.cov\n") << "/b.cov"
                                               << QStringList{"/b.cov", "/写真/デモ 1.cov"};
    QTest::newRow("junk lines are dropped")
        << QByteArray("relative.cov\n\n/a.cov\n/a.cov\n/tab\there.cov\r\n/b\x01.cov\n/c.cov")
        << "/d.cov" << QStringList{"/d.cov", "/a.cov", "/c.cov"};
    QTest::newRow("only the head of a huge file is read")
        << (QByteArray(1 << 20, 'x') + "\n/late.cov\n") << "/a.cov" << QStringList{"/a.cov"};
    QTest::newRow("a folder where the file goes")
        << QByteArray("<folder>") << "/a.cov" << QStringList{};
}

void TestRecentFiles::recentList()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, added);
    QFETCH(QStringList, after);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Quorbell/recent-containers"));
    if (before == "<folder>")
        QVERIFY(QDir().mkpath(file));
    else if (before != "<none>")
        QVERIFY(writeFileAtomically(file, before, nullptr, {true}));
    writeRecentContainers(file, withRecentContainer(readRecentContainers(file), added));
    QCOMPARE(readRecentContainers(file), after);
}

void TestRecentFiles::recentlyUsed_data()
{
    QTest::addColumn<QByteArray>("before"); // "<none>": no file; "<fifo>": a named pipe
    QTest::addColumn<bool>("written");
    QTest::addColumn<QStringList>("hrefs");  // after, in order
    QTest::addColumn<int>("count");          // this program's count on its bookmark
    QTest::addColumn<QStringList>("others"); // other programs on that bookmark
    const QString ours = QStringLiteral("file:///tmp/x/%E3%83%87%E3%83%A2.cov");
    const QString notes = QStringLiteral("file:///home/u/notes.txt");
    QTest::newRow("no list yet") << QByteArray("<none>") << true << QStringList{ours} << 1
                                 << QStringList{};
    QTest::newRow("others kept, ours counted on")
        << QByteArray(kOtherProgram) << true << QStringList{notes, ours} << 3
        << QStringList{"Viewer"};
    QTest::newRow("entity declarations: left alone")
        << QByteArray(kEntityBomb) << false << QStringList{} << 0 << QStringList{};
    QTest::newRow("cut short: left alone")
        << QByteArray(kOtherProgram).left(700) << false << QStringList{} << 0 << QStringList{};
    QTest::newRow("not a bookmark list: left alone")
        << QByteArray("<?xml version=\"1.0\"?><html/>") << false << QStringList{} << 0
        << QStringList{};
    QTest::newRow("two roots: left alone") << QByteArray("<xbel version=\"1.0\"/><xbel/>") << false
                                           << QStringList{} << 0 << QStringList{};
    QTest::newRow("too large: left alone")
        << (QByteArray("<xbel version=\"1.0\">") + QByteArray(9 << 20, ' ') + "</xbel>") << false
        << QStringList{} << 0 << QStringList{};
    QTest::newRow("a pipe: left alone, nothing waits")
        << QByteArray("<fifo>") << false << QStringList{} << 0 << QStringList{};
}

void TestRecentFiles::recentlyUsed()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, written);
    QFETCH(QStringList, hrefs);
    QFETCH(int, count);
    QFETCH(QStringList, others);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("share/recently-used.xbel"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("share"))));
    if (before == "<fifo>")
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (before != "<none>")
        QVERIFY(writeFileAtomically(file, before));

    RecentlyUsedEntry entry;
    entry.filePath = QStringLiteral("/tmp/x/デモ.cov");
    entry.mimeType = QStringLiteral("application/x-quorbell-container");
    entry.application = QStringLiteral("Quorbell");
    entry.exec = QStringLiteral("'quorbell %u'");
    entry.when = QDateTime(QDate(2026, 12, 8), QTime(5, 0), Qt::UTC);
    QCOMPARE(recordRecentlyUsed(file, entry), written);
    if (!written) {
        if (before != "<fifo>" && before != "<none>")
            QCOMPARE(readAll(file), before);
        return;
    }

    bool wellFormed = false;
    const QList<Bookmark> after = bookmarks(readAll(file), &wellFormed);
    QVERIFY(wellFormed);
    QStringList seen;
    for (const Bookmark& b : after)
        seen << b.href;
    QCOMPARE(seen, hrefs);
    const Bookmark& mine = after.last();
    QCOMPARE(mine.mime, entry.mimeType);
    QCOMPARE(mine.counts.value(entry.application), count);
    QStringList otherNames = mine.counts.keys();
    otherNames.removeAll(entry.application);
    QCOMPARE(otherNames, others);
    if (after.size() > 1) {
        // Another program's bookmark is copied whole.
        QCOMPARE(after.first().counts.value(QStringLiteral("Editor")), 4);
        QVERIFY(readAll(file).contains("<bookmark:group>Editor</bookmark:group>"));
    }
    // Recording again counts on from what was written.
    QVERIFY(recordRecentlyUsed(file, entry));
    QCOMPARE(bookmarks(readAll(file), &wellFormed).last().counts.value(entry.application),
             count + 1);
}

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
