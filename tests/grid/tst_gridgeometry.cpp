// The grid's arithmetic from tables: fitting, wrapping, comment strip text,
// hit testing, scroll ranges and sorting.
#include "core/BinaryIO.h"
#include "document/AlbumDocument.h"
#include "document/GridLayout.h"
#include "grid/GridGeometry.h"
#include "grid/Sort.h"

#include <QRandomGenerator>
#include <QTest>

using namespace quorbell;

namespace {

QList<AlbumEntry> entriesOf(const QStringList& names)
{
    QList<AlbumEntry> entries;
    for (const QString& n : names) {
        AlbumEntry e;
        e.fileName = n;
        entries.append(e);
    }
    return entries;
}

// A document of entries with those names and the grid's layout values.
struct TestGrid
{
    AlbumDocument doc;
    GridLayout lay;

    explicit TestGrid(const QStringList& names, int cellSize = 80)
    {
        doc.setCellSize(qint16(cellSize), *commentMetricsFor(cellSize));
        doc.setEntries(entriesOf(names));
    }
};

} // namespace

class TestGridGeometry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fit_data();
    void fit();
    void placeNextCellWrapsAndFits_data();
    void placeNextCellWrapsAndFits();
    void commentText_data();
    void commentText();
    void hitTestBounds_data();
    void hitTestBounds();
    void scrollRange_data();
    void scrollRange();
    void scrollValueSkipsHiddenEntries();
    void statusTexts();
    void sortIsStableAndOrdinal();
    void sortByDate();
    void sortEqualsSelectionSort();
};

void TestGridGeometry::fit_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QSize>("fitted");
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("small stays") << QSize(60, 40) << 80 << QSize(60, 40) << QPoint(10, 20);
    QTest::newRow("wide") << QSize(300, 100) << 80 << QSize(78, 26) << QPoint(1, 27);
    QTest::newRow("tall") << QSize(100, 300) << 80 << QSize(26, 78) << QPoint(27, 1);
    QTest::newRow("square goes by height")
        << QSize(100, 100) << 80 << QSize(78, 78) << QPoint(1, 1);
    QTest::newRow("exactly cell-2") << QSize(78, 50) << 80 << QSize(78, 50) << QPoint(1, 15);
    QTest::newRow("truncates") << QSize(4000, 3000) << 60 << QSize(58, 43) << QPoint(1, 8);
    QTest::newRow("one pixel") << QSize(1, 1) << 120 << QSize(1, 1) << QPoint(59, 59);
    QTest::newRow("empty") << QSize(0, 0) << 80 << QSize(0, 0) << QPoint(40, 40);
}

void TestGridGeometry::fit()
{
    QFETCH(QSize, picture);
    QFETCH(int, cell);
    QFETCH(QSize, fitted);
    QFETCH(QPoint, offset);
    QCOMPARE(fitToCell(picture, cell), fitted);
    QCOMPARE(offsetInCell(fitted, cell), offset);
}

void TestGridGeometry::placeNextCellWrapsAndFits_data()
{
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("secondRowFits");
    // Cell 80, strip 12: pitch 83 across, 95 down. Row full when x + 80 + 25 > width.
    // After 3 cells x = 10 + 3*83 = 259: 259 + 105 = 364.
    QTest::newRow("364 wide holds a fourth cell") << 364 << 600 << 4 << true;
    QTest::newRow("363 wide holds three") << 363 << 600 << 3 << true;
    // Second row at y = 128: it fits while 128 + 80 + 12 + 30 <= height.
    QTest::newRow("250 high: second row fits") << 363 << 250 << 3 << true;
    QTest::newRow("249 high: second row does not") << 363 << 249 << 3 << false;
    QTest::newRow("narrower than a cell: one column") << 50 << 600 << 1 << true;
}

void TestGridGeometry::placeNextCellWrapsAndFits()
{
    QFETCH(int, clientWidth);
    QFETCH(int, clientHeight);
    QFETCH(int, columns);
    QFETCH(bool, secondRowFits);
    TestGrid g(QStringList{});
    resetLayoutCursor(g.lay);
    PlaceResult r;
    int placed = 0;
    do {
        r = placeNextCell(g.lay, g.doc, clientWidth, clientHeight);
        ++placed;
    } while (!r.wrapped && placed < 100);
    QCOMPARE(placed, columns);
    QCOMPARE(columnsThatFit(80, clientWidth), columns); // the scroll arithmetic's row
    QCOMPARE(int(g.lay.cellsInRow), columns);
    QCOMPARE(int(g.lay.cursorX), 10);
    QCOMPARE(int(g.lay.cursorY), 33 + 95);
    QCOMPARE(r.newRowFits, secondRowFits);
}

void TestGridGeometry::commentText_data()
{
    QTest::addColumn<QString>("comment");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty prints limit/2 blanks") << "" << 13 << QString(6, ' ');
    QTest::newRow("centred") << "abc" << 13 << "     abc";
    QTest::newRow("exactly the limit prints whole") << "abcdefghij" << 10 << "abcdefghij";
    QTest::newRow("one longer: limit-1 and -") << "abcdefghijk" << 10 << "abcdefghi-";
    QTest::newRow("double-byte crossing the limit") << "abcdefghi写真" << 10 << "abcdefghi-";
    QTest::newRow("double-byte last prints whole, one wider")
        << "abcdefghi写" << 10 << "abcdefghi写";
    QTest::newRow("full-width centred") << "夏の旅行" << 13 << "  夏の旅行";
}

void TestGridGeometry::commentText()
{
    QFETCH(QString, comment);
    QFETCH(int, limit);
    QFETCH(QString, text);
    QCOMPARE(commentStripText(comment, limit), text);
}

void TestGridGeometry::hitTestBounds_data()
{
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<int>("hit"); // -1 for a miss
    // Cells of 80 at (10,33), (93,33); entry 1 is hidden and has no cell.
    QTest::newRow("top-left pixel") << QPoint(10, 33) << 0;
    QTest::newRow("last pixel inside") << QPoint(89, 112) << 0;
    QTest::newRow("one right of the cell") << QPoint(90, 50) << -1;
    QTest::newRow("one below: comment strip") << QPoint(50, 113) << -1;
    QTest::newRow("next cell belongs to entry 2") << QPoint(93, 33) << 2;
    QTest::newRow("left of the first cell") << QPoint(9, 50) << -1;
}

void TestGridGeometry::hitTestBounds()
{
    QFETCH(QPoint, click);
    QFETCH(int, hit);
    TestGrid g({"a.sld", "*b.sld", "c.sld"});
    g.doc.recordCellPos(0, packPair(10, 33));
    g.doc.recordCellPos(1, packPair(10, 33)); // stale position of a hidden entry never hits
    g.doc.recordCellPos(2, packPair(93, 33));
    const std::optional<int> r = hitTest(g.doc, g.lay, click);
    QCOMPARE(r.value_or(-1), hit);
}

void TestGridGeometry::scrollRange_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("below");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("maximum"); // -1: hidden
    QTest::newRow("all fit") << 0 << 0 << 5 << -1;
    QTest::newRow("below only") << 0 << 11 << 5 << 3;
    QTest::newRow("above and below") << 10 << 5 << 5 << 3;
    // Scrolled to a lone last cell: rows stay 5 wide (what fits the width),
    // not the one cell of that row, so the maximum stays 4 rather than 20.
    QTest::newRow("scrolled to a lone last cell") << 20 << 0 << 5 << 4;
}

void TestGridGeometry::scrollRange()
{
    QFETCH(int, first);
    QFETCH(int, below);
    QFETCH(int, columns);
    QFETCH(int, maximum);
    TestGrid g(QStringList(40, QStringLiteral("x.sld")));
    g.lay.firstDrawnIndex = qint16(first);
    g.lay.entriesBelow = qint16(below);
    g.lay.columnsPerRow = qint16(columns);
    g.lay.cellsInRow = 1; // the redraw placed one cell without wrapping; no bearing on rows
    QCOMPARE(scrollMaximum(g.doc, g.lay).value_or(-1), maximum);
}

void TestGridGeometry::scrollValueSkipsHiddenEntries()
{
    // Value v shows the (v * columns + 1)-th visible entry in the top-left cell.
    TestGrid g({"a", "*b", "c", "d", "*e", "*f", "g", "h", "i"});
    g.lay.columnsPerRow = 2;
    QCOMPARE(firstIndexForScrollValue(g.doc, g.lay, 0), 0);
    QCOMPARE(firstIndexForScrollValue(g.doc, g.lay, 1), 3); // visible: a c | d g | h i
    QCOMPARE(firstIndexForScrollValue(g.doc, g.lay, 2), 7);
    QCOMPARE(hiddenBetween(g.doc, 0, 9), 3);
}

void TestGridGeometry::statusTexts()
{
    TestGrid g({"a.b.sld", "*x.sld"});
    g.doc.setHiddenCount(1);
    g.doc.setLoadIndex(1);
    QCOMPARE(shownAlbumsText(g.doc), QStringLiteral("表示アルバム数： 1"));
    QCOMPARE(hiddenAlbumsText(g.doc), QStringLiteral("非表示アルバム数： 1"));
    QCOMPARE(loadingText(g.doc), QStringLiteral("読込みアルバム数： 1/2"));
    QCOMPARE(selectedNumberText(0), QStringLiteral("選択アルバム番号： 1"));
    QCOMPARE(selectedNameText("a.b.sld"), QStringLiteral("選択アルバム名： a"));
    QCOMPARE(selectedNameText("noext"), QStringLiteral("選択アルバム名： noext"));
    g.doc.setHiddenCount(0);
    QCOMPARE(hiddenAlbumsText(g.doc), QString());
}

void TestGridGeometry::sortIsStableAndOrdinal()
{
    QList<AlbumEntry> albums =
        entriesOf({"b.sld", "B.sld", "a.sld", "写真.sld", "*a.sld", "b.sld"});
    for (int i = 0; i < albums.size(); ++i)
        albums[i].comment = QString::number(i);
    sortAlbums(albums, SortKey::NameAscending);
    QStringList order;
    for (const AlbumEntry& e : albums)
        order << e.fileName + QLatin1Char('#') + e.comment;
    // "*" < upper case < lower case < double-byte; the two b.sld keep their order.
    QCOMPARE(order,
             (QStringList{"*a.sld#4", "B.sld#1", "a.sld#2", "b.sld#0", "b.sld#5", "写真.sld#3"}));
    sortAlbums(albums, SortKey::NameDescending);
    order.clear();
    for (const AlbumEntry& e : albums)
        order << e.comment;
    QCOMPARE(order, (QStringList{"3", "0", "5", "2", "1", "4"}));
}

void TestGridGeometry::sortByDate()
{
    QList<AlbumEntry> albums = entriesOf({"a", "b", "c", "d", "e"});
    const QDateTime base(QDate(2003, 1, 2), QTime(10, 0));
    albums[0].fileDate = DateVariant::fromDateTime(base.addSecs(60));
    albums[1].fileDate = DateVariant::fromText(QStringLiteral("03/01/02 0:00:00"));
    albums[2].fileDate = DateVariant::fromDateTime(base);
    albums[3].fileDate = DateVariant::fromDateTime(base.addSecs(60));
    albums[4].fileDate = DateVariant{};
    sortAlbums(albums, SortKey::DateAscending);
    QString order;
    for (const AlbumEntry& e : albums)
        order += e.fileName;
    QCOMPARE(order, QStringLiteral("ebcad"));
    sortAlbums(albums, SortKey::DateDescending);
    order.clear();
    for (const AlbumEntry& e : albums)
        order += e.fileName;
    // Equal keys keep their earlier order in both directions.
    QCOMPARE(order, QStringLiteral("adcbe"));
}

void TestGridGeometry::sortEqualsSelectionSort()
{
    // The literal procedure: for each position take the first strictly best
    // entry of the rest and move it there.
    const auto selectionSort = [](QList<AlbumEntry> v, SortKey key) {
        const auto before = [key](const AlbumEntry& a, const AlbumEntry& b) {
            switch (key) {
            case SortKey::DateAscending:
                return dateSortSeconds(a) < dateSortSeconds(b);
            case SortKey::DateDescending:
                return dateSortSeconds(a) > dateSortSeconds(b);
            case SortKey::NameAscending:
                return a.fileName < b.fileName;
            case SortKey::NameDescending:
                return a.fileName > b.fileName;
            }
            return false;
        };
        for (int i = 0; i + 1 < v.size(); ++i) {
            int best = i;
            for (int k = i + 1; k < v.size(); ++k) {
                if (before(v[k], v[best]))
                    best = k;
            }
            v.move(best, i);
        }
        return v;
    };
    QRandomGenerator rng(7);
    for (SortKey key : {SortKey::DateAscending, SortKey::DateDescending, SortKey::NameAscending,
                        SortKey::NameDescending}) {
        QList<AlbumEntry> v;
        for (int i = 0; i < 200; ++i) {
            AlbumEntry e;
            e.fileName = QString::number(rng.bounded(20)) + QStringLiteral(".sld");
            e.comment = QString::number(i);
            e.fileDate = DateVariant::fromDate(36526 + rng.bounded(10));
            v.append(e);
        }
        QList<AlbumEntry> ours = v;
        sortAlbums(ours, key);
        const QList<AlbumEntry> literal = selectionSort(v, key);
        for (int i = 0; i < v.size(); ++i)
            QCOMPARE(ours[i].comment, literal[i].comment);
    }
}

QTEST_GUILESS_MAIN(TestGridGeometry)
#include "tst_gridgeometry.moc"
